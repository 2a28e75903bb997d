// The reader on well-formed RTF, and its byte tables against independent sources.

#include "Charsets.h"
#include "RtfReader.h"

#include <gtest/gtest.h>

#include <iconv.h>
#include <set>
#include <string>
#include <vector>

namespace rtf = quorvan::toolkit::rtf;

namespace {

std::vector<std::u32string> texts(const rtf::Document& document) {
    std::vector<std::u32string> out;
    for (const rtf::Paragraph& paragraph : document.paragraphs) {
        out.push_back(paragraph.text());
    }
    return out;
}

TEST(RtfReader, TextAndParagraphs) {
    struct Case {
        const char* name;
        std::string rtf;
        std::vector<std::u32string> paragraphs;
    };
    const std::vector<Case> cases = {
        {"the space ending a word is not text",
         R"({\rtf1\ansi Bonjour  vous})",
         {U"Bonjour  vous"}},
        {"empty paragraphs kept, no extra one at the end",
         R"({\rtf1 a\par\par b\par})",
         {U"a", U"", U"b"}},
        {"escaped braces and backslash", R"({\rtf1 \{x\}\\})", {U"{x}\\"}},
        {"code page 1252", R"({\rtf1 op\'e9ra\'80 \'B5F})", {U"op\u00E9ra\u20AC \u00B5F"}},
        {"tab, line break, no-break space",
         R"({\rtf1 a\tab b\line c\~d})",
         {U"a\tb\u2028c\u00A0d"}},
        {"raw line ends are not text", "{\\rtf1 a\r\nb\\\nc}", {U"ab", U"c"}},
        {"\\u and its fallback",
         R"({\rtf1\u937?x\uc2\u8364\'80\'81y{\uc3\u937}z})",
         {U"\u03A9x\u20ACy\u03A9z"}},
        {"unknown words do nothing", R"({\rtf1\foo\bar12 a\zzz-3 b})", {U"ab"}},
        {"skipped destinations",
         R"({\rtf1{\*\generator R;}a{\info{\title t}}b{\*\x{c}}d})",
         {U"abd"}},
        {"\\bin data is stepped over", R"({\rtf1 a\bin3 }{\b})", {U"ab"}},
        {"nothing after the outer group", " \r\n{\\rtf1 a}b", {U"a"}},
        {"not RTF at all", "Bonjour {\\rtf1 a}", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(texts(rtf::read(c.rtf)), c.paragraphs);
    }
}

TEST(RtfReader, FormatsFollowGroupsAndTables) {
    const rtf::Document document = rtf::read(
        R"({\rtf1\deff0{\fonttbl{\f0\froman Times New Roman;}{\f1\fcharset2{\*\panose 0505} Symbol;})"
        R"(\f7 Ar\'efal;\f0 Again;}{\colortbl ;\red255\green255\blue0;\red300\green-4;})"
        R"(\fs20 a{\f1\fs28\ul\cf2 W\'b7}b\ul c\ul0 d\ul e\ulnone f\f7\cf1 g\plain h})");
    ASSERT_EQ(document.fonts.size(), 3u) << "the first definition of a number stands";
    EXPECT_EQ(document.font(0)->name, "Times New Roman");
    EXPECT_TRUE(document.font(1)->isSymbol());
    EXPECT_EQ(document.font(7)->name, "Ar\xEF"
                                      "al");
    ASSERT_EQ(document.colours.size(), 3u);
    EXPECT_FALSE(document.colours[0].has_value()) << "an empty entry is the default colour";
    EXPECT_EQ(document.colour(1), (rtf::Colour{255, 255, 0}));
    EXPECT_EQ(document.colour(2), (rtf::Colour{255, 0, 0}));

    const std::vector<rtf::Run> expected = {
        {{0, 20, 0, false}, U"a"}, {{1, 28, 2, true}, U"\u03A9\u2022"}, {{0, 20, 0, false}, U"b"},
        {{0, 20, 0, true}, U"c"},  {{0, 20, 0, false}, U"d"},           {{0, 20, 0, true}, U"e"},
        {{0, 20, 0, false}, U"f"}, {{7, 20, 1, false}, U"g"},           {{0, 24, 0, false}, U"h"},
    };
    ASSERT_EQ(document.paragraphs.size(), 1u);
    const auto& runs = document.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), expected.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(runs[i].text, expected[i].text);
        EXPECT_EQ(runs[i].format, expected[i].format);
    }
}

TEST(RtfReader, ParagraphFormatIsTakenAtTheParagraphEnd) {
    const rtf::Document document =
        rtf::read(R"({\rtf1\deftab360\fi-360\li1068\tx2000\tx1500 a\par )"
                  R"(b\li708\par\pard c\par{\li500 d\par}e})");
    const std::vector<rtf::ParagraphFormat> expected = {
        {1068, -360, 0, {1500, 2000}}, {708, -360, 0, {1500, 2000}}, {}, {500, 0, 0, {}}, {}};
    ASSERT_EQ(document.paragraphs.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(document.paragraphs[i].format, expected[i]) << i;
    }
    EXPECT_EQ(document.defaultTab, 360);
}

TEST(Charsets, Cp1252AgreesWithIconv) {
    const iconv_t converter = iconv_open("UTF-32LE", "CP1252");
    ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));
    for (int b = 0; b <= 0xFF; ++b) {
        SCOPED_TRACE(b);
        char in = static_cast<char>(b);
        char32_t out = 0;
        char* inPtr = &in;
        char* outPtr = reinterpret_cast<char*>(&out);
        std::size_t inLeft = 1, outLeft = sizeof out;
        const bool known = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == 0;
        EXPECT_EQ(rtf::cp1252ToUnicode(static_cast<std::uint8_t>(b)), known ? out : U'\uFFFD');
    }
    iconv_close(converter);
}

TEST(Charsets, SymbolLettersAreTheGreekAlphabet) {
    // A..Z and a..z hold each Greek capital and small letter once, small 0x20 after its
    // capital as in Unicode, except on J and V, which carry variant forms.
    std::multiset<char32_t> letters;
    for (std::uint8_t key = 'A'; key <= 'Z'; ++key) {
        const char32_t capital = rtf::symbolToUnicode(key);
        const char32_t small = rtf::symbolToUnicode(key + 0x20);
        letters.insert({capital, small});
        if (key != 'J' && key != 'V') {
            EXPECT_EQ(small, capital + 0x20) << key;
        }
    }
    for (char32_t c = 0x0391; c <= 0x03C9; ++c) {
        if (c != 0x03A2 && (c < 0x03AA || c > 0x03B0)) { // unassigned; accented letters
            EXPECT_EQ(letters.count(c), 1u) << static_cast<unsigned long>(c);
        }
    }
    EXPECT_EQ(rtf::symbolToUnicode(0xB7), U'\u2022');
}

} // namespace
