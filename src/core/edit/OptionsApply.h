#pragma once
// What OK of the options window writes, in the order it writes it: the password and what it
// protects, the comments, the business details, the run-time opening-balance switch, the
// user's options and the tax settings. The window gathers the edited values and shows the
// answers; every rule about what counts as changed, what is written and what is asked is here.
// The worksheet's appearance (colours, font, column sets) is the window's to apply before.

#include "edit/TaxSettings.h"
#include "storage/OptionsFileOLE.h"

#include <array>
#include <string>

namespace qz {

// The seven protections in the order of the "Password" page: File Opening, Deleting, Adding,
// Editing, Worksheet, Reports, Printing.
using TProtections = std::array<bool, 7>;
TProtections ProtectionsOf(const TFileSettings& settings);

// The page "Password": the "Clea&r Password" button is enabled only while there is a password
// and no protection is ticked; the protections only while there is a password.
bool CanClearPassword(const std::string& password, const TProtections& protections);

// The new-password window's checks, in order: "" when `typed` and `confirmed` are a new
// password, else the warning to show.
std::string NewPasswordRefusal(const std::string& typed, const std::string& confirmed);

struct TOptionsEdit {
    std::string Password;
    TProtections Protections{};
    bool CommentsEdited = false;
    std::string Comments;
    std::string BusinessName;
    std::string BusinessNumber;
    bool UseOpeningBalancesInSelections = false;
    // The user's options of the "General" page and AutoCalcGST, by TOptionIndex.
    std::array<bool, OptionCount> Options{};
    TTaxEdit Tax;
    // The user agreed to switch tax tracking off: the document must be closed and reopened.
    bool TaxOffAgreed = false;
};

// The window's state of a document.
TOptionsEdit OptionsEditOf(const TLedger& ledger, TFileManager& files, TOptionsManager& options);

struct TOptionsOutcome {
    bool DocumentSettingsChanged = false;
    bool CommentsChanged = false;
    bool RecalculationNeeded = false;
    bool OpeningBalancesSettingChanged = false;
    bool TaxChanged = false;
    // What the options window answers its caller: 1 after OK, 2 when the worksheet must be
    // recalculated, 3 when the opening-balance switch changed.
    int Result() const { return OpeningBalancesSettingChanged ? 3 : RecalculationNeeded ? 2 : 1; }
};

// OK's steps from the password on. Asks (through the file manager's Prompts) whether to keep
// changed tax settings, says when a read-only document keeps its changes in memory, and warns
// when the document must be reopened. The document's changes reach the disk in one commit.
TOptionsOutcome ApplyOptions(const TOptionsEdit& edit, TFileManager& files, TLedger& ledger, TOptionsManager& options,
                             Prompts& ask);

} // namespace qz
