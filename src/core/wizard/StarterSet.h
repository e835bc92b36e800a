#pragma once
// The document the new file wizard makes: a blank document with the business details, then
// the chosen categories (numbered by side), their sub categories and the accounts, all
// written in one commit. Anything that fails takes the new file away again.

#include "WizardChoices.h"

#include "edit/AccountEdit.h"
#include "storage/FileConvert.h"

#include <string>
#include <vector>

namespace qz {

struct TStarterSet {
    std::string BusinessName; // Windows-1252, as every document text
    std::string BusinessNumber;
    std::vector<TStarterCategory> Categories; // in any order: they are numbered in StarterCategories order
    std::vector<TAccountFields> Accounts;     // the first renames the account every new document has
};

// The categories' numbers, for categories in their numbering order: credits 100, 200, ...;
// the first debit at the next multiple of 1000 not below the counter plus 1000, then each
// further debit 100 more.
std::vector<std::int32_t> StarterCategoryNumbers(const std::vector<TStarterCategory>& ordered);

// The name box of the last page: the characters a file name cannot hold are dropped.
std::string WizardFileNameText(const std::string& typed);
// Where the wizard puts the document named `name`.
std::string WizardFilePath(const std::string& installDir, const std::string& name);
std::string WizardFileInUseText(const std::string& name);
// The accounts page's refusal of a name another account entry has.
std::string WizardAccountInUseText(const std::string& name);

// Creates, fills and closes (saving, with a backup) the document at `path`, through the
// file manager of the program; no document may be open. False, with the reason told through
// the file manager or `prompts`, when any step failed: no file is then left at `path`. A file
// that is already there is never touched.
bool CreateStarterDocument(TFileConvert& convert, TFileManager& files, TLedger& ledger, Prompts& prompts,
                           const std::string& path, const TStarterSet& set);

} // namespace qz
