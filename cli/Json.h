#pragma once

#include <QJsonValue>
#include <QString>

#include <cmath>
#include <string_view>

namespace quorvan::cli {

// A number as JSON: null where there is none (no −3 dB point, no design).
inline QJsonValue json(double valeur) {
    return std::isfinite(valeur) ? QJsonValue(valeur) : QJsonValue();
}

inline QString qtexte(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace quorvan::cli
