// The on-screen keyboard: its keys type into the box within the box's maximum length, the shift
// key gives capitals until it is pressed again, the real keyboard types along, and OK, Enter or
// Escape close it, each raising Closed once.

#include "controls/Keyboard.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace qz::gui::test {

namespace {

// The offscreen platform may place a pop-up up to two pixels off the point it was moved to.
constexpr int Slack = 2;

} // namespace

namespace {

class KeyboardTest : public ::testing::Test {
protected:
    QWidget Window;
    QLineEdit* Box = new QLineEdit(&Window);

    void SetUp() override {
        Box->setMaxLength(8);
        Box->setGeometry(10, 200, 160, 24);
        Window.resize(400, 260);
        Window.move(100, 300);
        Window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
    }

    static void Click(TKeyboard* keyboard, const char* key) {
        QToolButton* button = keyboard->Key(QLatin1String(key));
        ASSERT_NE(button, nullptr) << key;
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

} // namespace

TEST_F(KeyboardTest, KeysTypeIntoTheBoxWithinItsLength) {
    TKeyboard* keyboard = TKeyboard::PopUp(Box, TPopUpPlace::Above);
    EXPECT_NEAR(keyboard->frameGeometry().bottom() + 1, Box->mapToGlobal(QPoint(0, 0)).y(), Slack);
    for (const char* key : {"Shift", "i", "n", "v", "Shift", "-", "4", "Space", "x", "Back", "b"})
        Click(keyboard, key);
    EXPECT_EQ(Box->text(), QStringLiteral("INV-4 b"));
    EXPECT_FALSE(keyboard->Shifted());
    EXPECT_EQ(keyboard->Key(QStringLiteral("q"))->text(), QStringLiteral("q"));
    Click(keyboard, "Shift");
    EXPECT_EQ(keyboard->Key(QStringLiteral("q"))->text(), QStringLiteral("Q"));
    // The box takes eight characters: one more fits, the rest are left out.
    for (const char* key : {"c", "d", "e"})
        Click(keyboard, key);
    EXPECT_EQ(Box->text(), QStringLiteral("INV-4 bC"));
    QSignalSpy closed(keyboard, &TKeyboard::Closed);
    Click(keyboard, "OK");
    EXPECT_FALSE(keyboard->isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(KeyboardTest, TheRealKeyboardTypesAlongAndEnterOrEscapeClose) {
    for (Qt::Key closing : {Qt::Key_Return, Qt::Key_Escape}) {
        Box->clear();
        TKeyboard* keyboard = TKeyboard::PopUp(Box, TPopUpPlace::Below);
        EXPECT_NEAR(keyboard->frameGeometry().top(), Box->mapToGlobal(QPoint(0, Box->height())).y(), Slack);
        QSignalSpy closed(keyboard, &TKeyboard::Closed);
        QTest::keyClicks(keyboard, QStringLiteral("Ab 12"));
        QTest::keyClick(keyboard, Qt::Key_Backspace);
        EXPECT_EQ(Box->text(), QStringLiteral("Ab 1"));
        QTest::keyClick(keyboard, closing);
        EXPECT_FALSE(keyboard->isVisible());
        EXPECT_EQ(closed.count(), 1);
    }
}

TEST_F(KeyboardTest, WithoutRoomAboveItOpensBelow) {
    Window.move(100, 0);
    Box->move(10, 0);
    QTest::qWait(0);
    TKeyboard* keyboard = TKeyboard::PopUp(Box, TPopUpPlace::Above);
    EXPECT_NEAR(keyboard->frameGeometry().top(), Box->mapToGlobal(QPoint(0, Box->height())).y(), Slack);
    keyboard->close();
}

} // namespace qz::gui::test
