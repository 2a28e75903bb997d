#include "EditionNetlist.h"

#include <sstream>
#include <stdexcept>

namespace quorvan::spice::test {
namespace {

std::vector<std::string> lignes(std::string_view texte) {
    std::vector<std::string> resultat;
    std::istringstream flux{std::string(texte)};
    for (std::string ligne; std::getline(flux, ligne);) {
        resultat.push_back(ligne);
    }
    return resultat;
}

bool estElement(const std::string& ligne) {
    return !ligne.empty() && ligne.front() != '*' && ligne.front() != '.';
}

LigneElement decouper(const std::string& ligne) {
    LigneElement element;
    std::istringstream flux(ligne);
    for (std::string champ; flux >> champ;) {
        element.champs.push_back(champ);
    }
    return element;
}

} // namespace

std::vector<LigneElement> lignesElements(std::string_view netlist) {
    std::vector<LigneElement> resultat;
    for (const std::string& ligne : lignes(netlist)) {
        if (estElement(ligne)) {
            resultat.push_back(decouper(ligne));
        }
    }
    return resultat;
}

std::string valeurElement(std::string_view netlist, std::string_view nom) {
    for (const LigneElement& e : lignesElements(netlist)) {
        if (e.nom() == nom) {
            return e.champs.back();
        }
    }
    throw std::out_of_range("no element " + std::string(nom));
}

std::string avecValeur(std::string_view netlist, std::string_view nom, std::string_view valeur) {
    std::string resultat;
    bool remplacee = false;
    for (const std::string& ligne : lignes(netlist)) {
        if (estElement(ligne) && decouper(ligne).nom() == nom) {
            resultat += ligne.substr(0, ligne.find_last_of(" \t") + 1) + std::string(valeur);
            remplacee = true;
        } else {
            resultat += ligne;
        }
        resultat += '\n';
    }
    if (!remplacee) {
        throw std::out_of_range("no element " + std::string(nom));
    }
    return resultat;
}

} // namespace quorvan::spice::test
