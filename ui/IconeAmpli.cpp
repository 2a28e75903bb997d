#include "IconeAmpli.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

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

QIcon iconeAmpli() {
    QIcon icone;
    // What title bars and task switchers show; larger sizes, for the desktop's launchers, come
    // from the installed files and would only weigh on the program's start.
    for (const int taille : TaillesIcone) {
        if (taille <= 64) {
            icone.addPixmap(QPixmap::fromImage(dessinerIconeAmpli(taille)));
        }
    }
    return icone;
}

} // namespace quorvan
