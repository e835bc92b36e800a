#pragma once
// The bulk change of sub categories' tax percentages: the sub categories grouped by their
// percentage, and every one of a group moved to another percentage in one commit. The sub
// categories of the tax payments and refunds categories are never listed or changed.

#include "ledger/DisplayFormats.h"
#include "storage/FileManager.h"

#include <string>
#include <vector>

namespace qz {

struct TPercentGroup {
    Money Percent;
    std::int32_t Count = 0;
};

// One group per percentage, in key order of first appearance.
std::vector<TPercentGroup> GstPercentGroups(const TLedger& ledger, const TFileSettings& settings);
// "23 Sub Categories @ 10.00%" (the plural for a count of 1 too).
std::string PercentGroupText(const TPercentGroup& group, const TDisplayFormats& formats);
// The window's texts speak of GST; for a document that tracks VAT they say VAT.
std::string WithTaxName(std::string text, const std::string& taxName);

// Moves every sub category at `from` (outside the tax categories) to `to`, written through in
// one commit. Answers how many changed; -1 when the commit was given up (the change then stays
// in memory only).
std::int32_t ChangeGstPercent(TFileManager& files, TLedger& ledger, Money from, Money to);

} // namespace qz
