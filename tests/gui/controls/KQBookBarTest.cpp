// The account bar: which event each click raises, how pressed accounts look, and the scroll arrows
// that appear when the account buttons do not fit.

#include "controls/KQBookBar.h"
#include "grid/WinColour.h"

#include <QApplication>
#include <QFont>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qz::gui::test {

namespace {

class BookBarTest : public ::testing::Test {
protected:
    TKQBookBar Bar;
    std::vector<std::string> Events;

    void SetUp() override {
        Bar.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        Bar.OnAccountClick = [this](int index, bool ctrl) {
            Events.push_back("account " + std::to_string(index) + (ctrl ? " ctrl" : ""));
        };
        Bar.OnAllClick = [this] { Events.push_back("all"); };
        Bar.OnAccountsClick = [this] { Events.push_back("accounts"); };
        Bar.SetButtons({{"Cheque", RGBColour(0, 128, 0), true},
                        {"Savings", RGBColour(128, 0, 128), false},
                        {"Petty \x80 Cash", RGBColour(200, 80, 0), false}});
        Bar.resize(600, TKQBookBar::BarHeight);
        Bar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Bar));
    }

    void Click(QPoint point, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(&Bar, Qt::LeftButton, modifiers, point);
    }

    static std::vector<TAccountButton> Many(int count) {
        std::vector<TAccountButton> buttons;
        for (int i = 0; i < count; ++i)
            buttons.push_back({"Account number " + std::to_string(i), RGBColour(0, 0, 160), false});
        return buttons;
    }
};

} // namespace

TEST_F(BookBarTest, EachButtonRaisesItsOwnEvent) {
    ASSERT_EQ(Bar.ButtonCount(), 3);
    ASSERT_FALSE(Bar.ArrowsVisible());
    struct Case {
        QPoint Point;
        Qt::KeyboardModifiers Modifiers;
        std::string Raised;
    };
    const Case cases[] = {
        {Bar.AccountButtonRect(1).center(), {}, "account 1"},
        {Bar.AccountButtonRect(2).center(), Qt::ControlModifier, "account 2 ctrl"},
        {Bar.AccountButtonRect(0).center(), {}, "account 0"}, // already pressed: still a click
        {Bar.AllButtonRect().center(), {}, "all"},
        {Bar.AccountsButtonRect().center(), Qt::ControlModifier, "accounts"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Raised);
        Events.clear();
        Click(c.Point, c.Modifiers);
        EXPECT_EQ(Events, std::vector<std::string>{c.Raised});
    }
}

TEST_F(BookBarTest, NothingHappensForADisabledButtonOrAPressLetGoElsewhere) {
    Bar.SetAllEnabled(false);
    Click(Bar.AllButtonRect().center());
    Bar.SetAccountsEnabled(false);
    Click(Bar.AccountsButtonRect().center());
    QTest::mousePress(&Bar, Qt::LeftButton, {}, Bar.AccountButtonRect(1).center());
    QTest::mouseRelease(&Bar, Qt::LeftButton, {}, Bar.AccountButtonRect(2).center());
    Bar.setEnabled(false);
    Click(Bar.AccountButtonRect(1).center());
    Click(Bar.AccountsButtonRect().center());
    EXPECT_TRUE(Events.empty());
}

TEST_F(BookBarTest, AccountsShowInListOrderInTheirColourAndPressedWhileSelected) {
    const QImage shot = Bar.grab().toImage();
    const QColor colours[] = {QColor(0, 128, 0), QColor(128, 0, 128), QColor(200, 80, 0)};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QRect button = Bar.AccountButtonRect(i);
        if (i > 0) {
            EXPECT_GT(button.left(), Bar.AccountButtonRect(i - 1).right());
        }
        EXPECT_EQ(shot.pixel(button.left() + 3, button.top() + 3), colours[i].rgb());
        // The outer edge is dark at the top left only on the pressed (sunken) button.
        EXPECT_EQ(shot.pixel(button.topLeft()), Bar.palette().color(i == 0 ? QPalette::Shadow : QPalette::Light).rgb());
    }
    EXPECT_EQ(Bar.toolTip(), QStringLiteral("Hold down the <ctrl> key to select multiple Books"));
}

