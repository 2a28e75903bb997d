#pragma once

#include "GainCircuit.h"
#include "Reponse.h"

#include <span>
#include <vector>

namespace quorvan::analyse {

// The frequencies of every curve as ratios to the typed cut-off: 50 a decade from a hundredth
// to a hundred times it, the samples balayerAutour takes.
[[nodiscard]] std::vector<double> grilleCourbe();

// The pass band of a circuit from its |H|² `carres` at the rising ratios `x`, by the
// definitions caracteriser reads a sweep with: where the gain, coming from the stop band, first
// reaches 3 dB below its highest value in the pass band, and how much it varies before, up to
// its last peak (0 without a peak). The highest and lowest values count the gain where the
// pass band opens. The −3 dB frequency is in hertz, for a typed cut-off of `frequence`. |H|²
// orders the points as the gain in dB does, without a logarithm a point.
[[nodiscard]] Caracteristiques mesurerBande(const GainCircuit& gain, TypeFiltre type,
                                            std::span<const double> x,
                                            std::span<const double> carres, double frequence);

// A circuit with one value per part (as Montage::valeurs), sampled on grilleCourbe() and
// measured so.
[[nodiscard]] Caracteristiques mesurer(const circuit::Circuit& circuit,
                                       std::span<const double> valeurs, double frequence);

} // namespace quorvan::analyse
