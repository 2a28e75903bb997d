#include "Rapport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvan {
namespace {

std::string lignes(const std::vector<std::string>& l) {
    std::string texte;
    for (const std::string& ligne : l) {
        texte += ligne + "\r\n";
    }
    return texte;
}

// Component values worked out by hand (C = k / (2π·f·R), R = 1 / (k·2π·f·C)).
TEST(Rapport, LowPassLayout) {
    TableauComposants tabC{};
    tabC[1] = 15.915512818513178e-9;
    tabC[2] = 5.252119230109349e-9;
    const EnTeteRapport entete{"Filtre de Bessel", "Passe-bas", 2, 1000};
    EXPECT_EQ(composerRapportPasseBas(entete, 10000, tabC, ","),
              lignes({"Filtre de Bessel", "", "type : Passe-bas", "Ordre :  2",
                      "Fr\u00E9quence de coupure : 1000, Hz", "R =  10000 Ohms", "C1 = 15,916 nF",
                      "C2 = 5,252 nF"}));
    EXPECT_EQ(composerRapportPasseBas(entete, 10000, tabC, "."),
              lignes({"Filtre de Bessel", "", "type : Passe-bas", "Ordre :  2",
                      "Fr\u00E9quence de coupure : 1000. Hz", "R =  10000 Ohms", "C1 = 15.916 nF",
                      "C2 = 5.252 nF"}));
}

TEST(Rapport, HighPassLayout) {
    TableauComposants tabR{};
    tabR[1] = 863.8467660938547;
    tabR[2] = 13545.117292351642;
    tabR[3] = 2090.2958784493276;
    tabR[4] = 5551.277578832641;
    const EnTeteRapport entete{"Filtre de Butterworth", "Passe-haut", 4, 1000};
    EXPECT_EQ(composerRapportPasseHaut(entete, 47 * 1e-9, tabR, ","),
              lignes({"Filtre de Butterworth", "", "type : Passe-haut", "Ordre :  4",
                      "Fr\u00E9quence de coupure : 1000, Hz", "C = 47, nF", "R1 = 864 Ohms",
                      "R2 = 13545 Ohms", "R3 = 2090 Ohms", "R4 = 5551 Ohms"}));
    EXPECT_NE(composerRapportPasseHaut(entete, 47 * 1e-9, tabR, ".").find("\r\nC = 47. nF\r\n"),
              std::string::npos);
}

TEST(Rapport, HasOneLinePerComponentAfterFiveHeadingLinesAndTheCommonValue) {
    TableauComposants valeurs{};
    valeurs.fill(1e-9);
    for (int ordre = 2; ordre <= 7; ++ordre) {
        const EnTeteRapport entete{"Filtre de Bessel", "Passe-bas", ordre, 0.5};
        const std::string bas = composerRapportPasseBas(entete, 4700, valeurs, ",");
        const std::string haut = composerRapportPasseHaut(entete, 1e-9, valeurs, ",");
        for (const std::string& rapport : {bas, haut}) {
            std::size_t fins = 0;
            for (std::size_t p = rapport.find("\r\n"); p != std::string::npos;
                 p = rapport.find("\r\n", p + 2)) {
                ++fins;
            }
            EXPECT_EQ(fins, static_cast<std::size_t>(6 + ordre));
            EXPECT_TRUE(rapport.ends_with("\r\n"));
            EXPECT_EQ(rapport.find('\n'), rapport.find("\r\n") + 1);
        }
        EXPECT_NE(bas.find("C" + std::to_string(ordre) + " = "), std::string::npos);
        EXPECT_EQ(bas.find("C" + std::to_string(ordre + 1) + " = "), std::string::npos);
        EXPECT_NE(bas.find("Fr\u00E9quence de coupure : 0,5 Hz\r\n"), std::string::npos);
    }
}

} // namespace
} // namespace quorvan
