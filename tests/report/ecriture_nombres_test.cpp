#include "report/EcritureNombres.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace quorvan {
namespace {

std::string decimales(double v, std::string_view sep) {
    return formatTroisDecimales(v, sep);
}
std::string capacite(double v, std::string_view sep) {
    return FormatCapacite(v, sep);
}
std::string ohms(double v, std::string_view) {
    return formatOhmsArrondis(v);
}
std::string entier(double v, std::string_view) {
    return formatEntierSigne(static_cast<std::int64_t>(v));
}

// Expected texts from exact decimal arithmetic (Python's decimal, ROUND_HALF_UP at three
// places) on each double's exact value; each holds with "," and, swapped, with ".".
TEST(EcritureNombres, WritesEachNumberAsTheReportShowsIt) {
    // No double times 1e12 gives exactly 1000: find where the product reaches it.
    double sous1nF = 1e-9;
    while (sous1nF * 1e12 >= 1000) {
        sous1nF = std::nextafter(sous1nF, 0.0);
    }
    struct Cas {
        std::string (*ecrire)(double, std::string_view);
        double valeur;
        std::string texte;
    };
    // clang-format off
    const Cas cas[] = {
        {decimales, 1000, "1000,"},
        {decimales, 1234.5678, "1234,568"},
        {decimales, 0.25, "0,25"},
        {decimales, 99.9996, "100,"},
        {decimales, 0.0625, "0,063"},                // an exact tie, away from zero
        {decimales, -1.0625, "-1,063"},              // also below zero
        {decimales, 1.0005, "1,"},                   // just below the tie once stored
        {decimales, 2.0005, "2,001"},                // just above it
        {decimales, -0.0001, "0,"},                  // no sign on a zero
        {decimales, 5e-324, "0,"},
        {decimales, 4503599627370495.5, "4503599627370495,5"},
        {decimales, 1e300, "1000000000000000052504760255204420248704468581108159154915854115511802457988908195786371375080447864043704443832883878176942523235360430575644792184786706982848387200926575803737830233794788090059368953234970799945081119038967640880074652742780142494579258788820056842838115669472196386865459400540160,"},
        {entier, 4, " 4"},
        {entier, 0, " 0"},
        {entier, -3, "-3"},
        {ohms, 1592.5, "1592"},                      // ties to even
        {ohms, 1593.5, "1594"},
        {ohms, 558.74, "559"},
        {ohms, -0.4, "0"},
        {ohms, 1e20, "100000000000000000000"},
        {capacite, 22 * 1e-12, "22, pF"},
        {capacite, 999.9996e-12, "1000, pF"},        // below 1000 pF, rounds up to it
        {capacite, sous1nF, "1000, pF"},
        {capacite, std::nextafter(sous1nF, 1.0), "1, nF"},
        {capacite, 15.9155e-9, "15,916 nF"},
        {capacite, std::nextafter(1e-7, 0.0), "100, nF"},
        {capacite, 1e-7, "0,1 \u00B5F"},             // exactly 100000 pF once multiplied
        {capacite, 2.2 * 1e-6, "2,2 \u00B5F"},
        {capacite, 150e-6, "150, \u00B5F"},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.texte);
        EXPECT_EQ(c.ecrire(c.valeur, ","), c.texte);
        std::string point = c.texte;
        std::replace(point.begin(), point.end(), ',', '.');
        EXPECT_EQ(c.ecrire(c.valeur, "."), point);
    }
    EXPECT_EQ(formatTroisDecimales(3.5, "\u066B"), "3\u066B5");
}

// Every three-digit decimal (every standard series, E192 included) over the decades parts use,
// formed as code forms it with two or three roundings, is the decimal's own double; a value
// further off, or next to a fourth digit, is a computed one and stays as it is.
TEST(EcritureNombres, AStandardPartIsItsDecimal) {
    constexpr double Eps = std::numeric_limits<double>::epsilon();
    const auto lire = [](int m, int e) {
        return std::strtod((std::to_string(m) + "e" + std::to_string(e)).c_str(), nullptr);
    };
    for (int e = -15; e <= 7; ++e) {
        for (int m = 100; m <= 999; ++m) {
            const double d = lire(m, e);
            for (const double v : {m * std::pow(10.0, e), m / 100.0 * std::pow(10.0, e + 2),
                                   d * (1 + 3 * Eps), d * (1 - 3 * Eps)}) {
                ASSERT_EQ(valeurPiece(v), d) << m << "e" << e << " formed as " << v;
            }
            for (const double v :
                 {d * (1 + 8 * Eps), d * (1 - 8 * Eps), lire(10 * m + 1, e - 1) * (1 + 2 * Eps)}) {
                ASSERT_EQ(valeurPiece(v), v) << m << "e" << e << " next to " << v;
            }
        }
    }
    EXPECT_EQ(texteValeurPiece(47 * 1e-9), "4.7e-08");
    EXPECT_EQ(texteValeurPiece(1234.5678), "1234.5678");
}

} // namespace
} // namespace quorvan
