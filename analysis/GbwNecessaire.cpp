#include "GbwNecessaire.h"

#include "GainCircuit.h"
#include "MesureBande.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace quorvan::analyse {

namespace {

constexpr int PointsParDecade = 200;

// Doublings before giving up: A0 limits the gain long before 2^200 times the cut-off.
constexpr int DoublementsMax = 200;

} // namespace

std::optional<double> gbwNecessaire(const circuit::Montage& montage, double gainBoucleOuverte) {
    const double coupure = mesurer(montage.circuit, montage.valeurs, montage.frequence).coupure3dB;
    if (std::isnan(coupure)) {
        return std::nullopt;
    }
    const bool passeBas = montage.circuit.type == TypeFiltre::PasseBas;
    const double debut = passeBas ? 0.01 : coupure / montage.frequence;
    const double fin = passeBas ? coupure / montage.frequence : 100.0;
    const auto pas = static_cast<int>(std::ceil(std::log10(fin / debut) * PointsParDecade - 1e-9));
    std::vector<double> x;
    for (int i = 0; i <= pas; ++i) {
        x.push_back(i == pas ? fin : debut * std::pow(fin / debut, double(i) / pas));
    }
    const GainCircuit ideal(montage);
    std::vector<double> idealDb;
    for (const double xi : x) {
        idealDb.push_back(ideal.db(xi));
    }
    const auto tient = [&](double gbw) {
        const GainCircuit reel(montage, AmpliOpReel{gbw, gainBoucleOuverte});
        for (std::size_t i = 0; i < x.size(); ++i) {
            if (!(std::fabs(reel.db(x[i]) - idealDb[i]) <= EcartAmpliMaxDb)) {
                return false;
            }
        }
        return true;
    };
    if (!tient(std::numeric_limits<double>::infinity())) {
        return std::nullopt;
    }
    double bas = montage.frequence;
    double haut = montage.frequence;
    int doublements = 0;
    while (!tient(haut)) {
        if (++doublements > DoublementsMax) {
            return std::nullopt;
        }
        bas = haut;
        haut *= 2;
    }
    if (bas == haut) {
        // Enough already at the cut-off: halve until it is not.
        while (tient(bas)) {
            haut = bas;
            bas /= 2;
        }
    }
    // To a part in a million: far finer than any op-amp's data sheet.
    while (haut / bas > 1 + 1e-6) {
        const double milieu = std::sqrt(bas * haut);
        (tient(milieu) ? haut : bas) = milieu;
    }
    return haut;
}

} // namespace quorvan::analyse
