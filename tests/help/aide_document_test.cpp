// The help text as the help window shows it, read back from the laid-out QTextDocument.

#include "FrmAide.h"
#include "RichTextBox.h"

#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <vector>

namespace {

const QColor Yellow(255, 255, 0), Green(0, 255, 0), Black(0, 0, 0);
const QString Bullet = QString(QChar(0x2022)) + '\t';

double twips(double pixels) {
    return pixels * 15;
} // at 96 dpi

class HelpDocument : public testing::Test {
protected:
    void SetUp() override {
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
            lines_.push_back(b);
            document()->documentLayout()->blockBoundingRect(b); // lays it out
        }
    }
    [[nodiscard]] QTextDocument* document() const { return window_.richTextBox1()->document(); }

    [[nodiscard]] int find(const QString& text) const {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (lines_[i].text() == text) {
                return static_cast<int>(i);
            }
        }
        ADD_FAILURE() << "no line \"" << text.toStdString() << '"';
        return 0;
    }
    [[nodiscard]] std::vector<QTextBlock> bullets() const {
        std::vector<QTextBlock> out;
        std::copy_if(lines_.begin(), lines_.end(), std::back_inserter(out),
                     [](const QTextBlock& b) { return b.text().startsWith(Bullet); });
        return out;
    }

    quorvan::FrmAide window_;
    std::vector<QTextBlock> lines_;
};

TEST_F(HelpDocument, SectionsInOrder) {
    ASSERT_EQ(lines_.size(), 66u);
    EXPECT_EQ(lines_[0].text(), QString(45, '*'));
    EXPECT_EQ(lines_[1].text(), "Programme de calcul des quorvan");
    EXPECT_EQ(lines_[2].text(), QString::fromUtf8("\u00E0 amplificateurs op\u00E9rationnels"));
    EXPECT_EQ(lines_[3].text(), QString(45, '*'));
    EXPECT_TRUE(lines_[4].text().isEmpty());
    int previous = find("L'utilisateur peut choisir :");
    for (const QString& heading :
         {QString(" Filtre de Bessel :"), QString("Filtre de Butterworth :"),
          QString("Filtre de Chebyshev :"), QString("Recommandations :"),
          QString("Quelques mise en garde :")}) {
        SCOPED_TRACE(heading.toStdString());
        const int at = find(heading);
        EXPECT_GT(at, previous);
        EXPECT_TRUE(lines_[at - 1].text().isEmpty());
        previous = at;
    }
    EXPECT_TRUE(lines_[find(" Filtre de Bessel :") + 3].text().endsWith("sans ondulations."));
    EXPECT_GT(find(QString::fromUtf8(
                  "Filtre \u00E0 bande passante plate avec une l\u00E9g\u00E8re ondulation.")),
              0);
    EXPECT_EQ(find("\tNote: Vous pouvez obtenir un filtre passe-bande en") + 1,
              find("\tassociant un filtre passe-bas avec un passe-haut !"));
    EXPECT_EQ(lines_.back().text(), "\tBon courage !");
    const QString text = document()->toPlainText();
    for (const char* ohms : {"500 \u03A9", "1 M\u03A9", "10 k\u03A9"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(ohms))) << ohms;
    }
}

TEST_F(HelpDocument, EveryCharacterHasTheLookOfItsStyle) {
    // Yellow for the banner rows, green and 14 points for the title and the headings (only
    // the headings underlined), 10-point black for the rest; Times New Roman throughout.
    const std::vector<int> green = {1,
                                    2,
                                    find(" Filtre de Bessel :"),
                                    find("Filtre de Butterworth :"),
                                    find("Filtre de Chebyshev :"),
                                    find("Recommandations :")};
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        for (auto it = lines_[i].begin(); !it.atEnd(); ++it) {
            SCOPED_TRACE(it.fragment().text().toStdString());
            const QTextCharFormat format = it.fragment().charFormat();
            const bool heading = std::count(green.begin(), green.end(), static_cast<int>(i)) > 0;
            const QColor colour = i == 0 || i == 3 ? Yellow : heading ? Green : Black;
            EXPECT_EQ(format.foreground().color(), colour);
            EXPECT_EQ(format.fontPointSize(), heading ? 14 : 10);
            EXPECT_EQ(format.fontUnderline(), heading && i > 2);
            EXPECT_EQ(format.fontFamilies().toStringList().value(0), "Times New Roman");
        }
    }
    // Shown in Times New Roman or its metric twin, so the lines keep their lengths.
    const QString shown = QFontInfo(QFont("Times New Roman")).family();
    EXPECT_TRUE(shown == "Times New Roman" || shown == "Liberation Serif") << shown.toStdString();
}

TEST_F(HelpDocument, BulletsAndIndents) {
    EXPECT_DOUBLE_EQ(twips(lines_[find("L'utilisateur peut choisir :")].blockFormat().leftMargin()),
                     708);
    const std::vector<QTextBlock> all = bullets();
    ASSERT_EQ(all.size(), 8u);
    const QString intro[] = {"Le type de filtre: Passe-bas ou Passe-haut",
                             QString::fromUtf8("L'ordre du filtre de 2 \u00E0 7"),
                             "La structure du filtre : Bessel, Butterworth,", "Chebyshev"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(all[i].text(), Bullet + intro[i]);
        EXPECT_DOUBLE_EQ(twips(all[i].blockFormat().leftMargin()), 1068);
        EXPECT_DOUBLE_EQ(twips(all[i].blockFormat().textIndent()), -360);
        // Laid out, the dot hangs at 708 twips and the text starts at the left indent.
        const QTextLine line = all[i].layout()->lineAt(0);
        EXPECT_NEAR(twips(line.cursorToX(0)), 708, 16);
        EXPECT_NEAR(twips(line.cursorToX(2)), 1068, 16);
    }
    EXPECT_EQ(all[2].next().text(), intro[3]);
    EXPECT_DOUBLE_EQ(twips(all[2].next().blockFormat().leftMargin()), 1068);

    for (std::size_t i = 3; i < all.size(); ++i) {
        SCOPED_TRACE(all[i].text().toStdString());
        EXPECT_TRUE(all[i].text().mid(2, 3).startsWith("  ") && all[i].text().at(4) != ' ');
        EXPECT_DOUBLE_EQ(twips(all[i].blockFormat().leftMargin()), 708);
        // Continuation lines have no indent and begin with a tab.
        EXPECT_TRUE(all[i].next().text().startsWith('\t'));
        EXPECT_DOUBLE_EQ(all[i].next().blockFormat().leftMargin(), 0);
    }
}

TEST_F(HelpDocument, EveryLineIsAHardBreakAndTheTextScrolls) {
    // At the design size no line wraps, and the text is taller than the window.
    for (const QTextBlock& line : lines_) {
        EXPECT_EQ(line.layout()->lineCount(), 1) << line.text().toStdString();
    }
    EXPECT_GT(document()->size().height(), window_.height());
}

} // namespace
