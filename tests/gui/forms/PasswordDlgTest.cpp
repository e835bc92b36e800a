// The password prompt and the access check of protected commands.

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

TFileSettings Protected(const std::string& password, std::uint8_t TFileSettings::*mark) {
    TFileSettings settings;
    settings.Password = password;
    if (mark)
        settings.*mark = 1;
    return settings;
}

TEST(CheckAccess, AsksOnlyForTheAreaTheDocumentGuards) {
    const struct {
        std::uint8_t TFileSettings::*Mark;
        TAccessArea Area;
        bool Asks;
    } cases[] = {
        {nullptr, TAccessArea::Deleting, false},
        {nullptr, TAccessArea::Printing, false},
        {&TFileSettings::ProtectDelete, TAccessArea::Deleting, true},
        {&TFileSettings::ProtectDelete, TAccessArea::Adding, false},
        {&TFileSettings::ProtectDelete, TAccessArea::Editing, false},
        {&TFileSettings::ProtectAdd, TAccessArea::Adding, true},
        {&TFileSettings::ProtectEdit, TAccessArea::Editing, true},
        {&TFileSettings::ProtectWorksheet, TAccessArea::Worksheet, true},
        {&TFileSettings::ProtectWorksheet, TAccessArea::Reports, false},
        {&TFileSettings::ProtectReports, TAccessArea::Reports, true},
        {&TFileSettings::ProtectPrint, TAccessArea::Printing, true},
        {&TFileSettings::ProtectPrint, TAccessArea::Worksheet, false},
        {&TFileSettings::ProtectOpen, TAccessArea::FileOpening, true},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(row++);
        const TFileSettings settings = Protected("pw", c.Mark);
        for (const bool typed : {true, false}) {
            std::vector<std::string> asked;
            const bool passed = CheckAccess(settings, c.Area, [&](const std::string& password) {
                asked.push_back(password);
                return typed;
            });
            EXPECT_EQ(asked, c.Asks ? std::vector<std::string>{"pw"} : std::vector<std::string>{});
            EXPECT_EQ(passed, !c.Asks || typed);
        }
    }
}

TEST(CheckAccess, PasswordPageIsGuardedByThePasswordItself) {
    int asked = 0;
    const auto refuse = [&](const std::string&) {
        ++asked;
        return false;
    };
    EXPECT_TRUE(CheckPasswordPageAccess(Protected("", nullptr), refuse));
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(CheckPasswordPageAccess(Protected("pw", nullptr), refuse));
    EXPECT_EQ(asked, 1);
}

} // namespace
} // namespace qz::gui::test
