#include "Reactions.h"

namespace quorvan {

namespace {

constexpr Reaction Rapport = {"", false, ContenuResultat::Rapport, true};

constexpr Reaction PasseBasTropBasse = {"Filtre irr\u00E9alisable, fr\u00E9quence trop basse !",
                                        false, ContenuResultat::Message, false};
constexpr Reaction PasseBasTropGrande = {"Filtre irr\u00E9alisable, fr\u00E9quence trop grande!",
                                         true, ContenuResultat::Message, false};
constexpr Reaction PasseHautTropGrande = {"Filtre irr\u00E9alisable, fr\u00E9quence trop grande !",
                                          true, ContenuResultat::Message, false};
constexpr Reaction PasseHautTropBasse = {"Filtre irr\u00E9alisable, fr\u00E9quence trop basse!",
                                         true, ContenuResultat::Message, false};

} // namespace

const Reaction& reactionPour(TypeFiltre type, EtatCalcul etat) {
    switch (etat) {
    case EtatCalcul::Realisable:
        return Rapport;
    case EtatCalcul::FrequenceTropBasse:
        return type == TypeFiltre::PasseBas ? PasseBasTropBasse : PasseHautTropBasse;
    case EtatCalcul::FrequenceTropGrande:
        break;
    }
    return type == TypeFiltre::PasseBas ? PasseBasTropGrande : PasseHautTropGrande;
}

} // namespace quorvan
