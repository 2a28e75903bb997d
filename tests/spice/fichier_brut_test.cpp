// Reading ngspice's text raw file, and the response check on responses known in advance.

#include "FilterOracle.h"
#include "Ngspice.h"
#include "VerificationReponse.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvan::spice::test {
namespace {

// Laid out as ngspice 39 writes an AC sweep with SPICE_ASCIIRAWFILE set.
constexpr const char* Brut = "Title: * essai\n"
                             "Date: Thu Jan  1 00:00:00  2026\n"
                             "Plotname: AC Analysis\n"
                             "Flags: complex\n"
                             "No. Variables: 3\n"
                             "No. Points: 2     \n"
                             "Variables:\n"
                             "\t0\tfrequency\tfrequency\tgrid=3\n"
                             "\t1\tv(in)\tvoltage\n"
                             "\t2\tv(out)\tvoltage\n"
                             "Values:\n"
                             "0\t\t1.000000000000000e+01,-2.172087226011289e+212\n"
                             "\t1.000000000000000e+00,0.000000000000000e+00\n"
                             "\t-2.500000000000000e-01,1.250000000000000e-01\n"
                             "1\t\t1.000000000000000e+02,0.000000000000000e+00\n"
                             "\t1.000000000000000e+00,0.000000000000000e+00\n"
                             "\t5.000000000000000e-01,-7.500000000000000e-01\n";

void verifierPoints(const std::vector<PointAc>& points) {
    ASSERT_EQ(points.size(), 2U);
    EXPECT_EQ(points[0].frequence, 10.0);
    EXPECT_EQ(points[0].sortie, std::complex<double>(-0.25, 0.125));
    EXPECT_EQ(points[1].frequence, 100.0);
    EXPECT_EQ(points[1].sortie, std::complex<double>(0.5, -0.75));
}

TEST(RawFile, ReadsTheNamedVectorOfEachPoint) {
    verifierPoints(lireFichierBrut(Brut, "v(out)"));
    EXPECT_EQ(lireFichierBrut(Brut, "v(in)").at(1).sortie, std::complex<double>(1.0, 0.0));
}

// Under a French locale strtod stops at the period of "1.000000000000000e+01".
TEST(RawFile, ReadsTheSameUnderAFrenchLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "fr_FR.UTF-8"), nullptr)
        << "the fr_FR.UTF-8 locale is needed: scripts/install-deps.sh";
    std::vector<PointAc> points;
    EXPECT_NO_THROW(points = lireFichierBrut(Brut, "v(out)"));
    std::setlocale(LC_ALL, "C");
    verifierPoints(points);
}

TEST(RawFile, RefusesWhatItCannotRead) {
    const std::string brut = Brut;
    const auto remplacer = [&brut](const std::string& avant, const std::string& apres) {
        std::string r = brut;
        r.replace(r.find(avant), avant.size(), apres);
        return r;
    };
    const struct {
        const char* nom;
        std::string texte;
        const char* vecteur;
    } cas[] = {
        {"unknown vector", brut, "v(a1)"},
        {"binary values", remplacer("Values:", "Binary:"), "v(out)"},
        {"real sweep", remplacer("Flags: complex", "Flags: real"), "v(out)"},
        {"cut short", brut.substr(0, brut.size() - 30), "v(out)"},
        {"comma decimal", remplacer("5.000000000000000e-01", "5,000000000000000e-01"), "v(out)"},
        {"no values", brut.substr(0, brut.find("Values:")), "v(out)"},
        {"empty", "", "v(out)"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_THROW(static_cast<void>(lireFichierBrut(c.texte, c.vecteur)), std::runtime_error);
    }
}

// A sweep of the ideal response itself, from `frequence`/100 to 100·`frequence`, optionally
// computed for another cut-off.
std::vector<PointAc> balayageIdeal(int famille, int ordre, TypeFiltre type, double frequence,
                                   double coupureReelle, double gain) {
    const auto poles = oracle::prototypePoles(famille, ordre);
    std::vector<PointAc> points;
    for (int k = 0; k <= 400; ++k) {
        const double f = frequence / 100.0 * std::pow(10.0, k / 100.0);
        const double x = type == TypeFiltre::PasseBas ? f / coupureReelle : coupureReelle / f;
        points.push_back({f, gain * oracle::allPoleGain(poles, oracle::Complex(0.0, x))});
    }
    return points;
}

TEST(ResponseCheck, AcceptsTheIdealResponseAtAnyGainAndRejectsAShiftedOne) {
    for (int famille = oracle::Bessel; famille <= oracle::LastFamily; ++famille) {
        for (TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
            for (int ordre : {2, 5}) {
                SCOPED_TRACE(std::string(oracle::familyName(famille)) + " " +
                             std::string(libelleType(type)) + " " + std::to_string(ordre));
                const Verdict juste =
                    verifierReponse(balayageIdeal(famille, ordre, type, 1000.0, 1000.0, 0.5),
                                    famille, ordre, type, 1000.0);
                EXPECT_LT(juste.ecartMaxDb, 1e-9);
                EXPECT_TRUE(juste.conforme());
                // The same filter with its cut-off 2π away, on the side of the checked band.
                // (A steep high-pass response moved down stays within its ripple there, and
                // more than 20 dB down a decade below: the check cannot see that one.)
                const double decalee = type == TypeFiltre::PasseBas ? 1000.0 / (2.0 * oracle::Pi)
                                                                    : 1000.0 * (2.0 * oracle::Pi);
                EXPECT_FALSE(
                    verifierReponse(balayageIdeal(famille, ordre, type, 1000.0, decalee, 1.0),
                                    famille, ordre, type, 1000.0)
                        .conforme());
            }
        }
    }
}

TEST(ResponseCheck, NeedsTwoDecadesOnEachSide) {
    std::vector<PointAc> points =
        balayageIdeal(oracle::Butterworth, 3, TypeFiltre::PasseBas, 1000.0, 1000.0, 1.0);
    points.pop_back();
    EXPECT_THROW(static_cast<void>(
                     verifierReponse(points, oracle::Butterworth, 3, TypeFiltre::PasseBas, 1000.0)),
                 std::runtime_error);
}

} // namespace
} // namespace quorvan::spice::test
