#pragma once

#include "Reseau.h"

#include <vector>

namespace quorvan::analyse {

struct PointReponse {
    double frequence; // Hz
    double gainDb;
    double phaseDeg; // unwrapped from the first point on
    double retard;   // group delay, s
};

// The response at `pointsParDecade` frequencies a decade, evenly spaced on a logarithmic
// scale, from `debut` to `fin` hertz, both included.
[[nodiscard]] std::vector<PointReponse> balayer(const Reseau& reseau, double debut, double fin,
                                                int pointsParDecade);

// Two decades either side of a design's cut-off at 50 points a decade: every curve the
// program shows or writes, and what its characteristics are read from.
[[nodiscard]] std::vector<PointReponse> balayerAutour(const Reseau& reseau, double frequence);

// The sweep with points added around each peak of the group delay, the peak among them, so
// that a curve drawn through the points reaches it: what the charts draw. The sweep's own
// points stay as they are.
[[nodiscard]] std::vector<PointReponse> affinerPics(const Reseau& reseau,
                                                    const std::vector<PointReponse>& balayage);

struct Caracteristiques {
    double gainMaxDb = 0.0;    // the highest gain of the pass band
    double coupure3dB = 0.0;   // Hz; NaN when the crossing does not lie within the sweep
    double ondulationDb = 0.0; // from the highest to the lowest gain inside the pass band
    double gainDb = 0.0;       // at the pass band's open end: DC (low-pass), infinity (high-pass)
};

// The pass band read from a sweep of the network's response (its points rising in frequency)
// and from the gain at its open end, beyond the sweep: where the gain, coming from the stop
// band, first reaches 3 dB below its highest value, and how much it varies from the open end
// up to its last peak. The highest and lowest values include the open end's gain; peaks,
// valleys and the crossing are located on the response itself, between the samples that
// bracket them.
[[nodiscard]] Caracteristiques caracteriser(const Reseau& reseau, TypeFiltre type,
                                            const std::vector<PointReponse>& balayage);

// A design's response two decades either side of its cut-off, and its pass band.
struct Courbe {
    std::vector<PointReponse> points;
    Caracteristiques caracteristiques;
};
[[nodiscard]] Courbe analyser(const circuit::Montage& montage);
[[nodiscard]] Courbe analyser(const Conception& conception);

} // namespace quorvan::analyse
