// The toolkit where Form1's tests do not reach it, Qt's French texts, the RTF reader, code page
// 1252 and the QPrinter printer object writing PDF files that are read back. The Symbol font's
// table is checked against the font itself (police_symbol.py).

#include "tests/support/Processus.h"
#include "toolkit/MenuItemArray.h"
#include "toolkit/QtTranslation.h"
#include "toolkit/StyleMarques.h"
#include "toolkit/printer/QtPrinter.h"
#include "toolkit/richtext/rtf/Charsets.h"
#include "toolkit/richtext/rtf/RtfReader.h"

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <iconv.h>

namespace quorvan::toolkit {
namespace {

using namespace std::string_literals;

// Menus of item arrays draw a mark on the chosen item only: an unchecked item looks like one
// that cannot be checked at all.
TEST(StyleMarques, NoEmptyBoxOnItemsNotChosen) {
    const auto dessin = [](QStyleOptionMenuItem::CheckType type, bool coche) {
        QStyleOptionMenuItem item;
        item.rect = QRect(0, 0, 200, 24);
        item.text = QStringLiteral("Ordre");
        item.checkType = type;
        item.checked = coche;
        item.maxIconWidth = 20;
        item.state = QStyle::State_Enabled;
        QImage image(200, 24, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter peintre(&image);
        styleMarques()->drawControl(QStyle::CE_MenuItem, &item, &peintre, nullptr);
        return image;
    };
    const QImage sansCase = dessin(QStyleOptionMenuItem::NotCheckable, false);
    for (const auto type : {QStyleOptionMenuItem::Exclusive, QStyleOptionMenuItem::NonExclusive}) {
        EXPECT_EQ(dessin(type, false), sansCase);
        EXPECT_NE(dessin(type, true), sansCase);
    }
    QMenu menu;
    MenuItemArray tableau(&menu, QStringLiteral("MnuO"), [](std::int16_t) {});
    EXPECT_EQ(menu.style(), styleMarques());
}

// As the application's style, a menu bar reads no picture from file (which opens every image
// format plugin) until its overflow button shows; the button then has the style's own picture.
TEST(StyleMarques, AMenuBarReadsItsOverflowPictureOnlyWhenItShows) {
    const auto formatsCharges = [] {
        QFile cartes(QStringLiteral("/proc/self/maps"));
        return cartes.open(QIODevice::ReadOnly) && cartes.readAll().contains("/imageformats/");
    };
    QApplication::setStyle(styleMarques());
    QMainWindow fenetre;
    fenetre.menuBar()->addMenu(QStringLiteral("&Ordre"));
    fenetre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
    EXPECT_FALSE(formatsCharges());
    const auto image = [](const QStyle& style) {
        return style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16).toImage();
    };
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    EXPECT_TRUE(image(*styleMarques()) == image(*fusion));
}

// Qt's own buttons speak French, as the rest of the program, whatever the user's locale.
TEST(QtTranslation, QtsOwnButtonsInFrenchWhateverTheLocale) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_TRUE(installFrenchQtTranslation(*QCoreApplication::instance()));
    QLocale::setDefault(QLocale::c());
    const QDialogButtonBox boutons(QDialogButtonBox::Cancel | QDialogButtonBox::Save |
                                   QDialogButtonBox::Close | QDialogButtonBox::Yes |
                                   QDialogButtonBox::No);
    QStringList textes;
    for (const QAbstractButton* bouton : boutons.buttons()) {
        textes << bouton->text().remove(u'&');
    }
    textes.sort();
    EXPECT_EQ(textes, QStringList({"Annuler", "Enregistrer", "Fermer", "Non", "Oui"}));
}

// As many pages as the lines take; nothing of a job that fails, is dropped, or ends twice.
TEST(QtPrinter, PrintsPagesWholeOrNotAtAll) {
    const QTemporaryDir dossier;
    const QString pdf = dossier.filePath(QStringLiteral("pages.pdf"));
    auto imprimante = QtPrinter::toPdfFile(pdf);
    QStringList lignes;
    for (int i = 1; i <= 150; ++i) {
        lignes << QStringLiteral("ligne%1").arg(i);
    }
    imprimante->printLine(lignes.join(QStringLiteral("\r\n")));
    ASSERT_TRUE(imprimante->endDoc());
    const QString lu =
        QString::fromStdString(test::lancer(QStringLiteral("pdftotext"), {pdf, "-"}).out);
    EXPECT_GE(lu.count(u'\f'), 2) << "a form feed ends each page";
    EXPECT_EQ(lu.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts), lignes);
    ASSERT_TRUE(QFile::remove(pdf));
    EXPECT_FALSE(imprimante->endDoc());
    QtPrinter::toPdfFile(dossier.filePath(QStringLiteral("abandon.pdf")))
        ->printLine(QStringLiteral("x"));
    auto echec = QtPrinter::toPdfFile(dossier.filePath(QStringLiteral("absent/echec.pdf")));
    echec->printLine(QStringLiteral("x"));
    EXPECT_FALSE(echec->endDoc());
    EXPECT_TRUE(QDir(dossier.path()).isEmpty());
}

