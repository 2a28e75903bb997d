// The analysis window on its own; Form1's tests open it through its plugin.

#include "analysis/EcartIdeal.h"
#include "analysis/Etages.h"
#include "analysis/FonctionBloc.h"
#include "analysis/GbwNecessaire.h"
#include "analysis/MonteCarlo.h"
#include "analysis/Optimisation.h"
#include "analysis/Reseau.h"
#include "analysis/ValeursNormalisees.h"
#include "report/EcritureSI.h"
#include "report/LectureSI.h"
#include "tests/analysis/Conceptions.h"
#include "toolkit/RecordingDesktop.h"
#include "ui/analyse/FenetreAnalyse.h"
#include "ui/analyse/GrapheReponse.h"
#include "ui/analyse/Histogramme.h"
#include "ui/analyse/PanneauMonteCarlo.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <numeric>

namespace quorvan {
namespace {

// The window in French, shown, so that its chart is laid out.
class AnalyseTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::French));
        fenetre = std::make_unique<FenetreAnalyse>(bureau, nullptr);
        fenetre->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre.get()));
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
    void afficher(const Conception& c) {
        fenetre->afficher(c);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !fenetre->optimisationEnCours(); }));
    }
    template <typename T = QWidget>
    T* w(const char* nom) const {
        return fenetre->findChild<T*>(QString::fromLatin1(nom));
    }
    QChartView* vue() const { return w<QChartView>("Graphique"); }
    QChart* graphe() const { return vue()->chart(); }
    QCategoryAxis* axeFrequence() const {
        return qobject_cast<QCategoryAxis*>(graphe()->axes(Qt::Horizontal).value(0));
    }
    QValueAxis* axeValeur() const {
        return qobject_cast<QValueAxis*>(graphe()->axes(Qt::Vertical).value(0));
    }
    // The chart's first series of type T, named `nom` unless none is given.
    template <typename T = QLineSeries>
    T* serie(const char* nom = nullptr) const {
        for (QAbstractSeries* s : graphe()->series()) {
            if (auto* t = qobject_cast<T*>(s); t && (!nom || s->name() == QString::fromUtf8(nom))) {
                return t;
            }
        }
        return nullptr;
    }
    QAreaSeries* bande() const { return serie<QAreaSeries>(); }
    // Texts the chart draws and shows: axis labels and the labels of marked points.
    QStringList textesVisibles() const {
        QStringList textes;
        for (const QGraphicsItem* item : graphe()->scene()->items()) {
            if (!item->isVisible()) {
                continue;
            }
            if (const auto* t = dynamic_cast<const QGraphicsTextItem*>(item)) {
                textes << t->toPlainText();
            } else if (const auto* s = dynamic_cast<const QGraphicsSimpleTextItem*>(item)) {
                textes << s->text();
            }
        }
        return textes;
    }
    QPoint pixel(double hz, double y) const { // the viewport position of a value of the chart
        return vue()->mapFromScene(
            graphe()->mapToScene(graphe()->mapToPosition({std::log10(hz), y})));
    }
    toolkit::RecordingDesktop bureau;
    std::unique_ptr<FenetreAnalyse> fenetre;
};

TEST_F(AnalyseTest, BeforeAnyDesignItSaysToCalculateFirstAndDrawsNothing) {
    EXPECT_TRUE(w<QLabel>("Resume")->text().contains(QStringLiteral("Calcul")));
    EXPECT_FALSE(w<QComboBox>("Condensateurs")->isEnabled());
    EXPECT_TRUE(graphe()->series().isEmpty());
    EXPECT_TRUE(graphe()->legend()->markers().isEmpty());
}

