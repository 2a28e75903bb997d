#pragma once

#include "analysis/Reponse.h"
#include "engine/Conception.h"

#include <vector>

namespace quorvan {

// One set of a design's component values as the window analyses it (computed, at standard
// values): the sweep and its pass band, which the summary reads and the CSV file holds, and
// the curve the chart draws, refined where the group delay peaks.
struct Variante : analyse::Courbe {
    Conception conception;
    std::vector<analyse::PointReponse> trace;
};

// Throws a std::exception for a design the analysis cannot handle.
[[nodiscard]] Variante analyserVariante(const Conception& conception);

} // namespace quorvan
