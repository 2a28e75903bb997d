#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace quorvan::toolkit {

// Writes `bytes` to `path` whole or not at all. A regular file, new or existing, is written
// beside its place and takes it only once complete: on any failure the existing file stays as
// it was and nothing is left behind. A device or a pipe (/dev/null, a FIFO) cannot be replaced
// and is written in place. Returns why it failed, in French ("plus de place sur le disque").
[[nodiscard]] std::optional<QString> writeWholeFile(const QString& path, QByteArrayView bytes);

// Why a write failed, in French, from the system's error number (0 when it gave none).
[[nodiscard]] QString writeErrorReason(int errnum);

} // namespace quorvan::toolkit
