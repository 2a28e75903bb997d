// The search rules and the limits of the stage computation. The component values themselves
// are checked by simulating every design (tests/netlist) and the table against filter theory
// (coefficients_theorie.py).

#include "engine/Coef.h"
#include "engine/Recherche.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <vector>

namespace quorvan {
namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr TypeFiltre Bas = TypeFiltre::PasseBas;
constexpr TypeFiltre Haut = TypeFiltre::PasseHaut;
constexpr EtatCalcul Ok = EtatCalcul::Realisable;
constexpr EtatCalcul TropBasse = EtatCalcul::FrequenceTropBasse;
constexpr EtatCalcul TropGrande = EtatCalcul::FrequenceTropGrande;

Module1 selection(int famille, int ordre) {
    Module1 m;
    m.NumFiltre = static_cast<std::int16_t>(famille);
    m.NumOrdre = static_cast<std::int16_t>(ordre);
    return m;
}

struct Issue {
    EtatCalcul etat;
    double commun; // ohms or farads, 0 without a design
    TableauComposants valeurs;
};

Issue rechercher(TypeFiltre type, int famille, int ordre, double f) {
    Module1 m = selection(famille, ordre);
    if (type == Bas) {
        const RecherchePasseBasResultat r = RecherchePasseBas(m, f);
        return {r.etat, static_cast<double>(r.RChoix), m.TabC};
    }
    const RecherchePasseHautResultat r = RecherchePasseHaut(m, f);
    return {r.etat, r.CChoix, m.TabR};
}

// Designs worked out by hand: each row takes one branch of a search.
TEST(Recherche, ChoosesTheCommonComponentOrSaysWhyNot) {
    struct Cas {
        TypeFiltre type;
        int famille, ordre;
        double frequence;
        EtatCalcul etat;
        double commun;
    };
    const double dn = std::numeric_limits<double>::denorm_min();
    const double max = std::numeric_limits<double>::max();
    // clang-format off
    const Cas cas[] = {
        {Bas,  1, 2, 1000,  Ok,         10000},   // 10 kΩ keeps C2 = 7.48 nF above 1 nF
        {Bas,  1, 2, 10000, Ok,         4700},    // 10 kΩ: C2 = 0.75 nF; 4.7 kΩ: 1.59 nF
        {Bas,  1, 2, 1e6,   Ok,         1000},    // 1 kΩ: C2 = 75 pF, still above 10 pF
        {Bas,  1, 2, 1e7,   TropGrande, 0},       // 1 kΩ: C2 = 7.5 pF
        {Bas,  1, 2, 0.1,   TropBasse,  0},       // 10 kΩ: C1 = 337 µF
        {Bas,  0, 7, 0.2,   Ok,         10000},   // 10 kΩ: C1 = 56.5 µF, C7 = 3.9 µF
        {Haut, 1, 2, 1000,  Ok,         100e-9},  // 100 nF: R1 = 751 Ω; 220 nF: R1 = 341 Ω
        {Haut, 1, 4, 1000,  Ok,         47e-9},   // 82 nF: R1 = 495 Ω
        {Haut, 1, 2, 50,    Ok,         2.2e-6},  // 4.7 µF: R1 = 319 Ω
        {Haut, 1, 2, 10,    Ok,         4.7e-6},  // the largest capacitor decides
        {Haut, 0, 2, 20,    Ok,         4.7e-6},
        {Haut, 1, 2, 0.05,  TropBasse,  0},       // 4.7 µF: R2 = 1.44 MΩ
        {Haut, 1, 2, 1e7,   TropGrande, 0},       // 22 pF: R1 = 341 Ω
        {Haut, 1, 2, -50,   TropGrande, 0},
        {Bas,  5, 7, dn,    TropBasse,  0},       // limits of the double range
        {Haut, 5, 3, -dn,   TropGrande, 0},
        {Bas,  5, 4, 1e-300, TropBasse, 0},
        {Haut, 5, 5, max,   TropGrande, 0},
        {Bas,  5, 6, Inf,   TropGrande, 0},
        {Haut, 5, 6, -Inf,  TropGrande, 0},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message() << (c.type == Bas ? "low-pass " : "high-pass ") << c.famille
                                        << "/" << c.ordre << " at " << c.frequence);
        const Issue issue = rechercher(c.type, c.famille, c.ordre, c.frequence);
        EXPECT_EQ(static_cast<int>(issue.etat), static_cast<int>(c.etat));
        if (c.etat == Ok) {
            EXPECT_NEAR(issue.commun, c.commun, c.commun * 1e-12);
        }
    }
}

