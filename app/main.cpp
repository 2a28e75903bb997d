// Quorvan: designs active filters built from operational amplifiers.

#include "Version.h"
#include "toolkit/Desktop.h"
#include "toolkit/FontConfigAhead.h"
#include "toolkit/QtTranslation.h"
#include "toolkit/StyleMarques.h"
#include "toolkit/printer/QtPrinter.h"
#include "ui/Form1.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt aborts with a long message; say it in one line instead.
bool affichageDisponible() {
    const char* plateforme = std::getenv("QT_QPA_PLATFORM");
    if (plateforme != nullptr && *plateforme != '\0') {
        return true;
    }
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

} // namespace

int main(int argc, char* argv[]) {
    if (!affichageDisponible()) {
        std::fputs("quorvan : aucun affichage graphique disponible (DISPLAY et "
                   "WAYLAND_DISPLAY sont vides).\n",
                   stderr);
        return 1;
    }
    const quorvan::toolkit::FontConfigAhead polices;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvan"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVAN_VERSION));
    // Without the catalogue Qt's buttons stay English; the program works as well.
    quorvan::toolkit::installFrenchQtTranslation(application);
    // Before any window, so that the main window's menu bar finds it.
    QApplication::setStyle(quorvan::toolkit::styleMarques());

    quorvan::toolkit::QtDesktop bureau;
    quorvan::toolkit::QtPrinting impression;
    quorvan::Form1 form1(bureau, impression);
    form1.Form_Load();
    return QApplication::exec();
}
