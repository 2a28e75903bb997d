// Runs the real quorvan-cli binary and checks what it prints and how it exits.

#include "Fichiers.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Sortie {
    std::string out;
    std::string err;
    int code = -1;
};

// `arguments` is shell text; `environnement` is prefixed to the command (VAR=value ...).
Sortie executer(const std::string& arguments, const std::string& environnement = "LC_ALL=C") {
    // A file per run: several test processes may run at once.
    const quorvan::test::DossierTemporaire dossier;
    const std::string err = dossier.fichier("stderr");
    const std::string commande =
        "env " + environnement + " " + QUORVAN_CLI + " " + arguments + " 2>" + err;
    Sortie s;
    FILE* tube = popen(commande.c_str(), "r");
    if (tube == nullptr) {
        return s;
    }
    std::array<char, 4096> tampon{};
    std::size_t n = 0;
    while ((n = fread(tampon.data(), 1, tampon.size(), tube)) > 0) {
        s.out.append(tampon.data(), n);
    }
    const int statut = pclose(tube);
    s.code = WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
    s.err = quorvan::test::lireFichier(err);
    return s;
}

TEST(QuorvanCli, PrintsTheReportWithUnixLineEnds) {
    const Sortie s = executer("--decimal , 1000");
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.out, "Filtre de Bessel\n\ntype : Passe-bas\nOrdre :  2\n"
                     "Fr\u00E9quence de coupure : 1000, Hz\nR =  10000 Ohms\n"
                     "C1 = 15,916 nF\nC2 = 5,252 nF\n");
    EXPECT_EQ(s.err, "");
}

TEST(QuorvanCli, HighPassButterworthOrder4) {
    const Sortie s = executer("--filtre butterworth --ordre 4 --type passe-haut --decimal . 1000");
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.out, "Filtre de Butterworth\n\ntype : Passe-haut\nOrdre :  4\n"
                     "Fr\u00E9quence de coupure : 1000. Hz\nC = 47. nF\nR1 = 864 Ohms\n"
                     "R2 = 13545 Ohms\nR3 = 2090 Ohms\nR4 = 5551 Ohms\n");
}

TEST(QuorvanCli, FailureMessagesExitWith1) {
    const struct {
        const char* arguments;
        const char* sortie;
    } cas[] = {
        {"''", "Vous devez taper une fr\u00E9quence !\n"},
        {"abc", "Vous devez taper une fr\u00E9quence !\n"},
        {"0.05", "Filtre irr\u00E9alisable, fr\u00E9quence trop basse !\n"},
        {"1e7", "Filtre irr\u00E9alisable, fr\u00E9quence trop grande!\n"},
        {"--type passe-haut -- -50", "Filtre irr\u00E9alisable, fr\u00E9quence trop grande !\n"},
        {"--type passe-haut 0.01", "Filtre irr\u00E9alisable, fr\u00E9quence trop basse!\n"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.arguments);
        const Sortie s = executer(c.arguments);
        EXPECT_EQ(s.code, 1);
        EXPECT_EQ(s.out, c.sortie);
    }
}

TEST(QuorvanCli, UsageErrorsGoToStandardErrorAndExitWith2) {
    for (const char* arguments : {"", "--ordre 9 1000", "--filtre x 1000", "1 2", "--nope 1"}) {
        SCOPED_TRACE(arguments);
        const Sortie s = executer(arguments);
        EXPECT_EQ(s.code, 2);
        EXPECT_EQ(s.out, "");
        EXPECT_NE(s.err.find("quorvan-cli"), std::string::npos);
    }
}

TEST(QuorvanCli, DecimalSeparatorFollowsTheUserLocaleByDefault) {
    EXPECT_NE(executer("1000", "LC_ALL=fr_FR.UTF-8").out.find("coupure : 1000, Hz"),
              std::string::npos);
    EXPECT_NE(executer("1000", "LC_ALL=en_US.UTF-8").out.find("coupure : 1000. Hz"),
              std::string::npos);
    EXPECT_NE(executer("1000", "LC_ALL=C").out.find("coupure : 1000. Hz"), std::string::npos);
    // The frequency is read with the period whatever the locale.
    EXPECT_NE(executer("1.5", "LC_ALL=fr_FR.UTF-8").out.find("coupure : 1,5 Hz"),
              std::string::npos);
}

TEST(QuorvanCli, HelpAndVersion) {
    const Sortie aide = executer("--help");
    EXPECT_EQ(aide.code, 0);
    EXPECT_NE(aide.out.find("Usage : quorvan-cli"), std::string::npos);
    const Sortie version = executer("--version");
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "quorvan-cli 1.00\n");
}

bool existe(const std::string& chemin) {
    struct stat s {};
    return stat(chemin.c_str(), &s) == 0;
}

// The standard output of "--spice -": the report, then the netlist from its title line on.
struct RapportEtNetlist {
    std::string rapport;
    std::string netlist;
};

