#include "Aide.h"
#include "Form1.h"
#include "FrmAide.h"
#include "Printer.h"
#include "Printing.h"
#include "RecordingDesktop.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace quorvan {
namespace {

using toolkit::MessageIcon;
using toolkit::RecordingDesktop;
using Event = RecordingDesktop::Event;

class AucuneImprimante final : public toolkit::Printing {
public:
    std::unique_ptr<toolkit::Printer> defaultPrinter() override { return nullptr; }
};

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        form = std::make_unique<Form1>(bureau, imprimantes);
        form->Form_Load();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    template <typename T>
    T* controle(const char* nom) {
        T* w = form->findChild<T*>(QString::fromLatin1(nom));
        EXPECT_NE(w, nullptr) << nom;
        return w;
    }
    QAction* action(const QString& nom) {
        QAction* a = form->findChild<QAction*>(nom);
        EXPECT_NE(a, nullptr) << nom.toStdString();
        return a;
    }
    QString texte(const char* nom) { return controle<QLabel>(nom)->text(); }

    // The indices of the checked items of a menu-item array.
    std::vector<int> coches(const QString& tableau, int premier, int dernier) {
        std::vector<int> indices;
        for (int i = premier; i <= dernier; ++i) {
            if (action(QStringLiteral("%1_%2").arg(tableau).arg(i))->isChecked()) {
                indices.push_back(i);
            }
        }
        return indices;
    }

    void calculer(const QString& frequence) {
        auto* boite = controle<QLineEdit>("TextFreq");
        boite->clear();
        QTest::keyClicks(boite, frequence);
        QTest::mouseClick(controle<QPushButton>("CmdCalcul"), Qt::LeftButton);
    }

    RecordingDesktop bureau;
    AucuneImprimante imprimantes;
    std::unique_ptr<Form1> form;
};

TEST_F(Form1Test, StartsWithBesselOrder2LowPass) {
    EXPECT_EQ(
        form->windowTitle(),
        QString::fromUtf8("Quorvan: Calcul de Quorvan \u00E0 Amplificateurs Op\u00E9rationnels"));
    EXPECT_EQ(texte("LblFiltre"), "Filtre de Bessel");
    EXPECT_EQ(texte("LblType"), "Passe-bas");
    EXPECT_EQ(texte("LblOrdre"), "Ordre 2");
    EXPECT_EQ(coches("MnuFiltre", 0, 5), std::vector<int>{0});
    EXPECT_EQ(coches("MnuO", 2, 7), std::vector<int>{2});
    EXPECT_EQ(coches("MnuType", 0, 1), std::vector<int>{0});
    EXPECT_EQ(form->numeroImage(), 1);
    EXPECT_EQ(form->module1().NumFiltre, 0);
    EXPECT_EQ(form->module1().NumOrdre, 2);
    EXPECT_TRUE(form->Resultat().isEmpty());
    EXPECT_TRUE(controle<QLineEdit>("TextFreq")->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), controle<QLineEdit>("TextFreq"));
    EXPECT_FALSE(form->windowIcon().isNull());
}

TEST_F(Form1Test, ControlsStandWhereTheDesignPutsThem) {
    const double dpi = form->screen()->logicalDotsPerInch();
    const auto px = [dpi](int twips) { return qRound(twips * dpi / 1440.0); };
    EXPECT_EQ(form->centralWidget()->size(), QSize(px(10005), px(5370)));
    const struct {
        const char* nom;
        int left, top, width, height; // twips
    } cas[] = {
        {"Label1", 1680, 360, 2295, 255},    {"TextFreq", 1680, 720, 1935, 285},
        {"Label2", 3840, 720, 375, 255},     {"Picture1", 120, 1320, 9735, 3615},
        {"CmdCalcul", 4560, 600, 2655, 495}, {"CmdImprim", 7440, 600, 2415, 495},
        {"LblFiltre", 960, 5040, 3285, 195}, {"LblType", 4440, 5040, 885, 195},
        {"LblOrdre", 5400, 5040, 1485, 195},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const QRect design(px(c.left), px(c.top), px(c.width), px(c.height));
        const QWidget* w = controle<QWidget>(c.nom);
        if (qobject_cast<const QLabel*>(w) != nullptr) {
            // A label may grow to show its caption in a wider font, but keeps its corner on
            // the side it is aligned to.
            EXPECT_TRUE(w->geometry().contains(design));
            EXPECT_GE(w->width(), w->sizeHint().width());
        } else {
            EXPECT_EQ(w->geometry(), design);
        }
    }
    EXPECT_EQ(controle<QWidget>("LblFiltre")->geometry().right(), px(960) + px(3285) - 1);
    if (dpi == 96) {
        EXPECT_EQ(controle<QWidget>("Picture1")->contentsRect().width(), 645);
    }
}

