#include "Statistiques.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace quorvan::analyse {

Repartition repartition(std::span<const double> tries) {
    return {quantile(tries, 0.01), quantile(tries, 0.05), quantile(tries, 0.50),
            quantile(tries, 0.95), quantile(tries, 0.99), quantile(tries, 0.0),
            quantile(tries, 1.0)};
}

Histogramme histogramme(std::span<const double> valeurs, std::size_t classes) {
    if (classes == 0) {
        throw std::invalid_argument("a histogram of no class");
    }
    Histogramme h;
    h.effectifs.assign(classes, 0);
    double min = std::numeric_limits<double>::infinity();
    double max = -min;
    for (const double v : valeurs) {
        min = std::isnan(v) ? min : std::min(min, v);
        max = std::isnan(v) ? max : std::max(max, v);
    }
    if (min > max) {
        return h;
    }
    h.debut = min;
    h.largeur = (max - min) / static_cast<double>(classes);
    for (const double v : valeurs) {
        if (!std::isnan(v)) {
            const double rang = h.largeur > 0 ? (v - min) / h.largeur : 0.0;
            ++h.effectifs[std::min(static_cast<std::size_t>(rang), classes - 1)];
        }
    }
    return h;
}

} // namespace quorvan::analyse
