// The Welcome screen: its answers, the file used last and the "Show welcome screen" option.

#include "wizard/Welcome.h"

#include "ModalDriver.h"
#include "platform/ScriptedPrompts.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace qz::gui::test {
namespace {

class WelcomeTest : public ::testing::Test {
protected:
    WelcomeTest() : Options(Values, Prompts, Sets, Grid, Folder.path().toStdString()) {}

    QString MakeFile(const QString& name) {
        const QString path = Folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }
    int ShowWelcomeStored() { return Values.Integers.at(TOptionsManager::OptionName(OptShowWelcome)); }

    QTemporaryDir Folder;
    MemoryRegistry Values;
    ScriptedPrompts Prompts;
    std::array<TGridInfo, 5> Sets;
    TGridProperties Grid;
    TOptionsManager Options;
};

TEST_F(WelcomeTest, EachButtonAnswersItsCode) {
    Values.Texts[TWelcomeScreen::LastUsedValue] = MakeFile(QStringLiteral("Shop.kqk")).toStdString();
    const struct {
        const char* Button;
        int Code;
    } cases[] = {{"OpenExistingBtn", 10},
                 {"CreateNewBtn", 11},
                 {"OpenExampleBtn", 12},
                 {"OpenLastUsedBtn", 13},
                 {"CloseBtn", -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Button);
        TWelcomeScreen screen(nullptr, Values, Options);
        WhenModal<TWelcomeScreen>([&](TWelcomeScreen& shown) {
            EXPECT_EQ(shown.windowTitle(), QStringLiteral("Welcome"));
            shown.findChild<QPushButton*>(c.Button)->click();
        });
        EXPECT_EQ(screen.Run(), c.Code);
    }
    TWelcomeScreen screen(nullptr, Values, Options);
    WhenModal<TWelcomeScreen>([](TWelcomeScreen& shown) { QTest::keyClick(&shown, Qt::Key_Escape); });
    EXPECT_EQ(screen.Run(), -1);
}

TEST_F(WelcomeTest, LastUsedFileShowsItsShortNameOrNothingToOpen) {
    const QString existing = MakeFile(QStringLiteral("My.Shop.kqk"));
    const struct {
        const char* Name;
        bool Stored;
        QString Value;
        QString Label;
        QString Last;
    } cases[] = {
        {"no value", false, QString(), QStringLiteral("<nothing to open>"), QString()},
        {"empty value", true, QString(), QStringLiteral("<nothing to open>"), QString()},
        {"file gone", true, Folder.filePath(QStringLiteral("Gone.kqk")), QStringLiteral("<nothing to open>"),
         QString()},
        {"file there", true, existing, QStringLiteral("'My'"), existing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Values.Texts.clear();
        if (c.Stored)
            Values.Texts[TWelcomeScreen::LastUsedValue] = c.Value.toStdString();
        TWelcomeScreen screen(nullptr, Values, Options);
        EXPECT_EQ(screen.findChild<QLabel*>("LastFileLabel")->text(), c.Label);
        EXPECT_EQ(screen.findChild<QPushButton*>("OpenLastUsedBtn")->isHidden(), c.Last.isEmpty());
        EXPECT_EQ(screen.LastFile(), c.Last);
    }
}

TEST_F(WelcomeTest, ShowWelcomeIsWrittenOnEveryWayOut) {
    const struct {
        const char* Name;
        bool Ticked;
        std::function<void(TWelcomeScreen&)> Leave;
    } cases[] = {
        {"unticked, closed", false, [](TWelcomeScreen& s) { s.findChild<QPushButton*>("CloseBtn")->click(); }},
        {"ticked, a choice", true, [](TWelcomeScreen& s) { s.findChild<QPushButton*>("CreateNewBtn")->click(); }},
        {"unticked, a choice", false, [](TWelcomeScreen& s) { s.findChild<QPushButton*>("OpenExistingBtn")->click(); }},
        {"unticked, ended from outside", false, [](TWelcomeScreen& s) { s.EndWithoutChoice(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Values.Integers[TOptionsManager::OptionName(OptShowWelcome)] = c.Ticked ? 0 : 1;
        TWelcomeScreen screen(nullptr, Values, Options);
        auto* box = screen.findChild<QCheckBox*>("ShowWelcomeBox");
        EXPECT_TRUE(box->isChecked());
        EXPECT_EQ(box->text(), QStringLiteral("Show welcome screen"));
        box->setChecked(c.Ticked);
        c.Leave(screen);
        EXPECT_EQ(ShowWelcomeStored(), c.Ticked ? 1 : 0);
    }
}

} // namespace
} // namespace qz::gui::test
