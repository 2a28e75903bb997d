#pragma once

#include "engine/Familles.h"

#include <QStringList>

#include <optional>
#include <string>
#include <variant>

namespace quorvan::cli {

// A design request from the command line.
struct Demande {
    int NumFiltre = 0;
    int NumOrdre = OrdreMin;
    TypeFiltre type = TypeFiltre::PasseBas;
    std::optional<std::string> separateur;     // unset: the user's locale decides
    std::optional<std::string> fichierSpice;   // where the netlist goes, "-" for standard output
    std::optional<std::string> serie;          // standard values for the numbered components
    std::optional<std::string> fichierReponse; // where the response goes, "-" for standard output
    bool json = false;                         // the design as JSON instead of the report
    std::string texteFrequence;
};

struct AfficherAide {};
struct AfficherVersion {};
struct ErreurUsage {
    std::string message;
};

using Commande = std::variant<Demande, AfficherAide, AfficherVersion, ErreurUsage>;

// Parses the whole command line, the program's name first.
[[nodiscard]] Commande analyserArguments(const QStringList& arguments);

[[nodiscard]] std::string texteAide();

} // namespace quorvan::cli
