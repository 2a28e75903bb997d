#pragma once

#include "Libelles.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace quorvan::cli {

// A design request from the command line.
struct Demande {
    int NumFiltre = 0;
    int NumOrdre = 2;
    TypeFiltre type = TypeFiltre::PasseBas;
    std::optional<std::string> separateur;   // unset: the user's locale decides
    std::optional<std::string> fichierSpice; // where the netlist goes, "-" for standard output
    std::string texteFrequence;
};

struct AfficherAide {};
struct AfficherVersion {};
struct ErreurUsage {
    std::string message;
};

using Commande = std::variant<Demande, AfficherAide, AfficherVersion, ErreurUsage>;

// Parses the arguments after the program name.
[[nodiscard]] Commande analyserArguments(const std::vector<std::string>& arguments);

[[nodiscard]] std::string texteAide();

} // namespace quorvan::cli
