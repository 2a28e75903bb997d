#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace quorvan::cli {

inline QString qtexte(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The names of a table's rows as a sentence says them: "E6, E12, E24, E48 ou E96".
template <typename Table, typename Nom>
std::string enumeration(const Table& lignes, Nom nom) {
    std::string noms;
    for (std::size_t i = 0; i < lignes.size(); ++i) {
        noms += i == 0 ? "" : i + 1 == lignes.size() ? " ou " : ", ";
        noms += nom(lignes[i]);
    }
    return noms;
}

} // namespace quorvan::cli
