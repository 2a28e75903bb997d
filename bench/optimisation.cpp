// The optimiser over every selection at random cut-offs from 1 Hz to 100 kHz: its largest
// deviation from the exact response (median, ninth decile, worst), against plain rounding, and
// its time per design (median and worst).
// Usage: optimisation [frequencies per selection, default 100] [resistor series] [capacitor series]

#include "analysis/Optimisation.h"

#include "report/CommandeCalcul.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5)];
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace quorvan;
    const int parSelection = argc > 1 ? std::atoi(argv[1]) : 100;
    const analyse::SeriesPieces series{*analyse::serieNommee(argc > 2 ? argv[2] : "E96"),
                                       *analyse::serieNommee(argc > 3 ? argv[3] : "E12")};
    std::mt19937_64 alea(2026);
    std::uniform_real_distribution<double> decades(0.0, 5.0);
    std::vector<double> ecarts;
    std::vector<double> arrondis;
    std::vector<double> durees;
    int pires = 0;
    int echecs = 0;
    int designs = 0;
    for (const Famille& f : Familles) {
        for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
            for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
                for (int k = 0; k < parSelection; ++k) {
                    Module1 module;
                    module.NumFiltre = static_cast<std::int16_t>(f.index);
                    module.NumOrdre = static_cast<std::int16_t>(ordre);
                    const std::string frequence = std::to_string(std::pow(10.0, decades(alea)));
                    const IssueCalcul issue =
                        executerCalcul(module, {type, "", ""}, frequence, ".");
                    if (issue.contenu != ContenuResultat::Rapport) {
                        continue;
                    }
                    ++designs;
                    const auto debut = std::chrono::steady_clock::now();
                    const analyse::Optimisation o = analyse::optimiser(issue.conception, series);
                    durees.push_back(std::chrono::duration<double, std::milli>(
                                         std::chrono::steady_clock::now() - debut)
                                         .count());
                    if (!o.montage) {
                        ++echecs;
                        continue;
                    }
                    ecarts.push_back(o.ecartMaxDb);
                    arrondis.push_back(o.ecartMaxArrondiDb);
                    pires += o.ecartMaxDb > o.ecartMaxArrondiDb;
                }
            }
        }
    }
    std::printf("%s/%s: %d designs, %d without a solution, %d worse than rounding\n",
                std::string(series.resistances.nom).c_str(),
                std::string(series.condensateurs.nom).c_str(), designs, echecs, pires);
    std::printf("optimised: median %.3f dB, ninth decile %.3f dB, worst %.3f dB\n",
                quantile(ecarts, 0.5), quantile(ecarts, 0.9), quantile(ecarts, 1.0));
    std::printf("rounded:   median %.3f dB, ninth decile %.3f dB, worst %.3f dB\n",
                quantile(arrondis, 0.5), quantile(arrondis, 0.9), quantile(arrondis, 1.0));
    std::printf("time per design: median %.2f ms, worst %.2f ms\n", quantile(durees, 0.5),
                quantile(durees, 1.0));
    return 0;
}
