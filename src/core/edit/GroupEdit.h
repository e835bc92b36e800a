#pragma once
// The groups editor's operations: adding, renaming and deleting groups. Group 0, the default
// group, keeps its name and cannot be deleted.

#include "edit/EditContext.h"

#include <string>

namespace qz {

bool GroupIsFixed(const TGroupRec& group);

// A new group with the trimmed name and the lowest free number. Index: the new group.
TEditOutcome AddGroup(TEditContext& edit, const std::string& name);
// The group at key index `index` takes the trimmed name. A name equal to the old one ignoring
// letter case needs no check.
TEditOutcome RenameGroup(TEditContext& edit, std::int32_t index, const std::string& name);
// Asks, then deletes the group unless a credit or debit transaction uses it.
TEditOutcome DeleteGroup(TEditContext& edit, std::int32_t index);

} // namespace qz
