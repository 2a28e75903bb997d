#pragma once

#include "engine/Familles.h"

#include <complex>
#include <optional>
#include <vector>

namespace quorvan::analyse {

// The poles of a family's ideal low-pass response of order n, in rad/s, with the conventions of
// the coefficient table: Bessel normalised to a group delay of 1 s at DC, Butterworth on the
// unit circle, Chebyshev with its ripple (peak to valley) and the ripple band ending at 1 rad/s.
// Every pole in the left half-plane; complex ones come with their conjugates. Throws
// std::out_of_range for an unknown family or an order outside the circuits'.
[[nodiscard]] std::vector<std::complex<double>> polesFamille(int famille, int ordre);

// A pair of conjugate poles as a second-order section: natural frequency and quality factor.
struct PaireDePoles {
    double omega0 = 0.0;
    double q = 0.0;
};

// The poles grouped as the circuits need them: the pairs by rising Q, and the real pole of an
// odd order.
struct PolesGroupes {
    std::vector<PaireDePoles> paires;
    std::optional<double> reel; // its magnitude, rad/s
};
[[nodiscard]] PolesGroupes grouper(const std::vector<std::complex<double>>& poles);

} // namespace quorvan::analyse
