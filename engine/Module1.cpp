#include "Module1.h"

#include "Coef.h"

#include <cmath>
#include <limits>

namespace quorvan {

namespace {

// 1 / d, where a product that underflowed to zero (a denormal frequency times a small
// capacitor) stands for an infinitely large scale rather than a division by zero.
double inverse(double d) {
    if (d == 0.0) {
        return std::copysign(std::numeric_limits<double>::infinity(), d);
    }
    return 1.0 / d;
}

} // namespace

DrapeauxPasseBas CalculPasseBas(Module1& module, double frequence, std::int32_t resistance) {
    module.TabC.fill(0.0);
    DrapeauxPasseBas drapeaux;
    const double s = inverse((frequence * DeuxPi) * static_cast<double>(resistance));
    const int n = module.NumOrdre;
    for (int i = 1; i <= n; ++i) {
        const double c = s * Coef[module.NumFiltre][module.NumOrdre][i];
        module.TabC[i] = c;
        if (c > CapaciteMax) {
            drapeaux.CTropGrand = true;
        }
        if (c < CapaciteMin) {
            drapeaux.CTropPetit = true;
        }
        if (c < CapacitePlancher) {
            drapeaux.CTresPetit = true;
            break;
        }
    }
    return drapeaux;
}

DrapeauxPasseHaut CalculPasseHaut(Module1& module, double frequence, double capacite) {
    module.TabR.fill(0.0);
    DrapeauxPasseHaut drapeaux;
    const double s = inverse((frequence * DeuxPi) * capacite);
    const int n = module.NumOrdre;
    for (int i = 1; i <= n; ++i) {
        const double r = s / Coef[module.NumFiltre][module.NumOrdre][i];
        module.TabR[i] = r;
        if (r > ResistanceMax) {
            drapeaux.RTropGrand = true;
        }
        if (r < ResistanceMin) {
            drapeaux.RTropPetit = true;
            break;
        }
    }
    return drapeaux;
}

} // namespace quorvan