TEST_F(AnalyseTest, ASeriesChangeUpdatesTheTableCurvesAndSummary) {
    afficher(test::concevoir(3, 4, TypeFiltre::PasseBas, "1000"));
    auto* serieNormalisee = w<QComboBox>("Condensateurs");
    auto* table = w<QTableWidget>("Composants");
    EXPECT_EQ(serieNormalisee->currentText(), "E12");
    // C1 = 10.75 / (6.283178 × 1000 × 10000) = 171.09 nF: 180 nF in E12 (past 164.3 nF, the
    // middle of 150 and 180 on a logarithmic scale), 150 nF in E6 (below 181.7 nF).
    EXPECT_EQ(table->item(0, 1)->text(), "171,1 nF");
    EXPECT_EQ(table->item(0, 2)->text(), "180 nF");
    EXPECT_EQ(table->item(0, 3)->text(), "5,21 %");
    // Each stage's gain and highest gain from the filter's input, which says the op-amp that
    // clips first, as the analysis gives them for the circuit shown (simulation_ngspice.py checks
    // them against ngspice at each op-amp's output).
    const std::vector<analyse::Etage> attendus = analyse::etages(fenetre->circuits()[1].montage);
    const auto* etages = w<QTableWidget>("Etages");
    ASSERT_EQ(etages->rowCount(), 2);
    for (int i = 0; i < 2; ++i) {
        const auto lu = [&](int j) {
            return QLocale().toDouble(etages->item(i, j)->text().section(u' ', 0, 0));
        };
        EXPECT_TRUE(etages->item(i, 0)->text().startsWith(QStringLiteral("%1 (C").arg(i + 1)));
        EXPECT_NEAR(lu(4), attendus[static_cast<std::size_t>(i)].gainDb(), 0.005);
        EXPECT_NEAR(lu(5), attendus[static_cast<std::size_t>(i)].gainMaxDb(), 0.005);
    }
    EXPECT_TRUE(w<QLabel>("Resume")->text().startsWith(
        QStringLiteral("Gain dans la bande passante : 0,00 dB")));
    const double avant = fenetre->courbeNormalisee().caracteristiques.coupure3dB;
    serieNormalisee->setCurrentText(QStringLiteral("E6"));
    EXPECT_EQ(table->item(0, 2)->text(), "150 nF");
    EXPECT_NE(fenetre->courbeNormalisee().caracteristiques.coupure3dB, avant);
    EXPECT_EQ(fenetre->courbeCalculee().points.size(), fenetre->courbeNormalisee().points.size());
    EXPECT_TRUE(
        w<QLabel>("Resume")->text().contains(QStringLiteral("Valeurs normalis\u00E9es E6 :")));
    EXPECT_TRUE(serie("Valeurs normalis\u00E9es E6"));
    EXPECT_TRUE(serie("Valeurs calcul\u00E9es"));
    for (const QLegendMarker* m : graphe()->legend()->markers()) {
        EXPECT_FALSE(m->isVisible() && m->label().trimmed().isEmpty()) << "an unnamed entry";
    }
    for (const char* nom :
         {"Grandeur", "Resistances", "Condensateurs", "Enregistrer", "EnregistrerNomenclature",
          "Graphique", "Composants", "Pieces", "Etages"}) {
        EXPECT_FALSE(w(nom)->accessibleName().isEmpty()) << nom;
    }
    // Either series change brings optimised parts of the series as the table reads them,
    // another curve, and in the summary their deviation from the exact response.
    const Conception k = *fenetre->conception();
    const analyse::ReponseIdeale ideale(
        k.famille, k.ordre, k.type, k.frequence,
        analyse::gainBandePassante(analyse::fonctionCircuit(circuit::monter(k)), k.type));
    const auto ecart = [&](const circuit::Montage& m) {
        return analyse::ecartMaximalDb(analyse::fonctionCircuit(m), ideale,
                                       analyse::bandeComparaison(ideale));
    };
    const QRegularExpression ligne(
        QStringLiteral("Valeurs optimis\u00E9es : .* id\u00E9ale (-?[\\d,]+) dB"));
    QList<QPointF> courbe;
    for (const char* resistances : {"E96", "E12"}) {
        SCOPED_TRACE(resistances);
        w<QComboBox>("Resistances")->setCurrentText(QString::fromLatin1(resistances));
        ASSERT_TRUE(QTest::qWaitFor([this] { return fenetre->circuitOptimise() != nullptr; }));
        const circuit::Montage& m = fenetre->circuitOptimise()->montage;
        const auto* pieces = w<QTableWidget>("Pieces");
        ASSERT_EQ(pieces->rowCount(), static_cast<int>(m.valeurs.size()));
        for (int i = 0; i < pieces->rowCount(); ++i) {
            const std::string texte = pieces->item(i, 1)->text().toStdString(); // "12,1 kΩ"
            const bool condensateur = texte.ends_with('F');
            EXPECT_EQ(pieces->item(i, 2)->text(), condensateur ? "E6" : resistances);
            const double lu = lireSI(texte, condensateur ? "F" : "\u03A9").value_or(0);
            EXPECT_NEAR(lu, m.valeurs[static_cast<std::size_t>(i)], lu * 1e-9) << texte;
        }
        EXPECT_NE(serie("Valeurs optimis\u00E9es")->points(), courbe);
        courbe = serie("Valeurs optimis\u00E9es")->points();
        const QRegularExpressionMatch resume = ligne.match(w<QLabel>("Resume")->text());
        ASSERT_TRUE(resume.hasMatch());
        EXPECT_NEAR(QLocale().toDouble(resume.captured(1)), ecart(m), 0.005);
    }
}

