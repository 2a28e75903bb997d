// The closed-form block functions, and the gain computed from them, against the nodal solve of
// the same circuit, with ideal and one-pole op-amps.

#include "Conceptions.h"
#include "analysis/FonctionBloc.h"
#include "analysis/GainCircuit.h"
#include "analysis/MesureBande.h"
#include "analysis/Reseau.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace quorvan::analyse {
namespace {

struct Ampli {
    const char* nom;
    std::optional<AmpliOpReel> ampli;
};
// From ideal to an op-amp so slow that it shapes the response around the 1.5 kHz cut-off.
const Ampli Amplis[] = {
    {"ideal", std::nullopt},
    {"1 MHz, 100 dB", AmpliOpReel{1e6, 1e5}},
    {"20 kHz, 60 dB", AmpliOpReel{2e4, 1e3}},
    {"1 GHz, 140 dB", AmpliOpReel{1e9, 1e7}},
};

// Far down the stop band of parts drawn anyhow, the nodal solve's rounding grows as the gain
// falls (its inner nodes stand far above its output): points below 1e-12 (−240 dB) are left
// out here; every design's curve is checked down to its deepest point below.
constexpr double GainPlancher = 1e-12;

TEST(FonctionBloc, AgreesWithTheNodalSolveForEveryCircuitAnyPartsAndOpAmp) {
    for (const Ampli& a : Amplis) {
        for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
            for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
                SCOPED_TRACE(testing::Message()
                             << a.nom << ", " << static_cast<int>(type) << " order " << ordre);
                const circuit::Montage m = test::montageQuelconque(type, ordre, 7);
                const FonctionCircuit f = fonctionCircuit(m, a.ampli);
                const GainCircuit g(m, a.ampli);
                const Reseau reseau(m, a.ampli);
                double pire = 0;
                double pireGain = 0;
                for (double x = 0.01; x <= 100; x *= 1.3) {
                    for (const Complexe s :
                         {Complexe(0, x), Complexe(-0.3 * x, x), Complexe(x, 0)}) {
                        const Complexe w = s * f.omegaReference;
                        const Complexe h = reseau.transfert(w);
                        pire = std::max(
                            pire, std::abs(h) < GainPlancher ? 0.0 : std::abs(f(w) / h - 1.0));
                    }
                    const double h = std::abs(reseau.transfert({0, x * f.omegaReference}));
                    pireGain = std::max(
                        pireGain, h < GainPlancher ? 0.0 : std::fabs(g.carre(x) / (h * h) - 1));
                }
                EXPECT_LT(pire, 1e-9);
                EXPECT_LT(pireGain, 1e-9);
                // Each block alone too: the cascade's product could hide two swapped blocks.
                for (std::size_t b = 0; b < m.circuit.blocs.size(); ++b) {
                    const Reseau seul(m, b, a.ampli);
                    const Complexe w(0, 0.7 * f.omegaReference);
                    EXPECT_NEAR(
                        std::abs(f.blocs[b](w / f.omegaReference) / seul.transfert(w) - 1.0), 0,
                        1e-9);
                }
            }
        }
    }
}

// Where the Monte Carlo trials and the op-amp's GBW read it: every design's curve.
TEST(GainCircuit, AgreesWithTheNodalSolveOverEveryDesignsCurve) {
    for (const Ampli& a : Amplis) {
        test::pourChaqueConception([&a](const Conception& c) {
            SCOPED_TRACE(testing::Message() << a.nom << ", family " << c.famille << " order "
                                            << c.ordre << " type " << static_cast<int>(c.type));
            const circuit::Montage m = circuit::monter(c);
            const GainCircuit g(m, a.ampli);
            const Reseau reseau(m, a.ampli);
            double pire = 0;
            for (const double x : grilleCourbe()) {
                const double h = std::abs(reseau.transfert({0, x * reseau.omegaReference()}));
                pire = std::max(pire, std::fabs(g.carre(x) / (h * h) - 1));
            }
            EXPECT_LT(pire, 1e-9);
        });
    }
}

// Where the pass band opens, the limit the nodal solve approaches at DC or far above.
TEST(GainCircuit, GainWhereThePassBandOpensIsTheNodalLimit) {
    for (const Ampli& a : Amplis) {
        for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
            for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
                SCOPED_TRACE(testing::Message()
                             << a.nom << ", " << static_cast<int>(type) << " order " << ordre);
                const circuit::Montage m = test::montageQuelconque(type, ordre, 11);
                const Reseau reseau(m, a.ampli);
                const double w =
                    type == TypeFiltre::PasseBas ? 0.0 : 1e12 * reseau.omegaReference();
                const double h = std::abs(reseau.transfert({0, w}));
                // One-pole op-amps take a high-pass gain to zero: 1e-12 at that frequency.
                EXPECT_NEAR(GainCircuit(m, a.ampli).carreBandeOuverte(type), h * h,
                            1e-9 * h * h + 1e-12);
            }
        }
    }
}

TEST(FonctionBloc, RefusesWhatIsNotABlockOfTheCircuits) {
    const circuit::Circuit c = circuit::composerCircuit(TypeFiltre::PasseBas, 3);
    const double valeurs[] = {1, 1, 1, 1, 1, 1, 1};
    EXPECT_THROW(static_cast<void>(fonctionBloc(c.blocs[0], std::span(valeurs, 6), 1)),
                 std::invalid_argument);
    circuit::Bloc melange = c.blocs[0];
    std::swap(melange.elements[1], melange.elements[2]);
    EXPECT_THROW(static_cast<void>(fonctionBloc(melange, valeurs, 1)), std::invalid_argument);
    EXPECT_THROW(GainCircuit(c, std::span(valeurs, 6), 1), std::invalid_argument);
}

} // namespace
} // namespace quorvan::analyse
