#pragma once

#include "circuit/Montage.h"
#include "engine/Conception.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace quorvan::analyse {

// One op-amp stage of a design: its pole pair, and for the three-component section also its
// real pole.
struct Etage {
    std::vector<std::string> composants; // its numbered components, "C1" or "R1" and up
    double f0 = 0.0;                     // natural frequency of the pole pair, Hz
    double q = 0.0;                      // quality factor of the pole pair
    std::optional<double> poleReel;      // the real pole's frequency, Hz
    double gain = 0.0;                   // |gain| in the pass band
    // The highest |gain| from the filter's input to this stage's output, at any frequency:
    // where a stage's op-amp clips first.
    double gainMax = 0.0;
    // Rule of thumb for the op-amp's gain-bandwidth product: 100 × |gain| × f0 × Q, in Hz.
    [[nodiscard]] double gbwMinimum() const { return 100 * gain * f0 * q; }
    [[nodiscard]] double gainDb() const { return 20 * std::log10(gain); }
    [[nodiscard]] double gainMaxDb() const { return 20 * std::log10(gainMax); }
};

// The stages of a circuit, input first, from each block's own response.
[[nodiscard]] std::vector<Etage> etages(const circuit::Montage& montage);
[[nodiscard]] std::vector<Etage> etages(const Conception& conception);

} // namespace quorvan::analyse
