// The Calculate command as the window and the command line run it: the outcome of each kind
// of frequency, and the report's layout.

#include "report/CommandeCalcul.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvan {
namespace {

IssueCalcul calculer(int numero, int ordre, TypeFiltre type, const std::string& texte,
                     const char* separateur = ",") {
    Module1 m;
    m.NumFiltre = static_cast<std::int16_t>(numero);
    m.NumOrdre = static_cast<std::int16_t>(ordre);
    return executerCalcul(m, {type, famille(numero).libelle, libelleType(type)}, texte, separateur);
}

TEST(CommandeCalcul, EachOutcomeHasItsMessageBeepFocusAndResult) {
    const std::string vide = "Vous devez taper une fr\u00E9quence !";
    const std::string basse = "Filtre irr\u00E9alisable, fr\u00E9quence trop basse";
    const std::string grande = "Filtre irr\u00E9alisable, fr\u00E9quence trop grande";
    const auto bas = TypeFiltre::PasseBas;
    const auto haut = TypeFiltre::PasseHaut;
    const auto aucun = ContenuResultat::Vide;
    const auto msg = ContenuResultat::Message;
    struct Cas {
        const char* nom;
        TypeFiltre type;
        const char* texte;
        std::string message;
        bool bip, focus;
        ContenuResultat contenu;
    };
    // clang-format off
    const Cas cas[] = {
        {"empty box",          bas,  "",      vide,          false, true,  aucun},
        {"letters",            haut, "abc",   vide,          false, true,  aucun},
        {"zero",               bas,  " 0.0 ", vide,          false, true,  aucun},
        {"low-pass too low",   bas,  "0.1",   basse + " !",  false, false, msg},
        {"low-pass too high",  bas,  "1e7",   grande + "!",  true,  false, msg},
        {"low-pass negative",  bas,  "-50",   grande + "!",  true,  false, msg},
        {"beyond a double",    bas,  "1e400", grande + "!",  true,  false, msg},
        {"high-pass too high", haut, "1e7",   grande + " !", true,  false, msg},
        {"high-pass too low",  haut, "0.05",  basse + "!",   true,  false, msg},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const IssueCalcul issue = calculer(1, 2, c.type, c.texte);
        EXPECT_EQ(issue.message, c.message);
        EXPECT_EQ(issue.bip, c.bip);
        EXPECT_EQ(issue.focusFrequence, c.focus);
        EXPECT_EQ(issue.contenu, c.contenu);
        EXPECT_EQ(issue.Resultat, c.contenu == msg ? c.message : "");
    }
}

// Values worked out by hand: C = k / (2π·f·R) low-pass, R = 1 / (k·2π·f·C) high-pass.
TEST(CommandeCalcul, ReportLayoutWithEitherSeparator) {
    struct Cas {
        int famille, ordre;
        TypeFiltre type;
        const char* texte;
        const char* separateur;
        std::string rapport;
        double commun;
    };
    const Cas cas[] = {
        {0, 2, TypeFiltre::PasseBas, "1000", ",",
         "Filtre de Bessel\r\n\r\ntype : Passe-bas\r\nOrdre :  2\r\n"
         "Fr\u00E9quence de coupure : 1000, Hz\r\nR =  10000 Ohms\r\n"
         "C1 = 15,916 nF\r\nC2 = 5,252 nF\r\n",
         10000},
        {1, 4, TypeFiltre::PasseHaut, "1 000", ".",
         "Filtre de Butterworth\r\n\r\ntype : Passe-haut\r\nOrdre :  4\r\n"
         "Fr\u00E9quence de coupure : 1000. Hz\r\nC = 47. nF\r\nR1 = 864 Ohms\r\n"
         "R2 = 13545 Ohms\r\nR3 = 2090 Ohms\r\nR4 = 5551 Ohms\r\n",
         47e-9},
        {0, 2, TypeFiltre::PasseHaut, "2000.0", ",",
         "Filtre de Bessel\r\n\r\ntype : Passe-haut\r\nOrdre :  2\r\n"
         "Fr\u00E9quence de coupure : 2000, Hz\r\nC = 0,1 \u00B5F\r\nR1 = 796 Ohms\r\n"
         "R2 = 2411 Ohms\r\n",
         100e-9},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.rapport.substr(0, 30));
        const IssueCalcul issue = calculer(c.famille, c.ordre, c.type, c.texte, c.separateur);
        EXPECT_EQ(issue.contenu, ContenuResultat::Rapport);
        EXPECT_EQ(issue.message, c.rapport);
        EXPECT_EQ(issue.Resultat, c.rapport);
        EXPECT_FALSE(issue.bip);
        EXPECT_TRUE(issue.focusFrequence);
        EXPECT_DOUBLE_EQ(issue.conception.valeurCommune, c.commun);
    }
}

} // namespace
} // namespace quorvan
