#include "RecordingDesktop.h"

namespace quorvan::toolkit {

void RecordingDesktop::showMessage(QWidget* /*parent*/, const QString& text, MessageIcon icon) {
    events_.push_back({Event::Kind::Message, text, QString::fromUtf8(ApplicationTitle), icon});
}

void RecordingDesktop::beep() {
    events_.push_back({Event::Kind::Beep, {}, {}, {}});
}

} // namespace quorvan::toolkit
