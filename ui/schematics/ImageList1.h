#pragma once

#include "toolkit/ImageList.h"

namespace quorvan {

// ImageList1: the twelve circuit pictures, low-pass orders 2..7 then high-pass orders 2..7,
// each drawn from its circuit when first asked for. Drawing needs a QGuiApplication.
[[nodiscard]] toolkit::ImageList chargerImageList1();

} // namespace quorvan
