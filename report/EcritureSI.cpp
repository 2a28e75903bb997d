#include "EcritureSI.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace quorvan {

namespace {

// clang-format off
constexpr std::array<PrefixeSI, 9> Prefixes = {{
    {-12, "p"}, {-9, "n"}, {-6, "\u00B5"}, {-3, "m"}, {0, ""}, {3, "k"}, {6, "M"}, {9, "G"},
    {12, "T"},
}};
// clang-format on

// The prefix for a value whose leading digit stands at 10^exposant.
PrefixeSI prefixePour(int exposant, std::string_view unite) {
    const int plancher = unite == "Hz" ? 0 : Prefixes.front().exposant;
    int e = exposant >= 0 ? exposant / 3 * 3 : -((2 - exposant) / 3 * 3);
    e = std::clamp(e, plancher, Prefixes.back().exposant);
    return Prefixes[static_cast<std::size_t>((e - Prefixes.front().exposant) / 3)];
}

} // namespace

PrefixeSI prefixeSI(double valeur, std::string_view unite) {
    if (valeur == 0 || !std::isfinite(valeur)) {
        return prefixePour(0, unite);
    }
    return prefixePour(static_cast<int>(std::floor(std::log10(std::fabs(valeur)))), unite);
}

std::string ecrireSI(double valeur, std::string_view unite, std::string_view separateur,
                     int chiffres) {
    if (!std::isfinite(valeur)) {
        return {};
    }
    chiffres = std::clamp(chiffres, 1, 17);
    // The rounded digits and the power of ten of the first, exactly: "9.9996e+02" to three
    // digits is "1.00e+03".
    std::array<char, 40> tampon{};
    const auto fin = std::to_chars(tampon.data(), tampon.data() + tampon.size(), valeur,
                                   std::chars_format::scientific, chiffres - 1)
                         .ptr;
    const std::string_view ecrit(tampon.data(), static_cast<std::size_t>(fin - tampon.data()));
    const std::size_t e = ecrit.find('e');
    std::string signe;
    std::string chiffresLus;
    for (const char c : ecrit.substr(0, e)) {
        if (c == '-') {
            signe = "-";
        } else if (c != '.') {
            chiffresLus += c;
        }
    }
    const int exposant = std::atoi(ecrit.data() + e + 1);
    const bool nul = chiffresLus.find_first_not_of('0') == std::string::npos;
    const PrefixeSI prefixe = prefixePour(nul ? 0 : exposant, unite);

    // Digits before the separator, as the prefix leaves them.
    const int entiers = nul ? 1 : exposant - prefixe.exposant + 1;
    std::string entier;
    std::string fraction;
    if (entiers <= 0) {
        entier = "0";
        fraction = std::string(static_cast<std::size_t>(-entiers), '0') + chiffresLus;
    } else if (static_cast<std::size_t>(entiers) >= chiffresLus.size()) {
        entier =
            chiffresLus + std::string(static_cast<std::size_t>(entiers) - chiffresLus.size(), '0');
    } else {
        entier = chiffresLus.substr(0, static_cast<std::size_t>(entiers));
        fraction = chiffresLus.substr(static_cast<std::size_t>(entiers));
    }
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (nul) {
        signe.clear();
        entier = "0";
        fraction.clear();
    }
    std::string texte = signe + entier;
    if (!fraction.empty()) {
        texte.append(separateur).append(fraction);
    }
    return texte.append(" ").append(prefixe.symbole).append(unite);
}

} // namespace quorvan
