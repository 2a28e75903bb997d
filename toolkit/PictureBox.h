#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>

namespace quorvan::toolkit {

// Shows one picture unscaled at the top-left corner of its sunken frame, over a background
// colour that the picture's transparent pixels let through. It takes keyboard focus with
// Tab, as the window's tab order expects, and shows it with the style's focus frame.
class PictureBox final : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    [[nodiscard]] const QImage& picture() const { return picture_; }

    void setBackground(const QColor& colour);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    QColor background_;
};

} // namespace quorvan::toolkit
