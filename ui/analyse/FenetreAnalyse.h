#pragma once

#include "Analyse.h"
#include "analysis/Etages.h"
#include "analysis/Reponse.h"
#include "analysis/ValeursNormalisees.h"
#include "engine/Conception.h"

#include <QWidget>

#include <optional>
#include <vector>

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineSeries;
class QPushButton;
class QScatterSeries;
class QTableWidget;
class QValueAxis;
class QLogValueAxis;

namespace quorvan {

// The analysis window: the response of the last design, computed and with its numbered
// components at standard values, the components' deviations and what each op-amp stage
// needs. A window of its own beside its parent, not modal; it goes when closed.
class FenetreAnalyse final : public QWidget, public Analyse {
    Q_OBJECT

public:
    FenetreAnalyse(toolkit::Desktop& bureau, QWidget* parent);
    ~FenetreAnalyse() override;

    [[nodiscard]] QWidget* fenetre() override { return this; }
    void afficher(const Conception& conception) override;

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

private:
    void creerControles();
    void serieChoisie();
    void recalculerNormalisee();
    void tracer();
    void remplirTables();
    void ecrireResume();
    void enregistrer();

    toolkit::Desktop& bureau_;
    std::optional<Conception> conception_;
    Conception conceptionNormalisee_;
    Courbe calculee_;
    Courbe normalisee_;

    QLabel* resume_ = nullptr;
    QComboBox* grandeur_ = nullptr;
    QComboBox* serie_ = nullptr;
    QPushButton* enregistrer_ = nullptr;
    QChart* graphe_ = nullptr;
    QChartView* vue_ = nullptr;
    QLogValueAxis* axeFrequence_ = nullptr;
    QValueAxis* axeValeur_ = nullptr;
    QLineSeries* traceCalculee_ = nullptr;
    QLineSeries* traceNormalisee_ = nullptr;
    QLineSeries* traceFrequence_ = nullptr;
    QScatterSeries* marques3dB_ = nullptr;
    QTableWidget* composants_ = nullptr;
    QTableWidget* etages_ = nullptr;
};

} // namespace quorvan
