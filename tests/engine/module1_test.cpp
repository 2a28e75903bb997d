#include "../support/Selection.h"
#include "../support/Tolerance.h"
#include "Coef.h"
#include "Module1.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorvan {
namespace {

using test::prochePourcent;

using test::selection;

constexpr int Bessel = 0;
constexpr int Butterworth = 1;

TEST(CalculPasseBas, ButterworthOrder2At1kHzWith10k) {
    Module1 m = selection(Butterworth, 2);
    const DrapeauxPasseBas d = CalculPasseBas(m, 1000, 10000);
    // s = 1 / (1000 × 6.283178 × 10000), to the last digit.
    EXPECT_EQ(m.TabC[1], 2.12 * 1.5915512818513178e-8);
    EXPECT_TRUE(prochePourcent(m.TabC[1], 33.74e-9, 0.0005));
    EXPECT_TRUE(prochePourcent(m.TabC[2], 7.48e-9, 0.001));
    EXPECT_FALSE(d.CTropGrand || d.CTropPetit || d.CTresPetit);
    for (int i = 3; i < 8; ++i) {
        EXPECT_EQ(m.TabC[i], 0.0);
    }
}

TEST(CalculPasseHaut, UsesTheReciprocalOfTheCoefficient) {
    // Exchanging R and C turns a normalised capacitor c into a resistor 1/c.
    Module1 m = selection(Butterworth, 2);
    const DrapeauxPasseHaut d = CalculPasseHaut(m, 1000, 10 * 1e-9);
    EXPECT_TRUE(prochePourcent(m.TabR[1], 7507, 0.0001));
    EXPECT_TRUE(prochePourcent(m.TabR[2], 33863, 0.0001));
    EXPECT_FALSE(d.RTropGrand || d.RTropPetit);
}

// A computation that puts the extreme component of a row (its largest or smallest value)
// exactly on a limit: the rows and the neighbouring frequencies are searched for one.
struct SurLaLimite {
    int famille = 0;
    int ordre = 0;
    int composant = 0;
    double frequence = 0.0;
};

// `calcul(module, f)` runs one computation and returns the array it fills; `estimation(k)`
// is the frequency at which the component of coefficient k lands near the limit.
template <typename Calcul, typename Estimation>
SurLaLimite chercherSurLaLimite(double limite, bool extremeHaut, Calcul calcul,
                                Estimation estimation) {
    for (int famille = 0; famille <= FamilleMax; ++famille) {
        for (int ordre = 1; ordre <= OrdreMax; ++ordre) {
            int extreme = 1;
            for (int i = 2; i <= ordre; ++i) {
                if (extremeHaut == (calcul(selection(famille, ordre), 1.0)[i] >
                                    calcul(selection(famille, ordre), 1.0)[extreme])) {
                    extreme = i;
                }
            }
            const double depart = estimation(Coef[famille][ordre][extreme]);
            double bas = depart;
            double haut = depart;
            for (int pas = 0; pas < 4000; ++pas) {
                for (const double f : {bas, haut}) {
                    if (calcul(selection(famille, ordre), f)[extreme] == limite) {
                        return {famille, ordre, extreme, f};
                    }
                }
                bas = std::nextafter(bas, 0.0);
                haut = std::nextafter(haut, 1e300);
            }
        }
    }
    return {};
}

// The first frequency past `f`, going `vers`, at which the component leaves the limit.
template <typename Calcul>
double auDelaDeLaLimite(const SurLaLimite& s, double limite, double vers, Calcul calcul) {
    double f = s.frequence;
    while (calcul(selection(s.famille, s.ordre), f)[s.composant] == limite) {
        f = std::nextafter(f, vers);
    }
    return f;
}

TEST(CalculPasseBas, ValuesEqualToALimitRaiseNoFlag) {
    // The limits are the factor times the power of ten, which is not the nearest double to
    // the decimal value: the designs at the limits depend on it.
    EXPECT_NE(CapaciteMax, 200e-6);
    EXPECT_EQ(CapaciteMax, 200 * 1e-6);
    EXPECT_EQ(CapacitePlancher, 10 * 1e-12);

    struct Cas {
        const char* nom;
        std::int32_t r;
        double limite;
        bool DrapeauxPasseBas::*drapeau;
        bool auDessus; // the flag is raised above the limit, otherwise below it
    };
    const Cas cas[] = {
        {"200 uF", 10000, 200 * 1e-6, &DrapeauxPasseBas::CTropGrand, true},
        {"1 nF", 10000, 1e-9, &DrapeauxPasseBas::CTropPetit, false},
        {"10 pF", 1000, 10 * 1e-12, &DrapeauxPasseBas::CTresPetit, false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const auto calcul = [&c](Module1 m, double f) {
            static_cast<void>(CalculPasseBas(m, f, c.r));
            return m.TabC;
        };
        const auto estimation = [&c](double k) { return k / (c.limite * DeuxPi * c.r); };
        const SurLaLimite s = chercherSurLaLimite(c.limite, c.auDessus, calcul, estimation);
        ASSERT_NE(s.ordre, 0) << "no computation lands exactly on the limit";
        Module1 m = selection(s.famille, s.ordre);
        EXPECT_FALSE(CalculPasseBas(m, s.frequence, c.r).*c.drapeau);
        // Just past the limit raises it (a lower frequency gives larger capacitors).
        const double f = auDelaDeLaLimite(s, c.limite, c.auDessus ? 0.0 : 1e300, calcul);
        EXPECT_TRUE(CalculPasseBas(m, f, c.r).*c.drapeau);
    }
}

TEST(CalculPasseHaut, ValuesEqualToALimitRaiseNoFlag) {
    struct Cas {
        const char* nom;
        double limite;
        bool DrapeauxPasseHaut::*drapeau;
        bool auDessus;
    };
    const Cas cas[] = {
        {"1 Mohm", 1000000, &DrapeauxPasseHaut::RTropGrand, true},
        {"500 ohm", 500, &DrapeauxPasseHaut::RTropPetit, false},
    };
    const double capacite = 10 * 1e-9;
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const auto calcul = [capacite](Module1 m, double f) {
            static_cast<void>(CalculPasseHaut(m, f, capacite));
            return m.TabR;
        };
        const auto estimation = [&c, capacite](double k) {
            return 1.0 / (k * c.limite * DeuxPi * capacite);
        };
        const SurLaLimite s = chercherSurLaLimite(c.limite, c.auDessus, calcul, estimation);
        ASSERT_NE(s.ordre, 0) << "no computation lands exactly on the limit";
        Module1 m = selection(s.famille, s.ordre);
        EXPECT_FALSE(CalculPasseHaut(m, s.frequence, capacite).*c.drapeau);
        // A higher frequency gives smaller resistors.
        const double f = auDelaDeLaLimite(s, c.limite, c.auDessus ? 0.0 : 1e300, calcul);
        EXPECT_TRUE(CalculPasseHaut(m, f, capacite).*c.drapeau);
    }
}

TEST(CalculPasseHaut, StopsAtTheFirstResistorBelow500Ohms) {
    // Butterworth order 4, 1 kHz, 82 nF: R1 ≈ 495 Ω already.
    Module1 m = selection(Butterworth, 4);
    const DrapeauxPasseHaut d = CalculPasseHaut(m, 1000, 82 * 1e-9);
    EXPECT_TRUE(d.RTropPetit);
    EXPECT_TRUE(prochePourcent(m.TabR[1], 495, 0.002));
    for (int i = 2; i < 8; ++i) {
        EXPECT_EQ(m.TabR[i], 0.0) << "component " << i;
    }
}

TEST(CalculPasseHaut, LargeResistorsDoNotStopTheComputation) {
    // Chebyshev ±3 dB order 6: R2 = s / 0.0267 goes above 1 MΩ, the others are computed.
    Module1 m = selection(5, 6);
    const DrapeauxPasseHaut d = CalculPasseHaut(m, 100, 1e-9);
    EXPECT_TRUE(d.RTropGrand);
    EXPECT_FALSE(d.RTropPetit);
    EXPECT_GT(m.TabR[2], 1e6);
    EXPECT_GT(m.TabR[6], 0.0);
}

TEST(CalculPasseBas, NegativeFrequencyStopsAfterTheFirstComponent) {
    Module1 m = selection(Butterworth, 4);
    const DrapeauxPasseBas d = CalculPasseBas(m, -50, 10000);
    EXPECT_TRUE(d.CTropPetit);
    EXPECT_TRUE(d.CTresPetit);
    EXPECT_FALSE(d.CTropGrand);
    EXPECT_LT(m.TabC[1], 0.0);
    EXPECT_EQ(m.TabC[2], 0.0);

    const DrapeauxPasseHaut h = CalculPasseHaut(m, -50, 22 * 1e-12);
    EXPECT_TRUE(h.RTropPetit);
    EXPECT_LT(m.TabR[1], 0.0);
    EXPECT_EQ(m.TabR[2], 0.0);
}

TEST(Module1, EachComputationLeavesTheOtherArrayAlone) {
    Module1 m = selection(Butterworth, 3);
    static_cast<void>(CalculPasseBas(m, 1000, 10000));
    const TableauComposants tabC = m.TabC;
    static_cast<void>(CalculPasseHaut(m, 1000, 10 * 1e-9));
    const TableauComposants tabR = m.TabR;
    EXPECT_EQ(m.TabC, tabC);
    static_cast<void>(CalculPasseBas(m, 20, 4700));
    EXPECT_EQ(m.TabR, tabR);
}

TEST(Module1, RepeatedComputationsAreBitIdentical) {
    for (int famille = 0; famille <= FamilleMax; ++famille) {
        for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
            Module1 a = selection(famille, ordre);
            Module1 b = selection(famille, ordre);
            const DrapeauxPasseBas da = CalculPasseBas(a, 1234.5, 4700);
            const DrapeauxPasseBas db = CalculPasseBas(b, 1234.5, 4700);
            const DrapeauxPasseHaut ha = CalculPasseHaut(a, 1234.5, 47 * 1e-9);
            const DrapeauxPasseHaut hb = CalculPasseHaut(b, 1234.5, 47 * 1e-9);
            EXPECT_EQ(a.TabC, b.TabC);
            EXPECT_EQ(a.TabR, b.TabR);
            EXPECT_EQ(da.CTropGrand, db.CTropGrand);
            EXPECT_EQ(da.CTropPetit, db.CTropPetit);
            EXPECT_EQ(ha.RTropGrand, hb.RTropGrand);
            EXPECT_EQ(ha.RTropPetit, hb.RTropPetit);
        }
    }
}

TEST(CalculPasseHaut, DenormalFrequencyGivesInfiniteResistorsNotATrap) {
    // (f × 2π) × C underflows to 0 here: the scale is taken as infinite.
    Module1 m = selection(Bessel, 2);
    const double f = std::numeric_limits<double>::denorm_min();
    const DrapeauxPasseHaut d = CalculPasseHaut(m, f, 22 * 1e-12);
    EXPECT_TRUE(std::isinf(m.TabR[1]));
    EXPECT_TRUE(d.RTropGrand);
    EXPECT_FALSE(d.RTropPetit);
    const DrapeauxPasseHaut n = CalculPasseHaut(m, -f, 22 * 1e-12);
    EXPECT_TRUE(n.RTropPetit);
}

} // namespace
} // namespace quorvan
