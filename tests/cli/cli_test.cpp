// quorvan-cli as a script sees it: what it prints on which stream, and how it exits.

#include "tests/support/Processus.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

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
        {{"--version"}, "C", 0, "quorvan-cli 1.00\n", ""},
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

// "--spice -": the report unchanged, then the netlist from its title line on.
std::pair<std::string, std::string> rapportEtNetlist(const std::string& sortie) {
    const auto debut = sortie.find("\n* Quorvan");
    return debut == std::string::npos
               ? std::pair{sortie, std::string()}
               : std::pair{sortie.substr(0, debut + 1), sortie.substr(debut + 1)};
}

TEST(QuorvanCliSpice, NetlistGoesToTheFileOrAfterTheReport) {
    const QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("filtre.cir"));
    const QStringList demande = {"--filtre", "chebyshev-1", "--ordre", "5", "440"};
    const test::Sortie seul = executer(demande);
    const auto [rapport, netlist] =
        rapportEtNetlist(executer(QStringList{"--spice", "-"} + demande).out);
    EXPECT_EQ(rapport, seul.out);
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

} // namespace
} // namespace quorvan
