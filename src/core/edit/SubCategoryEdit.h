#pragma once
// The category editor's operations on sub categories: their numbers within a category, the
// name check (also the transaction editor's, when it makes a sub category on the fly), the
// tax percentage a new one starts with, and adding, changing and deleting one. The sub
// categories of the two tax categories keep their percentage.

#include "edit/EditContext.h"

#include <string>

namespace qz {

struct TSubCategoryFields {
    std::string Name;
    Money GstPercent; // 0 to 100; ignored while tax is not tracked and in the tax categories
    std::string Notes;
};

// The lowest number from 1 that no sub category of the category has.
std::int32_t NextSubNumber(const TSubActList& subs, std::int32_t categoryNumber);

// "" when `name` (trimmed, as it will be kept) may name a new sub category of the category,
// else the information message.
std::string SubNameRefusal(const TSubActList& subs, const std::string& name, std::int32_t categoryNumber);
// The check with its message: trims `name` and shows the refusal, if any.
bool CheckSubName(const TSubActList& subs, std::string& name, std::int32_t categoryNumber, Prompts& ask);

// The percentage a new sub category of `category` starts with: 0 under a type that has no tax
// by default, in a tax category, or while tax is not tracked; the document's percentage
// otherwise.
Money NewSubPercent(const TLedger& ledger, const TFileSettings& settings, const TMainActRec& category);
// The percentage box is read-only: the category is a tax category.
bool SubPercentLocked(const TLedger& ledger, const TMainActRec& category);
// One click of the percentage box's arrows: a tenth up while below 99.9, a tenth down while
// above 0, never leaving 0 to 100.
Money SteppedSubPercent(Money percent, bool up);

// A new sub category of the category at key index `categoryIndex`, numbered NextSubNumber.
// Index: its key index (the list is in key order afterwards).
TEditOutcome AddSubCategory(TEditContext& edit, std::int32_t categoryIndex, const TSubCategoryFields& fields);
// The sub category at key index `index` takes the fields. A name equal to the old one ignoring
// letter case needs no check.
TEditOutcome ChangeSubCategory(TEditContext& edit, std::int32_t index, const TSubCategoryFields& fields);
// Asks, then deletes the sub category unless a transaction uses it.
TEditOutcome DeleteSubCategory(TEditContext& edit, std::int32_t index);

} // namespace qz