TEST_F(Form1Test, ResizingMovesNoControl) {
    std::vector<QRect> avant;
    const auto enfants = form->centralWidget()->findChildren<QWidget*>();
    for (const QWidget* w : enfants) {
        avant.push_back(w->geometry());
    }
    form->resize(900, 600);
    QApplication::processEvents();
    form->resize(300, 200);
    QApplication::processEvents();
    for (qsizetype i = 0; i < enfants.size(); ++i) {
        EXPECT_EQ(enfants[i]->geometry(), avant[static_cast<std::size_t>(i)])
            << enfants[i]->objectName().toStdString();
    }
}

struct Sequence {
    const char* nom;
    std::vector<std::pair<const char*, int>> choix; // menu-item array, index
    int famille;
    int ordre;
    bool passeBas;
    int image;
    const char* libelleFiltre;
};

TEST_F(Form1Test, MenuChoicesKeepOneCheckMarkAndTheLabelsInStep) {
    const Sequence sequences[] = {
        {"order 5, then high-pass",
         {{"MnuO", 5}, {"MnuType", 1}},
         0,
         5,
         false,
         10,
         "Filtre de Bessel"},
        {"high-pass, then order 7",
         {{"MnuType", 1}, {"MnuO", 7}},
         0,
         7,
         false,
         12,
         "Filtre de Bessel"},
        {"Chebyshev 2 dB keeps the picture",
         {{"MnuO", 4}, {"MnuFiltre", 4}},
         4,
         4,
         true,
         3,
         "Filtre de Chebyshev (ondulation +/- 2 dB)"},
        {"back to low-pass at order 3",
         {{"MnuType", 1}, {"MnuO", 3}, {"MnuType", 0}},
         0,
         3,
         true,
         2,
         "Filtre de Bessel"},
        {"already checked items",
         {{"MnuO", 2}, {"MnuType", 0}, {"MnuFiltre", 0}},
         0,
         2,
         true,
         1,
         "Filtre de Bessel"},
        {"high-pass twice",
         {{"MnuType", 1}, {"MnuType", 1}, {"MnuO", 6}},
         0,
         6,
         false,
         11,
         "Filtre de Bessel"},
        {"every family then Butterworth",
         {{"MnuFiltre", 5}, {"MnuFiltre", 3}, {"MnuFiltre", 1}},
         1,
         2,
         true,
         1,
         "Filtre de Butterworth"},
        {"Chebyshev 0.5 dB, order 7 low-pass",
         {{"MnuFiltre", 2}, {"MnuO", 7}},
         2,
         7,
         true,
         6,
         "Filtre de Chebyshev (ondulation +/- 0.5 dB)"},
    };
    for (const Sequence& s : sequences) {
        SCOPED_TRACE(s.nom);
        form = std::make_unique<Form1>(bureau, imprimantes);
        form->Form_Load();
        for (const auto& [tableau, index] : s.choix) {
            action(QStringLiteral("%1_%2").arg(QString::fromLatin1(tableau)).arg(index))->trigger();
        }
        EXPECT_EQ(coches("MnuFiltre", 0, 5), std::vector<int>{s.famille});
        EXPECT_EQ(coches("MnuO", 2, 7), std::vector<int>{s.ordre});
        EXPECT_EQ(coches("MnuType", 0, 1), std::vector<int>{s.passeBas ? 0 : 1});
        EXPECT_EQ(form->module1().NumFiltre, s.famille);
        EXPECT_EQ(form->module1().NumOrdre, s.ordre);
        EXPECT_EQ(form->numeroImage(), s.image);
        EXPECT_EQ(texte("LblFiltre"), QString::fromUtf8(s.libelleFiltre));
        EXPECT_EQ(texte("LblType"), s.passeBas ? "Passe-bas" : "Passe-haut");
        EXPECT_EQ(texte("LblOrdre"), QStringLiteral("Ordre %1").arg(s.ordre));
    }
}

struct CasCalcul {
    const char* nom;
    bool passeHaut;
    int famille;
    int ordre;
    const char* frequence;
    bool bip;
    std::string message;
    bool focus;
    bool resultatVide;
};

