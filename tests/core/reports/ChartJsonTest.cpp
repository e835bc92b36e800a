#include "engine/EngineFixture.h"

#include "reports/ChartJson.h"

#include <sstream>

namespace qz::testing {
namespace {

class ChartJsonTest : public EngineFixture {
protected:
    TDisplayFormats Formats;
};

// January's balance averages zero, so the line leaves its place empty (null), as the debits
// leave February's.
TEST_F(ChartJsonTest, CashFlowChartWithEmptyPlaces) {
    Credit(Day(2024, 1, 1), 10);
    Debit(Day(2024, 1, 1), 10);
    Credit(Day(2024, 2, 1), 5);
    Finish();
    Recalculate(L);
    const TCashFlowSeries series = BuildCashFlowSeries(L, TSliceKind::Month, false, 0);
    std::ostringstream out;
    WriteChartJson(CashFlowChartData(series, CashFlowLegend(series, Formats), CashFlowChartTitle(L, Formats)), out);
    EXPECT_EQ(out.str(), "{\"chart\": \"cash-flow\", \"title\": \"Cash Flow Chart -  All Transactions \",\n"
                         " \"categories\": [\"Jan-24\", \"Feb-24\"],\n"
                         " \"series\": [\n"
                         "  {\"name\": \"Income\", \"values\": [10.00, 5.00]},\n"
                         "  {\"name\": \"Expense\", \"values\": [10.00, null]},\n"
                         "  {\"name\": \"Cash Flow\", \"values\": [null, 5.00]}],\n"
                         " \"legend\": {\"Credit Monthly Average\": \"$7.50\", \"Debit Monthly Average\": \"$5.00\", "
                         "\"Average Monthly Balance\": \"$2.50\", \"Credits\": \"60%\", \"Debits\": \"40%\", "
                         "\"Difference\": \"20.00%\"}}\n");
}

// Names from the books are Windows-1252 and may hold quotes; values keep every ten-thousandth.
TEST_F(ChartJsonTest, CategoryChartTextsAreEscapedUtf8) {
    const std::vector<TChartPoint> points = {{"Caf\xE9 \"Bar\"", Cash(12.3456), PointColour(0), 0},
                                             {"Rent", Cash(7), PointColour(1), 1}};
    std::ostringstream out;
    WriteChartJson(CategoryChartData(TCatChartMode::Categories, "Category Totals - Credit Categories", points), out);
    EXPECT_EQ(out.str(), "{\"chart\": \"categories\", \"title\": \"Category Totals - Credit Categories\",\n"
                         " \"categories\": [\"Caf\xC3\xA9 \\\"Bar\\\"\", \"Rent\"],\n"
                         " \"series\": [\n"
                         "  {\"name\": \"Category Totals\", \"values\": [12.3456, 7.00]}],\n"
                         " \"legend\": {}}\n");
}

} // namespace
} // namespace qz::testing
