#pragma once

#include "AmpliOpReel.h"
#include "FonctionBloc.h"
#include "circuit/Circuit.h"
#include "circuit/Montage.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>

namespace quorvan::analyse {

// |H|² of a circuit along the jω axis, from its blocks' closed forms, for the analyses that
// evaluate thousands of circuits at hundreds of frequencies. Frequencies are ratios x = f / f0
// to the circuit's typed cut-off f0.
class GainCircuit {
public:
    // The circuit with one value per part, in the order of circuit::pieces; throws
    // std::invalid_argument when the values do not fit the circuit.
    GainCircuit(const circuit::Circuit& circuit, std::span<const double> valeurs, double frequence,
                const std::optional<AmpliOpReel>& ampli = std::nullopt);
    explicit GainCircuit(const circuit::Montage& montage,
                         const std::optional<AmpliOpReel>& ampli = std::nullopt);

    // |H(j·x·2π·f0)|², one division for the cascade: each block's terms stay far from the
    // double's range, 1e16 at a hundred times the cut-off.
    [[nodiscard]] double carre(double x) const {
        double numerateur = 1.0;
        double denominateur = 1.0;
        for (std::size_t b = 0; b < nBlocs_; ++b) {
            numerateur *= blocs_[b].numerateur.moduleCarreEnJx(x);
            denominateur *= blocs_[b].denominateur.moduleCarreEnJx(x);
        }
        return numerateur / denominateur;
    }
    [[nodiscard]] double db(double x) const { return 10 * std::log10(carre(x)); }

    // carre at every ratio of `x` into `carres`.
    void carres(std::span<const double> x, std::span<double> carres) const;

    // |H|² where the pass band opens: at DC for a low-pass circuit, at infinite frequency for
    // a high-pass one (zero there with a real op-amp).
    [[nodiscard]] double carreBandeOuverte(TypeFiltre type) const;

private:
    // ⌊order / 2⌋ blocks: on the stack.
    static constexpr std::size_t MaxBlocs = OrdreMax / 2;
    std::array<FonctionBloc, MaxBlocs> blocs_{};
    std::size_t nBlocs_ = 0;
};

} // namespace quorvan::analyse
