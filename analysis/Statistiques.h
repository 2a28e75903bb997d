#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <span>

namespace quorvan::analyse {

// The q-quantile (0 ≤ q ≤ 1) of n values sorted in rising order, the value of rank i being
// `rang(i)`: interpolated linearly between the two ranks around (n − 1)·q, as NumPy's
// percentile does by default. NaN when n is 0.
template <typename Rang>
[[nodiscard]] double quantileRangs(std::size_t n, double q, Rang rang) {
    if (n == 0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const double position = static_cast<double>(n - 1) * q;
    const auto bas = static_cast<std::size_t>(std::floor(position));
    const std::size_t haut = std::min(bas + 1, n - 1);
    return rang(bas) + (position - static_cast<double>(bas)) * (rang(haut) - rang(bas));
}

[[nodiscard]] inline double quantile(std::span<const double> tries, double q) {
    return quantileRangs(tries.size(), q, [tries](std::size_t i) { return tries[i]; });
}

// Where a figure of many trials lands.
struct Repartition {
    double p1 = 0.0;
    double p5 = 0.0;
    double p50 = 0.0;
    double p95 = 0.0;
    double p99 = 0.0;
    double min = 0.0;
    double max = 0.0;
};
[[nodiscard]] Repartition repartition(std::span<const double> tries);

} // namespace quorvan::analyse
