#include "report/EcritureSI.h"
#include "report/LectureSI.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>

namespace quorvan {
namespace {

// Expected texts worked out by hand from the decimal value: round to the digits asked for,
// then pick the prefix that leaves 1 to 999 before the separator. Each holds with "," and,
// swapped, with ".".
TEST(EcritureSI, PrefixesAfterRoundingWithEitherSeparator) {
    struct Cas {
        double valeur;
        const char* unite;
        int chiffres;
        std::string texte;
    };
    // clang-format off
    const Cas cas[] = {
        {12.1e3,      "\u03A9", 3, "12,1 k\u03A9"},
        {4.7e-9,      "F",      3, "4,7 nF"},
        {950,         "Hz",     3, "950 Hz"},
        {1380,        "Hz",     3, "1,38 kHz"},
        {2.5e6,       "Hz",     3, "2,5 MHz"},
        {0.5,         "Hz",     3, "0,5 Hz"},
        {0.05,        "Hz",     3, "0,05 Hz"},      // no "mHz"
        {0.00123456,  "Hz",     3, "0,00123 Hz"},
        {999.96,      "Hz",     3, "1 kHz"},        // rounds into the next prefix
        {999.96,      "Hz",     5, "999,96 Hz"},
        {999.4,       "Hz",     3, "999 Hz"},
        {999999.7,    "Hz",     6, "1 MHz"},
        {0.99996,     "Hz",     3, "1 Hz"},
        {1e-9,        "F",      3, "1 nF"},
        {0.9994e-6,   "F",      3, "999 nF"},
        {0.9996e-6,   "F",      3, "1 \u00B5F"},
        {1.7109e-7,   "F",      4, "171,1 nF"},
        {220e-6,      "F",      3, "220 \u00B5F"},
        {1394.3,      "\u03A9", 4, "1,394 k\u03A9"},
        {100e3,       "\u03A9", 3, "100 k\u03A9"},  // integer zeros stay
        {1e6,         "\u03A9", 3, "1 M\u03A9"},
        {10,          "\u03A9", 3, "10 \u03A9"},
        {3.3e-4,      "s",      3, "330 \u00B5s"},
        {-0.0025,     "s",      3, "-2,5 ms"},
        {0.5,         "s",      3, "500 ms"},       // only hertz skip "m"
        {4.2e9,       "Hz",     3, "4,2 GHz"},
        {0,           "Hz",     3, "0 Hz"},
        {-0.0,        "s",      3, "0 s"},
        {1e-16,       "F",      3, "0,0001 pF"},    // below the smallest prefix
        {5e15,        "\u03A9", 3, "5000 T\u03A9"}, // above the largest
        {123456,      "Hz",     1, "100 kHz"},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message() << c.valeur << " " << c.chiffres);
        EXPECT_EQ(ecrireSI(c.valeur, c.unite, ",", c.chiffres), c.texte);
        std::string point = c.texte;
        std::replace(point.begin(), point.end(), ',', '.');
        EXPECT_EQ(ecrireSI(c.valeur, c.unite, ".", c.chiffres), point);
        // What the window writes, a user may type back.
        for (const std::string& t : {c.texte, point}) {
            const std::optional<double> lu = lireSI(t, c.unite);
            ASSERT_TRUE(lu) << t;
            EXPECT_EQ(ecrireSI(*lu, c.unite, ",", c.chiffres), c.texte);
        }
    }
    EXPECT_EQ(ecrireSI(std::numeric_limits<double>::quiet_NaN(), "Hz", ",", 3), "");
    EXPECT_EQ(ecrireSI(-std::numeric_limits<double>::infinity(), "Hz", ",", 3), "");
    // The prefix an axis takes for its largest value, before any rounding.
    EXPECT_EQ(prefixeSI(999.96, "Hz").symbole, "");
    EXPECT_EQ(prefixeSI(2.5e-3, "s").exposant, -3);
    EXPECT_EQ(prefixeSI(0.05, "Hz").exposant, 0);
}

TEST(LectureSI, TypedFormsAndRefusals) {
    const std::pair<const char*, double> lus[] = {
        {"1e6", 1e6},      {"1 000 000", 1e6}, {"1MHZ", 1e6},   {"2,2 k", 2.2e3},
        {"+470n", 4.7e-7}, {"3 uHz", 3e-6},    {"1 mHz", 1e-3}, {".5", 0.5},
    };
    for (const auto& [texte, valeur] : lus) {
        EXPECT_DOUBLE_EQ(lireSI(texte, "Hz").value_or(-1), valeur) << texte;
    }
    for (const char* texte : {"", "abc", "1,2.3", "1 MHz 2", "1e", "1 kF", "1e400", "nan", "M"}) {
        EXPECT_FALSE(lireSI(texte, "Hz")) << texte;
    }
}

} // namespace
} // namespace quorvan
