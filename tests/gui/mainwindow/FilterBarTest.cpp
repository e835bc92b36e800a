// The filter controls of the main window as a user works them: dates typed into "From" and "To",
// the month selector, and the account bar's clicks, Ctrl+clicks and hints.

#include "MainFormFixture.h"

#include "controls/DatePanel.h"
#include "controls/KQBookBar.h"
#include "reports/MonthSelector.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace qz::gui::test {

namespace {

class FilterBarTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
    }
};

} // namespace

// Each keystroke of a typed date is not a date of its own: the range takes the whole date, once.
TEST_F(FilterBarTest, ADateTypedIntoFromOrToAppliesOnceWhenComplete) {
    TDatePanel& panel = *Window->DatePanel();
    TWorksheetFilters& filters = Window->WorksheetFilters();
    std::vector<int> picks;
    const auto pick = panel.OnPickDate;
    panel.OnPickDate = [&picks, pick](int which, QDate day) {
        picks.push_back(which);
        pick(which, day);
    };
    QTest::mouseClick(panel.DayButton(), Qt::LeftButton);
    ASSERT_TRUE(panel.Picker(1)->isEnabled());
    struct Case {
        int Which;
        const char* Typed;
        bool Enter; // else Tab leaves the box
        TDateTime Expected;
    };
    const Case cases[] = {
        {1, "20/4/25", true, EncodeDate(2025, 4, 20)},
        {2, "1/3/26", false, EncodeDate(2026, 3, 1)},
        {1, "15/5/25", false, EncodeDate(2025, 5, 15)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        picks.clear();
        QDateEdit* picker = panel.Picker(c.Which);
        // The short date format of an Australian user.
        picker->setDisplayFormat(QStringLiteral("d/M/yy"));
        picker->setFocus();
        picker->selectAll();
        QTest::keyClicks(picker, QString::fromLatin1(c.Typed));
        EXPECT_TRUE(picks.empty());
        QTest::keyClick(picker, c.Enter ? Qt::Key_Return : Qt::Key_Tab);
        Window->Grid()->setFocus();
        EXPECT_EQ(picks, std::vector<int>{c.Which});
        EXPECT_EQ(c.Which == 1 ? filters.DateFrom() : filters.DateTo(), c.Expected);
        EXPECT_TRUE(filters.DateRangeActive());
        EXPECT_EQ(picker->text(), QString::fromLatin1(c.Typed));
    }
}

// "Select a Date Range by month": the months chosen in the selector become the worksheet's range,
// from the first day of the first month to the last day of the last; Cancel keeps the range.
TEST_F(FilterBarTest, MonthSelectorSetsTheRangeToWholeMonths) {
    TWorksheetFilters& filters = Window->WorksheetFilters();
    ASSERT_TRUE(Window->DatePanel()->PeriodButton()->isEnabled());
    TYearMonth chosenStart;
    TYearMonth chosenEnd;
    QTimer::singleShot(0, [&] {
        auto* selector = qobject_cast<TMonthSelector*>(QApplication::activeModalWidget());
        ASSERT_NE(selector, nullptr);
        // The first and the last month in range on the opening view.
        std::vector<std::pair<int, int>> inRange;
        for (int row = 0; row < TMonthSelection::Rows; ++row)
            for (int column = 0; column < TMonthSelection::Columns; ++column)
                if (selector->Selection().InRange(selector->Selection().ButtonMonth(row, column)))
                    inRange.emplace_back(row, column);
        ASSERT_GE(inRange.size(), 2u);
        for (const auto& [row, column] : {inRange.front(), inRange.back()})
            QTest::mouseClick(selector, Qt::LeftButton, {}, selector->ButtonRect(row, column).center());
        chosenStart = selector->Selection().StartMonth();
        chosenEnd = selector->Selection().EndMonth();
        QTest::mouseClick(selector->OKBtn, Qt::LeftButton);
    });
    QTest::mouseClick(Window->DatePanel()->PeriodButton(), Qt::LeftButton);
    ASSERT_GE(chosenStart.Year, 1);
    EXPECT_TRUE(filters.DateRangeActive());
    EXPECT_EQ(filters.DateFrom(), EncodeDate(chosenStart.Year, chosenStart.Month + 1, 1));
    EXPECT_EQ(filters.DateTo(), EncodeDate(chosenEnd.Year, chosenEnd.Month + 1,
                                           TMonthSelection::DaysInMonth(chosenEnd.Year, chosenEnd.Month)));

    QTimer::singleShot(0, [] {
        if (auto* selector = qobject_cast<TMonthSelector*>(QApplication::activeModalWidget()))
            selector->reject();
    });
    const TDateTime from = filters.DateFrom();
    QTest::mouseClick(Window->DatePanel()->PeriodButton(), Qt::LeftButton);
    EXPECT_EQ(filters.DateFrom(), from);
}

// A click selects one account; Ctrl+click adds an account, or takes a selected one out again, but
// never the last one shown.
TEST_F(FilterBarTest, CtrlClickTogglesAnAccountButNeverTheLast) {
    TKQBookBar& bar = *Window->AccountBar();
    ASSERT_EQ(bar.ButtonCount(), 3);
    const auto selected = [this] {
        std::vector<int> flags;
        for (const TBookRec* book : Window->Ledger().BookList.KeyList)
            flags.push_back(book->Selected);
        return flags;
    };
    struct Step {
        int Button;
        bool Ctrl;
        std::vector<int> Selected;
    };
    const Step steps[] = {
        {0, false, {1, 0, 0}}, {1, true, {1, 1, 0}}, {2, true, {1, 1, 1}},
        {0, true, {0, 1, 1}},  {1, true, {0, 0, 1}}, {2, true, {0, 0, 1}}, // the last one stays
        {0, false, {1, 0, 0}},
    };
    int rowsBefore = Window->Grid()->RowCount();
    for (const Step& step : steps) {
        SCOPED_TRACE(::testing::Message() << step.Button << (step.Ctrl ? " ctrl" : ""));
        const std::vector<int> before = selected();
        QTest::mouseClick(&bar, Qt::LeftButton, step.Ctrl ? Qt::ControlModifier : Qt::NoModifier,
                          bar.AccountButtonRect(step.Button).center());
        EXPECT_EQ(selected(), step.Selected);
        // Taking an account out shows fewer rows.
        if (step.Ctrl && before[static_cast<std::size_t>(step.Button)] && step.Selected != before) {
            EXPECT_LT(Window->Grid()->RowCount(), rowsBefore);
        }
        rowsBefore = Window->Grid()->RowCount();
    }
}

} // namespace qz::gui::test
