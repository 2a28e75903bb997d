// An independent check of the numbering: each described circuit, built with the values the
// design reports for its labels, must give its family's response at the cut-off.

#include "Circuit.h"
#include "FilterOracle.h"
#include "Recherche.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

namespace quorvan::circuit {
namespace {

constexpr double Frequency = 1000.0;

oracle::Design construire(const Circuit& circuit, double commune,
                          const oracle::Components& numerotees) {
    oracle::Design design;
    std::map<std::string, int> noeuds{{circuit.masse, 0}};
    const auto noeud = [&](const std::string& nom) {
        const auto it = noeuds.find(nom);
        return it != noeuds.end() ? it->second
                                  : noeuds.emplace(nom, design.network.addNode()).first->second;
    };
    for (const Bloc& bloc : circuit.blocs) {
        for (const Element& e : bloc.elements) {
            const double v =
                e.numero == 0 ? commune : numerotees.at(static_cast<std::size_t>(e.numero));
            if (e.nature == Nature::Resistance) {
                design.network.addResistor(noeud(e.noeudA), noeud(e.noeudB), v);
            } else {
                design.network.addCapacitor(noeud(e.noeudA), noeud(e.noeudB), v);
            }
        }
        design.network.addOpAmp(noeud(bloc.ampli.moins), noeud(bloc.ampli.sortie));
    }
    design.input = noeud(circuit.entree);
    design.output = noeud(circuit.sortie);
    return design;
}

TEST(CircuitResponse, EveryReportedDesignFollowsItsFamilyInTheDescribedCircuit) {
    for (int famille = oracle::Bessel; famille <= oracle::LastFamily; ++famille) {
        for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
            SCOPED_TRACE(std::string(oracle::familyName(famille)) + " order " +
                         std::to_string(ordre));
            Module1 module;
            module.NumFiltre = static_cast<std::int16_t>(famille);
            module.NumOrdre = static_cast<std::int16_t>(ordre);
            const double wc = 2.0 * oracle::Pi * Frequency;

            const auto bas = RecherchePasseBas(module, Frequency);
            ASSERT_EQ(bas.etat, EtatCalcul::Realisable);
            const auto circuitBas = composerCircuit(TypeFiltre::PasseBas, ordre);
            EXPECT_LE(oracle::designDeviationDb(famille, ordre,
                                                construire(circuitBas, bas.RChoix, module.TabC), wc,
                                                oracle::FilterType::LowPass),
                      2.0);

            const auto haut = RecherchePasseHaut(module, Frequency);
            ASSERT_EQ(haut.etat, EtatCalcul::Realisable);
            const auto circuitHaut = composerCircuit(TypeFiltre::PasseHaut, ordre);
            EXPECT_LE(oracle::designDeviationDb(famille, ordre,
                                                construire(circuitHaut, haut.CChoix, module.TabR),
                                                wc, oracle::FilterType::HighPass),
                      2.0);
        }
    }
}

} // namespace
} // namespace quorvan::circuit
