// The analysis window's "Enregistrer…": what its dialog asks, what it writes and in whose
// notation, that a file is written whole or not at all, and what the user is told.

#include "report/CommandeCalcul.h"
#include "tests/support/LimiteTaille.h"
#include "tests/support/Processus.h"
#include "toolkit/RecordingDesktop.h"
#include "ui/analyse/FenetreAnalyse.h"

#include <QApplication>
#include <QChartView>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QImageReader>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <ostream>

// Failures show the text, not its characters' codes.
void PrintTo(const QString& texte, std::ostream* flux) {
    *flux << '"' << texte.toStdString() << '"';
}

namespace quorvan {
namespace {

using Format = FenetreAnalyse::Format;

struct Filtre {
    int famille;
    int ordre;
    TypeFiltre type;
    const char* frequence;
};

Conception conception(const Filtre& f) {
    Module1 module;
    module.NumFiltre = static_cast<std::int16_t>(f.famille);
    module.NumOrdre = static_cast<std::int16_t>(f.ordre);
    return executerCalcul(module, {f.type, "", ""}, f.frequence, ",").conception;
}

// The user's locale for the windows, for as long as it lives.
class Langue {
public:
    explicit Langue(const QLocale& langue) { QLocale::setDefault(langue); }
    ~Langue() { QLocale::setDefault(avant_); }
    Langue(const Langue&) = delete;
    Langue& operator=(const Langue&) = delete;

private:
    QLocale avant_;
};

QStringList lignes(const QString& chemin) {
    return QString::fromStdString(test::lireFichier(chemin)).split(u'\n', Qt::SkipEmptyParts);
}

QStringList entrees(const QTemporaryDir& dossier) {
    return QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden);
}

void ecrire(const QString& chemin, const QByteArray& octets) {
    QFile fichier(chemin);
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    ASSERT_EQ(fichier.write(octets), octets.size());
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

// The dialog's button "Enregistrer": QFileDialog's accept() checks the name and may ask.
void accepter(QDialog* dialogue) {
    dialogue->accept();
}

void cliquerEnregistrer(FenetreAnalyse& fenetre) {
    // Qt's file dialog remembers its folders in the settings: the tests' own, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    fenetre.findChild<QPushButton*>(QStringLiteral("Enregistrer"))->click();
}

TEST(AnalyseEnregistrement, CsvIsInTheUsersNotationUnderALineNamingTheDesign) {
    struct Cas {
        QLocale langue;
        QString decimal;
    };
    const Cas cas[] = {{QLocale(QLocale::French, QLocale::France), ","},
                       {QLocale(QLocale::English, QLocale::UnitedStates), "."},
                       {QLocale(QLocale::German, QLocale::Germany), ","}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.langue.name().toStdString());
        const Langue langue(c.langue);
        toolkit::RecordingDesktop bureau;
        FenetreAnalyse fenetre(bureau, nullptr);
        fenetre.afficher(conception({1, 4, TypeFiltre::PasseBas, "1000.5"}));
        const QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("a.csv"));
        ASSERT_EQ(fenetre.enregistrerVers(chemin, Format::Csv), std::nullopt);
        const QStringList l = lignes(chemin);
        const auto& calculee = fenetre.courbeCalculee().points;
        const auto& normalisee = fenetre.courbeNormalisee().points;
        ASSERT_EQ(l.size(), 2 + static_cast<qsizetype>(calculee.size()));
        EXPECT_EQ(l[0],
                  "Filtre de Butterworth;Passe-bas;ordre 4;coupure 1000" + c.decimal + "5 Hz");
        EXPECT_EQ(l[1], "frequence_hz;gain_db;phase_deg;retard_s;gain_db_E24;phase_deg_E24;"
                        "retard_s_E24");
        for (std::size_t i = 0; i < calculee.size(); ++i) {
            const analyse::PointReponse& a = calculee[i];
            const analyse::PointReponse& b = normalisee[i];
            const double attendus[] = {a.frequence, a.gainDb,   a.phaseDeg, a.retard,
                                       b.gainDb,    b.phaseDeg, b.retard};
            const QStringList champs = l[static_cast<qsizetype>(i) + 2].split(u';');
            ASSERT_EQ(champs.size(), std::ssize(attendus));
            for (qsizetype j = 0; j < champs.size(); ++j) {
                bool lu = false;
                const double v = c.langue.toDouble(champs[j], &lu);
                EXPECT_TRUE(lu) << champs[j].toStdString();
                EXPECT_LE(std::fabs(v - attendus[j]), 5e-10 * std::fabs(attendus[j]))
                    << champs[j].toStdString();
            }
        }
    }
}

