// The Monte Carlo trials' measure of the pass band against the analysis window's, on every
// design with its computed and its standard values.

#include "Conceptions.h"
#include "analysis/MesureBande.h"
#include "analysis/Reponse.h"
#include "analysis/ValeursNormalisees.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvan::analyse {
namespace {

TEST(MesureBande, ReadsEveryDesignAsTheAnalysisWindowDoes) {
    test::pourChaqueConception([&](const Conception& calculee) {
        for (const Conception& c : {calculee, normaliser(calculee, *serieNommee("E24"))}) {
            SCOPED_TRACE(testing::Message()
                         << "family " << c.famille << " order " << c.ordre << " type "
                         << static_cast<int>(c.type) << " " << c.numerotes[1]);
            const circuit::Montage m = circuit::monter(c);
            const Caracteristiques attendu = test::caracteriserNodal(m);
            const Caracteristiques mesure = mesurer(m.circuit, m.valeurs, m.frequence);
            // caracteriser stops its search for a peak 1e-5 wide in log frequency, a few 1e-8 dB
            // below the top of the sharpest; the trials locate it to 1e-8.
            EXPECT_NEAR(mesure.coupure3dB / attendu.coupure3dB, 1, 1e-9);
            EXPECT_NEAR(mesure.ondulationDb, attendu.ondulationDb, 1e-7);
            EXPECT_NEAR(mesure.gainMaxDb, attendu.gainMaxDb, 1e-7);
        }
    });
}

} // namespace
} // namespace quorvan::analyse