// Every number of the window with an SI prefix, 1 to 999 before the separator (hertz below
// one excepted), never 1E+06 nor "62, nF": tables, summary, title, axis labels, marked
// points, readout; from designs below one hertz, whose lowest frequency label must stay, to
// one whose op-amps need tens of megahertz.
TEST_F(AnalyseTest, NumbersCarrySIPrefixesEverywhere) {
    const QRegularExpression valeur(
        QStringLiteral("(-?[\\d,]+) ([pn\u00B5mkMGT]?)(Hz|F|\u03A9|s)(?!\\w)"));
    // An exponent, four digits before the separator, a separator before the unit, "Ohms".
    const QRegularExpression interdit(QStringLiteral(
        "\\d[eE][+-]?\\d|(^|[^\\d,])\\d{4}|\\d[,.] [pn\u00B5mkMGT]?(Hz|F|\u03A9|s)|Ohms"));
    // Each design with its lowest frequency label: the sweep's first decade.
    const std::pair<Conception, const char*> cas[] = {
        {test::concevoir(0, 2, TypeFiltre::PasseBas, "0.5"), "0,01 Hz"},
        {test::concevoir(0, 2, TypeFiltre::PasseBas, "0.1"), "0,001 Hz"},
        {test::concevoir(1, 2, TypeFiltre::PasseHaut, "1000000"), "10 kHz"},
    };
    for (const auto& [design, plusBas] : cas) {
        SCOPED_TRACE(design.frequence);
        afficher(design);
        QTest::mouseMove(vue()->viewport(), QPoint(1, 1));
        QTest::mouseMove(vue()->viewport(), pixel(design.frequence * 3, -10));
        QStringList textes = textesVisibles();
        EXPECT_TRUE(textes.contains(QString::fromUtf8(plusBas))) << textes.join('|').toStdString();
        textes << fenetre->windowTitle() << w<QLabel>("Resume")->text() << graphe()->title();
        for (const char* table : {"Composants", "Etages", "Pieces"}) {
            const auto* t = w<QTableWidget>(table);
            for (int i = 0; i < t->rowCount(); ++i) {
                for (int j = 1; j < t->columnCount(); ++j) {
                    textes << t->item(i, j)->text();
                }
            }
        }
        int valeurs = 0;
        for (const QString& t : textes) {
            EXPECT_FALSE(t.contains(interdit)) << t.toStdString();
            for (const QRegularExpressionMatch& m : valeur.globalMatch(t)) {
                const double chiffre = QLocale().toDouble(m.captured(1));
                EXPECT_TRUE(chiffre < 1000 && (chiffre >= 1 || chiffre == 0 ||
                                               (m.captured(2).isEmpty() && m.captured(3) == "Hz")))
                    << t.toStdString();
                ++valeurs;
            }
        }
        EXPECT_GT(valeurs, 15);
    }
}

