// The month selector's window: its buttons follow the view, clicks choose months, OK gives whole
// months and Cancel or Escape nothing.

#include "reports/MonthSelector.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace qz::gui::test {
namespace {

void ClickMonth(TMonthSelector& selector, int row, int column) {
    QTest::mouseClick(&selector, Qt::LeftButton, {}, selector.ButtonRect(row, column).center());
}

TEST(MonthSelectorTest, ClicksOnTheButtonsChooseThePeriod) {
    // March to October 2001: July to December 2001 on top, the empty first half of 2002 below.
    TMonthSelector selector({2001, 2}, {2001, 9});
    selector.show();
    EXPECT_EQ(selector.windowTitle(), QStringLiteral("Month Selector"));
    EXPECT_FALSE(selector.OKBtn->isEnabled());
    EXPECT_FALSE(selector.DownBtn->isEnabled());
    EXPECT_TRUE(selector.UpBtn->isEnabled());
    ClickMonth(selector, 1, 0); // January 2002: out of range
    EXPECT_FALSE(selector.OKBtn->isEnabled());
    QTest::mouseClick(selector.UpBtn, Qt::LeftButton);
    EXPECT_EQ(selector.Selection().ButtonMonth(0, 0), (TYearMonth{2001, 0}));
    EXPECT_FALSE(selector.UpBtn->isEnabled());
    ClickMonth(selector, 0, 4); // May
    ClickMonth(selector, 0, 2); // March, before: the new start
    EXPECT_TRUE(selector.OKBtn->isEnabled());
    // Between the buttons nothing happens.
    QTest::mouseClick(&selector, Qt::LeftButton, {}, QPoint(2, selector.height() - 2));
    const TMonthPeriod period = selector.Period();
    EXPECT_TRUE(period.Ok);
    EXPECT_EQ(period.Start, QDate(2001, 3, 1));
    EXPECT_EQ(period.End, QDate(2001, 5, 31));
    // The chosen months are drawn on blue, the others in range on maroon (an odd year).
    const QImage picture = selector.grab().toImage();
    const QPoint corner(3, 3);
    EXPECT_EQ(picture.pixel(selector.ButtonRect(0, 3).topLeft() + corner), qRgb(0, 0, 255));
    EXPECT_EQ(picture.pixel(selector.ButtonRect(0, 6 - 1).topLeft() + corner), qRgb(128, 0, 0));
    QTest::mouseClick(selector.ResetBtn, Qt::LeftButton);
    EXPECT_FALSE(selector.OKBtn->isEnabled());
    EXPECT_FALSE(selector.Period().Ok);
}

// Runs `action` on the selector once it is shown modally.
void WhenSelectorOpens(const std::function<void(TMonthSelector&)>& action) {
    QTimer::singleShot(0, [action] {
        auto* selector = qobject_cast<TMonthSelector*>(QApplication::activeModalWidget());
        if (!selector) {
            ADD_FAILURE() << "the month selector did not open";
            return;
        }
        action(*selector);
    });
}

TEST(MonthSelectorTest, SelectMonthsAnswersWholeMonthsOrNothing) {
    const struct {
        TYearMonth Month; // chosen alone
        QDate End;
    } months[] = {{{2000, 1}, QDate(2000, 2, 29)}, {{2001, 1}, QDate(2001, 2, 28)}};
    for (const auto& m : months) {
        WhenSelectorOpens([&](TMonthSelector& selector) {
            EXPECT_EQ(selector.pos(), QPoint(40, 60));
            QTest::mouseClick(selector.UpBtn, Qt::LeftButton); // to January to December
            ClickMonth(selector, 0, m.Month.Month);
            QTest::mouseClick(selector.OKBtn, Qt::LeftButton);
        });
        const TMonthPeriod period = TMonthSelector::SelectMonths(QPoint(40, 60), {m.Month.Year, 0}, {m.Month.Year, 11});
        EXPECT_TRUE(period.Ok);
        EXPECT_EQ(period.Start, QDate(m.Month.Year, 2, 1));
        EXPECT_EQ(period.End, m.End);
    }
    for (const bool escape : {true, false}) {
        WhenSelectorOpens([escape](TMonthSelector& selector) {
            ClickMonth(selector, 0, 0);
            if (escape)
                QTest::keyClick(&selector, Qt::Key_Escape);
            else
                QTest::mouseClick(selector.CancelBtn, Qt::LeftButton);
        });
        EXPECT_FALSE(TMonthSelector::SelectMonths(QPoint(0, 0), {2004, 0}, {2004, 11}).Ok);
    }
}

} // namespace
} // namespace qz::gui::test
