#pragma once

#include "AmpliOpReel.h"
#include "circuit/Montage.h"

#include <optional>

namespace quorvan::analyse {

// How far a one-pole op-amp may move the gain from the ideal op-amps' response, in dB.
inline constexpr double EcartAmpliMaxDb = 0.2;

// The GBW (Hz) an op-amp of open-loop gain A0 needs in every block of the circuit: the lowest at
// which the gain stays within EcartAmpliMaxDb of the ideal op-amps' response over the pass band,
// checked at 200 points a decade, from a hundredth of the typed cut-off up to the ideal
// circuit's −3 dB frequency (high-pass: from it up to a hundred times the typed cut-off).
// Found by doubling from the typed cut-off until the gain holds, then bisecting. Nothing when
// the ideal circuit has no −3 dB point or when A0 alone moves the gain further.
[[nodiscard]] std::optional<double>
gbwNecessaire(const circuit::Montage& montage,
              double gainBoucleOuverte = AmpliOpReel{}.gainBoucleOuverte);

} // namespace quorvan::analyse