// Every capacitor of the practical series gets chosen somewhere, and nothing else does; each
// design keeps the resistors of the capacitor it reports, all at 500 Ω or more.
TEST(RecherchePasseHaut, ChoosesTheLargestCapacitorOfTheSeriesThatFits) {
    // clang-format off
    const std::vector<double> serie = {
        22e-12, 47e-12, 82e-12, 100e-12, 220e-12, 470e-12, 820e-12,
        1e-9,   2.2e-9, 4.7e-9, 8.2e-9,  10e-9,   22e-9,   47e-9,  82e-9, 100e-9, 220e-9, 470e-9, 820e-9,
        1e-6,   2.2e-6, 4.7e-6,
    };
    // clang-format on
    std::set<double> choisis;
    for (int famille = 0; famille <= FamilleMax; ++famille) {
        for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
            for (int k = -120; k <= 320; ++k) { // 10 mHz to 100 MHz, 40 per decade
                const double f = std::pow(10.0, k / 40.0);
                SCOPED_TRACE(testing::Message() << famille << "/" << ordre << " at " << f);
                const Issue issue = rechercher(Haut, famille, ordre, f);
                if (issue.etat != Ok) {
                    continue;
                }
                choisis.insert(issue.commun);
                EXPECT_GE(
                    *std::min_element(issue.valeurs.begin() + 1, issue.valeurs.begin() + ordre + 1),
                    ResistanceMin);
            }
        }
    }
    ASSERT_EQ(choisis.size(), serie.size());
    auto attendu = serie.begin();
    for (const double c : choisis) {
        EXPECT_NEAR(c, *attendu, *attendu * 1e-12);
        ++attendu;
    }
}

// One stage computation: its flags in the order the engine declares them, and its array.
struct Calcul {
    std::vector<bool> drapeaux;
    TableauComposants valeurs;
};

Calcul calculer(TypeFiltre type, int famille, int ordre, double f, double commun) {
    Module1 m = selection(famille, ordre);
    if (type == Bas) {
        const DrapeauxPasseBas d = CalculPasseBas(m, f, static_cast<std::int32_t>(commun));
        return {{d.CTropGrand, d.CTropPetit, d.CTresPetit}, m.TabC};
    }
    const DrapeauxPasseHaut d = CalculPasseHaut(m, f, commun);
    return {{d.RTropGrand, d.RTropPetit}, m.TabR};
}

