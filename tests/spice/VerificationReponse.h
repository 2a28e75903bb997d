#pragma once

// The check of a simulated design against its family's ideal response.

#include "Libelles.h"
#include "Ngspice.h"

#include <vector>

namespace quorvan::spice::test {

// The pass band may stray this far from the ideal response...
inline constexpr double EcartAdmisDb = 2.0;
// ...and one decade into the stop band the response must be below this.
inline constexpr double AttenuationExigeeDb = -20.0;

struct Verdict {
    double ecartMaxDb = 0.0;    // worst |simulated − ideal| from the open end to the cut-off
    double niveauArretDb = 0.0; // the response one decade beyond the cut-off
    [[nodiscard]] bool conforme() const {
        return ecartMaxDb <= EcartAdmisDb && niveauArretDb < AttenuationExigeeDb;
    }
};

// Compares a sweep of a design typed at `frequence` hertz with the family's prototype moved
// there (s → s/ωc for a low-pass design, s → ωc/s for a high-pass one), each relative to its
// gain at the open end of the sweep: from two decades inside the pass band up to the cut-off,
// and one decade into the stop band. Throws std::runtime_error when the sweep does not reach
// two decades on each side of the cut-off.
[[nodiscard]] Verdict verifierReponse(const std::vector<PointAc>& points, int famille, int ordre,
                                      TypeFiltre type, double frequence);

} // namespace quorvan::spice::test
