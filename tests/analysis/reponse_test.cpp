// The pass band's measures and the highest gain of second-order stages, whose answers are known
// in closed form; simulation_ngspice.py checks every design's against the rows and ngspice.

#include "analysis/Etages.h"
#include "analysis/Reponse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace quorvan::analyse {
namespace {

// The equal-resistor (low-pass) or equal-capacitor (high-pass) multiple-feedback stage of that Q
// at f0: ω0² = 1/(R²·C1·C2) and Q = √(C1/C2) / 3, or the same with 1/R1 and 1/R2.
Conception etage(TypeFiltre type, double q, double f0) {
    const double petit = 1 / (3 * q * 2 * std::numbers::pi * f0);
    const double grand = 3 * q / (2 * std::numbers::pi * f0);
    return type == TypeFiltre::PasseBas
               ? Conception{1, type, 2, f0, 1e4, {0, grand / 1e4, petit / 1e4}}
               : Conception{1, type, 2, f0, 1e-8, {0, petit / 1e-8, grand / 1e-8}};
}

// The open end at 0 dB, a peak of Q = 2 or a flat band, each swept in full or not at all.
TEST(Caracteriser, MeasuresTheBandAgainstItsOpenEndBeyondTheSweep) {
    constexpr double F0 = 1000;
    const double plat = 1 / std::sqrt(2.0);
    struct Cas {
        const char* nom;
        TypeFiltre type;
        double q;
        double debut, fin; // the sweep, in f0
        bool coupure;      // the crossing lies within the sweep
    };
    using enum TypeFiltre;
    // clang-format off
    const Cas cas[] = {
        {"peaked low-pass",                     PasseBas,  2,    0.01,  100,  true},
        {"peaked high-pass",                    PasseHaut, 2,    0.01,  100,  true},
        {"flat band",                           PasseBas,  plat, 0.01,  100,  true},
        {"flat band, DC past the sweep",        PasseBas,  plat, 0.5,   100,  true},
        {"flat high-pass, top past the end",    PasseHaut, plat, 0.01,  2,    true},
        {"peaked, lowest at DC past the sweep", PasseBas,  2,    0.25,  100,  true},
        {"crossing after the first sample",     PasseBas,  plat, 0.99,  100,  true},
        {"cut-off below the sweep",             PasseBas,  plat, 10,    1000, false},
        {"cut-off above the sweep",             PasseHaut, plat, 0.001, 0.1,  false},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        // |H|² = 1 / ((1 − x²)² + x²/Q²) at x = f/f0, 1/x for the high-pass: its highest value,
        // at the resonance or the open end (0 dB, where the ripple starts), and the x above it
        // where it is half that.
        const double q2 = c.q * c.q;
        const double max2 = 2 * q2 > 1 ? 1 / (1 / q2 - 1 / (4 * q2 * q2)) : 1;
        const double b = 2 - 1 / q2;
        const double x = std::sqrt((b + std::sqrt(b * b - 4 + 4 * std::pow(10.0, 0.3) / max2)) / 2);
        const circuit::Montage m = circuit::monter(etage(c.type, c.q, F0));
        const Reseau reseau(m);
        const Caracteristiques car =
            caracteriser(reseau, c.type, balayer(reseau, c.debut * F0, c.fin * F0, 50));
        EXPECT_NEAR(car.gainDb, 0, 1e-12);
        EXPECT_NEAR(car.gainMaxDb, 10 * std::log10(max2), 1e-8);
        EXPECT_NEAR(car.ondulationDb, 10 * std::log10(max2), 1e-8);
        EXPECT_NEAR(etages(m).front().gainMaxDb(), 10 * std::log10(max2), 1e-8);
        if (c.coupure) {
            EXPECT_NEAR(car.coupure3dB / F0, c.type == PasseBas ? x : 1 / x, 1e-9);
        } else {
            EXPECT_TRUE(std::isnan(car.coupure3dB)) << car.coupure3dB;
        }
    }
}

} // namespace
} // namespace quorvan::analyse
