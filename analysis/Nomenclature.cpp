#include "Nomenclature.h"

#include "report/EcritureNombres.h"
#include "report/EcritureSI.h"

#include <algorithm>
#include <cmath>

namespace quorvan::analyse {

namespace {

bool estDansSerie(double valeur, const Serie& serie) {
    return std::abs(valeurNormalisee(valeur, serie) / valeur - 1.0) < 1e-12;
}

// Three digits say every value of the series; a computed value keeps one more.
std::string valeurLue(double valeur, circuit::Nature nature, bool normalisee) {
    return ecrireSI(valeur, nature == circuit::Nature::Resistance ? "Ω" : "F", ".",
                    normalisee ? 3 : 4);
}

} // namespace

std::vector<LigneNomenclature> nomenclature(const circuit::Montage& montage, const Serie& serieR,
                                            const Serie& serieC) {
    const auto lesPieces = circuit::pieces(montage.circuit);
    std::vector<LigneNomenclature> lignes;
    for (std::size_t i = 0; i < lesPieces.size(); ++i) {
        const auto nature = montage.element(i).nature;
        const double valeur = valeurPiece(montage.valeurs[i]);
        const auto meme = std::find_if(lignes.begin(), lignes.end(), [&](const auto& ligne) {
            return ligne.nature == nature && ligne.valeur == valeur;
        });
        if (meme != lignes.end()) {
            meme->references.push_back(lesPieces[i].nom);
            continue;
        }
        const Serie& serie = nature == circuit::Nature::Resistance ? serieR : serieC;
        const bool normalisee = estDansSerie(valeur, serie);
        lignes.push_back({{lesPieces[i].nom},
                          nature,
                          valeur,
                          normalisee ? std::string(serie.nom) : std::string(),
                          valeurLue(valeur, nature, normalisee)});
    }
    std::stable_sort(lignes.begin(), lignes.end(), [](const auto& a, const auto& b) {
        if (a.nature != b.nature) {
            return a.nature == circuit::Nature::Resistance;
        }
        return a.valeur < b.valeur;
    });
    return lignes;
}

std::string nomenclatureCsv(const std::vector<LigneNomenclature>& lignes) {
    std::string csv = "reference;valeur;serie;quantite\n";
    for (const auto& ligne : lignes) {
        for (std::size_t i = 0; i < ligne.references.size(); ++i) {
            csv += (i == 0 ? "" : " ") + ligne.references[i];
        }
        csv += ';' + ligne.valeurLue + ';' + ligne.serie + ';' +
               std::to_string(ligne.references.size()) + '\n';
    }
    return csv;
}

} // namespace quorvan::analyse
