// The date panel: the day switch, the month button and the two pickers raise their events; the
// "All" captions cover the pickers while the day switch is up; setting the state raises nothing.

#include "controls/DatePanel.h"

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QLabel>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace qz::gui::test {

namespace {

const QColor Blue(0, 0, 255);

class DatePanelTest : public ::testing::Test {
protected:
    TDatePanel Panel;
    std::vector<std::pair<int, QDate>> Picked;
    std::vector<bool> Switched;
    int PeriodClicks = 0;

    void SetUp() override {
        Panel.OnPickDate = [this](int which, QDate day) { Picked.emplace_back(which, day); };
        Panel.OnDaySwitch = [this](bool down) { Switched.push_back(down); };
        Panel.OnPeriodClick = [this] { ++PeriodClicks; };
        Panel.SetDatesEnabled(true);
        Panel.resize(Panel.sizeHint());
        Panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Panel));
    }

    // Pickers and labels usable, "All" captions hidden: the look of a down day switch.
    void ExpectDaySwitchShown(bool down) {
        EXPECT_EQ(Panel.DayButton()->isChecked(), down);
        for (int which : {1, 2}) {
            SCOPED_TRACE(which);
            EXPECT_EQ(Panel.Picker(which)->isEnabled(), down);
            EXPECT_EQ(Panel.RangeLabel(which)->isEnabled(), down);
            EXPECT_EQ(Panel.AllCaption(which)->isVisible(), !down);
        }
    }
};

} // namespace

TEST_F(DatePanelTest, SettingTheStateShowsItWithoutEvents) {
    const QDate from(2023, 7, 1);
    const QDate to(2024, 6, 30);
    for (bool down : {true, false, true}) {
        SCOPED_TRACE(down);
        Panel.SetState(down, from.addDays(down), to, down ? Blue : QColor(Qt::lightGray), Qt::white);
        ExpectDaySwitchShown(down);
        EXPECT_EQ(Panel.Picker(1)->date(), from.addDays(down));
        EXPECT_EQ(Panel.Picker(2)->date(), to);
    }
    EXPECT_EQ(Panel.grab().toImage().pixel(Panel.width() - 1, 0), Blue.rgb());
    EXPECT_EQ(Panel.RangeLabel(1)->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_TRUE(Picked.empty());
    EXPECT_TRUE(Switched.empty());
}

TEST_F(DatePanelTest, AllCaptionsCoverThePickerTextButNotItsDropDownButton) {
    const int scrollBar = Panel.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int which : {1, 2}) {
        const QRect picker = Panel.Picker(which)->geometry();
        EXPECT_EQ(Panel.AllCaption(which)->geometry(),
                  QRect(picker.left() + 2, picker.top() + 2, picker.width() - scrollBar - 4, picker.height() - 4));
        EXPECT_EQ(Panel.AllCaption(which)->text(), QStringLiteral("All"));
    }
}

TEST_F(DatePanelTest, TheSwitchesRaiseTheirEventsOnlyWhileEnabled) {
    EXPECT_EQ(Panel.DayButton()->toolTip(), QStringLiteral("Select a Date Range by day"));
    EXPECT_EQ(Panel.PeriodButton()->toolTip(), QStringLiteral("Select a Date Range by month"));
    ExpectDaySwitchShown(false);

    QTest::mouseClick(Panel.DayButton(), Qt::LeftButton);
    ExpectDaySwitchShown(true);
    QTest::mouseClick(Panel.DayButton(), Qt::LeftButton);
    ExpectDaySwitchShown(false);
    QTest::mouseClick(Panel.PeriodButton(), Qt::LeftButton);
    EXPECT_EQ(Switched, (std::vector<bool>{true, false}));
    EXPECT_EQ(PeriodClicks, 1);

    // A document without transactions.
    Panel.SetDatesEnabled(false);
    QTest::mouseClick(Panel.DayButton(), Qt::LeftButton);
    QTest::mouseClick(Panel.PeriodButton(), Qt::LeftButton);
    EXPECT_EQ(Switched.size(), 2u);
    EXPECT_EQ(PeriodClicks, 1);
}

TEST_F(DatePanelTest, AnEditWhileTheCalendarIsClosedPicksTheDay) {
    Panel.SetState(true, QDate(2024, 3, 10), QDate(2024, 3, 20), Blue, Qt::white);
    QDateEdit* upper = Panel.Picker(2);
    upper->setFocus();
    QTest::keyClick(upper, Qt::Key_Up);
    ASSERT_NE(upper->date(), QDate(2024, 3, 20));
    EXPECT_EQ(Picked, (std::vector<std::pair<int, QDate>>{{2, upper->date()}}));
}

// A typed date is picked once it is complete: on Enter or on leaving the box, never a keystroke
// at a time (each keystroke's date would be a day the user never meant).
TEST_F(DatePanelTest, ATypedDateIsPickedOnceWhenComplete) {
    struct Case {
        int Which;
        const char* Typed;
        bool Enter; // else the box is left with Tab
        QDate Picked;
        const char* Format = "d/M/yy"; // the short date format of an Australian user
    };
    // A year typed with two digits is of this century or the last, whatever the format.
    const int century = QDate::currentDate().year() / 100 * 100;
    const Case cases[] = {
        {1, "20/4/25", true, QDate(2025, 4, 20)},
        {1, "15/5/25", false, QDate(2025, 5, 15)},
        {2, "1/3/25", true, QDate(2025, 3, 1)},
        {2, "28/12/24", false, QDate(2024, 12, 28)},
        {1, "20/04/25", true, QDate(century + 25, 4, 20), "dd/MM/yyyy"},
        {2, "01/03/99", false, QDate(century - 1, 3, 1), "dd/MM/yyyy"},
        {1, "01/03/1987", true, QDate(1987, 3, 1), "dd/MM/yyyy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        Panel.SetState(true, QDate(2024, 7, 1), QDate(2025, 6, 30), Blue, Qt::white);
        Picked.clear();
        QDateEdit* picker = Panel.Picker(c.Which);
        picker->setDisplayFormat(QString::fromLatin1(c.Format));
        picker->setFocus();
        picker->selectAll();
        QTest::keyClicks(picker, QString::fromLatin1(c.Typed));
        EXPECT_TRUE(Picked.empty());
        if (c.Enter)
            QTest::keyClick(picker, Qt::Key_Return);
        else
            Panel.Picker(3 - c.Which)->setFocus();
        // Leaving after Enter picks nothing more.
        Panel.DayButton()->setFocus();
        EXPECT_EQ(Picked, (std::vector<std::pair<int, QDate>>{{c.Which, c.Picked}}));
    }
}

TEST_F(DatePanelTest, ADayChosenInTheCalendarIsPickedWhenTheCalendarCloses) {
    Panel.SetState(true, QDate(2024, 3, 10), QDate(2024, 3, 20), Blue, Qt::white);
    QCalendarWidget* calendar = Panel.Picker(1)->calendarWidget();
    ASSERT_NE(calendar, nullptr);
    calendar->window()->show();
    calendar->setSelectedDate(QDate(2024, 3, 5));
    calendar->setSelectedDate(QDate(2024, 3, 6));
    EXPECT_TRUE(Picked.empty());
    calendar->window()->hide();
    EXPECT_EQ(Picked, (std::vector<std::pair<int, QDate>>{{1, QDate(2024, 3, 6)}}));
}

} // namespace qz::gui::test
