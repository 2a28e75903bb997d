// The closed-form block functions against the nodal solve of the same circuit.

#include "analysis/FonctionBloc.h"
#include "analysis/Reseau.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace quorvan::analyse {
namespace {

// Every circuit with parts drawn one by one, far from the designs' equal values, so that a
// part standing in the wrong place of the formula shows.
TEST(FonctionBloc, AgreesWithTheNodalSolveForEveryCircuitAndAnyParts) {
    std::mt19937_64 alea(7);
    std::uniform_real_distribution<double> decades(0.0, 3.0);
    for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
        for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
            SCOPED_TRACE(testing::Message() << static_cast<int>(type) << " order " << ordre);
            circuit::Montage m{1, 1500, circuit::composerCircuit(type, ordre), {}};
            for (const circuit::Piece& p : circuit::pieces(m.circuit)) {
                const bool r = m.circuit.blocs[p.bloc].elements[p.indice].nature ==
                               circuit::Nature::Resistance;
                m.valeurs.push_back((r ? 1e3 : 1e-9) * std::pow(10.0, decades(alea)));
            }
            const FonctionCircuit f = fonctionCircuit(m);
            const Reseau reseau(m);
            double pire = 0;
            for (double x = 0.01; x <= 100; x *= 1.3) {
                for (const Complexe s : {Complexe(0, x), Complexe(-0.3 * x, x), Complexe(x, 0)}) {
                    const Complexe w = s * f.omegaReference;
                    pire = std::max(pire, std::abs(f(w) / reseau.transfert(w) - 1.0));
                }
            }
            EXPECT_LT(pire, 1e-9);
            // Each block alone too: the cascade's product could hide two swapped blocks.
            for (std::size_t b = 0; b < m.circuit.blocs.size(); ++b) {
                const Reseau seul(m, b);
                const Complexe w(0, 0.7 * f.omegaReference);
                EXPECT_NEAR(std::abs(f.blocs[b](w / f.omegaReference) / seul.transfert(w) - 1.0), 0,
                            1e-9);
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
}

} // namespace
} // namespace quorvan::analyse
