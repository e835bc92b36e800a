#pragma once
// The Reports dialog's list: which printed reports a document offers, in the dialog's order,
// with the texts the list and the description box show. The tax reports are there only while
// the document tracks GST or VAT.

#include <string>
#include <vector>

namespace qz {

enum class TReportKind : unsigned char { CashFlow, Tax, Assets };

struct TReportEntry {
    TReportKind Kind = TReportKind::CashFlow;
    bool Detailed = false;
    std::string Text;        // the list's line
    std::string Description; // the description box
    // The three check boxes (zero rows, category numbers, their order) do not apply to the tax
    // reports.
    bool UsesCategoryOptions() const { return Kind != TReportKind::Tax; }
};

// `taxName` is the document's "GST" or "VAT".
std::vector<TReportEntry> ReportCatalogue(bool taxOn, const std::string& taxName);

} // namespace qz
