#pragma once

#include "analysis/ValeursNormalisees.h"
#include "report/CommandeCalcul.h"

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
    const Conception& conception; // with its standard values under --serie
    std::string_view decimal;     // the decimal separator of the CSV files
};

// The design's SPICE netlist.
[[nodiscard]] std::string netlistSpice(const Production& production);

// The design's response as CSV, frequencies from a hundredth to a hundred times the cut-off.
[[nodiscard]] std::string reponseCsv(const Production& production);

// The whole outcome of the Calculate command as one JSON object, SI units; with a series, the
// standard values are those the analysis reads.
[[nodiscard]] std::string conceptionJson(const IssueCalcul& issue,
                                         const std::optional<analyse::Serie>& serie);

} // namespace quorvan::cli
