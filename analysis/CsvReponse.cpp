#include "CsvReponse.h"

#include <array>
#include <charconv>
#include <stdexcept>

namespace quorvan::analyse {

namespace {

// Ten significant digits, the shortest way ("1000", "0.0001575637327", "1.5e-05"), with
// `decimal` for the period.
std::string nombre(double valeur, std::string_view decimal) {
    std::array<char, 32> texte{};
    const auto fin = std::to_chars(texte.data(), texte.data() + texte.size(), valeur,
                                   std::chars_format::general, 10)
                         .ptr;
    std::string s;
    for (const char* c = texte.data(); c != fin; ++c) {
        s += *c == '.' ? std::string(decimal) : std::string(1, *c);
    }
    return s;
}

} // namespace

std::string reponseCsv(std::span<const CourbeCsv> courbes, std::string_view decimal) {
    for (const CourbeCsv& c : courbes) {
        if (c.points.size() != courbes.front().points.size()) {
            throw std::invalid_argument("des courbes de longueurs diff\u00E9rentes");
        }
    }
    std::string csv = "frequence_hz";
    for (const CourbeCsv& c : courbes) {
        for (const std::string_view colonne : {"gain_db", "phase_deg", "retard_s"}) {
            csv += ';' + std::string(colonne) + std::string(c.suffixe);
        }
    }
    csv += '\n';
    for (std::size_t i = 0; !courbes.empty() && i < courbes.front().points.size(); ++i) {
        csv += nombre(courbes.front().points[i].frequence, decimal);
        for (const CourbeCsv& c : courbes) {
            const PointReponse& p = c.points[i];
            for (const double v : {p.gainDb, p.phaseDeg, p.retard}) {
                csv += ';' + nombre(v, decimal);
            }
        }
        csv += '\n';
    }
    return csv;
}

std::string ligneConceptionCsv(const Conception& conception, std::string_view decimal) {
    return std::string(famille(conception.famille).libelle) + ';' +
           std::string(libelleType(conception.type)) + ";ordre " +
           std::to_string(conception.ordre) + ";coupure " + nombre(conception.frequence, decimal) +
           " Hz\n";
}

} // namespace quorvan::analyse
