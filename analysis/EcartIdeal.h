#pragma once

#include "FonctionBloc.h"
#include "ReponseIdeale.h"

namespace quorvan::analyse {

// Where a circuit is held to its exact response, in hertz.
struct Bande {
    double debut = 0.0;
    double fin = 0.0;
};

// From a hundredth of the cut-off up to where the exact response is 20 dB below its pass-band
// gain; for a high-pass, the mirror image: from there up to a hundred times the cut-off.
[[nodiscard]] Bande bandeComparaison(const ReponseIdeale& ideale);

// Frequencies over the band, evenly spaced on a logarithmic scale, at least `parDecade` a decade,
// both ends included.
[[nodiscard]] std::vector<double> grille(Bande bande, int parDecade);

// The largest gain difference, in dB, between the circuit and its exact response over the band:
// on 200 points a decade, then each of the largest local differences refined between its
// neighbours.
[[nodiscard]] double ecartMaximalDb(const FonctionCircuit& circuit, const ReponseIdeale& ideale,
                                    Bande bande);

} // namespace quorvan::analyse
