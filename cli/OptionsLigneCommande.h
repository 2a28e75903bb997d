#pragma once

#include "ErreurUsage.h"
#include "FichiersSortie.h"
#include "OptionsAnalyse.h"
#include "engine/Familles.h"

#include <QStringList>

#include <array>
#include <optional>
#include <string>
#include <variant>

namespace quorvan::cli {

// A design request from the command line.
struct Demande {
    int NumFiltre = 0;
    int NumOrdre = OrdreMin;
    TypeFiltre type = TypeFiltre::PasseBas;
    std::optional<std::string> separateur; // unset: the user's locale decides
    std::optional<std::string> serie;      // standard values for the numbered components, "E24"
    // Where each of FichiersSortie goes, if anywhere; "-" for standard output.
    std::array<std::optional<std::string>, FichiersSortie.size()> fichiers;
    bool json = false; // the design as JSON instead of the report
    DemandeAnalyse analyse;
    std::string texteFrequence;
};

struct AfficherAide {};
struct AfficherVersion {};

using Commande = std::variant<Demande, AfficherAide, AfficherVersion, ErreurUsage>;

// Parses the whole command line, the program's name first.
[[nodiscard]] Commande analyserArguments(const QStringList& arguments);

[[nodiscard]] std::string texteAide();

} // namespace quorvan::cli
