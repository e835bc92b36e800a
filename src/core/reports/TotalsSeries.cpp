#include "TotalsSeries.h"

#include "engine/Engine.h"

#include <algorithm>

namespace qz {

namespace {

bool Positive(Money total) {
    return total > Money();
}

void AddPoint(std::vector<TChartPoint>& points, std::string_view label, Money value) {
    const auto place = points.size();
    points.push_back({std::string(label), value, PointColour(place), static_cast<std::int32_t>(place)});
}

bool Selected(const TLedger& ledger) {
    return AnySelectionActive(ledger) || !AllAccountsSelected(ledger);
}

std::string SideText(std::uint8_t side) {
    return side == SideCredit ? " - Credit" : " - Debit";
}

// Adds one item's three bars, unless both its totals are zero.
void AddBars(TTotalsBars& bars, std::string_view name, Money credit, Money debit) {
    if (credit.IsZero() && debit.IsZero())
        return;
    const auto place = static_cast<std::int32_t>(bars.Credits.Points.size());
    const std::string label(name);
    bars.Credits.Points.push_back({label, credit, ChartGreen, place});
    bars.Debits.Points.push_back({label, debit, ChartRed, place});
    bars.Difference.Points.push_back({label, credit - debit, ChartBlue, place});
}

TTotalsBars EmptyBars() {
    return {{"Income", ChartGreen, {}}, {"Expense", ChartRed, {}}, {"Difference", ChartBlue, {}}};
}

} // namespace

std::string CategoryChartCaption(TCatChartMode mode) {
    return mode == TCatChartMode::QuickSummary ? "Quick Summary Chart" : "Category Totals Chart";
}

std::vector<TChartPoint> CategoryChartPoints(const TLedger& ledger, TCatChartMode mode, std::uint8_t side,
                                             const TMainActRec* subsOf) {
    std::vector<TChartPoint> points;
    if (mode == TCatChartMode::QuickSummary) {
        for (const TCatRec* type : ledger.CatList.RowList)
            if (type->Side == side && type->Row != -1 && Positive(type->Total))
                AddPoint(points, type->Name.View(), type->Total);
    } else if (subsOf) {
        for (const TSubActRec* sub : ledger.SubActList.RowList)
            if (sub->MainAct == subsOf->Number && Positive(sub->Total))
                AddPoint(points, sub->Name.View(), sub->Total);
    } else {
        for (const TMainActRec* category : ledger.MainActList.RowList)
            if (category->Side == side && Positive(category->Total))
                AddPoint(points, category->Name.View(), category->Total);
    }
    return points;
}

bool CategorySideEnabled(const TLedger& ledger, TCatChartMode mode, std::uint8_t side) {
    auto counts = [side](const auto* item) { return item->Side == side && item->Row != -1 && Positive(item->Total); };
    if (mode == TCatChartMode::QuickSummary)
        return std::any_of(ledger.CatList.KeyList.begin(), ledger.CatList.KeyList.end(), counts);
    return std::any_of(ledger.MainActList.KeyList.begin(), ledger.MainActList.KeyList.end(), counts);
}

std::uint8_t CategoryChartFirstSide(const TLedger& ledger, TCatChartMode mode) {
    return CategorySideEnabled(ledger, mode, SideCredit) ? SideCredit : SideDebit;
}

TColour CategorySideGradient(std::uint8_t side) {
    return side == SideCredit ? CreditSideGradient : DebitSideGradient;
}

std::vector<TCategoryChoice> CategoryChoices(const TLedger& ledger, std::uint8_t side) {
    std::vector<TCategoryChoice> choices;
    for (const TMainActRec* category : ledger.MainActList.RowList)
        if (category->Side == side && Positive(category->Total))
            choices.push_back(
                {category->Number, std::string(category->Name.View()), side == SideCredit ? ChartGreen : ChartRed});
    return choices;
}

std::string CategoryChartTitle(const TLedger& ledger, TCatChartMode mode, std::uint8_t side,
                               const TMainActRec* subsOf) {
    std::string title;
    if (mode == TCatChartMode::QuickSummary)
        title = "Quick Summary" + SideText(side);
    else if (subsOf)
        title = "Sub Category Totals of '" + std::string(subsOf->Name.View()) + "'";
    else
        title = "Category Totals" + SideText(side) + " Categories";
    return Selected(ledger) ? "Selected " + title : title;
}

std::string TotalsHintText(const TChartPoint& point, const TDisplayFormats& formats) {
    return point.Value ? ChartPointText(point.Label, "  -  ", *point.Value, formats) : std::string();
}

std::string CategoryLegendClickText(const TChartPoint& point, const TDisplayFormats& formats) {
    return point.Value ? ChartPointText(point.Label, " - ", *point.Value, formats) : std::string();
}

void SetTotalsTaxBasis(TLedger& ledger, bool including) {
    ledger.Switches.GstInTotals = including;
    Recalculate(ledger);
}

void RestoreStoredTaxBasis(TLedger& ledger, bool storedGstInTotals) {
    if (ledger.Switches.GstInTotals != storedGstInTotals)
        SetTotalsTaxBasis(ledger, storedGstInTotals);
}

std::int32_t CategoryLegendPages(std::int32_t entries, std::int32_t entriesPerPage) {
    const std::int32_t perPage = std::max(entriesPerPage, 1);
    return std::max((entries + perPage - 1) / perPage, 1);
}

TTotalsBars AccountTotalsBars(TLedger& ledger, bool gross) {
    AccountTotals(ledger, gross);
    TTotalsBars bars = EmptyBars();
    for (const TBookRec* book : ledger.BookList.KeyList)
        AddBars(bars, book->Name.View(), book->CreditTotal, book->DebitTotal);
    return bars;
}

TTotalsBars GroupTotalsBars(const TLedger& ledger) {
    TTotalsBars bars = EmptyBars();
    for (const TGroupRec* group : ledger.GroupList.KeyList)
        AddBars(bars, group->Name.View(), group->CreditTotal, group->DebitTotal);
    return bars;
}

std::string GrpChartCaption(TGrpChartMode mode) {
    return mode == TGrpChartMode::Accounts ? "Account Totals Chart" : "Group Totals Chart";
}

TColour GrpChartGradient(TGrpChartMode mode) {
    return mode == TGrpChartMode::Accounts ? RGBColour(231, 151, 3) : RGBColour(28, 162, 132);
}

std::string GrpChartTitle(const TLedger& ledger, TGrpChartMode mode, const TDisplayFormats& formats) {
    const TCalcSwitches& switches = ledger.Switches;
    const bool selected =
        switches.CategorySelectionActive || switches.GroupSelectionActive || !AllAccountsSelected(ledger);
    std::string title = GrpChartCaption(mode) + " - " + (selected ? "Selected Totals " : "All Totals");
    if (switches.DateRangeActive)
        title += " between " + formats.DateText(ledger.TransList.DateFrom) + " and " +
                 formats.DateText(ledger.TransList.DateTo);
    return title;
}

} // namespace qz
