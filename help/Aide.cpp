#include "Aide.h"

#include "FrmAide.h"

#include <QPointer>

namespace quorvan {

namespace {

// The window deletes itself when closed, which clears this pointer.
QPointer<FrmAide> fenetre;

} // namespace

void MnuAide_Click() {
    // A window that has just been closed is hidden until its deferred deletion runs: it is
    // gone for the user, so a new one takes its place.
    if (!fenetre.isNull() && !fenetre->isVisible()) {
        fenetre->deleteLater();
        fenetre.clear();
    }
    if (fenetre.isNull()) {
        fenetre = new FrmAide;
    }
    if (fenetre->isMinimized()) {
        fenetre->setWindowState(fenetre->windowState() & ~Qt::WindowMinimized);
    }
    fenetre->show();
    fenetre->raise();
    fenetre->activateWindow();
}

FrmAide* fenetreAide() {
    if (fenetre.isNull() || !fenetre->isVisible()) {
        return nullptr;
    }
    return fenetre.data();
}

} // namespace quorvan
