#pragma once

#include "OptionsLigneCommande.h"

#include <optional>
#include <string>

namespace quorvan::cli {

// The SPICE netlist of the design the request gives, with the values the report is rounded
// from; nothing when no design comes out (the report then is a failure message).
[[nodiscard]] std::optional<std::string> netlistDeLaDemande(const Demande& demande);

} // namespace quorvan::cli
