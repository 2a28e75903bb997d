#include "EcritureNombres.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace quorvan {
namespace {

TEST(FormatEntierSigne, KeepsASignPlace) {
    EXPECT_EQ(formatEntierSigne(4), " 4");
    EXPECT_EQ(formatEntierSigne(10000), " 10000");
    EXPECT_EQ(formatEntierSigne(0), " 0");
    EXPECT_EQ(formatEntierSigne(-3), "-3");
}

struct CasDecimales {
    double valeur;
    const char* virgule; // with "," as separator; the "." version is derived
};

// Expected texts computed independently with exact decimal arithmetic (Python's decimal,
// ROUND_HALF_UP at three places) on the double's exact value.
TEST(FormatTroisDecimales, RoundsTheExactValueTiesAwayFromZero) {
    const CasDecimales cas[] = {
        {1000, "1000,"},
        {1234.5678, "1234,568"},
        {0.25, "0,25"},
        {99.9996, "100,"},
        {0.0625, "0,063"},   // an exact tie, away from zero
        {-1.0625, "-1,063"}, // and for negatives
        {1.0005, "1,"},      // just below the tie once stored as a double
        {2.0005, "2,001"},   // just above it
        {0.00025, "0,"},
        {-0.0001, "0,"},
        {0.5, "0,5"},
        {5e-324, "0,"},
        {4503599627370495.5, "4503599627370495,5"},
        {1e22, "10000000000000000000000,"},
        {123456789012345678.0, "123456789012345680,"},
        {1e300, "100000000000000005250476025520442024870446858110815915491585411551180245798890819"
                "578637137508044786404370444383288387817694252323536043057564479218478670698284838"
                "720092657580373783023379478809005936895323497079994508111903896764088007465274278"
                "0142494579258788820056842838115669472196386865459400540160,"},
    };
    for (const CasDecimales& c : cas) {
        SCOPED_TRACE(c.virgule);
        EXPECT_EQ(formatTroisDecimales(c.valeur, ","), c.virgule);
        std::string point = c.virgule;
        point[point.find(',')] = '.';
        EXPECT_EQ(formatTroisDecimales(c.valeur, "."), point);
    }
}

TEST(FormatTroisDecimales, WritesAnySeparator) {
    EXPECT_EQ(formatTroisDecimales(3.5, "\u066B"), "3\u066B5");
}

TEST(FormatOhmsArrondis, RoundsTiesToEven) {
    const struct {
        double ohms;
        const char* texte;
    } cas[] = {
        {1592.5, "1592"}, {1593.5, "1594"}, {1693.14, "1693"}, {558.74, "559"},
        {2.5, "2"},       {0.4, "0"},       {-0.4, "0"},       {1e20, "100000000000000000000"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.texte);
        EXPECT_EQ(formatOhmsArrondis(c.ohms), c.texte);
    }
}

TEST(FormatCapacite, ChoosesTheUnit) {
    const struct {
        double farads;
        const char* virgule;
        const char* point;
    } cas[] = {
        {22 * 1e-12, "22, pF", "22. pF"},
        {820 * 1e-12, "820, pF", "820. pF"},
        {4.7 * 1e-9, "4,7 nF", "4.7 nF"},
        {47 * 1e-9, "47, nF", "47. nF"},
        {220 * 1e-9, "0,22 \u00B5F", "0.22 \u00B5F"},
        {2.2 * 1e-6, "2,2 \u00B5F", "2.2 \u00B5F"},
        {15.9155e-9, "15,916 nF", "15.916 nF"},
        {999.9996e-12, "1000, pF", "1000. pF"}, // below 1000 pF, rounds up to it
        {150e-6, "150, \u00B5F", "150. \u00B5F"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.virgule);
        EXPECT_EQ(FormatCapacite(c.farads, ","), c.virgule);
        EXPECT_EQ(FormatCapacite(c.farads, "."), c.point);
    }
}

TEST(FormatCapacite, ThresholdsAreStrict) {
    // 1e-7 F is exactly 100000 pF once multiplied: shown in µF.
    ASSERT_EQ(1e-7 * 1e12, 100000);
    EXPECT_EQ(FormatCapacite(1e-7, ","), "0,1 \u00B5F");
    EXPECT_EQ(FormatCapacite(std::nextafter(1e-7, 0.0), ","), "100, nF");
    // The series' 100 nF (100 × 1e-9) lands just above it.
    EXPECT_EQ(FormatCapacite(100 * 1e-9, ","), "0,1 \u00B5F");

    // No double times 1e12 gives exactly 1000; the unit changes where the product reaches it.
    double c = 1e-9;
    while (c * 1e12 >= 1000) {
        c = std::nextafter(c, 0.0);
    }
    EXPECT_EQ(FormatCapacite(c, ","), "1000, pF");
    EXPECT_EQ(FormatCapacite(std::nextafter(c, 1.0), ","), "1, nF");
}

} // namespace
} // namespace quorvan
