#pragma once

#include "Desktop.h"

#include <QString>

#include <vector>

namespace quorvan::toolkit {

// A desktop for tests: remembers every message box and beep in order and answers OK at
// once.
class RecordingDesktop final : public Desktop {
public:
    struct Event {
        enum class Kind { Message, Beep };
        Kind kind = Kind::Message;
        QString text;  // message boxes only
        QString title; // message boxes only
        MessageIcon icon = MessageIcon::None;
    };

    void showMessage(QWidget* parent, const QString& text, MessageIcon icon) override;
    void beep() override;

    [[nodiscard]] const std::vector<Event>& events() const { return events_; }
    void clear() { events_.clear(); }

private:
    std::vector<Event> events_;
};

} // namespace quorvan::toolkit