// Every paragraph's text followed by a pilcrow, checked on the way to be showable.
std::u32string texte(const rtf::Document& document) {
    std::u32string tout;
    for (const rtf::Paragraph& p : document.paragraphs) {
        EXPECT_LE(p.format.tabStops.size(), 64U);
        for (const rtf::Run& run : p.runs) {
            EXPECT_TRUE(run.format.halfPoints >= 2 && run.format.halfPoints <= 3276);
            for (const char32_t c : run.text) {
                EXPECT_TRUE(c == U'\t' ||
                            (c >= 0x20 && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF)));
            }
        }
        tout += p.text() + U'\u00B6';
    }
    return tout;
}

TEST(RtfReader, TextParagraphsEscapesAndMalformedInput) {
    // clang-format off
    const std::pair<std::string, std::u32string> cas[] = {
        {R"({\rtf1\ansi Bonjour  vous})",                           U"Bonjour  vous¶"},
        {R"({\rtf1 a\par\par b\par})",                              U"a¶¶b¶"},
        {R"({\rtf1 \{x\}\\})",                                      U"{x}\\¶"},
        {R"({\rtf1 op\'e9ra\'80 \'B5F})",                           U"opéra€ µF¶"},
        {R"({\rtf1 a\tab b\line c\~d})",                            U"a\tb\u2028c\u00A0d¶"},
        {"{\\rtf1 a\r\nb\\\nc}",                                    U"ab¶c¶"},
        {R"({\rtf1\u937?x\uc2\u8364\'80\'81y{\uc3\u937}z})",        U"Ωx€yΩz¶"},
        {R"({\rtf1\foo\bar12 a\zzz-3 b})",                          U"ab¶"},
        {R"({\rtf1{\*\generator R;}a{\info{\title t}}b{\*\x{c}}d})", U"abd¶"},
        {R"({\rtf1 a\bin3 }{\b})",                                  U"ab¶"},
        {" \r\n{\\rtf1 a}b",                                        U"a¶"},
        {"Bonjour {\\rtf1 a}",                                      U""},
        {R"({\rtf1 a{b{\fs40 c)",                                   U"abc¶"},
        {R"({\rtf1 a}}}}b)",                                        U"a¶"},
        {"{\\rtf1 a\\",                                             U"a¶"},
        {"{\\rtf1 a\\'4",                                           U"a¶"},
        {R"({\rtf1 a\'4g\'zz})",                                    U"agzz¶"},
        {R"({\rtf1 a\li- b})",                                      U"a- b¶"},
        {R"({\rtf1 a\bin99999999999999999999 xyz})",                U"a¶"},
        {R"({\rtf1 a\bin-5 xyz})",                                  U"axyz¶"},
        {R"({\rtf1\u99999999 ?\u-10179?\u-8704?x})",                U"\uFFFD\uFFFD\uFFFDx¶"},
        {R"({\rtf1\uc99999\u937 abc})",                             U"Ω¶"},
        {"{\\rtf1 a\0b\x01" "c\\'00\\'07d}"s,                       U"abcd¶"},
        {R"({\rtf1 a\fonttbl b;})",                                 U"a¶"},
        {R"({\rtf1\cf99999 a\cf-3 b\f123456789 c})",                U"abc¶"},
        {R"({\rtf1\fs99999999999999999999\li-9999999999\tx-7\deftab-1 a})", U"a¶"},
    };
    // clang-format on
    for (const auto& [entree, attendu] : cas) {
        EXPECT_EQ(texte(rtf::read(entree)), attendu) << entree;
    }
}

