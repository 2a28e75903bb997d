// Reported designs checked by the transfer function of the circuit they describe: the
// resistors and capacitors that the searches report, placed in the multiple-feedback stages,
// must give the family's response at the requested cut-off.

#include "../../support/Selection.h"
#include "Coef.h"
#include "FilterOracle.h"
#include "Recherche.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

namespace quorvan::oracle {
namespace {

// Same bound as for the normalised rows: the designs add nothing but scaling.
constexpr double AllowedDeviationDb = 2.0;

// Low, middle and high audio frequencies, where every selection is realisable in both types.
constexpr std::array<double, 3> Frequencies = {100.0, 1000.0, 20000.0};

std::string caseName(int family, int order, double frequency) {
    return std::string(familyName(family)) + " order " + std::to_string(order) + " at " +
           std::to_string(frequency) + " Hz";
}

using test::selection;

void record(const char* type, int family, double worst) {
    const std::string value = std::to_string(worst);
    ::testing::Test::RecordProperty(std::string("worst_dB_") + type + "_" + familyName(family),
                                    value);
    std::printf("worst %s circuit deviation, %s: %s dB\n", type, familyName(family), value.c_str());
}

TEST(CircuitOracle, HighPassDesignsFollowTheirPrototype) {
    for (int family = Bessel; family <= LastFamily; ++family) {
        double worst = 0.0;
        for (int order = MinOrder; order <= MaxOrder; ++order) {
            for (double frequency : Frequencies) {
                SCOPED_TRACE(caseName(family, order, frequency));
                Module1 module = selection(family, order);
                const auto result = RecherchePasseHaut(module, frequency);
                ASSERT_EQ(result.etat, EtatCalcul::Realisable);
                const Design design = highPassDesign(order, module.TabR, result.CChoix);
                const double deviation = designDeviationDb(
                    family, order, design, 2.0 * Pi * frequency, FilterType::HighPass);
                EXPECT_LE(deviation, AllowedDeviationDb);
                worst = std::max(worst, deviation);
            }
        }
        record("high-pass", family, worst);
    }
}

TEST(CircuitOracle, LowPassDesignsFollowTheirPrototype) {
    for (int family = Bessel; family <= LastFamily; ++family) {
        double worst = 0.0;
        for (int order = MinOrder; order <= MaxOrder; ++order) {
            for (double frequency : Frequencies) {
                SCOPED_TRACE(caseName(family, order, frequency));
                Module1 module = selection(family, order);
                const auto result = RecherchePasseBas(module, frequency);
                ASSERT_EQ(result.etat, EtatCalcul::Realisable);
                const Design design = lowPassDesign(order, module.TabC, result.RChoix);
                const double deviation = designDeviationDb(
                    family, order, design, 2.0 * Pi * frequency, FilterType::LowPass);
                EXPECT_LE(deviation, AllowedDeviationDb);
                worst = std::max(worst, deviation);
            }
        }
        record("low-pass", family, worst);
    }
}

// Taking the coefficient itself as the normalised resistor, instead of its reciprocal, keeps
// the values in the right range but builds another filter: the circuit check must see it in
// every selection.
TEST(CircuitOracle, RejectsHighPassResistorsProportionalToTheCoefficient) {
    constexpr double frequency = 1000.0;
    for (int family = Bessel; family <= LastFamily; ++family) {
        for (int order = MinOrder; order <= MaxOrder; ++order) {
            SCOPED_TRACE(caseName(family, order, frequency));
            Module1 module = selection(family, order);
            const auto result = RecherchePasseHaut(module, frequency);
            ASSERT_EQ(result.etat, EtatCalcul::Realisable);
            const double scale = 1.0 / (2.0 * Pi * frequency * result.CChoix);
            Components wrong{};
            for (int i = 1; i <= order; ++i) {
                wrong[static_cast<std::size_t>(i)] = scale * Coef[family][order][i];
            }
            const Design design = highPassDesign(order, wrong, result.CChoix);
            EXPECT_GT(designDeviationDb(family, order, design, 2.0 * Pi * frequency,
                                        FilterType::HighPass),
                      AllowedDeviationDb);
        }
    }
}

} // namespace
} // namespace quorvan::oracle
