#pragma once

#include "engine/Conception.h"

#include <QString>

#include <string_view>

namespace quorvan {

// How the analysis window writes its numbers: in the user's notation (QLocale's decimal
// point), values with SI prefixes.

// "12,1 kΩ", "1,38 kHz" to `chiffres` significant digits.
[[nodiscard]] QString texteSI(double valeur, std::string_view unite, int chiffres);
// A frequency to three digits; "hors du balayage" for the −3 dB point of a curve that never
// falls 3 dB.
[[nodiscard]] QString texteFrequence(double hz);
// "-3,01 dB", "5,21 %": a fixed number of decimals.
[[nodiscard]] QString texteDecimales(double valeur, int decimales, const QString& unite);
// "Filtre de Bessel, passe-bas, ordre 2, 1 kHz": the design as the window's title names it.
[[nodiscard]] QString texteConception(const Conception& conception);

} // namespace quorvan
