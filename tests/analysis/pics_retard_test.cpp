// The curves the charts draw, against the group delay computed from each stage's poles.

#include "Conceptions.h"
#include "analysis/Etages.h"
#include "analysis/Reponse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvan::analyse {
namespace {

// The group delay of the product of the stages, from their poles alone: a pole pair of
// natural frequency w0 and quality Q delays by (w0/Q)(w0² + w²) / ((w0² − w²)² + (w0·w/Q)²),
// a real pole p by p / (p² + w²); a numerator sⁿ or a constant delays nothing.
double retardDesPoles(const std::vector<Etage>& etages, double f) {
    const double w = 2 * std::numbers::pi * f;
    double retard = 0;
    for (const Etage& e : etages) {
        const double w0 = 2 * std::numbers::pi * e.f0;
        const double a = w0 * w0 - w * w;
        retard += (w0 / e.q) * (w0 * w0 + w * w) / (a * a + std::pow(w0 * w / e.q, 2));
        if (e.poleReel) {
            const double p = 2 * std::numbers::pi * *e.poleReel;
            retard += p / (p * p + w * w);
        }
    }
    return retard;
}

// Every family, order and type: the highest delay of the refined curve is the highest of the
// poles' delay over the sweep (which 50 points a decade miss by up to a fifth), the sweep's
// own points stay, and the phase stays continuous.
TEST(AffinerPics, TheRefinedCurveReachesEachDelayPeak) {
    test::pourChaqueConception([](const Conception& c) {
        SCOPED_TRACE(testing::Message()
                     << c.famille << " " << c.ordre << " " << static_cast<int>(c.type));
        const Reseau reseau(c);
        const std::vector<PointReponse> balayage = balayerAutour(reseau, c.frequence);
        const std::vector<PointReponse> trace = affinerPics(reseau, balayage);
        const std::vector<Etage> e = etages(c);
        double attendu = 0;
        double ou = 0;
        for (double f = 10; f <= 1e5; f *= 1.00005) {
            if (const double r = retardDesPoles(e, f); r > attendu) {
                attendu = r;
                ou = f;
            }
        }
        const auto plusLong = std::max_element(
            trace.begin(), trace.end(),
            [](const PointReponse& a, const PointReponse& b) { return a.retard < b.retard; });
        EXPECT_NEAR(plusLong->retard, attendu, attendu * 1e-4);
        EXPECT_NEAR(plusLong->frequence, ou, ou * 1e-4);
        std::size_t k = 0;
        for (std::size_t i = 0; i < trace.size(); ++i) {
            ASSERT_TRUE(i == 0 || (trace[i].frequence > trace[i - 1].frequence &&
                                   std::fabs(trace[i].phaseDeg - trace[i - 1].phaseDeg) < 90));
            if (k < balayage.size() && trace[i].frequence == balayage[k].frequence) {
                EXPECT_EQ(trace[i].phaseDeg, balayage[k].phaseDeg);
                ++k;
            }
        }
        EXPECT_EQ(k, balayage.size());
    });
}

} // namespace
} // namespace quorvan::analyse
