// The analysis window on its own; Form1's tests open it through its plugin.

#include "report/CommandeCalcul.h"
#include "toolkit/RecordingDesktop.h"
#include "ui/analyse/FenetreAnalyse.h"

#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace quorvan {
namespace {

Conception conception(int famille, int ordre, TypeFiltre type, const char* frequence) {
    Module1 module;
    module.NumFiltre = static_cast<std::int16_t>(famille);
    module.NumOrdre = static_cast<std::int16_t>(ordre);
    return executerCalcul(module, {type, "", ""}, frequence, ",").conception;
}

TEST(Analyse, BeforeAnyDesignItSaysToCalculateFirst) {
    toolkit::RecordingDesktop bureau;
    FenetreAnalyse fenetre(bureau, nullptr);
    EXPECT_TRUE(fenetre.findChild<QLabel*>(QStringLiteral("Resume"))
                    ->text()
                    .contains(QStringLiteral("Calcul")));
    EXPECT_FALSE(fenetre.findChild<QComboBox*>(QStringLiteral("Serie"))->isEnabled());
}

TEST(Analyse, ASeriesChangeUpdatesTheTableCurvesAndSummary) {
    QLocale::setDefault(QLocale(QLocale::French));
    toolkit::RecordingDesktop bureau;
    FenetreAnalyse fenetre(bureau, nullptr);
    fenetre.afficher(conception(3, 4, TypeFiltre::PasseBas, "1000"));
    auto* serie = fenetre.findChild<QComboBox*>(QStringLiteral("Serie"));
    auto* table = fenetre.findChild<QTableWidget*>(QStringLiteral("Composants"));
    EXPECT_EQ(serie->currentText(), "E24");
    // C1 = 10.75 / (6.283178 × 1000 × 10000) = 171.1 nF: 180 nF in E24 (past 169.7 nF, the
    // middle of 160 and 180 on a logarithmic scale), 150 nF in E6 (below 181.7 nF).
    EXPECT_EQ(table->item(0, 1)->text(), "0,171 \u00B5F");
    EXPECT_EQ(table->item(0, 2)->text(), "0,18 \u00B5F");
    EXPECT_EQ(table->item(0, 3)->text(), "5,21 %");
    const double avant = fenetre.courbeNormalisee().caracteristiques.coupure3dB;
    serie->setCurrentText(QStringLiteral("E6"));
    EXPECT_EQ(table->item(0, 2)->text(), "0,15 \u00B5F");
    EXPECT_NE(fenetre.courbeNormalisee().caracteristiques.coupure3dB, avant);
    EXPECT_EQ(fenetre.courbeCalculee().points.size(), fenetre.courbeNormalisee().points.size());
    EXPECT_NE(fenetre.findChild<QLabel*>(QStringLiteral("Resume"))
                  ->text()
                  .indexOf(QStringLiteral("valeurs normalis\u00E9es E6")),
              -1);
    QStringList noms;
    for (const QAbstractSeries* s :
         fenetre.findChild<QChartView*>(QStringLiteral("Graphique"))->chart()->series()) {
        noms << s->name();
    }
    EXPECT_TRUE(noms.contains(QString::fromUtf8("Valeurs normalis\u00E9es E6")));
    EXPECT_TRUE(noms.contains(QString::fromUtf8("Valeurs calcul\u00E9es")));
    for (const char* nom :
         {"Grandeur", "Serie", "Enregistrer", "Graphique", "Composants", "Etages"}) {
        EXPECT_FALSE(
            fenetre.findChild<QWidget*>(QString::fromLatin1(nom))->accessibleName().isEmpty())
            << nom;
    }
    QLocale::setDefault(QLocale::c());
}

} // namespace
} // namespace quorvan
