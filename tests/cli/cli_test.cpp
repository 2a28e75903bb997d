// quorvan-cli as a script sees it: what it prints on which stream, and how it exits.

#include "Version.h"
#include "tests/support/Processus.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <unistd.h>

namespace quorvan {
namespace {

test::Sortie executer(const QStringList& arguments, const QString& langue = "C") {
    return test::lancer(QStringLiteral(QUORVAN_CLI), arguments,
                        {QStringLiteral("LC_ALL=") + langue});
}

const std::string Vide = "Vous devez taper une fr\u00E9quence !\n";
const std::string Grande = "Filtre irr\u00E9alisable, fr\u00E9quence trop grande";

TEST(QuorvanCli, OutputStreamsAndExitStatus) {
    struct Cas {
        QStringList arguments;
        QString langue;
        int code;
        std::string sortie; // what standard output starts with
        std::string erreur; // the usage error on standard error, after "quorvan-cli : "
    };
    // clang-format off
    const Cas cas[] = {
        {{"--decimal", ",", "1000"}, "C", 0, "Filtre de Bessel\n\ntype : Passe-bas\nOrdre :  2\nFr\u00E9quence de coupure : 1000, Hz\nR =  10000 Ohms\nC1 = 15,916 nF\nC2 = 5,252 nF\n", ""},
        {{"--filtre=chebyshev-2", "--ordre=7", "--type=passe-haut", "--decimal=,", "--", "1 000"}, "C", 0, "Filtre de Chebyshev (ondulation +/- 2 dB)\n\ntype : Passe-haut\nOrdre :  7\nFr\u00E9quence de coupure : 1000, Hz\n", ""},
        {{"1000"}, "fr_FR.UTF-8", 0, "Filtre de Bessel\n\ntype : Passe-bas\nOrdre :  2\nFr\u00E9quence de coupure : 1000, Hz\n", ""},
        {{"1.5"}, "en_US.UTF-8", 0, "Filtre de Bessel\n\ntype : Passe-bas\nOrdre :  2\nFr\u00E9quence de coupure : 1.5 Hz\n", ""},
        {{""}, "C", 1, Vide, ""},
        {{"--", "--help"}, "C", 1, Vide, ""},
        {{"1e7"}, "C", 1, Grande + "!\n", ""},
        {{"--type", "passe-haut", "--", "-50"}, "C", 1, Grande + " !\n", ""},
        {{"-50", "--type", "passe-haut"}, "C", 1, Grande + " !\n", ""},
        {{"--version"}, "C", 0, "quorvan-cli " QUORVAN_VERSION "\n", ""},
        {{"--help"}, "C", 0, "Usage : quorvan-cli [--filtre F] [--ordre N] [--type T] [--decimal SEP]\n", ""},
        {{"1000", "-h"}, "C", 0, "Usage : quorvan-cli", ""},
        {{}, "C", 2, "", "fr\u00E9quence manquante"},
        {{"1", "2"}, "C", 2, "", "une seule fr\u00E9quence est attendue, re\u00E7u : \"2\""},
        {{"--filtre", "tchebychev", "1"}, "C", 2, "", "valeur invalide pour --filtre : \"tchebychev\" (attendu : bessel, butterworth, chebyshev-0.5, chebyshev-1, chebyshev-2 ou chebyshev-3)"},
        {{"--ordre", "8", "1"}, "C", 2, "", "valeur invalide pour --ordre : \"8\" (attendu : un ordre de 2 \u00E0 7)"},
        {{"--ordre=1", "1"}, "C", 2, "", "valeur invalide pour --ordre : \"1\" (attendu : un ordre de 2 \u00E0 7)"},
        {{"--ordre", "07", "1"}, "C", 2, "", "valeur invalide pour --ordre : \"07\" (attendu : un ordre de 2 \u00E0 7)"},
        {{"--type", "passe-bande", "1"}, "C", 2, "", "valeur invalide pour --type : \"passe-bande\" (attendu : passe-bas ou passe-haut)"},
        {{"--decimal", ";", "1"}, "C", 2, "", "valeur invalide pour --decimal : \";\" (attendu : \",\" ou \".\")"},
        {{"--spice=", "1"}, "C", 2, "", "valeur invalide pour --spice : \"\" (attendu : un nom de fichier, ou - pour la sortie)"},
        {{"--spice", "1"}, "C", 2, "", "fr\u00E9quence manquante"},
        {{"--frequence", "1000"}, "C", 2, "", "option inconnue : --frequence"},
        {{"-x", "1000"}, "C", 2, "", "option inconnue : -x"},
        {{"1000", "--ordre"}, "C", 2, "", "l'option --ordre attend une valeur"},
        {{"--filtre=bessel", "--help=1"}, "C", 2, "", "l'option --help ne prend pas de valeur"},
        {{"--serie", "E7", "1"}, "C", 2, "", "valeur invalide pour --serie : \"E7\" (attendu : E6, E12, E24, E48 ou E96)"},
        {{"--reponse=", "1"}, "C", 2, "", "valeur invalide pour --reponse : \"\" (attendu : un nom de fichier, ou - pour la sortie)"},
        {{"--spice", "a.cir", "--reponse", "./x/../a.cir", "1000"}, "C", 2, "", "les options --spice et --reponse d\u00E9signent le m\u00EAme fichier : \u00AB a.cir \u00BB et \u00AB ./x/../a.cir \u00BB"},
        {{"--reponse=-", "--spice", "-", "1000"}, "C", 2, "", "les options --spice et --reponse \u00E9crivent toutes deux sur la sortie"},
        {{"--serie", "e12", "--decimal", ",", "--type", "passe-haut", "--filtre", "butterworth", "--ordre", "4", "1000"}, "C", 0, "Filtre de Butterworth\n\ntype : Passe-haut\nOrdre :  4\nFr\u00E9quence de coupure : 1000, Hz\nC = 47, nF\nR1 = 864 Ohms\nR2 = 13545 Ohms\nR3 = 2090 Ohms\nR4 = 5551 Ohms\nValeurs normalis\u00E9es E12 :\nR1 = 820 Ohms (\u00E9cart -5,076 %)\nR2 = 15000 Ohms (\u00E9cart 10,741 %)\nR3 = 2200 Ohms (\u00E9cart 5,248 %)\nR4 = 5600 Ohms (\u00E9cart 0,878 %)\n", ""},
        {{"--serie", "E6", "1e7"}, "C", 1, Grande + "!\n", ""},
        {{"--serie", "E12", "--optimiser", "1"}, "C", 2, "", "les options --serie et --optimiser s'excluent : --optimiser choisit lui-m\u00EAme chaque valeur dans les s\u00E9ries de --serie-r et --serie-c"},
        {{"--optimiser", "--serie-r", "E6", "1"}, "C", 2, "", "valeur invalide pour --serie-r : \"E6\" (attendu : E12, E24, E48 ou E96)"},
        {{"--serie-c", "E6", "1"}, "C", 2, "", "l'option --serie-c n'a de sens qu'avec --optimiser"},
        {{"--essais", "0", "1"}, "C", 2, "", "valeur invalide pour --essais : \"0\" (attendu : un entier de 1 \u00E0 1000000)"},
        {{"--essais", "-5", "1"}, "C", 2, "", "valeur invalide pour --essais : \"-5\" (attendu : un entier de 1 \u00E0 1000000)"},
        {{"--loi", "gauss", "1"}, "C", 2, "", "l'option --loi n'a de sens qu'avec --essais"},
        {{"--essais", "9", "--tolerance-c", "100", "1"}, "C", 2, "", "valeur invalide pour --tolerance-c : \"100\" (attendu : un pourcentage d'au moins 0 et de moins de 100)"},
        {{"--essais", "9", "--loi", "Gauss", "1"}, "C", 2, "", "valeur invalide pour --loi : \"Gauss\" (attendu : uniforme ou gauss)"},
        {{"--essais", "9", "--graine", "9007199254740992", "1"}, "C", 2, "", "valeur invalide pour --graine : \"9007199254740992\" (attendu : un entier de 0 \u00E0 9007199254740991)"},
        {{"--essais", "9", "--gabarit-coupure", "0", "1"}, "C", 2, "", "valeur invalide pour --gabarit-coupure : \"0\" (attendu : un pourcentage plus grand que 0)"},
        {{"--essais", "9", "--gabarit-ondulation", "nan", "1"}, "C", 2, "", "valeur invalide pour --gabarit-ondulation : \"nan\" (attendu : des dB positifs ou nuls)"},
        {{"--gbw", "inf", "1"}, "C", 2, "", "valeur invalide pour --gbw : \"inf\" (attendu : une fr\u00E9quence en hertz plus grande que 0)"},
        {{"--gain-boucle-ouverte", "0", "1"}, "C", 2, "", "valeur invalide pour --gain-boucle-ouverte : \"0\" (attendu : des dB plus grands que 0, 200 au plus)"},
        {{"--nomenclature", "-", "--reponse", "-", "1"}, "C", 2, "", "les options --reponse et --nomenclature \u00E9crivent toutes deux sur la sortie"},
        {{"--optimiser", "--serie-c", "e6", "--nomenclature", "-", "--ordre", "3", "1000"}, "C", 0, "Filtre de Bessel\n", ""},
        {{"--essais", "50", "--loi", "gauss", "--graine", "0", "--tolerance-r", "0", "--gabarit-ondulation", "0", "1000"}, "C", 0, "Filtre de Bessel\n", ""},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const test::Sortie s = executer(c.arguments, c.langue);
        EXPECT_EQ(s.code, c.code);
        EXPECT_EQ(s.out.substr(0, c.sortie.size()), c.sortie);
        EXPECT_EQ(s.err, c.erreur.empty() ? ""
                                          : "quorvan-cli : " + c.erreur +
                                                "\nEssayez \u00AB quorvan-cli --help \u00BB.\n");
    }
}

TEST(QuorvanCliSpice, NetlistGoesToTheFileOrAfterTheReport) {
    const QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("filtre.cir"));
    const QStringList demande = {"--filtre", "chebyshev-1", "--ordre", "5", "440"};
    const test::Sortie seul = executer(demande);
    // "--spice -": the report unchanged, then the netlist from its title line on.
    const std::string sortie = executer(QStringList{"--spice", "-"} + demande).out;
    const std::string netlist = sortie.substr(sortie.find("\n* Quorvan") + 1);
    EXPECT_EQ(sortie.substr(0, sortie.size() - netlist.size()), seul.out);
    EXPECT_TRUE(netlist.ends_with("\n.end\n")) << netlist;

