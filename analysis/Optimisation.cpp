#include "Optimisation.h"

#include "CiblesBlocs.h"
#include "EcartIdeal.h"
#include "FonctionBloc.h"
#include "ReponseIdeale.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <numeric>

namespace quorvan::analyse {

namespace {

// Choices whose largest deviations differ by less than this are equally good.
constexpr double EcartIndifferentDb = 0.01;
// How far a block's time constants may stray from their exact values and still be tried: a
// stage with a time constant 30 % off is far worse than its neighbours of the series.
constexpr double EcartConstanteMax = 0.3;
// How many of each block's best choices the joint search combines: a block's error can make up
// for another's, but not one far worse than its own best.
constexpr std::size_t CandidatsParBloc = 40;
constexpr int PointsParDecade = 200;
// The screening of a block's choices looks at one point in this many.
constexpr std::size_t PasCrible = 8;

bool resistance(const circuit::Element& e) {
    return e.nature == circuit::Nature::Resistance;
}

// How far a value lies from 10 kΩ or 10 nF, in squared decades.
double eloignement(double valeur, bool estResistance) {
    const double decades = std::log10(valeur / (estResistance ? 1e4 : 1e-8));
    return decades * decades;
}

double gainDb(Complexe h) {
    return 10 * std::log10(std::norm(h));
}

// One way to build a block: its parts' values in the order of its elements.
struct Candidat {
    std::vector<double> valeurs;
    double eloignement = 0.0;
    std::vector<double> ecart; // its gain minus the block's exact gain on the grid, dB
    double ecartPropre = 0.0;  // the largest |ecart|
};

class Bloc {
public:
    Bloc(const circuit::Bloc& bloc, const CibleBloc& cible, const SeriesPieces& series,
         TypeFiltre type, double omega, const std::vector<double>& relatives)
        : bloc_(bloc)
        , cible_(cible)
        , type_(type)
        , omega_(omega)
        , relatives_(relatives) {
        for (const double f : relatives) {
            const Complexe p(0, type == TypeFiltre::PasseBas ? f : -1 / f);
            exacte_.push_back(gainDb(reponsePoles(cible.poles, cible.gain, p)));
        }
        enumerer(series);
    }

