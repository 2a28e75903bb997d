#include "GrapheReponse.h"

#include "Textes.h"
#include "report/EcritureSI.h"
#include "toolkit/Utf8.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QGraphicsEllipseItem>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QLocale>
#include <QMouseEvent>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace quorvan {

namespace {

// One colour a curve, in the order the window lists them; the lines of reference in grey.
constexpr std::array<QRgb, 4> Couleurs = {0x1f77b4, 0x2ca02c, 0xff7f0e, 0x505050};
constexpr QRgb Gris = 0x808080;

// The readout's line, kept when it is empty so that the plot does not move.
const QString LectureVide = QStringLiteral("\u00A0");

QColor couleur(std::size_t i) {
    return QColor(Couleurs[i % Couleurs.size()]);
}

// The value of a curve at `hz` as drawn, interpolated on the logarithmic scale; nothing
// outside its points.
std::optional<double> interpoler(const std::vector<QPointF>& points, double hz) {
    const auto apres = std::lower_bound(points.begin(), points.end(), hz,
                                        [](const QPointF& p, double f) { return p.x() < f; });
    if (apres == points.end() || (apres == points.begin() && apres->x() != hz)) {
        return std::nullopt;
    }
    if (apres->x() == hz) {
        return apres->y();
    }
    const QPointF& avant = *(apres - 1);
    const double t = std::log(hz / avant.x()) / std::log(apres->x() / avant.x());
    return (1 - t) * avant.y() + t * apres->y();
}

} // namespace

GrapheReponse::GrapheReponse(QWidget* parent)
    : QChartView(new QChart, parent)
    , axeFrequence_(new QCategoryAxis)
    , axeValeur_(new QValueAxis) {
    QChart* graphe = chart();
    // drawBackground paints the background, with the lines between the frequency labels.
    graphe->setBackgroundVisible(false);
    graphe->setLocalizeNumbers(true);
    graphe->setLocale(QLocale());
    graphe->setTitleFont(font());
    graphe->setTitle(LectureVide);
    graphe->setMargins(QMargins(4, 2, 12, 2));
    axeFrequence_->setTitleText(QStringLiteral("Fr\u00E9quence"));
    axeFrequence_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axeValeur_->setTickType(QValueAxis::TicksDynamic);
    axeValeur_->setTickAnchor(0);
    graphe->addAxis(axeFrequence_, Qt::AlignBottom);
    graphe->addAxis(axeValeur_, Qt::AlignLeft);
    setRubberBand(QChartView::RectangleRubberBand);
    setRenderHint(QPainter::Antialiasing);
    // Zooming is for the mouse; Tab goes from the controls to the tables.
    setFocusPolicy(Qt::NoFocus);
    viewport()->setMouseTracking(true);
    connect(axeFrequence_, &QValueAxis::rangeChanged, this, &GrapheReponse::graduerFrequences);
    connect(axeValeur_, &QValueAxis::rangeChanged, this, &GrapheReponse::graduerValeurs);
    connect(graphe, &QChart::plotAreaChanged, this, &GrapheReponse::placerReperes);
    effacer();
}

GrapheReponse::~GrapheReponse() = default;

void GrapheReponse::effacer() {
    chart()->removeAllSeries();
    series_.clear();
    bandes_.clear();
    effacerReperes();
    contenu_ = {};
    secondaires_.clear();
    axeFrequence_->setVisible(false);
    axeValeur_->setVisible(false);
    chart()->setTitle(LectureVide);
}

void GrapheReponse::effacerReperes() {
    for (const auto& [point, etiquette] : reperes_) {
        delete point;
        delete etiquette;
    }
    reperes_.clear();
}

void GrapheReponse::montrer(Contenu contenu, bool garderZoom) {
    if (contenu.courbes.empty()) {
        effacer();
        return;
    }
    const bool zoome =
        garderZoom && axeFrequence_->isVisible() &&
        (axeFrequence_->min() != cadre_.fMin || axeFrequence_->max() != cadre_.fMax ||
         axeValeur_->min() != cadre_.bas || axeValeur_->max() != cadre_.haut);
    effacerReperes();
    chart()->setTitle(LectureVide); // until the pointer moves over the new curves
    contenu_ = std::move(contenu);
    ajuster();
    ajouterSeries();
    ajouterBandes();
    creerReperes();
    axeFrequence_->setVisible(true);
    axeValeur_->setVisible(true);
    if (!zoome) {
        chart()->zoomReset();
        cadrer(cadre_);
    }
    graduerFrequences();
    graduerValeurs();
}

