#include "ExportSpice.h"

#include "Circuit.h"
#include "LectureFrequence.h"
#include "Module1.h"
#include "NetlistSpice.h"
#include "Recherche.h"

#include <cstdint>

namespace quorvan::cli {

// The same reading and search as the Calculate command, so that the netlist holds exactly
// the values its report shows rounded.
std::optional<std::string> netlistDeLaDemande(const Demande& demande) {
    Module1 module;
    module.NumFiltre = static_cast<std::int16_t>(demande.NumFiltre);
    module.NumOrdre = static_cast<std::int16_t>(demande.NumOrdre);
    spice::ValeursConception valeurs;
    valeurs.famille = demande.NumFiltre;
    valeurs.frequence = lireFrequence(demande.texteFrequence);
    if (valeurs.frequence == 0.0) {
        return std::nullopt;
    }
    if (demande.type == TypeFiltre::PasseBas) {
        const RecherchePasseBasResultat r = RecherchePasseBas(module, valeurs.frequence);
        if (r.etat != EtatCalcul::Realisable) {
            return std::nullopt;
        }
        valeurs.valeurCommune = r.RChoix;
        valeurs.numerotes = module.TabC;
    } else {
        const RecherchePasseHautResultat r = RecherchePasseHaut(module, valeurs.frequence);
        if (r.etat != EtatCalcul::Realisable) {
            return std::nullopt;
        }
        valeurs.valeurCommune = r.CChoix;
        valeurs.numerotes = module.TabR;
    }
    return spice::ecrireNetlist(circuit::composerCircuit(demande.type, demande.NumOrdre), valeurs);
}

} // namespace quorvan::cli
