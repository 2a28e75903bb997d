#pragma once

#include "Reponse.h"
#include "ReponseIdeale.h"

#include <span>
#include <vector>

namespace quorvan::analyse {

// A family's exact response at each of `frequences` (hertz, rising), as balayer() gives a
// circuit's: gain, phase unwrapped from the first point on, group delay. The charts draw it
// beside the circuits on the same frequencies.
[[nodiscard]] std::vector<PointReponse> balayerIdeale(const ReponseIdeale& ideale,
                                                      std::span<const double> frequences);

} // namespace quorvan::analyse
