#pragma once

#include "OptionsLigneCommande.h"
#include "engine/Module1.h"
#include "report/CommandeCalcul.h"

#include <string>

namespace quorvan::cli {

// The SPICE netlist of the design the Calculate command just reported for `demande`, with the
// values its report is rounded from: the chosen common value kept in `issue`, the numbered
// ones left in TabC or TabR of `module`. `issue` must hold a report.
[[nodiscard]] std::string netlistDeLaConception(const Demande& demande, const IssueCalcul& issue,
                                                const Module1& module);

} // namespace quorvan::cli
