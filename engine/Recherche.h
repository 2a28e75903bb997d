#pragma once

#include "Module1.h"

#include <array>
#include <cstdint>

namespace quorvan {

enum class EtatCalcul {
    Realisable,          // a common component was chosen; the values are in TabC or TabR
    FrequenceTropBasse,  // no accepted component keeps the values small enough
    FrequenceTropGrande, // no accepted component keeps the values large enough
};

// The practical capacitors a high-pass design may share, rising, each formed as a factor
// times a power of ten rounded to a double.
inline constexpr std::array<double, 22> SerieC = {
    22 * 1e-12,  47 * 1e-12, 82 * 1e-12, 100 * 1e-12, 220 * 1e-12, 470 * 1e-12,
    820 * 1e-12, 1e-9,       2.2 * 1e-9, 4.7 * 1e-9,  8.2 * 1e-9,  10 * 1e-9,
    22 * 1e-9,   47 * 1e-9,  82 * 1e-9,  100 * 1e-9,  220 * 1e-9,  470 * 1e-9,
    820 * 1e-9,  1e-6,       2.2 * 1e-6, 4.7 * 1e-6,
};

struct RecherchePasseBasResultat {
    EtatCalcul etat = EtatCalcul::FrequenceTropGrande;
    std::int32_t RChoix = 0; // ohms, set when the design is realisable
};

struct RecherchePasseHautResultat {
    EtatCalcul etat = EtatCalcul::FrequenceTropGrande;
    double CChoix = 0.0; // farads, set when the design is realisable
};

// Tries 10 kΩ, 4.7 kΩ then 1 kΩ for the common resistor. When realisable, TabC(1..NumOrdre)
// holds the capacitors computed with RChoix.
[[nodiscard]] RecherchePasseBasResultat RecherchePasseBas(Module1& module, double frequence);

// Chooses the largest capacitor of SerieC that keeps every resistor at 500 Ω or more. When
// realisable, TabR(1..NumOrdre) holds the resistors computed with CChoix.
[[nodiscard]] RecherchePasseHautResultat RecherchePasseHaut(Module1& module, double frequence);

} // namespace quorvan
