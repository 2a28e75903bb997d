#include "LectureFrequence.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace quorvan {
namespace {

struct Cas {
    const char* texte;
    double valeur;
};

TEST(LireFrequence, ReadsTheLeadingNumber) {
    const double inf = std::numeric_limits<double>::infinity();
    const Cas cas[] = {
        {"", 0},
        {"abc", 0},
        {"0", 0},
        {"0.000", 0},
        {"  0 ", 0},
        {"1000", 1000},
        {"1,5", 1},
        {"1 000 Hz", 1000},
        {"\t1\n2", 12},
        {"1\r2", 1},
        {"1e3", 1000},
        {"1E3", 1000},
        {"1d3", 1000},
        {"1D-3", 0.001},
        {"1e+3", 1000},
        {".5", 0.5},
        {"-.5", -0.5},
        {"+7", 7},
        {"-50", -50},
        {"1.", 1},
        {"1.5.3", 1.5},
        {"1e", 1},
        {"1e+", 1},
        {"1ex", 1},
        {"2e3e4", 2000},
        {"-", 0},
        {".", 0},
        {"e5", 0},
        {"12abc", 12},
        {"0.1", 0.1},
        {"000123.4500", 123.45},
        {"3.14159265358979323846264338327950288", 3.141592653589793},
        {"1e400", inf},
        {"-1e400", -inf},
        {"1e99999999999999999999", inf},
        {"1e-400", 0},
        {"1e-99999999999999999999", 0},
        {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
        {"2.2250738585072014e-308", std::numeric_limits<double>::min()},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"1.8e308", inf},
        {"0e999999", 0},
        {"\xC2\xB5"
         "5",
         0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.texte);
        EXPECT_EQ(lireFrequence(c.texte), c.valeur);
    }
}

TEST(LireFrequence, ReadsHexadecimalAndOctalIntegers) {
    const Cas cas[] = {
        {"&H10", 16},
        {"&h1f", 31},
        {" & H 1F", 31},
        {"&H7FFF", 32767},
        {"&H8000", -32768},
        {"&HFFFF", -1},
        {"&H10000", 65536},
        {"&H7FFFFFFF", 2147483647},
        {"&H80000000", -2147483648.0},
        {"&HFFFFFFFF", -1},
        {"&H100000000", 4294967296.0},
        {"&H123456789", 4886718345.0},
        {"&H", 0},
        {"&HG1", 0},
        {"&H1G", 1},
        {"&O17", 15},
        {"&o777", 511},
        {"&O177777", -1},
        {"&O200000", 65536},
        {"&O37777777777", -1},
        {"&O40000000000", 4294967296.0},
        {"&O8", 0},
        {"&X10", 0},
        {"&", 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.texte);
        EXPECT_EQ(lireFrequence(c.texte), c.valeur);
    }
}

TEST(LireFrequence, VeryLongHexadecimalReadsAsInfinity) {
    EXPECT_EQ(lireFrequence("&H" + std::string(300, 'F')), std::numeric_limits<double>::infinity());
}

TEST(LireFrequence, IgnoresTheCLocale) {
    // A Qt application runs under the user's locale, where strtod would stop at the period.
    const char* francais = nullptr;
    for (const char* nom : {"fr_FR.UTF-8", "fr_FR.utf8", "fr_FR", "de_DE.UTF-8"}) {
        if (std::setlocale(LC_ALL, nom) != nullptr) {
            francais = nom;
            break;
        }
    }
    if (francais == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    EXPECT_EQ(lireFrequence("1.5"), 1.5);
    EXPECT_EQ(lireFrequence("1,5"), 1);
    std::setlocale(LC_ALL, "C");
}

} // namespace
} // namespace quorvan
