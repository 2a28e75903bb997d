#include "RichTextBox.h"

#include "RtfTextDocument.h"
#include "toolkit/FormDesign.h"
#include "toolkit/richtext/rtf/RtfReader.h"

#include <QScrollBar>

namespace quorvan::toolkit {

RichTextBox::RichTextBox(QWidget* parent)
    : QTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setUndoRedoEnabled(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void RichTextBox::loadRtf(std::string_view rtf) {
    fillTextDocument(*document(), rtf::read(rtf), logicalDpi(this));
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
}

} // namespace quorvan::toolkit
