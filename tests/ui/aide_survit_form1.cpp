// Closing the main window while the help window is open leaves the process running; it
// ends when the help window is closed too. Exit status 0 when both hold.

#include "Aide.h"
#include "Form1.h"
#include "FrmAide.h"
#include "Printer.h"
#include "Printing.h"
#include "RecordingDesktop.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

class AucuneImprimante final : public quorvan::toolkit::Printing {
public:
    std::unique_ptr<quorvan::toolkit::Printer> defaultPrinter() override { return nullptr; }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);

    quorvan::toolkit::RecordingDesktop bureau;
    AucuneImprimante imprimantes;
    quorvan::Form1 form1(bureau, imprimantes);
    form1.Form_Load();
    form1.findChild<QAction*>(QStringLiteral("MnuAide"))->trigger();

    bool vivantApresForm1 = false;
    bool aideFermee = false;
    QTimer::singleShot(0, &form1, [&form1] {
        form1.findChild<QAction*>(QStringLiteral("MnuQuitter"))->trigger();
    });
    QTimer::singleShot(300, [&] {
        vivantApresForm1 = true;
        quorvan::FrmAide* aide = quorvan::fenetreAide();
        if (aide == nullptr || !aide->isVisible()) {
            std::fputs("la fen\u00EAtre d'aide s'est ferm\u00E9e avec Form1\n", stderr);
            QApplication::exit(1);
            return;
        }
        aide->close();
        aideFermee = true;
    });
    // Without this the test would hang on a process that never ends.
    QTimer::singleShot(20000, [] {
        std::fputs("le processus continue apr\u00E8s la fermeture de l'aide\n", stderr);
        QApplication::exit(2);
    });

    const int statut = QApplication::exec();
    if (statut != 0) {
        return statut;
    }
    if (!vivantApresForm1 || !aideFermee) {
        std::fputs("le processus s'est termin\u00E9 avec Form1\n", stderr);
        return 1;
    }
    return 0;
}
