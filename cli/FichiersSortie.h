#pragma once

#include "Sorties.h"

#include <array>
#include <string>
#include <string_view>

namespace quorvan::cli {

// An option that writes a file, or standard output when its value is "-".
struct FichierSortie {
    std::string_view option;  // its name after "--"
    std::string_view contenu; // what it writes, as the messages name it
    std::string (*produire)(const Production&);
    std::string_view aide; // what --help says of it, under its name
};

// Every option that writes a file, in the order their "-" outputs follow the report. A row is
// all an option needs: it is parsed, refused when it names the file another one names, written
// whole or not at all, and described in --help.
// clang-format off
inline constexpr std::array<FichierSortie, 3> FichiersSortie = {{
    // option        what it writes           made by             help
    {"spice",        "la netlist",            netlistSpice,       "\u00E9crit aussi la netlist SPICE du filtre calcul\u00E9"},
    {"reponse",      "la r\u00E9ponse",       reponseCsv,         "\u00E9crit aussi la r\u00E9ponse en fr\u00E9quence en CSV :\n"
                                                                  "frequence_hz;gain_db;phase_deg;retard_s"},
    {"nomenclature", "la nomenclature",       nomenclaturePieces, "\u00E9crit aussi la liste des composants en CSV :\n"
                                                                  "reference;valeur;serie;quantite"},
}};
// clang-format on

// Whether two values of these options name one file: both "-", or two paths to the same file
// however written ("a.txt", "./a.txt", its absolute path, a link to it).
[[nodiscard]] bool memeFichier(const std::string& a, const std::string& b);

} // namespace quorvan::cli
