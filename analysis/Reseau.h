#pragma once

#include "AmpliOpReel.h"
#include "circuit/Montage.h"
#include "engine/Conception.h"

#include <Eigen/Dense>
#include <complex>
#include <cstddef>
#include <optional>

namespace quorvan::analyse {

using Complexe = std::complex<double>;

// The linear network of a design's circuit, or of one of its blocks, with ideal op-amps or
// one-pole ones, solved by nodal analysis: the voltage at its output for 1 V at its input.
class Reseau {
public:
    // The whole circuit, from its input to its last op-amp's output.
    explicit Reseau(const circuit::Montage& montage,
                    const std::optional<AmpliOpReel>& ampli = std::nullopt);
    explicit Reseau(const Conception& conception);
    // Block `bloc` (from 0, input first) alone, from its own input to its op-amp's output.
    Reseau(const circuit::Montage& montage, std::size_t bloc,
           const std::optional<AmpliOpReel>& ampli = std::nullopt);

    // H at the complex frequency s, in rad/s.
    [[nodiscard]] Complexe transfert(Complexe s) const;
    // The limit of H far above every pole: a high-pass circuit's pass-band gain, exactly.
    [[nodiscard]] Complexe transfertInfini() const;

    struct Point {
        Complexe h;       // H(jω)
        Complexe derivee; // dH/dω, in seconds
    };
    [[nodiscard]] Point reponse(double frequence) const;

    // The angular frequency values are scaled by: 2π times the design's cut-off.
    [[nodiscard]] double omegaReference() const { return omegaReference_; }

private:
    // The whole circuit, or one block of it.
    void construire(const circuit::Montage& montage, std::optional<std::size_t> bloc,
                    const std::optional<AmpliOpReel>& ampli);

    // x for (G + s'·C) x = bG + s'·bC with s' = s / omegaReference, in the workspace.
    void resoudre(Complexe p) const;

    // At most 13 unknowns (order 7: ten nodes, three op-amp currents): matrices on the stack.
    static constexpr int Max = 16;
    using Matrice = Eigen::Matrix<Complexe, Eigen::Dynamic, Eigen::Dynamic, 0, Max, Max>;
    using Vecteur = Eigen::Matrix<Complexe, Eigen::Dynamic, 1, 0, Max, 1>;

    // Admittances scaled so that the design's common value is 1.
    Matrice G_;
    Matrice C_;
    Vecteur bG_;
    Vecteur bC_;
    Eigen::Index sortie_ = 0;
    Eigen::Index noeuds_ = 0; // the unknowns before the op-amps' currents
    double omegaReference_ = 1.0;

    // Reused from one frequency to the next.
    mutable Matrice a_;
    mutable Eigen::PartialPivLU<Matrice> lu_;
    mutable Vecteur x_;
};

} // namespace quorvan::analyse
