#include "ValeursNormalisees.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace quorvan::analyse {

std::optional<Serie> serieNommee(std::string_view nom) {
    for (const Serie& s : Series) {
        if (s.nom == nom) {
            return s;
        }
    }
    return std::nullopt;
}

namespace {

// v × 10^e, rounded once: the double nearest to the decimal value, as its literal would be.
double decimal(int v, int e) {
    constexpr std::array<double, 23> Puissances = {
        1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22,
    };
    if (std::abs(e) >= static_cast<int>(Puissances.size())) {
        return v * std::pow(10.0, e); // far outside any component's range
    }
    const auto p = static_cast<std::size_t>(std::abs(e));
    return e >= 0 ? v * Puissances[p] : v / Puissances[p];
}

} // namespace

double valeurNormalisee(double valeur, const Serie& serie) {
    // The table's integers times powers of ten around the value: its decade and the next and
    // previous ones, which also covers a decade that log10's rounding put one off.
    const int chiffres = serie.echelle == 10 ? 1 : 2;
    const int decade = static_cast<int>(std::floor(std::log10(valeur))) - chiffres;
    double meilleure = 0.0;
    double ecart = std::numeric_limits<double>::infinity();
    for (int e = decade - 1; e <= decade + 1; ++e) {
        for (const int v : serie.valeurs) {
            const double candidate = decimal(v, e);
            const double d = std::fabs(std::log(candidate / valeur));
            if (d < ecart || (d == ecart && candidate < meilleure)) {
                meilleure = candidate;
                ecart = d;
            }
        }
    }
    return meilleure;
}

std::vector<double> valeursEntre(const Serie& serie, double plusPetite, double plusGrande) {
    std::vector<double> valeurs;
    const int chiffres = serie.echelle == 10 ? 1 : 2;
    for (int e = static_cast<int>(std::floor(std::log10(plusPetite))) - chiffres - 1;
         e <= static_cast<int>(std::ceil(std::log10(plusGrande))); ++e) {
        for (const int v : serie.valeurs) {
            const double valeur = decimal(v, e);
            if (valeur >= plusPetite && valeur <= plusGrande) {
                valeurs.push_back(valeur);
            }
        }
    }
    return valeurs;
}

Conception normaliser(Conception conception, const Serie& serie) {
    for (int i = 1; i <= conception.ordre; ++i) {
        double& v = conception.numerotes.at(static_cast<std::size_t>(i));
        v = valeurNormalisee(v, serie);
    }
    return conception;
}

std::vector<Ecart> ecarts(const Conception& calculee, const Conception& normalisee) {
    std::vector<Ecart> resultat;
    for (int i = 1; i <= calculee.ordre; ++i) {
        const double c = calculee.numerotes.at(static_cast<std::size_t>(i));
        const double n = normalisee.numerotes.at(static_cast<std::size_t>(i));
        resultat.push_back({nomComposant(calculee.type, i), c, n, (n - c) / c * 100});
    }
    return resultat;
}

} // namespace quorvan::analyse
