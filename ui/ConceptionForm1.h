#pragma once

#include "toolkit/FormDesign.h"

#include <array>

namespace quorvan {

// The main window as designed, in twips (15 twips make a pixel at 96 dpi).
inline constexpr toolkit::FormDesign ConceptionForm1 = {
    "Quorvan: Calcul de Quorvan \u00E0 Amplificateurs Op\u00E9rationnels",
    345,   // client area left, from the screen's left edge
    1980,  // client area top
    10005, // client width  (667 px)
    5370,  // client height (358 px)
};

using toolkit::ControlKind;

// clang-format off
inline constexpr std::array<toolkit::ControlDesign, 9> ControlesForm1 = {{
    // name        kind                          left   top   width height tab  text
    {"Label1",    ControlKind::Label,          1680,  360,  2295,  255,  0, "Fr\u00E9quence de coupure (-3 dB) :"},
    {"TextFreq",  ControlKind::TextBox,        1680,  720,  1935,  285,  1, ""},
    {"Label2",    ControlKind::Label,          3840,  720,   375,  255,  2, "Hz"},
    {"Picture1",  ControlKind::PictureBox,      120, 1320,  9735, 3615,  3, ""},
    {"CmdCalcul", ControlKind::CommandButton,  4560,  600,  2655,  495,  4, "Calcul"},
    {"CmdImprim", ControlKind::CommandButton,  7440,  600,  2415,  495,  5, "Impression du r\u00E9sultat"},
    {"LblFiltre", ControlKind::Label,           960, 5040,  3285,  195,  6, "Filtre x"},
    {"LblType",   ControlKind::Label,          4440, 5040,   885,  195,  7, "Passe-haut"},
    {"LblOrdre",  ControlKind::Label,          5400, 5040,  1485,  195,  8, "ordre x"},
}};
// clang-format on

} // namespace quorvan
