#pragma once

namespace quorvan::analyse {

// An op-amp with one pole: A(s) = A0 / (1 + s·A0 / (2π·GBW)).
struct AmpliOpReel {
    double gbw = 0.0;               // gain-bandwidth product, Hz
    double gainBoucleOuverte = 1e5; // A0, as a ratio: 100 dB unless set
};

} // namespace quorvan::analyse
