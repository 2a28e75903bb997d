#pragma once

#include "AmpliOpReel.h"
#include "circuit/Montage.h"

#include <array>
#include <complex>
#include <optional>
#include <span>
#include <vector>

namespace quorvan::analyse {

using Complexe = std::complex<double>;

// A real polynomial of degree 4 at most: the coefficients of p⁰ to p⁴.
struct Polynome {
    std::array<double, 5> c{};

    [[nodiscard]] Complexe operator()(Complexe p) const {
        Complexe v = c[4];
        for (int i = 3; i >= 0; --i) {
            v = v * p + c[static_cast<std::size_t>(i)];
        }
        return v;
    }

    // |P(jx)|², in real arithmetic: the gain curves need only this, thousands of times.
    [[nodiscard]] double moduleCarreEnJx(double x) const {
        const double x2 = x * x;
        const double reel = c[0] - x2 * (c[2] - x2 * c[4]);
        const double imaginaire = x * (c[1] - x2 * c[3]);
        return reel * reel + imaginaire * imaginaire;
    }
};

// One block's transfer function from its input to its op-amp's output, as a ratio of two
// polynomials in p = s / ωref, worked out by hand from the node equations of the block's two or
// three nodes, so that thousands of circuits can be evaluated where a nodal solve would do one.
struct FonctionBloc {
    Polynome numerateur;
    Polynome denominateur;

    [[nodiscard]] Complexe operator()(Complexe p) const { return numerateur(p) / denominateur(p); }
    // The gain at p = jx, in dB.
    [[nodiscard]] double gainDbEnJx(double x) const;
    // The power of p whose coefficients, the numerator's over the denominator's, give the gain
    // where the pass band opens: p⁰ at DC for a low-pass block, the block's order at infinite
    // frequency for a high-pass one.
    [[nodiscard]] std::size_t puissanceBandeOuverte(TypeFiltre type) const;
};

// Block `bloc` with its parts' values (ohms, farads) in the order of its elements, ωref in rad/s,
// and an ideal op-amp unless one is given. Throws std::invalid_argument for a block that is
// neither of the two kinds the circuits are made of.
[[nodiscard]] FonctionBloc fonctionBloc(const circuit::Bloc& bloc, std::span<const double> valeurs,
                                        double omegaReference,
                                        const std::optional<AmpliOpReel>& ampli = std::nullopt);

// A whole circuit: the product of its blocks' functions.
struct FonctionCircuit {
    std::vector<FonctionBloc> blocs; // input first
    double omegaReference = 1.0;     // 2π times the circuit's cut-off, rad/s

    // H at the complex frequency s, in rad/s.
    [[nodiscard]] Complexe operator()(Complexe s) const;
};

[[nodiscard]] FonctionCircuit
fonctionCircuit(const circuit::Montage& montage,
                const std::optional<AmpliOpReel>& ampli = std::nullopt);

} // namespace quorvan::analyse
