#include "report/EcritureNombres.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace quorvan {
namespace {

// The period variant of each text is derived by swapping the separator.
std::string avecPoint(std::string texte) {
    const auto virgule = texte.find(',');
    if (virgule != std::string::npos) {
        texte[virgule] = '.';
    }
    return texte;
}

// Expected texts from exact decimal arithmetic (Python's decimal, ROUND_HALF_UP at three
// places) on each double's exact value.
TEST(FormatTroisDecimales, RoundsTheExactValueTiesAwayFromZero) {
    struct Cas {
        double valeur;
        const char* texte;
    };
    // clang-format off
    const Cas cas[] = {
        {1000, "1000,"},
        {1234.5678, "1234,568"},
        {0.25, "0,25"},
        {99.9996, "100,"},
        {0.0625, "0,063"},      // an exact tie, away from zero
        {-1.0625, "-1,063"},    // also below zero
        {1.0005, "1,"},         // just below the tie once stored as a double
        {2.0005, "2,001"},      // just above it
        {-0.0001, "0,"},        // no sign on a zero
        {5e-324, "0,"},
        {4503599627370495.5, "4503599627370495,5"},
        {123456789012345678.0, "123456789012345680,"},
        {1e300, "100000000000000005250476025520442024870446858110815915491585411551180245798890819"
                "578637137508044786404370444383288387817694252323536043057564479218478670698284838"
                "720092657580373783023379478809005936895323497079994508111903896764088007465274278"
                "0142494579258788820056842838115669472196386865459400540160,"},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.texte);
        EXPECT_EQ(formatTroisDecimales(c.valeur, ","), c.texte);
        EXPECT_EQ(formatTroisDecimales(c.valeur, "."), avecPoint(c.texte));
    }
    EXPECT_EQ(formatTroisDecimales(3.5, "\u066B"), "3\u066B5");
}

TEST(FormatEntiers, SignedWithASignPlaceAndOhmsRoundedTiesToEven) {
    EXPECT_EQ(formatEntierSigne(4), " 4");
    EXPECT_EQ(formatEntierSigne(0), " 0");
    EXPECT_EQ(formatEntierSigne(-3), "-3");
    struct Cas {
        double ohms;
        const char* texte;
    };
    // clang-format off
    const Cas cas[] = {
        {1592.5, "1592"}, {1593.5, "1594"}, {1693.14, "1693"}, {558.74, "559"},
        {0.4, "0"}, {-0.4, "0"}, {1e20, "100000000000000000000"},
    };
    // clang-format on
    for (const Cas& c : cas) {
        EXPECT_EQ(formatOhmsArrondis(c.ohms), c.texte);
    }
}

TEST(FormatCapacite, ChoosesTheUnit) {
    struct Cas {
        double farads;
        const char* texte;
    };
    // No double times 1e12 gives exactly 1000: find where the product reaches it.
    double sous1nF = 1e-9;
    while (sous1nF * 1e12 >= 1000) {
        sous1nF = std::nextafter(sous1nF, 0.0);
    }
    // clang-format off
    const Cas cas[] = {
        {22 * 1e-12, "22, pF"},
        {820 * 1e-12, "820, pF"},
        {999.9996e-12, "1000, pF"},       // below 1000 pF, rounds up to it
        {sous1nF, "1000, pF"},
        {std::nextafter(sous1nF, 1.0), "1, nF"},
        {4.7 * 1e-9, "4,7 nF"},
        {15.9155e-9, "15,916 nF"},
        {std::nextafter(1e-7, 0.0), "100, nF"},
        {1e-7, "0,1 \u00B5F"},            // exactly 100000 pF once multiplied
        {100 * 1e-9, "0,1 \u00B5F"},
        {2.2 * 1e-6, "2,2 \u00B5F"},
        {150e-6, "150, \u00B5F"},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.texte);
        EXPECT_EQ(FormatCapacite(c.farads, ","), c.texte);
        EXPECT_EQ(FormatCapacite(c.farads, "."), avecPoint(c.texte));
    }
}

} // namespace
} // namespace quorvan
