// Form1 with a recording desktop and printing system: menus, "Calcul", "Impression du
// résultat", the keyboard, accessibility, About, help and Quit.

#include "circuit/Circuit.h"
#include "help/Aide.h"
#include "help/FrmAide.h"
#include "report/CommandeCalcul.h"
#include "toolkit/PictureBox.h"
#include "toolkit/RecordingDesktop.h"
#include "toolkit/Utf8.h"
#include "toolkit/printer/RecordingPrinter.h"
#include "ui/ChargementAnalyse.h"
#include "ui/Form1.h"
#include "ui/schematics/DessinSchema.h"

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

namespace quorvan {
namespace {

constexpr TypeFiltre PB = TypeFiltre::PasseBas;
constexpr TypeFiltre PH = TypeFiltre::PasseHaut;

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        form = std::make_unique<Form1>(bureau, impression);
        form->Form_Load();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
    template <typename T = QWidget>
    T* w(const char* nom) const {
        return form->findChild<T*>(nom);
    }
    QString texte(const char* nom) const { return w<QLabel>(nom)->text(); }
    void choisir(const char* actions) const {
        for (const QString& nom : QString::fromLatin1(actions).split(u' ')) {
            form->findChild<QAction*>(nom)->trigger();
        }
    }
    QStringList coches() const { // the checked menu items, sorted
        QStringList noms;
        for (const QAction* a : form->findChildren<QAction*>()) {
            noms << (a->isChecked() ? a->objectName() : QString());
        }
        noms.removeAll(QString());
        noms.sort();
        return noms;
    }
    void calculer(const char* frequence) const {
        w<QLineEdit>("TextFreq")->clear();
        QTest::keyClicks(w("TextFreq"), QString::fromLatin1(frequence));
        QTest::mouseClick(w("CmdCalcul"), Qt::LeftButton);
    }
    toolkit::RecordingDesktop bureau;
    toolkit::RecordingPrinting impression;
    std::unique_ptr<Form1> form;
};

TEST_F(Form1Test, StartsWithBesselOrder2LowPassAndTheFocusInTheFrequencyBox) {
    EXPECT_EQ(form->windowTitle(),
              "Quorvan: Calcul de Quorvan \u00E0 Amplificateurs Op\u00E9rationnels");
    EXPECT_EQ(coches(), QStringList({"MnuFiltre_0", "MnuO_2", "MnuType_0"}));
    EXPECT_EQ(texte("LblFiltre") + '|' + texte("LblType") + '|' + texte("LblOrdre"),
              "Filtre de Bessel|Passe-bas|Ordre 2");
    EXPECT_TRUE(w<QLabel>("LblFiltre")->alignment() & Qt::AlignRight); // ends by the type
    EXPECT_EQ(form->numeroImage(), 1);
    EXPECT_EQ(form->centralWidget()->size(), QSize(667, 358)); // 10005 × 5370 twips at 96 dpi
    EXPECT_TRUE(form->Resultat().isEmpty() && w<QLineEdit>("TextFreq")->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), w("TextFreq"));
    EXPECT_FALSE(form->windowIcon().isNull());
    // The diagram unscaled in the box's corner, black where its white is transparent, its
    // blue frame 5 pixels in.
    const QImage vu = w("Picture1")->grab().toImage();
    const QPoint coin = w<QFrame>("Picture1")->contentsRect().topLeft();
    EXPECT_EQ(vu.pixelColor(coin), QColor(Qt::black));
    EXPECT_EQ(vu.pixelColor(coin + QPoint(5, 5)), QColor(Qt::blue));
}

TEST_F(Form1Test, MenusKeepOneCheckMarkEachAndTheStatusLineAndPictureInStep) {
    // clang-format off
    const struct { const char* choix; int famille; int ordre; TypeFiltre type; int image; } cas[] = {
        {"MnuO_5 MnuType_1",                    0, 5, PH, 10},
        {"MnuType_1 MnuO_7",                    0, 7, PH, 12},
        {"MnuO_4 MnuFiltre_4",                  4, 4, PB,  3},
        {"MnuType_1 MnuO_3 MnuType_0",          0, 3, PB,  2},
        {"MnuO_2 MnuType_0 MnuFiltre_0",        0, 2, PB,  1},
        {"MnuType_1 MnuType_1 MnuO_6",          0, 6, PH, 11},
        {"MnuFiltre_5 MnuFiltre_3 MnuFiltre_1", 1, 2, PB,  1},
        {"MnuFiltre_2 MnuO_7",                  2, 7, PB,  6},
    };
    // clang-format on
    for (const auto& c : cas) {
        SetUp();
        choisir(c.choix);
        EXPECT_EQ(coches(), QStringList({QStringLiteral("MnuFiltre_%1").arg(c.famille),
                                         QStringLiteral("MnuO_%1").arg(c.ordre),
                                         QStringLiteral("MnuType_%1").arg(c.type == PH)}))
            << c.choix;
        EXPECT_TRUE(form->module1().NumFiltre == c.famille && form->module1().NumOrdre == c.ordre);
        EXPECT_EQ(form->numeroImage(), c.image) << c.choix;
        EXPECT_EQ(w<toolkit::PictureBox>("Picture1")->picture(),
                  schematics::imageSchema(circuit::composerCircuit(c.type, c.ordre)));
        EXPECT_EQ(texte("LblFiltre") + '|' + texte("LblType") + '|' + texte("LblOrdre"),
                  toolkit::fromUtf8(famille(c.famille).libelle) + '|' +
                      toolkit::fromUtf8(libelleType(c.type)) + "|Ordre " +
                      QString::number(c.ordre));
    }
}

