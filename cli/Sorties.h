#pragma once

#include "analysis/AmpliOpReel.h"
#include "analysis/Optimisation.h"
#include "analysis/ValeursNormalisees.h"
#include "circuit/Montage.h"
#include "report/CommandeCalcul.h"

#include <QJsonObject>

#include <optional>
#include <string>
#include <string_view>

namespace quorvan::cli {

// After the report, with --serie: each numbered component's standard value and how far it
// lies from the computed one.
[[nodiscard]] std::string texteValeursNormalisees(const Conception& calculee,
                                                  const Conception& normalisee,
                                                  const analyse::Serie& serie,
                                                  std::string_view separateur);

// What a file of the command line is made from.
struct Production {
    const circuit::Montage& montage; // computed, rounded under --serie, optimised under --optimiser
    const std::optional<analyse::AmpliOpReel>& ampli; // unset: ideal op-amps
    const analyse::SeriesPieces& series;              // those the parts list names
    std::string_view decimal;                         // the decimal separator of the CSV files
};

// The design's SPICE netlist.
[[nodiscard]] std::string netlistSpice(const Production& production);

// The design's response as CSV, frequencies from a hundredth to a hundred times the cut-off.
[[nodiscard]] std::string reponseCsv(const Production& production);

// The circuit's parts list as CSV.
[[nodiscard]] std::string nomenclaturePieces(const Production& production);

// The whole outcome of the Calculate command as one JSON object, SI units; `normalisee` is the
// design with its standard values under `serie`, what the analysis reads.
[[nodiscard]] QJsonObject conceptionJson(const IssueCalcul& issue, const Conception& normalisee,
                                         const std::optional<analyse::Serie>& serie);

} // namespace quorvan::cli
