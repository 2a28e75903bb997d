#include "PictureBox.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace quorvan::toolkit {

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent) {
    // A 2-pixel sunken border, whatever the style, so the inside keeps its designed width.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    background_ = palette().color(QPalette::WindowText);
}

void PictureBox::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void PictureBox::setBackground(const QColor& colour) {
    background_ = colour;
    update();
}

QSize PictureBox::sizeHint() const {
    const int frame = 2 * frameWidth();
    return picture_.size() + QSize(frame, frame);
}

QSize PictureBox::minimumSizeHint() const {
    const int frame = 2 * frameWidth();
    return {frame, frame};
}

void PictureBox::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        const QRect inside = contentsRect();
        painter.fillRect(inside, background_);
        painter.setClipRect(inside);
        painter.drawImage(inside.topLeft(), picture_);
    }
    QFrame::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = contentsRect().adjusted(1, 1, -1, -1);
        focus.backgroundColor = background_;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace quorvan::toolkit
