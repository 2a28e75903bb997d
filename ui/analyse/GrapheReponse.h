#pragma once

#include "Graduations.h"

#include <QChartView>
#include <QPointF>
#include <QString>

#include <optional>
#include <string>
#include <vector>

class QAreaSeries;
class QCategoryAxis;
class QGraphicsEllipseItem;
class QGraphicsRectItem;
class QLineSeries;
class QValueAxis;

namespace quorvan {

// A response against frequency: named curves, solid or dashed, on a logarithmic frequency
// axis labelled with SI prefixes and a value axis fitted to them; labelled points on the
// curves and named straight lines. Dragging a rectangle zooms in, a double-click goes back to
// the whole curves; above the plot, a readout gives the frequency under the pointer and each
// curve's value there.
class GrapheReponse final : public QChartView {
    Q_OBJECT

public:
    enum class Trait { Plein, Tirets };
    struct Courbe {
        QString nom;                 // its legend entry
        std::vector<QPointF> points; // (frequency in Hz, value), rising in frequency
        Trait trait = Trait::Plein;
    };
    // A point of curve number `courbe` at `frequence`, marked and labelled in its colour.
    struct Repere {
        std::size_t courbe;
        double frequence;
        QString texte;
    };
    // Where most of many curves lie: filled between its edges, which share their frequencies.
    struct Bande {
        QString nom;
        std::vector<QPointF> bas; // (frequency in Hz, value), rising in frequency
        std::vector<QPointF> haut;
    };
    // A named line across the chart at a value (horizontal) or a frequency (vertical).
    struct Ligne {
        QString nom;
        double position;
    };
    struct Axe {
        QString titre{}; // "Gain (dB)"; with an SI unit, the prefixed unit follows: " (ms)"
        // "s": the values take the SI prefix their size asks for; empty: they stay as they are,
        // written in the readout with `decimales` decimals and `suffixe`: " dB", "°".
        std::string uniteSI{};
        QString suffixe{};
        int decimales = 2;
        graduations::Pas pas = graduations::Pas::Decimal;
        double profondeur = 0; // how far below its top the axis goes at most; 0: all the way
        bool plancherZero = false;
    };
    struct Contenu {
        Axe axe;
        std::vector<Courbe> courbes;
        std::vector<Repere> reperes;
        std::vector<Ligne> niveaux;    // horizontal
        std::vector<Ligne> verticales; // vertical
        std::vector<Bande> bandes{};
    };

    explicit GrapheReponse(QWidget* parent = nullptr);
    ~GrapheReponse() override;

    // Draws `contenu` with the axes fitted to its curves; a zoom stays when `garderZoom`.
    // Without curves, nothing: no axis, no legend entry.
    void montrer(Contenu contenu, bool garderZoom);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& zone) override;

private:
    struct Cadre {
        double fMin; // log10 of the frequency
        double fMax;
        double bas;
        double haut;
    };
    void effacer();
    // "1,38 kHz — Valeurs calculées : -3,01 dB ; ...": what the readout says at `hz`.
    [[nodiscard]] QString lecture(double hz) const;
    // Fits cadre_ to the curves and picks the value axis's unit.
    void ajuster();
    void ajouterSeries();
    void ajouterBandes();
    void creerReperes();
    void graduerFrequences();
    void graduerValeurs();
    void placerReperes();
    void cadrer(const Cadre& cadre);
    // Curve number `i`'s value at `hz` as drawn, interpolated on the logarithmic scale.
    [[nodiscard]] std::optional<double> valeurEn(std::size_t i, double hz) const;
    void effacerReperes();

    Contenu contenu_;
    double echelle_ = 1; // drawn = value × echelle_, the axis's SI prefix
    Cadre cadre_{};
    std::vector<double> secondaires_;
    QCategoryAxis* axeFrequence_;
    QValueAxis* axeValeur_;
    std::vector<QLineSeries*> series_; // the curves, then the lines
    std::vector<QAreaSeries*> bandes_;
    std::vector<std::pair<QGraphicsEllipseItem*, QGraphicsRectItem*>> reperes_; // point, label
};

} // namespace quorvan
