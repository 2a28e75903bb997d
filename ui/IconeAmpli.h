#pragma once

#include <QIcon>
#include <QImage>

#include <array>

namespace quorvan {

// The sizes the icon is drawn at, each for itself: a desktop picks the one it needs.
inline constexpr std::array<int, 7> TaillesIcone = {16, 22, 32, 48, 64, 128, 256};

// The operational-amplifier symbol, yellow on transparent, drawn at `taille` pixels square:
// a plain triangle with its leads below 32 pixels, its "−" and "+" inputs from 32 on.
[[nodiscard]] QImage dessinerIconeAmpli(int taille);

// The windows' icon: the symbol drawn at each size when first asked for; it offers 16 and 32
// pixels, a title bar's sizes.
[[nodiscard]] QIcon iconeAmpli();

} // namespace quorvan