    [[nodiscard]] std::vector<Candidat>& candidats() { return candidats_; }

private:
    // Every common value of its series in range, each numbered part at the two values of its
    // series around what the time constant asks for with it.
    void enumerer(const SeriesPieces& series) {
        const bool passeBas = type_ == TypeFiltre::PasseBas;
        const std::vector<double> communes =
            passeBas
                ? valeursEntre(series.resistances, ResistanceMinOptimisee, ResistanceMaxOptimisee)
                : valeursEntre(series.condensateurs, CondensateurMinOptimise,
                               CondensateurMaxOptimise);
        const std::vector<double> numerotees =
            passeBas
                ? valeursEntre(series.condensateurs, CondensateurMinOptimise,
                               CondensateurMaxOptimise)
                : valeursEntre(series.resistances, ResistanceMinOptimisee, ResistanceMaxOptimisee);
        const std::vector<double>& x = cible_.constantes;
        // Equal responses (a decade more on the common parts, less on the others) are one choice,
        // kept with the values closest to the preferred ones.
        std::map<std::vector<long long>, Candidat> uniques;
        const std::size_t n = x.size();
        std::vector<std::array<double, 2>> voisines(n);
        for (const double c : communes) {
            for (std::size_t i = 0; i < n; ++i) {
                const double produit = passeBas ? x[i] / omega_ : 1 / (x[i] * omega_);
                const auto k = std::lower_bound(numerotees.begin(), numerotees.end(), produit / c);
                voisines[i] = {k == numerotees.begin() ? *k : *(k - 1),
                               k == numerotees.end() ? *(k - 1) : *k};
            }
            for (unsigned choix = 0; choix < (1U << n); ++choix) {
                std::vector<double> valeurs;
                std::vector<long long> cle;
                double ecartConstante = 0.0;
                std::size_t i = 0;
                for (const circuit::Element& e : bloc_.elements) {
                    if (e.numero == 0) {
                        valeurs.push_back(c);
                        continue;
                    }
                    const double v = voisines[i][(choix >> i) & 1U];
                    const double constante = passeBas ? c * v * omega_ : 1 / (c * v * omega_);
                    ecartConstante =
                        std::max(ecartConstante, std::fabs(std::log(constante / x[i])));
                    cle.push_back(std::llround(std::log(constante) * 1e9));
                    valeurs.push_back(v);
                    ++i;
                }
                if (ecartConstante > EcartConstanteMax) {
                    continue;
                }
                Candidat candidat{std::move(valeurs), 0.0, {}, 0.0};
                for (std::size_t j = 0; j < candidat.valeurs.size(); ++j) {
                    candidat.eloignement +=
                        eloignement(candidat.valeurs[j], resistance(bloc_.elements[j]));
                }
                const auto [place, nouveau] = uniques.try_emplace(std::move(cle), candidat);
                if (!nouveau && candidat.eloignement < place->second.eloignement) {
                    place->second = std::move(candidat);
                }
            }
        }
        // Screened on a coarse grid, the best measured on the whole one.
        std::vector<std::pair<double, Candidat*>> cribles;
        for (auto& [cle, candidat] : uniques) {
            cribles.emplace_back(ecartMax(candidat, PasCrible), &candidat);
        }
        std::sort(cribles.begin(), cribles.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        cribles.resize(std::min(cribles.size(), CandidatsParBloc));
        for (const auto& [crible, candidat] : cribles) {
            candidat->ecartPropre = ecartMax(*candidat, 1, &candidat->ecart);
            candidats_.push_back(std::move(*candidat));
        }
        std::sort(candidats_.begin(), candidats_.end(), [](const Candidat& a, const Candidat& b) {
            return a.ecartPropre < b.ecartPropre;
        });
    }

    // The largest |gain − exact gain| on every `pas`-th point of the grid and its last one;
    // with `ecart`, every difference kept.
    double ecartMax(const Candidat& candidat, std::size_t pas,
                    std::vector<double>* ecart = nullptr) const {
        const FonctionBloc f = fonctionBloc(bloc_, candidat.valeurs, omega_);
        double pire = 0.0;
        for (std::size_t j = 0; j < relatives_.size(); j += pas) {
            // The band's far end counts too.
            const std::size_t k = j + pas < relatives_.size() ? j : relatives_.size() - 1;
            const double e = f.gainDbEnJx(relatives_[k]) - exacte_[k];
            pire = std::max(pire, std::fabs(e));
            if (ecart != nullptr) {
                ecart->push_back(e);
            }
        }
        return pire;
    }

    const circuit::Bloc& bloc_;
    const CibleBloc& cible_;
    TypeFiltre type_;
    double omega_;
    const std::vector<double>& relatives_; // the comparison band's frequencies / cut-off
    std::vector<double> exacte_;           // the block's exact gain on the grid, dB
    std::vector<Candidat> candidats_;
};

// The combination of one choice per block with the smallest largest deviation on the grid, then
// the one closest to the preferred values among those within EcartIndifferentDb of it. A branch
// is cut when even the most favourable choices of the blocks left cannot bring it under the bar.
class Recherche {
public:
    explicit Recherche(const std::vector<std::vector<Candidat>*>& blocs)
        : points_(blocs.front()->front().ecart.size())
        , bas_(blocs.size() + 1, std::vector<double>(points_, 0.0))
        , haut_(bas_)
        , sommes_(blocs.size() + 1, std::vector<double>(points_, 0.0))
        , eloignementMin_(blocs.size() + 1, 0.0) {
        for (std::size_t b = blocs.size(); b-- > 0;) {
            std::vector<const Candidat*> ordre;
            for (const Candidat& c : *blocs[b]) {
                ordre.push_back(&c);
            }
            parEcart_.insert(parEcart_.begin(), ordre);
            std::sort(ordre.begin(), ordre.end(), [](const Candidat* x, const Candidat* y) {
                return x->eloignement < y->eloignement;
            });
            parEloignement_.insert(parEloignement_.begin(), ordre);
            eloignementMin_[b] = eloignementMin_[b + 1] + ordre.front()->eloignement;
            for (std::size_t j = 0; j < points_; ++j) {
                double bas = std::numeric_limits<double>::infinity();
                double haut = -bas;
                for (const Candidat* c : ordre) {
                    bas = std::min(bas, c->ecart[j]);
                    haut = std::max(haut, c->ecart[j]);
                }
                bas_[b][j] = bas_[b + 1][j] + bas;
                haut_[b][j] = haut_[b + 1][j] + haut;
            }
        }
    }