TEST_F(BookBarTest, ArrowsScrollTheAccountButtonsOnlyWhileTheyDoNotFit) {
    Bar.SetButtons(Many(12));
    ASSERT_TRUE(Bar.ArrowsVisible());
    EXPECT_FALSE(Bar.AccountButtonRect(0).isEmpty());
    EXPECT_GT(Bar.LeftArrowRect().left(), Bar.AccountButtonRect(0).right());

    Click(Bar.RightArrowRect().center());
    EXPECT_EQ(Bar.FirstVisible(), 1);
    EXPECT_TRUE(Bar.AccountButtonRect(0).isEmpty());
    Events.clear();
    Click(Bar.AccountButtonRect(1).center());
    EXPECT_EQ(Events, std::vector<std::string>{"account 1"});

    // Scrolling stops once the last button is in full view.
    for (int i = 0; i < 20; ++i)
        Click(Bar.RightArrowRect().center());
    const int last = Bar.FirstVisible();
    EXPECT_LT(last, 11);
    EXPECT_LT(Bar.AccountButtonRect(11).right(), Bar.LeftArrowRect().left());
    EXPECT_EQ(Bar.AccountButtonRect(11).width(), Bar.AccountButtonRect(10).width()); // not cut off

    Click(Bar.LeftArrowRect().center());
    EXPECT_EQ(Bar.FirstVisible(), last - 1);

    // Room for everything: the arrows go and every button is back in view.
    Bar.resize(4000, TKQBookBar::BarHeight);
    EXPECT_FALSE(Bar.ArrowsVisible());
    EXPECT_EQ(Bar.FirstVisible(), 0);
    EXPECT_FALSE(Bar.AccountButtonRect(0).isEmpty());
}

// Hovering a button says what a click and a Ctrl+click on it do; between the buttons the bar's
// own hint shows.
TEST_F(BookBarTest, EachButtonsHintSaysWhatItsClicksDo) {
    const auto hintOver = [this](QPoint point) { return Bar.HintAt(point); };
    const QString alone = QStringLiteral(": click to show this account alone; ");
    struct Case {
        std::vector<bool> Pressed;
        int Button;
        QString Hint;
    };
    const Case cases[] = {
        {{true, false, false}, 0, QStringLiteral("Cheque") + alone + "Ctrl+click another account to show it as well"},
        {{true, false, false}, 1, QStringLiteral("Savings") + alone + "Ctrl+click to add it to the accounts shown"},
        {{true, false, true},
         2,
         QStringLiteral("Petty \u20AC Cash") + alone + "Ctrl+click to take it out of the accounts shown"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Button);
        Bar.SetButtons({{"Cheque", RGBColour(0, 128, 0), c.Pressed[0]},
                        {"Savings", RGBColour(128, 0, 128), c.Pressed[1]},
                        {"Petty \x80 Cash", RGBColour(200, 80, 0), c.Pressed[2]}});
        EXPECT_EQ(hintOver(Bar.AccountButtonRect(c.Button).center()), c.Hint);
    }
    EXPECT_EQ(hintOver(Bar.AllButtonRect().center()), QStringLiteral("Show every account"));
    const QPoint between(Bar.AccountButtonRect(2).right() + 20, Bar.height() / 2);
    EXPECT_EQ(hintOver(between), QStringLiteral("Hold down the <ctrl> key to select multiple Books"));

    // The hint window shows the button's hint.
    const QPoint over = Bar.AccountButtonRect(1).center();
    QHelpEvent help(QEvent::ToolTip, over, Bar.mapToGlobal(over));
    QApplication::sendEvent(&Bar, &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), hintOver(over));
    QToolTip::hideText();
}

} // namespace qz::gui::test