    const test::Sortie dansLeFichier = executer(QStringList{"--spice=" + fichier} + demande);
    EXPECT_EQ(dansLeFichier.code, 0);
    EXPECT_EQ(dansLeFichier.out, seul.out);
    EXPECT_EQ(test::lireFichier(fichier), netlist);

    // No design, no netlist; a file that cannot be written is said so, with the design shown.
    EXPECT_TRUE(QFile::remove(fichier));
    for (const QStringList& echec : {QStringList{"abc"}, QStringList{"1e7"}}) {
        EXPECT_EQ(executer(QStringList{"--spice", fichier} + echec).code, 1);
        EXPECT_FALSE(QFile::exists(fichier));
    }
    const QString absent = dossier.filePath(QStringLiteral("absent/filtre.cir"));
    const test::Sortie impossible = executer(QStringList{"--spice", absent} + demande);
    EXPECT_EQ(impossible.code, 1);
    EXPECT_EQ(impossible.out, seul.out);
    EXPECT_NE(impossible.err.find(absent.toStdString()), std::string::npos) << impossible.err;
}

TEST(QuorvanCliAnalyse, JsonNamesTheOutcomeAndGivesTheDesignInSiUnits) {
    struct Cas {
        QStringList arguments;
        int code;
        const char* issue;
        int composants;
    };
    // clang-format off
    const Cas cas[] = {
        {{"--json", "--serie", "E24", "--ordre", "3", "1000"}, 0, "realisable", 3},
        {{"--json", "abc"}, 1, "frequence-absente", 0},
        {{"--json", "0.05"}, 1, "frequence-trop-basse", 0},
        {{"--json", "--type", "passe-haut", "1e8"}, 1, "frequence-trop-grande", 0},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const test::Sortie s = executer(c.arguments, QStringLiteral("fr_FR.UTF-8"));
        EXPECT_EQ(s.code, c.code);
        const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(s.out)).object();
        EXPECT_EQ(o[QStringLiteral("issue")].toString(), QString::fromLatin1(c.issue));
        EXPECT_EQ(o[QStringLiteral("composants")].toArray().size(), c.composants);
        EXPECT_EQ(o[QStringLiteral("commun")].isNull(), c.composants == 0);
        EXPECT_EQ(o[QStringLiteral("coupure_3db_hz")].isNull(), c.composants == 0);
        EXPECT_EQ(o[QStringLiteral("gain_db")].isNull(), c.composants == 0);
        EXPECT_FALSE(o[QStringLiteral("message")].toString().isEmpty());
        // Only the options that ask for them add keys, but the GBW the op-amps need.
        EXPECT_FALSE(o.contains(QStringLiteral("optimisation")));
        EXPECT_FALSE(o.contains(QStringLiteral("monte_carlo")));
        EXPECT_EQ(o[QStringLiteral("gbw_necessaire_hz")].isNull(), c.composants == 0);
    }
    const QJsonObject o =
        QJsonDocument::fromJson(QByteArray::fromStdString(executer(cas[0].arguments).out)).object();
    EXPECT_EQ(o[QStringLiteral("filtre")].toString(), "bessel");
    EXPECT_EQ(o[QStringLiteral("type")].toString(), "passe-bas");
    EXPECT_EQ(o[QStringLiteral("serie")].toString(), "E24");
    EXPECT_EQ(o[QStringLiteral("commun")][QStringLiteral("valeur")].toDouble(), 10000);
    // C3 = 0.16 / (6.283178 × 1000 × 10000) = 2.5465 nF: just above 2.5456 nF, the middle of
    // 2.4 and 2.7 nF on a logarithmic scale.
    const QJsonObject c3 = o[QStringLiteral("composants")][2].toObject();
    EXPECT_EQ(c3[QStringLiteral("nom")].toString(), "C3");
    EXPECT_NEAR(c3[QStringLiteral("valeur")].toDouble(), 2.5464820509621086e-09, 1e-20);
    EXPECT_NEAR(c3[QStringLiteral("normalisee")].toDouble(), 2.7e-9, 1e-20);
    EXPECT_NEAR(c3[QStringLiteral("ecart_pct")].toDouble(), 6.0286, 1e-4);
    const QJsonArray etages = o[QStringLiteral("etages")].toArray();
    ASSERT_EQ(etages.size(), 1);
    EXPECT_EQ(etages[0][QStringLiteral("composants")].toArray().size(), 3);
    // The engine's 47 × 1e-9 is 4.7000000000000004e-08: the JSON and the netlist write a
    // standard part as its decimal, a computed one with every digit it needs.
    const std::string passeHaut = executer({"--json", "--spice", "-", "--type", "passe-haut",
                                            "--filtre", "butterworth", "--ordre", "4", "1000"})
                                      .out;
    for (const char* texte : {"\"valeur\": 4.7e-08\n", "\"valeur\": 863.8467660938545\n",
                              "\nC1 in A1 4.7e-08\n", "\nR1 A1 0 863.8467660938545\n"}) {
        EXPECT_NE(passeHaut.find(texte), std::string::npos) << texte << passeHaut;
    }
}

