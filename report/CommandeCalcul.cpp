#include "CommandeCalcul.h"

#include "LectureFrequence.h"
#include "Rapport.h"

namespace quorvan {

IssueCalcul executerCalcul(Module1& module, const SelectionAffichee& selection,
                           std::string_view texteFrequence, std::string_view separateur) {
    const double frequence = lireFrequence(texteFrequence);
    const Conception selectionne{module.NumFiltre, selection.type, module.NumOrdre, frequence};
    if (frequence == 0.0) {
        const Reaction& r = ReactionFrequenceNulle;
        return {r.resultat, r.bip, std::string(r.message), "", r.focusFrequence, selectionne, {}};
    }

    const EnTeteRapport entete{selection.libelleFiltre, selection.libelleType, module.NumOrdre,
                               frequence};
    EtatCalcul etat{};
    std::string rapport;
    double valeurCommune = 0.0;
    if (selection.type == TypeFiltre::PasseBas) {
        const RecherchePasseBasResultat r = RecherchePasseBas(module, frequence);
        etat = r.etat;
        valeurCommune = r.RChoix;
        if (etat == EtatCalcul::Realisable) {
            rapport = composerRapportPasseBas(entete, r.RChoix, module.TabC, separateur);
        }
    } else {
        const RecherchePasseHautResultat r = RecherchePasseHaut(module, frequence);
        etat = r.etat;
        valeurCommune = r.CChoix;
        if (etat == EtatCalcul::Realisable) {
            rapport = composerRapportPasseHaut(entete, r.CChoix, module.TabR, separateur);
        }
    }

    const Reaction& reaction = reactionPour(selection.type, etat);
    IssueCalcul issue{
        reaction.resultat, reaction.bip, std::string(reaction.message), "", reaction.focusFrequence,
        selectionne,       etat};
    switch (reaction.resultat) {
    case ContenuResultat::Rapport:
        issue.Resultat = rapport;
        issue.message = rapport;
        issue.conception.valeurCommune = valeurCommune;
        issue.conception.numerotes =
            selection.type == TypeFiltre::PasseBas ? module.TabC : module.TabR;
        break;
    case ContenuResultat::Message:
        issue.Resultat = issue.message;
        break;
    case ContenuResultat::Vide:
        break;
    }
    return issue;
}

} // namespace quorvan
