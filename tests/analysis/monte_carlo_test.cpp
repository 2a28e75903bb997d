// The Monte Carlo run's contract (repeatable, shared between threads, stoppable), and its
// sensitivities and worst case against the nodal model. monte_carlo_numpy.py checks the
// figures against NumPy.

#include "Conceptions.h"
#include "analysis/MonteCarlo.h"
#include "analysis/Reseau.h"
#include "analysis/ValeursNormalisees.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace quorvan::analyse {
namespace {

constexpr int Chebyshev1 = 3;

circuit::Montage montage(int famille, int ordre, TypeFiltre type, bool e24 = false) {
    const Conception c = test::concevoir(famille, ordre, type, "1000");
    return circuit::monter(e24 ? normaliser(c, *serieNommee("E24")) : c);
}

ResultatMonteCarlo lancer(const circuit::Montage& m, const ReglagesMonteCarlo& r) {
    std::optional<ResultatMonteCarlo> resultat = monteCarlo(m, r);
    EXPECT_TRUE(resultat.has_value());
    return std::move(resultat).value_or(ResultatMonteCarlo{});
}

TEST(MonteCarlo, TheSameSettingsGiveTheSameNumbersWhateverTheThreads) {
    const circuit::Montage m = montage(Chebyshev1, 5, TypeFiltre::PasseBas);
    ReglagesMonteCarlo r;
    r.essais = 600; // lots of 256 trials: two whole and one part
    r.tolerances.loi = Loi::Gauss;
    r.limites.ecartCoupurePct = 2.0;
    r.fils = 1;
    const ResultatMonteCarlo seul = lancer(m, r);
    r.fils = 3;
    const ResultatMonteCarlo trois = lancer(m, r);
    EXPECT_EQ(seul.coupures, trois.coupures);
    EXPECT_EQ(seul.ondulations, trois.ondulations);
    EXPECT_EQ(seul.bandeBasDb, trois.bandeBasDb);
    EXPECT_EQ(seul.bandeHautDb, trois.bandeHautDb);
    EXPECT_EQ(seul.rendementPct, trois.rendementPct);
    EXPECT_EQ(seul.coupure3dB.p5, trois.coupure3dB.p5);
    ++r.graine;
    EXPECT_NE(lancer(m, r).coupures, seul.coupures);
}

TEST(MonteCarlo, ReportsItsProgressAndStopsWhenAsked) {
    const circuit::Montage m = montage(Chebyshev1, 2, TypeFiltre::PasseHaut);
    ReglagesMonteCarlo r;
    r.essais = 1000;
    std::vector<std::size_t> faits;
    ASSERT_TRUE(monteCarlo(m, r, {}, [&](std::size_t f, std::size_t total) {
        EXPECT_EQ(total, r.essais);
        faits.push_back(f);
    }));
    ASSERT_FALSE(faits.empty());
    EXPECT_TRUE(std::is_sorted(faits.begin(), faits.end()));
    EXPECT_EQ(faits.back(), r.essais);

    std::stop_source arret;
    r.fils = 2;
    EXPECT_FALSE(monteCarlo(m, r, arret.get_token(),
                            [&](std::size_t, std::size_t) { arret.request_stop(); }));
}

TEST(MonteCarlo, RefusesSettingsOutOfRange) {
    const circuit::Montage m = montage(Chebyshev1, 2, TypeFiltre::PasseBas);
    struct Cas {
        const char* nom;
        void (*alterer)(ReglagesMonteCarlo&);
    };
    // clang-format off
    const Cas cas[] = {
        {"no trial",           [](ReglagesMonteCarlo& r) { r.essais = 0; }},
        {"a trial too many",   [](ReglagesMonteCarlo& r) { r.essais = EssaisMax + 1; }},
        {"negative tolerance", [](ReglagesMonteCarlo& r) { r.tolerances.resistancesPct = -1; }},
        {"100 % tolerance",    [](ReglagesMonteCarlo& r) { r.tolerances.condensateursPct = 100; }},
        {"NaN tolerance",      [](ReglagesMonteCarlo& r) { r.tolerances.condensateursPct = NAN; }},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        ReglagesMonteCarlo r;
        r.essais = 10;
        c.alterer(r);
        EXPECT_THROW(static_cast<void>(monteCarlo(m, r)), std::invalid_argument);
    }
}

// Without tolerance every trial is the circuit itself: its figures and its curve by the nodal
// model, whatever measure or evaluation the trials use.
TEST(MonteCarlo, WithoutToleranceEveryTrialIsTheNominalCircuit) {
    for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
        SCOPED_TRACE(static_cast<int>(type));
        const circuit::Montage m = montage(Chebyshev1, 7, type, true);
        ReglagesMonteCarlo r;
        r.essais = 300;
        r.tolerances = {Loi::Uniforme, 0.0, 0.0};
        r.limites.ondulationMaxDb = 0.0;
        const ResultatMonteCarlo resultat = lancer(m, r);
        const Caracteristiques nodal = test::caracteriserNodal(m);
        EXPECT_NEAR(resultat.coupure3dB.min / nodal.coupure3dB, 1, 1e-9);
        EXPECT_EQ(resultat.coupure3dB.min, resultat.coupure3dB.max);
        EXPECT_NEAR(resultat.ondulationDb.p50, nodal.ondulationDb, 1e-8);
        EXPECT_EQ(resultat.rendementPct, 0.0) << "the ripple is over 0 dB";
        const std::vector<PointReponse> courbe = balayerAutour(Reseau(m), m.frequence);
        ASSERT_EQ(resultat.frequences.size(), courbe.size());
        for (std::size_t i = 0; i < courbe.size(); ++i) {
            EXPECT_NEAR(resultat.frequences[i] / courbe[i].frequence, 1, 1e-12);
            EXPECT_NEAR(resultat.bandeBasDb[i], courbe[i].gainDb, 1e-6);
            EXPECT_NEAR(resultat.bandeHautDb[i], courbe[i].gainDb, 1e-6);
        }
    }
}

