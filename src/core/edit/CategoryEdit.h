#pragma once
// The category editor's operations on categories: the numbers the category dialog proposes and
// steps through, the category types it offers, its checks, and adding, changing (renumbering
// included) and deleting a category. The two tax categories are managed by the program: the
// editor neither changes nor deletes them.

#include "edit/EditContext.h"

#include <string>
#include <vector>

namespace qz {

struct TCategoryFields {
    std::int32_t Number = 0;
    std::string Name;
    std::uint8_t Side = SideCredit; // a category's side never changes once made
    std::int32_t CatType = -1;      // -1: no type chosen
};

enum class TCategoryField : std::uint8_t { None, Number, Name, Type };
struct TCategoryRefusal {
    std::string Text; // empty when the fields may be kept
    TCategoryField Focus = TCategoryField::None;
};

// The category is the tax payments or the tax refunds category.
bool IsTaxCategory(const TLedger& ledger, std::int32_t number);

// The number box: a new category's number (the lowest free multiple of 100 from 100), a step
// of the arrows or the Up and Down keys from the box's text, and what "0" becomes on leaving
// the box (the first free number of 101, 201, 301...). Free: not 0 and no category's.
std::int32_t ProposedCategoryNumber(const TMainActList& categories);
std::int32_t SteppedCategoryNumber(const TMainActList& categories, const std::string& text, bool down);
std::int32_t CategoryNumberForZero(const TMainActList& categories);

// The types the dialog lists for a side, by name; the system type only for the tax payments
// category being edited.
std::vector<TCatRec*> CategoryTypeChoices(const TLedger& ledger, std::uint8_t side, const TMainActRec* editing);
// The description of a default type's name ("" for any other name).
std::string CategoryTypeDescription(std::uint8_t side, const std::string& typeName);

// The dialog's checks on OK, in order (number, name, type). `editing` is the category being
// changed, nullptr for a new one.
TCategoryRefusal CategoryRefusal(const TLedger& ledger, const TCategoryFields& fields, const TMainActRec* editing);

// A new category. Index: its key index (the list is in number order afterwards).
TEditOutcome AddCategory(TEditContext& edit, const TCategoryFields& fields);

struct TCategoryChanges {
    bool Number = false;
    bool Name = false;
    bool Type = false;
};
// The category at key index `index` takes the fields (its side stays). A new number is asked
// about; Yes renumbers the category, its sub categories and every transaction in it, in one
// commit; No keeps the old number and the other changes. Index: the category's key index.
TEditOutcome ChangeCategory(TEditContext& edit, std::int32_t index, const TCategoryFields& fields,
                            TCategoryChanges* changes = nullptr);

// Asks, then deletes the category with its sub categories, unless a transaction uses it.
TEditOutcome DeleteCategory(TEditContext& edit, std::int32_t index);

} // namespace qz
