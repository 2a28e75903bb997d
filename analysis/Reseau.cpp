#include "Reseau.h"

#include "circuit/Circuit.h"

#include <map>
#include <numbers>
#include <stdexcept>
#include <string>

namespace quorvan::analyse {

namespace {

constexpr Eigen::Index Masse = -1;
constexpr Eigen::Index Entree = -2;

} // namespace

Reseau::Reseau(const circuit::Montage& montage, const std::optional<AmpliOpReel>& ampli) {
    construire(montage, std::nullopt, ampli);
}

Reseau::Reseau(const Conception& conception)
    : Reseau(circuit::monter(conception)) {}

Reseau::Reseau(const circuit::Montage& montage, std::size_t bloc,
               const std::optional<AmpliOpReel>& ampli) {
    construire(montage, bloc, ampli);
}

void Reseau::construire(const circuit::Montage& montage, std::optional<std::size_t> bloc,
                        const std::optional<AmpliOpReel>& ampli) {
    const circuit::Circuit& circuit = montage.circuit;
    const std::size_t premier = bloc.value_or(0);
    const std::size_t dernier = bloc ? *bloc + 1 : circuit.blocs.size();
    if (dernier > circuit.blocs.size() ||
        montage.valeurs.size() != circuit::pieces(circuit).size()) {
        throw std::out_of_range("no such block, or not a value for each part");
    }
    // Scaled so that the first part of the circuit has an admittance of 1 at the cut-off.
    omegaReference_ = 2 * std::numbers::pi * montage.frequence;
    const bool resistance = montage.element(0).nature == circuit::Nature::Resistance;
    const double resistanceReference =
        resistance ? montage.valeurs[0] : 1.0 / (omegaReference_ * montage.valeurs[0]);

    // The block's input is driven; ground and the input are not unknowns.
    const std::string entree = circuit.blocs[premier].elements.front().noeudA;
    std::map<std::string, Eigen::Index> noeuds = {{circuit.masse, Masse}, {entree, Entree}};
    const auto indice = [&noeuds](const std::string& nom) {
        return noeuds.try_emplace(nom, static_cast<Eigen::Index>(noeuds.size()) - 2).first->second;
    };
    for (std::size_t k = premier; k < dernier; ++k) {
        for (const circuit::Element& e : circuit.blocs[k].elements) {
            indice(e.noeudA);
            indice(e.noeudB);
        }
    }
    const auto nNoeuds = static_cast<Eigen::Index>(noeuds.size()) - 2;
    const auto n = nNoeuds + static_cast<Eigen::Index>(dernier - premier);
    if (n > Max) {
        throw std::out_of_range("a circuit larger than any design");
    }
    G_ = Matrice::Zero(n, n);
    C_ = Matrice::Zero(n, n);
    bG_ = Vecteur::Zero(n);
    bC_ = Vecteur::Zero(n);
    a_.resize(n, n);
    lu_ = Eigen::PartialPivLU<Matrice>(n);
    x_.resize(n);

    const std::vector<std::size_t> debuts = circuit::debutsBlocs(circuit);
    for (std::size_t k = premier; k < dernier; ++k) {
        const circuit::Bloc& bloc = circuit.blocs[k];
        for (std::size_t i = 0; i < bloc.elements.size(); ++i) {
            const circuit::Element& e = bloc.elements[i];
            const double valeur = montage.valeurs[debuts[k] + i];
            const bool condensateur = e.nature == circuit::Nature::Condensateur;
            Matrice& m = condensateur ? C_ : G_;
            Vecteur& b = condensateur ? bC_ : bG_;
            const double y = condensateur ? valeur * omegaReference_ * resistanceReference
                                          : resistanceReference / valeur;
            const Eigen::Index a = noeuds.at(e.noeudA);
            const Eigen::Index c = noeuds.at(e.noeudB);
            for (const auto& [i, j] : {std::pair{a, c}, std::pair{c, a}}) {
                if (i < 0) {
                    continue;
                }
                m(i, i) += y;
                if (j >= 0) {
                    m(i, j) -= y;
                } else if (j == Entree) {
                    b(i) += y; // the current the 1 V input drives in
                }
            }
        }
        // The op-amp's output current is an unknown. Its inputs differ by Vout / A:
        // V− − V+ + Vout·(1/A0 + s/(2π·GBW)) = 0, nothing for an ideal one.
        const Eigen::Index courant = nNoeuds + static_cast<Eigen::Index>(k - premier);
        const Eigen::Index sortie = noeuds.at(bloc.ampli.sortie);
        G_(sortie, courant) = -1;
        G_(courant, noeuds.at(bloc.ampli.moins)) = 1;
        if (noeuds.at(bloc.ampli.plus) >= 0) {
            G_(courant, noeuds.at(bloc.ampli.plus)) = -1;
        }
        if (ampli) {
            G_(courant, sortie) = 1.0 / ampli->gainBoucleOuverte;
            C_(courant, sortie) = omegaReference_ / (2 * std::numbers::pi * ampli->gbw);
        }
    }
    sortie_ = noeuds.at(circuit.blocs[dernier - 1].ampli.sortie);
    noeuds_ = nNoeuds;
}

void Reseau::resoudre(Complexe p) const {
    a_.noalias() = G_ + p * C_;
    lu_.compute(a_);
    x_.noalias() = lu_.solve(bG_ + p * bC_);
}

Complexe Reseau::transfert(Complexe s) const {
    resoudre(s / omegaReference_);
    return x_(sortie_);
}

Complexe Reseau::transfertInfini() const {
    // (G + p·C) x = bG + p·bC divided by p: as p grows the nodes see the capacitors alone,
    // while the op-amps' rows and columns, which no frequency scales, stay as they are.
    a_ = G_;
    a_.topLeftCorner(noeuds_, noeuds_) = C_.topLeftCorner(noeuds_, noeuds_);
    lu_.compute(a_);
    x_.noalias() = lu_.solve(bC_);
    return x_(sortie_);
}

Reseau::Point Reseau::reponse(double frequence) const {
    const Complexe j(0.0, 1.0);
    const Complexe p = j * (2 * std::numbers::pi * frequence / omegaReference_);
    resoudre(p);
    // d/dω of (G + p·C) x = bG + p·bC, with dp/dω = j / omegaReference.
    const Complexe dh = lu_.solve(j * (bC_ - C_ * x_))(sortie_);
    return {x_(sortie_), dh / omegaReference_};
}

} // namespace quorvan::analyse
