#include "EcritureNombres.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace quorvan {

namespace {

// Enough for the exact decimal expansion of any finite double: 309 integer digits, the
// point and 1074 decimals.
constexpr int DecimalesExactes = 1074;
using TamponExact = std::array<char, 1400>;

// The exact decimal digits of |valeur|, as "<integer digits>.<decimals>".
std::string_view developpementExact(double valeur, TamponExact& tampon) {
    const auto resultat =
        std::to_chars(tampon.data(), tampon.data() + tampon.size(), std::fabs(valeur),
                      std::chars_format::fixed, DecimalesExactes);
    return {tampon.data(), static_cast<std::size_t>(resultat.ptr - tampon.data())};
}

// Adds one unit to the last digit of a string of decimal digits.
void incrementer(std::string& chiffres) {
    for (auto it = chiffres.rbegin(); it != chiffres.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    chiffres.insert(chiffres.begin(), '1');
}

} // namespace

std::string formatEntierSigne(std::int64_t valeur) {
    const std::string chiffres = std::to_string(valeur);
    return valeur < 0 ? chiffres : " " + chiffres;
}

std::string formatTroisDecimales(double valeur, std::string_view separateur) {
    TamponExact tampon;
    const std::string_view exact = developpementExact(valeur, tampon);
    if (!std::isfinite(valeur)) {
        return (std::signbit(valeur) ? "-" : "") + std::string(exact);
    }
    const std::size_t point = exact.find('.');
    const std::string_view entiers = exact.substr(0, point);
    const std::string_view decimales = exact.substr(point + 1);

    // Work on the digits of |valeur| × 1000, truncated; the fourth decimal decides.
    std::string milliemes(entiers);
    milliemes.append(decimales.substr(0, 3));
    if (decimales[3] >= '5') {
        incrementer(milliemes);
    }
    std::string partieEntiere = milliemes.substr(0, milliemes.size() - 3);
    std::string partieDecimale = milliemes.substr(milliemes.size() - 3);
    while (!partieDecimale.empty() && partieDecimale.back() == '0') {
        partieDecimale.pop_back();
    }
    const std::size_t premierSignificatif = partieEntiere.find_first_not_of('0');
    partieEntiere = premierSignificatif == std::string::npos
                        ? std::string("0")
                        : partieEntiere.substr(premierSignificatif);

    const bool nul = partieEntiere == "0" && partieDecimale.empty();
    std::string texte = (std::signbit(valeur) && !nul) ? "-" : "";
    texte += partieEntiere;
    texte += separateur;
    texte += partieDecimale;
    return texte;
}

std::string formatOhmsArrondis(double ohms) {
    // nearbyint rounds ties to even in the default rounding mode; + 0.0 turns -0 into 0.
    const double entier = std::nearbyint(ohms) + 0.0;
    TamponExact tampon;
    const auto resultat = std::to_chars(tampon.data(), tampon.data() + tampon.size(), entier,
                                        std::chars_format::fixed, 0);
    return {tampon.data(), resultat.ptr};
}

std::string FormatCapacite(double farads, std::string_view separateur) {
    const double picofarads = farads * 1e12;
    if (picofarads < 1000) {
        return formatTroisDecimales(picofarads, separateur) + " pF";
    }
    if (picofarads < 100000) {
        return formatTroisDecimales(picofarads / 1000, separateur) + " nF";
    }
    return formatTroisDecimales(picofarads / 1000000, separateur) + " \u00B5F";
}

std::string formatComposant(TypeFiltre type, double valeur, std::string_view separateur) {
    return type == TypeFiltre::PasseBas ? FormatCapacite(valeur, separateur)
                                        : formatOhmsArrondis(valeur) + " Ohms";
}

double valeurPiece(double valeur) {
    constexpr int ChiffresSignificatifs = 3;
    constexpr double Tolerance = 4 * std::numeric_limits<double>::epsilon();
    std::array<char, 32> texte{};
    const auto fin = std::to_chars(texte.data(), texte.data() + texte.size(), valeur,
                                   std::chars_format::scientific, ChiffresSignificatifs - 1)
                         .ptr;
    double decimal = 0.0;
    std::from_chars(texte.data(), fin, decimal);
    return std::fabs(valeur - decimal) <= Tolerance * std::fabs(decimal) ? decimal : valeur;
}

std::string texteValeurPiece(double valeur) {
    std::array<char, 32> texte{};
    const auto fin =
        std::to_chars(texte.data(), texte.data() + texte.size(), valeurPiece(valeur)).ptr;
    return {texte.data(), fin};
}

} // namespace quorvan
