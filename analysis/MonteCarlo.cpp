#include "MonteCarlo.h"

#include "BandeCentiles.h"
#include "GainCircuit.h"
#include "MesureBande.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <mutex>
#include <span>
#include <stdexcept>
#include <thread>

namespace quorvan::analyse {

namespace {

// Trials are handed out in lots: few enough locks, and lots enough to share out.
constexpr std::size_t TailleLot = 256;

bool dansLesLimites(const Limites& limites, double coupureNominale, double coupure,
                    double ondulation) {
    // A trial without a −3 dB point fails.
    return !std::isnan(coupure) &&
           (!limites.ecartCoupurePct ||
            std::fabs(coupure / coupureNominale - 1) * 100 <= *limites.ecartCoupurePct) &&
           (!limites.ondulationMaxDb || ondulation <= *limites.ondulationMaxDb);
}

} // namespace

std::optional<ResultatMonteCarlo> monteCarlo(const circuit::Montage& montage,
                                             const ReglagesMonteCarlo& reglages,
                                             std::stop_token arret,
                                             const Progression& progression) {
    const std::size_t n = reglages.essais;
    if (n == 0 || n > EssaisMax) {
        throw std::invalid_argument("a number of trials out of range");
    }
    const Tirage tirage(montage, reglages.tolerances, reglages.graine);
    const circuit::Circuit& circuit = montage.circuit;
    const std::vector<double> x = grilleCourbe();
    ResultatMonteCarlo r;
    r.nominal = mesurer(circuit, montage.valeurs, montage.frequence);

    // Each trial's figures at its own index, so the threads never share a slot.
    std::vector<double> coupures(n);
    std::vector<double> ondulations(n);
    BandeCentiles bande(x.size(), n);
    const std::size_t lots = (n + TailleLot - 1) / TailleLot;
    std::atomic<std::size_t> prochain{0};
    std::atomic<bool> echec{false};
    std::mutex verrou; // over the band, the count, the progress calls and the error
    std::size_t faits = 0;
    std::exception_ptr erreur;
    const auto travailler = [&] {
        try {
            std::vector<double> valeurs(tirage.nombrePieces());
            std::vector<double> carres(TailleLot * x.size());
            for (std::size_t lot = prochain++; lot < lots && !arret.stop_requested() && !echec;
                 lot = prochain++) {
                const std::size_t debut = lot * TailleLot;
                const std::size_t fin = std::min(n, debut + TailleLot);
                for (std::size_t k = debut; k < fin; ++k) {
                    tirage.essai(k, valeurs);
                    const GainCircuit g(circuit, valeurs, montage.frequence);
                    const std::span ligne(carres.data() + (k - debut) * x.size(), x.size());
                    g.carres(x, ligne);
                    const Caracteristiques c =
                        mesurerBande(g, circuit.type, x, ligne, montage.frequence);
                    coupures[k] = c.coupure3dB;
                    ondulations[k] = c.ondulationDb;
                }
                const std::scoped_lock garde(verrou);
                for (std::size_t k = debut; k < fin; ++k) {
                    bande.ajouter(std::span(carres.data() + (k - debut) * x.size(), x.size()));
                }
                faits += fin - debut;
                if (progression) {
                    progression(faits, n);
                }
            }
        } catch (...) {
            const std::scoped_lock garde(verrou);
            erreur = erreur ? erreur : std::current_exception();
            echec = true;
        }
    };
    const unsigned coeurs = std::max(1u, std::thread::hardware_concurrency());
    const auto fils = std::min<std::size_t>(reglages.fils > 0 ? reglages.fils : coeurs, lots);
    {
        std::vector<std::jthread> autres;
        for (std::size_t i = 1; i < fils; ++i) {
            autres.emplace_back(travailler);
        }
        travailler();
    }
    if (erreur) {
        std::rethrow_exception(erreur);
    }
    if (faits < n) {
        return std::nullopt;
    }

    if (reglages.limites.ecartCoupurePct || reglages.limites.ondulationMaxDb) {
        std::size_t bons = 0;
        for (std::size_t k = 0; k < n; ++k) {
            bons +=
                dansLesLimites(reglages.limites, r.nominal.coupure3dB, coupures[k], ondulations[k]);
        }
        r.rendementPct = 100.0 * static_cast<double>(bons) / static_cast<double>(n);
    }
    std::erase_if(coupures, [](double f) { return std::isnan(f); });
    std::sort(coupures.begin(), coupures.end());
    std::sort(ondulations.begin(), ondulations.end());
    r.coupure3dB = repartition(coupures);
    r.ondulationDb = repartition(ondulations);
    r.coupures = std::move(coupures);
    r.ondulations = std::move(ondulations);
    for (const double xi : x) {
        r.frequences.push_back(xi * montage.frequence);
    }
    r.bandeBasDb = bande.centile1Db();
    r.bandeHautDb = bande.centile99Db();
    r.sensibilites = sensibilites(montage, reglages.tolerances);
    r.pireCas = pireCas(montage, r.sensibilites, reglages.tolerances);
    return r;
}

} // namespace quorvan::analyse