    [[nodiscard]] std::vector<const Candidat*> meilleure() {
        std::vector<const Candidat*> choix(parEcart_.size());
        descendre(0, choix, 0.0);
        seuil_ = meilleurEcart_ + EcartIndifferentDb;
        pourPreference_ = true;
        descendre(0, choix, 0.0);
        return retenus_;
    }

private:
    // Whether, with `c` for block b, some point stands above the bar whatever the blocks after b
    // choose. The point that last did is looked at first: it usually does again.
    bool depasse(std::size_t b, const Candidat& c, double barre) {
        const std::vector<double>& somme = sommes_[b];
        const auto au = [&](std::size_t j) {
            const double s = somme[j] + c.ecart[j];
            return std::max(s + bas_[b + 1][j], -(s + haut_[b + 1][j])) >
                   barre - (pourPreference_ ? 0.0 : 1e-12);
        };
        if (au(sentinelle_)) {
            return true;
        }
        for (std::size_t j = 0; j < points_; ++j) {
            if (au(j)) {
                sentinelle_ = j;
                return true;
            }
        }
        return false;
    }

    void descendre(std::size_t b, std::vector<const Candidat*>& choix, double eloignement) {
        if (b == choix.size()) {
            double pire = 0.0;
            for (const double e : sommes_[b]) {
                pire = std::max(pire, std::fabs(e));
            }
            if (pourPreference_) {
                meilleurEloignement_ = eloignement;
                retenus_ = choix;
            } else {
                meilleurEcart_ = pire;
            }
            return;
        }
        for (const Candidat* c : (pourPreference_ ? parEloignement_ : parEcart_)[b]) {
            // In distance order, the rest of the block's choices can only be further.
            if (pourPreference_ &&
                eloignement + c->eloignement + eloignementMin_[b + 1] >= meilleurEloignement_) {
                break;
            }
            if (depasse(b, *c, pourPreference_ ? seuil_ : meilleurEcart_)) {
                continue;
            }
            for (std::size_t j = 0; j < points_; ++j) {
                sommes_[b + 1][j] = sommes_[b][j] + c->ecart[j];
            }
            choix[b] = c;
            descendre(b + 1, choix, eloignement + c->eloignement);
        }
    }

