// The netlist as a SPICE reader sees it: one line per drawn element with the design's exact
// values, the op-amps, the source and the sweep. Its response is checked by ngspice in
// simulation_test.cpp.

#include "Circuit.h"
#include "EditionNetlist.h"
#include "NetlistSpice.h"
#include "Recherche.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvan::spice {
namespace {

using test::LigneElement;
using test::lignesElements;

struct Conception {
    circuit::Circuit circuit;
    ValeursConception valeurs;
};

Conception concevoir(int famille, int ordre, TypeFiltre type, double frequence) {
    Module1 module;
    module.NumFiltre = static_cast<std::int16_t>(famille);
    module.NumOrdre = static_cast<std::int16_t>(ordre);
    Conception c{circuit::composerCircuit(type, ordre), {famille, frequence, 0.0, {}}};
    if (type == TypeFiltre::PasseBas) {
        const auto r = RecherchePasseBas(module, frequence);
        EXPECT_EQ(r.etat, EtatCalcul::Realisable);
        c.valeurs.valeurCommune = r.RChoix;
        c.valeurs.numerotes = module.TabC;
    } else {
        const auto r = RecherchePasseHaut(module, frequence);
        EXPECT_EQ(r.etat, EtatCalcul::Realisable);
        c.valeurs.valeurCommune = r.CChoix;
        c.valeurs.numerotes = module.TabR;
    }
    return c;
}

// The whole field must be a number in the C notation.
double nombre(const std::string& texte) {
    double valeur = std::numeric_limits<double>::quiet_NaN();
    const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
    EXPECT_TRUE(erreur == std::errc{} && fin == texte.data() + texte.size())
        << "\"" << texte << "\" is not a plain number";
    return valeur;
}

const LigneElement& ligne(const std::vector<LigneElement>& lignes, const std::string& nom) {
    const auto it = std::find_if(lignes.begin(), lignes.end(),
                                 [&](const LigneElement& l) { return l.nom() == nom; });
    if (it == lignes.end()) {
        throw std::out_of_range("no line " + nom);
    }
    return *it;
}

std::string enMinuscules(std::string texte) {
    std::transform(texte.begin(), texte.end(), texte.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return texte;
}

std::string noeudAttendu(const circuit::Circuit& c, const std::string& noeud) {
    return noeud == c.entree ? "in" : noeud == c.sortie ? "out" : noeud;
}

TEST(NetlistSpice, EveryDrawnElementIsOneLineWithItsLabelNodesAndExactValue) {
    for (TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
        for (int ordre = circuit::OrdreMin; ordre <= circuit::OrdreMax; ++ordre) {
            SCOPED_TRACE(std::string(libelleType(type)) + " ordre " + std::to_string(ordre));
            const Conception d = concevoir(3, ordre, type, 1234.5);
            const std::string netlist = ecrireNetlist(d.circuit, d.valeurs);
            const std::vector<LigneElement> lignes = lignesElements(netlist);

            // SPICE reads names without regard to case: no two may meet.
            std::set<std::string> noms;
            for (const LigneElement& l : lignes) {
                EXPECT_TRUE(noms.insert(enMinuscules(l.nom())).second) << l.nom();
            }

            const std::string lettreCommune = type == TypeFiltre::PasseBas ? "R" : "C";
            std::size_t dessines = 0;
            int communs = 0;
            for (const circuit::Bloc& bloc : d.circuit.blocs) {
                for (const circuit::Element& e : bloc.elements) {
                    ++dessines;
                    // The common ones numbered as they are drawn, the others by their label.
                    const std::string nom =
                        e.numero == 0 ? lettreCommune + std::to_string(++communs) : e.etiquette;
                    const LigneElement& l = ligne(lignes, nom);
                    ASSERT_EQ(l.champs.size(), 4U) << nom;
                    EXPECT_EQ(l.champs[1], noeudAttendu(d.circuit, e.noeudA)) << nom;
                    EXPECT_EQ(l.champs[2], noeudAttendu(d.circuit, e.noeudB)) << nom;
                    const double attendue =
                        e.numero == 0 ? d.valeurs.valeurCommune
                                      : d.valeurs.numerotes.at(static_cast<std::size_t>(e.numero));
                    EXPECT_EQ(nombre(l.champs[3]), attendue) << nom; // bit for bit
                }
            }
            for (int i = 1; i <= ordre; ++i) {
                EXPECT_NO_THROW(static_cast<void>(
                    ligne(lignes, (type == TypeFiltre::PasseBas ? "C" : "R") + std::to_string(i))));
            }
            // Besides the drawn elements: one source and one amplifier per block.
            EXPECT_EQ(lignes.size(), dessines + d.circuit.blocs.size() + 1);
        }
    }
}

TEST(NetlistSpice, OpAmpsAreHighGainSourcesDrivenByPlusMinusMinus) {
    for (TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
        const Conception d = concevoir(1, 7, type, 1000.0);
        const std::vector<LigneElement> lignes =
            lignesElements(ecrireNetlist(d.circuit, d.valeurs));
        for (std::size_t k = 0; k < d.circuit.blocs.size(); ++k) {
            const circuit::AmpliOp& a = d.circuit.blocs[k].ampli;
            const LigneElement& e = ligne(lignes, "E" + std::to_string(k + 1));
            // E out+ out- in+ in- gain
            ASSERT_EQ(e.champs.size(), 6U);
            EXPECT_EQ(e.champs[1], noeudAttendu(d.circuit, a.sortie));
            EXPECT_EQ(e.champs[2], "0");
            EXPECT_EQ(e.champs[3], noeudAttendu(d.circuit, a.plus));
            EXPECT_EQ(e.champs[4], noeudAttendu(d.circuit, a.moins));
            EXPECT_EQ(nombre(e.champs[5]), 1e6);
        }
        EXPECT_EQ(ligne(lignes, "E" + std::to_string(d.circuit.blocs.size())).champs[1], "out");
        const LigneElement& source = ligne(lignes, "V1");
        EXPECT_EQ(source.champs[1], "in");
        EXPECT_EQ(source.champs[2], "0");
        const auto ac = std::find(source.champs.begin(), source.champs.end(), "AC");
        ASSERT_NE(ac, source.champs.end());
        ASSERT_NE(ac + 1, source.champs.end());
        EXPECT_EQ(nombre(*(ac + 1)), 1.0);
    }
}

TEST(NetlistSpice, SweepsTwoDecadesEachSideOfTheTypedFrequency) {
    for (double frequence : {0.5, 1000.0, 1234.5, 2e6}) {
        SCOPED_TRACE(frequence);
        const Conception d = concevoir(0, 4, TypeFiltre::PasseHaut, frequence);
        const std::string netlist = ecrireNetlist(d.circuit, d.valeurs);
        EXPECT_EQ(netlist.front(), '*'); // the title line, a comment to any reader
        const auto debut = netlist.find("\n.ac dec ");
        ASSERT_NE(debut, std::string::npos);
        std::istringstream ac(netlist.substr(debut + 1, netlist.find('\n', debut + 1) - debut));
        std::string directive, echelle, points, depart, arrivee;
        ac >> directive >> echelle >> points >> depart >> arrivee;
        EXPECT_GT(nombre(points), 0.0);
        EXPECT_EQ(nombre(depart), frequence / 100.0);
        EXPECT_EQ(nombre(arrivee), frequence * 100.0);
        const auto fin = netlist.rfind(".end");
        ASSERT_NE(fin, std::string::npos);
        EXPECT_EQ(netlist.substr(fin), ".end\n");
    }
}

// printf and strtod follow LC_NUMERIC; the netlist must not.
TEST(NetlistSpice, WritesPeriodsUnderAFrenchLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "fr_FR.UTF-8"), nullptr)
        << "the fr_FR.UTF-8 locale is needed: scripts/install-deps.sh";
    const Conception d = concevoir(2, 5, TypeFiltre::PasseBas, 1234.5);
    const std::string netlist = ecrireNetlist(d.circuit, d.valeurs);
    std::setlocale(LC_ALL, "C");
    for (const LigneElement& l : lignesElements(netlist)) {
        for (const std::string& champ : l.champs) {
            EXPECT_EQ(champ.find(','), std::string::npos) << l.nom();
        }
    }
    EXPECT_EQ(nombre(test::valeurElement(netlist, "C1")), d.valeurs.numerotes[1]);
    EXPECT_NE(netlist.find("1234.5"), std::string::npos);
}

