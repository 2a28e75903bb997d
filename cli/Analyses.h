#pragma once

#include "OptionsAnalyse.h"
#include "analysis/MonteCarlo.h"
#include "analysis/Optimisation.h"
#include "circuit/Montage.h"
#include "report/CommandeCalcul.h"

#include <optional>
#include <string>

namespace quorvan::cli {

// What the command line works out about a design beyond its values.
struct Analyses {
    std::optional<analyse::Optimisation> optimisation; // under --optimiser
    // The circuit the files, the trials and the GBW needed are of: computed, rounded under
    // --serie, optimised under --optimiser; unset without a design or without optimised parts.
    std::optional<circuit::Montage> montage;
    std::string pourquoiSansMontage; // when there is a design but no circuit, in French
    analyse::SeriesPieces series;    // those the parts list names
    std::optional<analyse::ResultatMonteCarlo> monteCarlo; // under --essais
    std::optional<double> gbwNecessaire;                   // Hz
};

// `normalisee` is the design with its standard values under --serie. Throws
// std::invalid_argument when the trials refuse the circuit.
[[nodiscard]] Analyses analyser(const IssueCalcul& issue, const Conception& normalisee,
                                const std::optional<analyse::Serie>& serie,
                                const DemandeAnalyse& demande);

} // namespace quorvan::cli
