#include "FonctionBloc.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace quorvan::analyse {

namespace {

Polynome operator+(Polynome a, const Polynome& b) {
    for (std::size_t i = 0; i < a.c.size(); ++i) {
        a.c[i] += b.c[i];
    }
    return a;
}

Polynome operator-(const Polynome& a) {
    Polynome m;
    std::transform(a.c.begin(), a.c.end(), m.c.begin(), [](double x) { return -x; });
    return m;
}

Polynome operator-(const Polynome& a, const Polynome& b) {
    return a + -b;
}

// The product's degree stays within 4 for every block: the terms beyond are zero.
Polynome operator*(const Polynome& a, const Polynome& b) {
    Polynome m;
    for (std::size_t i = 0; i < a.c.size(); ++i) {
        for (std::size_t j = 0; i + j < m.c.size(); ++j) {
            m.c[i + j] += a.c[i] * b.c[j];
        }
    }
    return m;
}

// The places of the elements of each kind of block, in their order.
using circuit::Place;
constexpr std::array EtageDeuxComposants = {Place::Serie, Place::Shunt,
                                            Place::ContreReactionExterne, Place::Serie,
                                            Place::ContreReactionInterne};
constexpr std::array SectionTroisComposants = {Place::Serie,
                                               Place::Shunt,
                                               Place::Serie,
                                               Place::Shunt,
                                               Place::ContreReactionExterne,
                                               Place::Serie,
                                               Place::ContreReactionInterne};

template <std::size_t N>
bool memesPlaces(const circuit::Bloc& bloc, const std::array<Place, N>& places) {
    return bloc.elements.size() == N &&
           std::equal(places.begin(), places.end(), bloc.elements.begin(),
                      [](Place p, const circuit::Element& e) { return p == e.place; });
}

} // namespace

FonctionBloc fonctionBloc(const circuit::Bloc& bloc, std::span<const double> valeurs,
                          double omegaReference, const std::optional<AmpliOpReel>& ampli) {
    const bool etage = memesPlaces(bloc, EtageDeuxComposants);
    if ((!etage && !memesPlaces(bloc, SectionTroisComposants)) ||
        valeurs.size() != bloc.elements.size()) {
        throw std::invalid_argument("not a block of a filter circuit");
    }
    // The admittance of each element in p, scaled by the impedance of the first at ωref: the
    // transfer function is a ratio of admittances and does not see the scale, the numbers do.
    const auto admittance = [&](std::size_t i) {
        const bool resistance = bloc.elements[i].nature == circuit::Nature::Resistance;
        Polynome y;
        y.c[resistance ? 0 : 1] = resistance ? 1.0 / valeurs[i] : valeurs[i] * omegaReference;
        return y;
    };
    const Polynome y0 = admittance(0);
    const double echelle = 1.0 / (y0.c[0] + y0.c[1]);
    std::array<Polynome, 7> y{};
    for (std::size_t i = 0; i < valeurs.size(); ++i) {
        y[i] = admittance(i);
        for (double& c : y[i].c) {
            c *= echelle;
        }
    }
    // The op-amp's output is −A·V−: V− = −β·Vout with β = 1/A, zero for an ideal one.
    Polynome beta;
    if (ampli) {
        const double poleOuvert = 2 * std::numbers::pi * ampli->gbw / ampli->gainBoucleOuverte;
        beta.c[0] = 1.0 / ampli->gainBoucleOuverte;
        beta.c[1] = omegaReference / poleOuvert / ampli->gainBoucleOuverte;
    }
    FonctionBloc f;
    if (etage) {
        // Series Ys to node A, Ya from A to ground, Yo from A to the output, Yi from A to the
        // inverting input, Yb from there to the output.
        const Polynome& ys = y[0];
        const Polynome& ya = y[1];
        const Polynome& yo = y[2];
        const Polynome& yi = y[3];
        const Polynome& yb = y[4];
        const Polynome p = yb + beta * (yi + yb);
        f.numerateur = -(ys * yi);
        f.denominateur = p * (ys + ya + yi + yo) + yo * yi - beta * yi * yi;
    } else {
        // A first series Ys1 to node A with Y1 to ground, a second Ys2 from A to node B, then the
        // stage from B: Y2 to ground, Yo to the output, Yi to the inverting input, Yf from there
        // to the output.
        const Polynome& ys1 = y[0];
        const Polynome& y1 = y[1];
        const Polynome& ys2 = y[2];
        const Polynome& y2 = y[3];
        const Polynome& yo = y[4];
        const Polynome& yi = y[5];
        const Polynome& yf = y[6];
        const Polynome p = yf + beta * (yi + yf);
        f.numerateur = ys1 * ys2 * yi;
        f.denominateur =
            (-(p * (ys2 + y2 + yo + yi)) - yo * yi + beta * yi * yi) * (ys1 + y1 + ys2) +
            p * ys2 * ys2;
    }
    return f;
}

double FonctionBloc::gainDbEnJx(double x) const {
    return 10 * std::log10(numerateur.moduleCarreEnJx(x) / denominateur.moduleCarreEnJx(x));
}

std::size_t FonctionBloc::puissanceBandeOuverte(TypeFiltre type) const {
    std::size_t n = 0;
    if (type == TypeFiltre::PasseHaut) {
        n = denominateur.c.size() - 1;
        while (n > 0 && denominateur.c[n] == 0.0) {
            --n;
        }
    }
    return n;
}

FonctionCircuit fonctionCircuit(const circuit::Montage& montage,
                                const std::optional<AmpliOpReel>& ampli) {
    FonctionCircuit f{{}, 2 * std::numbers::pi * montage.frequence};
    const std::vector<std::size_t> debuts = circuit::debutsBlocs(montage.circuit);
    if (montage.valeurs.size() != debuts.back()) {
        throw std::invalid_argument("not one value for each part");
    }
    for (std::size_t b = 0; b < montage.circuit.blocs.size(); ++b) {
        f.blocs.push_back(
            fonctionBloc(montage.circuit.blocs[b],
                         std::span(montage.valeurs).subspan(debuts[b], debuts[b + 1] - debuts[b]),
                         f.omegaReference, ampli));
    }
    return f;
}

Complexe FonctionCircuit::operator()(Complexe s) const {
    Complexe h = 1.0;
    for (const FonctionBloc& b : blocs) {
        h *= b(s / omegaReference);
    }
    return h;
}

} // namespace quorvan::analyse
