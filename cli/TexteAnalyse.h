#pragma once

#include "Analyses.h"
#include "OptionsAnalyse.h"

#include <string>
#include <string_view>

namespace quorvan::cli {

// After the report, under --optimiser: each part's value and how close the circuit comes to
// its family's response.
[[nodiscard]] std::string texteOptimisation(const Analyses& analyses, std::string_view separateur);

// After the report, under --essais: a few lines on where the trials landed.
[[nodiscard]] std::string texteMonteCarlo(const analyse::ResultatMonteCarlo& resultat,
                                          const analyse::ReglagesMonteCarlo& reglages,
                                          std::string_view separateur);

} // namespace quorvan::cli
