#include "VerificationReponse.h"

#include "FilterOracle.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <stdexcept>

namespace quorvan::spice::test {
namespace {

// ngspice steps a decade sweep by repeated multiplication: allow for its rounding.
constexpr double Tolerance = 1e-6;

double decibels(double rapport) {
    return 20.0 * std::log10(rapport);
}

} // namespace

Verdict verifierReponse(const std::vector<PointAc>& points, int famille, int ordre, TypeFiltre type,
                        double frequence) {
    if (points.size() < 2 || points.front().frequence > frequence / 100.0 * (1.0 + Tolerance) ||
        points.back().frequence < frequence * 100.0 * (1.0 - Tolerance)) {
        throw std::runtime_error("the sweep does not span two decades on each side of the "
                                 "cut-off");
    }
    const bool passeBas = type == TypeFiltre::PasseBas;
    const auto poles = oracle::prototypePoles(famille, ordre);
    const auto ideal = [&](double f) {
        const double x = passeBas ? f / frequence : frequence / f;
        return oracle::allPoleGain(poles, oracle::Complex(0.0, x));
    };

    // The open end of the pass band: the lowest point of a low-pass sweep, the highest of a
    // high-pass one.
    const PointAc& ouvert = passeBas ? points.front() : points.back();
    const double gainSimule = std::abs(ouvert.sortie);
    const double gainIdeal = ideal(ouvert.frequence);

    Verdict verdict;
    for (const PointAc& p : points) {
        const bool bandePassante = passeBas ? p.frequence <= frequence * (1.0 + Tolerance)
                                            : p.frequence >= frequence * (1.0 - Tolerance);
        if (bandePassante) {
            const double ecart = std::abs(decibels(std::abs(p.sortie) / gainSimule) -
                                          decibels(ideal(p.frequence) / gainIdeal));
            if (std::isnan(ecart)) {
                // A response that cannot be compared must not pass for a close one.
                verdict.ecartMaxDb = ecart;
                break;
            }
            verdict.ecartMaxDb = std::max(verdict.ecartMaxDb, ecart);
        }
    }

    const double arret = passeBas ? frequence * 10.0 : frequence / 10.0;
    const auto proche =
        std::min_element(points.begin(), points.end(), [&](const auto& a, const auto& b) {
            return std::abs(std::log(a.frequence / arret)) <
                   std::abs(std::log(b.frequence / arret));
        });
    verdict.niveauArretDb = decibels(std::abs(proche->sortie) / gainSimule);
    return verdict;
}

} // namespace quorvan::spice::test