TEST(RtfReader, FormatsFollowGroupsTablesAndParagraphEnds) {
    const rtf::Document document = rtf::read(
        R"({\rtf1\deff0{\fonttbl{\f0\froman Times New Roman;}{\f1\fcharset2{\*\panose 0505} Symbol;})"
        R"(\f7 Ar\'efal;\f0 Again;}{\colortbl ;\red255\green255\blue0;;\red300\green-4;})"
        R"(\fs20 a{\f1\fs28\ul\cf2 W\'b7\u61527?\u61472?\u61695?\u61696?}b\ul c\ul0 d\ul e\ulnone f\f7\cf1 g\plain h})");
    ASSERT_EQ(document.fonts.size(), 3U) << "the first definition of a number stands";
    EXPECT_EQ(document.font(0)->name + '|' + document.font(7)->name, "Times New Roman|Ar\xEF"
                                                                     "al");
    EXPECT_TRUE(document.font(1)->isSymbol() && !document.font(7)->isSymbol());
    EXPECT_EQ(document.colours,
              (std::vector<std::optional<rtf::Colour>>{std::nullopt, rtf::Colour{255, 255, 0},
                                                       std::nullopt, rtf::Colour{255, 0, 0}}));
    EXPECT_FALSE(document.colour(-1) || document.colour(4));
    // clang-format off
    const std::vector<std::pair<std::u32string, rtf::CharFormat>> attendus = {
        {U"a",   {0, 20, 0, false}},
        {U"Ω•Ω \uFFFD\uF100", {1, 28, 2, true}}, // Symbol bytes, their private-use mirror
        {U"b",   {0, 20, 0, false}},
        {U"c",   {0, 20, 0, true}},
        {U"d",   {0, 20, 0, false}},
        {U"e",   {0, 20, 0, true}},
        {U"f",   {0, 20, 0, false}},
        {U"g",   {7, 20, 1, false}},
        {U"h",   {0, 24, 0, false}},
    };
    // clang-format on
    std::vector<std::pair<std::u32string, rtf::CharFormat>> lus;
    for (const rtf::Run& run : document.paragraphs.at(0).runs) {
        lus.emplace_back(run.text, run.format);
    }
    EXPECT_EQ(lus, attendus);
    std::vector<rtf::ParagraphFormat> formats;
    for (const rtf::Paragraph& p :
         rtf::read(R"({\rtf1\deftab360\fi-360\li1068\tx2000\tx1500 a\par )"
                   R"(b\li708\par\pard c\par{\li500 d\par}e})")
             .paragraphs) {
        formats.push_back(p.format);
    }
    EXPECT_EQ(
        formats,
        (std::vector<rtf::ParagraphFormat>{
            {1068, -360, 0, {1500, 2000}}, {708, -360, 0, {1500, 2000}}, {}, {500, 0, 0, {}}, {}}));
}

TEST(Charsets, Cp1252AgreesWithIconv) {
    const iconv_t cp1252 = iconv_open("UTF-32LE", "CP1252");
    for (int b = 0; b <= 0xFF; ++b) {
        char octet = static_cast<char>(b);
        char32_t c = U'\uFFFD'; // what iconv leaves of a byte it has no character for
        char* in = &octet;
        char* out = reinterpret_cast<char*>(&c);
        std::size_t resteIn = 1;
        std::size_t resteOut = sizeof c;
        iconv(cp1252, &in, &resteIn, &out, &resteOut);
        EXPECT_EQ(rtf::cp1252ToUnicode(static_cast<std::uint8_t>(b)), c) << b;
    }
    iconv_close(cp1252);
}

} // namespace
} // namespace quorvan::toolkit
