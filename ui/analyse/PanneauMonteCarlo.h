#pragma once

#include "GrapheReponse.h"
#include "analysis/MonteCarlo.h"
#include "analysis/Reponse.h"
#include "circuit/Montage.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace quorvan {

class ExecutionMonteCarlo;
class Histogramme;

namespace toolkit {
class Desktop;
} // namespace toolkit

// "Will it work on the bench": Monte Carlo trials of one of the window's circuits with its
// parts spread by their tolerances, where its −3 dB frequency and ripple land, the share of
// the trials within limits, the parts to tighten first, and what op-amp it needs. The trials
// run off the window's thread; any change of a setting or of the circuits stops them and
// clears what they gave.
class PanneauMonteCarlo final : public QWidget {
    Q_OBJECT

public:
    // A circuit the panel may analyse, under the name the chart gives its curve.
    struct CircuitAnalysable {
        QString nom;
        circuit::Montage montage;
    };

    PanneauMonteCarlo(toolkit::Desktop& bureau, QWidget* parent = nullptr);
    ~PanneauMonteCarlo() override;

    // The circuits of the design shown, in the order of the choice; the one of the same name
    // stays chosen. Emits nothing: the caller redraws the chart after.
    void definirCircuits(std::vector<CircuitAnalysable> circuits);

    // What the chart gets from the panel: on the gain (`gain`), the band where 98 % of the
    // trials land; with a GBW typed, the analysed circuit with that op-amp, read by `valeur`.
    void completer(GrapheReponse::Contenu& contenu,
                   const std::function<double(const analyse::PointReponse&)>& valeur,
                   bool gain) const;

    // What the controls say, and what the last run gave, for the tests.
    [[nodiscard]] analyse::ReglagesMonteCarlo reglages() const;
    [[nodiscard]] const circuit::Montage* circuitAnalyse() const;
    [[nodiscard]] const std::shared_ptr<const analyse::ResultatMonteCarlo>& resultat() const {
        return resultat_;
    }

signals:
    // The chart's additions changed.
    void courbesChangees();

private:
    void creerControles();
    void lancerOuArreter();
    // A setting or the circuit changed: the run under way and the results go.
    void invalider();
    void montrer(std::shared_ptr<const analyse::ResultatMonteCarlo> resultat);
    void echec();
    void finDuCalcul(const QString& etat);
    // The op-amp's settings or the circuit changed.
    void actualiserAmpli();
    [[nodiscard]] double gainBoucleOuverte() const;

    toolkit::Desktop& bureau_;
    std::vector<CircuitAnalysable> circuits_;
    std::pair<QString, int> choix_{{},
                                   0}; // the analysed circuit the user last chose, and its place
    std::shared_ptr<const analyse::ResultatMonteCarlo> resultat_;
    std::vector<analyse::PointReponse> ampliReel_; // the analysed circuit with the op-amp typed
    QString gbwValide_;                            // the GBW field's last readable text

    QComboBox* circuit_ = nullptr;
    QDoubleSpinBox* resistances_ = nullptr;
    QDoubleSpinBox* condensateurs_ = nullptr;
    QComboBox* loi_ = nullptr;
    QSpinBox* essais_ = nullptr;
    QSpinBox* graine_ = nullptr;
    QCheckBox* limiteCoupure_ = nullptr;
    QDoubleSpinBox* ecartCoupure_ = nullptr;
    QCheckBox* limiteOndulation_ = nullptr;
    QDoubleSpinBox* ondulationMax_ = nullptr;
    QLineEdit* gbw_ = nullptr;
    QDoubleSpinBox* a0_ = nullptr;
    QPushButton* lancer_ = nullptr;
    QProgressBar* progression_ = nullptr;
    QLabel* etat_ = nullptr;
    QLabel* ampli_ = nullptr;
    QLabel* resume_ = nullptr;
    QTableWidget* centiles_ = nullptr;
    QTableWidget* sensibilites_ = nullptr;
    Histogramme* histoCoupure_ = nullptr;
    Histogramme* histoOndulation_ = nullptr;
    ExecutionMonteCarlo* execution_ = nullptr;
};

} // namespace quorvan