TEST_F(Form1Test, CalculateCarriesOutTheOutcome) {
    const std::string pasDeFrequence = "Vous devez taper une fr\u00E9quence !";
    const std::string irrealisable = "Filtre irr\u00E9alisable, fr\u00E9quence trop ";
    const std::string rapportBessel2Haut =
        "Filtre de Bessel\r\n\r\ntype : Passe-haut\r\nOrdre :  2\r\n"
        "Fr\u00E9quence de coupure : 2000, Hz\r\nC = 0,1 \u00B5F\r\nR1 = 796 Ohms\r\n"
        "R2 = 2411 Ohms\r\n";
    const std::string rapportButterworth4Bas =
        "Filtre de Butterworth\r\n\r\ntype : Passe-bas\r\nOrdre :  4\r\n"
        "Fr\u00E9quence de coupure : 1000, Hz\r\nR =  10000 Ohms\r\nC1 = 62,389 nF\r\n"
        "C2 = 3,979 nF\r\nC3 = 25,783 nF\r\nC4 = 9,708 nF\r\n";
    const CasCalcul cas[] = {
        {"empty box", false, 0, 2, "", false, pasDeFrequence, true, true},
        {"letters, high-pass", true, 0, 2, "abc", false, pasDeFrequence, true, true},
        {"low-pass too low", false, 1, 2, "0.1", false, irrealisable + "basse !", false, false},
        {"low-pass too high", false, 1, 2, "1e7", true, irrealisable + "grande!", false, false},
        {"low-pass negative", false, 1, 2, "-50", true, irrealisable + "grande!", false, false},
        {"high-pass too high", true, 1, 2, "1e7", true, irrealisable + "grande !", false, false},
        {"high-pass too low", true, 1, 2, "0.05", true, irrealisable + "basse!", false, false},
        {"high-pass design", true, 0, 2, "2000", false, rapportBessel2Haut, true, false},
        {"low-pass design", false, 1, 4, "1 000", false, rapportButterworth4Bas, true, false},
    };
    for (const CasCalcul& c : cas) {
        SCOPED_TRACE(c.nom);
        action(QStringLiteral("MnuType_%1").arg(c.passeHaut ? 1 : 0))->trigger();
        action(QStringLiteral("MnuFiltre_%1").arg(c.famille))->trigger();
        action(QStringLiteral("MnuO_%1").arg(c.ordre))->trigger();
        controle<QPushButton>("CmdImprim")->setFocus();
        bureau.clear();
        calculer(QString::fromUtf8(c.frequence));

        const QString message = QString::fromStdString(c.message);
        std::vector<Event> attendus;
        if (c.bip) {
            attendus.push_back({Event::Kind::Beep, {}, {}, MessageIcon::None});
        }
        attendus.push_back({Event::Kind::Message, message, "Quorvan", MessageIcon::None});
        ASSERT_EQ(bureau.events().size(), attendus.size());
        for (std::size_t i = 0; i < attendus.size(); ++i) {
            EXPECT_EQ(bureau.events()[i].kind, attendus[i].kind);
            EXPECT_EQ(bureau.events()[i].text, attendus[i].text);
            EXPECT_EQ(bureau.events()[i].title, attendus[i].title);
            EXPECT_EQ(bureau.events()[i].icon, attendus[i].icon);
        }
        EXPECT_EQ(form->Resultat(), c.resultatVide ? QString() : message);
        EXPECT_EQ(QApplication::focusWidget() == controle<QLineEdit>("TextFreq"), c.focus);
    }
}

TEST_F(Form1Test, NumbersFollowTheUserDecimalSeparator) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    calculer(QStringLiteral("1000"));
    EXPECT_TRUE(
        form->Resultat().contains(QString::fromUtf8("Fr\u00E9quence de coupure : 1000. Hz\r\n")));
    EXPECT_TRUE(form->Resultat().contains(QStringLiteral("C1 = 15.916 nF\r\n")));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    calculer(QStringLiteral("1000"));
    EXPECT_TRUE(form->Resultat().contains(QStringLiteral("C1 = 15,916 nF\r\n")));
}

TEST_F(Form1Test, ChangingTheSelectionKeepsTheLastReport) {
    calculer(QStringLiteral("1000"));
    const QString rapport = form->Resultat();
    ASSERT_FALSE(rapport.isEmpty());
    action(QStringLiteral("MnuType_1"))->trigger();
    action(QStringLiteral("MnuFiltre_3"))->trigger();
    EXPECT_EQ(form->Resultat(), rapport);
}

TEST_F(Form1Test, TabMovesThroughTheFocusableControlsInDesignOrder) {
    const char* ordre[] = {"TextFreq", "Picture1", "CmdCalcul", "CmdImprim", "TextFreq"};
    for (std::size_t i = 1; i < std::size(ordre); ++i) {
        SCOPED_TRACE(ordre[i]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), controle<QWidget>(ordre[i]));
    }
}