// The response on standard output after the report, periods whatever the locale; its points
// are simulation_ngspice.py's, which reads them for every family, order and type.
TEST(QuorvanCliAnalyse, ResponseIsCsvAfterTheReport) {
    const std::string sortie =
        executer({"--reponse", "-", "--filtre", "chebyshev-2", "2500"}, "fr_FR.UTF-8").out;
    const auto debut = sortie.find("frequence_hz;gain_db;phase_deg;retard_s\n");
    ASSERT_NE(debut, std::string::npos);
    EXPECT_EQ(sortie.substr(0, debut),
              executer({"--filtre", "chebyshev-2", "2500"}, "fr_FR.UTF-8").out);
    EXPECT_FALSE(QString::fromStdString(sortie.substr(debut)).contains(u','));
    // With --decimal ",", the same with commas.
    std::string virgules = sortie;
    std::replace(virgules.begin() + static_cast<std::ptrdiff_t>(debut), virgules.end(), '.', ',');
    EXPECT_EQ(executer({"--reponse", "-", "--decimal", ",", "--filtre", "chebyshev-2", "2500"},
                       "fr_FR.UTF-8")
                  .out,
              virgules);
}

// Runs quorvan-cli through the shell, which prepares its standard output or its limits.
test::Sortie executerDans(const QString& preparation, const QStringList& arguments) {
    return test::lancer(
        QStringLiteral("/bin/sh"),
        QStringList{"-c", preparation + "; exec \"$0\" \"$@\"", QStringLiteral(QUORVAN_CLI)} +
            arguments,
        {QStringLiteral("LC_ALL=C")});
}

