// The analysis window's "Enregistrer…": its files against the command line's, written whole
// or not at all, what its dialog asks, and what the user is told.

#include "analysis/Nomenclature.h"
#include "report/CommandeCalcul.h"
#include "tests/analysis/Conceptions.h"
#include "tests/support/Processus.h"
#include "toolkit/RecordingDesktop.h"
#include "ui/analyse/FenetreAnalyse.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace quorvan {
namespace {

// A full disk without root: while it lives, no file grows past `octets` bytes, the write that
// would fails (EFBIG, SIGXFSZ ignored). Only the soft limit moves, so that it comes back.
struct LimiteTaille {
    explicit LimiteTaille(rlim_t octets) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &avant);
        const rlimit limite{octets, avant.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteTaille() { setrlimit(RLIMIT_FSIZE, &avant); }
    rlimit avant{};
};

QStringList lignes(const std::string& texte) {
    return QString::fromStdString(texte).split(u'\n', Qt::SkipEmptyParts);
}

// Runs `action` on the next modal window of type T to open, from within its own event loop.
template <typename T, typename Action>
void quandOuverte(QObject* proprietaire, Action action) {
    auto* attente = new QTimer(proprietaire);
    QObject::connect(attente, &QTimer::timeout, attente, [attente, action] {
        if (auto* fenetre = qobject_cast<T*>(QApplication::activeModalWidget())) {
            attente->stop();
            attente->deleteLater();
            action(fenetre);
        }
    });
    attente->start(10);
}

// The user's notation, a line naming the design, then the command line's --reponse to the
// last digit, without and with --serie E24, once its periods are the user's separator.
TEST(AnalyseEnregistrement, CsvIsTheCommandLinesInTheUsersNotation) {
    struct Cas {
        QLocale langue;
        int famille;
        int ordre;
        TypeFiltre type;
        const char* frequence;
        const char* premiereLigne;
    };
    // clang-format off
    const Cas cas[] = {
        {QLocale(QLocale::French, QLocale::France),        3, 5, TypeFiltre::PasseHaut, "2500.5",
         "Filtre de Chebyshev (ondulation +/- 1 dB);Passe-haut;ordre 5;coupure 2500,5 Hz"},
        {QLocale(QLocale::English, QLocale::UnitedStates), 0, 2, TypeFiltre::PasseBas,  "440",
         "Filtre de Bessel;Passe-bas;ordre 2;coupure 440 Hz"},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.premiereLigne);
        QLocale::setDefault(c.langue);
        toolkit::RecordingDesktop bureau;
        FenetreAnalyse fenetre(bureau, nullptr);
        for (const char* pieces : {"Resistances", "Condensateurs"}) {
            fenetre.findChild<QComboBox*>(QString::fromLatin1(pieces))->setCurrentText("E24");
        }
        fenetre.afficher(test::concevoir(c.famille, c.ordre, c.type, c.frequence));
        const QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("a.csv"));
        ASSERT_EQ(fenetre.enregistrerVers(chemin, FenetreAnalyse::Format::Csv), std::nullopt);
        const QStringList csv = lignes(test::lireFichier(chemin));
        EXPECT_EQ(csv.value(0), QString::fromUtf8(c.premiereLigne));
        EXPECT_EQ(csv.value(1), "frequence_hz;gain_db;phase_deg;retard_s;gain_db_E24;phase_deg_E24;"
                                "retard_s_E24");
        const QStringList demande = {
            "--filtre",  QString::fromUtf8(famille(c.famille).nomCommande.data()),
            "--ordre",   QString::number(c.ordre),
            "--type",    QString::fromUtf8(nomCommandeType(c.type).data()),
            "--reponse", "-",
            c.frequence};
        for (const QStringList& serie : {QStringList{}, QStringList{"--serie", "E24"}}) {
            const test::Sortie cli = test::lancer(QStringLiteral(QUORVAN_CLI), serie + demande);
            ASSERT_EQ(cli.code, 0) << cli.err;
            const QStringList reponse = lignes(cli.out.substr(cli.out.find("frequence_hz;")));
            ASSERT_EQ(reponse.size() + 1, csv.size());
            for (qsizetype i = 1; i < reponse.size(); ++i) {
                const QStringList champs = csv[i + 1].split(u';');
                ASSERT_EQ((serie.isEmpty() ? champs.mid(0, 4) : champs.mid(0, 1) + champs.mid(4))
                              .join(u';'),
                          QString(reponse[i]).replace(u'.', c.langue.decimalPoint()));
            }
        }
    }
    QLocale::setDefault(QLocale::c());
}

