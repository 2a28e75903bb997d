#include "Recherche.h"

#include <cstddef>

namespace quorvan {

RecherchePasseBasResultat RecherchePasseBas(Module1& module, double frequence) {
    const DrapeauxPasseBas avec10k = CalculPasseBas(module, frequence, 10000);
    if (avec10k.CTropGrand) {
        return {EtatCalcul::FrequenceTropBasse, 0};
    }
    if (!avec10k.CTropPetit) {
        return {EtatCalcul::Realisable, 10000};
    }
    if (!CalculPasseBas(module, frequence, 4700).CTropPetit) {
        return {EtatCalcul::Realisable, 4700};
    }
    // With 1 kΩ, capacitors between 10 pF and 1 nF are still accepted.
    if (!CalculPasseBas(module, frequence, 1000).CTresPetit) {
        return {EtatCalcul::Realisable, 1000};
    }
    return {EtatCalcul::FrequenceTropGrande, 0};
}

RecherchePasseHautResultat RecherchePasseHaut(Module1& module, double frequence) {
    DrapeauxPasseHaut drapeaux;
    for (std::size_t j = 0; j < SerieC.size(); ++j) {
        drapeaux = CalculPasseHaut(module, frequence, SerieC[j]);
        if (drapeaux.RTropPetit) {
            if (j == 0) {
                return {EtatCalcul::FrequenceTropGrande, 0.0};
            }
            // The previous capacitor is the largest one that keeps every resistor in range;
            // compute again so that TabR holds its resistors.
            const double choix = SerieC[j - 1];
            static_cast<void>(CalculPasseHaut(module, frequence, choix));
            return {EtatCalcul::Realisable, choix};
        }
    }
    // Even the largest capacitor leaves every resistor at 500 Ω or more: it decides, and
    // TabR already holds its resistors.
    if (drapeaux.RTropGrand) {
        return {EtatCalcul::FrequenceTropBasse, 0.0};
    }
    return {EtatCalcul::Realisable, SerieC.back()};
}

} // namespace quorvan