void GrapheReponse::ajuster() {
    double fMin = std::numeric_limits<double>::infinity();
    double fMax = -fMin;
    double plusBas = fMin;
    double plusHaut = -fMin;
    std::vector<const std::vector<QPointF>*> toutes;
    for (const Courbe& c : contenu_.courbes) {
        toutes.push_back(&c.points);
    }
    for (const Bande& b : contenu_.bandes) {
        toutes.insert(toutes.end(), {&b.bas, &b.haut});
    }
    for (const std::vector<QPointF>* points : toutes) {
        for (const QPointF& p : *points) {
            fMin = std::min(fMin, p.x());
            fMax = std::max(fMax, p.x());
            plusBas = std::min(plusBas, p.y());
            plusHaut = std::max(plusHaut, p.y());
        }
    }
    // The axis in the unit its largest value asks for: "ms" for 2.5e-3 s.
    const Axe& axe = contenu_.axe;
    QString titre = axe.titre;
    echelle_ = 1;
    if (!axe.uniteSI.empty()) {
        const PrefixeSI prefixe =
            prefixeSI(std::max(std::fabs(plusBas), std::fabs(plusHaut)), axe.uniteSI);
        echelle_ = std::pow(10.0, -prefixe.exposant);
        titre += QStringLiteral(" (") + toolkit::fromUtf8(prefixe.symbole) +
                 toolkit::fromUtf8(axe.uniteSI) + u')';
    }
    axeValeur_->setTitleText(titre);
    const graduations::Plage plage = graduations::plage(
        plusBas * echelle_, plusHaut * echelle_, axe.profondeur * echelle_, axe.plancherZero);
    cadre_ = {std::log10(fMin), std::log10(fMax), plage.bas, plage.haut};
}

void GrapheReponse::ajouterSeries() {
    struct Trace {
        QList<QPointF> points;
        QString nom;
        QPen crayon;
    };
    std::vector<Trace> traces;
    for (std::size_t i = 0; i < contenu_.courbes.size(); ++i) {
        const Courbe& c = contenu_.courbes[i];
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(c.points.size()));
        for (const QPointF& p : c.points) {
            points.append({std::log10(p.x()), p.y() * echelle_});
        }
        traces.push_back(
            {std::move(points), c.nom,
             QPen(couleur(i), 2, c.trait == Trait::Tirets ? Qt::DashLine : Qt::SolidLine)});
    }
    for (const Ligne& l : contenu_.niveaux) {
        traces.push_back(
            {{{cadre_.fMin, l.position * echelle_}, {cadre_.fMax, l.position * echelle_}},
             l.nom,
             QPen(QColor(Gris), 1, Qt::DashLine)});
    }
    for (const Ligne& l : contenu_.verticales) {
        const double x = std::log10(l.position);
        traces.push_back(
            {{{x, cadre_.bas}, {x, cadre_.haut}}, l.nom, QPen(QColor(Gris), 1, Qt::DotLine)});
    }
    // The series of the last picture serve again: a change of series redraws one curve of
    // the same kind, and making series costs the chart more than moving their points.
    while (series_.size() > traces.size()) {
        chart()->removeSeries(series_.back());
        delete series_.back();
        series_.pop_back();
    }
    while (series_.size() < traces.size()) {
        auto* serie = new QLineSeries;
        chart()->addSeries(serie);
        serie->attachAxis(axeFrequence_);
        serie->attachAxis(axeValeur_);
        series_.push_back(serie);
    }
    for (std::size_t i = 0; i < traces.size(); ++i) {
        QLineSeries* serie = series_[i];
        if (serie->points() != traces[i].points) {
            serie->replace(traces[i].points);
        }
        if (serie->name() != traces[i].nom) {
            serie->setName(traces[i].nom);
        }
        if (serie->pen() != traces[i].crayon) {
            serie->setPen(traces[i].crayon);
        }
    }
}