TEST(NetlistSpice, RejectsValuesNoCircuitCanHave) {
    const Conception bonne = concevoir(1, 3, TypeFiltre::PasseBas, 1000.0);
    ASSERT_NO_THROW(static_cast<void>(ecrireNetlist(bonne.circuit, bonne.valeurs)));
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double Infini = std::numeric_limits<double>::infinity();
    const struct {
        const char* nom;
        void (*alterer)(ValeursConception&);
    } cas[] = {
        {"NaN common value", [](ValeursConception& v) { v.valeurCommune = NaN; }},
        {"zero common value", [](ValeursConception& v) { v.valeurCommune = 0.0; }},
        {"infinite component", [](ValeursConception& v) { v.numerotes[2] = Infini; }},
        {"negative component", [](ValeursConception& v) { v.numerotes[3] = -1e-9; }},
        {"missing component", [](ValeursConception& v) { v.numerotes[1] = 0.0; }},
        {"zero frequency", [](ValeursConception& v) { v.frequence = 0.0; }},
        {"infinite frequency", [](ValeursConception& v) { v.frequence = Infini; }},
        {"family 6", [](ValeursConception& v) { v.famille = 6; }},
        {"family -1", [](ValeursConception& v) { v.famille = -1; }},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        ValeursConception v = bonne.valeurs;
        c.alterer(v);
        EXPECT_THROW(static_cast<void>(ecrireNetlist(bonne.circuit, v)), std::invalid_argument);
    }
}

} // namespace
} // namespace quorvan::spice
