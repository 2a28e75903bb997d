#include "analysis/ValeursNormalisees.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvan::analyse {
namespace {

// Every value of the series over the decades around `valeur`, the nearest on a logarithmic
// scale kept, the smaller of two as near.
double parForceBrute(double valeur, const Serie& serie) {
    double meilleure = 0;
    for (int decade = -30; decade <= 30; ++decade) {
        for (const int v : serie.valeurs) {
            const double candidate = v * std::pow(10.0, decade) / serie.echelle;
            const double a = std::fabs(std::log(candidate / valeur));
            const double b = std::fabs(std::log(meilleure / valeur));
            if (meilleure == 0 || a < b || (a == b && candidate < meilleure)) {
                meilleure = candidate;
            }
        }
    }
    return meilleure;
}

TEST(ValeursNormalisees, NearestOnALogarithmicScale) {
    // clang-format off
    const double valeurs[] = {
        0.95, 9.9, 99.5, 1, 10, 100, 4.7, 47e-9, 9.76e3, 1.0e-12, 1.5915e-8, 863.85, 1e6,
        2.2e-6 * (1 + 1e-15), 9.999999, 0.999999e-9, 3.3e5, 7.25, 5.5,
    };
    // clang-format on
    for (const Serie& serie : Series) {
        for (const double v : valeurs) {
            SCOPED_TRACE(testing::Message() << serie.nom << " " << v);
            EXPECT_NEAR(valeurNormalisee(v, serie), parForceBrute(v, serie), v * 1e-12);
        }
        // Components use a few decades, but any positive value must come out right.
        for (double v = 1e-25; v < 1e25; v *= 1.0537) {
            ASSERT_NEAR(valeurNormalisee(v, serie), parForceBrute(v, serie), v * 1e-12)
                << serie.nom << " " << v;
        }
    }
}

// E48 and E96 are 10^(i/n) to three digits; each of E6, E12 and E24 is every other value of
// the next, E48 every other of E96.
TEST(ValeursNormalisees, SeriesAreThoseOfTheStandard) {
    for (int i = 0; i < 96; ++i) {
        EXPECT_EQ(E96[i], std::lround(100 * std::pow(10.0, i / 96.0))) << i;
    }
    for (std::size_t i = 0; i < E48.size(); ++i) {
        EXPECT_EQ(E48[i], E96[2 * i]);
    }
    for (std::size_t i = 0; i < E12.size(); ++i) {
        EXPECT_EQ(E12[i], E24[2 * i]);
        EXPECT_EQ(E6[i / 2], E12[i - i % 2]);
    }
    // E24 rounds 10^(i/24) to two digits, but for the eight values the standard keeps from
    // older series.
    int ecarts = 0;
    for (int i = 0; i < 24; ++i) {
        ecarts += E24[i] != std::lround(10 * std::pow(10.0, i / 24.0));
    }
    EXPECT_EQ(ecarts, 8);
    EXPECT_EQ(serieNommee("E24")->valeurs.data(), E24.data());
    EXPECT_FALSE(serieNommee("E7"));
}

} // namespace
} // namespace quorvan::analyse
