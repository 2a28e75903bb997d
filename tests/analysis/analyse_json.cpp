// Prints as JSON a Monte Carlo run, every trial's values and the netlist, for the comparison with
// NumPy (TYPE passe-bas or passe-haut, SERIE a series or "-" for the computed values, LOI uniforme
// or gauss, "-" no limit):
//   analyse_json FAMILLE ORDRE TYPE FREQUENCE SERIE ESSAIS LOI TOL_R TOL_C GRAINE ECART_PCT
//                ONDULATION_MAX_DB

#include "Conceptions.h"
#include "analysis/MonteCarlo.h"
#include "analysis/ValeursNormalisees.h"
#include "netlist/NetlistSpice.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using namespace quorvan;

// Qt writes each double with the fewest digits that read back as the same double.
QJsonValue json(double v) {
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue();
}

QJsonArray json(const std::vector<double>& v) {
    QJsonArray tableau;
    for (const double x : v) {
        tableau.append(json(x));
    }
    return tableau;
}

std::optional<double> limite(std::string_view texte) {
    return texte == "-" ? std::nullopt : std::optional(std::atof(texte.data()));
}

circuit::Montage montage(char* argv[]) {
    const Conception c = test::concevoir(
        std::atoi(argv[0]), std::atoi(argv[1]),
        std::string_view(argv[2]) == "passe-haut" ? TypeFiltre::PasseHaut : TypeFiltre::PasseBas,
        argv[3]);
    const std::optional<analyse::Serie> serie = analyse::serieNommee(argv[4]);
    return circuit::monter(serie ? analyse::normaliser(c, *serie) : c);
}

QJsonObject monteCarlo(char* argv[]) {
    using namespace analyse;
    const circuit::Montage m = montage(argv);
    const ReglagesMonteCarlo r{static_cast<std::size_t>(std::atol(argv[5])),
                               {std::string_view(argv[6]) == "gauss" ? Loi::Gauss : Loi::Uniforme,
                                std::atof(argv[7]), std::atof(argv[8])},
                               std::strtoull(argv[9], nullptr, 10),
                               {limite(argv[10]), limite(argv[11])}};
    const ResultatMonteCarlo resultat = *analyse::monteCarlo(m, r);
    const Tirage tirage(m, r.tolerances, r.graine);
    QJsonArray essais;
    for (std::size_t k = 0; k < r.essais; ++k) {
        essais.append(json(tirage.essai(k)));
    }
    const auto repartition = [](const Repartition& p) {
        return QJsonObject{{"p1", json(p.p1)},   {"p5", json(p.p5)},   {"p50", json(p.p50)},
                           {"p95", json(p.p95)}, {"p99", json(p.p99)}, {"min", json(p.min)},
                           {"max", json(p.max)}};
    };
    return {{"netlist", QString::fromStdString(spice::ecrireNetlist(m))},
            {"type", QString::fromUtf8(nomCommandeType(m.circuit.type))},
            {"essais", essais},
            {"coupure_3db_hz", repartition(resultat.coupure3dB)},
            {"ondulation_db", repartition(resultat.ondulationDb)},
            {"rendement_pct", json(resultat.rendementPct.value_or(NAN))},
            {"bande_bas_db", json(resultat.bandeBasDb)},
            {"bande_haut_db", json(resultat.bandeHautDb)}};
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 13) {
        std::fprintf(stderr, "usage: see the head of analyse_json.cpp\n");
        return 2;
    }
    std::fputs(QJsonDocument(monteCarlo(argv + 1)).toJson().constData(), stdout);
    return 0;
}
