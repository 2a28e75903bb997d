#include "../../support/Selection.h"
#include "CommandeCalcul.h"
#include "Libelles.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvan {
namespace {

using test::selection;

IssueCalcul calculer(int famille, int ordre, TypeFiltre type, const std::string& texte,
                     const char* separateur = ",") {
    Module1 m = selection(famille, ordre);
    const SelectionAffichee s{type, LibellesFiltre[famille], libelleType(type)};
    return executerCalcul(m, s, texte, separateur);
}

const std::string TropBasse = "Filtre irr\u00E9alisable, fr\u00E9quence trop basse";
const std::string TropGrande = "Filtre irr\u00E9alisable, fr\u00E9quence trop grande";

struct Cas {
    const char* nom;
    int famille;
    int ordre;
    TypeFiltre type;
    const char* texte;
    std::string message; // empty: the report
    bool bip;
    bool focus;
    ContenuResultat contenu;
};

TEST(CommandeCalcul, OutcomeTable) {
    const auto bas = TypeFiltre::PasseBas;
    const auto haut = TypeFiltre::PasseHaut;
    const auto vide = ContenuResultat::Vide;
    const auto msg = ContenuResultat::Message;
    const auto rap = ContenuResultat::Rapport;
    const std::string pasDeFrequence = "Vous devez taper une fr\u00E9quence !";
    const Cas cas[] = {
        {"empty box", 0, 2, bas, "", pasDeFrequence, false, true, vide},
        {"letters", 0, 2, haut, "abc", pasDeFrequence, false, true, vide},
        {"zero with decimals", 0, 2, bas, "0.000", pasDeFrequence, false, true, vide},
        {"zero among spaces", 0, 2, haut, "  0 ", pasDeFrequence, false, true, vide},
        {"low-pass too low", 1, 2, bas, "0.1", TropBasse + " !", false, false, msg},
        {"low-pass too high", 1, 2, bas, "1e7", TropGrande + "!", true, false, msg},
        {"low-pass negative", 1, 2, bas, "-50", TropGrande + "!", true, false, msg},
        {"high-pass too high", 1, 2, haut, "1e7", TropGrande + " !", true, false, msg},
        {"high-pass negative", 1, 2, haut, "-50", TropGrande + " !", true, false, msg},
        {"high-pass too low", 1, 2, haut, "0.05", TropBasse + "!", true, false, msg},
        {"beyond a double", 1, 2, bas, "1e400", TropGrande + "!", true, false, msg},
        {"low-pass design", 0, 2, bas, "1000", "", false, true, rap},
        {"high-pass design", 0, 2, haut, "2000", "", false, true, rap},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const IssueCalcul issue = calculer(c.famille, c.ordre, c.type, c.texte);
        EXPECT_EQ(issue.bip, c.bip);
        EXPECT_EQ(issue.focusFrequence, c.focus);
        EXPECT_EQ(issue.contenu, c.contenu);
        switch (c.contenu) {
        case ContenuResultat::Vide:
            EXPECT_EQ(issue.message, c.message);
            EXPECT_EQ(issue.Resultat, "");
            break;
        case ContenuResultat::Message:
            EXPECT_EQ(issue.message, c.message);
            EXPECT_EQ(issue.Resultat, c.message);
            break;
        case ContenuResultat::Rapport:
            EXPECT_TRUE(issue.message.starts_with("Filtre de Bessel\r\n\r\ntype : "));
            EXPECT_EQ(issue.Resultat, issue.message);
            break;
        }
    }
}

// 100 nF is exactly 100000 pF, which is written in µF.
TEST(CommandeCalcul, BesselHighPassAt2kHz) {
    const IssueCalcul issue = calculer(0, 2, TypeFiltre::PasseHaut, "2000");
    EXPECT_EQ(issue.frequence, 2000);
    EXPECT_EQ(issue.valeurCommune, 100 * 1e-9);
    EXPECT_EQ(issue.Resultat, "Filtre de Bessel\r\n\r\ntype : Passe-haut\r\nOrdre :  2\r\n"
                              "Fr\u00E9quence de coupure : 2000, Hz\r\nC = 0,1 \u00B5F\r\n"
                              "R1 = 796 Ohms\r\nR2 = 2411 Ohms\r\n");
}

TEST(CommandeCalcul, ReadsOnlyTheLeadingNumber) {
    const struct {
        const char* texte;
        const char* ligne;
    } cas[] = {
        {"1,5", "Fr\u00E9quence de coupure : 1, Hz\r\n"},
        {".5", "Fr\u00E9quence de coupure : 0,5 Hz\r\n"},
        {"1 000 Hz", "Fr\u00E9quence de coupure : 1000, Hz\r\n"},
        {"1E3", "Fr\u00E9quence de coupure : 1000, Hz\r\n"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.texte);
        const IssueCalcul issue = calculer(0, 2, TypeFiltre::PasseBas, c.texte);
        EXPECT_NE(issue.Resultat.find(c.ligne), std::string::npos) << issue.Resultat;
    }
}

TEST(CommandeCalcul, ThePeriodSeparator) {
    const IssueCalcul issue = calculer(0, 2, TypeFiltre::PasseBas, "1000", ".");
    EXPECT_NE(issue.Resultat.find("Fr\u00E9quence de coupure : 1000. Hz\r\n"), std::string::npos);
    EXPECT_NE(issue.Resultat.find("C1 = 15.916 nF\r\n"), std::string::npos);
}

} // namespace
} // namespace quorvan
