#include "Extreme.h"

#include <algorithm>
#include <cmath>

namespace quorvan::analyse {

Extreme extreme(const std::function<double(double)>& gainDb, double a, double b, double signe,
                double largeur) {
    const double r = (std::sqrt(5.0) - 1) / 2;
    double x = std::log(std::min(a, b));
    double y = std::log(std::max(a, b));
    double c = y - r * (y - x);
    double d = x + r * (y - x);
    double gc = signe * gainDb(std::exp(c));
    double gd = signe * gainDb(std::exp(d));
    // Each step keeps one of the two inner points: one new evaluation a step.
    while (y - x > largeur) {
        if (gc >= gd) {
            y = d;
            d = c;
            gd = gc;
            c = y - r * (y - x);
            gc = signe * gainDb(std::exp(c));
        } else {
            x = c;
            c = d;
            gc = gd;
            d = x + r * (y - x);
            gd = signe * gainDb(std::exp(d));
        }
    }
    const double f = std::exp((x + y) / 2);
    return {f, gainDb(f)};
}

} // namespace quorvan::analyse