// One row per kind of outcome; what each outcome says is the report's business.
TEST_F(Form1Test, CalculCarriesOutTheOutcomeInTheUsersLocale) {
    using enum ContenuResultat;
    // clang-format off
    const struct { QLocale::Language langue; const char* virgule; TypeFiltre type; const char* choix;
                   const char* frequence; ContenuResultat contenu; bool bip; bool focus; } cas[] = {
        {QLocale::French,  ",", PB, "MnuType_0 MnuFiltre_0 MnuO_2", "",     Vide,    false, true},
        {QLocale::French,  ",", PB, "MnuType_0 MnuFiltre_1 MnuO_2", "0.1",  Message, false, false},
        {QLocale::French,  ",", PH, "MnuType_1 MnuFiltre_1 MnuO_2", "1e7",  Message, true,  false},
        {QLocale::French,  ",", PH, "MnuType_1 MnuFiltre_0 MnuO_3", "2000", Rapport, false, true},
        {QLocale::English, ".", PB, "MnuType_0 MnuFiltre_4 MnuO_4", "1000", Rapport, false, true},
    };
    // clang-format on
    for (const auto& c : cas) {
        SCOPED_TRACE(c.choix);
        QLocale::setDefault(QLocale(c.langue));
        choisir(c.choix);
        Module1 module = form->module1();
        const auto attendu =
            executerCalcul(module, {c.type, famille(module.NumFiltre).libelle, libelleType(c.type)},
                           c.frequence, c.virgule);
        ASSERT_TRUE(attendu.contenu == c.contenu && attendu.bip == c.bip &&
                    attendu.focusFrequence == c.focus);
        w("CmdImprim")->setFocus();
        bureau.clear();
        calculer(c.frequence);
        ASSERT_EQ(bureau.events().size(), c.bip ? 2U : 1U); // the beep comes first
        EXPECT_EQ(bureau.events().front().kind == toolkit::RecordingDesktop::Event::Kind::Beep,
                  c.bip);
        EXPECT_EQ(bureau.events().back().text, QString::fromStdString(attendu.message));
        EXPECT_EQ(bureau.events().back().icon, toolkit::MessageIcon::None);
        EXPECT_EQ(form->Resultat(), QString::fromStdString(attendu.Resultat));
        EXPECT_EQ(QApplication::focusWidget() == w("TextFreq"), c.focus);
        choisir("MnuFiltre_3 MnuType_1 MnuO_7"); // keeps the report until the next "Calcul"
        EXPECT_EQ(form->Resultat(), QString::fromStdString(attendu.Resultat));
    }
}

// Tab follows the design's order and shows where the focus is, the picture box too; Space
// and Enter press the focused button; Enter in the frequency box does nothing, as the window
// has no default button.
TEST_F(Form1Test, TabFollowsTheDesignAndSpaceOrEnterPressTheFocusedButton) {
    const QImage sansFocus = w("Picture1")->grab().toImage();
    for (const char* nom :
         {"Picture1", "CmdCalcul", "CmdImprim", "TextFreq", "Picture1", "CmdCalcul"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), w(nom)) << nom;
        if (QApplication::focusWidget() == w("Picture1")) {
            EXPECT_NE(w("Picture1")->grab().toImage(), sansFocus) << "no focus frame";
        }
    }
    for (const auto touche : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        bureau.clear();
        QTest::keyClick(w("CmdCalcul"), touche);
        ASSERT_EQ(bureau.events().size(), 1U) << touche;
        EXPECT_TRUE(bureau.events()[0].text.startsWith(QStringLiteral("Vous devez")));
    }
    bureau.clear();
    QTest::keyClick(w("TextFreq"), Qt::Key_Return);
    EXPECT_TRUE(bureau.events().empty());
}

