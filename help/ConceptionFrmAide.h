#pragma once

#include "toolkit/FormDesign.h"

namespace quorvan {

// The help window as designed, in twips (15 twips make a pixel at 96 dpi).
inline constexpr toolkit::FormDesign ConceptionFrmAide = {
    "Aide : Calcul de quorvan \u00E0 Amplis Op. ", // the trailing space is the design's
    5880,                                          // client area left, from the screen's left edge
    840,                                           // client area top
    5925,                                          // client width  (395 px)
    7470,                                          // client height (498 px)
};

// RichTextBox1 as designed, at the client area's top-left corner; Form_Resize gives it the
// client size as soon as the window is shown.
inline constexpr int RichTextBox1Largeur = 3855; // twips
inline constexpr int RichTextBox1Hauteur = 3255; // twips

// The box's own font, for text that sets none (ours sets its fonts throughout).
inline constexpr const char* RichTextBox1Police = "MS Sans Serif";
inline constexpr double RichTextBox1Points = 8.25;

// The help text, compiled in from help/aide.rtf.
inline constexpr const char* RessourceAide = ":/aide/aide.rtf";

} // namespace quorvan
