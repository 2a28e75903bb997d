// The optimiser against an exhaustive search over the same parts, and its promises on every
// selection: the circuit of the diagram, parts of the series within the ranges, never worse
// than rounding.

#include "Conceptions.h"
#include "analysis/EcartIdeal.h"
#include "analysis/FonctionBloc.h"
#include "analysis/Optimisation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace quorvan::analyse {
namespace {

ReponseIdeale ideale(const Conception& c) {
    return {c.famille, c.ordre, c.type, c.frequence,
            gainBandePassante(fonctionCircuit(circuit::monter(c)), c.type)};
}

bool estResistance(const circuit::Montage& m, std::size_t i) {
    return m.element(i).nature == circuit::Nature::Resistance;
}

// The tie-break's measure: squared decades from 10 kΩ and 10 nF, summed over the parts.
double eloignement(const circuit::Montage& m) {
    double d = 0;
    for (std::size_t i = 0; i < m.valeurs.size(); ++i) {
        d += std::pow(std::log10(m.valeurs[i] / (estResistance(m, i) ? 1e4 : 1e-8)), 2);
    }
    return d;
}

// A Butterworth response is 20 dB down where (f / fc)^(2n) = 99: the band's far end.
TEST(EcartIdeal, TheBandEndsWhereTheExactResponseIs20DecibelsDown) {
    for (const int ordre : {2, 5}) {
        const double rapport = std::pow(99.0, 1.0 / (2 * ordre));
        const Bande bas = bandeComparaison({1, ordre, TypeFiltre::PasseBas, 1000, -0.5});
        const Bande haut = bandeComparaison({1, ordre, TypeFiltre::PasseHaut, 1000, 1.0});
        EXPECT_DOUBLE_EQ(bas.debut, 10);
        EXPECT_NEAR(bas.fin, 1000 * rapport, 1e-6);
        EXPECT_NEAR(haut.debut, 1000 / rapport, 1e-6);
        EXPECT_DOUBLE_EQ(haut.fin, 1e5);
    }
}

struct CasExhaustif {
    int famille;
    int ordre;
    TypeFiltre type;
    const char* frequence;
    const char* serieR;
    const char* serieC;
};

// Every choice of every part for a one-block circuit, each block's common parts equal: the best
// largest deviation, and the parts closest to the preferred values among those as good.
TEST(Optimisation, FindsWhatAnExhaustiveSearchFinds) {
    // Coarse series keep the search to millions of circuits.
    // clang-format off
    const CasExhaustif cas[] = {
        {1, 2, TypeFiltre::PasseBas,  "1000",  "E12", "E6"},
        {5, 2, TypeFiltre::PasseBas,  "47",    "E12", "E6"},
        {0, 2, TypeFiltre::PasseHaut, "2500",  "E12", "E6"},
        {3, 2, TypeFiltre::PasseHaut, "31000", "E12", "E12"},
        {2, 3, TypeFiltre::PasseBas,  "800",   "E12", "E6"},
    };
    // clang-format on
    for (const CasExhaustif& c : cas) {
        SCOPED_TRACE(testing::Message() << c.famille << " " << c.ordre << " "
                                        << static_cast<int>(c.type) << " " << c.frequence);
        const Conception conception = test::concevoir(c.famille, c.ordre, c.type, c.frequence);
        const SeriesPieces series{*serieNommee(c.serieR), *serieNommee(c.serieC)};
        const Optimisation o = optimiser(conception, series);
        ASSERT_TRUE(o.montage);

        const ReponseIdeale exacte = ideale(conception);
        const Bande bande = bandeComparaison(exacte);
        const std::vector<double> r =
            valeursEntre(series.resistances, ResistanceMinOptimisee, ResistanceMaxOptimisee);
        const std::vector<double> cap =
            valeursEntre(series.condensateurs, CondensateurMinOptimise, CondensateurMaxOptimise);
        circuit::Montage m = circuit::monter(conception);
        // The parts that take their own value: the common one first, then the numbered ones.
        std::vector<std::vector<std::size_t>> libres(1);
        for (std::size_t i = 0; i < m.valeurs.size(); ++i) {
            if (m.element(i).numero == 0) {
                libres[0].push_back(i);
            } else {
                libres.push_back({i});
            }
        }
        // A circuit whose gain is already too far at one of a few frequencies cannot win: the
        // largest deviation is at least that.
        const double barre = o.ecartMaxDb + 0.02;
        const std::vector<double> temoins = {1.0, 0.8, 1.3, 0.5, 2.0};
        const double omega = 2 * std::numbers::pi * conception.frequence;
        double meilleur = std::numeric_limits<double>::infinity();
        std::vector<std::pair<double, double>> proches; // (deviation, distance) of the survivors
        std::vector<std::size_t> indices(libres.size(), 0);
        const auto valeurs = [&](std::size_t l) -> const std::vector<double>& {
            return estResistance(m, libres[l][0]) ? r : cap;
        };
        while (indices[0] < valeurs(0).size()) {
            for (std::size_t l = 0; l < libres.size(); ++l) {
                for (const std::size_t i : libres[l]) {
                    m.valeurs[i] = valeurs(l)[indices[l]];
                }
            }
            const FonctionBloc f = fonctionBloc(m.circuit.blocs[0], m.valeurs, omega);
            const auto ecartEn = [&](double t) {
                const Complexe s(0, omega * t);
                return std::fabs(20 * std::log10(std::abs(f(s / omega) / exacte(s))));
            };
            if (std::none_of(temoins.begin(), temoins.end(),
                             [&](double t) { return ecartEn(t) > barre; })) {
                const double e = ecartMaximalDb({{f}, omega}, exacte, bande);
                meilleur = std::min(meilleur, e);
                proches.emplace_back(e, eloignement(m));
            }
            for (std::size_t l = libres.size(); l-- > 0;) {
                if (++indices[l] < valeurs(l).size() || l == 0) {
                    break;
                }
                indices[l] = 0;
            }
        }
        EXPECT_LE(o.ecartMaxDb, meilleur + 1e-3);
        double plusProche = std::numeric_limits<double>::infinity();
        for (const auto& [e, d] : proches) {
            plusProche = e <= meilleur + 0.008 ? std::min(plusProche, d) : plusProche;
        }
        EXPECT_LE(eloignement(*o.montage), plusProche + 1e-9);
    }
}

bool dansLaSerie(double v, const Serie& serie) {
    return std::fabs(valeurNormalisee(v, serie) / v - 1) < 1e-12;
}

TEST(Optimisation, KeepsTheCircuitAndItsPromisesOnEverySelection) {
    const SeriesPieces series{*serieNommee("E96"), *serieNommee("E12")};
    for (const Famille& f : Familles) {
        for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
            for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
                for (const char* frequence : {"3.3", "1000", "68000"}) {
                    SCOPED_TRACE(testing::Message() << f.nomCommande << " " << ordre << " "
                                                    << static_cast<int>(type) << " " << frequence);
                    const Conception c = test::concevoir(f.index, ordre, type, frequence);
                    if (c.valeurCommune == 0) { // no design at that frequency
                        continue;
                    }
                    const Optimisation o = optimiser(c, series);
                    ASSERT_TRUE(o.montage) << o.message;
                    const circuit::Montage& m = *o.montage;
                    EXPECT_LE(o.ecartMaxDb, o.ecartMaxArrondiDb);
                    const circuit::Montage arrondi = arrondir(c, series);
                    const ReponseIdeale exacte = ideale(c);
                    EXPECT_EQ(o.ecartMaxArrondiDb, ecartMaximalDb(fonctionCircuit(arrondi), exacte,
                                                                  bandeComparaison(exacte)));
                    EXPECT_EQ(m.circuit.blocs.size(),
                              circuit::composerCircuit(type, ordre).blocs.size());
                    const std::vector<std::size_t> debuts = circuit::debutsBlocs(m.circuit);
                    for (std::size_t b = 0; b + 1 < debuts.size(); ++b) {
                        std::optional<double> commune;
                        for (std::size_t i = debuts[b]; i < debuts[b + 1]; ++i) {
                            const double v = m.valeurs[i];
                            const bool r = estResistance(m, i);
                            EXPECT_TRUE(
                                dansLaSerie(v, r ? series.resistances : series.condensateurs))
                                << v;
                            EXPECT_TRUE(r ? v >= 100 && v <= 1e7 : v >= 1e-11 && v <= 1e-5) << v;
                            if (m.element(i).numero == 0) {
                                EXPECT_EQ(v, commune.value_or(v)) << "block " << b;
                                commune = v;
                            }
                        }
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace quorvan::analyse
