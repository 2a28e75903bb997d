#include "RtfReader.h"

#include "Charsets.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <map>

namespace quorvan::toolkit::rtf {

namespace {

// Groups nested deeper than this are read past whole; the reader keeps one state per open
// group, so without a bound a run of '{' would cost memory without end.
constexpr std::size_t MaxDepth = 256;
// Word's own limit of tab stops in a paragraph.
constexpr std::size_t MaxTabStops = 64;
// 22 inches, the widest page a word processor offers: indents and tab stops stay within.
constexpr int MaxTwips = 31680;
// 1638 points, the largest font size the format's writers produce.
constexpr int MaxHalfPoints = 3276;
constexpr std::size_t MaxFontName = 255; // bytes kept of a font name

constexpr char32_t Replacement = U'\uFFFD';
constexpr char32_t LineSeparator = U'\u2028';

// Destinations whose text is not part of the document.
constexpr auto SkippedDestinations = std::to_array<std::string_view>({
    "info",     "stylesheet", "pict",         "object",
    "header",   "headerl",    "headerr",      "headerf",
    "footer",   "footerl",    "footerr",      "footerf",
    "footnote", "fldinst",    "listtable",    "listoverridetable",
    "revtbl",   "rsidtbl",    "generator",    "falt",
    "panose",   "themedata",  "latentstyles",
});

enum class Destination { Text, FontTable, ColourTable, Skipped };

// What a group inherits from the one around it and gets back when it closes.
struct GroupState {
    Destination destination = Destination::Text;
    CharFormat format;
    ParagraphFormat paragraph;
    int unicodeSkip = 1; // \uc: characters after \uN that stand in for it
};

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

class Reader {
public:
    explicit Reader(std::string_view input)
        : input_(input) {
        groups_.emplace_back();
    }

    Document run() {
        while (pos_ < input_.size() && !finished_) {
            const char c = input_[pos_++];
            switch (c) {
            case '{':
                openGroup();
                break;
            case '}':
                closeGroup();
                break;
            case '\\':
                controlSequence();
                break;
            case '\r':
            case '\n':
                break;
            default:
                byte(static_cast<std::uint8_t>(c));
                break;
            }
        }
        if (!paragraph_.runs.empty()) {
            endParagraph();
        }
        return std::move(document_);
    }

private:
    GroupState& state() { return groups_.back(); }

    // True while the current token belongs to no destination that we read.
    bool ignoring() const {
        return overflow_ > 0 || groups_.back().destination == Destination::Skipped;
    }

    // After \uN, the next characters stand in for it in older readers: read past them.
    bool swallowedAsFallback() {
        if (fallbackLeft_ > 0) {
            --fallbackLeft_;
            return true;
        }
        return false;
    }

    void openGroup() {
        fallbackLeft_ = 0;
        if (overflow_ > 0 || groups_.size() > MaxDepth) {
            ++overflow_;
            return;
        }
        groups_.push_back(groups_.back());
    }

    void closeGroup() {
        fallbackLeft_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (state().destination == Destination::FontTable) {
            commitFont();
        }
        if (groups_.size() == 2) {
            // The document's own group closes: its last paragraph takes the format it has
            // here, not the one outside.
            finished_ = true;
            return;
        }
        groups_.pop_back();
    }

