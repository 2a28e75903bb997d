#pragma once

#include <cstdint>

namespace quorvan::toolkit::rtf {

// What a byte of the document's text means, by the font it is written in. Bytes with no
// character in a table give U+FFFD, the replacement character.

// Windows code page 1252: Latin-1 with printable characters in 0x80..0x9F.
[[nodiscard]] char32_t cp1252ToUnicode(std::uint8_t byte);

// The Symbol font's own encoding (Greek letters, mathematical signs, the bullet), given as
// the Unicode characters it draws, so the text can be shown in any Unicode font.
[[nodiscard]] char32_t symbolToUnicode(std::uint8_t byte);

} // namespace quorvan::toolkit::rtf