TEST_F(Form1Test, ControlsAndMenuItemsHaveAccessibleNamesAndAboutHasFourLines) {
    choisir("MnuFiltre_4 MnuType_1 MnuO_6 MnuAPropos");
    EXPECT_EQ(w("TextFreq")->accessibleName(), texte("Label1"));
    for (const char* nom :
         {"Picture1", "CmdCalcul", "CmdImprim", "Label2", "LblFiltre", "LblType", "LblOrdre"}) {
        // Labels announce what they show now, the status line its current selection.
        EXPECT_TRUE(w<QLabel>(nom) ? w(nom)->accessibleName() == texte(nom)
                                   : !w(nom)->accessibleName().isEmpty())
            << nom;
    }
    ASSERT_EQ(bureau.events().size(), 1U);
    EXPECT_EQ(bureau.events()[0].icon, toolkit::MessageIcon::Information);
    const QStringList lignes = bureau.events()[0].text.split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lignes.size() == 4 && lignes[1] == "Version 1 Janvier 2001" &&
                lignes[3].startsWith("Mel: "));
}

TEST_F(Form1Test, F1OpensTheHelpAlsoWhileAMenuIsOpenAndQuitClosesTheWindow) {
    QTest::keyClick(form.get(), 'S', Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    ASSERT_EQ(fenetreAide(), nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_F1);
    ASSERT_TRUE(QTest::qWaitFor([] { return fenetreAide() != nullptr; }, 2000));
    fenetreAide()->close();
    w<QMenu>("MnuStructure")->close();
    choisir("MnuQuitter");
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(bureau.events().empty());
}

bool chartsCharge() {
    QFile cartes(QStringLiteral("/proc/self/maps"));
    return cartes.open(QIODevice::ReadOnly) && cartes.readAll().contains("libQt6Charts");
}

// Nothing of the analysis before Ctrl+R, not even Qt Charts in memory; then one window, on its
// first control and on the last design, saying so when the "Calcul" after it failed, that
// follows each new one; Ctrl+R brings it back from the taskbar.
TEST_F(Form1Test, CtrlROpensTheAnalysisOnTheLastDesignAndItFollowsEachNewOne) {
    calculer("1000");
    calculer("");
    EXPECT_TRUE(form->fenetreAnalyse() == nullptr && !chartsCharge());
    QTest::keyClick(form.get(), Qt::Key_R, Qt::ControlModifier);
    QWidget* fenetre = form->fenetreAnalyse();
    ASSERT_NE(fenetre, nullptr) << bureau.events().back().text.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([fenetre] { return QApplication::activeWindow() == fenetre; }));
    EXPECT_TRUE(chartsCharge() && fenetre->isWindow());
    EXPECT_EQ(QApplication::focusWidget(), fenetre->findChild<QComboBox*>("Grandeur"));
    EXPECT_EQ(fenetre->windowTitle(), "Analyse \u2013 Filtre de Bessel, passe-bas, ordre 2, 1 kHz");
    const auto* avertissement = fenetre->findChild<QLabel*>("Avertissement");
    EXPECT_TRUE(avertissement->isVisible() &&
                avertissement->text().contains("Filtre de Bessel, passe-bas, ordre 2, 1 kHz"));
    choisir("MnuType_1 MnuO_5");
    calculer("2000");
    EXPECT_EQ(fenetre->windowTitle(),
              "Analyse \u2013 Filtre de Bessel, passe-haut, ordre 5, 2 kHz");
    EXPECT_FALSE(avertissement->isVisible());
    calculer("1e9"); // no design: the open window keeps the last one and says so
    EXPECT_TRUE(avertissement->isVisible() &&
                avertissement->text().contains("Filtre de Bessel, passe-haut, ordre 5, 2 kHz"));
    fenetre->showMinimized();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == form.get(); }));
    choisir("MnuAnalyse");
    EXPECT_TRUE(fenetre->isVisible() && !fenetre->isMinimized());
    EXPECT_EQ(form->fenetreAnalyse(), fenetre);
    fenetre->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form->fenetreAnalyse(), nullptr);
}

// A plugin that is missing, is no library, or is another plugin: the window says which file,
// and why, in French.
TEST(ChargementAnalyse, SaysInFrenchWhyThePluginCannotBeLoaded) {
    const QTemporaryDir dossier;
    QFile abime(dossier.filePath(QStringLiteral("abime.so")));
    ASSERT_TRUE(abime.open(QIODevice::WriteOnly) && abime.write("ceci n'est pas un module") > 0);
    abime.close();
    const QString autre =
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/libqminimal.so");
    ASSERT_TRUE(QFileInfo::exists(autre));
    // clang-format off
    const std::pair<QString, const char*> cas[] = {
        {dossier.filePath(QStringLiteral("absent.so")), "le module %1 est introuvable."},
        {abime.fileName(), "le module %1 n'a pas pu \u00EAtre charg\u00E9."},
        {autre,            "le fichier %1 n'est pas le module d'analyse de cette version de Quorvan."},
    };
    // clang-format on
    for (const auto& [chemin, attendu] : cas) {
        QString raison;
        EXPECT_EQ(chargerFabriqueAnalyse(chemin, raison), nullptr);
        EXPECT_EQ(raison, QString::fromUtf8(attendu).arg(chemin));
    }
}

} // namespace
} // namespace quorvan
