#pragma once

#include "analysis/AmpliOpReel.h"
#include "circuit/Montage.h"
#include "engine/Conception.h"

#include <optional>
#include <string>

namespace quorvan::spice {

// Names the netlist gives to the circuit's input and output nodes.
inline constexpr const char* NoeudEntree = "in";
inline constexpr const char* NoeudSortie = "out";

// A SPICE netlist of a circuit with its values: one element line per part, named as
// circuit::pieces names it (the common-value elements numbered in drawing order), the drawing's
// node names with the input called "in" and the output "out", each op-amp a voltage source of
// gain 1e6 driven by "+" minus "-" (with `ampli`, an instance of a subcircuit of that one-pole
// op-amp), a 1 V AC source at the input and a sweep from two decades below to two decades above
// the cut-off. Numbers have periods whatever the C locale; a part's value is written as
// texteValeurPiece writes it: a standard part as its decimal, any other value to round-trip
// exactly. Throws std::invalid_argument when a value or the op-amp's GBW or gain is not a
// positive finite number or the family is unknown, std::out_of_range when the order has no
// circuit.
[[nodiscard]] std::string
ecrireNetlist(const circuit::Montage& montage,
              const std::optional<analyse::AmpliOpReel>& ampli = std::nullopt);
[[nodiscard]] std::string ecrireNetlist(const Conception& conception);

} // namespace quorvan::spice
