#pragma once

#include <QTextEdit>

#include <string_view>

namespace quorvan::toolkit {

// A box that shows an RTF document (the subset rtf::read knows) and scrolls it. The text
// is read-only: it can be selected and copied, and the keyboard moves through it, but
// nothing the user does changes it. The vertical scroll bar comes when the text is taller
// than the box; lines wrap at the box's width.
class RichTextBox final : public QTextEdit {
    Q_OBJECT

public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // Replaces the content by the document `rtf`, shown from the top. Input that is not RTF
    // leaves the box empty; malformed RTF shows what could be read of it.
    void loadRtf(std::string_view rtf);
};

} // namespace quorvan::toolkit
