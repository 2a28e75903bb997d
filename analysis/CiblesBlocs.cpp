#include "CiblesBlocs.h"

#include "Etages.h"
#include "PolesFamille.h"
#include "ReponseIdeale.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>

namespace quorvan::analyse {

namespace {

// The numbered parts' time constants of the computed design, as CibleBloc::constantes has them.
std::vector<double> constantesCalculees(const circuit::Montage& m, std::size_t bloc) {
    const std::vector<std::size_t> debuts = circuit::debutsBlocs(m.circuit);
    const double omega = 2 * std::numbers::pi * m.frequence;
    double commune = 0.0;
    std::vector<double> numerotees;
    for (std::size_t i = debuts[bloc]; i < debuts[bloc + 1]; ++i) {
        if (m.element(i).numero == 0) {
            commune = m.valeurs[i];
        } else {
            numerotees.push_back(m.valeurs[i]);
        }
    }
    for (double& v : numerotees) {
        v = m.circuit.type == TypeFiltre::PasseBas ? commune * v * omega
                                                   : 1.0 / (commune * v * omega);
    }
    return numerotees;
}

// A stage of equal common parts has the denominator 1 + 3·xb·p + xa·xb·p².
std::vector<double> constantesEtage(const PaireDePoles& paire) {
    return {3 * paire.q / paire.omega0, 1 / (3 * paire.q * paire.omega0)};
}

// The section of equal common parts has the denominator
// 2 + (x1 + 5·x3)·p + (2·x2·x3 + 3·x1·x3)·p² + x1·x2·x3·p³, to be 2·(1 + p/σ)(1 + p/(ω0·Q) +
// p²/ω0²). With x1 = 2·a1 − 5·x3 and x2 = 2·a3 / (x1·x3), x3 is a root of a cubic in (0, 2·a1/5):
// there may be two, or none; the one nearest the stored row's is the circuit the diagram means.
std::vector<double> constantesSection(const PaireDePoles& paire, double reel,
                                      const std::vector<double>& ligne) {
    const double a1 = 1 / reel + 1 / (paire.omega0 * paire.q);
    const double a2 = 1 / (paire.omega0 * paire.omega0) + 1 / (reel * paire.omega0 * paire.q);
    const double a3 = 1 / (reel * paire.omega0 * paire.omega0);
    const auto equation = [&](double x3) {
        const double x1 = 2 * a1 - 5 * x3;
        return 4 * a3 + 3 * x1 * x1 * x3 - 2 * a2 * x1;
    };
    const auto solution = [&](double x3) {
        const double x1 = 2 * a1 - 5 * x3;
        return std::vector<double>{x1, 2 * a3 / (x1 * x3), x3};
    };
    const auto distance = [&ligne](const std::vector<double>& x) {
        double d = 0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            d += std::pow(std::log(x[i] / ligne[i]), 2);
        }
        return d;
    };
    std::vector<double> meilleure = ligne;
    double plusProche = std::numeric_limits<double>::infinity();
    // Sign changes on a fine logarithmic grid, then bisection.
    const double haut = 2 * a1 / 5;
    // At x3 → 0 the cubic is 4·(a3 − a1·a2) < 0, at x3 → 2·a1/5 it is 4·a3 > 0: one root at least.
    constexpr int Pas = 2000;
    double x = haut * 1e-9;
    for (int i = 1; i <= Pas; ++i) {
        const double suivant = haut * std::pow(1e-9, 1.0 - double(i) / Pas) * (1 - 1e-12);
        if ((equation(x) > 0) != (equation(suivant) > 0)) {
            double a = x;
            double b = suivant;
            for (int k = 0; k < 200 && b - a > 1e-15 * b; ++k) {
                const double m = (a + b) / 2;
                ((equation(m) > 0) == (equation(a) > 0) ? a : b) = m;
            }
            const std::vector<double> s = solution((a + b) / 2);
            if (distance(s) < plusProche) {
                plusProche = distance(s);
                meilleure = s;
            }
        }
        x = suivant;
    }
    return meilleure;
}

} // namespace

std::vector<CibleBloc> ciblesBlocs(const Conception& calculee) {
    const circuit::Montage montage = circuit::monter(calculee);
    const FonctionCircuit fonction = fonctionCircuit(montage);
    const std::vector<Etage> etagesCalcules = etages(montage);
    const PolesGroupes poles = grouper(polesFamille(calculee.famille, calculee.ordre));

    // The blocks by rising Q of their stored row.
    std::vector<std::size_t> rang(etagesCalcules.size());
    std::iota(rang.begin(), rang.end(), 0);
    std::sort(rang.begin(), rang.end(), [&](std::size_t a, std::size_t b) {
        return etagesCalcules[a].q < etagesCalcules[b].q;
    });
    std::vector<CibleBloc> cibles(etagesCalcules.size());
    for (std::size_t k = 0; k < rang.size(); ++k) {
        const std::size_t b = rang[k];
        const PaireDePoles& paire = poles.paires[k];
        CibleBloc& cible = cibles[b];
        const Complexe haut = std::polar(paire.omega0, std::acos(-1 / (2 * paire.q)));
        cible.poles = {haut, std::conj(haut)};
        cible.gain =
            gainBandePassante({{fonction.blocs[b]}, fonction.omegaReference}, calculee.type);
        if (montage.circuit.blocs[b].genre == circuit::GenreBloc::Section) {
            cible.poles.emplace_back(-*poles.reel, 0.0);
            cible.constantes =
                constantesSection(paire, *poles.reel, constantesCalculees(montage, b));
        } else {
            cible.constantes = constantesEtage(paire);
        }
    }
    return cibles;
}

} // namespace quorvan::analyse