TEST_F(Form1Test, SpaceOnTheFocusedButtonCalculates) {
    QTest::keyClicks(controle<QLineEdit>("TextFreq"), QStringLiteral("1000"));
    auto* bouton = controle<QPushButton>("CmdCalcul");
    bouton->setFocus();
    QTest::keyClick(bouton, Qt::Key_Space);
    ASSERT_EQ(bureau.events().size(), 1u);
    EXPECT_TRUE(bureau.events()[0].text.startsWith(QStringLiteral("Filtre de Bessel")));
}

TEST_F(Form1Test, AccessKeysReachEveryMenuItem) {
    QMenuBar* barre = form->menuBar();
    const struct {
        const char* menu;
        QChar cleMenu;
        QChar cleItem;
        const char* item;
    } cas[] = {
        {"MnuTypeFiltre", 'T', 'H', "MnuType_1"},
        {"MnuOrdre", 'O', '5', "MnuO_5"},
        {"MnuStructure", 'S', 'T', "MnuFiltre_1"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.menu);
        QTest::keyClick(form.get(), c.cleMenu.toLatin1(), Qt::AltModifier);
        QMenu* menu = form->findChild<QMenu*>(QString::fromLatin1(c.menu));
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
        QTest::keyClick(menu, c.cleItem.toLatin1());
        EXPECT_TRUE(QTest::qWaitFor([menu] { return !menu->isVisible(); }, 2000));
        EXPECT_TRUE(action(QString::fromLatin1(c.item))->isChecked());
    }
    EXPECT_EQ(texte("LblType"), "Passe-haut");
    EXPECT_EQ(form->numeroImage(), 10);
    EXPECT_EQ(texte("LblFiltre"), "Filtre de Butterworth");
    static_cast<void>(barre);
}

TEST_F(Form1Test, EveryControlAndMenuItemHasAnAccessibleName) {
    EXPECT_EQ(controle<QWidget>("TextFreq")->accessibleName(),
              QString::fromUtf8("Fr\u00E9quence de coupure (-3 dB) :"));
    for (const char* nom : {"Picture1", "CmdCalcul", "CmdImprim", "LblFiltre", "LblType",
                            "LblOrdre", "Label1", "Label2"}) {
        EXPECT_FALSE(controle<QWidget>(nom)->accessibleName().isEmpty()) << nom;
    }
    // The status line announces the selection as it is now, not its design-time text.
    action(QStringLiteral("MnuFiltre_4"))->trigger();
    action(QStringLiteral("MnuType_1"))->trigger();
    action(QStringLiteral("MnuO_6"))->trigger();
    for (const char* nom : {"LblFiltre", "LblType", "LblOrdre"}) {
        EXPECT_EQ(controle<QWidget>(nom)->accessibleName(), texte(nom)) << nom;
    }
    for (const QAction* a : form->findChildren<QAction*>()) {
        if (!a->isSeparator() && a->menu() == nullptr) {
            EXPECT_FALSE(a->text().isEmpty()) << a->objectName().toStdString();
        }
    }
}

TEST_F(Form1Test, AboutShowsFourLinesWithTheInformationIcon) {
    form->findChild<QAction*>(QStringLiteral("MnuAPropos"))->trigger();
    ASSERT_EQ(bureau.events().size(), 1u);
    const Event& e = bureau.events()[0];
    EXPECT_EQ(e.icon, MessageIcon::Information);
    EXPECT_EQ(e.title, "Quorvan");
    const QStringList lignes = e.text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lignes.size(), 4);
    EXPECT_EQ(lignes[0],
              QString::fromUtf8("Calcul de quorvan \u00E0 Amplificateurs Op\u00E9rationnels"));
    EXPECT_EQ(lignes[1], "Version 1 Janvier 2001");
    EXPECT_TRUE(lignes[3].startsWith(QStringLiteral("Mel: ")));
    EXPECT_GT(lignes[3].size(), 5);
}

TEST_F(Form1Test, F1OpensTheHelpAlsoWhileAMenuIsOpen) {
    QTest::keyClick(form.get(), 'S', Qt::AltModifier);
    QMenu* menu = form->findChild<QMenu*>(QStringLiteral("MnuStructure"));
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    ASSERT_EQ(fenetreAide(), nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_F1);
    ASSERT_TRUE(QTest::qWaitFor([] { return fenetreAide() != nullptr; }, 2000));
    EXPECT_TRUE(fenetreAide()->isVisible());
    fenetreAide()->close();
    menu->close();
}

TEST_F(Form1Test, QuitClosesTheWindowAtOnce) {
    action(QStringLiteral("MnuQuitter"))->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(bureau.events().empty());
}

} // namespace
} // namespace quorvan