// Which flags one computation raises, and where it stops: the flags that stop it leave 0 in
// every later slot, the others do not stop it. Values worked out by hand.
TEST(CalculPasses, FlagsAndWhereTheComputationStops) {
    struct Cas {
        const char* nom;
        TypeFiltre type;
        int famille, ordre;
        double frequence, commun;
        std::vector<bool> drapeaux; // trop grand, trop petit[, très petit]
        int dernier;                // the last slot computed
    };
    const double dn = std::numeric_limits<double>::denorm_min();
    // clang-format off
    const Cas cas[] = {
        {"no flag",                 Bas,  1, 2, 1000, 10000,  {false, false, false}, 2},
        {"C2 below 10 pF stops",    Bas,  0, 4, 5e6,  1000,   {false, true,  true},  2},
        {"C below 1 nF goes on",    Bas,  0, 4, 1e5,  10000,  {false, true,  false}, 4},
        {"C above 200 uF goes on",  Bas,  0, 4, 0.01, 10000,  {true,  false, false}, 4},
        {"negative stops at C1",    Bas,  1, 4, -50,  10000,  {false, true,  true},  1},
        {"no flag",                 Haut, 1, 2, 1000, 10e-9,  {false, false},        2},
        {"R1 below 500 ohms stops", Haut, 1, 4, 1000, 82e-9,  {false, true},         1},
        {"R above 1 Mohm goes on",  Haut, 5, 6, 100,  1e-9,   {true,  false},        6},
        {"negative stops at R1",    Haut, 1, 4, -50,  22e-12, {false, true},         1},
        {"denormal: infinite",      Haut, 0, 2, dn,   22e-12, {true,  false},        2},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const Calcul r = calculer(c.type, c.famille, c.ordre, c.frequence, c.commun);
        EXPECT_EQ(r.drapeaux, c.drapeaux);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(r.valeurs[i] != 0.0, i >= 1 && i <= c.dernier) << "slot " << i;
        }
    }
}

// A value exactly on a limit raises no flag, the next double past it does. Walking doubles
// from an estimate, over the rows, finds a frequency that puts a row's extreme value (the one
// the limit concerns) exactly on the limit.
TEST(CalculPasses, ValuesOnALimitRaiseNoFlag) {
    struct Cas {
        const char* nom;
        TypeFiltre type;
        double commun, limite;
        bool haute; // an upper limit: the flag is raised above it
        int drapeau;
    };
    // clang-format off
    const Cas cas[] = {
        {"200 uF",  Bas,  10000, 200 * 1e-6, true,  0},
        {"1 nF",    Bas,  10000, 1e-9,       false, 1},
        {"10 pF",   Bas,  1000,  10 * 1e-12, false, 2},
        {"1 Mohm",  Haut, 10e-9, 1000000,    true,  0},
        {"500 ohm", Haut, 10e-9, 500,        false, 1},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        bool trouve = false;
        for (int famille = 0; famille <= FamilleMax && !trouve; ++famille) {
            for (int ordre = OrdreMin; ordre <= OrdreMax && !trouve; ++ordre) {
                // A low-pass capacitor grows with its coefficient, a high-pass resistor shrinks.
                const auto debut = Coef[famille][ordre].begin() + 1;
                const auto extreme = (c.type == Bas) == c.haute
                                         ? std::max_element(debut, debut + ordre)
                                         : std::min_element(debut, debut + ordre);
                const auto i = static_cast<std::size_t>(extreme - Coef[famille][ordre].begin());
                const auto calcul = [&](double f) {
                    return calculer(c.type, famille, ordre, f, c.commun);
                };
                double bas = c.type == Bas ? *extreme / (c.limite * DeuxPi * c.commun)
                                           : 1.0 / (*extreme * c.limite * DeuxPi * c.commun);
                double haut = bas;
                for (int pas = 0; pas < 4000 && !trouve; ++pas) {
                    for (double f : {bas, haut}) {
                        if (!trouve && calcul(f).valeurs[i] == c.limite) {
                            trouve = true;
                            EXPECT_FALSE(calcul(f).drapeaux[c.drapeau]) << "on the limit";
                            // Values fall as the frequency rises.
                            while (calcul(f).valeurs[i] == c.limite) {
                                f = std::nextafter(f, c.haute ? 0.0 : Inf);
                            }
                            EXPECT_TRUE(calcul(f).drapeaux[c.drapeau]) << "just past the limit";
                        }
                    }
                    bas = std::nextafter(bas, 0.0);
                    haut = std::nextafter(haut, Inf);
                }
            }
        }
        EXPECT_TRUE(trouve) << "no computation lands exactly on the limit";
    }
}

} // namespace
} // namespace quorvan
