#pragma once
// The formats every column text uses: money and the short date, from the regional settings.

#include "DateTime.h"
#include "MoneyFormat.h"

#include <string>

namespace qz {

struct TDisplayFormats {
    TDisplayFormats() : TDisplayFormats(RegionalSettings::Fixed()) {}
    explicit TDisplayFormats(const RegionalSettings& settings)
        : Money(settings), ShortDateFormat(settings.ShortDateFormat) {}

    std::string MoneyText(qz::Money value) const { return Money.Format(value); }
    std::string DateText(TDateTime date) const { return FormatDate(date, ShortDateFormat); }
    std::string PercentText(qz::Money percent, PercentPattern pattern) const {
        return FormatPercent(percent, pattern, Money);
    }

    TMoneyFormat Money;
    std::string ShortDateFormat;
};

} // namespace qz
