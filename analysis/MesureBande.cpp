#include "MesureBande.h"

#include <algorithm>
#include <boost/math/tools/minima.hpp>
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace quorvan::analyse {

namespace {

struct Extreme {
    double x;
    double carre; // |H|²
};

// The extreme of the gain between two ratios that bracket it, by Brent's method (parabolic
// steps, golden sections where they stall) to half of a double's digits, as far as a flat top
// can be located; `signe` +1 for a peak, -1 for a valley.
Extreme extreme(const GainCircuit& g, double a, double b, double signe) {
    std::uintmax_t iterations = 100;
    const auto [x, v] = boost::math::tools::brent_find_minima(
        [&g, signe](double xi) { return -signe * g.carre(xi); }, std::min(a, b), std::max(a, b),
        std::numeric_limits<double>::digits / 2, iterations);
    return {x, -signe * v};
}

} // namespace

std::vector<double> grilleCourbe() {
    constexpr int Pas = 4 * 50;
    std::vector<double> x(Pas + 1);
    for (int i = 0; i < Pas; ++i) {
        x[static_cast<std::size_t>(i)] = 0.01 * std::pow(10.0, i / 50.0);
    }
    x.back() = 100.0;
    return x;
}

Caracteristiques mesurerBande(const GainCircuit& g, TypeFiltre type, std::span<const double> x,
                              std::span<const double> carres, double frequence) {
    // Walk from the open end of the pass band towards the stop band: k counts the steps.
    const bool passeBas = type == TypeFiltre::PasseBas;
    const auto n = static_cast<std::ptrdiff_t>(x.size());
    const auto rang = [&](std::ptrdiff_t k) {
        return static_cast<std::size_t>(passeBas ? k : n - 1 - k);
    };
    const auto h = [&](std::ptrdiff_t k) { return carres[rang(k)]; };
    const auto xk = [&](std::ptrdiff_t k) { return x[rang(k)]; };
    const auto audela = [passeBas](double a, double b) { return passeBas ? a > b : a < b; };

    const double ouvert = g.carreBandeOuverte(type);
    double hMax = std::max(h(0), ouvert);
    for (std::ptrdiff_t k = 1; k < n; ++k) {
        hMax = std::max(hMax, h(k));
    }
    // Peaks and valleys down to 20 dB below the highest sample (deeper, the stop band has
    // none): samples above (below) both neighbours, refined between them.
    struct Sommet {
        std::ptrdiff_t k;
        Extreme ou;
        bool pic;
    };
    std::vector<Sommet> sommets;
    const double plancher = hMax * 0.01;
    for (std::ptrdiff_t k = 1; k + 1 < n; ++k) {
        const bool pic = h(k) >= h(k - 1) && h(k) > h(k + 1);
        const bool creux = h(k) <= h(k - 1) && h(k) < h(k + 1);
        if (h(k) > plancher && (pic || creux)) {
            sommets.push_back({k, extreme(g, xk(k - 1), xk(k + 1), pic ? 1 : -1), pic});
            hMax = pic ? std::max(hMax, sommets.back().ou.carre) : hMax;
        }
    }
    const double seuil = hMax * std::pow(10.0, -0.3); // 3 dB below

    // The pass band's edge: coming from the stop band, the first sample or peak at or above
    // the threshold; the crossing lies between it and the next sample beyond.
    std::ptrdiff_t bord = n - 1;
    while (bord >= 0 && h(bord) < seuil) {
        --bord;
    }
    double debutCroisement = bord >= 0 ? xk(bord) : 0.0;
    for (const Sommet& s : sommets) {
        if (s.pic && s.ou.carre >= seuil && s.k >= bord) {
            bord = s.k;
            debutCroisement = s.ou.x;
        }
    }
    std::ptrdiff_t apres = bord + 1;
    while (apres < n && !audela(xk(apres), debutCroisement)) {
        ++apres;
    }
    Caracteristiques c;
    c.gainMaxDb = 10 * std::log10(hMax);
    c.coupure3dB = std::numeric_limits<double>::quiet_NaN();
    if (bord >= 0 && apres < n) {
        // The gain is at or above the threshold at one end, below it at the other: TOMS 748
        // (Alefeld, Potra and Shi) closes in on the crossing to 1e-12.
        const auto ecart = [&g, seuil](double xi) { return g.carre(xi) / seuil - 1; };
        const double a = std::min(debutCroisement, xk(apres));
        const double b = std::max(debutCroisement, xk(apres));
        std::uintmax_t iterations = 100;
        const auto [x0, x1] = boost::math::tools::toms748_solve(
            ecart, a, b, ecart(a), ecart(b), boost::math::tools::eps_tolerance<double>(40),
            iterations);
        c.coupure3dB = (x0 + x1) / 2 * frequence;
    }
    // The ripple: from the open end to the last peak before the edge.
    std::ptrdiff_t dernierPic = 0;
    for (const Sommet& s : sommets) {
        dernierPic = s.pic && s.k <= bord ? s.k : dernierPic;
    }
    double plusBas = std::min(h(0), ouvert);
    for (const Sommet& s : sommets) {
        plusBas = !s.pic && s.k < dernierPic ? std::min(plusBas, s.ou.carre) : plusBas;
    }
    c.ondulationDb = dernierPic == 0 ? 0.0 : 10 * std::log10(hMax / plusBas);
    c.gainDb = 10 * std::log10(ouvert);
    return c;
}

Caracteristiques mesurer(const circuit::Circuit& circuit, std::span<const double> valeurs,
                         double frequence) {
    const GainCircuit g(circuit, valeurs, frequence);
    const std::vector<double> x = grilleCourbe();
    std::vector<double> carres(x.size());
    g.carres(x, carres);
    return mesurerBande(g, circuit.type, x, carres, frequence);
}

} // namespace quorvan::analyse
