#pragma once

#include "Reponse.h"
#include "engine/Conception.h"

#include <span>
#include <string>
#include <string_view>

namespace quorvan::analyse {

// Responses as CSV, the one way the program writes them: ';' between fields, so that the
// decimal separator may be a comma, ten significant digits, one line a frequency.

// One curve's columns: gain_db, phase_deg and retard_s, each name followed by `suffixe`.
struct CourbeCsv {
    std::string_view suffixe; // "" or "_E24"
    std::span<const PointReponse> points;
};

// The line of column names, frequence_hz first, then a line a point of the curves, which all
// share the first one's frequencies (std::invalid_argument when they have not as many points).
[[nodiscard]] std::string reponseCsv(std::span<const CourbeCsv> courbes, std::string_view decimal);

// A line naming the design, to stand above its curves:
// "Filtre de Butterworth;Passe-bas;ordre 4;coupure 1000 Hz".
[[nodiscard]] std::string ligneConceptionCsv(const Conception& conception,
                                             std::string_view decimal);

} // namespace quorvan::analyse
