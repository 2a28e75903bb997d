// The help window as "&Aide" (F1) opens it, and the look of the help document it shows.

#include "help/Aide.h"
#include "help/ConceptionFrmAide.h"
#include "help/FrmAide.h"
#include "toolkit/richtext/RichTextBox.h"

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

namespace quorvan {
namespace {

FrmAide* ouvrir() {
    MnuAide_Click();
    EXPECT_TRUE(fenetreAide() != nullptr && QTest::qWaitForWindowExposed(fenetreAide()));
    return fenetreAide();
}
QScrollBar* barre(const FrmAide* f) {
    return f->richTextBox1()->verticalScrollBar();
}
bool remplie(const FrmAide* f) {
    return f->richTextBox1()->geometry() == QRect(QPoint(), f->size());
}

TEST(Aide, OpensAsDesignedEachTimeAfterBeingClosed) {
    QPointer<FrmAide> fermee;
    for (const bool detruite : {true, false, true}) {
        FrmAide* f = ouvrir();
        EXPECT_NE(f, fermee.data()); // not even the one closed but not yet deleted
        EXPECT_EQ(f->windowTitle(), "Aide : Calcul de quorvan \u00E0 Amplis Op. ");
        EXPECT_EQ(f->geometry(), QRect(392, 56, 395, 498)); // (5880, 840) 5925 × 7470 twips
        EXPECT_TRUE(remplie(f) && barre(f)->value() == 0 && f->parentWidget() == nullptr);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(f)->role(), QAccessible::Window);
        f->setGeometry(100, 100, 300, 200);
        barre(f)->setValue(150);
        fermee = f;
        f->close();
        EXPECT_EQ(fenetreAide(), nullptr);
        if (detruite) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(fermee.isNull());
        }
    }
}

// The box fills the client area at any size, minimised too; "&Aide" brings the open window
// back as it was, restored, scrolled and selected as it was left; Esc closes it.
TEST(Aide, TheBoxFillsTheWindowAndAnOpenWindowComesBackUnchanged) {
    FrmAide* f = ouvrir();
    for (const QSize taille : {QSize(600, 700), QSize(200, 100), QSize(1, 1), QSize(500, 300)}) {
        f->resize(taille);
        QCoreApplication::processEvents();
        EXPECT_TRUE(remplie(f)) << taille.width();
    }
    QTextCursor selection = f->richTextBox1()->textCursor();
    selection.setPosition(200);
    selection.setPosition(230, QTextCursor::KeepAnchor);
    f->richTextBox1()->setTextCursor(selection);
    barre(f)->setValue(120);
    const QRect ici = f->geometry();
    for (const bool minimisee : {true, false}) {
        if (minimisee) {
            f->showMinimized();
            QCoreApplication::processEvents();
            EXPECT_EQ(f->richTextBox1()->size(), QSize(0, 0));
        }
        MnuAide_Click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(fenetreAide() == f && !f->isMinimized() && f->geometry() == ici && remplie(f));
        EXPECT_EQ(barre(f)->value(), 120);
        EXPECT_EQ(f->richTextBox1()->textCursor().selectedText().size(), 30);
    }
    const QString texte = f->richTextBox1()->toPlainText();
    QTest::keyClicks(f->richTextBox1(), QStringLiteral("abc\b"));
    EXPECT_EQ(f->richTextBox1()->toPlainText(), texte) << "read-only";
    QTest::keyClick(f->richTextBox1(), Qt::Key_Escape);
    EXPECT_EQ(fenetreAide(), nullptr) << "Esc closes it";
}

