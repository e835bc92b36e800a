#pragma once
// The category types editor's operations: the report sections a side offers, the types of a
// side as the list shows them, and adding, changing and deleting a type.

#include "edit/EditContext.h"

#include <string>
#include <vector>

namespace qz {

// A report section the type dialog offers for a side ("Sales Income" is Kind 1 on the credit
// side). The system type's Kind 7 is never offered.
struct TKindChoice {
    std::int16_t Kind;
    const char* Caption;
};
const std::vector<TKindChoice>& KindChoices(std::uint8_t side);
bool KindOffered(std::uint8_t side, std::int16_t kind);

// The types of a side, by name (the system type among the debit ones).
std::vector<TCatRec*> TypesOfSide(const TCatList& types, std::uint8_t side);
// Default types and the system type can be neither changed nor deleted.
bool TypeIsFixed(const TCatRec& type);

// The type dialog's checks on OK, in order: "" when `name` (as typed) and `kind` may be kept,
// else the information message. `openedWith` is the name the dialog was opened with (empty
// for a new type).
std::string CategoryTypeRefusal(const TCatList& types, const std::string& name, std::uint8_t side, std::int16_t kind,
                                const std::string& openedWith = {});

// A new type of `side` with the trimmed name. Index: the new type.
TEditOutcome AddCategoryType(TEditContext& edit, const std::string& name, std::uint8_t side, std::int16_t kind);
// The type at key index `index` takes the name and the report section.
TEditOutcome ChangeCategoryType(TEditContext& edit, std::int32_t index, const std::string& name, std::int16_t kind);
// Asks, then deletes the type unless it is a default type or a category uses it.
TEditOutcome DeleteCategoryType(TEditContext& edit, std::int32_t index);

} // namespace qz
