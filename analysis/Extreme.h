#pragma once

#include <functional>

namespace quorvan::analyse {

struct Extreme {
    double frequence; // Hz
    double gainDb;
};

// The extreme of a gain between two frequencies that bracket it (golden-section search on a
// logarithmic scale); `signe` +1 for a peak, -1 for a valley.
[[nodiscard]] Extreme extreme(const std::function<double(double)>& gainDb, double a, double b,
                              double signe);

} // namespace quorvan::analyse
