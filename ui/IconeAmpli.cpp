#include "IconeAmpli.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <map>

namespace quorvan {

namespace {

// Rounded to whole pixels, then moved to the middle of a stroke of width `trait`, so that
// lines land on pixels instead of blurring across two.
double surPixel(double x, int trait) {
    return std::round(x) + (trait % 2 == 1 ? 0.5 : 0.0);
}

} // namespace

QImage dessinerIconeAmpli(int taille) {
    QImage image(taille, taille, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    // Small sizes are pixel drawings; from 48 pixels on, slanted edges are smoothed.
    p.setRenderHint(QPainter::Antialiasing, taille >= 48);
    const double s = taille;
    const int trait = std::max(2, static_cast<int>(std::lround(s / 16)));
    QPen stylo(QColor(255, 255, 0), trait, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    p.setPen(stylo);
    p.setBrush(Qt::NoBrush);

    // The triangle pointing right, its two inputs and its output.
    const double gauche = surPixel(0.22 * s, trait);
    const double haut = surPixel(0.06 * s + trait / 2.0, trait);
    const double bas = surPixel(0.94 * s - trait / 2.0, trait);
    const double pointe = std::round(0.84 * s);
    const double milieu = surPixel(s / 2 - 0.5, trait);
    const double moins = surPixel(0.36 * s, trait);
    const double plus = surPixel(0.64 * s, trait);
    p.drawPolygon(QPolygonF({{gauche, haut}, {gauche, bas}, {pointe, milieu}}));
    p.drawLine(QPointF(0, moins), QPointF(gauche, moins));
    p.drawLine(QPointF(0, plus), QPointF(gauche, plus));
    p.drawLine(QPointF(pointe, milieu), QPointF(s, milieu));

    // The signs by each input, where there is room for them to read.
    if (taille >= 32) {
        const double debut = std::round(gauche + 1.5 * trait);
        const double longueur = std::round(0.16 * s);
        const double centre = surPixel(debut + longueur / 2 - 0.5, trait);
        p.drawLine(QPointF(debut, moins), QPointF(debut + longueur, moins));
        p.drawLine(QPointF(debut, plus), QPointF(debut + longueur, plus));
        p.drawLine(QPointF(centre, plus - longueur / 2), QPointF(centre, plus + longueur / 2));
    }
    return image;
}

namespace {

// The symbol at each size the first time it is asked for. It offers the title bar's sizes, which
// a window sends its window manager when it shows; any other is drawn for whoever asks. The
// desktop's launchers take theirs from the installed files.
class MoteurIcone final : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        const int taille = std::min(size.width(), size.height());
        if (taille <= 0) {
            return {};
        }
        QPixmap& dessin = dessins_[taille];
        if (dessin.isNull()) {
            dessin = QPixmap::fromImage(dessinerIconeAmpli(taille));
        }
        return dessin;
    }
    QSize actualSize(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        const int taille = std::min(size.width(), size.height());
        return {taille, taille};
    }
    QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return {QSize(16, 16), QSize(32, 32)};
    }
    QIconEngine* clone() const override { return new MoteurIcone(*this); }

private:
    std::map<int, QPixmap> dessins_;
};

} // namespace

QIcon iconeAmpli() {
    return QIcon(new MoteurIcone);
}

} // namespace quorvan
