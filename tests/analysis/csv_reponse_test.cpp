// Responses as CSV: every number reads back as written, whatever the decimal separator.

#include "analysis/CsvReponse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace quorvan::analyse {
namespace {

// Both sides of the exponent notation, negative, whole, and rounded at the tenth digit.
const std::vector<PointReponse> A = {{10, -0.0001390204914, 179.4327709, 0.0001575637327},
                                     {123456789012.0, -3.010299956639812, -90, 2.5e-10}};
const std::vector<PointReponse> B = {{10, -0.5, 180, 1e-3}, {123456789012.0, -130, 0, 0}};

TEST(CsvReponse, EveryNumberReadsBackToTenDigitsWithEitherSeparator) {
    const std::vector<CourbeCsv> courbes = {{"", A}, {"_E12", B}};
    for (const char decimal : {'.', ','}) {
        SCOPED_TRACE(decimal);
        std::string csv = reponseCsv(courbes, std::string(1, decimal));
        EXPECT_EQ(csv.find(decimal == ',' ? '.' : ','), std::string::npos);
        std::replace(csv.begin(), csv.end(), ',', '.');
        const std::string entete = "frequence_hz;gain_db;phase_deg;retard_s;gain_db_E12;"
                                   "phase_deg_E12;retard_s_E12\n";
        ASSERT_EQ(csv.substr(0, entete.size()), entete);
        const char* lu = csv.c_str() + entete.size();
        for (std::size_t i = 0; i < A.size(); ++i) {
            const double colonnes[] = {A[i].frequence, A[i].gainDb,   A[i].phaseDeg, A[i].retard,
                                       B[i].gainDb,    B[i].phaseDeg, B[i].retard};
            for (std::size_t j = 0; j < std::size(colonnes); ++j) {
                char* fin = nullptr;
                EXPECT_LE(std::fabs(std::strtod(lu, &fin) - colonnes[j]),
                          5e-10 * std::fabs(colonnes[j]));
                EXPECT_EQ(*fin, j + 1 == std::size(colonnes) ? '\n' : ';') << lu;
                lu = fin + 1;
            }
        }
        EXPECT_EQ(*lu, '\0');
    }
    const std::vector<CourbeCsv> inegales = {{"", A}, {"_E12", std::span(B).first(1)}};
    EXPECT_THROW((void)reponseCsv(inegales, "."), std::invalid_argument);
}

} // namespace
} // namespace quorvan::analyse
