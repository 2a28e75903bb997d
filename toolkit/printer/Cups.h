#pragma once

#include <QString>

#include <optional>
#include <string>

namespace quorvan::toolkit {

// The default destination of the CUPS server the program talks to; none when there is no
// libcups, no server, or no default.
[[nodiscard]] std::optional<std::string> destinationCupsParDefaut();

// Hands a PDF file to a CUPS destination and keeps the job only if CUPS takes all of it: a
// queue that refuses jobs, a destination gone since it was chosen or a submission cut short
// gives false, with nothing left queued.
[[nodiscard]] bool soumettreACups(const std::string& destination, const QString& pdf, int copies);

} // namespace quorvan::toolkit
