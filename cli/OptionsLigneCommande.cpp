#include "OptionsLigneCommande.h"

#include <array>
#include <string_view>

namespace quorvan::cli {

namespace {

constexpr std::array<std::string_view, 6> NomsFiltre = {
    "bessel", "butterworth", "chebyshev-0.5", "chebyshev-1", "chebyshev-2", "chebyshev-3",
};

std::optional<int> filtreNomme(std::string_view nom) {
    for (std::size_t i = 0; i < NomsFiltre.size(); ++i) {
        if (NomsFiltre[i] == nom) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::optional<int> ordreEcrit(std::string_view texte) {
    if (texte.size() == 1 && texte[0] >= '2' && texte[0] <= '7') {
        return texte[0] - '0';
    }
    return std::nullopt;
}

std::optional<TypeFiltre> typeNomme(std::string_view nom) {
    if (nom == "passe-bas") {
        return TypeFiltre::PasseBas;
    }
    if (nom == "passe-haut") {
        return TypeFiltre::PasseHaut;
    }
    return std::nullopt;
}

ErreurUsage valeurRefusee(std::string_view option, std::string_view valeur,
                          std::string_view attendu) {
    return {"valeur invalide pour " + std::string(option) + " : \"" + std::string(valeur) +
            "\" (attendu : " + std::string(attendu) + ")"};
}

} // namespace

Commande analyserArguments(const std::vector<std::string>& arguments) {
    Demande demande;
    std::vector<std::string> positionnels;
    bool optionsFinies = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsFinies || !argument.starts_with("--")) {
            if (!optionsFinies && (argument == "-h")) {
                return AfficherAide{};
            }
            positionnels.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsFinies = true;
            continue;
        }
        if (argument == "--help") {
            return AfficherAide{};
        }
        if (argument == "--version") {
            return AfficherVersion{};
        }

        // "--option valeur" or "--option=valeur"
        std::string option = argument;
        std::optional<std::string> valeur;
        if (const auto egal = argument.find('='); egal != std::string::npos) {
            option = argument.substr(0, egal);
            valeur = argument.substr(egal + 1);
        }
        if (option != "--filtre" && option != "--ordre" && option != "--type" &&
            option != "--decimal" && option != "--spice") {
            return ErreurUsage{"option inconnue : " + option};
        }
        if (!valeur) {
            if (i + 1 >= arguments.size()) {
                return ErreurUsage{"l'option " + option + " attend une valeur"};
            }
            valeur = arguments[++i];
        }

        if (option == "--filtre") {
            const auto filtre = filtreNomme(*valeur);
            if (!filtre) {
                return valeurRefusee(option, *valeur,
                                     "bessel, butterworth, chebyshev-0.5, chebyshev-1, "
                                     "chebyshev-2 ou chebyshev-3");
            }
            demande.NumFiltre = *filtre;
        } else if (option == "--ordre") {
            const auto ordre = ordreEcrit(*valeur);
            if (!ordre) {
                return valeurRefusee(option, *valeur, "un ordre de 2 \u00E0 7");
            }
            demande.NumOrdre = *ordre;
        } else if (option == "--type") {
            const auto type = typeNomme(*valeur);
            if (!type) {
                return valeurRefusee(option, *valeur, "passe-bas ou passe-haut");
            }
            demande.type = *type;
        } else if (option == "--spice") {
            if (valeur->empty()) {
                return valeurRefusee(option, *valeur, "un nom de fichier, ou - pour la sortie");
            }
            demande.fichierSpice = *valeur;
        } else {
            if (*valeur != "," && *valeur != ".") {
                return valeurRefusee(option, *valeur, "\",\" ou \".\"");
            }
            demande.separateur = *valeur;
        }
    }
    if (positionnels.empty()) {
        return ErreurUsage{"fr\u00E9quence manquante"};
    }
    if (positionnels.size() > 1) {
        return ErreurUsage{"une seule fr\u00E9quence est attendue, re\u00E7u : \"" +
                           positionnels[1] + "\""};
    }
    demande.texteFrequence = positionnels.front();
    return demande;
}

std::string texteAide() {
    return "Usage : quorvan-cli [--filtre F] [--ordre N] [--type T] [--decimal SEP]\n"
           "                   [--spice FICHIER] [--] FREQUENCE\n"
           "\n"
           "Calcule les composants d'un filtre actif \u00E0 amplificateurs op\u00E9rationnels\n"
           "et \u00E9crit le m\u00EAme texte que la fen\u00EAtre de Quorvan.\n"
           "\n"
           "  --filtre F    bessel (d\u00E9faut), butterworth, chebyshev-0.5, chebyshev-1,\n"
           "                chebyshev-2, chebyshev-3\n"
           "  --ordre N     ordre du filtre, de 2 \u00E0 7 (d\u00E9faut 2)\n"
           "  --type T      passe-bas (d\u00E9faut) ou passe-haut\n"
           "  --decimal SEP s\u00E9parateur d\u00E9cimal \u00E0 l'\u00E9criture, \",\" ou "
           "\".\"\n"
           "                (d\u00E9faut : celui des param\u00E8tres r\u00E9gionaux)\n"
           "  --spice FICHIER\n"
           "                \u00E9crit aussi la netlist SPICE du filtre calcul\u00E9 dans "
           "FICHIER\n"
           "                (\"-\" : sur la sortie, apr\u00E8s le texte)\n"
           "  --help        affiche cette aide\n"
           "  --version     affiche la version\n"
           "\n"
           "FREQUENCE est la fr\u00E9quence de coupure en hertz, lue comme dans la fen\u00EAtre :\n"
           "le point est le seul s\u00E9parateur d\u00E9cimal.\n"
           "\n"
           "Code de sortie : 0 filtre calcul\u00E9, 1 filtre irr\u00E9alisable, fr\u00E9quence "
           "absente\n"
           "ou netlist impossible \u00E0 \u00E9crire, 2 erreur d'usage.\n";
}

} // namespace quorvan::cli
