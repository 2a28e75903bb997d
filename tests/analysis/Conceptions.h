#pragma once

#include "circuit/Montage.h"
#include "engine/Conception.h"

#include <functional>

namespace quorvan::test {

// The design "Calcul" gives for a family, order, type and typed frequency.
[[nodiscard]] Conception concevoir(int famille, int ordre, TypeFiltre type, const char* frequence);

// Every family, order and type at 1 kHz, where each has a design.
void pourChaqueConception(const std::function<void(const Conception&)>& faire);

} // namespace quorvan::test
