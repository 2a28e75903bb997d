#pragma once

#include "circuit/Montage.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorvan::analyse {

enum class Loi {
    Uniforme, // evenly within ±tolerance
    Gauss,    // normal with σ = tolerance / 3, a draw outside ±tolerance drawn again
};

// How far each part may land from its value, in percent of it.
struct Tolerances {
    Loi loi = Loi::Uniforme;
    double resistancesPct = 1.0;
    double condensateursPct = 5.0;

    [[nodiscard]] double pourcent(circuit::Nature nature) const {
        return nature == circuit::Nature::Resistance ? resistancesPct : condensateursPct;
    }
};

// The parts' values of Monte Carlo trials: every part moved on its own within its tolerance.
// Trial k draws from its own generator, keyed by the seed and k, so that a run repeats
// exactly however its trials are shared out between threads.
class Tirage {
public:
    // Throws std::invalid_argument for a tolerance outside [0 %, 100 %).
    Tirage(const circuit::Montage& montage, const Tolerances& tolerances, std::uint64_t graine);

    // Trial k's values, one per part in the order of circuit::pieces, into `valeurs`.
    void essai(std::uint64_t k, std::span<double> valeurs) const;
    [[nodiscard]] std::vector<double> essai(std::uint64_t k) const;

    [[nodiscard]] std::size_t nombrePieces() const { return nominales_.size(); }

private:
    std::vector<double> nominales_;
    std::vector<double> tolerances_; // relative, per part
    Loi loi_;
    std::uint64_t graine_;
};

} // namespace quorvan::analyse
