#pragma once

#include "engine/Familles.h"
#include "engine/Recherche.h"

#include <string_view>

namespace quorvan {

// What `Resultat` holds after a press of "Calcul".
enum class ContenuResultat { Vide, Message, Rapport };

// How the window answers one outcome of the Calculate command. The beep, where there is one,
// sounds before the message box; an empty message means the box shows the report.
struct Reaction {
    std::string_view message;
    bool bip = false;
    ContenuResultat resultat = ContenuResultat::Vide;
    bool focusFrequence = false;
};

// No frequency typed (or one that reads as 0).
inline constexpr Reaction ReactionFrequenceNulle = {"Vous devez taper une fr\u00E9quence !", false,
                                                    ContenuResultat::Vide, true};

// The outcome of a search for one filter type. The texts differ by type in their spacing
// before "!" and in the beep: each text is the program's own, character for character.
[[nodiscard]] const Reaction& reactionPour(TypeFiltre type, EtatCalcul etat);

} // namespace quorvan
