#pragma once

#include "engine/Familles.h"

#include <string>
#include <vector>

namespace quorvan::circuit {

enum class Nature { Resistance, Condensateur };

// Where an element stands in its block; the diagram draws each place its own way.
enum class Place {
    Serie,                 // on the signal line, from left to right
    Shunt,                 // from a node of the signal line down to the ground rail
    ContreReactionExterne, // from a shunt node over the block to the op-amp output
    ContreReactionInterne, // from the inverting input to the op-amp output
};

struct Element {
    Nature nature = Nature::Resistance;
    Place place = Place::Serie;
    std::string noeudA;    // the left end, or the upper end of a shunt element
    std::string noeudB;    // the right end, or the ground end of a shunt element
    std::string etiquette; // "R" or "C" for the common value, else "C1".."C7" or "R1".."R7"
    int numero = 0;        // the component number, 0 for the common value

    friend bool operator==(const Element&, const Element&) = default;
};

// An op-amp with its non-inverting input on ground.
struct AmpliOp {
    std::string moins;
    std::string plus;
    std::string sortie;

    friend bool operator==(const AmpliOp&, const AmpliOp&) = default;
};

enum class GenreBloc {
    Etage,   // two components, one pole pair
    Section, // three components: a real pole in front of a pole pair
};

// One op-amp and the elements around it. The series elements come in signal order, each
// followed by the elements that branch off at its right end, so that walking the list from
// the front lays the block out from left to right.
struct Bloc {
    GenreBloc genre = GenreBloc::Etage;
    std::vector<Element> elements;
    AmpliOp ampli;

    friend bool operator==(const Bloc&, const Bloc&) = default;
};

struct Circuit {
    TypeFiltre type = TypeFiltre::PasseBas;
    int ordre = 0;
    std::string entree;
    std::string sortie;      // the output of the last op-amp
    std::string masse;       // "0", ground as a netlist names it
    std::vector<Bloc> blocs; // from the input to the output

    friend bool operator==(const Circuit&, const Circuit&) = default;
};

// The multiple-feedback cascade of one type and order (OrdreMin..OrdreMax): ⌊order/2⌋ blocks;
// for an odd order the three-component section comes last and carries the numbers 1, 2, 3,
// the stages before it 4 and up. Throws std::out_of_range for any other order.
[[nodiscard]] Circuit composerCircuit(TypeFiltre type, int ordre);

} // namespace quorvan::circuit
