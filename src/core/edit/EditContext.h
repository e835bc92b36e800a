#pragma once
// What every operation on the classification lists and the accounts works with, and what it
// answers. An operation runs the access check of its area, asks its questions, validates, then
// changes the lists, which write through to the document in one commit; a commit given up
// leaves memory as the document holds it. The answer says what the caller must recalculate or
// redraw; the operation itself never recalculates.

#include "edit/AccessCheck.h"
#include "platform/Prompts.h"
#include "storage/FileManager.h"

#include <cstdint>
#include <optional>

namespace qz {

// The questions beyond plain message boxes.
class TEditDialogs {
public:
    virtual ~TEditDialogs() = default;
    // The deletion confirmation whose "Delete" works only while Ctrl is held: true for "Delete".
    virtual bool ConfirmDelete() = 0;
};

struct TEditContext {
    TFileManager& Files;
    TLedger& Ledger;
    const TAccessCheck& Access;
    Prompts& Ask;
    TEditDialogs& Dialogs;

    // The access check of `area`, unless an open TAccessScope already passed it.
    bool CheckAccess(TAccessArea area) const;
    // The area a window's TAccessScope passed for the action under way.
    std::optional<TAccessArea> Granted = std::nullopt;

    void Inform(const std::string& text) const { Ask.MessageBox(text, MsgKind::Information, MsgButtons::Ok); }
    // A confirmation with Yes, No and Cancel: only Yes goes on.
    bool Confirm(const std::string& text, MsgKind kind = MsgKind::Confirmation) const {
        return Ask.MessageBox(text, kind, MsgButtons::YesNoCancel) == MsgResult::Yes;
    }
};

// A window asks for the password before it opens its dialog; the operation that the dialog's OK
// then runs, in the same action, does not ask again. The grant ends with the scope.
class TAccessScope {
public:
    TAccessScope(TEditContext& context, TAccessArea area) : Context(context) {
        if (context.Access.Check(area)) {
            Context.Granted = area;
            Passed = true;
        }
    }
    ~TAccessScope() {
        if (Passed)
            Context.Granted.reset();
    }
    TAccessScope(const TAccessScope&) = delete;
    TAccessScope& operator=(const TAccessScope&) = delete;
    explicit operator bool() const { return Passed; }

private:
    TEditContext& Context;
    bool Passed = false;
};

enum class TEditResult : std::uint8_t {
    Done,      // changed and stored (in memory only for a read-only document)
    Unchanged, // nothing to change
    Refused,   // the access check, a No or Cancel, or a rule refused it; its message was shown
    NotStored, // the commit was given up: nothing changed, in memory or in the file
};

// What the caller must do after an operation, least work first.
enum TRefresh : std::uint16_t {
    RefreshNone = 0,
    RefreshTypes = 1 << 0,         // the Quick Summary: TypeTotals and the type list's Recount, sorted again
    RefreshCategories = 1 << 1,    // the Main Categories view sorted again (numbers or names changed)
    RefreshSubCategories = 1 << 2, // the Sub Categories view sorted again
    RefreshGroups = 1 << 3,        // the Groups view sorted again
    RefreshTransactions = 1 << 4,  // the Transactions view sorted again (texts changed, not figures)
    RefreshAccounts = 1 << 5,      // the account bar refilled (names, colours, order)
    RefreshTotals = 1 << 6,        // the full recalculation: figures changed
    RefreshAll = 0x7F,
};

struct TEditOutcome {
    TEditResult Result = TEditResult::Refused;
    std::uint16_t Refresh = RefreshNone;
    // The record the operation made or changed, as a key index of its list (after any sort the
    // operation ran); -1 when none.
    std::int32_t Index = -1;

    bool Done() const { return Result == TEditResult::Done; }
};

// The least work after an operation that gives the figures of the full recalculation (which it
// runs when the outcome asks for new totals). Views are sorted by the worksheet, which knows
// their columns.
void RefreshAfterEdit(TLedger& ledger, std::uint16_t refresh);

} // namespace qz
