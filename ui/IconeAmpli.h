#pragma once

#include <QIcon>
#include <QImage>

namespace quorvan {

// The operational-amplifier symbol, yellow on transparent, drawn at `taille` pixels square.
[[nodiscard]] QImage dessinerIconeAmpli(int taille);

// The program's icon: the symbol at 16 and 32 pixels.
[[nodiscard]] QIcon iconeAmpli();

} // namespace quorvan
