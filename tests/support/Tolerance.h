#pragma once

#include <gtest/gtest.h>

#include <cmath>

namespace quorvan::test {

// Succeeds when `actual` is within `relative` (a fraction) of `expected`.
inline ::testing::AssertionResult prochePourcent(double actual, double expected, double relative) {
    if (std::fabs(actual - expected) <= std::fabs(expected) * relative) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << actual << " is not within " << relative * 100 << " % of " << expected;
}

} // namespace quorvan::test
