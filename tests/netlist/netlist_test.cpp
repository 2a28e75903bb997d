// What only the writer can see; the netlist's circuit is simulated for every design by
// simulation_ngspice.py.

#include "circuit/Circuit.h"
#include "netlist/NetlistSpice.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace quorvan::spice {
namespace {

const Conception Valeurs{2, TypeFiltre::PasseBas, 3, 1234.5, 4700, {0, 1.25e-8, 2.5e-9, 3.75e-10}};

// printf and strtod follow LC_NUMERIC; a netlist must read the same everywhere.
TEST(NetlistSpice, WritesPeriodsAndExactValuesUnderAFrenchLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "fr_FR.UTF-8"), nullptr) << "scripts/install-deps.sh";
    const std::string netlist = ecrireNetlist(Valeurs);
    std::setlocale(LC_ALL, "C");
    EXPECT_NE(netlist.find("\nC2 "), std::string::npos);
    EXPECT_NE(netlist.find(" 2.5e-09\n"), std::string::npos) << netlist;
    EXPECT_NE(netlist.find(".ac dec 200 12.345 123450\n"), std::string::npos) << netlist;
    EXPECT_EQ(netlist.find(',', netlist.find('\n')), std::string::npos)
        << "only the title has commas";
}

TEST(NetlistSpice, RejectsValuesNoCircuitCanHave) {
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double Inf = std::numeric_limits<double>::infinity();
    struct Cas {
        const char* nom;
        void (*alterer)(Conception&);
    };
    // clang-format off
    const Cas cas[] = {
        {"NaN common value",   [](Conception& v) { v.valeurCommune = NaN; }},
        {"zero common value",  [](Conception& v) { v.valeurCommune = 0.0; }},
        {"infinite component", [](Conception& v) { v.numerotes[2] = Inf; }},
        {"negative component", [](Conception& v) { v.numerotes[3] = -1e-9; }},
        {"missing component",  [](Conception& v) { v.numerotes[1] = 0.0; }},
        {"zero frequency",     [](Conception& v) { v.frequence = 0.0; }},
        {"infinite frequency", [](Conception& v) { v.frequence = Inf; }},
        {"family past the last", [](Conception& v) { v.famille = FamilleMax + 1; }},
        {"family -1",          [](Conception& v) { v.famille = -1; }},
    };
    // clang-format on
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Conception v = Valeurs;
        c.alterer(v);
        EXPECT_THROW(static_cast<void>(ecrireNetlist(v)), std::invalid_argument);
    }
}

// tests/cli/analyse_ngspice.py simulates the netlists with a one-pole op-amp.
TEST(NetlistSpice, TakesIdealOpAmpsUnlessGivenOneAndRejectsOneNoCircuitCanHave) {
    const circuit::Montage m = circuit::monter(Valeurs);
    EXPECT_EQ(ecrireNetlist(m), ecrireNetlist(Valeurs));
    EXPECT_NE(ecrireNetlist(m, analyse::AmpliOpReel{1e6}), ecrireNetlist(m));
    for (const analyse::AmpliOpReel a :
         {analyse::AmpliOpReel{0, 1e5}, analyse::AmpliOpReel{-1e6, 1e5},
          analyse::AmpliOpReel{std::numeric_limits<double>::infinity(), 1e5},
          analyse::AmpliOpReel{1e6, 0}, analyse::AmpliOpReel{1e6, std::nan("")}}) {
        SCOPED_TRACE(testing::Message() << a.gbw << " Hz, " << a.gainBoucleOuverte);
        EXPECT_THROW(static_cast<void>(ecrireNetlist(m, a)), std::invalid_argument);
    }
}

TEST(Circuit, ExistsForTheOrdersTheMenusOfferOnly) {
    for (const int ordre : {OrdreMin, OrdreMax}) {
        EXPECT_EQ(circuit::composerCircuit(TypeFiltre::PasseHaut, ordre).ordre, ordre);
    }
    for (const int ordre : {OrdreMin - 1, OrdreMax + 1}) {
        EXPECT_THROW(static_cast<void>(circuit::composerCircuit(TypeFiltre::PasseBas, ordre)),
                     std::out_of_range);
    }
}

} // namespace
} // namespace quorvan::spice
