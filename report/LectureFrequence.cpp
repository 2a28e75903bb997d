#include "LectureFrequence.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace quorvan {

namespace {

bool estBlanc(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool estChiffre(char c) {
    return c >= '0' && c <= '9';
}

int valeurChiffre(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') {
        v = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        v = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        v = c - 'A' + 10;
    }
    return v < base ? v : -1;
}

// "&H" and "&O" integers: up to 16 bits they are signed 16-bit values ("&HFFFF" is -1), up
// to 32 bits signed 32-bit values; anything longer keeps its full value.
double lireEntierBase(std::string_view chiffres, int base) {
    double valeur = 0.0;
    for (const char c : chiffres) {
        const int v = valeurChiffre(c, base);
        if (v < 0) {
            break;
        }
        valeur = valeur * base + v;
    }
    if (valeur <= 0xFFFF) {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(valeur));
    }
    if (valeur <= 0xFFFFFFFF) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(valeur));
    }
    return valeur;
}

// Decimal order of magnitude beyond which no double can hold the value, either way; it
// only needs to clear the range of doubles (about 1e-324 to 1e308) with a margin.
constexpr long OrdreHorsLimites = 400;

double lireDecimal(std::string_view t) {
    std::size_t p = 0;
    bool negatif = false;
    if (p < t.size() && (t[p] == '+' || t[p] == '-')) {
        negatif = t[p] == '-';
        ++p;
    }
    std::string mantisse; // significant digits, leading zeros dropped
    long exposant = 0;    // value = mantisse × 10^exposant
    for (; p < t.size() && estChiffre(t[p]); ++p) {
        if (!mantisse.empty() || t[p] != '0') {
            mantisse += t[p];
        }
    }
    if (p < t.size() && t[p] == '.') {
        ++p;
        for (; p < t.size() && estChiffre(t[p]); ++p) {
            if (!mantisse.empty() || t[p] != '0') {
                mantisse += t[p];
            }
            --exposant;
        }
    }
    if (mantisse.empty()) { // no digit, or only zeros
        return 0.0;
    }
    if (p < t.size() && (t[p] == 'e' || t[p] == 'E' || t[p] == 'd' || t[p] == 'D')) {
        std::size_t q = p + 1;
        bool exposantNegatif = false;
        if (q < t.size() && (t[q] == '+' || t[q] == '-')) {
            exposantNegatif = t[q] == '-';
            ++q;
        }
        // Past the number of mantissa digits plus the double range, a larger exponent
        // cannot change the outcome: saturate there, whatever the length of the text.
        const long plafond = static_cast<long>(t.size()) + OrdreHorsLimites;
        long ecrit = 0;
        bool chiffreExposant = false;
        for (; q < t.size() && estChiffre(t[q]); ++q) {
            chiffreExposant = true;
            if (ecrit <= plafond) {
                ecrit = ecrit * 10 + (t[q] - '0');
            }
        }
        if (chiffreExposant) {
            exposant += exposantNegatif ? -ecrit : ecrit;
        }
    }
    const double infini = std::numeric_limits<double>::infinity();
    const long ordre = exposant + static_cast<long>(mantisse.size()) - 1;
    double valeur = 0.0;
    if (ordre > OrdreHorsLimites) {
        valeur = infini;
    } else if (ordre >= -OrdreHorsLimites) {
        const std::string nombre = mantisse + "e" + std::to_string(exposant);
        const auto [fin, erreur] =
            std::from_chars(nombre.data(), nombre.data() + nombre.size(), valeur);
        static_cast<void>(fin);
        if (erreur == std::errc::result_out_of_range) {
            valeur = ordre > 0 ? infini : 0.0;
        }
    }
    return negatif ? -valeur : valeur;
}

} // namespace

double lireFrequence(std::string_view texte) {
    std::string t;
    t.reserve(texte.size());
    for (const char c : texte) {
        if (!estBlanc(c)) {
            t += c;
        }
    }
    if (t.size() >= 2 && t[0] == '&') {
        if (t[1] == 'H' || t[1] == 'h') {
            return lireEntierBase(std::string_view(t).substr(2), 16);
        }
        if (t[1] == 'O' || t[1] == 'o') {
            return lireEntierBase(std::string_view(t).substr(2), 8);
        }
    }
    return lireDecimal(t);
}

} // namespace quorvan
