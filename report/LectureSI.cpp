#include "LectureSI.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace quorvan {

namespace {

struct Prefixe {
    std::string_view symbole;
    double facteur;
};

// "m" is milli and "M" mega, as everywhere in SI.
constexpr std::array<Prefixe, 12> Prefixes = {{
    {"p", 1e-12},
    {"n", 1e-9},
    {"u", 1e-6},
    {"\u00B5", 1e-6}, // micro sign
    {"\u03BC", 1e-6}, // Greek mu
    {"m", 1e-3},
    {"k", 1e3},
    {"K", 1e3},
    {"M", 1e6},
    {"G", 1e9},
    {"T", 1e12},
    {"", 1},
}};

// Spaces as a keyboard or a French number types them: plain, no-break and narrow no-break.
constexpr std::array<std::string_view, 4> Espaces = {" ", "\t", "\u00A0", "\u202F"};

std::string sansEspaces(std::string_view texte) {
    std::string s;
    while (!texte.empty()) {
        const auto espace =
            std::find_if(Espaces.begin(), Espaces.end(),
                         [texte](std::string_view e) { return texte.starts_with(e); });
        if (espace != Espaces.end()) {
            texte.remove_prefix(espace->size());
        } else {
            s += texte.front();
            texte.remove_prefix(1);
        }
    }
    return s;
}

bool memeUnite(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

std::optional<double> lireSI(std::string_view texte, std::string_view unite) {
    std::string s = sansEspaces(texte);
    if (std::count(s.begin(), s.end(), ',') + std::count(s.begin(), s.end(), '.') > 1) {
        return std::nullopt;
    }
    std::replace(s.begin(), s.end(), ',', '.');
    const char* debut = s.data();
    if (s.starts_with('+')) {
        ++debut;
    }
    double nombre = 0;
    const auto [fin, erreur] = std::from_chars(debut, s.data() + s.size(), nombre);
    if (erreur != std::errc()) {
        return std::nullopt;
    }
    const std::string_view reste(fin, static_cast<std::size_t>(s.data() + s.size() - fin));
    for (const Prefixe& p : Prefixes) {
        if (reste.starts_with(p.symbole)) {
            const std::string_view apres = reste.substr(p.symbole.size());
            if (apres.empty() || memeUnite(apres, unite)) {
                const double valeur = nombre * p.facteur;
                return std::isfinite(valeur) ? std::optional(valeur) : std::nullopt;
            }
        }
    }
    return std::nullopt;
}

} // namespace quorvan
