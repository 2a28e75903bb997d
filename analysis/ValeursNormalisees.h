#pragma once

#include "engine/Conception.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvan::analyse {

// The standard series of preferred values, each value of a decade times 10 (E6 to E24, two
// significant digits) or times 100 (E48 and E96, three), as IEC 60063 lists them.
// clang-format off
inline constexpr std::array<int, 6> E6 = {10, 15, 22, 33, 47, 68};
inline constexpr std::array<int, 12> E12 = {10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
inline constexpr std::array<int, 24> E24 = {
    10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
    33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91,
};
inline constexpr std::array<int, 48> E48 = {
    100, 105, 110, 115, 121, 127, 133, 140, 147, 154, 162, 169,
    178, 187, 196, 205, 215, 226, 237, 249, 261, 274, 287, 301,
    316, 332, 348, 365, 383, 402, 422, 442, 464, 487, 511, 536,
    562, 590, 619, 649, 681, 715, 750, 787, 825, 866, 909, 953,
};
inline constexpr std::array<int, 96> E96 = {
    100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130,
    133, 137, 140, 143, 147, 150, 154, 158, 162, 165, 169, 174,
    178, 182, 187, 191, 196, 200, 205, 210, 215, 221, 226, 232,
    237, 243, 249, 255, 261, 267, 274, 280, 287, 294, 301, 309,
    316, 324, 332, 340, 348, 357, 365, 374, 383, 392, 402, 412,
    422, 432, 442, 453, 464, 475, 487, 499, 511, 523, 536, 549,
    562, 576, 590, 604, 619, 634, 649, 665, 681, 698, 715, 732,
    750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976,
};
// clang-format on

struct Serie {
    std::string_view nom;
    std::span<const int> valeurs; // one decade, rising
    int echelle;                  // what a value of the table is worth 1 for
};

inline constexpr std::array<Serie, 5> Series = {{
    {"E6", E6, 10},
    {"E12", E12, 10},
    {"E24", E24, 10},
    {"E48", E48, 100},
    {"E96", E96, 100},
}};

// The series of that name ("E24"), if there is one.
[[nodiscard]] std::optional<Serie> serieNommee(std::string_view nom);

// The value of the series nearest to `valeur` on a logarithmic scale (the smaller one when
// two are as near), for any positive finite value.
[[nodiscard]] double valeurNormalisee(double valeur, const Serie& serie);

// Every value of the series from `plusPetite` to `plusGrande`, both included, rising.
[[nodiscard]] std::vector<double> valeursEntre(const Serie& serie, double plusPetite,
                                               double plusGrande);

// The design with each numbered component at its value of the series; the common one stays.
[[nodiscard]] Conception normaliser(Conception conception, const Serie& serie);

// A numbered component, computed and at its standard value.
struct Ecart {
    std::string nom; // "C1", "R1"...
    double calculee;
    double normalisee;
    double pourcent; // (normalisee - calculee) / calculee, in percent
};
[[nodiscard]] std::vector<Ecart> ecarts(const Conception& calculee, const Conception& normalisee);

} // namespace quorvan::analyse
