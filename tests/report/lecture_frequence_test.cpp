#include "report/LectureFrequence.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

namespace quorvan {
namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();

// Values beyond the double range, written with a mantissa longer than any exponent.
const std::string Zeros(110000, '0');

TEST(LireFrequence, ReadsTheLeadingNumber) {
    struct Cas {
        std::string texte;
        double valeur;
    };
    // clang-format off
    const Cas cas[] = {
        {"", 0}, {"abc", 0}, {"-", 0}, {".", 0}, {"e5", 0}, {"\xC2\xB5" "5", 0},
        {"0.000", 0},
        {"1000", 1000},
        {"1,5", 1},                     // the period is the only decimal separator
        {"1 000 Hz", 1000},             // blanks go wherever they stand
        {"\t1\n2", 12},
        {"1\r2", 1},                    // a carriage return is no blank
        {"1E3", 1000}, {"1d3", 1000}, {"1D-3", 0.001}, {"1e+3", 1000},
        {".5", 0.5}, {"-.5", -0.5}, {"+7", 7}, {"-50", -50},
        {"1.", 1}, {"1.5.3", 1.5}, {"1e", 1}, {"1e+", 1}, {"1ex", 1}, {"2e3e4", 2000},
        {"12abc", 12},
        {"000123.4500", 123.45},
        {"3.14159265358979323846264338327950288", 3.141592653589793},
        {"1e400", Inf}, {"-1e400", -Inf}, {"1e99999999999999999999", Inf},
        {"1e-400", 0}, {"1e-99999999999999999999", 0}, {"0e999999", 0},
        {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
        {"2.2250738585072014e-308", std::numeric_limits<double>::min()},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"1.8e308", Inf},
        {"0." + Zeros + "1e110005", 10000},  // 1e-110001 × 1e110005
        {"0." + Zeros + "1e1100050", Inf},
        {"1" + Zeros + "e-1100050", 0},
        {"1" + Zeros + "e-110006", 1e-6},
        {"&H10", 16}, {"&h1f", 31}, {" & H 1F", 31}, {"&Ha", 10}, {"&HA", 10},
        {"&H7FFF", 32767}, {"&H8000", -32768}, {"&HFFFF", -1}, {"&H10000", 65536},
        {"&H7FFFFFFF", 2147483647}, {"&H80000000", -2147483648.0}, {"&HFFFFFFFF", -1},
        {"&H100000000", 4294967296.0}, {"&H123456789", 4886718345.0},
        {"&H" + std::string(300, 'F'), Inf},
        {"&H", 0}, {"&HG1", 0}, {"&H1G", 1}, {"&X10", 0}, {"&", 0},
        {"&O17", 15}, {"&o777", 511}, {"&O177777", -1}, {"&O200000", 65536},
        {"&O37777777777", -1}, {"&O40000000000", 4294967296.0}, {"&O8", 0},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.texte.size() > 40
                         ? c.texte.substr(0, 20) + "..." + c.texte.substr(c.texte.size() - 12)
                         : c.texte);
        EXPECT_EQ(lireFrequence(c.texte), c.valeur);
    }
}

TEST(LireFrequence, IgnoresTheCLocale) {
    // A Qt application runs under the user's locale, where strtod would stop at the period.
    ASSERT_NE(std::setlocale(LC_ALL, "fr_FR.UTF-8"), nullptr) << "scripts/install-deps.sh";
    EXPECT_EQ(lireFrequence("1.5"), 1.5);
    EXPECT_EQ(lireFrequence("1,5"), 1);
    std::setlocale(LC_ALL, "C");
}

} // namespace
} // namespace quorvan
