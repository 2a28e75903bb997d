#pragma once

#include <QJsonValue>

#include <cmath>

namespace quorvan::cli {

// A number as JSON: null where there is none (no −3 dB point, no design).
inline QJsonValue json(double valeur) {
    return std::isfinite(valeur) ? QJsonValue(valeur) : QJsonValue();
}

} // namespace quorvan::cli
