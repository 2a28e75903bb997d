// The help window: its design, the box that follows its size, and what "&Aide" (F1) does
// with a window that is missing, open or closed.

#include "Aide.h"
#include "FrmAide.h"
#include "RichTextBox.h"

#include <QApplication>
#include <QMenuBar>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

using quorvan::fenetreAide;
using quorvan::FrmAide;
using quorvan::MnuAide_Click;

// The client area at (5880, 840) twips, 5925 × 7470 twips, at 15 twips per pixel.
const QRect Design(392, 56, 395, 498);

class HelpWindow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(fenetreAide(), nullptr) << "left open by an earlier test";
        ASSERT_EQ(QApplication::primaryScreen()->logicalDotsPerInch(), 96.0);
    }
    void TearDown() override {
        if (FrmAide* window = fenetreAide()) {
            window->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // "&Aide", then the window as it is on screen.
    static FrmAide* aide() {
        MnuAide_Click();
        FrmAide* window = fenetreAide();
        EXPECT_TRUE(window != nullptr && QTest::qWaitForWindowExposed(window));
        return window;
    }
    static QScrollBar* scroll(const FrmAide* window) {
        return window->richTextBox1()->verticalScrollBar();
    }
    static void expectBoxFills(const FrmAide* window) {
        EXPECT_EQ(window->richTextBox1()->geometry(), QRect(QPoint(0, 0), window->size()));
    }
};

TEST_F(HelpWindow, OpensAsDesigned) {
    FrmAide* window = aide();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(),
              QString::fromUtf8("Aide : Calcul de quorvan \u00E0 Amplis Op. "));
    EXPECT_EQ(window->geometry(), Design);
    expectBoxFills(window);
    EXPECT_EQ(scroll(window)->value(), 0);
    // A sizable window of its own, with no owner and no menu bar.
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_EQ(window->windowHandle()->transientParent(), nullptr);
    EXPECT_FALSE(window->windowFlags() &
                 (Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint));
    EXPECT_TRUE(window->minimumSize().width() < 395 && window->maximumSize().height() > 498);
    EXPECT_TRUE(window->findChildren<QMenuBar*>().isEmpty());
    // The text cannot be changed from the keyboard.
    const QString text = window->richTextBox1()->toPlainText();
    QTest::keyClicks(window->richTextBox1(), "abc\b");
    QTest::keyClick(window->richTextBox1(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window->richTextBox1()->toPlainText(), text);
}

TEST_F(HelpWindow, TheBoxFillsTheClientAreaAtAnySize) {
    FrmAide* window = aide();
    ASSERT_NE(window, nullptr);
    scroll(window)->setValue(scroll(window)->maximum() / 2);
    const int scrolled = scroll(window)->value();
    for (const QSize size : {QSize(600, 700), QSize(200, 100), QSize(1, 1), QSize(395, 498)}) {
        SCOPED_TRACE(size.width());
        window->resize(size);
        QCoreApplication::processEvents();
        expectBoxFills(window);
    }
    // Minimised the client area is empty; restored, the box fills it again, same place.
    window->showMinimized();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->richTextBox1()->size(), QSize(0, 0));
    window->showNormal();
    QCoreApplication::processEvents();
    expectBoxFills(window);
    EXPECT_EQ(scroll(window)->value(), scrolled);
}

TEST_F(HelpWindow, AideOnAnOpenWindowBringsItBackUnchanged) {
    FrmAide* window = aide();
    ASSERT_NE(window, nullptr);
    window->setGeometry(300, 200, 500, 300);
    QCoreApplication::processEvents();
    QTextCursor selection = window->richTextBox1()->textCursor();
    selection.setPosition(200);
    selection.setPosition(230, QTextCursor::KeepAnchor);
    window->richTextBox1()->setTextCursor(selection);
    scroll(window)->setValue(120);
    const QString text = window->richTextBox1()->toPlainText();

    for (const bool minimised : {false, true}) {
        SCOPED_TRACE(minimised);
        if (minimised) {
            window->showMinimized();
            QCoreApplication::processEvents();
        }
        MnuAide_Click();
        QCoreApplication::processEvents();
        EXPECT_EQ(fenetreAide(), window);
        EXPECT_FALSE(window->isMinimized());
        EXPECT_EQ(window->geometry(), QRect(300, 200, 500, 300));
        EXPECT_EQ(scroll(window)->value(), 120);
        EXPECT_EQ(window->richTextBox1()->textCursor().selectedText().size(), 30);
        EXPECT_EQ(window->richTextBox1()->toPlainText(), text);
    }
}

TEST_F(HelpWindow, AClosedWindowComesBackAsDesigned) {
    for (const bool deletedFirst : {true, false}) {
        SCOPED_TRACE(deletedFirst);
        FrmAide* first = aide();
        ASSERT_NE(first, nullptr);
        first->setGeometry(100, 100, 300, 200);
        scroll(first)->setValue(150);
        const QPointer<FrmAide> closed(first);
        first->close();
        EXPECT_EQ(fenetreAide(), nullptr);
        if (deletedFirst) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(closed.isNull()) << "nothing of a closed help window survives";
        }
        // Even before the closed one is deleted, "&Aide" gives a new window as designed.
        FrmAide* second = aide();
        ASSERT_NE(second, nullptr);
        EXPECT_NE(second, closed.data());
        EXPECT_EQ(second->geometry(), Design);
        expectBoxFills(second);
        EXPECT_EQ(scroll(second)->value(), 0);
        second->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(closed.isNull());
    }
}

} // namespace
