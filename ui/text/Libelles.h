#pragma once

#include <array>
#include <string_view>

namespace quorvan {

// The status-line captions of the main window, which also head the report.
inline constexpr std::array<std::string_view, 6> LibellesFiltre = {
    "Filtre de Bessel",
    "Filtre de Butterworth",
    "Filtre de Chebyshev (ondulation +/- 0.5 dB)",
    "Filtre de Chebyshev (ondulation +/- 1 dB)",
    "Filtre de Chebyshev (ondulation +/- 2 dB)",
    "Filtre de Chebyshev (ondulation +/- 3 dB)",
};

enum class TypeFiltre { PasseBas = 0, PasseHaut = 1 };

[[nodiscard]] constexpr std::string_view libelleType(TypeFiltre type) {
    return type == TypeFiltre::PasseBas ? "Passe-bas" : "Passe-haut";
}

} // namespace quorvan
