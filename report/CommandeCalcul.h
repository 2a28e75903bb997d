#pragma once

#include "Reactions.h"
#include "engine/Familles.h"
#include "engine/Module1.h"

#include <string>
#include <string_view>

namespace quorvan {

// Everything a press of "Calcul" decides, for the window (or the command line) to carry out:
// whether a design came out, the beep, the message box text, the new `Resultat` and whether
// focus goes back to the frequency box. A design also keeps the frequency as read and the
// common component chosen (RChoix in ohms or CChoix in farads) at full precision; the other
// values are in TabC or TabR.
struct IssueCalcul {
    ContenuResultat contenu = ContenuResultat::Vide;
    bool bip = false;
    std::string message;
    std::string Resultat;
    bool focusFrequence = false;
    double frequence = 0.0;
    double valeurCommune = 0.0;
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