// What the user chooses in the dialog, and what is on disk and on screen after. A name typed
// without its suffix gets the chosen type's before the dialog asks whether to replace a file.
TEST(AnalyseEnregistrement, TheDialogWritesTheFileItNames) {
    const char* const Plein = "taille de fichier maximale d\u00E9pass\u00E9e";
    const auto Aucune = QMessageBox::NoButton;
    struct Cas {
        bool png;                            // the type chosen, else the proposed CSV
        const char* nom;                     // typed in the name box
        QMessageBox::StandardButton reponse; // to "replace analyse-b2.csv?", if asked
        rlim_t limite;
        const char* fichiers; // in the folder after
        const char* raison;   // of the message box, if any
    };
    // clang-format off
    const Cas cas[] = {
        {false, "analyse-b2",  QMessageBox::No,  RLIM_INFINITY, "analyse-b2.csv",            ""},
        {false, "analyse-b2",  QMessageBox::Yes, RLIM_INFINITY, "analyse-b2.csv",            ""},
        {true,  "graphe",      Aucune,           RLIM_INFINITY, "analyse-b2.csv graphe.png", ""},
        {false, "courbes.csv", Aucune,           1000,          "analyse-b2.csv",            Plein},
        {true,  "graphe.png",  Aucune,           1000,          "analyse-b2.csv",            Plein},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        toolkit::RecordingDesktop bureau;
        FenetreAnalyse fenetre(bureau, nullptr);
        fenetre.afficher(test::concevoir(1, 2, TypeFiltre::PasseBas, "1000"));
        const QTemporaryDir dossier;
        QFile existant(dossier.filePath(QStringLiteral("analyse-b2.csv")));
        ASSERT_TRUE(existant.open(QIODevice::WriteOnly) && existant.write("ancien\n") == 7);
        existant.close();
        QString question;
        quandOuverte<QFileDialog>(&fenetre, [&](QFileDialog* dialogue) {
            if (c.png) {
                const QString type = dialogue->nameFilters().filter(QStringLiteral("png"))[0];
                dialogue->selectNameFilter(type);
                emit dialogue->filterSelected(type); // as the user's choice in the list does
            }
            quandOuverte<QMessageBox>(&fenetre, [&](QMessageBox* boite) {
                question = boite->text();
                boite->button(c.reponse == Aucune ? QMessageBox::No : c.reponse)->click();
            });
            // Typed in the name box: selectFile() leaves it alone when it has the focus.
            dialogue->setDirectory(dossier.path());
            dialogue->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QString::fromUtf8(c.nom));
            static_cast<QDialog*>(dialogue)->accept(); // checks the name and may ask
            if (dialogue->isVisible()) {
                dialogue->reject();
            }
        });
        {
            // Qt's file dialog remembers its folders in the tests' settings, not the user's.
            QStandardPaths::setTestModeEnabled(true);
            const LimiteTaille limite(c.limite);
            fenetre.findChild<QPushButton*>(QStringLiteral("Enregistrer"))->click();
        }
        EXPECT_EQ(question.contains(QStringLiteral("analyse-b2.csv")), c.reponse != Aucune);
        EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden).join(u' '),
                  QString::fromUtf8(c.fichiers));
        EXPECT_EQ(lignes(test::lireFichier(dossier.filePath(QStringLiteral("analyse-b2.csv"))))[0],
                  c.reponse == QMessageBox::Yes
                      ? "Filtre de Butterworth;Passe-bas;ordre 2;coupure 1000 Hz"
                      : "ancien");
        if (QFile::exists(dossier.filePath(QStringLiteral("graphe.png")))) {
            EXPECT_EQ(QImageReader(dossier.filePath(QStringLiteral("graphe.png"))).format(), "png");
        }
        QStringList messages;
        for (const auto& e : bureau.events()) {
            messages << e.text;
        }
        EXPECT_EQ(messages.join(u'\n'),
                  *c.raison == '\0'
                      ? QString()
                      : QStringLiteral("Impossible d'enregistrer \u00AB %1 \u00BB : %2.")
                            .arg(dossier.filePath(QString::fromUtf8(c.nom)),
                                 QString::fromUtf8(c.raison)));
    }
}

// The optimised parts list as nomenclatureCsv writes it, whole or not at all.
TEST(AnalyseEnregistrement, TheNomenclatureIsWrittenWholeOrNotAtAll) {
    toolkit::RecordingDesktop bureau;
    FenetreAnalyse fenetre(bureau, nullptr);
    fenetre.afficher(test::concevoir(3, 5, TypeFiltre::PasseHaut, "2500"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return fenetre.circuitOptimise() != nullptr; }));
    const std::string attendu = analyse::nomenclatureCsv(analyse::nomenclature(
        fenetre.circuitOptimise()->montage, analyse::Series[4], analyse::Series[1]));
    const QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("nomenclature.csv"));
    ASSERT_EQ(fenetre.enregistrerNomenclatureVers(chemin), std::nullopt);
    EXPECT_EQ(test::lireFichier(chemin), attendu);
    fenetre.findChild<QComboBox*>(QStringLiteral("Resistances"))->setCurrentIndex(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fenetre.circuitOptimise() != nullptr; }));
    {
        const LimiteTaille limite(10);
        EXPECT_EQ(fenetre.enregistrerNomenclatureVers(chemin),
                  "taille de fichier maximale d\u00E9pass\u00E9e");
    }
    EXPECT_EQ(test::lireFichier(chemin), attendu);
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden).join(u' '),
              "nomenclature.csv");
}

} // namespace
} // namespace quorvan
