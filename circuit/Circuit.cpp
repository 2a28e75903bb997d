#include "Circuit.h"

#include "engine/Conception.h"

#include <stdexcept>

namespace quorvan::circuit {
namespace {

// The component numbers of each block, input first. Odd orders keep 1, 2, 3 for the section
// at the output end, because the coefficient table puts the real pole in those columns.
std::vector<std::vector<int>> numerosDesBlocs(int ordre) {
    std::vector<std::vector<int>> blocs;
    const int etages = ordre % 2 == 0 ? ordre / 2 : (ordre - 3) / 2;
    const int premier = ordre % 2 == 0 ? 1 : 4;
    for (int k = 0; k < etages; ++k) {
        blocs.push_back({premier + 2 * k, premier + 2 * k + 1});
    }
    if (ordre % 2 != 0) {
        blocs.push_back({1, 2, 3});
    }
    return blocs;
}

// Names of the nodes of block k (from 1): shunt nodes A and B, inverting input M, output S.
std::string noeud(char quoi, int k) {
    return quoi + std::to_string(k);
}

class Composition {
public:
    explicit Composition(TypeFiltre type)
        : type_(type) {}

    // The element with the common value: a resistor in a low-pass circuit, a capacitor in a
    // high-pass one.
    [[nodiscard]] Element commun(Place place, std::string a, std::string b) const {
        const bool passeBas = type_ == TypeFiltre::PasseBas;
        return {passeBas ? Nature::Resistance : Nature::Condensateur,
                place,
                std::move(a),
                std::move(b),
                passeBas ? "R" : "C",
                0};
    }

    [[nodiscard]] Element numerote(Place place, std::string a, std::string b, int numero) const {
        const bool passeBas = type_ == TypeFiltre::PasseBas;
        return {passeBas ? Nature::Condensateur : Nature::Resistance,
                place,
                std::move(a),
                std::move(b),
                nomComposant(type_, numero),
                numero};
    }

private:
    TypeFiltre type_;
};

} // namespace

Circuit composerCircuit(TypeFiltre type, int ordre) {
    if (!ordreConnu(ordre)) {
        throw std::out_of_range("no circuit for order " + std::to_string(ordre));
    }
    const Composition c(type);
    Circuit circuit;
    circuit.type = type;
    circuit.ordre = ordre;
    circuit.entree = "E";
    circuit.masse = "0";

    std::string entreeBloc = circuit.entree;
    int k = 0;
    for (const std::vector<int>& numeros : numerosDesBlocs(ordre)) {
        ++k;
        Bloc bloc;
        const std::string moins = noeud('M', k);
        const std::string sortie = noeud('S', k);
        std::string shunt = noeud('A', k);
        bloc.elements.push_back(c.commun(Place::Serie, entreeBloc, shunt));
        if (numeros.size() == 3) {
            // The first-order part: a series element and the shunt numbered first, in front
            // of the two-component stage that starts at the second shunt node.
            bloc.genre = GenreBloc::Section;
            const std::string second = noeud('B', k);
            bloc.elements.push_back(c.numerote(Place::Shunt, shunt, circuit.masse, numeros[0]));
            bloc.elements.push_back(c.commun(Place::Serie, shunt, second));
            shunt = second;
        }
        // The stage proper: the lower of its two numbers on the shunt, the higher in the inner
        // feedback branch.
        const int numeroShunt = numeros[numeros.size() - 2];
        const int numeroInterne = numeros.back();
        bloc.elements.push_back(c.numerote(Place::Shunt, shunt, circuit.masse, numeroShunt));
        bloc.elements.push_back(c.commun(Place::ContreReactionExterne, shunt, sortie));
        bloc.elements.push_back(c.commun(Place::Serie, shunt, moins));
        bloc.elements.push_back(
            c.numerote(Place::ContreReactionInterne, moins, sortie, numeroInterne));
        bloc.ampli = {moins, circuit.masse, sortie};
        circuit.blocs.push_back(std::move(bloc));
        entreeBloc = sortie;
    }
    circuit.sortie = entreeBloc;
    return circuit;
}

} // namespace quorvan::circuit
