#include "MesureBande.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace quorvan::analyse {

namespace {

struct Extreme {
    double x;
    double gainDb;
};

// The extreme of the gain between two ratios that bracket it (golden-section search on a
// logarithmic scale, to the width caracteriser stops at); `signe` +1 for a peak, -1 for a
// valley. |H|² orders the points as the gain in dB does, without a logarithm a step.
Extreme extreme(const GainCircuit& g, double a, double b, double signe) {
    const double r = (std::sqrt(5.0) - 1) / 2;
    double x = std::log(std::min(a, b));
    double y = std::log(std::max(a, b));
    const auto valeur = [&g, signe](double lnx) {
        const double h = g.carre(std::exp(lnx));
        return signe > 0 ? h : -h;
    };
    double c = y - r * (y - x);
    double d = x + r * (y - x);
    double gc = valeur(c);
    double gd = valeur(d);
    while (y - x > 1e-5) {
        if (gc >= gd) {
            y = d;
            d = c;
            gd = gc;
            c = y - r * (y - x);
            gc = valeur(c);
        } else {
            x = c;
            c = d;
            gc = gd;
            d = x + r * (y - x);
            gd = valeur(d);
        }
    }
    const double milieu = std::exp((x + y) / 2);
    return {milieu, g.db(milieu)};
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
                              std::span<const double> gainsDb, double frequence) {
    // Walk from the open end of the pass band towards the stop band: k counts the steps.
    const bool passeBas = type == TypeFiltre::PasseBas;
    const auto n = static_cast<std::ptrdiff_t>(x.size());
    const auto rang = [&](std::ptrdiff_t k) {
        return static_cast<std::size_t>(passeBas ? k : n - 1 - k);
    };
    const auto gain = [&](std::ptrdiff_t k) { return gainsDb[rang(k)]; };
    const auto xk = [&](std::ptrdiff_t k) { return x[rang(k)]; };
    const auto audela = [passeBas](double a, double b) { return passeBas ? a > b : a < b; };

    const double ouvert = 10 * std::log10(g.carreBandeOuverte(type));
    double gainMax = std::max(gain(0), ouvert);
    for (std::ptrdiff_t k = 1; k < n; ++k) {
        gainMax = std::max(gainMax, gain(k));
    }
    // Peaks and valleys down to 20 dB below the highest sample (deeper, the stop band has
    // none): samples above (below) both neighbours, refined between them.
    struct Sommet {
        std::ptrdiff_t k;
        Extreme ou;
        bool pic;
    };
    std::vector<Sommet> sommets;
    const double plancher = gainMax - 20;
    for (std::ptrdiff_t k = 1; k + 1 < n; ++k) {
        const bool pic = gain(k) >= gain(k - 1) && gain(k) > gain(k + 1);
        const bool creux = gain(k) <= gain(k - 1) && gain(k) < gain(k + 1);
        if (gain(k) > plancher && (pic || creux)) {
            sommets.push_back({k, extreme(g, xk(k - 1), xk(k + 1), pic ? 1 : -1), pic});
            gainMax = pic ? std::max(gainMax, sommets.back().ou.gainDb) : gainMax;
        }
    }
    const double seuil = gainMax - 3;

    // The pass band's edge: coming from the stop band, the first sample or peak at or above
    // the threshold; the crossing lies between it and the next sample beyond.
    std::ptrdiff_t bord = n - 1;
    while (bord >= 0 && gain(bord) < seuil) {
        --bord;
    }
    double debutCroisement = bord >= 0 ? xk(bord) : 0.0;
    for (const Sommet& s : sommets) {
        if (s.pic && s.ou.gainDb >= seuil && s.k >= bord) {
            bord = s.k;
            debutCroisement = s.ou.x;
        }
    }
    std::ptrdiff_t apres = bord + 1;
    while (apres < n && !audela(xk(apres), debutCroisement)) {
        ++apres;
    }
    Caracteristiques c;
    c.gainMaxDb = gainMax;
    c.coupure3dB = std::numeric_limits<double>::quiet_NaN();
    if (bord >= 0 && apres < n) {
        const double seuilCarre = std::pow(10.0, seuil / 10);
        double a = std::log(debutCroisement);
        double b = std::log(xk(apres));
        while (std::fabs(b - a) > 1e-10) {
            const double m = (a + b) / 2;
            (g.carre(std::exp(m)) >= seuilCarre ? a : b) = m;
        }
        c.coupure3dB = std::exp((a + b) / 2) * frequence;
    }
    // The ripple: from the open end to the last peak before the edge.
    std::ptrdiff_t dernierPic = 0;
    for (const Sommet& s : sommets) {
        dernierPic = s.pic && s.k <= bord ? s.k : dernierPic;
    }
    double plusBas = std::min(gain(0), ouvert);
    for (const Sommet& s : sommets) {
        plusBas = !s.pic && s.k < dernierPic ? std::min(plusBas, s.ou.gainDb) : plusBas;
    }
    c.ondulationDb = dernierPic == 0 ? 0.0 : gainMax - plusBas;
    return c;
}

Caracteristiques mesurer(const circuit::Circuit& circuit, std::span<const double> valeurs,
                         double frequence) {
    const GainCircuit g(circuit, valeurs, frequence);
    const std::vector<double> x = grilleCourbe();
    std::vector<double> gains(x.size());
    std::transform(x.begin(), x.end(), gains.begin(), [&g](double r) { return g.db(r); });
    return mesurerBande(g, circuit.type, x, gains, frequence);
}

} // namespace quorvan::analyse