// Each line of the help file that ends in \par is one paragraph. Its text, read by hand: a
// Symbol-font run (from \f1, in braces or up to the next \plain) stands for any one character
// (the font's table is checked against the font), \'xx is that Latin-1 byte, \tab a tab,
// other control words and braces nothing.
std::vector<QRegularExpression> paragraphesDuFichier() {
    QFile fichier(QString::fromLatin1(RessourceAide));
    EXPECT_TRUE(fichier.open(QIODevice::ReadOnly));
    std::vector<QRegularExpression> paragraphes;
    for (const QByteArray& octets : fichier.readAll().split('\n')) {
        QString l = QString::fromLatin1(octets).trimmed();
        if (l.endsWith(QStringLiteral("\\par"))) {
            l.chop(4);
            l.replace(QRegularExpression(R"(\{\\f1 [^}]\}|\\f1(\\[a-z]+\d*)* ?\\'..)"), "\x01");
            for (auto m = QRegularExpression(R"(\\'(..))").match(l); m.hasMatch();
                 m = QRegularExpression(R"(\\'(..))").match(l)) {
                l.replace(m.capturedStart(), 4, QChar(m.captured(1).toUShort(nullptr, 16)));
            }
            l.replace(QRegularExpression(R"(\\tab ?)"), "\t");
            l.remove(QRegularExpression(R"(\\[a-z]+-?\d* ?|[{}])"));
            QStringList morceaux = l.split(u'\x01');
            for (QString& morceau : morceaux) {
                morceau = QRegularExpression::escape(morceau);
            }
            paragraphes.emplace_back(QRegularExpression::anchoredPattern(morceaux.join(u'.')));
        }
    }
    return paragraphes;
}

TEST(Aide, TheDocumentKeepsItsFontsColoursHeadingsAndIndents) {
    const FrmAide* f = ouvrir();
    const QTextDocument* document = f->richTextBox1()->document();
    const std::vector<QRegularExpression> paragraphes = paragraphesDuFichier();
    ASSERT_EQ(static_cast<std::size_t>(document->blockCount()), paragraphes.size());
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        const QRegularExpression& attendu =
            paragraphes.at(static_cast<std::size_t>(b.blockNumber()));
        EXPECT_TRUE(attendu.match(b.text()).hasMatch())
            << b.text().toStdString() << " | " << attendu.pattern().toStdString();
    }
    EXPECT_GT(document->size().height(), f->height()) << "the text scrolls";
    const QStringList titres = {"Programme de calcul des quorvan",
                                "\u00E0 amplificateurs op\u00E9rationnels"};
    const QStringList rubriques = {" Filtre de Bessel :", "Filtre de Butterworth :",
                                   "Filtre de Chebyshev :", "Recommandations :"};
    int puces = 0;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        const QString t = b.text();
        document->documentLayout()->blockBoundingRect(b); // lays it out
        EXPECT_EQ(b.layout()->lineCount(), 1)
            << "a hard break ends every line: " << t.toStdString();
        // Yellow banner rows, green 14-point titles and headings (only the headings
        // underlined), the rest black and 10-point; all in Times New Roman.
        const bool vert = titres.contains(t) || rubriques.contains(t);
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            EXPECT_EQ(format.foreground().color(), t.startsWith(u'*') ? Qt::yellow
                                                   : vert             ? Qt::green
                                                                      : Qt::black);
            EXPECT_TRUE(format.fontPointSize() == (vert ? 14 : 10) &&
                        format.fontUnderline() == rubriques.contains(t));
            EXPECT_EQ(format.fontFamilies().toStringList().value(0), "Times New Roman")
                << t.toStdString();
        }
        // Symbol-font bullets: three that hang from 708 to 1068 twips, five at 708 with
        // their text at the next default stop; and lines that start at a tab.
        const double gauche = b.blockFormat().leftMargin() * 15;
        const auto x = [&b](int i) { return b.layout()->lineAt(0).cursorToX(i) * 15; };
        if (t.startsWith(QStringLiteral("\u2022\t"))) {
            EXPECT_NEAR(x(0), 708, 16);
            EXPECT_NEAR(x(2), ++puces <= 3 ? 1068 : 1440, 16);
            EXPECT_EQ(gauche, puces <= 3 ? 1068 : 708);
        } else if (t.startsWith(u'\t')) {
            EXPECT_TRUE(std::abs(x(1) - 720) < 16 && gauche == 0) << t.toStdString();
        }
    }
    EXPECT_EQ(puces, 8);
}

} // namespace
} // namespace quorvan
