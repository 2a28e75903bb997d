#pragma once

#include "Reponse.h"
#include "Sensibilites.h"
#include "Statistiques.h"
#include "Tirage.h"
#include "circuit/Montage.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <vector>

namespace quorvan::analyse {

inline constexpr std::size_t EssaisMax = 1'000'000;

// What a trial must meet to count in the yield; none by default.
struct Limites {
    std::optional<double> ecartCoupurePct; // −3 dB frequency within ±this % of the nominal's
    std::optional<double> ondulationMaxDb; // ripple at most this
};

struct ReglagesMonteCarlo {
    std::size_t essais = 2000; // 1 to EssaisMax
    Tolerances tolerances{};
    std::uint64_t graine = 1; // fixed, so that a run repeats
    Limites limites{};
    unsigned fils = 0; // computing threads; 0: one a core
};

struct ResultatMonteCarlo {
    Caracteristiques nominal; // the circuit as it is, measured as the trials are
    // Each trial's figures in rising order, what the histograms are drawn from: the −3 dB
    // frequency (Hz) of the trials that have one, and the ripple (dB).
    std::vector<double> coupures;
    std::vector<double> ondulations;
    Repartition coupure3dB;             // of `coupures`
    Repartition ondulationDb;           // of `ondulations`
    std::optional<double> rendementPct; // share of the trials within every limit given, if any
    std::vector<double> frequences;     // Hz: 50 a decade over two decades each side of the cut-off
    std::vector<double> bandeBasDb;     // the 1st percentile of the gain at each frequency
    std::vector<double> bandeHautDb;    // the 99th
    std::vector<Sensibilite> sensibilites; // ranked, "à resserrer en premier" first
    PireCas pireCas;
};

// Called with the trials done so far and the number asked for, from the computing threads,
// one call at a time.
using Progression = std::function<void(std::size_t faits, std::size_t total)>;

// Monte Carlo trials of `montage`, its parts drawn by `reglages`, with ideal op-amps; each
// trial measured as the analysis window measures a curve (mesurerBande). The same settings give
// the same results, whatever the number of threads. Returns nothing once `arret` is asked to
// stop. Throws std::invalid_argument for a number of trials or a tolerance out of range, or
// values that do not fit the circuit.
[[nodiscard]] std::optional<ResultatMonteCarlo> monteCarlo(const circuit::Montage& montage,
                                                           const ReglagesMonteCarlo& reglages,
                                                           std::stop_token arret = {},
                                                           const Progression& progression = {});

} // namespace quorvan::analyse
