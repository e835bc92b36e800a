#include "ReportCatalogue.h"

namespace qz {

std::vector<TReportEntry> ReportCatalogue(bool taxOn, const std::string& taxName) {
    std::vector<TReportEntry> entries{
        {TReportKind::CashFlow, false, "Cash Flow Statement - Basic",
         "Cash Flow Statement based on Category Types and Categories."},
        {TReportKind::CashFlow, true, "Cash Flow Statement - Detailed",
         "Cash Flow Statement based on Category Types, Categories and Sub Categories."},
    };
    if (taxOn) {
        entries.push_back({TReportKind::Tax, false, taxName + " Report - Basic",
                           "Basic " + taxName + " report - just shows totals."});
        entries.push_back({TReportKind::Tax, true, taxName + " Report - Detailed",
                           taxName + " report that includes a complete summary of all " + taxName + " Transactions."});
    }
    entries.push_back({TReportKind::Assets, false, "Assets Purchased & Sold - Basic",
                       "Lists and totals asset purchases and asset sales, showing Category Types and Categories."});
    entries.push_back({TReportKind::Assets, true, "Assets Purchased & Sold - Detailed",
                       "Lists and totals asset purchases and asset sales, showing Category Types, Categories and Sub "
                       "Categories."});
    return entries;
}

} // namespace qz
