#pragma once

#include "Analyses.h"
#include "OptionsAnalyse.h"

#include <QJsonObject>

namespace quorvan::cli {

// Adds to the design's JSON what the command line asked beyond it: "optimisation" (and
// "optimisation_message" when it has no parts) under --optimiser, "monte_carlo" under --essais,
// "ampli_op" under --gbw, and always "gbw_necessaire_hz".
void ajouterAnalyses(QJsonObject& o, const Analyses& analyses, const DemandeAnalyse& demande);

} // namespace quorvan::cli
