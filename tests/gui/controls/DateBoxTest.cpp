// The date box's calendar: a day chosen with the mouse or the keys is a pick once the calendar
// closes; Escape puts the day back and picks nothing; the program's dates are never picks.

#include "controls/DateBox.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace qz::gui::test {

namespace {

class DateBoxTest : public ::testing::Test {
protected:
    QWidget Window;
    TDateBox* Box = new TDateBox(QDate(2024, 3, 10), &Window);
    QLineEdit* Other = new QLineEdit(&Window);
    int Picks = 0;

    void SetUp() override {
        Box->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        Box->OnDatePicked = [this] { ++Picks; };
        auto* layout = new QHBoxLayout(&Window);
        layout->addWidget(Box);
        layout->addWidget(Other);
        Window.move(100, 100);
        Window.show();
        Window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
        Box->setFocus();
    }

    QTableView* Days() const { return Box->calendarWidget()->findChild<QTableView*>(); }

    // The cell of `day` in the month shown: a day from 13 to 28 appears once in the grid.
    QPoint CellOf(int day) const {
        QTableView* days = Days();
        for (int row = 0; row < days->model()->rowCount(); ++row)
            for (int column = 0; column < days->model()->columnCount(); ++column) {
                const QModelIndex index = days->model()->index(row, column);
                if (index.data().toString() == QString::number(day))
                    return days->visualRect(index).center();
            }
        ADD_FAILURE() << "no cell for day " << day;
        return {};
    }
};

} // namespace

TEST_F(DateBoxTest, ADayClickedInTheCalendarIsPicked) {
    Box->DropDown();
    QWidget* calendar = Box->CalendarWindow();
    ASSERT_TRUE(calendar && calendar->isVisible());
    EXPECT_GE(calendar->geometry().top(), Box->mapToGlobal(QPoint(0, Box->height())).y() - 1) << "below the box";
    EXPECT_EQ(Picks, 0);
    QTest::mouseClick(Days()->viewport(), Qt::LeftButton, {}, CellOf(21));
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(Box->date(), QDate(2024, 3, 21));
    EXPECT_EQ(Picks, 1);
}

TEST_F(DateBoxTest, TheKeysOpenTheCalendarAndChooseADay) {
    QTest::keyClick(Box, Qt::Key_F4);
    ASSERT_TRUE(Box->CalendarWindow()->isVisible());
    QTest::keyClick(Days(), Qt::Key_Right);
    QTest::keyClick(Days(), Qt::Key_Down);
    EXPECT_EQ(Picks, 0) << "walking the calendar is no pick yet";
    QTest::keyClick(Days(), Qt::Key_Return);
    EXPECT_FALSE(Box->CalendarWindow()->isVisible());
    EXPECT_EQ(Box->date(), QDate(2024, 3, 18));
    EXPECT_EQ(Picks, 1);

    // Escape after walking: the day the calendar opened with, and no pick.
    QTest::keyClick(Box, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Box->CalendarWindow()->isVisible());
    QTest::keyClick(Days(), Qt::Key_Left);
    ASSERT_EQ(Box->date(), QDate(2024, 3, 17));
    QTest::keyClick(Days(), Qt::Key_Escape);
    EXPECT_FALSE(Box->CalendarWindow()->isVisible());
    EXPECT_EQ(Box->date(), QDate(2024, 3, 18));
    EXPECT_EQ(Picks, 1);
}

// Tab leaves the box from any of its parts; the box does not step through them first.
TEST_F(DateBoxTest, TabLeavesTheBoxAndShiftTabComesBack) {
    Box->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(Box, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Other);
    QTest::keyClick(Other, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), Box);
    EXPECT_EQ(Box->date(), QDate(2024, 3, 10));
}

TEST_F(DateBoxTest, DatesSetByTheProgramAreNoPicks) {
    Box->SetDate(QDate(2024, 5, 1));
    Other->setFocus();
    EXPECT_EQ(Picks, 0);

    // Halfway through typing, the program shows another date: leaving picks nothing.
    Box->setFocus();
    Box->selectAll();
    QTest::keyClicks(Box, QStringLiteral("0"));
    Box->SetDate(QDate(2023, 7, 1));
    Other->setFocus();
    EXPECT_EQ(Box->date(), QDate(2023, 7, 1));
    EXPECT_EQ(Picks, 0);

    // Pointing the user at a date: shown, focused and selected to be typed over.
    Box->FocusDate(QDate(2022, 7, 1));
    EXPECT_EQ(QApplication::focusWidget(), Box);
    EXPECT_EQ(Box->date(), QDate(2022, 7, 1));
    QTest::keyClicks(Box, QStringLiteral("05/08/2022"));
    QTest::keyClick(Box, Qt::Key_Return);
    EXPECT_EQ(Box->date(), QDate(2022, 8, 5));
    EXPECT_EQ(Picks, 1);
}

} // namespace qz::gui::test
