#pragma once

#include <QIcon>

#include <functional>

namespace quorvan::toolkit {

// An icon that `make` makes the first time the icon is drawn or measured, and never before:
// for the icons of controls that may never show. `make` must not give a null icon.
[[nodiscard]] QIcon deferredIcon(std::function<QIcon()> make);

} // namespace quorvan::toolkit
