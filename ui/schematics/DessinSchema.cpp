#include "DessinSchema.h"

#include "MiseEnPage.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <array>
#include <limits>

namespace quorvan::schematics {
namespace {

constexpr std::array<QRgb, 5> Couleurs = {
    qRgb(0, 0, 255),     // Bleu
    qRgb(198, 198, 198), // Gris
    qRgb(255, 0, 0),     // Rouge
    qRgb(255, 0, 255),   // Magenta
    qRgb(255, 255, 255), // Blanc
};

constexpr int PointsParMetre = 3780; // 96 dpi: the picture prints at its size on screen
constexpr int DemiSigne = 2;         // the "-" and "+" at the op-amp inputs are 5 pixels
constexpr int RetraitSigne = 6;      // from the triangle's left side to their centre

QColor couleur(Encre encre) {
    return QColor(Couleurs.at(static_cast<std::size_t>(encre)));
}

QPen crayon(Encre encre) {
    QPen pen(couleur(encre));
    pen.setWidth(1);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void peindreSymbole(QPainter& p, const SymboleTrace& s) {
    p.setPen(crayon(Encre::Rouge));
    p.setBrush(Qt::NoBrush);
    const QRect& c = s.corps;
    if (s.nature == circuit::Nature::Resistance) {
        // drawRect on an aliased 1-pixel pen covers width + 1 pixels.
        p.drawRect(c.adjusted(0, 0, -1, -1));
    } else if (s.vertical) {
        p.drawLine(c.left(), c.top(), c.right(), c.top());
        p.drawLine(c.left(), c.bottom(), c.right(), c.bottom());
    } else {
        p.drawLine(c.left(), c.top(), c.left(), c.bottom());
        p.drawLine(c.right(), c.top(), c.right(), c.bottom());
    }
    if (s.vertical) {
        p.drawLine(s.bornes[0], QPoint(s.bornes[0].x(), c.top()));
        p.drawLine(QPoint(s.bornes[1].x(), c.bottom()), s.bornes[1]);
    } else {
        p.drawLine(s.bornes[0], QPoint(c.left(), s.bornes[0].y()));
        p.drawLine(QPoint(c.right(), s.bornes[1].y()), s.bornes[1]);
    }
    p.drawText(s.origineEtiquette, s.etiquette);
}

void peindreAmpli(QPainter& p, const AmpliTrace& a) {
    p.setPen(crayon(Encre::Bleu));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygon({a.sommets[0], a.sommets[1], a.sommets[2]}));
    p.setPen(crayon(Encre::Rouge));
    const QPoint moins = a.moins + QPoint(RetraitSigne, 0);
    const QPoint plus = a.plus + QPoint(RetraitSigne, 0);
    p.drawLine(moins - QPoint(DemiSigne, 0), moins + QPoint(DemiSigne, 0));
    p.drawLine(plus - QPoint(DemiSigne, 0), plus + QPoint(DemiSigne, 0));
    p.drawLine(plus - QPoint(0, DemiSigne), plus + QPoint(0, DemiSigne));
}

void peindreMasse(QPainter& p, const MasseTrace& m) {
    p.setPen(crayon(Encre::Rouge));
    p.drawLine(m.tige);
    p.drawLine(m.barre);
    p.drawText(m.origineTexte, QStringLiteral("GND"));
}

// Nearest of the five colours. Aliased drawing only ever produces the colours themselves;
// this keeps the picture within its palette should a font engine blend anyway.
uchar indexDe(QRgb pixel) {
    uchar meilleur = static_cast<uchar>(Encre::Blanc);
    int distance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < Couleurs.size(); ++i) {
        const int dr = qRed(pixel) - qRed(Couleurs[i]);
        const int dg = qGreen(pixel) - qGreen(Couleurs[i]);
        const int db = qBlue(pixel) - qBlue(Couleurs[i]);
        const int d = dr * dr + dg * dg + db * db;
        if (d < distance) {
            distance = d;
            meilleur = static_cast<uchar>(i);
        }
    }
    return meilleur;
}

} // namespace

QList<QRgb> tableDesCouleurs() {
    QList<QRgb> table(256, qRgb(255, 255, 255));
    for (std::size_t i = 0; i < Couleurs.size(); ++i) {
        table[static_cast<qsizetype>(i)] = Couleurs[i];
    }
    table[static_cast<int>(Encre::Blanc)] = qRgba(255, 255, 255, 0);
    return table;
}

void peindreSchema(QPainter& peintre, const MiseEnPage& page) {
    peintre.save();
    peintre.setRenderHint(QPainter::Antialiasing, false);
    peintre.setRenderHint(QPainter::TextAntialiasing, false);
    peintre.setBrush(Qt::NoBrush);

    peintre.setPen(crayon(Encre::Bleu));
    peintre.drawRect(Cadre.adjusted(0, 0, -1, -1));

    peintre.setPen(crayon(Encre::Gris));
    for (const QLine& fil : page.fils) {
        peintre.drawLine(fil);
    }
    peintre.setFont(policeEtiquettes());
    for (const SymboleTrace& s : page.symboles) {
        peindreSymbole(peintre, s);
    }
    for (const AmpliTrace& a : page.amplis) {
        peindreAmpli(peintre, a);
    }
    peintre.setFont(policeMasse());
    for (const MasseTrace& m : page.masses) {
        peindreMasse(peintre, m);
    }
    for (const QPoint& j : page.jonctions) {
        peintre.fillRect(QRect(j - QPoint(DemiPoint, DemiPoint), j + QPoint(DemiPoint, DemiPoint)),
                         couleur(Encre::Magenta));
    }
    peintre.restore();
}

QImage imageSchema(const circuit::Circuit& circuit) {
    // Painted in true colour first: QPainter cannot draw text into an 8-bit image.
    QImage rgb(LargeurImage, HauteurImage, QImage::Format_RGB32);
    rgb.fill(couleur(Encre::Blanc));
    {
        QPainter peintre(&rgb);
        peindreSchema(peintre, mettreEnPage(circuit));
    }

    QImage image(LargeurImage, HauteurImage, QImage::Format_Indexed8);
    image.setColorTable(tableDesCouleurs());
    // Runs of one colour are long: look each colour up once per run.
    QRgb precedent = couleur(Encre::Blanc).rgb();
    uchar indice = static_cast<uchar>(Encre::Blanc);
    for (int y = 0; y < HauteurImage; ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* cible = image.scanLine(y);
        for (int x = 0; x < LargeurImage; ++x) {
            if (source[x] != precedent) {
                precedent = source[x];
                indice = indexDe(precedent);
            }
            cible[x] = indice;
        }
    }
    image.setDotsPerMeterX(PointsParMetre);
    image.setDotsPerMeterY(PointsParMetre);
    return image;
}

} // namespace quorvan::schematics