// The central difference of the nodal model's −3 dB frequency and ripple for a 0.1 % change of
// each part, against the program's sensitivities; the shares add up and come in falling order.
TEST(Sensibilites, AgreeWithFiniteDifferencesOfTheNodalModel) {
    struct Cas {
        const char* nom;
        circuit::Montage m;
    };
    const Cas cas[] = {
        {"Chebyshev 1 dB low-pass order 4", montage(Chebyshev1, 4, TypeFiltre::PasseBas)},
        {"Chebyshev 0.5 dB high-pass order 5, E24", montage(2, 5, TypeFiltre::PasseHaut, true)},
        {"Bessel low-pass order 3", montage(0, 3, TypeFiltre::PasseBas)},
    };
    const Tolerances tolerances{Loi::Uniforme, 1.0, 5.0};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const std::vector<Sensibilite> s = sensibilites(c.m, tolerances);
        const std::vector<circuit::Piece> pieces = circuit::pieces(c.m.circuit);
        ASSERT_EQ(s.size(), pieces.size());
        const Caracteristiques nominal = test::caracteriserNodal(c.m);
        double parts = 0;
        for (std::size_t k = 0; k < s.size(); ++k) {
            SCOPED_TRACE(s[k].nom);
            EXPECT_EQ(s[k].nom, pieces[s[k].piece].nom);
            std::array<Caracteristiques, 2> autour;
            for (const int i : {0, 1}) {
                circuit::Montage m = c.m;
                m.valeurs[s[k].piece] *= i == 0 ? 0.999 : 1.001;
                autour[static_cast<std::size_t>(i)] = test::caracteriserNodal(m);
            }
            const double coupure =
                (autour[1].coupure3dB - autour[0].coupure3dB) / nominal.coupure3dB / 0.002;
            const double ondulation = (autour[1].ondulationDb - autour[0].ondulationDb) / 0.2;
            EXPECT_NEAR(s[k].coupurePctParPct, coupure, 1e-5);
            EXPECT_NEAR(s[k].ondulationDbParPct, nominal.ondulationDb > 0 ? ondulation : 0.0, 1e-5);
            parts += s[k].partVariancePct;
            if (k > 0) {
                EXPECT_GE(s[k - 1].partVariancePct, s[k].partVariancePct);
            }
        }
        EXPECT_NEAR(parts, 100, 1e-9);
    }
}

