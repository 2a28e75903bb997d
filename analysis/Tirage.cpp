#include "Tirage.h"

#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>

namespace quorvan::analyse {

namespace {

// SplitMix64's output function: a bijection of 64-bit words that spreads every input bit.
constexpr std::uint64_t melanger(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

// SplitMix64 (Steele, Lea and Flood, 2014): a Weyl sequence put through melanger. Seeding it
// costs nothing, where a Mersenne Twister would fill 312 words for every trial; a trial's
// start is the mixed seed and trial number, so that no two trials' short runs overlap.
class SplitMix64 {
public:
    using result_type = std::uint64_t;
    SplitMix64(std::uint64_t graine, std::uint64_t essai)
        : etat_(melanger(graine ^ melanger(essai + 0x9e3779b97f4a7c15ULL))) {}
    static constexpr result_type min() { return 0; }
    static constexpr result_type max() { return std::numeric_limits<result_type>::max(); }
    result_type operator()() { return melanger(etat_ += 0x9e3779b97f4a7c15ULL); }

private:
    std::uint64_t etat_;
};

} // namespace

Tirage::Tirage(const circuit::Montage& montage, const Tolerances& tolerances, std::uint64_t graine)
    : nominales_(montage.valeurs)
    , loi_(tolerances.loi)
    , graine_(graine) {
    for (const double t : {tolerances.resistancesPct, tolerances.condensateursPct}) {
        if (!(t >= 0.0 && t < 100.0)) {
            throw std::invalid_argument("a tolerance outside [0 %, 100 %)");
        }
    }
    for (std::size_t i = 0; i < nominales_.size(); ++i) {
        tolerances_.push_back(tolerances.pourcent(montage.element(i).nature) / 100);
    }
}

void Tirage::essai(std::uint64_t k, std::span<double> valeurs) const {
    if (valeurs.size() != nominales_.size()) {
        throw std::invalid_argument("not one value for each part");
    }
    SplitMix64 alea(graine_, k);
    // Fresh distributions for each trial: the normal one keeps a second draw between calls.
    std::uniform_real_distribution<double> uniforme(-1.0, 1.0);
    std::normal_distribution<double> normale(0.0, 1.0 / 3);
    for (std::size_t i = 0; i < valeurs.size(); ++i) {
        double ecart = 0.0;
        if (loi_ == Loi::Uniforme) {
            ecart = uniforme(alea);
        } else {
            do {
                ecart = normale(alea);
            } while (std::fabs(ecart) > 1.0);
        }
        valeurs[i] = nominales_[i] * (1 + tolerances_[i] * ecart);
    }
}

std::vector<double> Tirage::essai(std::uint64_t k) const {
    std::vector<double> valeurs(nominales_.size());
    essai(k, valeurs);
    return valeurs;
}

} // namespace quorvan::analyse