// The window's curves are the command line's, to the last digit: its --reponse with
// --decimal ",", without and with --serie E24.
TEST(AnalyseEnregistrement, CsvHoldsTheCommandLinesNumbers) {
    const Langue langue(QLocale(QLocale::French, QLocale::France));
    const Filtre filtres[] = {{3, 5, TypeFiltre::PasseHaut, "2500"},
                              {0, 2, TypeFiltre::PasseBas, "440"}};
    for (const Filtre& f : filtres) {
        SCOPED_TRACE(std::string(famille(f.famille).nomCommande) + " " + f.frequence);
        toolkit::RecordingDesktop bureau;
        FenetreAnalyse fenetre(bureau, nullptr);
        fenetre.afficher(conception(f));
        const QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("a.csv"));
        ASSERT_EQ(fenetre.enregistrerVers(chemin, Format::Csv), std::nullopt);
        const QStringList fenetreCsv = lignes(chemin).mid(2);
        const QStringList demande = {
            "--filtre",  QString::fromUtf8(famille(f.famille).nomCommande.data()),
            "--ordre",   QString::number(f.ordre),
            "--type",    QString::fromUtf8(nomCommandeType(f.type).data()),
            "--decimal", ",",
            "--reponse", "-",
            f.frequence};
        for (const QStringList& serie : {QStringList{}, QStringList{"--serie", "E24"}}) {
            const test::Sortie cli =
                test::lancer(QStringLiteral(QUORVAN_CLI), serie + demande, {"LC_ALL=C"});
            ASSERT_EQ(cli.code, 0) << cli.err;
            const QString sortie = QString::fromStdString(cli.out);
            const QStringList cliCsv = sortie.mid(sortie.indexOf(QStringLiteral("frequence_hz")))
                                           .split(u'\n', Qt::SkipEmptyParts)
                                           .mid(1);
            ASSERT_EQ(cliCsv.size(), fenetreCsv.size());
            for (qsizetype i = 0; i < cliCsv.size(); ++i) {
                const QStringList champs = fenetreCsv[i].split(u';');
                const QStringList colonnes =
                    serie.isEmpty() ? champs.mid(0, 4) : QStringList{champs[0]} + champs.mid(4);
                ASSERT_EQ(colonnes.join(u';'), cliCsv[i]);
            }
        }
    }
}

TEST(AnalyseEnregistrement, PngIsTheChart) {
    toolkit::RecordingDesktop bureau;
    FenetreAnalyse fenetre(bureau, nullptr);
    fenetre.afficher(conception({0, 2, TypeFiltre::PasseHaut, "500"}));
    const QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("a.png"));
    ASSERT_EQ(fenetre.enregistrerVers(chemin, Format::Png), std::nullopt);
    EXPECT_EQ(QImageReader(chemin).format(), "png");
    EXPECT_EQ(QImage(chemin).size(),
              fenetre.findChild<QChartView*>(QStringLiteral("Graphique"))->grab().size());
}

// A full disk, a missing folder or no design yet: the old file as it was, nothing else.
TEST(AnalyseEnregistrement, AFileIsWrittenWholeOrNotAtAll) {
    const char* const TropGrand = "taille de fichier maximale d\u00E9pass\u00E9e";
    struct Cas {
        const char* nom;
        bool calcule;
        const char* fichier;
        Format format;
        rlim_t limite;
        const char* raison;
    };
    // clang-format off
    const Cas cas[] = {
        {"CSV, full disk",       true,  "a.csv",   Format::Csv, 1000,          TropGrand},
        {"PNG, full disk",       true,  "a.png",   Format::Png, 1000,          TropGrand},
        {"missing folder",       true,  "x/a.csv", Format::Csv, RLIM_INFINITY, "dossier introuvable"},
        {"nothing calculated",   false, "a.csv",   Format::Csv, RLIM_INFINITY, "aucun filtre n'est calcul\u00E9"},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        toolkit::RecordingDesktop bureau;
        FenetreAnalyse fenetre(bureau, nullptr);
        if (c.calcule) {
            fenetre.afficher(conception({2, 6, TypeFiltre::PasseBas, "1000"}));
        }
        const QTemporaryDir dossier;
        const QString ancien = dossier.filePath(QStringLiteral("a.csv"));
        ecrire(ancien, "ancien\n");
        std::optional<QString> echec;
        {
            const test::LimiteTaille limite(c.limite);
            echec =
                fenetre.enregistrerVers(dossier.filePath(QString::fromUtf8(c.fichier)), c.format);
        }
        EXPECT_EQ(echec.value_or(QString()), QString::fromUtf8(c.raison));
        EXPECT_EQ(test::lireFichier(ancien), "ancien\n");
        EXPECT_EQ(entrees(dossier), QStringList{"a.csv"});
    }
}

