#pragma once

#include "analysis/Reponse.h"

#include <QString>

#include <vector>

namespace quorvan {

// What the summary above the chart says of the design's circuits.
struct Resume {
    double gainDb = 0.0;    // the computed circuit's, in its pass band
    double frequence = 0.0; // typed, Hz
    struct Circuit {
        QString nom;
        analyse::Caracteristiques caracteristiques;
        double ecartIdealDb = 0.0; // the largest deviation from the exact response
    };
    std::vector<Circuit> circuits;
    // In place of the optimised circuit's line when there is none: why, or that it is coming.
    QString optimisation;
};

// One line for the gain, one a circuit with its −3 dB frequency, ripple and deviation from the
// exact response, then the optimisation's state when it has no circuit, and what the minimal
// gain-bandwidth is.
[[nodiscard]] QString texteResume(const Resume& resume);

} // namespace quorvan
