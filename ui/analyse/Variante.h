#pragma once

#include "analysis/Reponse.h"
#include "analysis/ReponseIdeale.h"
#include "circuit/Montage.h"

#include <QString>

#include <vector>

namespace quorvan {

// One circuit of the design as the window analyses it (computed values, standard values,
// optimised parts): its name, its parts, the sweep and its pass band, which the summary reads
// and the CSV file holds, and the curve the chart draws, refined where the group delay peaks.
struct Variante : analyse::Courbe {
    QString nom; // in the chart's legend and readout, and in the summary
    circuit::Montage montage;
    std::vector<analyse::PointReponse> trace;
    double ecartIdealDb = 0.0; // its largest deviation from the exact response (EcartIdeal.h)
};

// Throws a std::exception for a circuit the analysis cannot handle.
[[nodiscard]] Variante analyserVariante(QString nom, circuit::Montage montage,
                                        const analyse::ReponseIdeale& ideale);

} // namespace quorvan
