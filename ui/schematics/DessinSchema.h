#pragma once

#include "circuit/Circuit.h"

#include <QImage>
#include <QList>
#include <QRgb>

class QPainter;

namespace quorvan::schematics {

struct MiseEnPage;

// The colour-table indices of a diagram; the first five entries are the only ones drawn.
enum class Encre : int {
    Bleu = 0,    // frame, op-amps
    Gris = 1,    // wires, ground rail
    Rouge = 2,   // symbols, labels, "-" and "+", ground symbol and "GND"
    Magenta = 3, // junction dots
    Blanc = 4,   // background, transparent
};

// 256 entries: blue, grey, red, magenta, then white. Entry 4 is the transparent one, so the
// picture box's background shows through; entries 5 to 255 are opaque white and unused.
[[nodiscard]] QList<QRgb> tableDesCouleurs();

// Draws a laid-out diagram, frame included, on any paint device (screen, printer, image),
// without antialiasing so that every pixel is one of the five colours. Does not paint the
// background.
void peindreSchema(QPainter& peintre, const MiseEnPage& page);

// The 645 × 235 picture of a circuit, 8 bits per pixel over tableDesCouleurs(), at 96 dpi.
// Needs a QGuiApplication for the fonts.
[[nodiscard]] QImage imageSchema(const circuit::Circuit& circuit);

} // namespace quorvan::schematics
