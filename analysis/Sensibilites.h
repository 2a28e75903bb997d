#pragma once

#include "Tirage.h"
#include "circuit/Montage.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quorvan::analyse {

// What a small change of one part does to the pass band.
struct Sensibilite {
    std::string nom;                 // as the netlist names the part
    std::size_t piece = 0;           // its index in circuit::pieces
    double coupurePctParPct = 0.0;   // −3 dB frequency's relative change over the part's
    double ondulationDbParPct = 0.0; // ripple's change a percent of the part; 0 without ripple
    double partVariancePct = 0.0;    // its share of the −3 dB frequency's variance
};

// Every part of the circuit, those that move the −3 dB frequency most at their tolerance first
// ("à resserrer en premier"). The shares are those of a linear model: part i contributes
// (sensitivity × its deviation's σ)², and every part's σ is its tolerance times one factor of
// the law, which the shares do not see.
[[nodiscard]] std::vector<Sensibilite> sensibilites(const circuit::Montage& montage,
                                                    const Tolerances& tolerances);

// The −3 dB frequency's lowest and highest values over the corners of the tolerance box, in
// hertz: from the corners the sensitivities' signs point to, each part then turned the other
// way while that takes the frequency further.
struct PireCas {
    double coupureMin = 0.0;
    double coupureMax = 0.0;
};
[[nodiscard]] PireCas pireCas(const circuit::Montage& montage,
                              const std::vector<Sensibilite>& sensibilites,
                              const Tolerances& tolerances);

} // namespace quorvan::analyse
