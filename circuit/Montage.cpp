#include "Montage.h"

#include <stdexcept>

namespace quorvan::circuit {

std::vector<Piece> pieces(const Circuit& circuit) {
    std::vector<Piece> resultat;
    int communs = 0;
    for (std::size_t b = 0; b < circuit.blocs.size(); ++b) {
        const std::vector<Element>& elements = circuit.blocs[b].elements;
        for (std::size_t i = 0; i < elements.size(); ++i) {
            const Element& e = elements[i];
            resultat.push_back(
                {e.numero == 0 ? e.etiquette + std::to_string(++communs) : e.etiquette, b, i});
        }
    }
    return resultat;
}

std::vector<std::size_t> debutsBlocs(const Circuit& circuit) {
    std::vector<std::size_t> debuts{0};
    for (const Bloc& bloc : circuit.blocs) {
        debuts.push_back(debuts.back() + bloc.elements.size());
    }
    return debuts;
}

const Element& Montage::element(std::size_t piece) const {
    for (const Bloc& bloc : circuit.blocs) {
        if (piece < bloc.elements.size()) {
            return bloc.elements[piece];
        }
        piece -= bloc.elements.size();
    }
    throw std::out_of_range("no such part");
}

Montage monter(const Conception& conception) {
    Montage montage{conception.famille,
                    conception.frequence,
                    composerCircuit(conception.type, conception.ordre),
                    {}};
    for (const Bloc& bloc : montage.circuit.blocs) {
        for (const Element& e : bloc.elements) {
            montage.valeurs.push_back(
                e.numero == 0 ? conception.valeurCommune
                              : conception.numerotes.at(static_cast<std::size_t>(e.numero)));
        }
    }
    return montage;
}

} // namespace quorvan::circuit
