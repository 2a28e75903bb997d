// The trials' measure against the analysis window's, the run's contract and its worst case
// against the nodal model; monte_carlo_numpy.py and analyse_ngspice.py check its figures and
// sensitivities against NumPy.

#include "Conceptions.h"
#include "analysis/GbwNecessaire.h"
#include "analysis/MesureBande.h"
#include "analysis/MonteCarlo.h"
#include "analysis/Reponse.h"
#include "analysis/ValeursNormalisees.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvan::analyse {
namespace {

constexpr int Chebyshev1 = 3;

circuit::Montage montage(int famille, int ordre, TypeFiltre type, bool e24 = false) {
    const Conception c = test::concevoir(famille, ordre, type, "1000");
    return circuit::monter(e24 ? normaliser(c, *serieNommee("E24")) : c);
}

// Every design with its computed and its standard values.
TEST(MesureBande, ReadsEveryDesignAsTheAnalysisWindowDoes) {
    test::pourChaqueConception([&](const Conception& calculee) {
        for (const Conception& c : {calculee, normaliser(calculee, *serieNommee("E24"))}) {
            SCOPED_TRACE(testing::Message()
                         << "family " << c.famille << " order " << c.ordre << " type "
                         << static_cast<int>(c.type) << " " << c.numerotes[1]);
            const circuit::Montage m = circuit::monter(c);
            const Caracteristiques attendu = analyser(m).caracteristiques;
            const Caracteristiques mesure = mesurer(m.circuit, m.valeurs, m.frequence);
            // caracteriser stops its search for a peak 1e-5 wide in log frequency, a few 1e-8 dB
            // below the top of the sharpest; the trials locate it to 1e-8.
            EXPECT_NEAR(mesure.coupure3dB / attendu.coupure3dB, 1, 1e-9);
            EXPECT_NEAR(mesure.ondulationDb, attendu.ondulationDb, 1e-7);
            EXPECT_NEAR(mesure.gainMaxDb, attendu.gainMaxDb, 1e-7);
            EXPECT_NEAR(mesure.gainDb, attendu.gainDb, 1e-9);
        }
    });
}

TEST(MonteCarlo, TheSameSettingsGiveTheSameNumbersWhateverTheThreads) {
    const circuit::Montage m = montage(Chebyshev1, 5, TypeFiltre::PasseBas);
    // Two lots of 256 trials and a part.
    ReglagesMonteCarlo r{.essais = 600, .tolerances = {Loi::Gauss, 1, 5}, .limites = {2.0, 1.0}};
    r.fils = 1;
    const ResultatMonteCarlo seul = *monteCarlo(m, r);
    r.fils = 3;
    const ResultatMonteCarlo trois = *monteCarlo(m, r);
    EXPECT_EQ(seul.coupures, trois.coupures);
    EXPECT_EQ(seul.ondulations, trois.ondulations);
    EXPECT_EQ(seul.bandeBasDb, trois.bandeBasDb);
    EXPECT_EQ(seul.bandeHautDb, trois.bandeHautDb);
    EXPECT_EQ(seul.rendementPct, trois.rendementPct);
    ++r.graine;
    EXPECT_NE(monteCarlo(m, r)->coupures, seul.coupures);
}

TEST(MonteCarlo, ReportsItsProgressAndStopsWhenAsked) {
    const circuit::Montage m = montage(Chebyshev1, 2, TypeFiltre::PasseHaut);
    ReglagesMonteCarlo r;
    std::vector<std::size_t> faits;
    ASSERT_TRUE(monteCarlo(m, r, {}, [&](std::size_t f, std::size_t total) {
        EXPECT_EQ(total, r.essais);
        faits.push_back(f);
    }));
    EXPECT_TRUE(std::is_sorted(faits.begin(), faits.end()));
    EXPECT_EQ(faits.back(), r.essais);
    std::stop_source arret;
    r.fils = 2;
    EXPECT_FALSE(monteCarlo(m, r, arret.get_token(), [&](auto...) { arret.request_stop(); }));
}

TEST(MonteCarlo, RefusesSettingsOutOfRange) {
    const circuit::Montage m = montage(Chebyshev1, 2, TypeFiltre::PasseBas);
    for (const ReglagesMonteCarlo& r :
         {ReglagesMonteCarlo{.essais = 0}, ReglagesMonteCarlo{.essais = EssaisMax + 1},
          ReglagesMonteCarlo{.tolerances = {Loi::Uniforme, -1, 5}},
          ReglagesMonteCarlo{.tolerances = {Loi::Gauss, 1, 100}},
          ReglagesMonteCarlo{.tolerances = {Loi::Gauss, 1, NAN}}}) {
        SCOPED_TRACE(testing::Message()
                     << r.essais << " trials, " << r.tolerances.condensateursPct);
        EXPECT_THROW(static_cast<void>(monteCarlo(m, r)), std::invalid_argument);
    }
}

// Every corner of the tolerance box: the worst case is the lowest and the highest −3 dB
// frequency of them all.
TEST(PireCas, IsTheWorstOfAllCornersOnALowOrderDesign) {
    const Tolerances tolerances{Loi::Gauss, 1.0, 5.0};
    for (const int famille : {0, Chebyshev1, 5}) {
        for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
            for (const int ordre : {2, 3}) {
                SCOPED_TRACE(testing::Message() << "family " << famille << " type "
                                                << static_cast<int>(type) << " order " << ordre);
                const circuit::Montage m = montage(famille, ordre, type);
                const PireCas pire = pireCas(m, sensibilites(m, tolerances), tolerances);
                double min = INFINITY;
                double max = -INFINITY;
                for (std::size_t coin = 0; coin < (std::size_t{1} << m.valeurs.size()); ++coin) {
                    circuit::Montage c = m;
                    for (std::size_t i = 0; i < m.valeurs.size(); ++i) {
                        const double t = tolerances.pourcent(m.element(i).nature) / 100;
                        c.valeurs[i] *= (coin >> i) & 1 ? 1 + t : 1 - t;
                    }
                    const double f = mesurer(c.circuit, c.valeurs, c.frequence).coupure3dB;
                    min = std::min(min, f);
                    max = std::max(max, f);
                }
                EXPECT_EQ(pire.coupureMin, min);
                EXPECT_EQ(pire.coupureMax, max);
            }
        }
    }
}

// analyse_ngspice.py checks the figure against a bisection in NumPy; here, when there is none.
TEST(GbwNecessaire, NoneWhenTheOpenLoopGainAloneMovesTheResponseTooFar) {
    const circuit::Montage m = montage(1, 4, TypeFiltre::PasseBas);
    EXPECT_TRUE(gbwNecessaire(m).has_value());
    // A stage of gain −1 is 20·log10(1 + 2/A0) dB short at DC: 0.8 dB for an A0 of 20.
    EXPECT_FALSE(gbwNecessaire(m, 20).has_value());
}

} // namespace
} // namespace quorvan::analyse
