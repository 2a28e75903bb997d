#include "IconeAmpli.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace quorvan {

QImage dessinerIconeAmpli(int taille) {
    QImage image(taille, taille, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Drawn on a 32-unit grid: triangle pointing right, two input leads, the output lead.
    p.scale(taille / 32.0, taille / 32.0);
    QPen trait(QColor(255, 255, 0));
    trait.setWidthF(taille >= 32 ? 2.0 : 2.5);
    trait.setCapStyle(Qt::FlatCap);
    p.setPen(trait);
    p.setBrush(Qt::NoBrush);
    const QPolygonF triangle({QPointF(7, 3), QPointF(7, 29), QPointF(28, 16)});
    p.drawPolygon(triangle);
    p.drawLine(QPointF(0, 10), QPointF(7, 10));   // inverting input
    p.drawLine(QPointF(0, 22), QPointF(7, 22));   // non-inverting input
    p.drawLine(QPointF(28, 16), QPointF(32, 16)); // output
    p.drawLine(QPointF(10, 10), QPointF(15, 10)); // "-"
    p.drawLine(QPointF(10, 22), QPointF(15, 22)); // "+"
    p.drawLine(QPointF(12.5, 19.5), QPointF(12.5, 24.5));
    return image;
}

QIcon iconeAmpli() {
    QIcon icone;
    for (const int taille : {16, 32}) {
        icone.addPixmap(QPixmap::fromImage(dessinerIconeAmpli(taille)));
    }
    return icone;
}

} // namespace quorvan
