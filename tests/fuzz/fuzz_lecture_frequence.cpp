// Any text the frequency box can hold reads as a number, never NaN.

#include "LectureFrequence.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view texte(reinterpret_cast<const char*>(data), size);
    const double f = quorvan::lireFrequence(texte);
    if (std::isnan(f)) {
        std::abort();
    }
    return 0;
}