// Gain down to 80 dB below a top just above the curves, phase by 45° or 90°, delay from zero
// up to just above its peak, which the chart reaches within 1 %, in the unit its title gives.
TEST_F(AnalyseTest, TheAxesFitTheCurves) {
    for (const Conception& design : {test::concevoir(5, 6, TypeFiltre::PasseHaut, "2000"),
                                     test::concevoir(4, 7, TypeFiltre::PasseBas, "2000"),
                                     test::concevoir(0, 3, TypeFiltre::PasseHaut, "2000")}) {
        afficher(design);
        for (const int grandeur : {0, 1, 2}) {
            SCOPED_TRACE(testing::Message()
                         << design.famille << " " << design.ordre << " " << grandeur);
            w<QComboBox>("Grandeur")->setCurrentIndex(grandeur);
            double plusBas = INFINITY;
            double plusHaut = -INFINITY;
            ASSERT_GE(graphe()->series().size(), 5); // four curves, then the lines
            for (QAbstractSeries* courbe : graphe()->series().mid(0, 4)) {
                for (const QPointF& p : qobject_cast<QLineSeries*>(courbe)->points()) {
                    plusBas = std::min(plusBas, p.y());
                    plusHaut = std::max(plusHaut, p.y());
                }
            }
            // The computed circuit realises the family's exact response: the dashed curve, from
            // its poles, follows it in gain, phase (unwrapped alike) and delay.
            const QList<QPointF> ideale = serie("R\u00E9ponse id\u00E9ale")->points();
            const QList<QPointF> calculee = serie("Valeurs calcul\u00E9es")->points();
            ASSERT_EQ(ideale.size(), calculee.size());
            double ecart = 0;
            for (qsizetype i = 0; i < ideale.size(); ++i) {
                ecart = std::max(ecart, std::abs(ideale[i].y() - calculee[i].y()) /
                                            (grandeur == 2 ? calculee[i].y() : 1));
            }
            // Within what the coefficient table's rounding leaves: 1 dB, 10°, 20 %.
            EXPECT_LT(ecart, (std::array{1.0, 10.0, 0.2}[grandeur]));
            const double bas = axeValeur()->min();
            const double haut = axeValeur()->max();
            EXPECT_GT(haut, plusHaut);
            EXPECT_LT(haut - plusHaut, 0.05 * (haut - bas)) << "empty room above the curves";
            if (grandeur == 0) {
                EXPECT_NEAR(haut - bas, 80 * 1.08, 1);
            } else {
                EXPECT_LE(bas, plusBas);
            }
            if (grandeur == 1) {
                EXPECT_EQ(std::fmod(axeValeur()->tickInterval(), 45), 0);
                EXPECT_LE((haut - bas) / axeValeur()->tickInterval(), 8);
            }
            // Each value label a multiple of the step, with no more decimals than the step.
            QCoreApplication::processEvents();
            const double pas = axeValeur()->tickInterval();
            const qsizetype decimales = QString::number(pas).section(u'.', 1).size();
            int etiquettes = 0;
            for (const QString& t : textesVisibles()) {
                if (t.contains(QRegularExpression(QStringLiteral("^-?[\\d,.]+$")))) {
                    bool lu = false;
                    const double v = QLocale().toDouble(t, &lu);
                    EXPECT_TRUE(lu) << t.toStdString() << " not in the user's notation";
                    EXPECT_NEAR(v / pas, std::round(v / pas), 1e-6) << t.toStdString();
                    EXPECT_LE(t.section(u',', 1).size(), decimales) << t.toStdString();
                    ++etiquettes;
                }
            }
            EXPECT_GE(etiquettes, 3);
            if (grandeur == 2) {
                EXPECT_EQ(bas, 0);
                const QString titre = axeValeur()->titleText();
                const double unite = titre.endsWith(QStringLiteral("(\u00B5s)")) ? 1e-6
                                     : titre.endsWith(QStringLiteral("(ms)"))    ? 1e-3
                                                                                 : 0;
                // Read in that unit, the peak drawn is the analysis's, which reaches the
                // poles' own within 1 % (pics_retard_test.cpp).
                const double pic = std::ranges::max(fenetre->circuits()[0].trace, {},
                                                    &analyse::PointReponse::retard)
                                       .retard;
                const QList<QPointF> trace = serie("Valeurs calcul\u00E9es")->points();
                EXPECT_NEAR(std::ranges::max(trace, {}, &QPointF::y).y() * unite, pic, pic * 1e-9)
                    << titre.toStdString();
            }
        }
    }
}

// The −3 dB line passes through the points where each curve falls 3 dB, labelled with their
// frequency beside them.
TEST_F(AnalyseTest, TheMinus3dBLineAndItsLabelledPoints) {
    const Conception design = test::concevoir(3, 5, TypeFiltre::PasseBas, "1000");
    afficher(design);
    const QLineSeries* ligne = serie("\u22123 dB");
    ASSERT_NE(ligne, nullptr);
    ASSERT_EQ(ligne->count(), 2);
    const double niveau = ligne->at(0).y();
    EXPECT_EQ(ligne->at(1).y(), niveau);
    const double f3 = fenetre->courbeCalculee().caracteristiques.coupure3dB;
    const analyse::Reseau reseau(design);
    EXPECT_NEAR(20 * std::log10(std::abs(reseau.reponse(f3).h)), niveau, 0.01);
    for (const double f : {f3, fenetre->courbeNormalisee().caracteristiques.coupure3dB}) {
        const QString texte = QString::fromStdString(ecrireSI(f, "Hz", ",", 3));
        const QGraphicsSimpleTextItem* etiquette = nullptr;
        for (QGraphicsItem* item : graphe()->scene()->items()) {
            const auto* t = dynamic_cast<const QGraphicsSimpleTextItem*>(item);
            etiquette = t != nullptr && t->isVisible() && t->text() == texte ? t : etiquette;
        }
        ASSERT_NE(etiquette, nullptr) << texte.toStdString();
        // Beside its point, not across it.
        const QRectF boite = vue()->mapFromScene(etiquette->sceneBoundingRect()).boundingRect();
        const QPoint point = pixel(f, niveau);
        EXPECT_LT(QLineF(boite.center(), point).length(), 60) << texte.toStdString();
        EXPECT_TRUE(boite.left() > point.x() || boite.right() < point.x());
    }
    w<QComboBox>("Grandeur")->setCurrentIndex(1);
    EXPECT_EQ(serie("\u22123 dB"), nullptr) << "a gain level on the phase";
}