// Every corner of the tolerance box by the nodal model: the sensitivities' two corners are
// the lowest and the highest −3 dB frequencies of them all.
TEST(PireCas, IsTheWorstOfAllCornersOnALowOrderDesign) {
    for (const int famille : {0, Chebyshev1, 5}) {
        for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
            for (const int ordre : {2, 3}) {
                SCOPED_TRACE(testing::Message() << "family " << famille << " type "
                                                << static_cast<int>(type) << " order " << ordre);
                const circuit::Montage m = montage(famille, ordre, type);
                const Tolerances tolerances{Loi::Gauss, 1.0, 5.0};
                const PireCas pire = pireCas(m, sensibilites(m, tolerances), tolerances);
                double min = INFINITY;
                double max = -INFINITY;
                const std::size_t n = m.valeurs.size();
                for (std::size_t coin = 0; coin < (std::size_t{1} << n); ++coin) {
                    circuit::Montage c = m;
                    for (std::size_t i = 0; i < n; ++i) {
                        const double t = tolerances.pourcent(m.element(i).nature) / 100;
                        c.valeurs[i] *= (coin >> i) & 1 ? 1 + t : 1 - t;
                    }
                    const double f = test::caracteriserNodal(c).coupure3dB;
                    min = std::min(min, f);
                    max = std::max(max, f);
                }
                EXPECT_NEAR(pire.coupureMin / min, 1, 1e-9);
                EXPECT_NEAR(pire.coupureMax / max, 1, 1e-9);
            }
        }
    }
}

// Drawn within their tolerance, no trial lands outside the worst case.
TEST(MonteCarlo, UniformTrialsStayWithinTheWorstCase) {
    for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
        SCOPED_TRACE(static_cast<int>(type));
        const circuit::Montage m = montage(5, 4, type, true);
        ReglagesMonteCarlo r;
        r.essais = 2000;
        const ResultatMonteCarlo resultat = lancer(m, r);
        EXPECT_GE(resultat.coupure3dB.min, resultat.pireCas.coupureMin);
        EXPECT_LE(resultat.coupure3dB.max, resultat.pireCas.coupureMax);
    }
}

// Small tolerances keep the response linear in the parts: the trials' spread is then what the
// sensitivities predict with each law's σ, the bound over √3 for a uniform deviation, and
// 0.98658 × the bound / 3 for a normal one of σ = bound / 3 cut at 3σ.
TEST(MonteCarlo, TheSpreadOfSmallTolerancesIsWhatTheSensitivitiesAndTheLawPredict) {
    const circuit::Montage m = montage(Chebyshev1, 4, TypeFiltre::PasseHaut, true);
    for (const auto& [loi, sigma] :
         {std::pair{Loi::Uniforme, 1 / std::sqrt(3.0)}, std::pair{Loi::Gauss, 0.98658 / 3}}) {
        SCOPED_TRACE(static_cast<int>(loi));
        ReglagesMonteCarlo r;
        r.essais = 4000;
        r.tolerances = {loi, 0.05, 0.1};
        const ResultatMonteCarlo resultat = lancer(m, r);
        double variance = 0;
        for (const Sensibilite& s : resultat.sensibilites) {
            const double t = r.tolerances.pourcent(m.element(s.piece).nature) / 100;
            variance += std::pow(s.coupurePctParPct * t * sigma, 2);
        }
        const std::vector<double>& f = resultat.coupures;
        const double moyenne = std::accumulate(f.begin(), f.end(), 0.0) / double(f.size());
        double ecarts = 0;
        for (const double x : f) {
            ecarts += std::pow(x / moyenne - 1, 2);
        }
        // The sample variance of 4000 trials has a relative σ of √(2/n) ≈ 2.2 % for a
        // near-normal figure: 9 % is four of them.
        EXPECT_NEAR(ecarts / double(f.size() - 1) / variance, 1, 0.09);
    }
}

} // namespace
} // namespace quorvan::analyse
