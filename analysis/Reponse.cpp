#include "Reponse.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace quorvan::analyse {

namespace {

double gainDb(const Reseau& reseau, double frequence) {
    const Complexe jw(0.0, 2 * std::numbers::pi * frequence);
    return 20 * std::log10(std::abs(reseau.transfert(jw)));
}

struct Extreme {
    double frequence;
    double gainDb;
};

// The extreme of the gain between two frequencies that bracket it (golden-section search on a
// logarithmic scale); `signe` +1 for a peak, -1 for a valley.
Extreme extreme(const Reseau& reseau, double a, double b, double signe) {
    const double r = (std::sqrt(5.0) - 1) / 2;
    double x = std::log(std::min(a, b));
    double y = std::log(std::max(a, b));
    double c = y - r * (y - x);
    double d = x + r * (y - x);
    double gc = signe * gainDb(reseau, std::exp(c));
    double gd = signe * gainDb(reseau, std::exp(d));
    // Each step keeps one of the two inner points: one new evaluation a step.
    while (y - x > 1e-5) { // at a peak the gain is flat: 10 ppm in frequency is plenty
        if (gc >= gd) {
            y = d;
            d = c;
            gd = gc;
            c = y - r * (y - x);
            gc = signe * gainDb(reseau, std::exp(c));
        } else {
            x = c;
            c = d;
            gc = gd;
            d = x + r * (y - x);
            gd = signe * gainDb(reseau, std::exp(d));
        }
    }
    const double f = std::exp((x + y) / 2);
    return {f, gainDb(reseau, f)};
}

} // namespace

std::vector<PointReponse> balayer(const Reseau& reseau, double debut, double fin,
                                  int pointsParDecade) {
    const int pas = static_cast<int>(std::lround(std::log10(fin / debut) * pointsParDecade));
    std::vector<PointReponse> points;
    points.reserve(static_cast<std::size_t>(pas) + 1);
    double phase = 0.0;
    for (int i = 0; i <= pas; ++i) {
        const double f = i == pas ? fin : debut * std::pow(10.0, double(i) / pointsParDecade);
        const Reseau::Point p = reseau.reponse(f);
        double saut = std::arg(p.h) * 180 / std::numbers::pi - std::remainder(phase, 360.0);
        saut = std::remainder(saut, 360.0); // the nearest turn to the previous point
        phase = points.empty() ? std::arg(p.h) * 180 / std::numbers::pi : phase + saut;
        // The group delay is −dφ/dω, and dφ/dω the imaginary part of H'/H.
        points.push_back({f, 20 * std::log10(std::abs(p.h)), phase, -(p.derivee / p.h).imag()});
    }
    return points;
}

std::vector<PointReponse> balayerAutour(const Reseau& reseau, double frequence) {
    return balayer(reseau, frequence / 100, frequence * 100, 50);
}

Caracteristiques caracteriser(const Reseau& reseau, TypeFiltre type,
                              const std::vector<PointReponse>& balayage) {
    // Walk from the open end of the pass band towards the stop band.
    std::vector<PointReponse> points = balayage;
    if (type == TypeFiltre::PasseHaut) {
        std::reverse(points.begin(), points.end());
    }
    const auto n = static_cast<std::ptrdiff_t>(points.size());
    const auto gain = [&points](std::ptrdiff_t i) {
        return points[static_cast<std::size_t>(i)].gainDb;
    };
    const auto f = [&points](std::ptrdiff_t i) {
        return points[static_cast<std::size_t>(i)].frequence;
    };
    double gainMax = gain(0);
    for (std::ptrdiff_t i = 1; i < n; ++i) {
        gainMax = std::max(gainMax, gain(i));
    }
    // Peaks and valleys down to 20 dB below the highest sample (deeper, the stop band has
    // none): samples above (below) both neighbours, refined between them.
    struct Sommet {
        std::ptrdiff_t indice;
        Extreme ou;
        bool pic;
    };
    std::vector<Sommet> sommets;
    const double plancher = gainMax - 20;
    for (std::ptrdiff_t i = 1; i + 1 < n; ++i) {
        const bool pic = gain(i) >= gain(i - 1) && gain(i) > gain(i + 1);
        if (gain(i) > plancher && (pic || (gain(i) <= gain(i - 1) && gain(i) < gain(i + 1)))) {
            sommets.push_back({i, extreme(reseau, f(i - 1), f(i + 1), pic ? 1 : -1), pic});
            gainMax = std::max(gainMax, pic ? sommets.back().ou.gainDb : gainMax);
        }
    }
    const double seuil = gainMax - 3;

    // The pass band's edge: coming from the stop band, the first sample or peak at or above
    // the threshold; the crossing lies between it and the next sample.
    std::ptrdiff_t bord = n - 1;
    while (bord >= 0 && gain(bord) < seuil) {
        --bord;
    }
    double debutCroisement = bord >= 0 ? f(bord) : 0.0;
    for (const Sommet& s : sommets) {
        if (s.pic && s.ou.gainDb >= seuil && s.indice >= bord) {
            bord = s.indice;
            debutCroisement = s.ou.frequence;
        }
    }
    // The next sample past the peak, in the walking direction.
    std::ptrdiff_t apres = bord + 1;
    while (apres < n && std::log(f(apres) / debutCroisement) * std::log(f(n - 1) / f(0)) <= 0) {
        ++apres;
    }
    Caracteristiques c;
    c.gainMaxDb = gainMax;
    c.coupure3dB = std::numeric_limits<double>::quiet_NaN();
    if (bord >= 0 && apres < n) {
        double a = std::log(debutCroisement);
        double b = std::log(f(apres));
        while (std::fabs(b - a) > 1e-10) {
            const double m = (a + b) / 2;
            (gainDb(reseau, std::exp(m)) >= seuil ? a : b) = m;
        }
        c.coupure3dB = std::exp((a + b) / 2);
    }
    // The ripple: from the open end to the last peak before the edge.
    std::ptrdiff_t dernierPic = 0;
    for (const Sommet& s : sommets) {
        dernierPic = s.pic && s.indice <= bord ? s.indice : dernierPic;
    }
    double plusBas = gain(0);
    for (const Sommet& s : sommets) {
        plusBas = !s.pic && s.indice < dernierPic ? std::min(plusBas, s.ou.gainDb) : plusBas;
    }
    c.ondulationDb = dernierPic == 0 ? 0.0 : gainMax - plusBas;
    return c;
}

Courbe analyser(const circuit::Montage& montage) {
    const Reseau reseau(montage);
    Courbe courbe{balayerAutour(reseau, montage.frequence), {}};
    courbe.caracteristiques = caracteriser(reseau, montage.circuit.type, courbe.points);
    return courbe;
}

Courbe analyser(const Conception& conception) {
    return analyser(circuit::monter(conception));
}

} // namespace quorvan::analyse
