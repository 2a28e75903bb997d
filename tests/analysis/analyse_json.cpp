// Prints as JSON a Monte Carlo run, every trial's values and the netlist, for the comparison with
// NumPy (TYPE passe-bas or passe-haut, SERIE a series or "-" for the computed values, LOI uniforme
// or gauss, "-" no limit):
//   analyse_json FAMILLE ORDRE TYPE FREQUENCE SERIE ESSAIS LOI TOL_R TOL_C GRAINE ECART_PCT
//                ONDULATION_MAX_DB

#include "Conceptions.h"
#include "analysis/MonteCarlo.h"
#include "analysis/ValeursNormalisees.h"
#include "netlist/NetlistSpice.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace quorvan;

std::string json(double v) {
    char texte[32];
    std::snprintf(texte, sizeof texte, "%.17g", v);
    return std::isfinite(v) ? texte : "null";
}

std::string json(std::string_view texte) { // the netlists have no quote nor backslash
    std::string s = "\"";
    for (const char c : texte) {
        s += c == '\n' ? "\\n" : std::string(1, c);
    }
    return s + "\"";
}

std::string json(const std::vector<double>& v) {
    std::string s = "[";
    for (std::size_t i = 0; i < v.size(); ++i) {
        s += (i ? ", " : "") + json(v[i]);
    }
    return s + "]";
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

void monteCarlo(char* argv[]) {
    using namespace analyse;
    const circuit::Montage m = montage(argv);
    const ReglagesMonteCarlo r{static_cast<std::size_t>(std::atol(argv[5])),
                               {std::string_view(argv[6]) == "gauss" ? Loi::Gauss : Loi::Uniforme,
                                std::atof(argv[7]), std::atof(argv[8])},
                               std::strtoull(argv[9], nullptr, 10),
                               {limite(argv[10]), limite(argv[11])}};
    const ResultatMonteCarlo resultat = *analyse::monteCarlo(m, r);
    const Tirage tirage(m, r.tolerances, r.graine);
    std::string essais;
    for (std::size_t k = 0; k < r.essais; ++k) {
        essais += (k ? ",\n" : "") + json(tirage.essai(k));
    }
    const auto repartition = [](const Repartition& p) {
        return "{\"p1\": " + json(p.p1) + ", \"p5\": " + json(p.p5) + ", \"p50\": " + json(p.p50) +
               ", \"p95\": " + json(p.p95) + ", \"p99\": " + json(p.p99) +
               ", \"min\": " + json(p.min) + ", \"max\": " + json(p.max) + "}";
    };
    std::printf("{\"netlist\": %s, \"type\": %s,\n\"essais\": [%s],\n\"coupure_3db_hz\": %s,\n"
                "\"ondulation_db\": %s,\n\"rendement_pct\": %s,\n\"bande_bas_db\": %s,\n"
                "\"bande_haut_db\": %s}\n",
                json(spice::ecrireNetlist(m)).c_str(),
                json(nomCommandeType(m.circuit.type)).c_str(), essais.c_str(),
                repartition(resultat.coupure3dB).c_str(),
                repartition(resultat.ondulationDb).c_str(),
                json(resultat.rendementPct.value_or(NAN)).c_str(),
                json(resultat.bandeBasDb).c_str(), json(resultat.bandeHautDb).c_str());
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 13) {
        std::fprintf(stderr, "usage: see the head of analyse_json.cpp\n");
        return 2;
    }
    monteCarlo(argv + 1);
    return 0;
}
