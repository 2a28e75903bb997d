#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quorvan::toolkit {

// A label whose caption the program reads and writes, and a screen reader announces. The
// design sizes captions for the narrow dialog font they were drawn with; with a wider system
// font a label grows to show its whole caption, away from its aligned edge, and never shrinks
// below its design.
class Label final : public QLabel {
    Q_OBJECT

public:
    explicit Label(const QString& caption, QWidget* parent = nullptr);

    [[nodiscard]] QString caption() const { return text(); }
    void setCaption(const QString& caption);

    // The geometry the design gives, in pixels; the label grows from it as needed.
    void setDesignGeometry(const QRect& geometry);

private:
    void fitCaption();

    QRect design_;
};

// A single-line text box: any text of any length, read exactly as typed.
class TextBox final : public QLineEdit {
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent = nullptr);

    // Puts the keyboard focus here so that the next keystrokes come to this box.
    void takeFocus();
};

// A push button that is neither the default nor the cancel button of its window. Space or
// Enter presses it when it has the focus, as on any desktop.
class CommandButton final : public QPushButton {
    Q_OBJECT

public:
    explicit CommandButton(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace quorvan::toolkit
