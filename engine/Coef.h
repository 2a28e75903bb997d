#pragma once

#include "Familles.h"

#include <array>

namespace quorvan {

// Normalised component values of every design, indexed Coef[family][order][component].
//
// Low-pass: Ci = Coef / (2π·f·R), the capacitance of Ci for R = 1 Ω at 1 rad/s.
// High-pass: Ri = 1 / (Coef · 2π·f·C), because exchanging every R and C of the low-pass
// circuit turns a normalised capacitor of value c into a resistor of value 1/c.
//
// Families: 0 Bessel (group delay 1 s), 1 Butterworth, 2..5 Chebyshev ±0.5, ±1, ±2, ±3 dB
// (ripple band ending at 1 rad/s). Slot 6 stays empty, as do order 0 and component 0.
// Each two-component stage (a, b) is a pole pair of natural frequency 1/√(a·b) and quality
// factor √(a/b)/3; odd orders end with a three-component section (1, 2, 3).
//
// Every cell realises its family's poles to the precision of its literal (checked against
// SciPy by tests/engine/coefficients_theorie.py). Beware of copying cells from printed tables:
// some print 0.76, 0.39, 0.12 for Bessel order 5 components 1-3, 3.19 for Butterworth order 4
// component 1, 0.42 for Chebyshev ±2 dB order 2 component 2 and 0.03 for Chebyshev ±0.5 dB
// order 7 component 3, which realise other filters.
using LigneCoef = std::array<double, 8>;
using FamilleCoef = std::array<LigneCoef, 8>;
using TableCoef = std::array<FamilleCoef, 7>;

// clang-format off
inline constexpr TableCoef Coef = {{
    // Family 0 — Bessel
    {{
        //        1      2      3      4      5      6      7
        {},
        {0,   1.0                                              },
        {0,   1.0,   0.33                                      },
        {0,   1.19,  0.69,  0.16                               },
        {0,   0.51,  0.21,  0.71,  0.12                        },
        {0,   0.92,  0.37,  0.11,  0.64,  0.085                },
        {0,   0.35,  0.15,  0.4,   0.12,  0.59,  0.063         },
        {0,   0.71,  0.25,  0.085, 0.37,  0.093, 0.56,  0.049  },
    }},
    // Family 1 — Butterworth
    {{
        //        1      2      3      4      5      6      7
        {},
        {0,   1.0                                              },
        {0,   2.12,  0.47                                      },
        {0,   2.37,  2.59,  0.32                               },
        {0,   3.92,  0.25,  1.62,  0.61                        },
        {0,   2.16,  4.31,  0.21,  1.85,  0.54                 },
        {0,   5.79,  0.17,  2.12,  0.47,  1.55,  0.64          },
        {0,   2.1,   6.05,  0.15,  2.4,   0.41,  1.66,  0.6    },
    }},
    // Family 2 — Chebyshev ±0.5 dB
    {{
        //        1      2      3      4      5      6      7
        {},
        {0,   2.86                                             },
        {0,   2.1,   0.31                                      },
        {0,   3.37,  4.54,  0.18                               },
        {0,   8.55,  0.1,   3.54,  0.79                        },
        {0,   5.58,  13.14, 0.072, 5.11,  0.41                 },
        {0,   19.31, 0.05,  7.07,  0.24,  5.17,  1.23          },
        {0,   7.84,  26.03, 0.038, 9.39,  0.15,  6.5,   0.6    },
    }},
    // Family 3 — Chebyshev ±1 dB
    {{
        //        1      2      3      4      5      6      7
        {},
        {0,   1.96                                             },
        {0,   2.73,  0.33                                      },
        {0,   4.21,  5.84,  0.16                               },
        {0,   10.75, 0.094, 4.45,  0.8                         },
        {0,   6.96,  16.56, 0.06,  6.4,   0.36                 },
        {0,   24.12, 0.041, 8.82,  0.2,   6.46,  1.24          },
        {0,   9.77,  32.5,  0.03,  11.7,  0.13,  8.1,   0.53   },
    }},
    // Family 4 — Chebyshev ±2 dB
    {{
        //        1      2      3      4      5      6      7
        {},
        {0,   1.3                                              },
        {0,   3.73,  0.33                                      },
        {0,   5.56,  7.93,  0.14                               },
        {0,   14.3,  0.075, 5.92,  0.76                        },
        {0,   9.2,   22.05, 0.047, 8.49,  0.3                  },
        {0,   31.9,  0.032, 11.7,  0.16,  8.55,  1.17          },
        {0,   12.9,  43.1,  0.024, 15.5,  0.1,   10.7,  0.44   },
    }},
    // Family 5 — Chebyshev ±3 dB
    {{
        //        1      2      3      4      5      6      7
        {},
        {0,   1.0                                              },
        {0,   4.65,  0.3                                       },
        {0,   6.81,  9.87,  0.12                               },
        {0,   17.6,  0.063, 7.29,  0.7                         },
        {0,   11.3,  27.23, 0.039, 10.44, 0.254                },
        {0,   39.24, 0.0267,14.36, 0.133, 10.51, 1.07          },
        {0,   15.83, 53.14, 0.019, 19.02, 0.084, 13.16, 0.37   },
    }},
    // Slot 6 — never written
    {},
}};
// clang-format on

namespace detail {

constexpr bool celluleAttendue(int famille, int ordre, int composant) {
    return famille <= FamilleMax && ordre >= 1 && composant >= 1 && composant <= ordre;
}

// Every family holds orders 1..7, each with exactly as many values as its order, and
// nothing else.
constexpr bool formeCorrecte() {
    int remplies = 0;
    for (int f = 0; f < 7; ++f) {
        for (int o = 0; o < 8; ++o) {
            for (int i = 0; i < 8; ++i) {
                const bool rempli = Coef[f][o][i] > 0.0;
                if (rempli != celluleAttendue(f, o, i) || Coef[f][o][i] < 0.0) {
                    return false;
                }
                remplies += rempli ? 1 : 0;
            }
        }
    }
    return remplies == 168;
}

} // namespace detail

static_assert(detail::formeCorrecte(), "Coef must hold exactly the 168 cells of orders 1..7");

} // namespace quorvan
