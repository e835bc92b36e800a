#pragma once
// The category type sections the cash flow statement and the assets report are laid out of: a
// type's name in capitals, its listed categories (in a detailed report each with its sub
// categories and a total line) and the type's total; and the orders and names by which the
// reports list the records. The ledger's own orders are never changed: the reports work on
// copies of them.

#include "ReportLines.h"
#include "ReportOptions.h"
#include "ledger/DisplayFormats.h"
#include "ledger/Ledger.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qz {

// Category types by Kind, Side (credit first) and Name; categories and sub categories by Name,
// or in their number order when `byNumber`.
std::vector<const TCatRec*> ReportTypeOrder(const TCatList& types);
std::vector<const TMainActRec*> ReportCategoryOrder(const TMainActList& categories, bool byNumber);
std::vector<const TSubActRec*> ReportSubCategoryOrder(const TSubActList& subs, bool byNumber);

// A category's or sub category's name as the report shows it, with its number as the options say.
std::string ReportDisplayName(std::string_view name, const std::string& number, const TReportOptions& options);

class TTypeSections {
public:
    TTypeSections(const TLedger& ledger, const TReportOptions& options, const TDisplayFormats& formats);

    // One section for each type of `types` that `include` picks, in that order, with an empty
    // line between two sections and none after the last.
    void Add(TReport& report, const std::vector<const TCatRec*>& types,
             const std::function<bool(const TCatRec&)>& include) const;

private:
    void AddSection(TReport& report, const TCatRec& type) const;
    void AddCategory(TReport& report, const TMainActRec& category) const;
    void AddSectionLine(TReport& report, std::string label, std::string amount, int indent1, int indent2) const;
    bool Listed(Money total, std::uint8_t selected) const;

    const TReportOptions& Options;
    const TDisplayFormats& Formats;
    std::vector<const TMainActRec*> Categories;
    std::unordered_map<std::int32_t, std::vector<const TSubActRec*>> SubsOf;
};

} // namespace qz
