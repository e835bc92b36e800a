#pragma once
// The selections: which categories and sub categories, or which groups, the worksheet, its
// totals, the reports and the charts are restricted to. A dialog ticks the records' Picked
// flags while it is open and copies them into Selected only on OK, together with the engine's
// switch, so that Cancel leaves the selection as it was. Also the category search.

#include "ledger/Ledger.h"

#include <string>
#include <vector>

namespace qz {

// The category selection dialog's ticks.
class TCategorySelection {
public:
    // A new selection (or none active) starts with no category ticked and every sub category
    // ticked; editing the active one starts from what it selects.
    TCategorySelection(TLedger& ledger, bool newSelection);

    // The categories of a side, in list order; the sub categories of a category, in list order.
    std::vector<TMainActRec*> CategoriesOfSide(std::uint8_t side) const;
    std::vector<TSubActRec*> SubsOf(const TMainActRec& category) const;

    void TickCategory(TMainActRec& category, bool on) { category.Picked = on ? 1 : 0; }
    // A sub category takes a tick only while its category is ticked; false when refused.
    bool TickSub(TSubActRec& sub, bool on);
    void TickAllCategories(std::uint8_t side, bool on);
    void TickAllSubs(const TMainActRec& category, bool on);
    // After the category type selection's OK: each category is ticked as its type is, and
    // every sub category is ticked.
    void TakeTypeTicks();
    // No category ticked, every sub category ticked.
    void Reset();

    // The tree of the ticks: each ticked category (by name) with its ticked sub categories (by name).
    struct TNode {
        TMainActRec* Category;
        std::vector<TSubActRec*> Subs;
    };
    std::vector<TNode> Tree() const;

    // "&OK" is offered while a category is ticked.
    bool CanApply() const;
    // OK: the ticks become the selection and the category selection is on. The caller then
    // recalculates the worksheet.
    void Apply();

private:
    TLedger& Ledger;
};

// The category type selection dialog's ticks (used to tick categories by their type).
class TTypeSelection {
public:
    explicit TTypeSelection(TCatList& types); // nothing ticked
    std::vector<TCatRec*> TypesOfSide(std::uint8_t side) const;
    void Tick(TCatRec& type, bool on) { type.Picked = on ? 1 : 0; }
    void TickAll(std::uint8_t side, bool on);
    void Reset();
    bool CanApply() const;

private:
    TCatList& Types;
};

// The group selection dialog's ticks.
class TGroupSelection {
public:
    TGroupSelection(TLedger& ledger, bool newSelection);
    void Tick(TGroupRec& group, bool on) { group.Picked = on ? 1 : 0; }
    void TickAll(bool on);
    void Reset() { TickAll(false); }
    bool CanApply() const;
    // OK: the ticks become the selection and the group selection is on.
    void Apply();

private:
    TLedger& Ledger;
};

// The category search: main categories or sub categories of one side whose name begins with
// the text (ignoring letter case), or whose number does (a sub category's own number). An
// empty text finds every one.
struct TCategorySearch {
    bool SubCategories = false;
    std::uint8_t Side = SideCredit;
    bool ByNumber = false;
    std::string Text;
};
struct TCategoryHit {
    bool IsCategory = true;
    std::int32_t Index = -1; // key index in its list
    std::string NumberText;  // "300", or "300-2" for a sub category
    std::string Name;
};
std::vector<TCategoryHit> FindCategories(const TLedger& ledger, const TCategorySearch& search);

} // namespace qz
