#include "ChartSeries.h"

#include "engine/Engine.h"

#include <array>

namespace qz {

namespace {

constexpr std::array<TColour, PaletteSize> Palette = {
    RGBColour(255, 0, 255), RGBColour(0, 0, 255),     RGBColour(0, 255, 255),   RGBColour(0, 255, 0),
    RGBColour(255, 255, 0), RGBColour(255, 255, 255), RGBColour(255, 0, 0),     RGBColour(204, 0, 204),
    RGBColour(102, 0, 102), RGBColour(0, 0, 204),     RGBColour(0, 0, 102),     RGBColour(0, 204, 204),
    RGBColour(0, 102, 102), RGBColour(0, 204, 0),     RGBColour(0, 102, 0),     RGBColour(204, 204, 0),
    RGBColour(102, 102, 0), RGBColour(204, 204, 204), RGBColour(102, 102, 102), RGBColour(204, 0, 0),
    RGBColour(102, 0, 0),   RGBColour(153, 0, 153),   RGBColour(0, 0, 153),     RGBColour(0, 153, 153),
    RGBColour(0, 153, 0),   RGBColour(153, 153, 0),   RGBColour(153, 153, 153), RGBColour(153, 0, 0),
};

} // namespace

TColour PointColour(std::size_t index) {
    // Taking 27 down rather than 28 makes the 29th point repeat the 2nd colour, not the 1st.
    if (index > 27)
        index = (index - 28) % 27 + 1;
    return Palette[index];
}

TChartTaxSwitches ChartTaxSwitches(const TFileSettings& settings, const TCalcSwitches& switches) {
    TChartTaxSwitches result;
    result.Shown = settings.TaxOn != 0;
    result.ExcludingCaption = "Excluding " + settings.TaxName;
    result.IncludingCaption = "Including " + settings.TaxName;
    result.IncludingDown = switches.GstInTotals;
    return result;
}

void ChooseChartAccounts(TLedger& ledger, const std::vector<bool>& pressed) {
    std::vector<TBookRec*>& books = ledger.BookList.KeyList;
    for (std::size_t i = 0; i < pressed.size() && i < books.size(); ++i)
        books[i]->Selected = pressed[i] ? 1 : 0;
    Recalculate(ledger);
}

std::string ChartPointText(const std::string& label, const std::string& separator, Money value,
                           const TDisplayFormats& formats) {
    return " " + label + separator + formats.MoneyText(value);
}

std::string ShortPercentText(Money percent, const TMoneyFormat& format) {
    std::string text = FormatNumber2(percent, format.DecimalSeparator(), format.ThousandSeparator(), false);
    const auto separator = text.find(format.DecimalSeparator());
    if (separator != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.size() == separator + 1)
            text.pop_back();
    }
    return text + "%";
}

} // namespace qz
