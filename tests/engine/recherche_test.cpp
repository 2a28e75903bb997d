#include "../support/Selection.h"
#include "../support/Tolerance.h"
#include "Coef.h"
#include "Recherche.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace quorvan {
namespace {

using test::prochePourcent;

constexpr int Bessel = 0;
constexpr int Butterworth = 1;

using test::selection;

std::string nom(EtatCalcul e) {
    switch (e) {
    case EtatCalcul::Realisable:
        return "Realisable";
    case EtatCalcul::FrequenceTropBasse:
        return "FrequenceTropBasse";
    case EtatCalcul::FrequenceTropGrande:
        return "FrequenceTropGrande";
    }
    return "?";
}

// Designs worked out by hand from the relations C = k / (2π·f·R) and R = 1 / (k·2π·f·C);
// values to the precision they were computed to (0.05 %).
struct CasPasseBas {
    const char* nom;
    int famille;
    int ordre;
    double frequence;
    EtatCalcul etat;
    std::int32_t RChoix;
    std::vector<double> capacites;
};

TEST(RecherchePasseBas, Designs) {
    const CasPasseBas cas[] = {
        {"Butterworth 2, 1 kHz",
         Butterworth,
         2,
         1000,
         EtatCalcul::Realisable,
         10000,
         {33.74e-9, 7.480e-9}},
        {"Butterworth 2, 10 kHz", Butterworth, 2, 10000, EtatCalcul::Realisable, 4700, {}},
        {"Butterworth 2, 1 MHz", Butterworth, 2, 1e6, EtatCalcul::Realisable, 1000, {}},
        {"Butterworth 2, 10 MHz", Butterworth, 2, 1e7, EtatCalcul::FrequenceTropGrande, 0, {}},
        {"Butterworth 2, 0.1 Hz", Butterworth, 2, 0.1, EtatCalcul::FrequenceTropBasse, 0, {}},
        {"Bessel 2, 1 kHz",
         Bessel,
         2,
         1000,
         EtatCalcul::Realisable,
         10000,
         {15.9155e-9, 5.2521e-9}},
        {"Butterworth 4, 1 kHz", Butterworth, 4, 1000, EtatCalcul::Realisable, 10000, {62.389e-9}},
        {"Bessel 2, -50 Hz", Bessel, 2, -50, EtatCalcul::FrequenceTropGrande, 0, {}},
    };
    for (const CasPasseBas& c : cas) {
        SCOPED_TRACE(c.nom);
        Module1 m = selection(c.famille, c.ordre);
        const RecherchePasseBasResultat r = RecherchePasseBas(m, c.frequence);
        EXPECT_EQ(nom(r.etat), nom(c.etat));
        if (c.etat == EtatCalcul::Realisable) {
            EXPECT_EQ(r.RChoix, c.RChoix);
        }
        for (std::size_t i = 0; i < c.capacites.size(); ++i) {
            EXPECT_TRUE(prochePourcent(m.TabC[i + 1], c.capacites[i], 0.0005)) << "C" << i + 1;
        }
    }
}

struct CasPasseHaut {
    const char* nom;
    int famille;
    int ordre;
    double frequence;
    EtatCalcul etat;
    double CChoix;
    std::vector<double> resistances;
};

TEST(RecherchePasseHaut, Designs) {
    const CasPasseHaut cas[] = {
        {"Butterworth 2, 1 kHz",
         Butterworth,
         2,
         1000,
         EtatCalcul::Realisable,
         100 * 1e-9,
         {750.73, 3386.3}},
        {"Butterworth 2, 50 Hz",
         Butterworth,
         2,
         50,
         EtatCalcul::Realisable,
         2.2 * 1e-6,
         {682.48, 3078.4}},
        {"Butterworth 2, 10 Hz",
         Butterworth,
         2,
         10,
         EtatCalcul::Realisable,
         4.7 * 1e-6,
         {1597.3, 7204.8}},
        {"Butterworth 2, 0.05 Hz", Butterworth, 2, 0.05, EtatCalcul::FrequenceTropBasse, 0, {}},
        {"Butterworth 2, 10 MHz", Butterworth, 2, 1e7, EtatCalcul::FrequenceTropGrande, 0, {}},
        {"Butterworth 2, -50 Hz", Butterworth, 2, -50, EtatCalcul::FrequenceTropGrande, 0, {}},
        {"Butterworth 4, 1 kHz",
         Butterworth,
         4,
         1000,
         EtatCalcul::Realisable,
         47 * 1e-9,
         {864, 13545, 2090, 5551}},
        {"Bessel 2, 2 kHz", Bessel, 2, 2000, EtatCalcul::Realisable, 100 * 1e-9, {795.78, 2411.4}},
        {"Bessel 2, 10 Hz", Bessel, 2, 10, EtatCalcul::Realisable, 4.7 * 1e-6, {}},
        {"Bessel 2, 20 Hz", Bessel, 2, 20, EtatCalcul::Realisable, 4.7 * 1e-6, {1693.1, 5130.8}},
        {"Bessel 2, 30 Hz", Bessel, 2, 30, EtatCalcul::Realisable, 4.7 * 1e-6, {}},
    };
    for (const CasPasseHaut& c : cas) {
        SCOPED_TRACE(c.nom);
        Module1 m = selection(c.famille, c.ordre);
        const RecherchePasseHautResultat r = RecherchePasseHaut(m, c.frequence);
        EXPECT_EQ(nom(r.etat), nom(c.etat));
        if (c.etat == EtatCalcul::Realisable) {
            EXPECT_EQ(r.CChoix, c.CChoix);
        }
        for (std::size_t i = 0; i < c.resistances.size(); ++i) {
            EXPECT_TRUE(prochePourcent(m.TabR[i + 1], c.resistances[i], 0.0005)) << "R" << i + 1;
        }
    }
}

TEST(SerieC, RisesStrictlyFrom22pFTo4u7F) {
    EXPECT_EQ(SerieC.front(), 22 * 1e-12);
    EXPECT_EQ(SerieC.back(), 4.7 * 1e-6);
    for (std::size_t j = 1; j < SerieC.size(); ++j) {
        EXPECT_LT(SerieC[j - 1], SerieC[j]) << "slot " << j;
    }
}

// Frequencies over the whole range, several per decade.
std::vector<double> balayage() {
    std::vector<double> f;
    for (double decade = 1e-2; decade < 1e8; decade *= 10) {
        for (const double k : {1.0, 1.5, 2.2, 3.3, 4.7, 6.8}) {
            f.push_back(k * decade);
        }
    }
    return f;
}

// Every realisable high-pass design keeps its resistors at 500 Ω or more, and the next
// larger capacitor of the series would drive one below (so the chosen one is the largest).
TEST(RecherchePasseHaut, ChoosesTheLargestCapacitorKeepingResistorsAbove500Ohms) {
    for (int famille = 0; famille <= FamilleMax; ++famille) {
        for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
            for (const double f : balayage()) {
                SCOPED_TRACE(testing::Message() << famille << "/" << ordre << " at " << f);
                Module1 m = selection(famille, ordre);
                const RecherchePasseHautResultat r = RecherchePasseHaut(m, f);
                if (r.etat != EtatCalcul::Realisable) {
                    continue;
                }
                for (int i = 1; i <= ordre; ++i) {
                    const double attendu =
                        1.0 / (Coef[famille][ordre][i] * 2 * std::numbers::pi * f * r.CChoix);
                    EXPECT_TRUE(prochePourcent(m.TabR[i], attendu, 5e-6)) << "R" << i;
                    EXPECT_GE(m.TabR[i], 500.0) << "R" << i;
                }
                std::size_t j = 0;
                while (SerieC[j] != r.CChoix) {
                    ++j;
                }
                if (j + 1 < SerieC.size()) {
                    Module1 suivant = selection(famille, ordre);
                    EXPECT_TRUE(CalculPasseHaut(suivant, f, SerieC[j + 1]).RTropPetit);
                }
            }
        }
    }
}

