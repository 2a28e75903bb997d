// The description of each circuit against the table of the twelve pictures: which blocks,
// which label at which place, and how the elements are wired.

#include "Circuit.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace quorvan::circuit {
namespace {

// A block as the table of pictures gives it: the numbers on its shunt elements from the
// input side, then the number in its inner feedback branch.
struct BlocAttendu {
    GenreBloc genre;
    std::vector<int> shunts;
    int interne;
};

struct Cas {
    int image;
    TypeFiltre type;
    int ordre;
    int communs; // elements labelled with the bare "R" (low-pass) or "C" (high-pass)
    std::vector<BlocAttendu> blocs;
};

constexpr GenreBloc E = GenreBloc::Etage;
constexpr GenreBloc S = GenreBloc::Section;
constexpr TypeFiltre PB = TypeFiltre::PasseBas;
constexpr TypeFiltre PH = TypeFiltre::PasseHaut;

const std::vector<Cas> Table = {
    {1, PB, 2, 3, {{E, {1}, 2}}},
    {2, PB, 3, 4, {{S, {1, 2}, 3}}},
    {3, PB, 4, 6, {{E, {1}, 2}, {E, {3}, 4}}},
    {4, PB, 5, 7, {{E, {4}, 5}, {S, {1, 2}, 3}}},
    {5, PB, 6, 9, {{E, {1}, 2}, {E, {3}, 4}, {E, {5}, 6}}},
    {6, PB, 7, 10, {{E, {4}, 5}, {E, {6}, 7}, {S, {1, 2}, 3}}},
    {7, PH, 2, 3, {{E, {1}, 2}}},
    {8, PH, 3, 4, {{S, {1, 2}, 3}}},
    {9, PH, 4, 6, {{E, {1}, 2}, {E, {3}, 4}}},
    {10, PH, 5, 7, {{E, {4}, 5}, {S, {1, 2}, 3}}},
    {11, PH, 6, 9, {{E, {1}, 2}, {E, {3}, 4}, {E, {5}, 6}}},
    {12, PH, 7, 10, {{E, {4}, 5}, {E, {6}, 7}, {S, {1, 2}, 3}}},
};

std::vector<const Element*> aLaPlace(const Bloc& bloc, Place place) {
    std::vector<const Element*> elements;
    for (const Element& e : bloc.elements) {
        if (e.place == place) {
            elements.push_back(&e);
        }
    }
    return elements;
}

TEST(Circuit, LabelsAndNumbersAreThoseOfThePicture) {
    for (const Cas& c : Table) {
        SCOPED_TRACE("picture " + std::to_string(c.image));
        const Circuit circuit = composerCircuit(c.type, c.ordre);
        // The numbered elements are the capacitors of a low-pass circuit, the resistors of a
        // high-pass one; the common value takes the other kind.
        const Nature numerotee = c.type == PB ? Nature::Condensateur : Nature::Resistance;
        const char prefixe = c.type == PB ? 'C' : 'R';
        std::map<std::string, int> compte;
        for (const Bloc& b : circuit.blocs) {
            for (const Element& e : b.elements) {
                ++compte[e.etiquette];
                EXPECT_EQ(e.nature == numerotee, e.numero != 0) << e.etiquette;
                EXPECT_EQ(e.etiquette.front(), e.nature == Nature::Resistance ? 'R' : 'C');
            }
        }
        std::map<std::string, int> attendu{{c.type == PB ? "R" : "C", c.communs}};
        for (int i = 1; i <= c.ordre; ++i) {
            attendu[prefixe + std::to_string(i)] = 1;
        }
        EXPECT_EQ(compte, attendu);

        ASSERT_EQ(circuit.blocs.size(), c.blocs.size());
        for (std::size_t k = 0; k < c.blocs.size(); ++k) {
            SCOPED_TRACE("block " + std::to_string(k + 1));
            const Bloc& bloc = circuit.blocs[k];
            EXPECT_EQ(bloc.genre, c.blocs[k].genre);
            std::vector<int> shunts;
            for (const Element* e : aLaPlace(bloc, Place::Shunt)) {
                shunts.push_back(e->numero);
                EXPECT_EQ(e->etiquette, prefixe + std::to_string(e->numero));
            }
            EXPECT_EQ(shunts, c.blocs[k].shunts);
            const auto interne = aLaPlace(bloc, Place::ContreReactionInterne);
            ASSERT_EQ(interne.size(), 1U);
            EXPECT_EQ(interne[0]->numero, c.blocs[k].interne);
            EXPECT_EQ(interne[0]->etiquette, prefixe + std::to_string(c.blocs[k].interne));
        }
    }
}

// Each block is the multiple-feedback circuit: series elements from the block's input to
// the inverting input with a shunt to ground at every node between them, the outer branch
// from the last of those nodes to the output, the inner one from "-" to the output, "+" on
// ground. Each op-amp output feeds the next block.
TEST(Circuit, BlocksAreMultipleFeedbackStagesInCascade) {
    for (const Cas& c : Table) {
        SCOPED_TRACE("picture " + std::to_string(c.image));
        const Circuit circuit = composerCircuit(c.type, c.ordre);
        std::string entree = circuit.entree;
        for (const Bloc& bloc : circuit.blocs) {
            const auto series = aLaPlace(bloc, Place::Serie);
            const auto shunts = aLaPlace(bloc, Place::Shunt);
            const auto externe = aLaPlace(bloc, Place::ContreReactionExterne);
            const auto interne = aLaPlace(bloc, Place::ContreReactionInterne);
            ASSERT_EQ(series.size(), bloc.genre == S ? 3U : 2U);
            ASSERT_EQ(shunts.size() + 1, series.size());
            ASSERT_EQ(externe.size(), 1U);
            ASSERT_EQ(bloc.elements.size(), series.size() + shunts.size() + 2);

            EXPECT_EQ(series.front()->noeudA, entree);
            for (std::size_t i = 0; i < shunts.size(); ++i) {
                EXPECT_EQ(series[i + 1]->noeudA, series[i]->noeudB);
                EXPECT_EQ(shunts[i]->noeudA, series[i]->noeudB);
                EXPECT_EQ(shunts[i]->noeudB, circuit.masse);
            }
            EXPECT_EQ(series.back()->noeudB, bloc.ampli.moins);
            EXPECT_EQ(externe[0]->noeudA, shunts.back()->noeudA);
            EXPECT_EQ(externe[0]->noeudB, bloc.ampli.sortie);
            EXPECT_EQ(interne[0]->noeudA, bloc.ampli.moins);
            EXPECT_EQ(interne[0]->noeudB, bloc.ampli.sortie);
            EXPECT_EQ(bloc.ampli.plus, circuit.masse);
            for (const Element* e : series) {
                EXPECT_EQ(e->numero, 0);
            }
            EXPECT_EQ(externe[0]->numero, 0);
            EXPECT_NE(bloc.ampli.sortie, entree);
            entree = bloc.ampli.sortie;
        }
        EXPECT_EQ(circuit.sortie, entree);
        EXPECT_EQ(circuit.masse, "0");
    }
}

} // namespace
} // namespace quorvan::circuit