    std::size_t points_;
    std::vector<std::vector<const Candidat*>> parEcart_;       // each block's, best first
    std::vector<std::vector<const Candidat*>> parEloignement_; // each block's, closest first
    std::vector<std::vector<double>> bas_; // the sum of the blocks' smallest differences, from b on
    std::vector<std::vector<double>> haut_;   // and of their largest
    std::vector<std::vector<double>> sommes_; // the differences of the blocks before b, summed
    std::vector<double> eloignementMin_;      // the smallest distance the blocks from b on add
    std::size_t sentinelle_ = 0;
    bool pourPreference_ = false;
    double meilleurEcart_ = std::numeric_limits<double>::infinity();
    double seuil_ = 0.0;
    double meilleurEloignement_ = std::numeric_limits<double>::infinity();
    std::vector<const Candidat*> retenus_;
};

bool dansLesPlages(const circuit::Montage& m) {
    for (std::size_t i = 0; i < m.valeurs.size(); ++i) {
        const double v = m.valeurs[i];
        const bool r = resistance(m.element(i));
        if (r ? v < ResistanceMinOptimisee || v > ResistanceMaxOptimisee
              : v < CondensateurMinOptimise || v > CondensateurMaxOptimise) {
            return false;
        }
    }
    return true;
}

} // namespace

circuit::Montage arrondir(const Conception& calculee, const SeriesPieces& series) {
    circuit::Montage m = circuit::monter(calculee);
    for (std::size_t i = 0; i < m.valeurs.size(); ++i) {
        m.valeurs[i] = valeurNormalisee(
            m.valeurs[i], resistance(m.element(i)) ? series.resistances : series.condensateurs);
    }
    return m;
}

Optimisation optimiser(const Conception& calculee, const SeriesPieces& series) {
    const circuit::Montage calcule = circuit::monter(calculee);
    const ReponseIdeale ideale(calculee.famille, calculee.ordre, calculee.type, calculee.frequence,
                               gainBandePassante(fonctionCircuit(calcule), calculee.type));
    const Bande bande = bandeComparaison(ideale);
    std::vector<double> relatives;
    for (const double f : grille(bande, PointsParDecade)) {
        relatives.push_back(f / calculee.frequence);
    }
    const std::vector<CibleBloc> cibles = ciblesBlocs(calculee);
    const double omega = 2 * std::numbers::pi * calculee.frequence;

    Optimisation resultat;
    const circuit::Montage arrondi = arrondir(calculee, series);
    resultat.ecartMaxArrondiDb = ecartMaximalDb(fonctionCircuit(arrondi), ideale, bande);

    std::vector<Bloc> blocs;
    blocs.reserve(cibles.size());
    std::vector<std::vector<Candidat>*> candidats;
    for (std::size_t b = 0; b < cibles.size(); ++b) {
        blocs.emplace_back(calcule.circuit.blocs[b], cibles[b], series, calculee.type, omega,
                           relatives);
        candidats.push_back(&blocs.back().candidats());
    }
    const bool possible =
        std::none_of(candidats.begin(), candidats.end(), [](const auto* c) { return c->empty(); });
    if (possible) {
        // The block that strays most decided first: the others' choices then have the least
        // room, and the search the most to cut.
        std::vector<std::size_t> ordre(candidats.size());
        std::iota(ordre.begin(), ordre.end(), 0);
        std::sort(ordre.begin(), ordre.end(), [&](std::size_t a, std::size_t b) {
            return candidats[a]->front().ecartPropre > candidats[b]->front().ecartPropre;
        });
        std::vector<std::vector<Candidat>*> ordonnes;
        for (const std::size_t b : ordre) {
            ordonnes.push_back(candidats[b]);
        }
        const std::vector<const Candidat*> choix = Recherche(ordonnes).meilleure();
        std::vector<const Candidat*> parBloc(choix.size());
        for (std::size_t k = 0; k < ordre.size(); ++k) {
            parBloc[ordre[k]] = choix[k];
        }
        circuit::Montage optimise = calcule;
        optimise.valeurs.clear();
        for (const Candidat* c : parBloc) {
            optimise.valeurs.insert(optimise.valeurs.end(), c->valeurs.begin(), c->valeurs.end());
        }
        resultat.ecartMaxDb = ecartMaximalDb(fonctionCircuit(optimise), ideale, bande);
        resultat.montage = std::move(optimise);
    }
    // The search works on the grid; the rounded circuit, measured the same way, may still come out
    // a hair better.
    if (dansLesPlages(arrondi) &&
        (!resultat.montage || resultat.ecartMaxArrondiDb < resultat.ecartMaxDb)) {
        resultat.montage = arrondi;
        resultat.ecartMaxDb = resultat.ecartMaxArrondiDb;
    }
    if (!resultat.montage) {
        resultat.message =
            "Aucun jeu de composants des s\u00E9ries choisies, r\u00E9sistances de 100 \u03A9 "
            "\u00E0 10 M\u03A9 et condensateurs de 10 pF \u00E0 10 \u00B5F, ne r\u00E9alise ce "
            "filtre.";
    }
    return resultat;
}

} // namespace quorvan::analyse
