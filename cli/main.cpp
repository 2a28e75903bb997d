// quorvan-cli: the designs of the Quorvan window from the command line, for scripts and
// for checking a design without the window.

#include "ExportSpice.h"
#include "OptionsLigneCommande.h"
#include "engine/Familles.h"
#include "engine/Module1.h"
#include "report/CommandeCalcul.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <clocale>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>
#include <variant>

namespace {

using namespace quorvan;

// The decimal separator of the user's regional settings, as the window writes numbers.
std::string separateurUtilisateur() {
    return QLocale::system().decimalPoint().toStdString();
}

// The window's message box breaks lines on CR LF; a terminal wants LF, and a last line
// that ends with one.
std::string enLignesUnix(const std::string& texte) {
    std::string sortie;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') {
            continue;
        }
        sortie += texte[i];
    }
    if (sortie.empty() || sortie.back() != '\n') {
        sortie += '\n';
    }
    return sortie;
}

void signalerNetlistImpossible(const std::string& fichier, const std::string& raison) {
    std::cerr << "quorvan-cli : impossible d'\u00E9crire la netlist dans \u00AB " << fichier
              << " \u00BB" << raison << "\n";
}

// Writes the netlist where the request says; false when it cannot be written.
bool exporterNetlist(const cli::Demande& demande, const IssueCalcul& issue, const Module1& module) {
    const std::string& fichier = *demande.fichierSpice;
    std::string netlist;
    try {
        netlist = cli::netlistDeLaConception(demande, issue, module);
    } catch (const std::exception& e) {
        signalerNetlistImpossible(fichier, std::string(" : ") + e.what());
        return false;
    }
    if (fichier == "-") {
        std::cout << netlist;
        return true;
    }
    std::ofstream sortie(fichier, std::ios::binary | std::ios::trunc);
    sortie << netlist;
    sortie.close();
    if (!sortie) {
        signalerNetlistImpossible(fichier, "");
        return false;
    }
    return true;
}

int calculer(const cli::Demande& demande) {
    Module1 module;
    module.NumFiltre = static_cast<std::int16_t>(demande.NumFiltre);
    module.NumOrdre = static_cast<std::int16_t>(demande.NumOrdre);
    const SelectionAffichee selection{demande.type, famille(demande.NumFiltre).libelle,
                                      libelleType(demande.type)};
    const std::string separateur = demande.separateur.value_or(separateurUtilisateur());
    const IssueCalcul issue = executerCalcul(module, selection, demande.texteFrequence, separateur);
    std::cout << enLignesUnix(issue.message);
    if (issue.contenu != ContenuResultat::Rapport) {
        return 1;
    }
    if (demande.fichierSpice && !exporterNetlist(demande, issue, module)) {
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    std::setlocale(LC_ALL, "");
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(QString::fromLocal8Bit(argv[i]));
    }
    const cli::Commande commande = cli::analyserArguments(arguments);
    if (const auto* erreur = std::get_if<cli::ErreurUsage>(&commande)) {
        std::cerr << "quorvan-cli : " << erreur->message << "\n"
                  << "Essayez \u00AB quorvan-cli --help \u00BB.\n";
        return 2;
    }
    if (std::holds_alternative<cli::AfficherAide>(commande)) {
        std::cout << cli::texteAide();
        return 0;
    }
    if (std::holds_alternative<cli::AfficherVersion>(commande)) {
        std::cout << "quorvan-cli " << QUORVAN_VERSION << "\n";
        return 0;
    }
    return calculer(std::get<cli::Demande>(commande));
}
