// Times the analysis window: from its menu to the first paint of its chart, then what a change
// of the capacitors' series holds the UI thread for (median of 20): every curve but the
// optimised one, whose search runs on a thread of its own. Prints both in ms.

#include "toolkit/RecordingDesktop.h"
#include "toolkit/printer/RecordingPrinter.h"
#include "ui/Form1.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Notes when the chart's viewport is painted for the first time.
class PremierePeinture final : public QObject {
public:
    using QObject::QObject;
    bool peint = false;

protected:
    bool eventFilter(QObject* cible, QEvent* evenement) override {
        if (evenement->type() == QEvent::Paint && cible->parent() != nullptr &&
            cible->parent()->objectName() == QStringLiteral("Graphique")) {
            peint = true;
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    quorvan::toolkit::RecordingDesktop bureau;
    quorvan::toolkit::RecordingPrinting impression;
    quorvan::Form1 form(bureau, impression);
    form.Form_Load();
    form.findChild<QAction*>(QStringLiteral("MnuO_7"))->trigger();
    form.findChild<QAction*>(QStringLiteral("MnuFiltre_5"))->trigger();
    form.findChild<QLineEdit*>(QStringLiteral("TextFreq"))->setText(QStringLiteral("1000"));
    form.findChild<QPushButton*>(QStringLiteral("CmdCalcul"))->click();
    QApplication::processEvents();

    PremierePeinture peinture;
    application.installEventFilter(&peinture);
    QElapsedTimer chrono;
    chrono.start();
    form.findChild<QAction*>(QStringLiteral("MnuAnalyse"))->trigger();
    while (!peinture.peint && chrono.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    const double ouverture = static_cast<double>(chrono.nsecsElapsed()) / 1e6;

    auto* serie = form.fenetreAnalyse()->findChild<QComboBox*>(QStringLiteral("Condensateurs"));
    std::vector<double> changements;
    for (int i = 0; i < 20; ++i) {
        chrono.restart();
        serie->setCurrentIndex((serie->currentIndex() + 1) % serie->count());
        changements.push_back(static_cast<double>(chrono.nsecsElapsed()) / 1e6);
    }
    std::sort(changements.begin(), changements.end());
    std::printf("%.1f %.2f\n", ouverture, changements[changements.size() / 2]);
    return peinture.peint ? 0 : 1;
}
