#include "APropos.h"

namespace quorvan {

std::string texteAPropos() {
    std::string texte = "Calcul de quorvan \u00E0 Amplificateurs Op\u00E9rationnels\r\n";
    texte += "Version 1 Janvier 2001\r\n";
    texte += "Par les d\u00E9veloppeurs de Quorvan\r\n";
    texte += "Mel: ";
    texte += AdresseContact;
    return texte;
}

} // namespace quorvan
