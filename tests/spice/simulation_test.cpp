// Every design quorvan-cli reports, exported as a netlist and simulated by ngspice, must give
// its family's response at the typed frequency; and the check must see a netlist that a
// slip of the pen has changed.

#include "EditionNetlist.h"
#include "FilterOracle.h"
#include "Ngspice.h"
#include "Recherche.h"
#include "VerificationReponse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

namespace quorvan::spice::test {
namespace {

constexpr std::array<const char*, 6> NomsFiltre = {
    "bessel", "butterworth", "chebyshev-0.5", "chebyshev-1", "chebyshev-2", "chebyshev-3",
};

struct Cas {
    int famille = 0;
    int ordre = 0;
    TypeFiltre type = TypeFiltre::PasseBas;
    std::string texteFrequence;
    double frequence = 0.0;
};

std::string nomDuCas(const Cas& c) {
    return std::string(NomsFiltre.at(static_cast<std::size_t>(c.famille))) + " ordre " +
           std::to_string(c.ordre) + " " + std::string(libelleType(c.type)) + " " +
           c.texteFrequence + " Hz";
}

bool realisable(int famille, int ordre, TypeFiltre type, double frequence) {
    Module1 module;
    module.NumFiltre = static_cast<std::int16_t>(famille);
    module.NumOrdre = static_cast<std::int16_t>(ordre);
    return type == TypeFiltre::PasseBas
               ? RecherchePasseBas(module, frequence).etat == EtatCalcul::Realisable
               : RecherchePasseHaut(module, frequence).etat == EtatCalcul::Realisable;
}

// The frequencies a user might type, 1, 2 and 5 times each power of ten from 10 mHz to
// 100 MHz; of those where the selection is realisable, the lowest, the highest and the one
// closest to their geometric middle.
std::vector<Cas> casDeLaSelection(int famille, int ordre, TypeFiltre type) {
    std::vector<Cas> possibles;
    for (int puissance = -2; puissance <= 8; ++puissance) {
        for (int chiffre : {1, 2, 5}) {
            const double f = chiffre * std::pow(10.0, puissance);
            std::array<char, 32> texte{};
            const auto fin = std::to_chars(texte.data(), texte.data() + texte.size(), f,
                                           std::chars_format::fixed)
                                 .ptr;
            if (realisable(famille, ordre, type, f)) {
                possibles.push_back({famille, ordre, type, std::string(texte.data(), fin), f});
            }
        }
    }
    if (possibles.empty()) {
        return {};
    }
    const double milieu = std::sqrt(possibles.front().frequence * possibles.back().frequence);
    const auto central =
        std::min_element(possibles.begin(), possibles.end(), [&](auto& a, auto& b) {
            return std::abs(std::log(a.frequence / milieu)) <
                   std::abs(std::log(b.frequence / milieu));
        });
    return {possibles.front(), *central, possibles.back()};
}

// Exports the design of `c` through quorvan-cli into `fichier`.
void exporter(const Cas& c, const std::string& fichier, const std::string& rapport) {
    const int code =
        lancer({QUORVAN_CLI, "--filtre", NomsFiltre.at(static_cast<std::size_t>(c.famille)),
                "--ordre", std::to_string(c.ordre), "--type",
                c.type == TypeFiltre::PasseBas ? "passe-bas" : "passe-haut", "--spice", fichier,
                "--", c.texteFrequence},
               {"LC_ALL=C"}, rapport);
    if (code != 0) {
        throw std::runtime_error("quorvan-cli exited with " + std::to_string(code) + ":\n" +
                                 lireFichier(rapport));
    }
}

struct Resultat {
    Verdict verdict;
    std::string erreur; // set when the case could not be checked at all
};

Resultat verifierNetlist(const Cas& c, const std::string& fichier) {
    Resultat r;
    try {
        r.verdict = verifierReponse(simuler(fichier), c.famille, c.ordre, c.type, c.frequence);
    } catch (const std::exception& e) {
        r.erreur = e.what();
    }
    return r;
}

Resultat exporterEtVerifier(const Cas& c) {
    const DossierTemporaire dossier;
    const std::string fichier = dossier.fichier("filtre.cir");
    try {
        exporter(c, fichier, dossier.fichier("rapport.txt"));
    } catch (const std::exception& e) {
        return {{}, e.what()};
    }
    return verifierNetlist(c, fichier);
}

// Runs `f` on every case, on as many threads as there are cores (at least two: each case
// mostly waits for its child processes).
template <typename F>
auto enParallele(const std::vector<Cas>& cas, F f) {
    std::vector<std::invoke_result_t<F, const Cas&>> resultats(cas.size());
    std::atomic<std::size_t> suivant{0};
    const unsigned fils = std::clamp(std::thread::hardware_concurrency(), 2U, 8U);
    std::vector<std::thread> travailleurs;
    for (unsigned t = 0; t < fils; ++t) {
        travailleurs.emplace_back([&] {
            for (std::size_t i = suivant++; i < cas.size(); i = suivant++) {
                resultats[i] = f(cas[i]);
            }
        });
    }
    for (std::thread& t : travailleurs) {
        t.join();
    }
    return resultats;
}

std::vector<Cas> tousLesCas(int famille) {
    std::vector<Cas> cas;
    for (TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
        for (int ordre = oracle::MinOrder; ordre <= oracle::MaxOrder; ++ordre) {
            const std::vector<Cas> selection = casDeLaSelection(famille, ordre, type);
            EXPECT_EQ(selection.size(), 3U)
                << NomsFiltre.at(static_cast<std::size_t>(famille)) << " ordre " << ordre;
            cas.insert(cas.end(), selection.begin(), selection.end());
        }
    }
    return cas;
}

class SimulatedFamily : public testing::TestWithParam<int> {};

TEST_P(SimulatedFamily, EveryDesignFollowsItsIdealResponse) {
    ASSERT_FALSE(cheminNgspice().empty()) << "ngspice is needed: scripts/install-deps.sh";
    const int famille = GetParam();
    const std::vector<Cas> cas = tousLesCas(famille);
    const auto debut = std::chrono::steady_clock::now();
    const std::vector<Resultat> resultats = enParallele(cas, exporterEtVerifier);
    const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;

    double pire = 0.0;
    std::string pireCas;
    for (std::size_t i = 0; i < cas.size(); ++i) {
        SCOPED_TRACE(nomDuCas(cas[i]));
        const Resultat& r = resultats[i];
        ASSERT_EQ(r.erreur, "");
        EXPECT_LE(r.verdict.ecartMaxDb, EcartAdmisDb);
        EXPECT_LT(r.verdict.niveauArretDb, AttenuationExigeeDb);
        if (r.verdict.ecartMaxDb >= pire) {
            pire = r.verdict.ecartMaxDb;
            pireCas = nomDuCas(cas[i]);
        }
    }
    const auto [basse, haute] =
        std::minmax_element(cas.begin(), cas.end(),
                            [](const Cas& a, const Cas& b) { return a.frequence < b.frequence; });
    RecordProperty("worst_deviation_dB", std::to_string(pire));
    std::printf("%s: %zu designs from %s to %s Hz simulated in %.1f s, worst deviation %.4f dB "
                "(%s)\n",
                oracle::familyName(famille), cas.size(), basse->texteFrequence.c_str(),
                haute->texteFrequence.c_str(), duree.count(), pire, pireCas.c_str());
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, SimulatedFamily,
                         testing::Range(oracle::Bessel, oracle::LastFamily + 1),
                         [](const testing::TestParamInfo<int>& info) {
                             std::string nom = oracle::familyName(info.param);
                             std::replace_if(
                                 nom.begin(), nom.end(),
                                 [](char c) { return c == ' ' || c == '.'; }, '_');
                             return nom;
                         });

// Every selection at a frequency they all take.
std::vector<Cas> casA1000Hz(int premiereFamille, int derniereFamille, int premierOrdre) {
    std::vector<Cas> cas;
    for (int famille = premiereFamille; famille <= derniereFamille; ++famille) {
        for (TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
            for (int ordre = premierOrdre; ordre <= oracle::MaxOrder; ++ordre) {
                cas.push_back({famille, ordre, type, "1000", 1000.0});
            }
        }
    }
    return cas;
}

// The name of a numbered component: "C2" in a low-pass design, "R2" in a high-pass one.
std::string numerote(const Cas& c, int numero) {
    return (c.type == TypeFiltre::PasseBas ? "C" : "R") + std::to_string(numero);
}

struct AvantApres {
    Resultat avant;
    Resultat apres;
};

// Checks the exported netlist, then the same file after `modifier` has edited it.
template <typename Modification>
AvantApres modifierEtVerifier(const Cas& c, Modification modifier) {
    const DossierTemporaire dossier;
    const std::string fichier = dossier.fichier("filtre.cir");
    try {
        exporter(c, fichier, dossier.fichier("rapport.txt"));
        AvantApres r;
        r.avant = verifierNetlist(c, fichier);
        ecrireFichier(fichier, modifier(c, lireFichier(fichier)));
        r.apres = verifierNetlist(c, fichier);
        return r;
    } catch (const std::exception& e) {
        return {{{}, e.what()}, {}};
    }
}

// Each design passes, and fails once edited; prints the smallest deviation an edit caused.
void verifierQueLaModificationEchoue(const std::vector<AvantApres>& resultats,
                                     const std::vector<Cas>& cas) {
    double plusPetitEcart = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < cas.size(); ++i) {
        SCOPED_TRACE(nomDuCas(cas[i]));
        const AvantApres& r = resultats[i];
        ASSERT_EQ(r.avant.erreur, "");
        ASSERT_EQ(r.apres.erreur, "");
        EXPECT_TRUE(r.avant.verdict.conforme());
        EXPECT_FALSE(r.apres.verdict.conforme())
            << "deviation " << r.apres.verdict.ecartMaxDb << " dB, stop band "
            << r.apres.verdict.niveauArretDb << " dB";
        plusPetitEcart = std::min(plusPetitEcart, r.apres.verdict.ecartMaxDb);
    }
    testing::Test::RecordProperty("smallest_deviation_dB", std::to_string(plusPetitEcart));
    std::printf("%zu edited netlists rejected, smallest deviation %.2f dB\n", cas.size(),
                plusPetitEcart);
}

// Exchanging the shunt and feedback values of a stage, the two highest numbers in every
// order, turns its pole pair into another.
TEST(CheckSensitivity, SwappingTheTwoValuesOfAStageFails) {
    ASSERT_FALSE(cheminNgspice().empty()) << "ngspice is needed: scripts/install-deps.sh";
    const std::vector<Cas> cas = casA1000Hz(oracle::Bessel, oracle::LastFamily, oracle::MinOrder);
    const auto resultats = enParallele(cas, [](const Cas& c) {
        return modifierEtVerifier(c, [](const Cas& m, const std::string& netlist) {
            const std::string a = numerote(m, m.ordre - 1);
            const std::string b = numerote(m, m.ordre);
            return avecValeur(avecValeur(netlist, a, valeurElement(netlist, b)), b,
                              valeurElement(netlist, a));
        });
    });
    verifierQueLaModificationEchoue(resultats, cas);
}

// Component 2 sits in the stage with the highest quality factor; from order 5 on, a Chebyshev
// response moves by 3 dB or more when it is 20 % off. (A Bessel or Butterworth response, or a
// Chebyshev one of a lower order, may move by less than the 2 dB the check allows.)
TEST(CheckSensitivity, ScalingAValueOfTheSharpestStageBy1_2Fails) {
    ASSERT_FALSE(cheminNgspice().empty()) << "ngspice is needed: scripts/install-deps.sh";
    const std::vector<Cas> cas = casA1000Hz(oracle::FirstChebyshev, oracle::LastFamily, 5);
    const auto resultats = enParallele(cas, [](const Cas& c) {
        return modifierEtVerifier(c, [](const Cas& m, const std::string& netlist) {
            const std::string nom = numerote(m, 2);
            const std::string texte = valeurElement(netlist, nom);
            double valeur = 0.0;
            std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
            std::array<char, 32> nouveau{};
            const auto fin =
                std::to_chars(nouveau.data(), nouveau.data() + nouveau.size(), valeur * 1.2).ptr;
            return avecValeur(netlist, nom, std::string(nouveau.data(), fin));
        });
    });
    verifierQueLaModificationEchoue(resultats, cas);
}

// The file as exported is a complete ngspice job: `ngspice -b FILE` simulates it and prints
// the response, with nothing added on the command line.
TEST(ExportedNetlist, RunsUnchangedInNgspiceBatchMode) {
    ASSERT_FALSE(cheminNgspice().empty()) << "ngspice is needed: scripts/install-deps.sh";
    for (const Cas& c : {Cas{3, 5, TypeFiltre::PasseBas, "1000", 1000.0},
                         Cas{0, 3, TypeFiltre::PasseHaut, "50", 50.0}}) {
        SCOPED_TRACE(nomDuCas(c));
        const DossierTemporaire dossier;
        const std::string fichier = dossier.fichier("filtre.cir");
        ASSERT_NO_THROW(exporter(c, fichier, dossier.fichier("rapport.txt")));
        const std::string journal = dossier.fichier("ngspice.txt");
        EXPECT_EQ(lancer({cheminNgspice(), "-b", fichier}, {}, journal), 0);
        const std::string sortie = lireFichier(journal);
        EXPECT_NE(sortie.find("vdb(out)"), std::string::npos) << sortie;
        EXPECT_EQ(sortie.find("rror"), std::string::npos) << sortie;
        EXPECT_EQ(sortie.find("arning"), std::string::npos) << sortie;
    }
}

} // namespace
} // namespace quorvan::spice::test
