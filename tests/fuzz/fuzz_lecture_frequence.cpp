// Any text the frequency box can hold reads as a number, never NaN; a text made only of the
// characters of a decimal number reads exactly as the C library's strtod reads it, whatever
// its length.

#include "report/LectureFrequence.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string texte(reinterpret_cast<const char*>(data), size);
    const double f = quorvan::lireFrequence(texte);
    if (std::isnan(f)) {
        std::abort();
    }
    // Both follow the same grammar over these characters; "d" exponents are ours alone.
    if (texte.find_first_not_of("0123456789.+-eE") == std::string::npos &&
        f != std::strtod(texte.c_str(), nullptr)) {
        std::abort();
    }
    return 0;
}
