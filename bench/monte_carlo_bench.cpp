// Times Monte Carlo trials of a seventh-order design (10,000 trials, median of 7 runs) and
// ngspice running the first few hundred of the same trials in one process: a .control loop that
// alters every part, runs the same sweep and measures the −3 dB point, timed from inside so that
// its start-up does not count (median of slices of 50 trials). Prints both, their ratio, and
// how far the two −3 dB points lie.
//   monte_carlo_bench <ngspice>

#include "analysis/MesureBande.h"
#include "analysis/MonteCarlo.h"
#include "netlist/NetlistSpice.h"
#include "report/CommandeCalcul.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace quorvan;

constexpr std::size_t Essais = 10'000;
constexpr std::size_t TrancheNgspice = 50; // trials between two of ngspice's clock readings
constexpr std::size_t Tranches = 6;
constexpr std::size_t EssaisNgspice = TrancheNgspice * Tranches;
constexpr int Executions = 7;

double mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The design's netlist without its own sweep, with a loop over the trials' values.
std::string netlistEssais(const circuit::Montage& montage, const analyse::Tirage& tirage) {
    std::istringstream netlist(spice::ecrireNetlist(montage));
    std::ostringstream texte;
    texte.precision(17);
    for (std::string ligne; std::getline(netlist, ligne);) {
        if (!ligne.starts_with(".ac") && !ligne.starts_with(".print") && ligne != ".end") {
            texte << ligne << '\n';
        }
    }
    const std::vector<circuit::Piece> pieces = circuit::pieces(montage.circuit);
    std::vector<std::vector<double>> valeurs;
    for (std::size_t k = 0; k < EssaisNgspice; ++k) {
        valeurs.push_back(tirage.essai(k));
    }
    texte << ".control\nset noaskquit\n";
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        texte << "compose v" << pieces[i].nom << " values";
        for (const std::vector<double>& v : valeurs) {
            texte << ' ' << v[i];
        }
        texte << '\n';
    }
    // The clock read between slices of trials, so that a burst of load on the machine shows in
    // one slice only.
    texte << "let k = 0\nrusage\nwhile k < " << EssaisNgspice << '\n';
    for (const circuit::Piece& p : pieces) {
        texte << "alter " << p.nom << " = v" << p.nom << "[k]\n";
    }
    texte << "ac dec 50 " << montage.frequence / 100 << ' ' << montage.frequence * 100 << '\n'
          << "meas ac gmax MAX vdb(out)\nlet seuil = gmax - 3\n"
          << "meas ac f3 WHEN vdb(out)=seuil FALL=LAST\ndestroy all\nlet k = k + 1\n"
          << "if k = floor(k / " << TrancheNgspice << ") * " << TrancheNgspice
          << "\nrusage\nend\nend\nquit\n.endc\n.end\n";
    return texte.str();
}

// Lines "Total elapsed time (seconds) = t" and "f3 = f" of ngspice's output.
struct SortieNgspice {
    std::vector<double> temps;
    std::vector<double> coupures;
};

SortieNgspice lancerNgspice(const std::string& ngspice, const std::string& fichier) {
    const std::string commande = ngspice + " -b " + fichier + " 2>&1";
    FILE* flux = popen(commande.c_str(), "r");
    if (flux == nullptr) {
        std::perror("ngspice");
        std::exit(1);
    }
    SortieNgspice s;
    char tampon[4096];
    while (std::fgets(tampon, sizeof tampon, flux) != nullptr) {
        const std::string ligne = tampon;
        double valeur = 0;
        if (std::sscanf(tampon, "Total elapsed time (seconds) = %lf", &valeur) == 1) {
            s.temps.push_back(valeur);
        } else if (const auto f3 = ligne.find("f3 ");
                   f3 != std::string::npos && ligne.find('=', f3) != std::string::npos) {
            // A progress note without its line end may stand before it.
            s.coupures.push_back(std::strtod(ligne.c_str() + ligne.find('=', f3) + 1, nullptr));
        }
    }
    if (pclose(flux) != 0 || s.temps.size() != Tranches + 1 || s.coupures.size() != EssaisNgspice) {
        std::fprintf(stderr, "ngspice : sortie inattendue (%zu temps, %zu mesures)\n",
                     s.temps.size(), s.coupures.size());
        std::exit(1);
    }
    return s;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage : monte_carlo_bench <ngspice>\n");
        return 2;
    }
    Module1 module;
    module.NumFiltre = 3;
    module.NumOrdre = 7;
    const circuit::Montage montage = circuit::monter(
        executerCalcul(module, {TypeFiltre::PasseBas, "", ""}, "1000", ".").conception);
    analyse::ReglagesMonteCarlo reglages;
    reglages.essais = Essais;

    std::vector<double> durees;
    std::vector<double> processeur; // both cores' time, steadier than the clock on a busy machine
    std::vector<double> coupures;
    for (int i = 0; i <= Executions; ++i) {
        const std::clock_t debutProcesseur = std::clock();
        const auto debut = std::chrono::steady_clock::now();
        const std::optional<analyse::ResultatMonteCarlo> r = analyse::monteCarlo(montage, reglages);
        const auto fin = std::chrono::steady_clock::now();
        if (i > 0) { // the first run warms the caches up
            durees.push_back(std::chrono::duration<double, std::milli>(fin - debut).count());
            processeur.push_back(double(std::clock() - debutProcesseur) * 1000 / CLOCKS_PER_SEC);
        }
        coupures = r->coupures;
    }
    const double programme = mediane(durees);

    const analyse::Tirage tirage(montage, reglages.tolerances, reglages.graine);
    const std::string fichier = "monte_carlo_bench.cir";
    std::ofstream(fichier) << netlistEssais(montage, tirage);
    const SortieNgspice s = lancerNgspice(argv[1], fichier);
    std::remove(fichier.c_str());
    std::vector<double> tranches;
    for (std::size_t i = 0; i < Tranches; ++i) {
        tranches.push_back((s.temps[i + 1] - s.temps[i]) / TrancheNgspice * 1000);
    }
    const double parEssai = mediane(tranches);
    const double ngspice = parEssai * Essais;

    // The program's own −3 dB points of the same trials, against ngspice's interpolation.
    std::vector<double> ecarts;
    for (std::size_t k = 0; k < EssaisNgspice; ++k) {
        const std::vector<double> v = tirage.essai(k);
        const analyse::Caracteristiques c = analyse::mesurer(montage.circuit, v, montage.frequence);
        ecarts.push_back(std::fabs(s.coupures[k] / c.coupure3dB - 1) * 100);
    }
    std::printf("Monte Carlo, Chebyshev 1 dB passe-bas d'ordre 7 \u00E0 1 kHz, %zu essais :\n"
                "  programme : %.1f ms (m\u00E9diane de %d, %u c\u0153urs ; objectif \u2264 500), "
                "%.1f ms de processeur\n"
                "  ngspice : %.3f ms l'essai (m\u00E9diane de %zu tranches de %zu essais, "
                "d\u00E9marrage exclu), soit %.0f ms\n"
                "  rapport : %.0f (objectif \u2265 100)\n"
                "  -3 dB de ngspice (interpol\u00E9 entre ses points) et du programme : "
                "\u00E9cart m\u00E9dian %.3f %%, au plus %.3f %%\n",
                Essais, programme, Executions, std::thread::hardware_concurrency(),
                mediane(processeur), parEssai, Tranches, TrancheNgspice, ngspice,
                ngspice / programme, mediane(ecarts),
                *std::max_element(ecarts.begin(), ecarts.end()));
    return 0;
}
