#pragma once

#include <optional>
#include <string_view>

namespace quorvan {

// Reads a value typed with an optional SI prefix and an optional unit, as ecrireSI writes
// them: "1 MHz", "1e6", "2,2 k", "470n", "1.5 MHz". The comma and the period are both decimal
// separators (one at most); spaces are dropped wherever they stand, so "1 000 000" reads as a
// million. The prefixes run from p to T ("u" and "K" as well as "µ" and "k"); the unit may be
// written in any letter case. Nothing for any other text or a value beyond the double's range.
[[nodiscard]] std::optional<double> lireSI(std::string_view texte, std::string_view unite);

} // namespace quorvan
