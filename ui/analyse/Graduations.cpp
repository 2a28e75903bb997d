#include "Graduations.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quorvan::graduations {

namespace {

// Values just outside [debut, fin] through rounding still stand at its ends.
constexpr double Tolerance = 1e-9;

// Every multiple `m` × 10^k (m from `facteurs`) between debut and fin.
std::vector<double> multiples(double debut, double fin, const std::vector<int>& facteurs) {
    std::vector<double> v;
    for (int k = static_cast<int>(std::floor(std::log10(debut))) - 1;
         k <= static_cast<int>(std::ceil(std::log10(fin))); ++k) {
        for (const int m : facteurs) {
            const double x = m * std::pow(10.0, k);
            if (x >= debut * (1 - Tolerance) && x <= fin * (1 + Tolerance)) {
                v.push_back(x);
            }
        }
    }
    return v;
}

// 1, 2 or 5 times a power of ten: the smallest at least `minimum`.
double rond(double minimum) {
    const double p = std::pow(10.0, std::floor(std::log10(minimum)));
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * p >= minimum * (1 - Tolerance)) {
            return m * p;
        }
    }
    return 10 * p;
}

} // namespace

Frequences frequences(double debut, double fin) {
    const double decades = std::log10(fin / debut);
    Frequences f;
    if (decades > 2.5) {
        f.reperes = multiples(debut, fin, {1});
        f.secondaires = multiples(debut, fin, {2, 3, 4, 5, 6, 7, 8, 9});
    } else if (decades > 0.8) {
        f.reperes = multiples(debut, fin, {1, 2, 5});
        f.secondaires = multiples(debut, fin, {3, 4, 6, 7, 8, 9});
    } else if (decades > 0.35) {
        f.reperes = multiples(debut, fin, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    } else {
        const double p = rond((fin - debut) / 7);
        for (double x = std::ceil(debut / p * (1 - Tolerance)) * p; x <= fin * (1 + Tolerance);
             x += p) {
            f.reperes.push_back(x);
        }
        // Enough digits to reach the step's: 1.05 kHz by 10 Hz steps needs three.
        f.chiffres = static_cast<int>(std::floor(std::log10(fin)) - std::floor(std::log10(p))) + 1;
    }
    return f;
}

double pas(double etendue, Pas sorte) {
    if (sorte == Pas::Angle) {
        constexpr int Etapes = 8;
        // Each divides the next, so that zooming in keeps the labels at 45° and 90°.
        for (const double p : {1.0, 5.0, 15.0, 45.0, 90.0, 180.0}) {
            if (etendue / p <= Etapes) {
                return p;
            }
        }
        return 360 * std::ceil(etendue / Etapes / 360);
    }
    // Ten at most: the gain's 80 dB by tens, a label near any pass band.
    return rond(etendue / 10);
}

int decimales(double pas) {
    int d = 0;
    while (d < 12 && std::fabs(pas - std::round(pas)) > pas * 1e-6) {
        pas *= 10;
        ++d;
    }
    return d;
}

Plage plage(double plusBas, double plusHaut, double profondeur, bool plancherZero) {
    if (profondeur > 0) {
        plusBas = std::max(plusBas, plusHaut - profondeur);
    }
    const double marge = plusHaut > plusBas ? (plusHaut - plusBas) * 0.04
                                            : std::max(std::fabs(plusHaut) * 0.04, 1e-12);
    const double bas = plancherZero && plusBas >= 0 ? 0.0 : plusBas - marge;
    return {bas, plusHaut + marge};
}

} // namespace quorvan::graduations
