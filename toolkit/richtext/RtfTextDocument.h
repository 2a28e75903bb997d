#pragma once

#include "toolkit/richtext/rtf/RtfReader.h"

class QTextDocument;

namespace quorvan::toolkit {

// Replaces the content of `target` by `source`, one text block per paragraph, with lengths
// converted from twips to pixels at `dotsPerInch`.
//
// Tab stops keep their meaning in the format: measured from the left edge of the text, with
// default stops every `defaultTab` twips after the last stop of the paragraph, and, in a
// paragraph whose first line hangs, a stop at the left indent. Text in a symbol-set font
// has been read as Unicode already and is shown in the document's default font. Text in
// no font, or in a font missing from the table, takes the default font of `target`.
void fillTextDocument(QTextDocument& target, const rtf::Document& source, double dotsPerInch);

} // namespace quorvan::toolkit