void GrapheReponse::ajouterBandes() {
    for (QAreaSeries* b : bandes_) {
        chart()->removeSeries(b);
        delete b;
    }
    bandes_.clear();
    for (const Bande& b : contenu_.bandes) {
        auto* zone = new QAreaSeries;
        // Its edges go with it.
        const auto bord = [this, zone](const std::vector<QPointF>& points) {
            auto* ligne = new QLineSeries(zone);
            for (const QPointF& p : points) {
                ligne->append(std::log10(p.x()), p.y() * echelle_);
            }
            return ligne;
        };
        zone->setUpperSeries(bord(b.haut));
        zone->setLowerSeries(bord(b.bas));
        zone->setName(b.nom);
        // Drawn over the curves: light enough to show them through.
        QColor fond(Couleurs.front());
        fond.setAlpha(90);
        zone->setBrush(fond);
        zone->setPen(Qt::NoPen);
        chart()->addSeries(zone);
        zone->attachAxis(axeFrequence_);
        zone->attachAxis(axeValeur_);
        bandes_.push_back(zone);
    }
}

void GrapheReponse::creerReperes() {
    for (const Repere& r : contenu_.reperes) {
        auto* point = new QGraphicsEllipseItem(chart());
        point->setBrush(couleur(r.courbe));
        point->setPen(QPen(Qt::white, 1));
        // The label on a light box, legible over the grid and the curves.
        auto* fond = new QGraphicsRectItem(chart());
        fond->setBrush(QColor(255, 255, 255, 210));
        fond->setPen(Qt::NoPen);
        auto* texte = new QGraphicsSimpleTextItem(r.texte, fond);
        texte->setBrush(couleur(r.courbe).darker(130));
        texte->setPos(3, 1);
        fond->setRect(QRectF(QPointF(), texte->boundingRect().size() + QSizeF(6, 2)));
        point->setZValue(100); // above the curves
        fond->setZValue(99);
        reperes_.emplace_back(point, fond);
    }
}

void GrapheReponse::cadrer(const Cadre& cadre) {
    axeFrequence_->setRange(cadre.fMin, cadre.fMax);
    axeValeur_->setRange(cadre.bas, cadre.haut);
}

void GrapheReponse::graduerFrequences() {
    const graduations::Frequences g = graduations::frequences(std::pow(10.0, axeFrequence_->min()),
                                                              std::pow(10.0, axeFrequence_->max()));
    QStringList textes;
    for (const double f : g.reperes) {
        textes << texteSI(f, "Hz", g.chiffres);
    }
    secondaires_ = g.secondaires;
    const QStringList anciennes = axeFrequence_->categoriesLabels();
    if (textes != anciennes) {
        for (auto l = anciennes.crbegin(); l != anciennes.crend(); ++l) {
            axeFrequence_->remove(*l);
        }
        // Each label closes a category that starts before the axis: the first one too.
        axeFrequence_->setStartValue(axeFrequence_->min() - 1);
        for (qsizetype i = 0; i < textes.size(); ++i) {
            axeFrequence_->append(textes[i], std::log10(g.reperes[static_cast<std::size_t>(i)]));
        }
    }
    placerReperes();
    viewport()->update();
}

void GrapheReponse::graduerValeurs() {
    const double pas = graduations::pas(axeValeur_->max() - axeValeur_->min(), contenu_.axe.pas);
    axeValeur_->setTickInterval(pas);
    axeValeur_->setLabelFormat(QStringLiteral("%.%1f").arg(graduations::decimales(pas)));
    placerReperes();
}

std::optional<double> GrapheReponse::valeurEn(std::size_t i, double hz) const {
    return interpoler(contenu_.courbes.at(i).points, hz);
}