// The readout: the frequency under the pointer and each curve's value there, as the network
// gives it at that frequency. A rectangle dragged across the plot zooms in, labelled 1, 2, 5
// along a decade; a change of series keeps the zoom, a double-click or another curve shows the
// whole sweep.
TEST_F(AnalyseTest, TheReadoutAndTheZoomFollowThePointer) {
    const Conception design = test::concevoir(1, 4, TypeFiltre::PasseBas, "1000");
    afficher(design);
    const analyse::Reseau reseau(design);
    const QRegularExpression lu(
        QStringLiteral("^([\\d,]+) (k?)Hz \u2014 Valeurs calcul\u00E9es : (-?[\\d,]+) dB ; "
                       "Valeurs normalis\u00E9es E12 : (-?[\\d,]+) dB ; Valeurs optimis\u00E9es : "
                       "(-?[\\d,]+) dB ; R\u00E9ponse id\u00E9ale : (-?[\\d,]+) dB$"));
    for (const double f : {30.0, 800.0, 1500.0, 20000.0}) {
        QTest::mouseMove(vue()->viewport(), pixel(f, -20));
        const QRegularExpressionMatch m = lu.match(graphe()->title());
        ASSERT_TRUE(m.hasMatch()) << graphe()->title().toStdString();
        const double ici = QLocale().toDouble(m.captured(1)) * (m.captured(2).isEmpty() ? 1 : 1e3);
        EXPECT_NEAR(ici, f, f * 0.015); // a pixel is 1.2 % of frequency
        EXPECT_NEAR(QLocale().toDouble(m.captured(3)),
                    20 * std::log10(std::abs(reseau.reponse(ici).h)), 0.05);
        // Butterworth's exact response: |H|² = 1 / (1 + (f / fc)^8).
        EXPECT_NEAR(QLocale().toDouble(m.captured(6)),
                    -10 * std::log10(1 + std::pow(ici / 1000, 8)), 0.05);
    }
    QTest::mouseMove(vue()->viewport(), QPoint(2, 2));
    EXPECT_EQ(graphe()->title().trimmed(), QString()) << "outside the plot";
    QWidget* surface = vue()->viewport();
    QTest::mousePress(surface, Qt::LeftButton, {}, pixel(300, 0));
    QTest::mouseMove(surface, pixel(3000, -30));
    QTest::mouseRelease(surface, Qt::LeftButton, {}, pixel(3000, -30));
    EXPECT_NEAR(axeFrequence()->min(), std::log10(300), 0.02);
    EXPECT_NEAR(axeFrequence()->max(), std::log10(3000), 0.02);
    EXPECT_NEAR(axeValeur()->max(), 0, 1);
    EXPECT_NEAR(axeValeur()->min(), -30, 1);
    const QStringList zoome = axeFrequence()->categoriesLabels();
    EXPECT_EQ(zoome, QStringList({"500 Hz", "1 kHz", "2 kHz"}));
    w<QComboBox>("Condensateurs")->setCurrentText(QStringLiteral("E6"));
    EXPECT_EQ(axeFrequence()->categoriesLabels(), zoome);
    QTest::mouseDClick(surface, Qt::LeftButton, {}, pixel(1000, -10));
    EXPECT_NEAR(axeFrequence()->min(), 1, 1e-9);
    EXPECT_NEAR(axeFrequence()->max(), 5, 1e-9);
    EXPECT_EQ(axeFrequence()->categoriesLabels(),
              QStringList({"10 Hz", "100 Hz", "1 kHz", "10 kHz", "100 kHz"}));
    QTest::mousePress(surface, Qt::LeftButton, {}, pixel(200, 0));
    QTest::mouseMove(surface, pixel(300, -30));
    QTest::mouseRelease(surface, Qt::LeftButton, {}, pixel(300, -30));
    EXPECT_LT(axeFrequence()->max() - axeFrequence()->min(), 0.3);
    w<QComboBox>("Grandeur")->setCurrentIndex(1);
    EXPECT_NEAR(axeFrequence()->max() - axeFrequence()->min(), 4, 1e-9);
}

// The chart draws a dashed curve dashed, and nothing without curves.
TEST(GrapheReponse, DrawsDashedCurvesAndNothingWithoutCurves) {
    GrapheReponse graphe;
    GrapheReponse::Contenu contenu;
    contenu.courbes.push_back(
        {QStringLiteral("a"), {{10, 1}, {100, 2}}, GrapheReponse::Trait::Tirets});
    graphe.montrer(contenu, false);
    ASSERT_EQ(graphe.chart()->series().size(), 1);
    EXPECT_EQ(qobject_cast<QLineSeries*>(graphe.chart()->series()[0])->pen().style(), Qt::DashLine);
    graphe.montrer({}, false);
    EXPECT_TRUE(graphe.chart()->series().isEmpty());
    EXPECT_FALSE(graphe.chart()->axes(Qt::Vertical).value(0)->isVisible());
}

