#include "EcartIdeal.h"

#include "Extreme.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvan::analyse {

namespace {

constexpr int PointsParDecade = 200;
// How many local maxima of the difference are refined: the largest one on the grid may not be
// the largest one on the curve, but one far below it cannot overtake it.
constexpr std::size_t ExtremesAffines = 4;

double ecartDb(const FonctionCircuit& circuit, const ReponseIdeale& ideale, double frequence) {
    const Complexe s(0, 2 * std::numbers::pi * frequence);
    return 20 * std::log10(std::abs(circuit(s) / ideale(s)));
}

// The largest |difference| between a and b: near an extreme the difference is smooth and has a
// single maximum.
double affiner(const FonctionCircuit& circuit, const ReponseIdeale& ideale, double a, double b) {
    const auto ecart = [&](double f) { return std::fabs(ecartDb(circuit, ideale, f)); };
    return extreme(ecart, a, b, 1, 1e-6).gainDb;
}

} // namespace

Bande bandeComparaison(const ReponseIdeale& ideale) {
    const double f = ideale.omegaReference() / (2 * std::numbers::pi);
    const double plancher = 20 * std::log10(std::abs(ideale.gain())) - 20;
    const bool passeBas = ideale.type() == TypeFiltre::PasseBas;
    // Walk from the cut-off into the stop band until the response is below the floor, then halve
    // the last step: past the pass band's ripple the exact responses fall monotonically.
    const double pas = passeBas ? 1.25 : 1 / 1.25;
    double dedans = f;
    double dehors = f * pas;
    while (ideale.gainDb(dehors) > plancher) {
        dedans = dehors;
        dehors *= pas;
    }
    while (std::fabs(std::log(dehors / dedans)) > 1e-12) {
        const double milieu = std::sqrt(dedans * dehors);
        (ideale.gainDb(milieu) > plancher ? dedans : dehors) = milieu;
    }
    return passeBas ? Bande{f / 100, dedans} : Bande{dedans, f * 100};
}

std::vector<double> grille(Bande bande, int parDecade) {
    const double decades = std::log10(bande.fin / bande.debut);
    const auto n = static_cast<int>(std::ceil(decades * parDecade));
    std::vector<double> f;
    f.reserve(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i <= n; ++i) {
        f.push_back(i == n ? bande.fin : bande.debut * std::pow(10.0, decades * i / n));
    }
    return f;
}

double ecartMaximalDb(const FonctionCircuit& circuit, const ReponseIdeale& ideale, Bande bande) {
    const std::vector<double> f = grille(bande, PointsParDecade);
    std::vector<double> e(f.size());
    for (std::size_t i = 0; i < f.size(); ++i) {
        e[i] = std::fabs(ecartDb(circuit, ideale, f[i]));
    }
    double pire = *std::max_element(e.begin(), e.end());
    std::vector<std::size_t> pics;
    for (std::size_t i = 1; i + 1 < f.size(); ++i) {
        if (e[i] >= e[i - 1] && e[i] >= e[i + 1]) {
            pics.push_back(i);
        }
    }
    std::sort(pics.begin(), pics.end(), [&e](std::size_t a, std::size_t b) { return e[a] > e[b]; });
    pics.resize(std::min(pics.size(), ExtremesAffines));
    for (const std::size_t i : pics) {
        pire = std::max(pire, affiner(circuit, ideale, f[i - 1], f[i + 1]));
    }
    return pire;
}

} // namespace quorvan::analyse
