#pragma once
// What the transaction editor's lists hold, in their order: the categories of the editor's
// side, the sub categories of the chosen category, the groups (the default group on top) and
// the accounts. Also which sides have categories to enter a transaction against.

#include "ledger/Ledger.h"

#include <string>
#include <utility>
#include <vector>

namespace qz {

// The picture a tax category's item carries.
enum class TComboPicture : std::uint8_t { None, Gst, Vat };

struct TComboItem {
    std::int32_t Number = 0;
    std::string Text;
    TComboPicture Picture = TComboPicture::None;
};

struct TAccountItem {
    std::int32_t Number = 0;
    std::string Name;
    TColour Colour = 0; // the selected item is drawn bold and white on it
};

// The tax settings the lists depend on.
struct TTaxView {
    bool On = false;  // GST/VAT is tracked
    std::string Name; // "GST" or "VAT"
};

// The categories of `side` (1 credit, 2 debit). With numbers shown: in number order, each as
// "100 - Sales"; without: the names, sorted. A tax category carries the GST or VAT picture,
// and is left out while tax is not tracked.
std::vector<TComboItem> CategoryItems(const TLedger& ledger, const TTaxView& tax, std::uint8_t side, bool showNumbers);
// The sub categories of a category, in the same two styles ("100-2 - Counter", or the names sorted).
std::vector<TComboItem> SubCategoryItems(const TLedger& ledger, std::int32_t category, bool showNumbers);
// The default group first ("General <default>", or "G0 - General <default>"), then every other
// group in number order ("G4 - Office") or by name.
std::vector<TComboItem> GroupItems(const TLedger& ledger, bool showNumbers);
// Every account, in the user's order.
std::vector<TAccountItem> AccountItems(const TLedger& ledger);

// The transaction list's OrdinaryBounds, looked for from both ends: the first and the last key
// index of a credit or debit transaction (-1 when there is none) without walking a million
// records in between.
std::pair<std::int32_t, std::int32_t> OrdinaryEnds(const TTransList& list);

// Some category of the side exists to enter a transaction against; the tax category of that
// side does not count while tax is not tracked.
bool SideHasCategories(const TLedger& ledger, bool taxOn, std::uint8_t side);

} // namespace qz
