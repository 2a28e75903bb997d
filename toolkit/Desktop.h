#pragma once

#include <QString>

class QWidget;

namespace quorvan::toolkit {

enum class MessageIcon { None, Information };

// What the windows ask of the desktop beyond their own controls: modal message boxes and
// the system beep. Windows receive one and never call Qt for these, so tests can swap in a
// RecordingDesktop and never block on a modal box.
class Desktop {
public:
    virtual ~Desktop() = default;

    // A modal box titled "Quorvan" with one OK button; CR LF pairs in `text` break lines.
    // Returns when the user has closed it.
    virtual void showMessage(QWidget* parent, const QString& text, MessageIcon icon) = 0;

    // The system's default beep; returns at once.
    virtual void beep() = 0;
};

// The title of every message box.
inline const char* const ApplicationTitle = "Quorvan";

// The real desktop: QMessageBox and QApplication::beep().
class QtDesktop final : public Desktop {
public:
    void showMessage(QWidget* parent, const QString& text, MessageIcon icon) override;
    void beep() override;
};

} // namespace quorvan::toolkit
