// The text box: a paste is cut to its length with line breaks turned into spaces, and its button
// opens the on-screen keyboard above it, typing into it.

#include "controls/TextBox.h"
#include "controls/Keyboard.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace qz::gui::test {

namespace {

// The offscreen platform may place a pop-up up to two pixels off the point it was moved to.
constexpr int Slack = 2;

} // namespace

TEST(TextBoxTest, APasteIsCutToTheLengthWithLineBreaksAsSpaces) {
    struct Case {
        const char* Before;
        const char* Pasted;
        const char* After;
    };
    const Case cases[] = {
        {"", "INV-2024-0001-ACME-PTY-LTD", "INV-2024-0001-ACME-P"},
        {"", "Cheque\n1234\tA", "Cheque 1234 A"},
        {"Ref ", "ABCDEFGHIJKLMNOPQRSTU", "Ref ABCDEFGHIJKLMNOP"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Pasted);
        TTextBox box;
        EXPECT_EQ(box.maxLength(), TTextBox::ReferenceLength);
        box.setText(QString::fromLatin1(c.Before));
        QApplication::clipboard()->setText(QString::fromLatin1(c.Pasted));
        QTest::keySequence(&box, QKeySequence::Paste);
        EXPECT_EQ(box.text(), QString::fromLatin1(c.After));
    }
}

TEST(TextBoxTest, ItsButtonOpensTheKeyboardAboveIt) {
    QWidget window;
    auto* box = new TTextBox(20, &window);
    box->SetButtonVisible(true);
    box->setGeometry(10, 150, 200, 26);
    auto* other = new QLineEdit(&window);
    other->setGeometry(10, 10, 100, 24);
    window.resize(300, 200);
    window.move(100, 300);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    EXPECT_EQ(box->textMargins().right(), box->Button()->width()) << "the text stops before the button";

    QTest::mouseClick(box->Button(), Qt::LeftButton);
    TKeyboard* keyboard = box->Keyboard();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_NEAR(keyboard->frameGeometry().bottom() + 1, box->mapToGlobal(QPoint(0, 0)).y(), Slack);
    QTest::mouseClick(keyboard->Key(QStringLiteral("7")), Qt::LeftButton);
    QTest::mouseClick(keyboard->Key(QStringLiteral("OK")), Qt::LeftButton);
    EXPECT_EQ(box->text(), QStringLiteral("7"));
    EXPECT_EQ(QApplication::focusWidget(), box) << "the box the keyboard typed into keeps the focus";

    // A disabled box opens nothing.
    box->setEnabled(false);
    QTest::mouseClick(box->Button(), Qt::LeftButton);
    EXPECT_TRUE(box->Keyboard() == nullptr || !box->Keyboard()->isVisible());
}

} // namespace qz::gui::test
