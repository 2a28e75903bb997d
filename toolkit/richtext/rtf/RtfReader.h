#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A reader for the part of the Rich Text Format that our help document uses: the font and
// colour tables, font sizes, colours, underlining, left, right and first-line indents, tab
// stops, tabs, paragraph and line breaks, and characters written as code-page 1252 bytes,
// \'hh escapes or \uN escapes. Everything else is read past: an unknown control word does
// nothing, an unknown or \* destination is skipped with its group. Lengths are in twips
// (1/1440 inch), as in the format.
namespace quorvan::toolkit::rtf {

struct CharFormat {
    int font = -1;       // the font's number in the font table; -1 when none was chosen
    int halfPoints = 24; // font size in half points (\fs); 12 points unless set
    int colour = 0;      // index into the colour table; 0 is the default text colour
    bool underline = false;

    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

// Characters in one format. Text is Unicode; a tab is U'\t', a line break inside a
// paragraph is U+2028.
struct Run {
    CharFormat format;
    std::u32string text;
};

struct ParagraphFormat {
    int leftIndent = 0;        // \li
    int firstLineIndent = 0;   // \fi, relative to the left indent; negative for a hanging line
    int rightIndent = 0;       // \ri
    std::vector<int> tabStops; // \tx, from the left edge of the text, ascending

    friend bool operator==(const ParagraphFormat&, const ParagraphFormat&) = default;
};

struct Paragraph {
    ParagraphFormat format;
    std::vector<Run> runs;
    // The character format at the paragraph mark, which sizes an empty line.
    CharFormat markFormat;

    [[nodiscard]] std::u32string text() const;
};

struct Font {
    int number = 0;
    std::string name; // as written: code-page 1252 bytes
    int charset = 0;  // \fcharset; 2 is the symbol character set

    // Text in a symbol-set font is stored as the Unicode characters it draws.
    [[nodiscard]] bool isSymbol() const { return charset == 2; }
};

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Colour&, const Colour&) = default;
};

struct Document {
    std::vector<Font> fonts;
    // Colour table entries; an empty entry (no \red, \green or \blue) is the default colour.
    std::vector<std::optional<Colour>> colours;
    int defaultFont = -1; // \deff
    int defaultTab = 720; // \deftab: default tab stops fall every so many twips
    std::vector<Paragraph> paragraphs;

    [[nodiscard]] const Font* font(int number) const;
    // The colour of a table index; nullopt for the default colour or an index outside it.
    [[nodiscard]] std::optional<Colour> colour(int index) const;
};

// Reads `rtf`, which must begin with "{\rtf" (after blank space); anything else gives an
// empty document. Reading stops where the outer group closes or where the input ends.
// Every paragraph ended by \par is kept, empty ones too; text after the last \par forms
// one more paragraph. Any input is read in time and memory proportional to its length.
[[nodiscard]] Document read(std::string_view rtf);

} // namespace quorvan::toolkit::rtf
