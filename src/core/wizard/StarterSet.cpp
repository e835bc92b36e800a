#include "StarterSet.h"

#include "edit/SubCategoryEdit.h"
#include "ledger/Cp1252.h"
#include "storage/cfb/CompoundFile.h"

#include <algorithm>
#include <filesystem>

namespace qz {

namespace {

// The operations of the accounts page run on a new document: nothing is guarded.
class NoDialogs : public TEditDialogs {
public:
    bool ConfirmDelete() override { return false; }
};

std::string Truncated(const std::string& name) {
    return Trim(name.substr(0, decltype(TMainActRec::Name)::Capacity));
}

// The tax categories every new document holds move past the starter categories, whose
// numbers start at 100 where they are: theirs, their sub categories' and the settings'.
void MoveTaxCategories(TFileManager& files, TLedger& ledger, std::int32_t highest) {
    TFileSettings& settings = files.Settings;
    struct Moving {
        std::int32_t* Setting;
        TMainActRec* Category;
        std::vector<std::int32_t> Subs; // key indexes, found before any number changes
    };
    std::vector<Moving> moving;
    for (std::int32_t* number : {&settings.GstPaymentCat, &settings.GstRefundCat}) {
        TMainActRec* category = *number >= 1 ? ledger.MainActList.FindByNumber(*number) : nullptr;
        if (!category)
            continue;
        Moving move{number, category, {}};
        for (std::int32_t i = 0; i < ledger.SubActList.Count(); ++i)
            if (ledger.SubActList.Items(i)->MainAct == category->Number)
                move.Subs.push_back(i);
        moving.push_back(std::move(move));
    }
    std::int32_t next = highest;
    for (Moving& move : moving) {
        next += 100;
        for (const std::int32_t i : move.Subs) {
            ledger.SubActList.Items(i)->MainAct = next;
            ledger.SubActList.Changed(i);
        }
        move.Category->Number = next;
        ledger.MainActList.Changed(ledger.MainActList.IndexOf(move.Category));
        *move.Setting = next;
    }
    ledger.GstPaymentCat = settings.GstPaymentCat;
    ledger.GstRefundCat = settings.GstRefundCat;
    ledger.MainActList.SortByKey();
    ledger.SubActList.SortByKey();
    files.WriteSettings();
}

// A starter category may not take the name of the tax category of its side.
bool ClashesWithTax(const TLedger& ledger, const TStarterCategory& category, Prompts& prompts) {
    for (const TMainActRec* existing : ledger.MainActList.KeyList)
        if (existing->Side == category.Side && SameTextIgnoringCase(existing->Name.View(), Truncated(category.Name))) {
            prompts.MessageBox(NameInUseText(existing->Name.Str()) + " by the GST/VAT category.  Please rename your '" +
                                   category.Name + "' Category.",
                               MsgKind::Warning, MsgButtons::Ok);
            return true;
        }
    return false;
}

void AddStarterCategory(TFileManager& files, TLedger& ledger, const TStarterCategory& starter, std::int32_t number) {
    auto* category = new TMainActRec;
    category->Number = number;
    category->Name = Truncated(starter.Name);
    category->Side = starter.Side;
    category->CatType = std::max(DefaultTypeNumber(starter.TypeName), 0);
    ledger.MainActList.Add(category);
    std::int32_t subNumber = 0;
    for (const std::string& name : starter.SubNames) {
        auto* sub = new TSubActRec;
        sub->MainAct = number;
        sub->MainActRec = category;
        sub->Number = ++subNumber;
        sub->Name = Truncated(name);
        sub->Side = starter.Side;
        sub->GstPercent = NewSubPercent(ledger, files.Settings, *category);
        ledger.SubActList.Add(sub);
    }
}

bool AddStarterAccounts(TFileManager& files, TLedger& ledger, Prompts& prompts, const TStarterSet& set) {
    NoDialogs dialogs;
    const TAccessCheck access(files.Settings, [](const std::string&) { return false; });
    TEditContext edit{files, ledger, access, prompts, dialogs};
    for (std::size_t i = 0; i < set.Accounts.size(); ++i) {
        const TEditOutcome outcome =
            i == 0 ? ChangeAccount(edit, 0, set.Accounts[i]) : AddAccount(edit, set.Accounts[i]);
        if (outcome.Result != TEditResult::Done && outcome.Result != TEditResult::Unchanged)
            return false;
    }
    return true;
}

// Everything the wizard adds, in one commit.
bool WriteStarterSet(TFileManager& files, TLedger& ledger, Prompts& prompts, const TStarterSet& set) {
    std::vector<TStarterCategory> categories = set.Categories;
    SortStarterCategories(categories);
    const std::vector<std::int32_t> numbers = StarterCategoryNumbers(categories);
    for (const TStarterCategory& category : categories)
        if (ClashesWithTax(ledger, category, prompts))
            return false;
    if (ledger.BookList.Count() < 1)
        return false;
    TChangeGroup group(files);
    MoveTaxCategories(files, ledger, numbers.empty() ? 0 : numbers.back());
    for (std::size_t i = 0; i < categories.size(); ++i)
        AddStarterCategory(files, ledger, categories[i], numbers[i]);
    ledger.MainActList.SortByKey();
    ledger.SubActList.SortByKey();
    if (!AddStarterAccounts(files, ledger, prompts, set)) {
        group.End();
        return false;
    }
    return group.End();
}

void RemoveFiles(const std::string& path) {
    std::error_code ignored;
    for (const std::string& file : {path, cfb::TCompoundFile::JournalPath(path), TFileManager::BackupPathOf(path)})
        std::filesystem::remove(file, ignored);
}

} // namespace

std::vector<std::int32_t> StarterCategoryNumbers(const std::vector<TStarterCategory>& ordered) {
    std::vector<std::int32_t> numbers;
    std::int32_t counter = 0;
    bool debits = false;
    for (const TStarterCategory& category : ordered) {
        if (category.Side != SideCredit && !debits) {
            debits = true;
            counter = (counter + 999) / 1000 * 1000 + 1000;
        } else {
            counter += 100;
        }
        numbers.push_back(counter);
    }
    return numbers;
}

std::string WizardFileNameText(const std::string& typed) {
    std::string name;
    for (const char c : typed)
        if (std::string_view("\"*/:<>?\\|").find(c) == std::string_view::npos)
            name.push_back(c);
    return name;
}

std::string WizardFilePath(const std::string& installDir, const std::string& name) {
    return installDir + "/Bookkeeping Files/" + name + ".kqk";
}

std::string WizardFileInUseText(const std::string& name) {
    return "The filename '" + name + "' is already being used.  Please choose a different file name.";
}

std::string WizardAccountInUseText(const std::string& name) {
    return "The Account name '" + name + "' is already in use.  Please choose a different Account name.";
}

bool CreateStarterDocument(TFileConvert& convert, TFileManager& files, TLedger& ledger, Prompts& prompts,
                           const std::string& path, const TStarterSet& set) {
    std::error_code error;
    if (files.IsOpen || std::filesystem::exists(path, error) || error)
        return false;
    // A commit given up puts the document in read-only mode, its changes in memory only: the
    // file would lack them, so it goes.
    const bool created = convert.CreateNewDocument(path, set.BusinessName, set.BusinessNumber, false);
    if (!created || files.ReadOnlyMode || !WriteStarterSet(files, ledger, prompts, set) || files.ReadOnlyMode) {
        files.Close(true, false);
        RemoveFiles(path);
        return false;
    }
    // The backup is made at once, whatever the option says.
    const bool autoBackup = files.AutoBackup;
    files.AutoBackup = true;
    const bool closed = files.Close(true, true);
    files.AutoBackup = autoBackup;
    // Every change is on disk already: a close given up only missed its compaction.
    if (!closed)
        files.Close(true, false);
    return true;
}

} // namespace qz
