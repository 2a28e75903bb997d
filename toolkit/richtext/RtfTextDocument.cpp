#include "RtfTextDocument.h"

#include "toolkit/richtext/rtf/Charsets.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <map>

namespace quorvan::toolkit {

namespace {

// Default tab stops written out after the last explicit one; beyond them the document's
// own tab distance (the same length) takes over, counted from the start of the line.
constexpr int DefaultStopsWritten = 32;

class Converter {
public:
    Converter(const rtf::Document& source, double dotsPerInch)
        : source_(source)
        , dotsPerInch_(dotsPerInch) {
        QString defaultFamily;
        for (const rtf::Font& font : source.fonts) {
            if (!font.isSymbol()) {
                families_.emplace(font.number, fromCp1252(font.name));
            }
        }
        if (const auto found = families_.find(source.defaultFont); found != families_.end()) {
            defaultFamily = found->second;
        }
        for (const rtf::Font& font : source.fonts) {
            if (font.isSymbol()) {
                families_.emplace(font.number, defaultFamily);
            }
        }
    }

    [[nodiscard]] double pixels(int twips) const { return twips * dotsPerInch_ / 1440.0; }

    [[nodiscard]] QTextCharFormat charFormat(const rtf::CharFormat& format) const {
        QTextCharFormat out;
        if (const auto found = families_.find(format.font);
            found != families_.end() && !found->second.isEmpty()) {
            out.setFontFamilies({found->second});
        }
        out.setFontPointSize(format.halfPoints / 2.0);
        if (const auto colour = source_.colour(format.colour)) {
            out.setForeground(QColor(colour->red, colour->green, colour->blue));
        }
        out.setFontUnderline(format.underline);
        return out;
    }

    [[nodiscard]] QTextBlockFormat blockFormat(const rtf::ParagraphFormat& format) const {
        // Text never starts left of the view's edge, where it could not be seen.
        const int left = std::max(format.leftIndent, 0);
        const int first = std::max(format.firstLineIndent, -left);
        QTextBlockFormat out;
        out.setLeftMargin(pixels(left));
        out.setTextIndent(pixels(first));
        out.setRightMargin(pixels(std::max(format.rightIndent, 0)));
        out.setTabPositions(tabPositions(format, left, left + first));
        return out;
    }

private:
    // Qt measures tab positions from where the line starts; the format from the left edge
    // of the text. Converted for the first line, which is the whole of our paragraphs.
    [[nodiscard]] QList<QTextOption::Tab> tabPositions(const rtf::ParagraphFormat& format, int left,
                                                       int lineStart) const {
        std::vector<int> stops = format.tabStops;
        // A hanging first line has a stop where the paragraph's other lines begin.
        if (lineStart < left) {
            stops.push_back(left);
        }
        std::sort(stops.begin(), stops.end());
        const int lastSet = stops.empty() ? lineStart : std::max(lineStart, stops.back());
        const int step = source_.defaultTab;
        for (int k = 1; k <= DefaultStopsWritten; ++k) {
            stops.push_back((lastSet / step + k) * step);
        }
        QList<QTextOption::Tab> out;
        for (const int stop : stops) {
            if (stop > lineStart &&
                (out.isEmpty() || pixels(stop - lineStart) > out.back().position)) {
                out.append(QTextOption::Tab(pixels(stop - lineStart), QTextOption::LeftTab));
            }
        }
        return out;
    }

    static QString fromCp1252(const std::string& bytes) {
        QString text;
        for (const char byte : bytes) {
            text.append(QChar(
                static_cast<char16_t>(rtf::cp1252ToUnicode(static_cast<std::uint8_t>(byte)))));
        }
        return text;
    }

    const rtf::Document& source_;
    double dotsPerInch_;
    std::map<int, QString> families_; // font number: the family its text is shown in
};

} // namespace

void fillTextDocument(QTextDocument& target, const rtf::Document& source, double dotsPerInch) {
    const Converter converter(source, dotsPerInch);
    target.clear();
    QTextOption option = target.defaultTextOption();
    option.setTabStopDistance(converter.pixels(source.defaultTab));
    target.setDefaultTextOption(option);

    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    bool firstBlock = true;
    for (const rtf::Paragraph& paragraph : source.paragraphs) {
        const QTextBlockFormat block = converter.blockFormat(paragraph.format);
        const QTextCharFormat mark = converter.charFormat(paragraph.markFormat);
        if (firstBlock) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(mark);
            firstBlock = false;
        } else {
            cursor.insertBlock(block, mark);
        }
        for (const rtf::Run& run : paragraph.runs) {
            cursor.insertText(
                QString::fromUcs4(run.text.data(), static_cast<qsizetype>(run.text.size())),
                converter.charFormat(run.format));
        }
    }
    cursor.endEditBlock();
}

} // namespace quorvan::toolkit
