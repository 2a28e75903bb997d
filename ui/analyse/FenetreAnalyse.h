#pragma once

#include "Analyse.h"
#include "LatestJobRunner.h"
#include "Variante.h"
#include "analysis/Optimisation.h"
#include "analysis/ReponseIdeale.h"
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

// The analysis window: the response of the last design, computed, with its numbered
// components at standard values and with parts of the chosen series optimised, beside the
// family's exact response; the components' deviations, the optimised parts and what each
// op-amp stage needs. A window of its own beside its parent, not modal; it goes when closed
// (Esc too).
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
    // The optimised circuit's parts list (analyse::nomenclatureCsv), the same way.
    [[nodiscard]] std::optional<QString> enregistrerNomenclatureVers(const QString& chemin) const;

    // What the window shows, for the tests and the benchmark.
    using Courbe = analyse::Courbe;
    [[nodiscard]] const std::optional<Conception>& conception() const { return conception_; }
    // The design's circuits, each with its curve: computed values, standard values, then the
    // optimised parts once found.
    [[nodiscard]] const std::vector<Variante>& circuits() const { return circuits_; }
    [[nodiscard]] const Courbe& courbeCalculee() const { return circuits_.at(Calculee); }
    [[nodiscard]] const Courbe& courbeNormalisee() const { return circuits_.at(Normalisee); }
    [[nodiscard]] const Variante* circuitOptimise() const;
    // The optimisation runs off the UI thread; until its result comes, the optimised circuit
    // is absent.
    [[nodiscard]] bool optimisationEnCours() const { return optimisations_.busy(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum : std::size_t { Calculee, Normalisee, Optimisee }; // places in circuits_

    void creerControles();
    void seriesChoisies();
    [[nodiscard]] analyse::SeriesPieces series() const;
    // The series of the numbered components: capacitors in a low-pass design, resistors in a
    // high-pass one.
    [[nodiscard]] const analyse::Serie& serieNormalisee(TypeFiltre type) const;
    // Analyses `conception` at the chosen series (only its standard values when
    // `memeConception`), shows it and starts its optimisation. When the analysis throws, the
    // window keeps what it showed, says so in a message box and returns false.
    bool analyser(const Conception& conception, bool memeConception);
    void optimiser();
    void optimisationTerminee(std::optional<Variante> optimise, const QString& message,
                              const analyse::SeriesPieces& series);
    void tracer(bool garderZoom);
    // The controls that wait for a first design; the Monte Carlo panel's follow their tab.
    [[nodiscard]] std::vector<QWidget*> controles() const;
    // The panel analyses any of the circuits the chart shows.
    void donnerCircuitsAuPanneau();
    void ecrireResume();
    void avertir(const QString& texte);
    void enregistrer();
    void enregistrerNomenclature();

    toolkit::Desktop& bureau_;
    std::optional<Conception> conception_;
    std::optional<analyse::ReponseIdeale> ideale_;
    std::vector<analyse::PointReponse> traceIdeale_;
    std::vector<Variante> circuits_;
    QString etatOptimisation_; // why there is no optimised circuit, while there is none
    analyse::SeriesPieces seriesOptimisees_; // those of the optimised circuit
    std::pair<int, int> seriesMontrees_;     // the combos' indices of what is shown

    QLabel* avertissement_ = nullptr;
    QLabel* resume_ = nullptr;
    QComboBox* grandeur_ = nullptr;
    QComboBox* resistances_ = nullptr;
    QComboBox* condensateurs_ = nullptr;
    QPushButton* enregistrer_ = nullptr;
    QPushButton* enregistrerNomenclature_ = nullptr;
    GrapheReponse* vue_ = nullptr;
    QTableWidget* composants_ = nullptr;
    QTableWidget* pieces_ = nullptr;
    QTableWidget* etages_ = nullptr;
    QTabWidget* onglets_ = nullptr;
    PanneauMonteCarlo* panneau_ = nullptr;
    // Last: its thread stops before the rest goes.
    LatestJobRunner optimisations_;
};

} // namespace quorvan
