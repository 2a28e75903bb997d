#include "ChargementAnalyse.h"

#include "ui/analyse/Analyse.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPluginLoader>

namespace quorvan {

FabriqueAnalyse* chargerFabriqueAnalyse(QString& raison) {
    const QString installe = QCoreApplication::applicationDirPath() +
                             QStringLiteral("/" QUORVAN_PLUGIN_RELATIF "/" QUORVAN_PLUGIN_FICHIER);
    const QString chemin =
        QFileInfo::exists(installe) ? installe : QStringLiteral(QUORVAN_PLUGIN_CONSTRUIT);
    static QPluginLoader chargeur(chemin);
    auto* fabrique = qobject_cast<FabriqueAnalyse*>(chargeur.instance());
    if (fabrique == nullptr) {
        raison = chargeur.errorString();
    }
    return fabrique;
}

} // namespace quorvan
