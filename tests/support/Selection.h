#pragma once

#include "Module1.h"

#include <cstdint>

namespace quorvan::test {

// The module state with a family and an order selected, as the menus leave it.
[[nodiscard]] inline Module1 selection(int famille, int ordre) {
    Module1 module;
    module.NumFiltre = static_cast<std::int16_t>(famille);
    module.NumOrdre = static_cast<std::int16_t>(ordre);
    return module;
}

} // namespace quorvan::test
