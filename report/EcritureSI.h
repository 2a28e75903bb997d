#pragma once

#include <string>
#include <string_view>

namespace quorvan {

// A value with an SI prefix and its unit, for the analysis window and the parts lists:
// rounded to `chiffres` significant digits, trailing zeros dropped, the prefix chosen after
// rounding so that the figure before the separator runs from 1 to 999: "12,1 kΩ", "4,7 nF",
// "950 Hz", "1,38 kHz", "2,5 MHz", "12.1 kΩ" with "." as `separateur`. 999.96 Hz to three
// digits is "1 kHz". Hertz below one take no prefix, "0,5 Hz", "0,05 Hz": "mHz" is too easily
// read "MHz". Past the prefixes (p to T) the figure grows or shrinks instead: "0,001 pF".
// A non-finite value gives an empty text.
[[nodiscard]] std::string ecrireSI(double valeur, std::string_view unite,
                                   std::string_view separateur, int chiffres);

// The power of ten, a multiple of 3, and the symbol of the prefix ecrireSI gives a value of
// that size before rounding: an axis in these units reads like the labels along it.
struct PrefixeSI {
    int exposant;
    std::string_view symbole;
};
[[nodiscard]] PrefixeSI prefixeSI(double valeur, std::string_view unite);

} // namespace quorvan
