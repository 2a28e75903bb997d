#pragma once

#include "ValeursNormalisees.h"
#include "circuit/Montage.h"
#include "engine/Conception.h"

#include <optional>
#include <string>

namespace quorvan::analyse {

// The series parts are bought from, and the values shops keep.
struct SeriesPieces {
    Serie resistances;
    Serie condensateurs;
};
inline constexpr double ResistanceMinOptimisee = 100;    // ohms
inline constexpr double ResistanceMaxOptimisee = 1e7;    // ohms
inline constexpr double CondensateurMinOptimise = 1e-11; // farads
inline constexpr double CondensateurMaxOptimise = 1e-5;  // farads

// The computed design with every part, the common ones included, at the nearest value of its
// series on a logarithmic scale.
[[nodiscard]] circuit::Montage arrondir(const Conception& calculee, const SeriesPieces& series);

struct Optimisation {
    // The circuit of the diagram with parts of the series, each op-amp block with its own common
    // value; absent when no set of parts within the ranges realises the filter.
    std::optional<circuit::Montage> montage;
    std::string message;            // why there is none, in French
    double ecartMaxDb = 0.0;        // the optimised circuit's largest deviation, dB
    double ecartMaxArrondiDb = 0.0; // the same measure for arrondir(), dB
};

// Chooses the parts that bring the circuit closest to its family's exact response, at the
// computed design's pass-band gain: the smallest largest gain difference over
// bandeComparaison(), and among choices within 0.01 dB of it the one whose values lie closest
// to 10 kΩ and 10 nF on a logarithmic scale. Never worse by that measure than arrondir().
[[nodiscard]] Optimisation optimiser(const Conception& calculee, const SeriesPieces& series);

} // namespace quorvan::analyse
