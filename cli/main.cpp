// quorvan-cli: the designs of the Quorvan window from the command line, for scripts and
// for checking a design without the window.

#include "OptionsLigneCommande.h"
#include "Sorties.h"
#include "Version.h"
#include "analysis/ValeursNormalisees.h"
#include "engine/Familles.h"
#include "engine/Module1.h"
#include "netlist/NetlistSpice.h"
#include "report/CommandeCalcul.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <clocale>
#include <exception>
#include <fstream>
#include <iostream>
#include <optional>
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

// Writes what `produire` makes where `fichier` says ("-": standard output); false, and a
// message naming `quoi`, when it cannot be made or written.
template <typename Production>
bool exporter(const std::string& fichier, std::string_view quoi, Production produire) {
    std::string contenu;
    std::string raison;
    try {
        contenu = produire();
    } catch (const std::exception& e) {
        raison = std::string(" : ") + e.what();
    }
    if (raison.empty() && fichier == "-") {
        std::cout << contenu;
        return true;
    }
    if (raison.empty()) {
        std::ofstream sortie(fichier, std::ios::binary | std::ios::trunc);
        sortie << contenu;
        sortie.close();
        if (sortie) {
            return true;
        }
    }
    std::cerr << "quorvan-cli : impossible d'\u00E9crire " << quoi << " dans \u00AB " << fichier
              << " \u00BB" << raison << "\n";
    return false;
}

int calculer(const cli::Demande& demande) {
    Module1 module;
    module.NumFiltre = static_cast<std::int16_t>(demande.NumFiltre);
    module.NumOrdre = static_cast<std::int16_t>(demande.NumOrdre);
    const SelectionAffichee selection{demande.type, famille(demande.NumFiltre).libelle,
                                      libelleType(demande.type)};
    const std::string separateur = demande.separateur.value_or(separateurUtilisateur());
    const IssueCalcul issue = executerCalcul(module, selection, demande.texteFrequence, separateur);
    const std::optional<analyse::Serie> serie =
        demande.serie ? analyse::serieNommee(*demande.serie) : std::nullopt;
    const bool realisable = issue.contenu == ContenuResultat::Rapport;
    const Conception analysee =
        realisable && serie ? analyse::normaliser(issue.conception, *serie) : issue.conception;
    if (demande.json) {
        if (!exporter("-", "le JSON", [&] { return cli::conceptionJson(issue, serie); })) {
            return 1;
        }
    } else {
        std::cout << enLignesUnix(issue.message);
        if (realisable && serie) {
            std::cout << cli::texteValeursNormalisees(issue.conception, analysee, *serie,
                                                      separateur);
        }
    }
    if (!realisable) {
        return 1;
    }
    bool ecrits = true;
    if (demande.fichierSpice) {
        ecrits = exporter(*demande.fichierSpice, "la netlist",
                          [&] { return spice::ecrireNetlist(analysee); });
    }
    if (demande.fichierReponse) {
        ecrits = exporter(*demande.fichierReponse, "la r\u00E9ponse",
                          [&] { return cli::reponseCsv(analysee); }) &&
                 ecrits;
    }
    return ecrits ? 0 : 1;
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
