#include "ReponseIdeale.h"

#include "PolesFamille.h"

#include <cmath>
#include <numbers>

namespace quorvan::analyse {

Complexe gainBandePassante(const FonctionCircuit& circuit, TypeFiltre type) {
    Complexe gain = 1.0;
    for (const FonctionBloc& b : circuit.blocs) {
        const std::size_t n = b.puissanceBandeOuverte(type);
        gain *= b.numerateur.c[n] / b.denominateur.c[n];
    }
    return gain;
}

ReponseIdeale::ReponseIdeale(int famille, int ordre, TypeFiltre type, double frequence,
                             Complexe gain)
    : poles_(polesFamille(famille, ordre))
    , type_(type)
    , omegaReference_(2 * std::numbers::pi * frequence)
    , gain_(gain) {}

Complexe reponsePoles(std::span<const Complexe> poles, Complexe gain, Complexe p) {
    for (const Complexe& pole : poles) {
        gain *= pole / (pole - p);
    }
    return gain;
}

Complexe ReponseIdeale::operator()(Complexe s) const {
    // A high-pass response is the low-pass prototype's at ωref / s.
    return reponsePoles(poles_, gain_,
                        type_ == TypeFiltre::PasseBas ? s / omegaReference_ : omegaReference_ / s);
}

double ReponseIdeale::gainDb(double frequence) const {
    return 20 * std::log10(std::abs((*this)(Complexe(0, 2 * std::numbers::pi * frequence))));
}

} // namespace quorvan::analyse
