#include "Conceptions.h"

#include "report/CommandeCalcul.h"

#include <cmath>
#include <random>

namespace quorvan::test {

Conception concevoir(int famille, int ordre, TypeFiltre type, const char* frequence) {
    Module1 module;
    module.NumFiltre = static_cast<std::int16_t>(famille);
    module.NumOrdre = static_cast<std::int16_t>(ordre);
    return executerCalcul(module, {type, "", ""}, frequence, ".").conception;
}

void pourChaqueConception(const std::function<void(const Conception&)>& faire) {
    for (int famille = 0; famille <= FamilleMax; ++famille) {
        for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
            for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
                faire(concevoir(famille, ordre, type, "1000"));
            }
        }
    }
}

circuit::Montage montageQuelconque(TypeFiltre type, int ordre, unsigned graine) {
    std::mt19937_64 alea(graine);
    std::uniform_real_distribution<double> decades(0.0, 3.0);
    circuit::Montage m{1, 1500, circuit::composerCircuit(type, ordre), {}};
    for (const circuit::Piece& p : circuit::pieces(m.circuit)) {
        const bool r =
            m.circuit.blocs[p.bloc].elements[p.indice].nature == circuit::Nature::Resistance;
        m.valeurs.push_back((r ? 1e3 : 1e-9) * std::pow(10.0, decades(alea)));
    }
    return m;
}

analyse::Caracteristiques caracteriserNodal(const circuit::Montage& m) {
    const analyse::Reseau reseau(m);
    std::vector<analyse::PointReponse> points = analyse::balayerAutour(reseau, m.frequence);
    const double ouvert = m.circuit.type == TypeFiltre::PasseBas ? 1e-7 : 1e7;
    const analyse::PointReponse bout =
        analyse::balayer(reseau, m.frequence * ouvert, m.frequence * ouvert, 1).front();
    points.insert(m.circuit.type == TypeFiltre::PasseBas ? points.begin() : points.end(), bout);
    return analyse::caracteriser(reseau, m.circuit.type, points);
}

} // namespace quorvan::test
