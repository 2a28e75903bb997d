#include "TableauPieces.h"

#include "Textes.h"
#include "toolkit/Utf8.h"

namespace quorvan {

QList<QStringList> lignesPieces(const circuit::Montage& montage,
                                const analyse::SeriesPieces& series) {
    const std::vector<circuit::Piece> pieces = circuit::pieces(montage.circuit);
    QList<QStringList> lignes;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const bool resistance = montage.element(i).nature == circuit::Nature::Resistance;
        // Three digits say any value of the series.
        lignes.append(
            {QString::fromStdString(pieces[i].nom),
             texteSI(montage.valeurs[i], resistance ? "\u03A9" : "F", 3),
             toolkit::fromUtf8(resistance ? series.resistances.nom : series.condensateurs.nom),
             QString::number(pieces[i].bloc + 1)});
    }
    return lignes;
}

} // namespace quorvan