// Whatever goes to standard output has to get there: on a full disk the run fails, though
// its files are written.
TEST(QuorvanCliFichiers, AStandardOutputThatCannotBeWrittenFailsTheRun) {
    const QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("a.cir"));
    for (const QStringList& arguments :
         {QStringList{"1000"}, QStringList{"--json", "1000"}, QStringList{"--reponse", "-", "1000"},
          QStringList{"--spice", fichier, "1000"}, QStringList{"--help"},
          QStringList{"--version"}}) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const test::Sortie s = executerDans(QStringLiteral("exec >/dev/full"), arguments);
        EXPECT_EQ(s.code, 1);
        EXPECT_EQ(s.err, "quorvan-cli : impossible d'\u00E9crire sur la sortie standard : plus de "
                         "place sur le disque\n");
    }
    EXPECT_TRUE(test::lireFichier(fichier).ends_with(".end\n"));
}

// On a full disk, a file the command line writes stays as it was, and nothing else is left.
TEST(QuorvanCliFichiers, AFileIsWrittenWholeOrNotAtAll) {
    for (const char* option : {"--spice", "--reponse"}) {
        SCOPED_TRACE(option);
        const QTemporaryDir dossier;
        const QString fichier = dossier.filePath(QStringLiteral("ancien.txt"));
        ASSERT_EQ(executer({"--spice", fichier, "--ordre", "3", "1000"}).code, 0);
        const std::string ancien = test::lireFichier(fichier);
        // Half a kilobyte at most: the order-7 netlist and the response are larger.
        const test::Sortie s =
            executerDans(QStringLiteral("ulimit -f 1"), {option, fichier, "--ordre", "7", "1000"});
        EXPECT_EQ(s.code, 1);
        EXPECT_TRUE(s.err.ends_with("\u00AB " + fichier.toStdString() +
                                    " \u00BB : taille de fichier maximale d\u00E9pass\u00E9e\n"))
            << s.err;
        EXPECT_EQ(test::lireFichier(fichier), ancien);
        EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files), QStringList{"ancien.txt"});
    }
}

