// What a cell shows of a text that may not fit.

#include "grid/CellText.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace qz::gui::test {

TEST(CellText, MoneyTooWideBecomesMarksOtherTextAnEllipsis) {
    const QFontMetrics metrics(QFont(QStringLiteral("DejaVu Sans"), 9));
    const QString amount = QStringLiteral("1,234,567.89");
    const int exact = metrics.horizontalAdvance(amount);
    const int mark = metrics.horizontalAdvance(QLatin1Char('#'));
    constexpr int ColumnWidth = 80;
    const QString marks(ColumnWidth / mark + 1, QLatin1Char('#'));
    struct Case {
        int Room;
        bool ShowTotal;
        QString Expected;
    };
    const Case cases[] = {
        {exact, true, amount}, // fits exactly
        {exact, false, amount},
        {exact - 1, true, marks}, // one pixel short: marks in a totals column
        {exact - 1, false, metrics.elidedText(amount, Qt::ElideRight, exact - 1)},
        {0, true, marks},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Room << (c.ShowTotal ? " total" : " plain"));
        EXPECT_EQ(FitCellText(amount, metrics, c.Room, c.ShowTotal, ColumnWidth), c.Expected);
    }
    EXPECT_TRUE(FitCellText(amount, metrics, exact - 1, false, ColumnWidth).endsWith(QChar(0x2026)));
}

} // namespace qz::gui::test
