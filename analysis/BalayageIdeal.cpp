#include "BalayageIdeal.h"

#include <cmath>
#include <numbers>

namespace quorvan::analyse {

namespace {

// Relative step of the central difference for dH/dω: its error, of the order of its square,
// stays far below what a chart shows, and its rounding error too.
constexpr double PasDerivee = 1e-5;

} // namespace

std::vector<PointReponse> balayerIdeale(const ReponseIdeale& ideale,
                                        std::span<const double> frequences) {
    std::vector<PointReponse> points;
    points.reserve(frequences.size());
    double phase = 0.0;
    for (const double f : frequences) {
        const double omega = 2 * std::numbers::pi * f;
        const Complexe h = ideale(Complexe(0, omega));
        const double dw = omega * PasDerivee;
        const Complexe derivee =
            (ideale(Complexe(0, omega + dw)) - ideale(Complexe(0, omega - dw))) / (2 * dw);
        const double brute = std::arg(h) * 180 / std::numbers::pi;
        // The nearest turn to the previous point.
        phase = points.empty() ? brute : phase + std::remainder(brute - phase, 360.0);
        points.push_back({f, 20 * std::log10(std::abs(h)), phase, -(derivee / h).imag()});
    }
    return points;
}

} // namespace quorvan::analyse
