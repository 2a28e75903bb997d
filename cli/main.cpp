// quorvan-cli: the designs of the Quorvan window from the command line, for scripts and
// for checking a design without the window.

#include "Analyses.h"
#include "FichiersSortie.h"
#include "JsonAnalyse.h"
#include "OptionsLigneCommande.h"
#include "Sorties.h"
#include "TexteAnalyse.h"
#include "Version.h"
#include "analysis/ValeursNormalisees.h"
#include "engine/Familles.h"
#include "engine/Module1.h"
#include "report/CommandeCalcul.h"
#include "toolkit/files/WholeFile.h"

#include <QJsonDocument>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <exception>
#include <iostream>
#include <optional>
#include <stdexcept>
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

// Writes what `produire` makes to `fichier`, whole or not at all, or appends it to `sortie` for
// "-"; false, and a message naming `quoi`, when it cannot be made or written.
template <typename Production>
bool exporter(const std::string& fichier, std::string_view quoi, Production produire,
              std::string& sortie) {
    std::string contenu;
    std::optional<QString> raison;
    try {
        contenu = produire();
    } catch (const std::exception& e) {
        raison = QString::fromUtf8(e.what());
    }
    if (!raison && fichier == "-") {
        sortie += contenu;
        return true;
    }
    if (!raison) {
        raison = toolkit::writeWholeFile(QString::fromStdString(fichier), contenu);
    }
    if (!raison) {
        return true;
    }
    std::cerr << "quorvan-cli : impossible d'\u00E9crire " << quoi << " dans \u00AB " << fichier
              << " \u00BB : " << raison->toStdString() << "\n";
    return false;
}

// Standard output gets everything at the end, in one write whose failure (a full disk, a closed
// pipe) is read at once and fails the run.
int ecrireSortie(const std::string& sortie, int code) {
    errno = 0;
    const bool ecrite = std::fwrite(sortie.data(), 1, sortie.size(), stdout) == sortie.size() &&
                        std::fflush(stdout) == 0;
    if (ecrite) {
        return code;
    }
    std::cerr << "quorvan-cli : impossible d'\u00E9crire sur la sortie standard : "
              << toolkit::writeErrorReason(errno).toStdString() << "\n";
    return 1;
}

int calculer(const cli::Demande& demande, std::string& sortie) {
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
    const cli::DemandeAnalyse& demandeAnalyse = demande.analyse;
    cli::Analyses analyses;
    try {
        analyses = cli::analyser(issue, analysee, serie, demandeAnalyse);
    } catch (const std::exception& e) {
        std::cerr << "quorvan-cli : l'analyse du filtre a \u00E9chou\u00E9 : " << e.what() << "\n";
        return 1;
    }
    if (demande.json) {
        const auto json = [&] {
            QJsonObject o = cli::conceptionJson(issue, analysee, serie);
            cli::ajouterAnalyses(o, analyses, demandeAnalyse);
            return QJsonDocument(o).toJson(QJsonDocument::Indented).toStdString();
        };
        if (!exporter("-", "le JSON", json, sortie)) {
            return 1;
        }
    } else {
        sortie += enLignesUnix(issue.message);
        if (realisable && serie) {
            sortie += cli::texteValeursNormalisees(issue.conception, analysee, *serie, separateur);
        }
        if (realisable && demandeAnalyse.optimisation) {
            sortie += cli::texteOptimisation(analyses, separateur);
        }
        if (analyses.monteCarlo) {
            sortie +=
                cli::texteMonteCarlo(*analyses.monteCarlo, *demandeAnalyse.monteCarlo, separateur);
        }
    }
    if (!realisable) {
        return 1;
    }
    // Without optimised parts nothing can be written of them, nor drawn from their tolerances.
    bool ecrits = analyses.montage || !demandeAnalyse.monteCarlo;
    if (!ecrits) {
        std::cerr << "quorvan-cli : pas de tirages de Monte-Carlo : "
                  << analyses.pourquoiSansMontage << "\n";
    }
    // Numbers in CSV files keep the period whatever the locale, unless --decimal asks for a comma.
    const std::string decimalCsv = demande.separateur.value_or(".");
    const std::optional<analyse::AmpliOpReel> ampli = demandeAnalyse.ampli();
    for (std::size_t i = 0; i < cli::FichiersSortie.size(); ++i) {
        const cli::FichierSortie& f = cli::FichiersSortie[i];
        if (!demande.fichiers[i]) {
            continue;
        }
        const auto produire = [&] {
            if (!analyses.montage) {
                throw std::runtime_error(analyses.pourquoiSansMontage);
            }
            return f.produire({*analyses.montage, ampli, analyses.series, decimalCsv});
        };
        ecrits = exporter(*demande.fichiers[i], f.contenu, produire, sortie) && ecrits;
    }
    return ecrits ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    std::setlocale(LC_ALL, "");
    // Past a file-size limit, a write then fails and is reported, the file left as it was,
    // instead of the program being killed half-way.
    std::signal(SIGXFSZ, SIG_IGN);
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
    std::string sortie;
    int code = 0;
    if (std::holds_alternative<cli::AfficherAide>(commande)) {
        sortie = cli::texteAide();
    } else if (std::holds_alternative<cli::AfficherVersion>(commande)) {
        sortie = "quorvan-cli " QUORVAN_VERSION "\n";
    } else {
        code = calculer(std::get<cli::Demande>(commande), sortie);
    }
    return ecrireSortie(sortie, code);
}
