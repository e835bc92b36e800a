// The password prompt: only the exact password opens.

#include "options/PasswordDlg.h"

#include "ModalDriver.h"
#include "platform/ScriptedPrompts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

namespace qz::gui::test {
namespace {

TEST(PasswordDlg, OnlyTheExactPasswordOpens) {
    const struct {
        const char* Typed;
        bool Accepted;
    } cases[] = {{"abc", true}, {"Abc", false}, {"ABC", false}, {"abc ", false}, {"", false}, {"ab", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        ScriptedPrompts prompts;
        TPasswordDlg window("abc", prompts);
        auto* edit = window.findChild<QLineEdit*>("PasswordEdit");
        edit->setText(QString::fromLatin1(c.Typed));
        window.findChild<QPushButton*>("OKBtn")->click();
        EXPECT_EQ(window.result() == QDialog::Accepted, c.Accepted);
        if (c.Accepted) {
            EXPECT_TRUE(prompts.Messages.empty());
        } else {
            ASSERT_EQ(prompts.Messages.size(), 1u);
            EXPECT_EQ(prompts.Messages[0].Text, "Password incorrect");
            EXPECT_EQ(prompts.Messages[0].Kind, MsgKind::Warning);
            EXPECT_EQ(prompts.Messages[0].Buttons, MsgButtons::Ok);
        }
    }
}

TEST(PasswordDlg, WrongTryKeepsThePromptOpenUntilRightOrCancel) {
    ScriptedPrompts prompts;
    WhenModal<TPasswordDlg>([](TPasswordDlg& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Password"));
        EXPECT_EQ(window.size(), QSize(258, 235));
        auto* edit = window.findChild<QLineEdit*>("PasswordEdit");
        EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
        EXPECT_EQ(edit->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit), '*');
        QTest::keyClicks(edit, QStringLiteral("Secret"));
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_TRUE(window.isVisible());
        edit->setText(QStringLiteral("secret"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_TRUE(TPasswordDlg::Ask(nullptr, "secret", prompts));
    EXPECT_EQ(prompts.Messages.size(), 1u);

    WhenModal<TPasswordDlg>([](TPasswordDlg& window) {
        window.findChild<QLineEdit*>("PasswordEdit")->setText(QStringLiteral("secret"));
        window.findChild<QPushButton*>("CancelBtn")->click();
    });
    EXPECT_FALSE(TPasswordDlg::Ask(nullptr, "secret", prompts));
}

} // namespace
} // namespace qz::gui::test
