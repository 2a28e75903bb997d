#include "BandeCentiles.h"

#include "Statistiques.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>

namespace quorvan::analyse {

namespace {

// Keeps the `garde` values that come first in `avant`'s order in a heap whose top is the last
// of them, for a value that comes before that top; returns what the next value must come
// before, once the heap is full.
template <typename Avant>
double garder(std::vector<double>& tas, std::size_t garde, double v, double entree, Avant avant) {
    if (tas.size() == garde) {
        std::pop_heap(tas.begin(), tas.end(), avant);
        tas.pop_back();
    }
    tas.push_back(v);
    std::push_heap(tas.begin(), tas.end(), avant);
    return tas.size() == garde ? tas.front() : entree;
}

void enDb(std::vector<double>& carres) {
    for (double& v : carres) {
        v = 10 * std::log10(v);
    }
}

} // namespace

BandeCentiles::BandeCentiles(std::size_t points, std::size_t essais)
    : essais_(essais)
    // quantile() reads the two ranks around (n − 1)·0.01, or their mirror; one more guards
    // against (n − 1)·0.99 rounding below its exact value.
    , garde_(std::min(essais, static_cast<std::size_t>(static_cast<double>(essais - 1) * 0.01) + 3))
    , bas_(points)
    , haut_(points)
    , entreeBas_(points, std::numeric_limits<double>::infinity())
    , entreeHaut_(points, -std::numeric_limits<double>::infinity()) {
    if (essais == 0) {
        throw std::invalid_argument("percentiles of no trial");
    }
}

void BandeCentiles::ajouter(std::span<const double> carres) {
    for (std::size_t j = 0; j < carres.size(); ++j) {
        if (carres[j] < entreeBas_[j]) {
            entreeBas_[j] = garder(bas_[j], garde_, carres[j], entreeBas_[j], std::less<>());
        }
        if (carres[j] > entreeHaut_[j]) {
            entreeHaut_[j] = garder(haut_[j], garde_, carres[j], entreeHaut_[j], std::greater<>());
        }
    }
}

std::vector<double> BandeCentiles::centile1Db() const {
    std::vector<double> c;
    for (std::vector<double> plusBas : bas_) {
        std::sort(plusBas.begin(), plusBas.end());
        enDb(plusBas);
        // The lowest values are the first ranks of all the trials' sorted gains.
        c.push_back(quantileRangs(essais_, 0.01, [&plusBas](std::size_t i) { return plusBas[i]; }));
    }
    return c;
}

std::vector<double> BandeCentiles::centile99Db() const {
    std::vector<double> c;
    for (std::vector<double> plusHaut : haut_) {
        std::sort(plusHaut.begin(), plusHaut.end());
        enDb(plusHaut);
        // The highest values are the last ranks: rank r of all is rank r − (n − kept) here.
        const std::size_t absents = essais_ - plusHaut.size();
        c.push_back(quantileRangs(
            essais_, 0.99, [&plusHaut, absents](std::size_t i) { return plusHaut[i - absents]; }));
    }
    return c;
}

} // namespace quorvan::analyse
