#include "GainCircuit.h"

#include <numbers>
#include <stdexcept>

namespace quorvan::analyse {

GainCircuit::GainCircuit(const circuit::Circuit& circuit, std::span<const double> valeurs,
                         double frequence, const std::optional<AmpliOpReel>& ampli) {
    if (circuit.blocs.size() > MaxBlocs) {
        throw std::invalid_argument("more blocks than any circuit has");
    }
    const double omegaReference = 2 * std::numbers::pi * frequence;
    std::size_t debut = 0;
    for (const circuit::Bloc& bloc : circuit.blocs) {
        if (debut + bloc.elements.size() > valeurs.size()) {
            throw std::invalid_argument("not one value for each part");
        }
        blocs_[nBlocs_++] =
            fonctionBloc(bloc, valeurs.subspan(debut, bloc.elements.size()), omegaReference, ampli);
        debut += bloc.elements.size();
    }
    if (debut != valeurs.size()) {
        throw std::invalid_argument("not one value for each part");
    }
}

GainCircuit::GainCircuit(const circuit::Montage& montage, const std::optional<AmpliOpReel>& ampli)
    : GainCircuit(montage.circuit, montage.valeurs, montage.frequence, ampli) {}

void GainCircuit::carres(std::span<const double> x, std::span<double> carres) const {
    if (carres.size() != x.size()) {
        throw std::invalid_argument("not one place for each ratio");
    }
    for (std::size_t i = 0; i < x.size(); ++i) {
        carres[i] = carre(x[i]);
    }
}

double GainCircuit::carreBandeOuverte(TypeFiltre type) const {
    double h = 1.0;
    for (std::size_t b = 0; b < nBlocs_; ++b) {
        const auto& n = blocs_[b].numerateur.c;
        const auto& d = blocs_[b].denominateur.c;
        const std::size_t i = blocs_[b].puissanceBandeOuverte(type);
        h *= n[i] * n[i] / (d[i] * d[i]);
    }
    return h;
}

} // namespace quorvan::analyse
