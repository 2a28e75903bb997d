#pragma once

#include "engine/Module1.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvan {

// Lines of the report end with CR LF, the last one included.
inline constexpr std::string_view FinDeLigne = "\r\n";

// What heads every report: the captions of the family and type labels, the order and the
// frequency as read from the frequency box.
struct EnTeteRapport {
    std::string_view libelleFiltre;
    std::string_view libelleType;
    int NumOrdre = 2;
    double frequence = 0.0;
};

// Low-pass: the common resistor, then C1..Cn from TabC.
[[nodiscard]] std::string composerRapportPasseBas(const EnTeteRapport& entete, std::int32_t RChoix,
                                                  const TableauComposants& TabC,
                                                  std::string_view separateur);

// High-pass: the common capacitor, then R1..Rn from TabR.
[[nodiscard]] std::string composerRapportPasseHaut(const EnTeteRapport& entete, double CChoix,
                                                   const TableauComposants& TabR,
                                                   std::string_view separateur);

} // namespace quorvan
