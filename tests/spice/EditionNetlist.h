#pragma once

// Reading and altering the element lines of a netlist the way a person would in an editor.

#include <string>
#include <string_view>
#include <vector>

namespace quorvan::spice::test {

// An element line split on blanks: the name first, then nodes and value.
struct LigneElement {
    std::vector<std::string> champs;
    [[nodiscard]] const std::string& nom() const { return champs.front(); }
};

// The element lines, in order: neither comments ("*") nor directives (".").
[[nodiscard]] std::vector<LigneElement> lignesElements(std::string_view netlist);

// The last field of the line of element `nom`; throws std::out_of_range when there is none.
[[nodiscard]] std::string valeurElement(std::string_view netlist, std::string_view nom);

// The netlist with the last field of element `nom` replaced.
[[nodiscard]] std::string avecValeur(std::string_view netlist, std::string_view nom,
                                     std::string_view valeur);

} // namespace quorvan::spice::test
