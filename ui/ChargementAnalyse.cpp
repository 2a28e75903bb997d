#include "ChargementAnalyse.h"

#include "ui/analyse/Analyse.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace quorvan {

QString cheminPluginAnalyse() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" QUORVAN_PLUGIN_RELATIF "/" QUORVAN_PLUGIN_FICHIER));
}

FabriqueAnalyse* chargerFabriqueAnalyse(const QString& chemin, QString& raison) {
    const QString nom = QDir::toNativeSeparators(chemin);
    if (!QFileInfo::exists(chemin)) {
        raison = QStringLiteral("le module %1 est introuvable.").arg(nom);
        return nullptr;
    }
    // The plugin stays loaded when the loader goes: the window's code lives in it.
    QPluginLoader chargeur(chemin);
    QObject* instance = chargeur.instance();
    if (instance == nullptr) {
        raison = QStringLiteral("le module %1 n'a pas pu \u00EAtre charg\u00E9.").arg(nom);
        return nullptr;
    }
    auto* fabrique = qobject_cast<FabriqueAnalyse*>(instance);
    if (fabrique == nullptr) {
        raison = QStringLiteral("le fichier %1 n'est pas le module d'analyse de cette version "
                                "de Quorvan.")
                     .arg(nom);
    }
    return fabrique;
}

} // namespace quorvan
