#pragma once

#include "FonctionBloc.h"
#include "engine/Conception.h"

#include <vector>

namespace quorvan::analyse {

// What one op-amp block of a design must do for the whole circuit to follow its family exactly.
struct CibleBloc {
    // The exact poles it realises, of the normalised low-pass prototype (1 rad/s is the cut-off).
    std::vector<Complexe> poles;
    // Its numbered parts' time constants, in the order of its elements, that realise them when the
    // block's common parts are equal: R·Ci·ωref in a low-pass block, 1 / (Ri·C·ωref) in a
    // high-pass one (which is the low-pass one at ωref / s).
    std::vector<double> constantes;
    Complexe gain; // where the block passes, as the computed design's has it
};

// The blocks of the computed design's circuit, input first. The exact pole pairs go to the blocks
// in the order of the Q the stored row gives them, the real pole to the three-component section.
[[nodiscard]] std::vector<CibleBloc> ciblesBlocs(const Conception& calculee);

} // namespace quorvan::analyse