// Tab goes through the controls and leaves each table; the window opens on its first control
// and Esc closes it.
TEST_F(AnalyseTest, TabLeavesTheTablesAndEscCloses) {
    afficher(test::concevoir(0, 3, TypeFiltre::PasseBas, "1000"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenetre.get()));
    EXPECT_EQ(QApplication::focusWidget(), w("Grandeur"));
    auto* onglets = w<QTabWidget>("Onglets");
    const char* const communs[] = {"Resistances", "Condensateurs", "Enregistrer",
                                   "EnregistrerNomenclature", "Onglets"};
    const std::vector<const char*> pages[] = {
        {"Composants", "Pieces", "Etages", "Grandeur"},
        {"CircuitMC", "ToleranceR", "ToleranceC", "Loi", "Essais", "Graine", "LimiteCoupure",
         "EcartCoupure", "LimiteOndulation", "OndulationMax", "Gbw", "A0", "Lancer", "Centiles",
         "Sensibilites", "Grandeur"},
    };
    for (int page = 0; page < 2; ++page) {
        onglets->setCurrentIndex(page);
        w("Grandeur")->setFocus();
        for (const char* nom : communs) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QWidget* attendu = nom == communs[4] ? onglets->tabBar() : w(nom);
            EXPECT_EQ(QApplication::focusWidget(), attendu) << nom;
        }
        for (const char* nom : pages[page]) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), w(nom)) << nom;
        }
    }
    w("Composants")->setFocus();
    QTest::keyClick(w("Composants"), Qt::Key_Escape);
    EXPECT_FALSE(fenetre->isVisible());
}

// An analysis that throws is reported, and the window goes on showing the design it had.
TEST_F(AnalyseTest, AnAnalysisThatThrowsIsReportedAndTheWindowKeepsItsDesign) {
    const Conception bonne = test::concevoir(0, 2, TypeFiltre::PasseBas, "1000");
    afficher(bonne);
    const QString titre = fenetre->windowTitle();
    Conception impossible = test::concevoir(1, 7, TypeFiltre::PasseHaut, "500");
    impossible.ordre = 8; // no circuit for it
    bureau.clear();
    afficher(impossible);
    ASSERT_EQ(bureau.events().size(), 1U);
    EXPECT_TRUE(bureau.events()[0].text.startsWith(QStringLiteral("L'analyse de ce filtre")));
    EXPECT_EQ(fenetre->windowTitle(), titre);
    EXPECT_EQ(fenetre->conception()->frequence, 1000);
    EXPECT_EQ(w<QTableWidget>("Composants")->rowCount(), 2);
    const auto* avertissement = w<QLabel>("Avertissement");
    EXPECT_TRUE(avertissement->isVisible() &&
                avertissement->text().contains(titre.section(QStringLiteral(" \u2013 "), 1)));
    afficher(test::concevoir(1, 3, TypeFiltre::PasseBas, "1000"));
    EXPECT_FALSE(avertissement->isVisible());
    EXPECT_EQ(w<QTableWidget>("Composants")->rowCount(), 3);
}

