#pragma once

#include <QString>

namespace quorvan {

class FabriqueAnalyse;

// The analysis window's plugin, loaded on first call and kept for the rest of the run: next
// to the program as installed, or where the build put it. nullptr, and why in `raison`, when
// it cannot be loaded.
[[nodiscard]] FabriqueAnalyse* chargerFabriqueAnalyse(QString& raison);

} // namespace quorvan
