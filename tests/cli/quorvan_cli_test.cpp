// Runs the real quorvan-cli binary and checks what it prints and how it exits.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Sortie {
    std::string out;
    std::string err;
    int code = -1;
};

std::string lire(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// `arguments` is shell text; `environnement` is prefixed to the command (VAR=value ...).
Sortie executer(const std::string& arguments, const std::string& environnement = "LC_ALL=C") {
    // One file per run: several test processes may run at once.
    std::string err = testing::TempDir() + "quorvan_cli_stderr_XXXXXX";
    const int fd = mkstemp(err.data());
    if (fd >= 0) {
        close(fd);
    }
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
    s.err = lire(err);
    std::remove(err.c_str());
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

} // namespace
