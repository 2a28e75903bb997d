#pragma once

#include <QString>

#include <string_view>

namespace quorvan::toolkit {

// The program keeps its fixed texts as UTF-8 string views; the windows show QStrings.
[[nodiscard]] inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace quorvan::toolkit
