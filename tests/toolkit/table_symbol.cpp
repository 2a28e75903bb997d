// Prints the character the RTF reader gives each byte written in the Symbol font, one byte a
// line in hexadecimal, for the check against the font itself.

#include "toolkit/richtext/rtf/Charsets.h"

#include <cstdio>

int main() {
    for (int octet = 0x20; octet <= 0xFF; ++octet) {
        std::printf("%02X %04X\n", octet,
                    static_cast<unsigned>(
                        quorvan::toolkit::rtf::symbolToUnicode(static_cast<std::uint8_t>(octet))));
    }
    return 0;
}
