// The reader on malformed and hostile input: it returns, within bounds, with text that a
// view can show, whatever it is given.

#include "RtfReader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace rtf = quorvan::toolkit::rtf;

namespace {

std::u32string allText(const rtf::Document& document) {
    std::u32string all;
    for (const rtf::Paragraph& paragraph : document.paragraphs) {
        all += paragraph.text();
    }
    return all;
}

// Unicode scalar values only, no control characters but the tab, sizes and stops in range.
void expectShowable(const rtf::Document& document) {
    for (const rtf::Paragraph& paragraph : document.paragraphs) {
        ASSERT_LE(paragraph.format.tabStops.size(), 64u);
        for (const rtf::Run& run : paragraph.runs) {
            ASSERT_TRUE(run.format.halfPoints >= 2 && run.format.halfPoints <= 3276);
            for (const char32_t c : run.text) {
                ASSERT_TRUE(c == U'\t' || (c >= 0x20 && c <= 0x10FFFF)) << unsigned(c);
                ASSERT_FALSE(c >= 0xD800 && c <= 0xDFFF) << unsigned(c);
            }
        }
    }
}

std::string repeated(const std::string& piece, std::size_t times) {
    std::string out;
    for (std::size_t i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

TEST(RtfHostile, MalformedInputReadsWhatItCan) {
    struct Case {
        const char* name;
        std::string rtf;
        std::u32string text;
    };
    const std::vector<Case> cases = {
        {"groups never closed", R"({\rtf1 a{b{\fs40 c)", U"abc"},
        {"more closes than opens", R"({\rtf1 a}}}}b)", U"a"},
        {"backslash at the end", "{\\rtf1 a\\", U"a"},
        {"escape cut short", "{\\rtf1 a\\'4", U"a"},
        {"escape with one hex digit", R"({\rtf1 a\'4g\'zz})", U"agzz"},
        {"minus with no digits", R"({\rtf1 a\li- b})", U"a- b"},
        {"\\bin beyond the end", R"({\rtf1 a\bin99999999999999999999 xyz})", U"a"},
        {"\\bin negative", R"({\rtf1 a\bin-5 xyz})", U"axyz"},
        {"\\u out of range, lone surrogates", R"({\rtf1\u99999999 ?\u-10179?\u-8704?x})",
         U"\uFFFD\uFFFD\uFFFDx"},
        {"\\uc beyond the text", R"({\rtf1\uc99999\u937 abc})", U"\u03A9"},
        {"control bytes", std::string("{\\rtf1 a") + '\0' + "b\x01" + "c\\'00\\'07d}", U"abcd"},
        {"a table word in the text", R"({\rtf1 a\fonttbl b;})", U"a"},
        {"colour and font outside the tables", R"({\rtf1\cf99999 a\cf-3 b\f123456789 c})", U"abc"},
        {"huge parameters", R"({\rtf1\fs99999999999999999999\li-9999999999\tx-7\deftab-1 a})",
         U"a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const rtf::Document document = rtf::read(c.rtf);
        EXPECT_EQ(allText(document), c.text);
        expectShowable(document);
    }
}

TEST(RtfHostile, DeepNestingIsBoundedNotRecursive) {
    const std::size_t deep = 200'000;
    // Far below the bound text is dropped; the groups still balance around it.
    EXPECT_EQ(
        allText(rtf::read("{\\rtf1 a" + repeated("{", deep) + "x" + repeated("}", deep) + "b}")),
        U"ab");
    // Nesting as deep as real documents go is read.
    EXPECT_EQ(
        allText(rtf::read("{\\rtf1 a" + repeated("{", 100) + "x" + repeated("}", 100) + "b}")),
        U"axb");
    EXPECT_EQ(allText(rtf::read("{\\rtf1 a" + repeated("{\\tx5\\fs30 ", deep))), U"a");
}

TEST(RtfHostile, LongInputIsBounded) {
    const std::size_t count = 400'000;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(rtf::read("{\\rtf1 " + repeated("ab\\'e9\\par ", count) + "}").paragraphs.size(),
              count);
    std::string fonts = "{\\rtf1{\\fonttbl";
    for (std::size_t i = 0; i < count / 4; ++i) {
        fonts += "{\\f" + std::to_string(i) + " F;}";
    }
    const rtf::Document manyFonts =
        rtf::read(fonts + "}" + repeated("\\f7 x\\f9 y", count / 4) + "}");
    EXPECT_EQ(manyFonts.paragraphs.at(0).runs.size(), count / 2);
    std::string stops = "{\\rtf1";
    for (int i = 1; i <= 1000; ++i) {
        stops += "\\tx" + std::to_string(i);
    }
    EXPECT_EQ(rtf::read(stops + " a}").paragraphs.at(0).format.tabStops.size(), 64u);
    // Generous for a sanitizer build; a reader quadratic in the input takes hours.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

} // namespace