// A run on the standard values, off the window's thread, shows what the analysis gives for the
// same circuit and settings, read back from the window's texts; its band lies on the gain chart.
TEST_F(AnalyseTest, MonteCarloShowsWhatTheAnalysisGives) {
    const Conception design = test::concevoir(3, 4, TypeFiltre::PasseBas, "1000");
    afficher(design);
    w<QComboBox>("CircuitMC")->setCurrentIndex(1);
    w<QComboBox>("Loi")->setCurrentIndex(1);
    w<QSpinBox>("Essais")->setValue(300);
    w<QCheckBox>("LimiteCoupure")->setChecked(true);
    w<QDoubleSpinBox>("EcartCoupure")->setValue(2);
    w<QPushButton>("Lancer")->click();
    const auto* panneau = w<PanneauMonteCarlo>("MonteCarlo");
    ASSERT_TRUE(QTest::qWaitFor([panneau] { return panneau->resultat() != nullptr; }, 20000));
    const analyse::ReglagesMonteCarlo reglages{
        .essais = 300, .tolerances = {.loi = analyse::Loi::Gauss}, .limites = {2.0, std::nullopt}};
    const auto attendu = analyse::monteCarlo(
        circuit::monter(analyse::normaliser(design, *analyse::serieNommee("E12"))), reglages);
    ASSERT_TRUE(attendu && attendu->rendementPct);
    const auto* progression = w<QProgressBar>("Progression");
    EXPECT_EQ(progression->value(), 300);
    EXPECT_EQ(progression->maximum(), 300);
    const analyse::Repartition& c = attendu->coupure3dB;
    const analyse::Repartition& o = attendu->ondulationDb;
    const std::pair<double, double> centiles[] = {{c.p1, o.p1},   {c.p5, o.p5},   {c.p50, o.p50},
                                                  {c.p95, o.p95}, {c.p99, o.p99}, {c.min, o.min},
                                                  {c.max, o.max}};
    const auto* table = w<QTableWidget>("Centiles");
    ASSERT_EQ(table->rowCount(), 7);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(lireSI(table->item(i, 1)->text().toStdString(), "Hz").value_or(0),
                    centiles[i].first, 0.5); // four digits of about a kilohertz
        EXPECT_NEAR(QLocale().toDouble(table->item(i, 2)->text().section(u' ', 0, 0)),
                    centiles[i].second, 5e-4);
    }
    const QString rendement = QLocale().toString(*attendu->rendementPct, 'f', 1);
    EXPECT_TRUE(w<QLabel>("ResumeMC")->text().contains(QStringLiteral("Rendement : ") + rendement));
    const auto* sensibilites = w<QTableWidget>("Sensibilites");
    ASSERT_EQ(sensibilites->rowCount(), static_cast<int>(attendu->sensibilites.size()));
    EXPECT_EQ(sensibilites->item(0, 0)->text().toStdString(), attendu->sensibilites[0].nom);
    EXPECT_FALSE(sensibilites->item(0, 4)->text().isEmpty());
    EXPECT_TRUE(sensibilites->item(sensibilites->rowCount() - 1, 4)->text().isEmpty());
    for (const auto& [nom, valeurs] : {std::pair{"HistoCoupure", &attendu->coupures},
                                       std::pair{"HistoOndulation", &attendu->ondulations}}) {
        const std::vector<std::size_t>& n = w<Histogramme>(nom)->effectifs();
        EXPECT_EQ(std::accumulate(n.begin(), n.end(), std::size_t{0}), valeurs->size()) << nom;
    }
    ASSERT_NE(bande(), nullptr);
    const QList<QPointF> bas = bande()->lowerSeries()->points();
    const QList<QPointF> haut = bande()->upperSeries()->points();
    ASSERT_EQ(bas.size(), static_cast<qsizetype>(attendu->frequences.size()));
    for (qsizetype i = 0; i < bas.size(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        EXPECT_NEAR(bas[i].x(), std::log10(attendu->frequences[k]), 1e-9);
        EXPECT_DOUBLE_EQ(bas[i].y(), attendu->bandeBasDb[k]);
        EXPECT_DOUBLE_EQ(haut[i].y(), attendu->bandeHautDb[k]);
    }
}

// A change of a setting or of the design stops a run and clears its results; only the run under
// way ever shows, and a circuit the analysis refuses gives a message, not a crash.
TEST_F(AnalyseTest, AChangeStopsTheRunAndNoStaleResultShows) {
    afficher(test::concevoir(1, 3, TypeFiltre::PasseBas, "1000"));
    const auto* panneau = w<PanneauMonteCarlo>("MonteCarlo");
    const auto* progression = w<QProgressBar>("Progression");
    auto* lancer = w<QPushButton>("Lancer");
    for (const auto& changer : std::vector<std::function<void()>>{
             [this] { w<QSpinBox>("Graine")->setValue(7); },
             [this] { afficher(test::concevoir(1, 5, TypeFiltre::PasseBas, "2000")); }}) {
        w<QSpinBox>("Essais")->setValue(1'000'000);
        lancer->click();
        ASSERT_TRUE(QTest::qWaitFor([progression] { return progression->value() > 0; }, 20000));
        changer();
        EXPECT_EQ(lancer->text(), QStringLiteral("&Lancer"));
        w<QSpinBox>("Essais")->setValue(200);
        lancer->click();
        ASSERT_TRUE(QTest::qWaitFor([panneau] { return panneau->resultat() != nullptr; }, 20000));
        EXPECT_EQ(panneau->resultat()->ondulations.size(), 200U);
        EXPECT_EQ(progression->maximum(), 200);
    }
    EXPECT_NEAR(panneau->resultat()->nominal.coupure3dB, 2000, 50) << "the new design's";
    // Another series leaves the computed circuit analysed here, its results and band.
    w<QComboBox>("Condensateurs")->setCurrentText(QStringLiteral("E6"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !fenetre->optimisationEnCours(); }));
    EXPECT_NE(panneau->resultat(), nullptr);
    EXPECT_NE(bande(), nullptr);
    // The optimised circuit, chosen, stays chosen while another series has it searched again.
    auto* circuit = w<QComboBox>("CircuitMC");
    circuit->setCurrentText(QStringLiteral("Valeurs optimis\u00E9es"));
    w<QComboBox>("Resistances")->setCurrentText(QStringLiteral("E24"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !fenetre->optimisationEnCours(); }));
    EXPECT_EQ(circuit->currentText(), QStringLiteral("Valeurs optimis\u00E9es"));
    w<QSpinBox>("Graine")->setValue(8);
    EXPECT_EQ(panneau->resultat(), nullptr);
    EXPECT_EQ(bande(), nullptr) << "the band stays after a change";
    circuit::Montage casse = circuit::monter(test::concevoir(1, 3, TypeFiltre::PasseBas, "1000"));
    casse.valeurs.pop_back();
    w<PanneauMonteCarlo>("MonteCarlo")->definirCircuits({{QStringLiteral("cass\u00E9"), casse}});
    bureau.clear();
    lancer->click();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !bureau.events().empty(); }, 20000));
    EXPECT_TRUE(bureau.events()[0].text.startsWith(QStringLiteral("Le calcul de Monte Carlo")));
    EXPECT_EQ(lancer->text(), QStringLiteral("&Lancer"));
}

