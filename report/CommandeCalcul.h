#pragma once

#include "Reactions.h"
#include "engine/Conception.h"
#include "engine/Familles.h"
#include "engine/Module1.h"
#include "engine/Recherche.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvan {

// Everything a press of "Calcul" decides, for the window (or the command line) to carry out:
// whether a design came out, the beep, the message box text, the new `Resultat` and whether
// focus goes back to the frequency box. A report also keeps its design at full precision.
struct IssueCalcul {
    ContenuResultat contenu = ContenuResultat::Vide;
    bool bip = false;
    std::string message;
    std::string Resultat;
    bool focusFrequence = false;
    // The selection and the frequency as read; the component values with a report only.
    Conception conception;
    std::optional<EtatCalcul> etat; // the search's outcome, unset without a frequency
};

// The selection as the window shows it: NumFiltre and NumOrdre live in the module state,
// the type is the check mark of the low-pass item, the captions are those of the labels.
struct SelectionAffichee {
    TypeFiltre type = TypeFiltre::PasseBas;
    std::string_view libelleFiltre;
    std::string_view libelleType;
};

// Reads the frequency text, runs the search for the selected type and composes the report
// or picks the failure message. Writes TabC or TabR of `module`.
[[nodiscard]] IssueCalcul executerCalcul(Module1& module, const SelectionAffichee& selection,
                                         std::string_view texteFrequence,
                                         std::string_view separateur);

} // namespace quorvan
