#pragma once

#include <QString>

namespace quorvan {

class FabriqueAnalyse;

// Where the program finds the analysis window's plugin: the plugin folder of its
// installation, named relative to the program's own folder. The build puts the plugin at the
// same place relative to the programs it builds, so no build folder is written into them.
[[nodiscard]] QString cheminPluginAnalyse();

// The analysis window's plugin at `chemin`, loaded on first call and kept for the rest of the
// run. nullptr when it cannot be loaded, and why in `raison`: a French sentence that names
// the file.
[[nodiscard]] FabriqueAnalyse* chargerFabriqueAnalyse(const QString& chemin, QString& raison);

} // namespace quorvan