void GrapheReponse::placerReperes() {
    const QList<QAbstractSeries*> series = chart()->series();
    if (series.isEmpty()) {
        return;
    }
    const QRectF zone = chart()->plotArea();
    std::vector<QRectF> places;
    for (std::size_t i = 0; i < reperes_.size(); ++i) {
        const Repere& r = contenu_.reperes[i];
        auto [point, etiquette] = reperes_[i];
        const std::optional<double> y = valeurEn(r.courbe, r.frequence);
        const QPointF p =
            y ? chart()->mapToPosition({std::log10(r.frequence), *y * echelle_}, series.front())
              : QPointF(-1e9, -1e9);
        const bool visible = zone.contains(p);
        point->setVisible(visible);
        etiquette->setVisible(visible);
        if (!visible) {
            continue;
        }
        point->setRect(p.x() - 4, p.y() - 4, 8, 8);
        // Below the point, on the side the curve falls to, where it leaves room; below a
        // label already there.
        const std::optional<double> avant = valeurEn(r.courbe, r.frequence / 1.05);
        const std::optional<double> apres = valeurEn(r.courbe, r.frequence * 1.05);
        const bool monte = avant && apres && *apres > *avant;
        QRectF boite = etiquette->rect();
        boite.moveTop(p.y() + 6);
        if (monte ? p.x() + 6 + boite.width() <= zone.right()
                  : p.x() - 6 - boite.width() < zone.left()) {
            boite.moveLeft(p.x() + 6);
        } else {
            boite.moveRight(p.x() - 6);
        }
        while (std::any_of(places.begin(), places.end(),
                           [&boite](const QRectF& autre) { return autre.intersects(boite); })) {
            boite.translate(0, boite.height());
        }
        etiquette->setPos(boite.topLeft());
        places.push_back(boite);
    }
}

QString GrapheReponse::lecture(double hz) const {
    const auto ecrire = [this](double v) {
        return contenu_.axe.uniteSI.empty()
                   ? QLocale().toString(v, 'f', contenu_.axe.decimales) + contenu_.axe.suffixe
                   : texteSI(v, contenu_.axe.uniteSI, 3);
    };
    QStringList parties;
    for (std::size_t i = 0; i < contenu_.courbes.size(); ++i) {
        if (const std::optional<double> v = valeurEn(i, hz)) {
            parties << contenu_.courbes[i].nom + QStringLiteral(" : ") + ecrire(*v);
        }
    }
    for (const Bande& b : contenu_.bandes) {
        const std::optional<double> bas = interpoler(b.bas, hz);
        const std::optional<double> haut = interpoler(b.haut, hz);
        if (bas && haut) {
            parties << b.nom + QStringLiteral(" : ") + ecrire(*bas) + QStringLiteral(" \u00E0 ") +
                           ecrire(*haut);
        }
    }
    // Four digits: the pointer is finer than three.
    return texteSI(hz, "Hz", 4) + QStringLiteral(" \u2014 ") + parties.join(QStringLiteral(" ; "));
}

void GrapheReponse::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    const QPointF position = chart()->mapFromScene(mapToScene(event->position().toPoint()));
    if (!contenu_.courbes.empty() && chart()->plotArea().contains(position)) {
        chart()->setTitle(lecture(std::pow(10.0, chart()->mapToValue(position).x())));
    } else {
        chart()->setTitle(LectureVide);
    }
}

void GrapheReponse::leaveEvent(QEvent* event) {
    QChartView::leaveEvent(event);
    chart()->setTitle(LectureVide);
}

void GrapheReponse::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!contenu_.courbes.empty() && event->button() == Qt::LeftButton) {
        chart()->zoomReset();
        cadrer(cadre_);
        event->accept();
        return;
    }
    QChartView::mouseDoubleClickEvent(event);
}

void GrapheReponse::drawBackground(QPainter* painter, const QRectF& zone) {
    painter->fillRect(zone, palette().color(QPalette::Base));
    const double a = axeFrequence_->min();
    const double b = axeFrequence_->max();
    if (secondaires_.empty() || b <= a) {
        return;
    }
    const QRectF trace = chart()->mapRectToScene(chart()->plotArea());
    painter->setPen(axeFrequence_->minorGridLinePen());
    for (const double f : secondaires_) {
        const double x = trace.left() + (std::log10(f) - a) / (b - a) * trace.width();
        painter->drawLine(QPointF(x, trace.top()), QPointF(x, trace.bottom()));
    }
}

} // namespace quorvan
