#pragma once
// The totals charts' figures: the category window (the categories of one side, the sub
// categories of one category, or the category types of one side: one coloured point each) and
// the accounts-and-groups window (credits, debits and their difference for each account or
// group), all for the worksheet's current filter.

#include "ChartSeries.h"

namespace qz {

// ---- The category window ----

enum class TCatChartMode : std::uint8_t { Categories, QuickSummary };

inline constexpr const char* NoChartInformationText = "No to information to display";
inline constexpr TColour CreditSideGradient = RGBColour(152, 255, 147);
inline constexpr TColour DebitSideGradient = RGBColour(255, 130, 130);

// "Category Totals Chart" or "Quick Summary Chart".
std::string CategoryChartCaption(TCatChartMode mode);

// One point per item of the side with a positive total, in the lists' current (view) order,
// each coloured by its place (PointColour): the category types with a row (quick summary),
// the categories, or, given `subsOf`, the sub categories of that category.
std::vector<TChartPoint> CategoryChartPoints(const TLedger& ledger, TCatChartMode mode, std::uint8_t side,
                                             const TMainActRec* subsOf = nullptr);

// A side's toggle is enabled while it has an item with a row and a positive total.
bool CategorySideEnabled(const TLedger& ledger, TCatChartMode mode, std::uint8_t side);
// The side shown on opening: credit when it has such an item, otherwise debit.
std::uint8_t CategoryChartFirstSide(const TLedger& ledger, TCatChartMode mode);
TColour CategorySideGradient(std::uint8_t side);

// The "Sub Categories of" chooser: the side's categories with a positive total, each with a
// green (credit) or red (debit) square.
struct TCategoryChoice {
    std::int32_t Number = 0;
    std::string Name;
    TColour Colour = 0;
};
std::vector<TCategoryChoice> CategoryChoices(const TLedger& ledger, std::uint8_t side);

// "Category Totals - Credit Categories", "Quick Summary - Debit", "Sub Category Totals of 'Sales'",
// each after "Selected " while a selection is active or not every account is included.
std::string CategoryChartTitle(const TLedger& ledger, TCatChartMode mode, std::uint8_t side,
                               const TMainActRec* subsOf = nullptr);

// The hint over a point: " " + label + "  -  " + value; a click on the legend list: " " + label + " - " + value.
std::string TotalsHintText(const TChartPoint& point, const TDisplayFormats& formats);
std::string CategoryLegendClickText(const TChartPoint& point, const TDisplayFormats& formats);

// The totals windows' tax switches change the engine's switch and recalculate; on closing the
// stored option is taken back.
void SetTotalsTaxBasis(TLedger& ledger, bool including);
void RestoreStoredTaxBasis(TLedger& ledger, bool storedGstInTotals);

// The printed category chart repeats the chart on every page with the next legend entries:
// the entries divided by those that fit a page, rounded up. A page is printed even without
// entries, and a band too short for one entry still takes one per page.
std::int32_t CategoryLegendPages(std::int32_t entries, std::int32_t entriesPerPage);

// ---- The accounts-and-groups window ----

enum class TGrpChartMode : std::uint8_t { Accounts, Groups };

struct TTotalsBars {
    TChartSeries Credits;    // "Income", green
    TChartSeries Debits;     // "Expense", red
    TChartSeries Difference; // "Difference", blue: credits - debits
};

// For each account in key order with a credit or debit total: its three bars, from the totals
// of the shown transactions (AccountTotals). `gross` false: credits and debits without tax.
TTotalsBars AccountTotalsBars(TLedger& ledger, bool gross);
// For each group in key order with a credit or debit total: its three bars.
TTotalsBars GroupTotalsBars(const TLedger& ledger);

// "Account Totals Chart" or "Group Totals Chart", and its background gradient colour.
std::string GrpChartCaption(TGrpChartMode mode);
TColour GrpChartGradient(TGrpChartMode mode);
// "Account Totals Chart - All Totals", "Group Totals Chart - Selected Totals  between 01/02/2024 and 29/02/2024".
std::string GrpChartTitle(const TLedger& ledger, TGrpChartMode mode, const TDisplayFormats& formats);

} // namespace qz
