#include "Tableaux.h"

#include "Textes.h"
#include "toolkit/Utf8.h"

#include <QHeaderView>
#include <QLocale>
#include <QTableWidget>

namespace quorvan {

QTableWidget* tableLecture(const QString& nomObjet, const QStringList& titres,
                           const QString& nomAccessible) {
    auto* t = new QTableWidget(0, static_cast<int>(titres.size()));
    t->setObjectName(nomObjet);
    t->setHorizontalHeaderLabels(titres);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setTabKeyNavigation(false);
    t->horizontalHeader()->setStretchLastSection(true);
    t->setAccessibleName(nomAccessible);
    return t;
}

void remplir(QTableWidget* table, const QList<QStringList>& lignes) {
    table->setRowCount(static_cast<int>(lignes.size()));
    for (int ligne = 0; ligne < lignes.size(); ++ligne) {
        for (int i = 0; i < lignes[ligne].size(); ++i) {
            table->setItem(ligne, i, new QTableWidgetItem(lignes[ligne][i]));
        }
    }
    table->resizeColumnsToContents();
}

QList<QStringList> lignesComposants(TypeFiltre type, const std::vector<analyse::Ecart>& ecarts) {
    // A low-pass design numbers its capacitors, a high-pass one its resistors. Four digits
    // for a computed value; three show any standard one exactly.
    const std::string_view unite = type == TypeFiltre::PasseBas ? "F" : "\u03A9";
    QList<QStringList> lignes;
    for (const analyse::Ecart& e : ecarts) {
        lignes.append({QString::fromStdString(e.nom), texteSI(e.calculee, unite, 4),
                       texteSI(e.normalisee, unite, 3),
                       texteDecimales(e.pourcent, 2, QStringLiteral("%"))});
    }
    return lignes;
}

QList<QStringList> lignesEtages(const std::vector<analyse::Etage>& etages) {
    QList<QStringList> lignes;
    for (const analyse::Etage& e : etages) {
        QStringList noms;
        for (const std::string& n : e.composants) {
            noms << QString::fromStdString(n);
        }
        lignes.append({QStringLiteral("%1 (%2)").arg(lignes.size() + 1).arg(noms.join(u", ")),
                       texteFrequence(e.f0), QLocale().toString(e.q, 'f', 3),
                       e.poleReel ? texteFrequence(*e.poleReel) : QStringLiteral("\u2014"),
                       texteDecimales(e.gainDb(), 2, QStringLiteral("dB")),
                       texteDecimales(e.gainMaxDb(), 2, QStringLiteral("dB")),
                       texteFrequence(e.gbwMinimum())});
    }
    return lignes;
}

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