    void controlSequence() {
        if (pos_ >= input_.size()) {
            return;
        }
        const char first = input_[pos_];
        if (!isLetter(first)) {
            ++pos_;
            controlSymbol(first);
            return;
        }
        const std::size_t start = pos_;
        while (pos_ < input_.size() && isLetter(input_[pos_])) {
            ++pos_;
        }
        const std::string_view word = input_.substr(start, pos_ - start);

        bool hasParameter = false;
        bool negative = false;
        long long value = 0;
        if (pos_ + 1 < input_.size() && input_[pos_] == '-' && isDigit(input_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < input_.size() && isDigit(input_[pos_])) {
            hasParameter = true;
            if (value <= std::numeric_limits<int>::max()) {
                value = value * 10 + (input_[pos_] - '0');
            }
            ++pos_;
        }
        if (pos_ < input_.size() && input_[pos_] == ' ') {
            ++pos_; // the space that ends a control word is not text
        }
        value = std::min<long long>(value, std::numeric_limits<int>::max());
        const int parameter = static_cast<int>(negative ? -value : value);
        controlWord(word, hasParameter, parameter);
    }

    void controlSymbol(char symbol) {
        switch (symbol) {
        case '\\':
        case '{':
        case '}':
            byte(static_cast<std::uint8_t>(symbol));
            return;
        case '\'':
            hexEscape();
            return;
        case '*':
            if (overflow_ == 0) {
                state().destination = Destination::Skipped;
            }
            return;
        default:
            break;
        }
        if (ignoring() || swallowedAsFallback() || state().destination != Destination::Text) {
            return;
        }
        switch (symbol) {
        case '~':
            character(U'\u00A0');
            break;
        case '_':
            character(U'\u2011');
            break;
        case '\r':
        case '\n':
            endParagraph();
            break;
        default:
            break; // optional hyphens and the like: nothing to show
        }
    }

    // \'hh: one byte of the document's code page. A truncated or malformed escape is dropped.
    void hexEscape() {
        const int high = pos_ < input_.size() ? hexValue(input_[pos_]) : -1;
        if (high < 0) {
            return;
        }
        ++pos_;
        const int low = pos_ < input_.size() ? hexValue(input_[pos_]) : -1;
        if (low < 0) {
            return;
        }
        ++pos_;
        byte(static_cast<std::uint8_t>(high * 16 + low));
    }

    void controlWord(std::string_view word, bool hasParameter, int parameter) {
        if (word == "bin") {
            // Raw binary data follows: step over it whatever the destination.
            const auto length = static_cast<std::size_t>(std::max(parameter, 0));
            pos_ += std::min(length, input_.size() - pos_);
            return;
        }
        if (ignoring()) {
            return;
        }
        if (std::find(SkippedDestinations.begin(), SkippedDestinations.end(), word) !=
            SkippedDestinations.end()) {
            state().destination = Destination::Skipped;
            return;
        }
        if (word == "fonttbl") {
            state().destination = Destination::FontTable;
            return;
        }
        if (word == "colortbl") {
            state().destination = Destination::ColourTable;
            return;
        }
        switch (state().destination) {
        case Destination::FontTable:
            fontTableWord(word, parameter);
            return;
        case Destination::ColourTable:
            colourTableWord(word, parameter);
            return;
        case Destination::Text:
            if (!swallowedAsFallback()) {
                textWord(word, hasParameter, parameter);
            }
            return;
        case Destination::Skipped:
            return;
        }
    }

    void fontTableWord(std::string_view word, int parameter) {
        if (word == "f") {
            commitFont();
            pendingFont_ = Font{};
            pendingFont_.number = parameter;
            fontPending_ = true;
        } else if (word == "fcharset") {
            pendingFont_.charset = parameter;
        }
    }

    void colourTableWord(std::string_view word, int parameter) {
        const auto component = static_cast<std::uint8_t>(std::clamp(parameter, 0, 255));
        if (word == "red") {
            pendingColour_.red = component;
        } else if (word == "green") {
            pendingColour_.green = component;
        } else if (word == "blue") {
            pendingColour_.blue = component;
        } else {
            return;
        }
        colourPending_ = true;
    }

    void textWord(std::string_view word, bool hasParameter, int parameter) {
        CharFormat& format = state().format;
        ParagraphFormat& paragraph = state().paragraph;
        // \ul and friends turn underlining on; with parameter 0 they turn it off.
        const bool on = !hasParameter || parameter != 0;

        if (word == "par") {
            endParagraph();
        } else if (word == "line") {
            character(LineSeparator);
        } else if (word == "tab") {
            character(U'\t');
        } else if (word == "pard") {
            paragraph = ParagraphFormat{};
        } else if (word == "plain") {
            format = CharFormat{};
            format.font = document_.defaultFont;
        } else if (word == "f") {
            format.font = parameter;
        } else if (word == "fs") {
            if (hasParameter && parameter > 0) {
                format.halfPoints = std::clamp(parameter, 2, MaxHalfPoints);
            }
        } else if (word == "cf") {
            format.colour = std::max(parameter, 0);
        } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" ||
                   word == "ulth") {
            format.underline = on;
        } else if (word == "ulnone") {
            format.underline = false;
        } else if (word == "li") {
            paragraph.leftIndent = std::clamp(parameter, -MaxTwips, MaxTwips);
        } else if (word == "ri") {
            paragraph.rightIndent = std::clamp(parameter, -MaxTwips, MaxTwips);
        } else if (word == "fi") {
            paragraph.firstLineIndent = std::clamp(parameter, -MaxTwips, MaxTwips);
        } else if (word == "tx") {
            addTabStop(paragraph.tabStops, std::clamp(parameter, 0, MaxTwips));
        } else if (word == "deff") {
            document_.defaultFont = parameter;
            format.font = parameter;
        } else if (word == "deftab") {
            if (parameter > 0) {
                document_.defaultTab = std::min(parameter, MaxTwips);
            }
        } else if (word == "uc") {
            state().unicodeSkip = std::clamp(parameter, 0, 255);
        } else if (word == "u") {
            unicodeEscape(parameter);
        }
        // Any other word (\rtf, \ansi, \lang, \viewkind, ...) changes nothing that we show.
    }

