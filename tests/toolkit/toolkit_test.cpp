#include "Controls.h"
#include "FormDesign.h"
#include "ImageList.h"
#include "MenuItemArray.h"
#include "PictureBox.h"
#include "RecordingDesktop.h"
#include "Twips.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace quorvan::toolkit {
namespace {

TEST(Twips, ConvertWithTheScreenResolution) {
    EXPECT_EQ(twipsToPixels(10005, 96), 667);
    EXPECT_EQ(twipsToPixels(5370, 96), 358);
    EXPECT_EQ(twipsToPixels(15, 96), 1);
    EXPECT_EQ(twipsToPixels(1440, 120), 120);
    EXPECT_EQ(twipsToPixels(10005, 144), 1001); // 1000.5 rounds up
    EXPECT_EQ(twipsToPixels(345, 1980, 10005, 5370, 96), QRect(23, 132, 667, 358));
}

TEST(MenuItemArray, ChoosingAnItemLeavesTheMarksToTheHandler) {
    QMenu menu;
    std::vector<int> recus;
    MenuItemArray items(&menu, QStringLiteral("Mnu"), [&](std::int16_t i) { recus.push_back(i); });
    items.addItem(2, QStringLiteral("&2"), true);
    items.addItem(3, QStringLiteral("&3"), false);
    items.addItem(4, QStringLiteral("&4"), true);

    items.action(3)->trigger();
    items.action(2)->trigger();
    EXPECT_EQ(recus, (std::vector<int>{3, 2}));
    // A handler that sets nothing leaves every mark as designed, two at once included.
    EXPECT_TRUE(items.isChecked(2));
    EXPECT_FALSE(items.isChecked(3));
    EXPECT_TRUE(items.isChecked(4));
    EXPECT_EQ(items.action(4)->objectName(), "Mnu_4");
}

TEST(MenuItemArray, TheHandlerSeesAndSetsTheMarks) {
    QMenu menu;
    MenuItemArray* items = nullptr;
    std::vector<bool> vus;
    MenuItemArray tableau(&menu, QStringLiteral("Mnu"), [&](std::int16_t i) {
        vus.push_back(items->isChecked(i));
        items->setChecked(0, false);
        items->setChecked(1, false);
        items->setChecked(i, true);
    });
    items = &tableau;
    tableau.addItem(0, QStringLiteral("a"), true);
    tableau.addItem(1, QStringLiteral("b"), false);
    tableau.action(1)->trigger();
    tableau.action(1)->trigger();
    EXPECT_EQ(vus, (std::vector<bool>{false, true}));
    EXPECT_FALSE(tableau.isChecked(0));
    EXPECT_TRUE(tableau.isChecked(1));
}

TEST(ImageList, DrawsEachPictureOnceWhenFirstAskedFor) {
    int dessins = 0;
    ImageList images;
    QImage rouge(4, 3, QImage::Format_ARGB32);
    rouge.fill(Qt::red);
    images.add(rouge);
    images.add([&dessins] {
        ++dessins;
        QImage bleu(5, 2, QImage::Format_ARGB32);
        bleu.fill(Qt::blue);
        return bleu;
    });
    EXPECT_EQ(images.count(), 2);
    EXPECT_EQ(dessins, 0);
    EXPECT_EQ(images.picture(2).size(), QSize(5, 2));
    EXPECT_EQ(images.picture(2).pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(images.picture(1).pixelColor(3, 2), QColor(Qt::red));
    EXPECT_EQ(dessins, 1);
}

TEST(PictureBox, DrawsThePictureUnscaledAtItsTopLeftOverItsBackground) {
    QImage image(20, 10, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixelColor(0, 0, Qt::red);
    image.setPixelColor(19, 9, Qt::green);
    PictureBox boite;
    boite.setBackground(Qt::black);
    boite.resize(60, 40);
    boite.setPicture(image);
    const QImage vu = boite.grab().toImage();
    const QPoint coin = boite.contentsRect().topLeft();
    EXPECT_EQ(boite.frameWidth(), 2);
    EXPECT_EQ(vu.pixelColor(coin), QColor(Qt::red));
    EXPECT_EQ(vu.pixelColor(coin + QPoint(19, 9)), QColor(Qt::green));
    EXPECT_EQ(vu.pixelColor(coin + QPoint(5, 5)), QColor(Qt::black));   // transparent
    EXPECT_EQ(vu.pixelColor(coin + QPoint(40, 20)), QColor(Qt::black)); // beyond the picture
    EXPECT_EQ(boite.focusPolicy(), Qt::StrongFocus);
}

TEST(Controls, BuiltFromADesignInTabOrder) {
    // clang-format off
    const std::array<ControlDesign, 4> design = {{
        {"B", ControlKind::CommandButton, 1500, 0, 1500, 450, 2, "Bouton"},
        {"L", ControlKind::Label,            0, 0,  150, 150, 0, "Une l\u00E9gende bien plus longue"},
        {"T", ControlKind::TextBox,          0, 300, 1500, 300, 1, "x"},
        {"P", ControlKind::PictureBox,       0, 900, 1500, 600, 3, ""},
    }};
    // clang-format on
    QWidget client;
    buildControls(&client, design, 96);
    auto* label = client.findChild<Label*>(QStringLiteral("L"));
    auto* texte = client.findChild<TextBox*>(QStringLiteral("T"));
    auto* bouton = client.findChild<CommandButton*>(QStringLiteral("B"));
    auto* image = client.findChild<PictureBox*>(QStringLiteral("P"));
    ASSERT_TRUE(label && texte && bouton && image);
    EXPECT_EQ(texte->geometry(), QRect(0, 20, 100, 20));
    EXPECT_EQ(bouton->text(), "Bouton");
    EXPECT_FALSE(bouton->isDefault() || bouton->autoDefault());
    // The caption does not fit the 10 designed pixels: the label grows to the right.
    EXPECT_EQ(label->x(), 0);
    EXPECT_GE(label->width(), label->sizeHint().width());
    EXPECT_EQ(texte->nextInFocusChain(), bouton);
    EXPECT_EQ(bouton->nextInFocusChain(), image);
}

TEST(RecordingDesktop, KeepsMessagesAndBeepsInOrder) {
    RecordingDesktop bureau;
    bureau.beep();
    bureau.showMessage(nullptr, QStringLiteral("a\r\nb"), MessageIcon::Information);
    ASSERT_EQ(bureau.events().size(), 2u);
    EXPECT_EQ(bureau.events()[0].kind, RecordingDesktop::Event::Kind::Beep);
    EXPECT_EQ(bureau.events()[1].text, "a\r\nb");
    EXPECT_EQ(bureau.events()[1].title, "Quorvan");
    EXPECT_EQ(bureau.events()[1].icon, MessageIcon::Information);
}

} // namespace
} // namespace quorvan::toolkit
