#pragma once

#include "engine/Conception.h"

#include <QtPlugin>

class QWidget;

namespace quorvan {

namespace toolkit {
class Desktop;
} // namespace toolkit

// The analysis window as the main window knows it. The window itself, with Qt Charts, lives
// in a plugin that the program loads the first time the window is asked for.
class Analyse {
public:
    virtual ~Analyse() = default;

    [[nodiscard]] virtual QWidget* fenetre() = 0;
    // Analyses this design from now on.
    virtual void afficher(const Conception& conception) = 0;
    // The last "Calcul" gave no design: the window keeps the one it shows, and says so.
    virtual void calculEchoue() = 0;
};

class FabriqueAnalyse {
public:
    virtual ~FabriqueAnalyse() = default;

    // A new analysis window beside `parent`, deleted when it is closed.
    [[nodiscard]] virtual Analyse* creer(toolkit::Desktop& bureau, QWidget* parent) = 0;
};

} // namespace quorvan

#define QuorvanFabriqueAnalyse_iid "org.quorvan.FabriqueAnalyse/2"
Q_DECLARE_INTERFACE(quorvan::FabriqueAnalyse, QuorvanFabriqueAnalyse_iid)
