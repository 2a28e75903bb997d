#include "QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace quorvan::toolkit {

bool installFrenchQtTranslation(QCoreApplication& application) {
    // By its full name, so that nothing is searched: the qt_fr catalogue would open every
    // module's file, and a locale-driven load tries a name for each of the user's languages.
    auto* translation = new QTranslator(&application);
    if (!translation->load(QStringLiteral("qtbase_fr.qm"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translation;
        return false;
    }
    return QCoreApplication::installTranslator(translation);
}

} // namespace quorvan::toolkit
