#include "BandeCentiles.h"

#include "Statistiques.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace quorvan::analyse {

namespace {

// Keeps the `garde` values that come first in `avant`'s order in a heap whose top is the last
// of them.
template <typename Avant>
void garder(std::vector<double>& tas, std::size_t garde, double v, Avant avant) {
    if (tas.size() < garde) {
        tas.push_back(v);
        std::push_heap(tas.begin(), tas.end(), avant);
    } else if (avant(v, tas.front())) {
        std::pop_heap(tas.begin(), tas.end(), avant);
        tas.back() = v;
        std::push_heap(tas.begin(), tas.end(), avant);
    }
}

} // namespace

BandeCentiles::BandeCentiles(std::size_t points, std::size_t essais)
    : essais_(essais)
    // quantile() reads the two ranks around (n − 1)·0.01, or their mirror; one more guards
    // against (n − 1)·0.99 rounding below its exact value.
    , garde_(std::min(essais, static_cast<std::size_t>(static_cast<double>(essais - 1) * 0.01) + 3))
    , bas_(points)
    , haut_(points) {
    if (essais == 0) {
        throw std::invalid_argument("percentiles of no trial");
    }
}

void BandeCentiles::ajouter(std::span<const double> gainsDb) {
    for (std::size_t j = 0; j < gainsDb.size(); ++j) {
        garder(bas_[j], garde_, gainsDb[j], std::less<>());
        garder(haut_[j], garde_, gainsDb[j], std::greater<>());
    }
}

std::vector<double> BandeCentiles::centile1() const {
    std::vector<double> c;
    for (std::vector<double> plusBas : bas_) {
        std::sort(plusBas.begin(), plusBas.end());
        // The lowest values are the first ranks of all the trials' sorted gains.
        c.push_back(quantileRangs(essais_, 0.01, [&plusBas](std::size_t i) { return plusBas[i]; }));
    }
    return c;
}

std::vector<double> BandeCentiles::centile99() const {
    std::vector<double> c;
    for (std::vector<double> plusHaut : haut_) {
        std::sort(plusHaut.begin(), plusHaut.end());
        // The highest values are the last ranks: rank r of all is rank r − (n − kept) here.
        const std::size_t absents = essais_ - plusHaut.size();
        c.push_back(quantileRangs(
            essais_, 0.99, [&plusHaut, absents](std::size_t i) { return plusHaut[i - absents]; }));
    }
    return c;
}

} // namespace quorvan::analyse