RapportEtNetlist separer(const std::string& sortie) {
    const auto debut = sortie.find("\n* Quorvan");
    if (debut == std::string::npos) {
        return {sortie, ""};
    }
    return {sortie.substr(0, debut + 1), sortie.substr(debut + 1)};
}

TEST(QuorvanCliSpice, NetlistFollowsTheUnchangedReportOnStandardOutput) {
    for (const char* arguments : {"--decimal , 1000", "--type passe-haut --ordre 5 2e3"}) {
        SCOPED_TRACE(arguments);
        const Sortie seul = executer(arguments);
        const Sortie avec = executer(std::string("--spice - ") + arguments);
        EXPECT_EQ(avec.code, 0);
        const RapportEtNetlist r = separer(avec.out);
        EXPECT_EQ(r.rapport, seul.out);
        EXPECT_TRUE(r.netlist.ends_with("\n.end\n")) << r.netlist;
    }
}

TEST(QuorvanCliSpice, FileHoldsTheNetlistAndStandardOutputOnlyTheReport) {
    const quorvan::test::DossierTemporaire dossier;
    const std::string fichier = dossier.fichier("filtre.cir");
    const Sortie s = executer("--filtre chebyshev-1 --ordre 6 --spice=" + fichier + " 440");
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.out, executer("--filtre chebyshev-1 --ordre 6 440").out);
    EXPECT_EQ(quorvan::test::lireFichier(fichier),
              separer(executer("--filtre chebyshev-1 --ordre 6 --spice - 440").out).netlist);
}

TEST(QuorvanCliSpice, FailedDesignWritesNoNetlist) {
    const quorvan::test::DossierTemporaire dossier;
    for (const char* arguments : {"''", "abc", "0.05", "1e7", "--type passe-haut 0.01"}) {
        SCOPED_TRACE(arguments);
        const std::string fichier = dossier.fichier("filtre.cir");
        const Sortie s = executer("--spice " + fichier + " " + arguments);
        EXPECT_EQ(s.code, 1);
        EXPECT_FALSE(existe(fichier));
        const Sortie surLaSortie = executer(std::string("--spice - ") + arguments);
        EXPECT_EQ(surLaSortie.code, 1);
        EXPECT_EQ(surLaSortie.out, executer(arguments).out);
    }
}

TEST(QuorvanCliSpice, UnwritableFileIsReportedAndExitsWith1) {
    const quorvan::test::DossierTemporaire dossier;
    const Sortie s = executer("--spice " + dossier.fichier("absent/filtre.cir") + " 1000");
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.out, executer("1000").out); // the design is still shown
    EXPECT_NE(s.err.find("absent/filtre.cir"), std::string::npos) << s.err;
}

// Each reported value is the netlist's value rounded: to three decimals in its unit for a
// capacitor, to the ohm for a resistor. The common value is the first of its kind drawn.
TEST(QuorvanCliSpice, NetlistHoldsTheReportedValuesUnrounded) {
    for (const char* arguments :
         {"--ordre 3 1000", "--filtre butterworth --ordre 4 --type passe-haut 1000",
          "--filtre chebyshev-3 --ordre 7 20000",
          "--filtre chebyshev-1 --ordre 5 --type "
          "passe-haut 2"}) {
        SCOPED_TRACE(arguments);
        const Sortie s = executer(std::string("--decimal . --spice - ") + arguments);
        ASSERT_EQ(s.code, 0);
        const RapportEtNetlist r = separer(s.out);
        std::istringstream rapport(r.rapport);
        int compares = 0;
        for (std::string ligne; std::getline(rapport, ligne);) {
            std::istringstream champs(ligne);
            std::string nom, egal, valeur, unite;
            if (!(champs >> nom >> egal >> valeur >> unite) || egal != "=" ||
                (nom.front() != 'R' && nom.front() != 'C')) {
                continue;
            }
            const std::string element = nom.size() == 1 ? nom + "1" : nom;
            const auto debut = r.netlist.find("\n" + element + " ");
            ASSERT_NE(debut, std::string::npos) << element;
            const std::string ligneNetlist =
                r.netlist.substr(debut + 1, r.netlist.find('\n', debut + 1) - debut - 1);
            const std::string exacte = ligneNetlist.substr(ligneNetlist.rfind(' ') + 1);
            double v = 0.0;
            double affichee = 0.0;
            std::from_chars(exacte.data(), exacte.data() + exacte.size(), v);
            std::from_chars(valeur.data(), valeur.data() + valeur.size(), affichee);
            const double echelle = unite == "Ohms" ? 1.0
                                   : unite == "pF" ? 1e-12
                                   : unite == "nF" ? 1e-9
                                                   : 1e-6;
            const double demiPas = unite == "Ohms" ? 0.5 : 0.5e-3;
            EXPECT_LE(std::abs(v / echelle - affichee), demiPas * (1 + 1e-9))
                << ligne << " / " << ligneNetlist;
            ++compares;
        }
        EXPECT_GE(compares, 4);
    }
}

} // namespace
