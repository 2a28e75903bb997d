#include "NetlistSpice.h"

#include "circuit/Circuit.h"
#include "engine/Familles.h"
#include "report/EcritureNombres.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <functional>
#include <numbers>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvan::spice {
namespace {

// A 1.2 % step: the sharpest resonance, a stage of Q ≈ 17 in the seventh-order 3 dB Chebyshev,
// is 6 % wide at -3 dB, so the sample nearest its peak is less than 0.2 dB below it.
constexpr int PointsParDecade = 200;

// An op-amp close enough to ideal for a filter at any frequency the designs reach, and a
// gain that every SPICE reads the same way.
constexpr std::string_view GainAmpli = "1e6";

// The shortest text that reads back as the same double: std::to_chars ignores the locale,
// where printf would write "4,7e-08" under a French one.
std::string nombre(double valeur) {
    std::array<char, 32> texte{};
    const auto [fin, erreur] = std::to_chars(texte.data(), texte.data() + texte.size(), valeur);
    if (erreur != std::errc{}) {
        throw std::invalid_argument("value cannot be written");
    }
    return {texte.data(), fin};
}

double valeurPositive(double valeur, std::string_view quoi) {
    if (!std::isfinite(valeur) || valeur <= 0.0) {
        throw std::invalid_argument(std::string(quoi) + " is not a positive finite number");
    }
    return valeur;
}

class Ecriture {
public:
    explicit Ecriture(const circuit::Circuit& circuit)
        : circuit_(circuit) {}

    // The drawing's node names, except the two ends that the user probes.
    [[nodiscard]] std::string noeud(const std::string& nom) const {
        if (nom == circuit_.entree) {
            return NoeudEntree;
        }
        if (nom == circuit_.sortie) {
            return NoeudSortie;
        }
        return nom;
    }

    void ligne(std::string_view nom, const std::string& a, const std::string& b,
               std::string_view valeur) {
        texte_.append(nom).append(" ").append(noeud(a)).append(" ").append(noeud(b));
        texte_.append(" ").append(valeur).append("\n");
    }

    void commentaire(std::string_view texte) { texte_.append("* ").append(texte).append("\n"); }
    void directive(std::string_view texte) { texte_.append(texte).append("\n"); }

    [[nodiscard]] std::string resultat() && { return std::move(texte_); }

private:
    const circuit::Circuit& circuit_;
    std::string texte_;
};

constexpr std::string_view SousCircuitAmpli = "ampliop";

// The one-pole op-amp in plain elements that every SPICE reads: 1 S from the inputs into A0 ohms
// in parallel with 1/(2π·GBW) farads gives A0 / (1 + s·A0/(2π·GBW)) volts a volt, which a
// unit-gain source drives out.
void ecrireSousCircuit(Ecriture& e, const analyse::AmpliOpReel& ampli) {
    const double gbw = valeurPositive(ampli.gbw, "the op-amp's GBW");
    const double a0 = valeurPositive(ampli.gainBoucleOuverte, "the op-amp's open-loop gain");
    e.commentaire("Chaque ampli op : un pole, GBW " + nombre(gbw) + " Hz, gain en boucle ouverte " +
                  nombre(a0));
    e.directive(".subckt " + std::string(SousCircuitAmpli) + " plus moins sortie");
    e.directive("Gm 0 interne plus moins 1");
    e.directive("Ro interne 0 " + nombre(a0));
    e.directive("Co interne 0 " + nombre(1 / (2 * std::numbers::pi * gbw)));
    e.directive("Eb sortie 0 interne 0 1");
    e.directive(".ends " + std::string(SousCircuitAmpli));
}

} // namespace

std::string ecrireNetlist(const circuit::Montage& montage,
                          const std::optional<analyse::AmpliOpReel>& ampli) {
    const circuit::Circuit& circuit = montage.circuit;
    if (!familleConnue(montage.famille)) {
        throw std::invalid_argument("unknown filter family");
    }
    const std::vector<circuit::Piece> pieces = circuit::pieces(circuit);
    if (montage.valeurs.size() != pieces.size()) {
        throw std::invalid_argument("not one value for each part");
    }
    const double frequence = valeurPositive(montage.frequence, "the cut-off frequency");
    const bool passeBas = circuit.type == TypeFiltre::PasseBas;

    Ecriture e(circuit);
    // SPICE takes the first line as the title; the star keeps it a comment for any reader.
    e.commentaire("Quorvan - " + std::string(famille(montage.famille).libelle) + ", " +
                  std::string(libelleType(circuit.type)) + ", ordre " +
                  std::to_string(circuit.ordre) + ", coupure " + nombre(frequence) + " Hz");
    // The computed design shares one value, which its report names.
    std::vector<double> communes;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (montage.element(i).numero == 0) {
            communes.push_back(montage.valeurs[i]);
        }
    }
    if (std::adjacent_find(communes.begin(), communes.end(), std::not_equal_to<>()) ==
        communes.end()) {
        const std::string commune =
            texteValeurPiece(valeurPositive(communes.front(), "the common value"));
        e.commentaire(passeBas ? "Valeur commune : R = " + commune + " ohms"
                               : "Valeur commune : C = " + commune + " F");
    }
    if (ampli) {
        ecrireSousCircuit(e, *ampli);
    } else {
        e.commentaire("Chaque ampli op : source E de gain " + std::string(GainAmpli) +
                      " entre + et -");
    }
    e.ligne("V1", circuit.entree, circuit.masse, "DC 0 AC 1");

    std::size_t piece = 0;
    for (std::size_t b = 0; b < circuit.blocs.size(); ++b) {
        const circuit::Bloc& bloc = circuit.blocs[b];
        const std::string cellule = std::to_string(b + 1);
        e.commentaire("Cellule " + cellule);
        for (const circuit::Element& element : bloc.elements) {
            e.ligne(pieces[piece].nom, element.noeudA, element.noeudB,
                    texteValeurPiece(valeurPositive(montage.valeurs[piece], pieces[piece].nom)));
            ++piece;
        }
        if (ampli) {
            e.directive("X" + cellule + " " + e.noeud(bloc.ampli.plus) + " " +
                        e.noeud(bloc.ampli.moins) + " " + e.noeud(bloc.ampli.sortie) + " " +
                        std::string(SousCircuitAmpli));
        } else {
            // E<name> out+ out- in+ in-: the output follows gain x (V+ - V-).
            e.ligne("E" + cellule, bloc.ampli.sortie, circuit.masse,
                    e.noeud(bloc.ampli.plus) + " " + e.noeud(bloc.ampli.moins) + " " +
                        std::string(GainAmpli));
        }
    }

    e.directive(".ac dec " + std::to_string(PointsParDecade) + " " + nombre(frequence / 100.0) +
                " " + nombre(frequence * 100.0));
    // Without an output request ngspice in batch mode runs nothing.
    e.directive(".print ac vdb(" + std::string(NoeudSortie) + ")");
    e.directive(".end");
    return std::move(e).resultat();
}

std::string ecrireNetlist(const Conception& conception) {
    return ecrireNetlist(circuit::monter(conception));
}

} // namespace quorvan::spice
