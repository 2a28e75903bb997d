// Where tabs land once our RTF is laid out as a QTextDocument: the format measures stops
// from the text's edge, Qt from the start of each line. (The look of the text is checked
// on the help document itself.)

#include "RtfReader.h"
#include "RtfTextDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rtf = quorvan::toolkit::rtf;
using quorvan::toolkit::fillTextDocument;

namespace {

// Where the text after the last tab starts, in twips from the text's left edge, laid out
// at 96 dpi.
double twipsAfterLastTab(const std::string& rtfText) {
    QTextDocument document;
    document.setDocumentMargin(0);
    fillTextDocument(document, rtf::read(rtfText), 96);
    const QTextBlock block = document.begin();
    document.documentLayout()->blockBoundingRect(block); // lays the block out
    const int afterTab = static_cast<int>(block.text().lastIndexOf('\t')) + 1;
    const QTextLayout* layout = block.layout();
    return (layout->position().x() + layout->lineForTextPosition(afterTab).cursorToX(afterTab)) *
           15;
}

TEST(RtfTextDocument, TabsLandWhereTheFormatPutsThem) {
    struct Case {
        const char* name;
        std::string rtf;
        double twips;
    };
    const std::vector<Case> cases = {
        {"a line with no indent", R"({\rtf1\tab y})", 720},
        {"a hanging first line reaches the left indent", R"({\rtf1\fi-360\li1068 x\tab y})", 1068},
        {"the same with bigger text before the tab", R"({\rtf1\fi-360\li1068\fs40 x\tab y})", 1068},
        {"default stops count from the text's edge", R"({\rtf1\li708 x\tab y})", 1440},
        {"an explicit stop", R"({\rtf1\tx2880 x\tab y})", 2880},
        {"defaults resume after the last explicit stop", R"({\rtf1\tx1000 x\tab\tab y})", 1440},
        {"a stop left of the line start is passed by", R"({\rtf1\li3000\tx2880 x\tab y})", 3600},
        {"another default tab length", R"({\rtf1\deftab1000 x\tab y})", 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(twipsAfterLastTab(c.rtf), c.twips, 15);
    }
}

} // namespace
