#pragma once

#include "engine/Familles.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvan {

// How the report writes its numbers. `separateur` is the decimal separator of the user's
// regional settings, as UTF-8 text ("," or "." in practice).

// An integer with its sign place: " 4", " 10000", "-3".
[[nodiscard]] std::string formatEntierSigne(std::int64_t valeur);

// Rounded to three decimals, ties away from zero; every integer digit, then the separator
// always, then up to three decimals without trailing zeros: "1000,", "1234,568", "0,25".
// Exact for every finite double.
[[nodiscard]] std::string formatTroisDecimales(double valeur, std::string_view separateur);

// A resistance rounded to whole ohms, ties to even, as bare digits: "1693", "559".
[[nodiscard]] std::string formatOhmsArrondis(double ohms);

// A capacitance in farads as " pF", " nF" or " µF": "22, pF", "4,7 nF", "0,22 µF".
[[nodiscard]] std::string FormatCapacite(double farads, std::string_view separateur);

// A numbered component's value as the report writes it: a low-pass design's capacitor with
// FormatCapacite, a high-pass design's resistor in whole ohms: "15,916 nF", "864 Ohms".
[[nodiscard]] std::string formatComposant(TypeFiltre type, double valeur,
                                          std::string_view separateur);

// A part's value as the netlist and the JSON write it. Standard parts (the E6 to E192 series,
// the engine's capacitors) are decimals of at most three significant digits, but the double of
// one may miss that decimal's own double by an ulp or two: the engine forms 4.7e-8 as 47 × 1e-9,
// 4.7000000000000004e-08. A value within four machine epsilons of such a decimal comes back as
// the decimal's double, whose shortest text is the decimal; any other value, computed, comes
// back as it is (one lands that near a three-digit decimal about once in 10^12).
[[nodiscard]] double valeurPiece(double valeur);

// The shortest text that reads back as valeurPiece(valeur), a period whatever the locale:
// "4.7e-08" for 47 × 1e-9, "1.7109176279901665e-07" for a computed value.
[[nodiscard]] std::string texteValeurPiece(double valeur);

} // namespace quorvan
