// The closed-form block functions against the nodal solve of the same circuit with ideal and
// one-pole op-amps; monte_carlo_test.cpp reads every design's pass band from both.

#include "analysis/FonctionBloc.h"
#include "analysis/GainCircuit.h"
#include "analysis/Reseau.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>

namespace quorvan::analyse {
namespace {

// Every part drawn one by one over three decades, far from a design's equal values, so that a
// part standing in the wrong place of a formula shows.
circuit::Montage montageQuelconque(TypeFiltre type, int ordre) {
    std::mt19937_64 alea(7);
    circuit::Montage m{1, 1500, circuit::composerCircuit(type, ordre), {}};
    for (std::size_t i = 0; i < circuit::pieces(m.circuit).size(); ++i) {
        const bool r = m.element(i).nature == circuit::Nature::Resistance;
        m.valeurs.push_back((r ? 1e3 : 1e-9) *
                            std::pow(10.0, 3 * std::generate_canonical<double, 53>(alea)));
    }
    return m;
}

// From ideal to an op-amp so slow that it shapes the response around the 1.5 kHz cut-off.
const std::optional<AmpliOpReel> Amplis[] = {std::nullopt, AmpliOpReel{1e6, 1e5},
                                             AmpliOpReel{2e4, 1e3}, AmpliOpReel{1e9, 1e7}};

// Far down the stop band, the nodal solve's rounding grows as the gain falls (its inner nodes
// stand far above its output): left out below −240 dB.
constexpr double GainPlancher = 1e-12;

TEST(FonctionBloc, AgreesWithTheNodalSolveForEveryCircuitAnyPartsAndOpAmp) {
    for (const std::optional<AmpliOpReel>& a : Amplis) {
        for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
            for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
                SCOPED_TRACE(testing::Message() << (a ? a->gbw : 0) << " Hz, "
                                                << static_cast<int>(type) << " order " << ordre);
                const circuit::Montage m = montageQuelconque(type, ordre);
                const FonctionCircuit f = fonctionCircuit(m, a);
                const Reseau reseau(m, a);
                double pire = 0;
                for (double x = 0.01; x <= 100; x *= 1.3) {
                    for (const Complexe s :
                         {Complexe(0, x), Complexe(-0.3 * x, x), Complexe(x, 0)}) {
                        const Complexe w = s * f.omegaReference;
                        const Complexe h = reseau.transfert(w);
                        pire = std::max(
                            pire, std::abs(h) < GainPlancher ? 0.0 : std::abs(f(w) / h - 1.0));
                    }
                }
                EXPECT_LT(pire, 1e-9);
                // Each block alone too: the cascade's product could hide two swapped blocks.
                for (std::size_t b = 0; b < m.circuit.blocs.size(); ++b) {
                    const Reseau seul(m, b, a);
                    const Complexe w(0, 0.7 * f.omegaReference);
                    EXPECT_NEAR(
                        std::abs(f.blocs[b](w / f.omegaReference) / seul.transfert(w) - 1.0), 0,
                        1e-9);
                }
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
