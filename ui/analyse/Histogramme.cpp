#include "Histogramme.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quorvan {

Histogramme::Histogramme(const QString& titre, QWidget* parent)
    : QWidget(parent)
    , titre_(titre) {
    setAccessibleName(titre);
}

void Histogramme::effacer() {
    effectifs_.clear();
    bas_.clear();
    haut_.clear();
    update();
}

void Histogramme::montrer(std::span<const double> valeurs, Ecriture ecrire) {
    effacer();
    if (valeurs.empty()) {
        return;
    }
    const double bas = valeurs.front();
    const double haut = valeurs.back();
    // About the square root of the count, which a few thousand trials fill evenly enough,
    // and one slice for values that are all the same.
    const auto tranches =
        haut > bas
            ? std::clamp<std::size_t>(
                  static_cast<std::size_t>(std::sqrt(static_cast<double>(valeurs.size()))), 5, 40)
            : 1;
    effectifs_.assign(tranches, 0);
    for (const double v : valeurs) {
        const double position = haut > bas ? (v - bas) / (haut - bas) : 0.0;
        // The highest value closes the last slice.
        ++effectifs_[std::min(tranches - 1,
                              static_cast<std::size_t>(position * static_cast<double>(tranches)))];
    }
    bas_ = ecrire(bas);
    haut_ = ecrire(haut);
    update();
}

void Histogramme::paint(QPainter& peintre, const QRect& zone) const {
    const QFontMetrics metriques(font());
    const int ligne = metriques.height();
    peintre.setPen(palette().color(QPalette::WindowText));
    peintre.drawText(zone.adjusted(0, 0, 0, -zone.height() + ligne), Qt::AlignHCenter, titre_);
    if (effectifs_.empty()) {
        return;
    }
    const QRect barres = zone.adjusted(2, ligne + 2, -2, -ligne - 2);
    peintre.drawText(zone.adjusted(2, zone.height() - ligne, -2, 0), Qt::AlignLeft, bas_);
    peintre.drawText(zone.adjusted(2, zone.height() - ligne, -2, 0), Qt::AlignRight, haut_);
    peintre.drawLine(barres.bottomLeft(), barres.bottomRight());
    const double plusHaut =
        static_cast<double>(*std::max_element(effectifs_.begin(), effectifs_.end()));
    const double largeur = barres.width() / static_cast<double>(effectifs_.size());
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(palette().color(QPalette::Highlight));
    for (std::size_t i = 0; i < effectifs_.size(); ++i) {
        const double h = barres.height() * static_cast<double>(effectifs_[i]) / plusHaut;
        peintre.drawRect(QRectF(barres.left() + largeur * static_cast<double>(i),
                                barres.bottom() - h, std::max(1.0, largeur - 1), h));
    }
}

void Histogramme::paintEvent(QPaintEvent* /*event*/) {
    QPainter peintre(this);
    paint(peintre, rect());
}

} // namespace quorvan