// Every realisable low-pass design keeps its capacitors between 10 pF and 200 µF, and uses
// 10 kΩ whenever 10 kΩ keeps them all at 1 nF or more.
TEST(RecherchePasseBas, ChoosesTheFirstResistorThatFits) {
    for (int famille = 0; famille <= FamilleMax; ++famille) {
        for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
            for (const double f : balayage()) {
                SCOPED_TRACE(testing::Message() << famille << "/" << ordre << " at " << f);
                Module1 m = selection(famille, ordre);
                const RecherchePasseBasResultat r = RecherchePasseBas(m, f);
                double plusPetite10k = 1e300;
                for (int i = 1; i <= ordre; ++i) {
                    plusPetite10k = std::min(plusPetite10k, Coef[famille][ordre][i] /
                                                                (2 * std::numbers::pi * f * 10000));
                }
                if (r.etat != EtatCalcul::Realisable) {
                    continue;
                }
                if (plusPetite10k > 1.001e-9) {
                    EXPECT_EQ(r.RChoix, 10000);
                }
                for (int i = 1; i <= ordre; ++i) {
                    const double attendu =
                        Coef[famille][ordre][i] / (2 * std::numbers::pi * f * r.RChoix);
                    EXPECT_TRUE(prochePourcent(m.TabC[i], attendu, 5e-6)) << "C" << i;
                    EXPECT_GE(m.TabC[i], 10e-12);
                    EXPECT_LE(m.TabC[i], 200e-6 * (r.RChoix == 10000 ? 1 : 10000.0 / r.RChoix));
                }
            }
        }
    }
}

