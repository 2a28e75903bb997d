#pragma once

#include <string>
#include <string_view>

namespace quorvan {

// Where users write to the project; the only place the address is spelled out.
inline constexpr std::string_view AdresseContact = "contact@quorvan.example";

// The four lines of the About message, joined by CR LF, with no break after the last.
[[nodiscard]] std::string texteAPropos();

} // namespace quorvan
