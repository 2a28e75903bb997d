#include "Controls.h"

#include <QKeyEvent>

#include <algorithm>
#include <limits>

namespace quorvan::toolkit {

Label::Label(const QString& caption, QWidget* parent)
    : QLabel(caption, parent) {
    setAccessibleName(caption);
}

void Label::setCaption(const QString& caption) {
    setText(caption);
    // A screen reader announces what the label shows now.
    setAccessibleName(caption);
    fitCaption();
}

void Label::setDesignGeometry(const QRect& geometry) {
    design_ = geometry;
    fitCaption();
}

void Label::fitCaption() {
    const QSize voulu = sizeHint();
    QRect cadre = design_;
    cadre.setHeight(std::max(design_.height(), voulu.height()));
    if (voulu.width() > design_.width()) {
        if ((alignment() & Qt::AlignRight) != 0) {
            cadre.setLeft(design_.right() + 1 - voulu.width());
        } else {
            cadre.setWidth(voulu.width());
        }
    }
    setGeometry(cadre);
}

TextBox::TextBox(QWidget* parent)
    : QLineEdit(parent) {
    setMaxLength(std::numeric_limits<int>::max());
}

void TextBox::takeFocus() {
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

CommandButton::CommandButton(QWidget* parent)
    : QPushButton(parent) {
    setAutoDefault(false);
    setDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    // Qt leaves Enter to a window's default button; this window has none.
    const bool entree = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (entree && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace quorvan::toolkit
