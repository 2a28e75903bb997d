#pragma once

namespace quorvan {

class FrmAide;

// "&Aide" and F1: shows the help window without waiting and without an owner. The first
// call creates it; a closed one is created again as designed (position, size, text scrolled
// to the top); an open one comes to the front as it is, restored if it was minimised.
void MnuAide_Click();

// The help window while it is open; nullptr before the first MnuAide_Click and after the
// window has been closed.
[[nodiscard]] FrmAide* fenetreAide();

} // namespace quorvan
