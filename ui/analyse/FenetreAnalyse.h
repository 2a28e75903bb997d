#pragma once

#include "Analyse.h"
#include "Variante.h"
#include "analysis/ValeursNormalisees.h"
#include "engine/Conception.h"

#include <QWidget>

#include <optional>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace quorvan {

class GrapheReponse;
class PanneauMonteCarlo;

// The analysis window: the response of the last design, computed and with its numbered
// components at standard values, the components' deviations and what each op-amp stage
// needs. A window of its own beside its parent, not modal; it goes when closed (Esc too).
class FenetreAnalyse final : public QWidget, public Analyse {
    Q_OBJECT

public:
    FenetreAnalyse(toolkit::Desktop& bureau, QWidget* parent);
    ~FenetreAnalyse() override;

    [[nodiscard]] QWidget* fenetre() override { return this; }
    void afficher(const Conception& conception) override;
    void calculEchoue() override;

    // What "Enregistrer…" writes, in the order of its dialog's file types.
    enum class Format { Csv, Png };
    // The curves as CSV, in the user's notation, or the chart as PNG, written to `chemin` whole
    // or not at all; why not, in French, when it cannot be.
    [[nodiscard]] std::optional<QString> enregistrerVers(const QString& chemin,
                                                         Format format) const;

    // What the window shows, for the tests and the benchmark.
    using Courbe = analyse::Courbe;
    [[nodiscard]] const std::optional<Conception>& conception() const { return conception_; }
    [[nodiscard]] const Courbe& courbeCalculee() const { return calculee_; }
    [[nodiscard]] const Courbe& courbeNormalisee() const { return normalisee_; }
    [[nodiscard]] const analyse::Serie& serie() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void creerControles();
    void serieChoisie();
    // Analyses `conception` at the chosen series (only its standard values when
    // `memeConception`) and shows it. When the analysis throws, the window keeps what it
    // showed, says so in a message box and returns false.
    bool analyser(const Conception& conception, bool memeConception);
    void tracer(bool garderZoom);
    // The circuits the window shows, each with its curve's name, in the order of the legend.
    [[nodiscard]] std::vector<std::pair<const Variante*, QString>> variantes() const;
    void ecrireResume();
    void avertir(const QString& texte);
    void enregistrer();

    toolkit::Desktop& bureau_;
    std::optional<Conception> conception_;
    Variante calculee_;
    Variante normalisee_;
    int serieMontree_ = 0; // the series of normalisee_

    QLabel* avertissement_ = nullptr;
    QLabel* resume_ = nullptr;
    QComboBox* grandeur_ = nullptr;
    QComboBox* serie_ = nullptr;
    QPushButton* enregistrer_ = nullptr;
    GrapheReponse* vue_ = nullptr;
    QTableWidget* composants_ = nullptr;
    QTableWidget* etages_ = nullptr;
    QTabWidget* onglets_ = nullptr;
    PanneauMonteCarlo* panneau_ = nullptr;
};

} // namespace quorvan
