#include "Reponse.h"

#include "Extreme.h"

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

// The gain at the pass band's open end: at DC for a low-pass circuit, at infinite frequency
// for a high-pass one.
double gainOuvertureDb(const Reseau& reseau, TypeFiltre type) {
    const Complexe h =
        type == TypeFiltre::PasseBas ? reseau.transfert(0.0) : reseau.transfertInfini();
    return 20 * std::log10(std::abs(h));
}

// The response at `f`, its phase as arg gives it.
PointReponse point(const Reseau& reseau, double f) {
    const Reseau::Point p = reseau.reponse(f);
    return {f, 20 * std::log10(std::abs(p.h)), std::arg(p.h) * 180 / std::numbers::pi,
            -(p.derivee / p.h).imag()};
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

std::vector<PointReponse> affinerPics(const Reseau& reseau,
                                      const std::vector<PointReponse>& balayage) {
    // Between the neighbours of each sample above both of its own: the peak, and a finer
    // grid for the curve's shape around it (a peak of the highest Q is about two samples wide).
    constexpr int Subdivisions = 8;
    const auto retard = [&reseau](double f) { return point(reseau, f).retard; };
    std::vector<PointReponse> ajouts;
    const std::size_t n = balayage.size();
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double r = balayage[i].retard;
        if (r < balayage[i - 1].retard || r <= balayage[i + 1].retard) {
            continue;
        }
        const double avant = balayage[i - 1].frequence;
        const double apres = balayage[i + 1].frequence;
        ajouts.push_back(point(reseau, extreme(retard, avant, apres, 1).frequence));
        for (const std::size_t k : {i - 1, i}) {
            const double pas =
                std::pow(balayage[k + 1].frequence / balayage[k].frequence, 1.0 / Subdivisions);
            for (int j = 1; j < Subdivisions; ++j) {
                ajouts.push_back(point(reseau, balayage[k].frequence * std::pow(pas, j)));
            }
        }
    }
    const auto parFrequence = [](const PointReponse& a, const PointReponse& b) {
        return a.frequence < b.frequence;
    };
    std::sort(ajouts.begin(), ajouts.end(), parFrequence);
    std::vector<PointReponse> points;
    points.reserve(n + ajouts.size());
    std::merge(balayage.begin(), balayage.end(), ajouts.begin(), ajouts.end(),
               std::back_inserter(points), parFrequence);
    // Each phase takes the turn nearest to the point before: the sweep's stay as they were.
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double precedente = points[i - 1].phaseDeg;
        points[i].phaseDeg = precedente + std::remainder(points[i].phaseDeg - precedente, 360.0);
    }
    return points;
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
    // The open end lies beyond the sweep: the band's highest or lowest gain may be there.
    const double ouverture = gainOuvertureDb(reseau, type);
    double gainMax = ouverture;
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        gainMax = std::max(gainMax, gain(i));
    }
    // Peaks and valleys down to 20 dB below the highest gain so far (deeper, the stop band has
    // none): samples above (below) both neighbours, refined between them.
    struct Sommet {
        std::ptrdiff_t indice;
        Extreme ou;
        bool pic;
    };
    std::vector<Sommet> sommets;
    const auto gainA = [&reseau](double frequence) { return gainDb(reseau, frequence); };
    const double plancher = gainMax - 20;
    for (std::ptrdiff_t i = 1; i + 1 < n; ++i) {
        const bool pic = gain(i) >= gain(i - 1) && gain(i) > gain(i + 1);
        if (gain(i) > plancher && (pic || (gain(i) <= gain(i - 1) && gain(i) < gain(i + 1)))) {
            sommets.push_back({i, extreme(gainA, f(i - 1), f(i + 1), pic ? 1 : -1), pic});
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
    double plusBas = std::min(ouverture, gain(0));
    for (const Sommet& s : sommets) {
        plusBas = !s.pic && s.indice < dernierPic ? std::min(plusBas, s.ou.gainDb) : plusBas;
    }
    c.ondulationDb = dernierPic == 0 ? 0.0 : gainMax - plusBas;
    c.gainDb = ouverture;
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
