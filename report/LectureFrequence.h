#pragma once

#include <string_view>

namespace quorvan {

// Reads the frequency typed by the user: spaces, tabs and line feeds are dropped wherever they
// stand, then the longest leading number is taken (sign, digits, "." and decimals, an exponent
// with "E" or "D"); "&H" and "&O" introduce hexadecimal and octal integers. The period is the
// only decimal separator whatever the user's locale, so "1,5" reads as 1. Text with no number
// reads as 0; a decimal beyond the double range reads as an infinity of its sign, one too
// small as 0. Never returns NaN.
[[nodiscard]] double lireFrequence(std::string_view texte);

} // namespace quorvan
