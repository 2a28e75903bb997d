#include "report/EcritureSI.h"
#include "ui/analyse/Graduations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

namespace quorvan::graduations {
namespace {

// At every zoom, from four decades down to a few hertz in a megahertz: at least two labels,
// no more than fit, all inside the axis, rising, and each written differently.
TEST(Graduations, EveryZoomHasDistinctLabelsInside) {
    for (double largeur = 4; largeur > 1e-6; largeur /= 1.7) {
        for (const double centre : {0.37, 1000.0, 2.2e6}) {
            const double debut = centre * std::pow(10.0, -largeur / 2);
            const double fin = centre * std::pow(10.0, largeur / 2);
            SCOPED_TRACE(testing::Message() << debut << " " << fin);
            const Frequences f = frequences(debut, fin);
            EXPECT_GE(f.reperes.size(), 2U);
            EXPECT_LE(f.reperes.size(), 9U);
            std::set<std::string> textes;
            for (std::size_t i = 0; i < f.reperes.size(); ++i) {
                EXPECT_TRUE(f.reperes[i] >= debut * (1 - 1e-9) && f.reperes[i] <= fin * (1 + 1e-9));
                EXPECT_TRUE(i == 0 || f.reperes[i] > f.reperes[i - 1]);
                textes.insert(ecrireSI(f.reperes[i], "Hz", ",", f.chiffres));
            }
            EXPECT_EQ(textes.size(), f.reperes.size());
        }
    }
}

} // namespace
} // namespace quorvan::graduations
