// The new-password window: the typed password and its confirmation, refused by the core's
// checks with the edits left as the user can try again, accepted as the confirmation was typed.

#include "options/NewPasswordDlg.h"

#include "forms/ModalDriver.h"
#include "platform/ScriptedPrompts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace qz::gui::test {
namespace {

TEST(NewPasswordDlg, RefusalsKeepTheWindowOpenAndEmptyTheConfirmation) {
    const struct {
        const char* Typed;
        const char* Confirmed;
        const char* Warning; // nullptr: accepted
    } cases[] = {
        {"secret", "secrets", "New Password and Confirm Password don't match"},
        {"", "", "Password not valid"},
        {"my pass", "my pass", "Password can't contain spaces"},
        {"Abc", "abc", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        ScriptedPrompts prompts;
        TNewPasswordDlg window(prompts);
        auto* first = window.findChild<QLineEdit*>("NewEdit");
        auto* second = window.findChild<QLineEdit*>("ConfirmEdit");
        QTest::keyClicks(first, QString::fromLatin1(c.Typed));
        QTest::keyClicks(second, QString::fromLatin1(c.Confirmed));
        window.findChild<QPushButton*>("OKBtn")->click();
        if (c.Warning) {
            EXPECT_NE(window.result(), QDialog::Accepted);
            ASSERT_EQ(prompts.Messages.size(), 1u);
            EXPECT_EQ(prompts.Messages[0].Text, c.Warning);
            EXPECT_EQ(prompts.Messages[0].Kind, MsgKind::Warning);
            EXPECT_TRUE(second->text().isEmpty());
            EXPECT_EQ(first->text(), QString::fromLatin1(c.Typed));
        } else {
            EXPECT_EQ(window.result(), QDialog::Accepted);
            EXPECT_TRUE(prompts.Messages.empty());
            // The confirmation as typed is the new password.
            EXPECT_EQ(window.Password(), "abc");
        }
    }
}

TEST(NewPasswordDlg, NineCharactersCannotBeTypedAndCancelGivesNothing) {
    ScriptedPrompts prompts;
    WhenModal<TNewPasswordDlg>([](TNewPasswordDlg& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("New Password"));
        auto* first = window.findChild<QLineEdit*>("NewEdit");
        auto* second = window.findChild<QLineEdit*>("ConfirmEdit");
        EXPECT_EQ(window.focusWidget(), first);
        EXPECT_EQ(first->echoMode(), QLineEdit::Password);
        QTest::keyClicks(first, QStringLiteral("ninechars"));
        QTest::keyClicks(second, QStringLiteral("ninechars"));
        EXPECT_EQ(first->text(), QStringLiteral("ninechar"));
        QTest::keyClick(second, Qt::Key_Return);
    });
    EXPECT_EQ(TNewPasswordDlg::Ask(nullptr, prompts), std::optional<std::string>("ninechar"));

    WhenModal<TNewPasswordDlg>([](TNewPasswordDlg& window) {
        QTest::keyClicks(window.findChild<QLineEdit*>("NewEdit"), QStringLiteral("abc"));
        QTest::keyClicks(window.findChild<QLineEdit*>("ConfirmEdit"), QStringLiteral("abc"));
        window.findChild<QPushButton*>("CancelBtn")->click();
    });
    EXPECT_EQ(TNewPasswordDlg::Ask(nullptr, prompts), std::nullopt);
}

} // namespace
} // namespace qz::gui::test
