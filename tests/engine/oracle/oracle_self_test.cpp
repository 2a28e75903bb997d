// The reference computations checked against facts that do not depend on them: the defining
// properties of each family and the transfer functions of the circuits as published.

#include "FilterOracle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quorvan::oracle {
namespace {

double maxGainOverPassBand(const std::vector<Complex>& poles, double& minimum) {
    double maximum = 0.0;
    minimum = 1e300;
    for (int k = 0; k <= 20000; ++k) {
        const double g = allPoleGain(poles, Complex(0.0, k / 20000.0));
        maximum = std::max(maximum, g);
        minimum = std::min(minimum, g);
    }
    return maximum;
}

TEST(OracleSelfCheck, BesselOrderTwoHasRootThreeNaturalFrequencyAndQualityOneOverRootThree) {
    const PoleGroups groups = groupPoles(prototypePoles(Bessel, 2));
    ASSERT_EQ(groups.pairs.size(), 1u);
    EXPECT_NEAR(groups.pairs[0].naturalFrequency, std::sqrt(3.0), 1e-12);
    EXPECT_NEAR(groups.pairs[0].quality, 1.0 / std::sqrt(3.0), 1e-12);
}

// τ(0) = Σ −Re(p)/|p|² for an all-pole function.
TEST(OracleSelfCheck, BesselPolesAreRootsWithUnitGroupDelayAtDc) {
    for (int order = MinOrder; order <= MaxOrder; ++order) {
        SCOPED_TRACE("order " + std::to_string(order));
        const auto poles = prototypePoles(Bessel, order);
        ASSERT_EQ(poles.size(), static_cast<std::size_t>(order));
        const auto coefficients = besselPolynomial(order);
        double delay = 0.0;
        for (Complex p : poles) {
            EXPECT_LT(p.real(), 0.0);
            Complex value = 0.0;
            for (auto c = coefficients.rbegin(); c != coefficients.rend(); ++c) {
                value = value * p + *c;
            }
            EXPECT_LT(std::abs(value), 1e-9 * coefficients.front());
            delay += -p.real() / std::norm(p);
        }
        EXPECT_NEAR(delay, 1.0, 1e-12);
    }
}

TEST(OracleSelfCheck, ButterworthIsFlatAndThreeDbDownAtOneRadPerSecond) {
    for (int order = MinOrder; order <= MaxOrder; ++order) {
        SCOPED_TRACE("order " + std::to_string(order));
        const auto poles = prototypePoles(Butterworth, order);
        for (double w : {0.3, 1.0, 2.0}) {
            EXPECT_NEAR(allPoleGain(poles, Complex(0.0, w)),
                        1.0 / std::sqrt(1.0 + std::pow(w, 2 * order)), 1e-12);
        }
    }
}

// The pass band up to 1 rad/s spans exactly the ripple and ends at its lower edge; above it
// the gain keeps falling.
TEST(OracleSelfCheck, ChebyshevRippleBandHasItsRippleAndEndsAtOneRadPerSecond) {
    for (int family = FirstChebyshev; family <= LastFamily; ++family) {
        for (int order = MinOrder; order <= MaxOrder; ++order) {
            SCOPED_TRACE(std::string(familyName(family)) + " order " + std::to_string(order));
            const auto poles = prototypePoles(family, order);
            double minimum = 0.0;
            const double maximum = maxGainOverPassBand(poles, minimum);
            const double ripple = chebyshevRippleDb(family);
            EXPECT_NEAR(decibels(maximum / minimum), ripple, 1e-6);
            EXPECT_NEAR(decibels(maximum / allPoleGain(poles, Complex(0.0, 1.0))), ripple, 1e-6);
            EXPECT_LT(allPoleGain(poles, Complex(0.0, 1.01)), minimum);
        }
    }
}

// The section's values must give back, as roots of its own denominator, the real pole and
// the pair it was solved for; and there must be exactly one positive solution.
TEST(OracleSelfCheck, SectionSolutionIsUniqueAndRealisesItsPoles) {
    for (int family = Bessel; family <= LastFamily; ++family) {
        for (int order = 3; order <= MaxOrder; order += 2) {
            const PoleGroups groups = groupPoles(prototypePoles(family, order));
            for (PolePair pair : groups.pairs) {
                SCOPED_TRACE(std::string(familyName(family)) + " order " + std::to_string(order) +
                             " Q " + std::to_string(pair.quality));
                const auto solutions = sectionSolutions(groups.realPole, pair);
                ASSERT_EQ(solutions.size(), 1u);
                const auto [c1, c2, c3] = solutions.front();
                const auto roots = polynomialRoots(
                    {2.0, c1 + 5.0 * c3, 2.0 * c2 * c3 + 3.0 * c1 * c3, c1 * c2 * c3});
                const PoleGroups found = groupPoles(roots);
                ASSERT_EQ(found.pairs.size(), 1u);
                EXPECT_NEAR(found.realPole, groups.realPole, 1e-9 * groups.realPole);
                EXPECT_NEAR(found.pairs[0].naturalFrequency, pair.naturalFrequency,
                            1e-9 * pair.naturalFrequency);
                EXPECT_NEAR(found.pairs[0].quality, pair.quality, 1e-9 * pair.quality);
            }
        }
    }
}

// Sample points spread over magnitude and phase, normalised units.
const std::vector<Complex>& samplePoints() {
    static const std::vector<Complex> points = {
        {0.0, 0.1}, {0.0, 1.0}, {0.0, 3.7}, {0.2, 0.9}, {-0.3, 2.0}};
    return points;
}

TEST(OracleSelfCheck, NodalSolverGivesThePublishedLowPassTransferFunctions) {
    struct Case {
        int order;
        Components capacitors;
    };
    // Order 2 is one stage (C1, C2); order 3 is the section (C1, C2, C3) alone.
    const std::vector<Case> cases = {
        {2, {0, 1.7, 0.23}}, {2, {0, 0.4, 0.9}}, {3, {0, 2.3, 4.1, 0.37}}, {3, {0, 0.6, 0.2, 1.3}}};
    for (const Case& c : cases) {
        const Design design = lowPassDesign(c.order, c.capacitors, 1.0);
        for (Complex s : samplePoints()) {
            SCOPED_TRACE("order " + std::to_string(c.order) + " s " + std::to_string(s.real()) +
                         "+j" + std::to_string(s.imag()));
            const Complex expected =
                c.order == 2
                    ? stageTransfer(c.capacitors[1], c.capacitors[2], s)
                    : sectionTransfer(c.capacitors[1], c.capacitors[2], c.capacitors[3], s);
            EXPECT_LT(std::abs(design.transfer(s) - expected), 1e-12 * std::abs(expected));
        }
    }
}

// Exchanging resistors and capacitors, a normalised capacitor c becoming a resistor 1/c and
// every 1 Ω resistor a 1 F capacitor, turns H(s) into H(1/s).
TEST(OracleSelfCheck, ExchangedCircuitIsTheLowPassCircuitAtOneOverS) {
    for (int order = MinOrder; order <= MaxOrder; ++order) {
        SCOPED_TRACE("order " + std::to_string(order));
        Components capacitors{};
        Components resistors{};
        for (int i = 1; i <= order; ++i) {
            capacitors[static_cast<std::size_t>(i)] = 0.3 + 0.45 * i;
            resistors[static_cast<std::size_t>(i)] = 1.0 / capacitors[static_cast<std::size_t>(i)];
        }
        const Design lowPass = lowPassDesign(order, capacitors, 1.0);
        const Design highPass = highPassDesign(order, resistors, 1.0);
        for (Complex s : samplePoints()) {
            const Complex expected = lowPass.transfer(1.0 / s);
            EXPECT_LT(std::abs(highPass.transfer(s) - expected), 1e-11 * std::abs(expected));
        }
    }
}

// A whole low-pass design built from components is the product of the stage functions: this
// ties the circuit's component numbering to the row layout.
TEST(OracleSelfCheck, LowPassDesignIsTheProductOfItsStages) {
    for (int order = MinOrder; order <= MaxOrder; ++order) {
        SCOPED_TRACE("order " + std::to_string(order));
        Components row{};
        for (int i = 1; i <= order; ++i) {
            row[static_cast<std::size_t>(i)] = 0.2 + 0.61 * ((i * 7) % 5);
        }
        const Design design = lowPassDesign(order, row, 1.0);
        for (Complex s : samplePoints()) {
            const Complex expected = rowTransfer(row, order, s);
            EXPECT_LT(std::abs(design.transfer(s) - expected), 1e-11 * std::abs(expected));
        }
    }
}

} // namespace
} // namespace quorvan::oracle
