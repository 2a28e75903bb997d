#pragma once

#include "FonctionBloc.h"
#include "engine/Familles.h"

#include <complex>
#include <span>
#include <vector>

namespace quorvan::analyse {

// The gain of a circuit where it passes: at DC for a low-pass, at infinite frequency for a
// high-pass; with its sign, each inverting block counting once.
[[nodiscard]] Complexe gainBandePassante(const FonctionCircuit& circuit, TypeFiltre type);

// A family's exact response for a cut-off, at a chosen pass-band gain: what a circuit with
// perfect parts would do.
// An all-pole low-pass prototype, gain · Π pole / (pole − p), at the normalised frequency p.
[[nodiscard]] Complexe reponsePoles(std::span<const Complexe> poles, Complexe gain, Complexe p);

class ReponseIdeale {
public:
    // `frequence` in hertz maps to the table's 1 rad/s. Throws std::out_of_range for an unknown
    // family or order.
    ReponseIdeale(int famille, int ordre, TypeFiltre type, double frequence, Complexe gain);

    // H at the complex frequency s, in rad/s.
    [[nodiscard]] Complexe operator()(Complexe s) const;
    [[nodiscard]] double gainDb(double frequence) const;

    [[nodiscard]] TypeFiltre type() const { return type_; }
    [[nodiscard]] double omegaReference() const { return omegaReference_; }
    [[nodiscard]] Complexe gain() const { return gain_; }

private:
    std::vector<Complexe> poles_; // normalised, of the low-pass prototype
    TypeFiltre type_;
    double omegaReference_;
    Complexe gain_;
};

} // namespace quorvan::analyse
