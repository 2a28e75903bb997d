// Responses as CSV: every number read back as written, whatever the decimal separator.

#include "analysis/CsvReponse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace quorvan::analyse {
namespace {

std::vector<std::string> champs(const std::string& ligne) {
    std::vector<std::string> resultat;
    std::istringstream flux(ligne);
    for (std::string champ; std::getline(flux, champ, ';');) {
        resultat.push_back(champ);
    }
    return resultat;
}

std::vector<std::string> lignes(const std::string& texte) {
    std::vector<std::string> resultat;
    std::istringstream flux(texte);
    for (std::string ligne; std::getline(flux, ligne);) {
        resultat.push_back(ligne);
    }
    return resultat;
}

// Values on both sides of the exponent notation, negative, whole, and the rounding at the
// tenth digit.
const std::vector<PointReponse> Calculee = {
    {10, -0.0001390204914, 179.4327709, 0.0001575637327},
    {1000, -3.010299956639812, -90, 1.5e-05},
    {123456789012.0, -123.4567890149, 0.1, 2.5e-10},
};
const std::vector<PointReponse> Normalisee = {
    {10, -0.5, 180, 1e-3},
    {1000, -2.9, -89.9999999999, 3e-05},
    {123456789012.0, -130, 0, 0},
};

TEST(CsvReponse, EveryNumberReadsBackToTenDigitsWithEitherSeparator) {
    const std::vector<CourbeCsv> courbes = {{"", Calculee}, {"_E12", Normalisee}};
    for (const char* decimal : {".", ","}) {
        SCOPED_TRACE(decimal);
        const std::vector<std::string> l = lignes(reponseCsv(courbes, decimal));
        ASSERT_EQ(l.size(), 1 + Calculee.size());
        EXPECT_EQ(l[0], "frequence_hz;gain_db;phase_deg;retard_s;gain_db_E12;phase_deg_E12;"
                        "retard_s_E12");
        for (std::size_t i = 0; i < Calculee.size(); ++i) {
            const PointReponse& a = Calculee[i];
            const PointReponse& b = Normalisee[i];
            const double attendus[] = {a.frequence, a.gainDb,   a.phaseDeg, a.retard,
                                       b.gainDb,    b.phaseDeg, b.retard};
            const std::vector<std::string> c = champs(l[i + 1]);
            ASSERT_EQ(c.size(), std::size(attendus)) << l[i + 1];
            for (std::size_t j = 0; j < c.size(); ++j) {
                std::string texte = c[j];
                EXPECT_EQ(texte.find(decimal[0] == ',' ? '.' : ','), std::string::npos) << texte;
                std::replace(texte.begin(), texte.end(), ',', '.');
                char* fin = nullptr;
                const double lu = std::strtod(texte.c_str(), &fin);
                EXPECT_EQ(*fin, '\0') << texte;
                EXPECT_LE(std::fabs(lu - attendus[j]), 5e-10 * std::fabs(attendus[j])) << texte;
            }
        }
    }
}

TEST(CsvReponse, CurvesOfDifferentLengthsAreRefused) {
    const std::vector<CourbeCsv> courbes = {{"", Calculee},
                                            {"_E12", std::span(Normalisee).first(2)}};
    EXPECT_THROW((void)reponseCsv(courbes, "."), std::invalid_argument);
}

TEST(CsvReponse, TheDesignLineNamesFamilyTypeOrderAndCutOff) {
    Conception c;
    c.famille = 3;
    c.type = TypeFiltre::PasseHaut;
    c.ordre = 5;
    c.frequence = 1234.5;
    EXPECT_EQ(ligneConceptionCsv(c, ","),
              "Filtre de Chebyshev (ondulation +/- 1 dB);Passe-haut;ordre 5;coupure 1234,5 Hz\n");
    c.famille = 0;
    c.type = TypeFiltre::PasseBas;
    c.ordre = 2;
    c.frequence = 50;
    EXPECT_EQ(ligneConceptionCsv(c, "."), "Filtre de Bessel;Passe-bas;ordre 2;coupure 50 Hz\n");
}

} // namespace
} // namespace quorvan::analyse