    static void addTabStop(std::vector<int>& stops, int position) {
        const auto at = std::lower_bound(stops.begin(), stops.end(), position);
        if ((at != stops.end() && *at == position) || stops.size() >= MaxTabStops) {
            return;
        }
        stops.insert(at, position);
    }

    // \uN gives a UTF-16 code unit as a signed 16-bit number. A symbol font's characters
    // come as U+F020..U+F0FF (its private-use mirror) and are read like its bytes. Lone
    // surrogate halves are not paired up: they show as the replacement character.
    void unicodeEscape(int parameter) {
        long long code = parameter;
        if (code < 0) {
            code += 65536;
        }
        char32_t c = Replacement;
        if (code >= 0 && code <= 0xFFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
            c = static_cast<char32_t>(code);
            if (inSymbolFont()) {
                if (c >= 0xF020 && c <= 0xF0FF) {
                    c = symbolToUnicode(static_cast<std::uint8_t>(c & 0xFF));
                } else if (c <= 0xFF) {
                    c = symbolToUnicode(static_cast<std::uint8_t>(c));
                }
            }
        }
        character(c);
        fallbackLeft_ = state().unicodeSkip;
    }

    // One byte of text, written out or as \'hh: code page 1252, or the symbol set.
    void byte(std::uint8_t b) {
        if (ignoring() || swallowedAsFallback()) {
            return;
        }
        switch (state().destination) {
        case Destination::Text:
            if (b == '\t') {
                character(U'\t');
            } else if (b >= 0x20) {
                character(inSymbolFont() ? symbolToUnicode(b) : cp1252ToUnicode(b));
            }
            return;
        case Destination::FontTable:
            if (b == ';') {
                commitFont();
            } else if (fontPending_ && pendingFont_.name.size() < MaxFontName) {
                pendingFont_.name.push_back(static_cast<char>(b));
            }
            return;
        case Destination::ColourTable:
            if (b == ';') {
                document_.colours.push_back(colourPending_ ? std::optional(pendingColour_)
                                                           : std::nullopt);
                pendingColour_ = Colour{};
                colourPending_ = false;
            }
            return;
        case Destination::Skipped:
            return;
        }
    }

    void character(char32_t c) {
        if (c < 0x20 && c != U'\t') {
            return;
        }
        const CharFormat& format = state().format;
        if (paragraph_.runs.empty() || paragraph_.runs.back().format != format) {
            paragraph_.runs.push_back(Run{format, {}});
        }
        paragraph_.runs.back().text.push_back(c);
    }

    void endParagraph() {
        paragraph_.format = state().paragraph;
        paragraph_.markFormat = state().format;
        document_.paragraphs.push_back(std::move(paragraph_));
        paragraph_ = Paragraph{};
    }

    void commitFont() {
        if (!fontPending_) {
            return;
        }
        fontPending_ = false;
        pendingFont_.name = trimmed(pendingFont_.name);
        // The first definition of a number stands; a later one is a mistake of the writer.
        if (symbolFonts_.emplace(pendingFont_.number, pendingFont_.isSymbol()).second) {
            document_.fonts.push_back(std::move(pendingFont_));
        }
        pendingFont_ = Font{};
    }

    bool inSymbolFont() const {
        const auto found = symbolFonts_.find(groups_.back().format.font);
        return found != symbolFonts_.end() && found->second;
    }

    std::string_view input_;
    std::size_t pos_ = 0;
    bool finished_ = false;
    Document document_;
    std::vector<GroupState> groups_; // groups_.front() stands outside the document's group
    std::size_t overflow_ = 0;       // groups open beyond MaxDepth
    int fallbackLeft_ = 0;
    Paragraph paragraph_;
    Font pendingFont_;
    bool fontPending_ = false;
    Colour pendingColour_;
    bool colourPending_ = false;
    std::map<int, bool> symbolFonts_; // font number: is it a symbol-set font
};

} // namespace

std::u32string Paragraph::text() const {
    std::u32string all;
    for (const Run& run : runs) {
        all += run.text;
    }
    return all;
}

const Font* Document::font(int number) const {
    const auto found = std::find_if(fonts.begin(), fonts.end(),
                                    [number](const Font& f) { return f.number == number; });
    return found != fonts.end() ? &*found : nullptr;
}

std::optional<Colour> Document::colour(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= colours.size()) {
        return std::nullopt;
    }
    return colours[static_cast<std::size_t>(index)];
}

Document read(std::string_view rtf) {
    const auto start = rtf.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || rtf.substr(start, 5) != "{\\rtf") {
        return {};
    }
    return Reader(rtf.substr(start)).run();
}

} // namespace quorvan::toolkit::rtf
