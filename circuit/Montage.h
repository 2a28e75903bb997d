#pragma once

#include "Circuit.h"
#include "engine/Conception.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quorvan::circuit {

// One physical part of a circuit: an element of a block, under the name a netlist and a parts
// list give it.
struct Piece {
    std::string nom;        // the label for a numbered part; the common parts numbered in
                            // drawing order: "R1".."R10" in a low-pass circuit, "C1".. in a
                            // high-pass one
    std::size_t bloc = 0;   // its op-amp block, input first
    std::size_t indice = 0; // its place in the block's elements
};

// Every part of the circuit, block by block, each block's elements in their order.
[[nodiscard]] std::vector<Piece> pieces(const Circuit& circuit);

// A design's circuit with a value on each of its parts, in ohms or farads: the computed design,
// where every common part has the common value, or parts chosen one by one.
struct Montage {
    int famille = 0;
    double frequence = 0.0; // the typed cut-off, in hertz
    Circuit circuit;
    std::vector<double> valeurs; // one per part, in the order of pieces(circuit)

    [[nodiscard]] const Element& element(std::size_t piece) const;

    friend bool operator==(const Montage&, const Montage&) = default;
};

// The computed design's circuit: the common parts at the common value, each numbered part at
// its own. Throws std::out_of_range when the order has no circuit.
[[nodiscard]] Montage monter(const Conception& conception);

// The index of the first part of each block, and one past the last part at the end.
[[nodiscard]] std::vector<std::size_t> debutsBlocs(const Circuit& circuit);

} // namespace quorvan::circuit
