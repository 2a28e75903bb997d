#pragma once

#include <functional>

namespace quorvan::analyse {

struct Extreme {
    double frequence; // Hz
    double gainDb;
};

// The extreme of a gain between two frequencies that bracket it (golden-section search on a
// logarithmic scale, down to `largeur` in log frequency); `signe` +1 for a peak, -1 for a valley.
// At a peak the gain is flat: 10 ppm in frequency is plenty for a curve.
[[nodiscard]] Extreme extreme(const std::function<double(double)>& gainDb, double a, double b,
                              double signe, double largeur = 1e-5);

} // namespace quorvan::analyse