// With a GBW typed, in SI or with a comma, the gain of the analysed circuit with that op-amp,
// as its closed form gives it; an unreadable one is refused in French; none, no curve.
TEST_F(AnalyseTest, TheRealOpAmpCurveComesWithAGbwAndGoesWithout) {
    const Conception design = test::concevoir(2, 6, TypeFiltre::PasseBas, "1000");
    afficher(design);
    const circuit::Montage montage = circuit::monter(design);
    const char* nom = "Avec ampli op r\u00E9el";
    auto* gbw = w<QLineEdit>("Gbw");
    const auto taper = [gbw](const char* texte) {
        gbw->setFocus();
        gbw->selectAll();
        QTest::keyClick(gbw, Qt::Key_Backspace);
        QTest::keyClicks(gbw, QString::fromUtf8(texte));
        QTest::keyClick(gbw, Qt::Key_Return);
    };
    for (const auto& [texte, hz] : {std::pair{"20 kHz", 2e4}, std::pair{"0,1e6", 1e5}}) {
        SCOPED_TRACE(texte);
        taper(texte);
        ASSERT_NE(serie(nom), nullptr);
        const analyse::FonctionCircuit h =
            analyse::fonctionCircuit(montage, analyse::AmpliOpReel{hz, 1e5});
        for (const QPointF& p : serie(nom)->points()) {
            const double f = std::pow(10.0, p.x());
            const double db = 20 * std::log10(std::abs(h({0, 2 * std::numbers::pi * f})));
            ASSERT_NEAR(p.y(), db, 1e-6) << f;
        }
    }
    taper("abc");
    ASSERT_EQ(bureau.events().size(), 1U);
    EXPECT_TRUE(bureau.events()[0].text.startsWith(QStringLiteral("Gain \u00D7 bande illisible")));
    EXPECT_EQ(gbw->text(), QStringLiteral("0,1e6"));
    taper("");
    EXPECT_EQ(serie(nom), nullptr);
    const double besoin = analyse::gbwNecessaire(montage, 1e5).value();
    const QString texte = w<QLabel>("BesoinAmpli")->text();
    EXPECT_NEAR(
        lireSI(texte.section(QStringLiteral(" : "), 1).section(u' ', 0, 1).toStdString(), "Hz")
            .value_or(0),
        besoin, besoin * 0.01)
        << texte.toStdString();
}

// No parts of the series realise a 1 GHz filter (its capacitors would be a tenth of a
// picofarad): the optimiser says why, the summary with it; no optimised curve, part nor list.
TEST_F(AnalyseTest, WithoutOptimisedPartsTheSummarySaysWhy) {
    Conception gigahertz = test::concevoir(1, 2, TypeFiltre::PasseBas, "1000");
    gigahertz.frequence *= 1e6;
    std::for_each(gigahertz.numerotes.begin(), gigahertz.numerotes.end(),
                  [](double& c) { c /= 1e6; });
    afficher(gigahertz);
    const std::string pourquoi =
        analyse::optimiser(gigahertz, {analyse::Series[4], analyse::Series[1]}).message;
    EXPECT_NE(pourquoi.find("10 pF"), std::string::npos) << pourquoi;
    EXPECT_TRUE(w<QLabel>("Resume")->text().contains(QString::fromStdString(pourquoi)));
    EXPECT_EQ(serie("Valeurs optimis\u00E9es"), nullptr);
    EXPECT_EQ(w<QTableWidget>("Pieces")->rowCount(), 0);
    EXPECT_FALSE(w("EnregistrerNomenclature")->isEnabled());
}

} // namespace
} // namespace quorvan
