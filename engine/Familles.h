#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quorvan {

// How a family places its poles: the maximally flat delay, the maximally flat gain, or an
// equal ripple in the pass band.
enum class Approximation { Bessel, Butterworth, Chebyshev };

// One filter family, everything the program says about it in one row.
struct Famille {
    int index;                    // NumFiltre, the first index of Coef
    std::string_view itemMenu;    // the item of the "Structure du filtre" menu
    std::string_view libelle;     // the status line, which also heads the report
    std::string_view nomCommande; // the name quorvan-cli takes after --filtre
    Approximation approximation;
    double ondulationDb; // pass-band ripple, ± this many dB (0: none)
};

// clang-format off
inline constexpr std::array<Famille, 6> Familles = {{
    // index  menu item                                                         status line and report                          command line     poles                       ripple
    {0, "&Bessel (Phase lin\u00E9aire pas d'ondulation)",                       "Filtre de Bessel",                              "bessel",        Approximation::Bessel,      0.0},
    {1, "Bu&tterworth (Bande passante plate, l\u00E9g\u00E8re ondulation)",     "Filtre de Butterworth",                         "butterworth",   Approximation::Butterworth, 0.0},
    {2, "Chebyshev (ondulation +/- 0.5 dB)",                                    "Filtre de Chebyshev (ondulation +/- 0.5 dB)",   "chebyshev-0.5", Approximation::Chebyshev,   0.5},
    {3, "Chebyshev (ondulation +/- 1 dB)",                                      "Filtre de Chebyshev (ondulation +/- 1 dB)",     "chebyshev-1",   Approximation::Chebyshev,   1.0},
    {4, "Chebyshev (ondulation +/- 2 dB)",                                      "Filtre de Chebyshev (ondulation +/- 2 dB)",     "chebyshev-2",   Approximation::Chebyshev,   2.0},
    {5, "Chebyshev (ondulation +/- 3 dB)",                                      "Filtre de Chebyshev (ondulation +/- 3 dB)",     "chebyshev-3",   Approximation::Chebyshev,   3.0},
}};
// clang-format on

inline constexpr int FamilleMax = static_cast<int>(Familles.size()) - 1;

static_assert(
    [] {
        for (std::size_t i = 0; i < Familles.size(); ++i) {
            if (Familles[i].index != static_cast<int>(i)) {
                return false;
            }
        }
        return true;
    }(),
    "each family's index is its row");

// The orders the menus offer and every circuit exists for.
inline constexpr int OrdreMin = 2;
inline constexpr int OrdreMax = 7;

[[nodiscard]] constexpr bool familleConnue(int index) {
    return index >= 0 && index <= FamilleMax;
}

[[nodiscard]] constexpr bool ordreConnu(int ordre) {
    return ordre >= OrdreMin && ordre <= OrdreMax;
}

[[nodiscard]] constexpr const Famille& famille(int index) {
    return Familles[static_cast<std::size_t>(index)];
}

enum class TypeFiltre { PasseBas = 0, PasseHaut = 1 };

// The type as the status line and the report name it.
[[nodiscard]] constexpr std::string_view libelleType(TypeFiltre type) {
    return type == TypeFiltre::PasseBas ? "Passe-bas" : "Passe-haut";
}

// The type as quorvan-cli takes it after --type.
[[nodiscard]] constexpr std::string_view nomCommandeType(TypeFiltre type) {
    return type == TypeFiltre::PasseBas ? "passe-bas" : "passe-haut";
}

} // namespace quorvan
