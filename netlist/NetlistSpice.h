#pragma once

#include "circuit/Circuit.h"
#include "engine/Module1.h"

#include <string>

namespace quorvan::spice {

// What a reported design puts in its circuit.
struct ValeursConception {
    int famille = 0;               // NumFiltre, 0..5
    double frequence = 0.0;        // the cut-off as typed, in hertz
    double valeurCommune = 0.0;    // ohms in a low-pass design, farads in a high-pass one
    TableauComposants numerotes{}; // TabC (farads) or TabR (ohms), by component number
};

// Names the netlist gives to the circuit's input and output nodes.
inline constexpr const char* NoeudEntree = "in";
inline constexpr const char* NoeudSortie = "out";

// A SPICE netlist of the circuit with these values: one element line per drawn element,
// named after its label (the common-value elements numbered in drawing order), the drawing's
// node names with the input called "in" and the output "out", each op-amp a voltage source of
// gain 1e6 driven by "+" minus "-", a 1 V AC source at the input and a sweep from two decades
// below to two decades above the cut-off. Values are written to round-trip exactly, whatever
// the C locale. Throws std::invalid_argument when a value is not a positive finite number or
// the family is unknown.
[[nodiscard]] std::string ecrireNetlist(const circuit::Circuit& circuit,
                                        const ValeursConception& valeurs);

} // namespace quorvan::spice
