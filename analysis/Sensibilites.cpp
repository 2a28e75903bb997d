#include "Sensibilites.h"

#include "MesureBande.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quorvan::analyse {

namespace {

// A 0.1 % step: the measures are exact to about 1e-12, far below what the step changes, while
// the curvature's error stays near 1e-6 relative.
constexpr double Pas = 1e-3;

} // namespace

std::vector<Sensibilite> sensibilites(const circuit::Montage& montage,
                                      const Tolerances& tolerances) {
    const Caracteristiques nominal = mesurer(montage.circuit, montage.valeurs, montage.frequence);
    const std::vector<circuit::Piece> pieces = circuit::pieces(montage.circuit);
    std::vector<Sensibilite> s;
    double variance = 0.0;
    std::vector<double> valeurs = montage.valeurs;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        std::array<Caracteristiques, 2> autour;
        for (const int signe : {0, 1}) {
            valeurs[i] = montage.valeurs[i] * (signe == 0 ? 1 - Pas : 1 + Pas);
            autour[static_cast<std::size_t>(signe)] =
                mesurer(montage.circuit, valeurs, montage.frequence);
        }
        valeurs[i] = montage.valeurs[i];
        Sensibilite si{pieces[i].nom, i, 0.0, 0.0, 0.0};
        si.coupurePctParPct =
            (autour[1].coupure3dB - autour[0].coupure3dB) / (2 * Pas * nominal.coupure3dB);
        if (nominal.ondulationDb > 0) {
            si.ondulationDbParPct =
                (autour[1].ondulationDb - autour[0].ondulationDb) / (2 * Pas * 100);
        }
        si.partVariancePct =
            std::pow(si.coupurePctParPct * tolerances.pourcent(montage.element(i).nature), 2);
        variance += si.partVariancePct;
        s.push_back(std::move(si));
    }
    for (Sensibilite& si : s) {
        si.partVariancePct = variance > 0 ? 100 * si.partVariancePct / variance : 0.0;
    }
    std::stable_sort(s.begin(), s.end(), [](const Sensibilite& a, const Sensibilite& b) {
        return a.partVariancePct > b.partVariancePct;
    });
    return s;
}

PireCas pireCas(const circuit::Montage& montage, const std::vector<Sensibilite>& sensibilites,
                const Tolerances& tolerances) {
    const std::size_t n = montage.valeurs.size();
    // Each part's direction (+1 up, -1 down) at the lowest corner; the highest is its mirror.
    std::vector<double> sens(n, 0.0);
    for (const Sensibilite& s : sensibilites) {
        sens[s.piece] = s.coupurePctParPct > 0 ? -1.0 : 1.0;
    }
    const auto coin = [&](double cote) {
        std::vector<double> v = montage.valeurs;
        for (std::size_t i = 0; i < n; ++i) {
            v[i] *= 1 + cote * sens[i] * tolerances.pourcent(montage.element(i).nature) / 100;
        }
        return mesurer(montage.circuit, v, montage.frequence).coupure3dB;
    };
    // A part of small sensitivity may pull the other way once the others stand at their
    // bounds: flip, one at a time, the parts whose flip takes the corner further, until none
    // does.
    const auto pousser = [&](double cote) {
        double pire = coin(cote);
        for (bool change = true; change;) {
            change = false;
            for (std::size_t i = 0; i < n; ++i) {
                sens[i] = -sens[i];
                const double f = coin(cote);
                if (cote * (pire - f) > 0) {
                    pire = f;
                    change = true;
                } else {
                    sens[i] = -sens[i];
                }
            }
        }
        return pire;
    };
    const std::vector<double> depart = sens;
    PireCas p;
    p.coupureMin = pousser(1.0);
    sens = depart;
    p.coupureMax = pousser(-1.0);
    return p;
}

} // namespace quorvan::analyse