// Whatever the frequency the window can pass, every search ends in an outcome.
TEST(Recherches, ExtremeFrequenciesEndInAnOutcome) {
    const double inf = std::numeric_limits<double>::infinity();
    const double denorm = std::numeric_limits<double>::denorm_min();
    struct Cas {
        double frequence;
        EtatCalcul passeBas;
        EtatCalcul passeHaut;
    };
    const Cas cas[] = {
        {denorm, EtatCalcul::FrequenceTropBasse, EtatCalcul::FrequenceTropBasse},
        {-denorm, EtatCalcul::FrequenceTropGrande, EtatCalcul::FrequenceTropGrande},
        {1e-300, EtatCalcul::FrequenceTropBasse, EtatCalcul::FrequenceTropBasse},
        {1e300, EtatCalcul::FrequenceTropGrande, EtatCalcul::FrequenceTropGrande},
        {std::numeric_limits<double>::max(), EtatCalcul::FrequenceTropGrande,
         EtatCalcul::FrequenceTropGrande},
        {inf, EtatCalcul::FrequenceTropGrande, EtatCalcul::FrequenceTropGrande},
        {-inf, EtatCalcul::FrequenceTropGrande, EtatCalcul::FrequenceTropGrande},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.frequence);
        for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
            Module1 m = selection(5, ordre);
            EXPECT_EQ(nom(RecherchePasseBas(m, c.frequence).etat), nom(c.passeBas));
            EXPECT_EQ(nom(RecherchePasseHaut(m, c.frequence).etat), nom(c.passeHaut));
        }
    }
}

TEST(Recherches, LeaveTheOtherArrayAlone) {
    Module1 m = selection(Butterworth, 5);
    static_cast<void>(RecherchePasseBas(m, 1000));
    const TableauComposants tabC = m.TabC;
    static_cast<void>(RecherchePasseHaut(m, 1000));
    EXPECT_EQ(m.TabC, tabC);
    const TableauComposants tabR = m.TabR;
    static_cast<void>(RecherchePasseBas(m, 77));
    EXPECT_EQ(m.TabR, tabR);
}

} // namespace
} // namespace quorvan
