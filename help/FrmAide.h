#pragma once

#include <QWidget>

namespace quorvan {

namespace toolkit {
class RichTextBox;
}

// The help window: the help text in a rich-text box that fills the client area. A window of
// its own, with no parent and no owner, at its design position and size; closing it (Esc
// too) destroys it (Qt::WA_DeleteOnClose).
class FrmAide final : public QWidget {
    Q_OBJECT

public:
    FrmAide();
    ~FrmAide() override;

    [[nodiscard]] toolkit::RichTextBox* richTextBox1() const { return RichTextBox1_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Makes RichTextBox1 fill the client area: height, width, then top; 0 × 0 when the
    // window is minimised.
    void Form_Resize();

    toolkit::RichTextBox* RichTextBox1_;
};

} // namespace quorvan
