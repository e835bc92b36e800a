#pragma once
// What every chart window draws from: points and series as figures and texts, the point
// colours of the totals charts, the tax switches and the account choice the charts share.

#include "ledger/Colour.h"
#include "ledger/DisplayFormats.h"
#include "ledger/Ledger.h"
#include "storage/FileOLE.h"

#include <optional>
#include <string>
#include <vector>

namespace qz {

inline constexpr TColour ChartGreen = RGBColour(0, 128, 0);
inline constexpr TColour ChartRed = RGBColour(255, 0, 0);
inline constexpr TColour ChartBlue = RGBColour(0, 0, 255);
inline constexpr TColour ChartDarkBlue = RGBColour(0, 0, 128);
inline constexpr TColour ChartBlack = RGBColour(0, 0, 0);
inline constexpr TColour ChartWhite = RGBColour(255, 255, 255);
// The gradient every chart background runs from, to white.
inline constexpr TColour ChartSteelBlue = RGBColour(70, 130, 183);

struct TChartPoint {
    std::string Label;
    std::optional<Money> Value; // none: an empty point, its label kept on the axis
    TColour Colour = 0;
    std::int32_t Slot = 0; // its place on the horizontal axis (a series may skip places)
};

struct TChartSeries {
    std::string Name;
    TColour Colour = 0;
    std::vector<TChartPoint> Points;
};

// The colour of the i-th point of a category chart (counting from 0): the palette's entry i,
// where an index above 27 is taken 27 down until it is 27 or less.
TColour PointColour(std::size_t index);
inline constexpr std::size_t PaletteSize = 28;

// The two switches "Excluding " + TaxName and "Including " + TaxName, shown while tax is tracked.
struct TChartTaxSwitches {
    bool Shown = false;
    std::string ExcludingCaption;
    std::string IncludingCaption;
    bool IncludingDown = true; // as the engine's GstInTotals stands when the window opens
};
TChartTaxSwitches ChartTaxSwitches(const TFileSettings& settings, const TCalcSwitches& switches);

// The charts' amounts are net of tax only while tax is tracked and "Excluding" is down.
inline bool ChartAmountsNet(const TFileSettings& settings, bool excludingDown) {
    return settings.TaxOn != 0 && excludingDown;
}

// The account bar of a chart window: each pressed state (in the accounts' key order) becomes
// its account's Selected, and the books are recalculated, as the worksheet's bar does.
void ChooseChartAccounts(TLedger& ledger, const std::vector<bool>& pressed);

// The value texts of the charts: the money display format.
// " " + label + separator + value, the hint and the legend click texts.
std::string ChartPointText(const std::string& label, const std::string& separator, Money value,
                           const TDisplayFormats& formats);

// A percentage with at most two decimals, trailing zeros dropped ("#0.##%": 50%, 33.3%, 66.67%).
std::string ShortPercentText(Money percent, const TMoneyFormat& format);

} // namespace qz