// The parts list fails as every file does: on a full device, and in a folder that refuses it,
// where nothing is left. Root writes in any folder: it runs the program as nobody.
TEST(QuorvanCliFichiers, APartsListThatCannotBeWrittenFailsTheRun) {
    const QTemporaryDir dossier;
    ASSERT_TRUE(QFile::setPermissions(dossier.path(), QFile::ReadOther | QFile::ExeOther));
    for (const QString& fichier : {QStringLiteral("/dev/full"), dossier.filePath("a.csv")}) {
        const QStringList arguments = {"--nomenclature", fichier, "--optimiser", "1000"};
        const test::Sortie s =
            ::geteuid() != 0 ? executer(arguments)
                             : test::lancer("setpriv", QStringList{"--reuid=65534", "--regid=65534",
                                                                   "--clear-groups", QUORVAN_CLI} +
                                                           arguments);
        EXPECT_EQ(s.code, 1);
        EXPECT_NE(s.err.find("la nomenclature dans \u00AB " + fichier.toStdString()),
                  std::string::npos);
    }
    EXPECT_TRUE(QDir(dossier.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
}

// A link to a file names it too, whether symbolic or hard; another file does not.
TEST(QuorvanCliFichiers, TwoOptionsCannotNameOneFile) {
    const QTemporaryDir dossier;
    const QString a = dossier.filePath(QStringLiteral("a"));
    ASSERT_TRUE(QFile(a).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(a, dossier.filePath(QStringLiteral("lien"))));
    ASSERT_EQ(::link(QFile::encodeName(a).constData(),
                     QFile::encodeName(dossier.filePath(QStringLiteral("dur"))).constData()),
              0);
    for (const auto& [autre, code] : {std::pair{"lien", 2}, {"dur", 2}, {"b", 0}}) {
        SCOPED_TRACE(autre);
        const test::Sortie s = executer(
            {"--spice", a, "--reponse", dossier.filePath(QString::fromUtf8(autre)), "1000"});
        EXPECT_EQ(s.code, code) << s.err;
        EXPECT_EQ(test::lireFichier(a).empty(), code == 2);
    }
}

} // namespace
} // namespace quorvan
