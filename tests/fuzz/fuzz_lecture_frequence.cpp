// Any text the frequency box can hold reads as a number, never NaN; a decimal number reads
// exactly as the C library's strtod reads the same number, whatever its length.

#include "report/LectureFrequence.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool chiffre(char c) {
    return c >= '0' && c <= '9';
}

// The leading decimal number of a text without blanks, in strtod's notation ("d" exponents
// become "e"); empty when the text does not start with one.
std::string nombreEnTete(std::string_view t) {
    std::size_t p = t.starts_with('+') || t.starts_with('-') ? 1 : 0;
    std::size_t chiffres = 0;
    for (; p < t.size() && chiffre(t[p]); ++p) {
        ++chiffres;
    }
    if (p < t.size() && t[p] == '.') {
        for (++p; p < t.size() && chiffre(t[p]); ++p) {
            ++chiffres;
        }
    }
    if (chiffres == 0) {
        return {};
    }
    std::string nombre(t.substr(0, p));
    if (p < t.size() && std::string_view("eEdD").find(t[p]) != std::string_view::npos) {
        std::size_t q = p + 1;
        q += q < t.size() && (t[q] == '+' || t[q] == '-') ? 1 : 0;
        const std::size_t debut = q;
        for (; q < t.size() && chiffre(t[q]); ++q) {
        }
        if (q > debut) {
            nombre += 'e';
            nombre += t.substr(p + 1, q - p - 1);
        }
    }
    return nombre;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view texte(reinterpret_cast<const char*>(data), size);
    const double f = quorvan::lireFrequence(texte);
    if (std::isnan(f)) {
        std::abort();
    }
    std::string sansBlancs;
    for (const char c : texte) {
        if (c != ' ' && c != '\t' && c != '\n') {
            sansBlancs += c;
        }
    }
    if (sansBlancs.starts_with('&')) {
        return 0;
    }
    const std::string nombre = nombreEnTete(sansBlancs);
    const double attendu = nombre.empty() ? 0.0 : std::strtod(nombre.c_str(), nullptr);
    if (f != attendu) {
        std::abort();
    }
    return 0;
}