// Typed without its suffix, the name of an existing file gets it before the dialog asks
// whether to replace it, and the file it asked about is the one written.
TEST(AnalyseEnregistrement, TheDialogAsksAboutTheFileItWillWrite) {
    const Langue langue(QLocale(QLocale::French, QLocale::France));
    toolkit::RecordingDesktop bureau;
    FenetreAnalyse fenetre(bureau, nullptr);
    fenetre.afficher(conception({1, 2, TypeFiltre::PasseBas, "1000"}));
    const QTemporaryDir dossier;
    const QString existant = dossier.filePath(QStringLiteral("analyse-b2.csv"));
    ecrire(existant, "ancien\n");
    for (const QMessageBox::StandardButton reponse : {QMessageBox::No, QMessageBox::Yes}) {
        SCOPED_TRACE(reponse == QMessageBox::Yes ? "replaced" : "kept");
        QString question;
        quandOuverte<QFileDialog>(&fenetre, [&](QFileDialog* dialogue) {
            quandOuverte<QMessageBox>(&fenetre, [&](QMessageBox* boite) {
                question = boite->text();
                boite->button(reponse)->click();
            });
            dialogue->selectFile(dossier.filePath(QStringLiteral("analyse-b2")));
            accepter(dialogue);
            if (dialogue->isVisible()) {
                dialogue->reject();
            }
        });
        cliquerEnregistrer(fenetre);
        EXPECT_TRUE(question.contains(QStringLiteral("analyse-b2.csv"))) << question.toStdString();
        EXPECT_EQ(entrees(dossier), QStringList{"analyse-b2.csv"});
        EXPECT_EQ(lignes(existant).value(0),
                  reponse == QMessageBox::Yes
                      ? QStringLiteral("Filtre de Butterworth;Passe-bas;ordre 2;coupure 1000 Hz")
                      : QStringLiteral("ancien"));
    }
    EXPECT_TRUE(bureau.events().empty());
}

// The chosen type gives a bare name its suffix and the file its format.
TEST(AnalyseEnregistrement, TheChosenTypeGivesSuffixAndFormat) {
    toolkit::RecordingDesktop bureau;
    FenetreAnalyse fenetre(bureau, nullptr);
    fenetre.afficher(conception({1, 2, TypeFiltre::PasseBas, "1000"}));
    const QTemporaryDir dossier;
    quandOuverte<QFileDialog>(&fenetre, [&](QFileDialog* dialogue) {
        const QString png = dialogue->nameFilters().filter(QStringLiteral("png")).value(0);
        dialogue->selectNameFilter(png);
        emit dialogue->filterSelected(png); // as the user's choice in the list does
        dialogue->selectFile(dossier.filePath(QStringLiteral("graphe")));
        accepter(dialogue);
    });
    cliquerEnregistrer(fenetre);
    EXPECT_EQ(entrees(dossier), QStringList{"graphe.png"});
    EXPECT_EQ(QImageReader(dossier.filePath(QStringLiteral("graphe.png"))).format(), "png");
    EXPECT_TRUE(bureau.events().empty());
}

TEST(AnalyseEnregistrement, AFailureIsToldToTheUser) {
    toolkit::RecordingDesktop bureau;
    FenetreAnalyse fenetre(bureau, nullptr);
    fenetre.afficher(conception({1, 2, TypeFiltre::PasseBas, "1000"}));
    const QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("courbes.csv"));
    quandOuverte<QFileDialog>(&fenetre, [&](QFileDialog* dialogue) {
        dialogue->selectFile(chemin);
        accepter(dialogue);
    });
    {
        const test::LimiteTaille limite(100);
        cliquerEnregistrer(fenetre);
    }
    ASSERT_EQ(bureau.events().size(), 1U);
    EXPECT_EQ(bureau.events()[0].text,
              QStringLiteral("Impossible d'enregistrer \u00AB %1 \u00BB : taille de fichier "
                             "maximale d\u00E9pass\u00E9e.")
                  .arg(chemin));
    EXPECT_TRUE(entrees(dossier).isEmpty());
}

} // namespace
} // namespace quorvan
