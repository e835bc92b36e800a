#pragma once
// The editing of one credit or debit transaction, all its splits together, as the transaction
// editor does it: the window fills its controls from here and hands every edit of the user to
// the matching call; the command-line tool drives the same calls. The session works on a
// private copy of the transaction and writes it back, all splits in one commit, only when the
// user saves. Opening balances and transfers are never shown: navigation skips them.

#include "edit/EditContext.h"
#include "edit/TransactionGst.h"
#include "edit/TransactionLists.h"
#include "ledger/DisplayFormats.h"
#include "platform/Clock.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qz {

class TTransUndo;

// How the editor was opened: for a new transaction, on a row of the Transactions view, or on a
// key index of the transactions.
enum class TTransMode : std::uint8_t { New = 0, Row = 1, Index = 2 };

// The control that takes the focus after a call (a refusal names the offending one).
enum class TTransField : std::uint8_t {
    None,
    Category,
    SubCategory,
    Group,
    Account,
    Date,
    Reference,
    Notes,
    Amount,
    BeforeGst,
    Percent,
    GstAmount,
};

// The answer of a save: Yes stored (or nothing to store), No not wanted, Cancel refused.
enum class TSaveAnswer : std::uint8_t { Yes, No, Cancel };

// The user's options the editor reads.
struct TTransactionOptions {
    bool NewTransDate = false;    // "Create new &Transactions with current date"
    bool NewTransDisabled = true; // "Make new Transactions unreconciled by default"
    bool AutoCalcGst = true;      // "Auto-calc GST on Transactions by default"
    bool ShowNumbers = false;     // "Always show Category && Group numbers"
};

// The editor's dialogs beyond message boxes and the deletion confirmation.
class TTransactionDialogs {
public:
    virtual ~TTransactionDialogs() = default;
    // The kind chooser: -1 cancelled, 0 credit, 1 debit.
    virtual int ChooseKind(const std::string& caption, const std::string& label) = 0;
    // The name dialog. A percentage below 0 asks for none. `check` refuses a name (having said
    // why) or accepts it, trimmed; OK closes only on acceptance. On OK: true, the name and the
    // percentage typed.
    virtual bool InputName(const std::string& caption, const std::string& prompt, std::string& name, Money& percent,
                           const std::function<bool(std::string& name)>& check) = 0;
};

// The fields of the split on show, as the controls show them.
struct TSplitFields {
    std::optional<std::int32_t> Category; // category number; none when nothing is chosen
    std::optional<std::int32_t> SubCategory;
    std::optional<std::int32_t> Group;
    std::optional<std::int32_t> Account;
    TDateTime Date = 0;
    std::string Reference;
    std::string Notes;
    TGstBoxes Gst;
    bool Reconciled = true; // one value for the whole transaction
};

// A split deleted in the editor keeps its place in the working copy with this number until the save.
inline constexpr std::int32_t DeletedSplitNumber = -2;

// One record of the working copy and the stored record it came from (none when not stored yet).
struct TWorkingSplit {
    TTransRec Record;
    TTransRec* Stored = nullptr;
    char StoredSplit = '0'; // the stored record's letter when it was loaded
    bool Deleted() const { return Record.Number == DeletedSplitNumber; }
};

// The enabled state of the editor's buttons.
struct TTransButtons {
    bool New = true;
    bool Find = true;
    bool Delete = false;
    bool Unlock = false;
    bool Back = false;
    bool Forward = false;
    bool Split = false;
    bool AddSplit = false;
    bool DeleteSplit = false;
    bool NewSubCategory = false; // the "New" beside the sub category list, which is enabled with it
    bool NewGroup = false;
};

// What the editor did, for the steps that run after it closes.
struct TTransactionEditorResult {
    bool ClosedWithOK = false;
    bool Saved = false; // something was saved or deleted
    bool AmountsChanged = false;
    bool NewRecordsAdded = false;
    std::int32_t Deleted = 0;      // transaction records deleted
    std::int32_t DeletedAbove = 0; // of them, those above the first visible row of the Transactions view
    bool CommitGivenUp = false;    // memory was put back to what the file holds
    bool StoredChanged = false;    // a stored record was changed or deleted: the date span may shrink
    // The records saves added or changed, still stored: the view's order places them again.
    std::vector<TTransRec*> Moved;
    // The worksheet tabs whose scroll position goes back to the top: a deletion brought one of
    // their totals to zero or below.
    std::array<bool, 5> ResetScroll{};

    // OpenTransactionEditor's answer: the main window redraws.
    bool Changed() const { return ClosedWithOK || Saved; }
};

class TTransactionSession {
public:
    TTransactionSession(TEditContext& edit, TTransactionDialogs& dialogs, const TDisplayFormats& formats,
                        const Clock& clock, TTransactionOptions options = {});

    // ---- Opening and closing -------------------------------------------------------------------
    // Every showing starts with the flags and counters cleared. New asks for the kind first and
    // answers false when the user gave up; Row opens locked on the transaction of row `position`
    // of the Transactions view, Index on the one at key index `position`. `firstVisibleRow` and
    // `descending` place the Transactions view, for the count of deleted rows above its top.
    bool Open(TTransMode mode, std::int32_t position, std::int32_t firstVisibleRow = 0, bool descending = false);
    // The window is on show: with no transaction and the fields locked, the user is told.
    void FormShow();
    // "&OK": the forced save; true when the window closes.
    bool OK();
    const TTransactionEditorResult& Result() const { return Outcome; }

    // ---- The kind, a new transaction, loading --------------------------------------------------
    // Which kind a new transaction can be: 1 credit, 2 debit, 0 when the user gave up or no
    // category exists (the user was told).
    std::uint8_t ChooseKind();
    void StartNew(std::uint8_t kind);
    // Loads the transaction of the record at key index `index`, locked, with that record's split on show.
    void Load(std::int32_t index);
    // Shows the split of tab `tab` (0 for an unsplit transaction).
    void ShowSplit(std::int32_t tab);

    // ---- The fields (each marks the transaction modified, except while it is being loaded) ----
    // Answers true when the sub category list should drop open for the user to choose.
    bool SetCategory(std::optional<std::int32_t> number, bool byUser = true);
    void SetSubCategory(std::optional<std::int32_t> number);
    void SetGroup(std::optional<std::int32_t> number);
    void SetAccount(std::optional<std::int32_t> number);
    void SetDate(TDateTime date);
    void SetReference(const std::string& reference);
    void SetNotes(const std::string& notes);
    void SetAmount(Money amount);
    void SetBeforeGst(Money amount);
    void SetPercent(Money percent);
    void SetGst(Money amount);
    void SetReconciled(bool reconciled);
    // The "%" (true) and "$" toggles.
    void SetPercentMode(bool percentMode);
    // Leaving a box: its rule.
    void AmountExit();
    void BeforeGstExit();
    void PercentExit();
    void GstAmountExit();
    // The percentage box's arrows: a tenth up or down, then the percentage rule.
    void StepPercent(bool up);

    // ---- Buttons --------------------------------------------------------------------------------
    // The asked save (forced = false) or the forced one.
    TSaveAnswer Save(bool forced);
    // "&New": access check, asked save, the kind, a new transaction. False when any refused.
    bool New();
    // "&Find": the asked save; true when the search may open.
    bool Find();
    // "&Delete": every split of the transaction, in one commit. False when refused or not stored.
    bool DeleteTransaction();
    // "&Unlock": the access check for editing.
    bool Unlock();
    // The arrows.
    void Arrow(bool forward);
    void Split();
    void AddSplit();
    // "D&elete Split": asks, then marks the split on show deleted. False when refused.
    bool DeleteSplit();
    void ChangeTab(std::int32_t tab);
    // The "New" buttons beside the sub category and group lists. False when nothing was made.
    bool NewSubCategory();
    bool NewGroup();

    // ---- What the window shows -----------------------------------------------------------------
    const TSplitFields& Fields() const { return F; }
    TTransField Focus() const { return FocusField; }
    std::string Caption() const;
    bool NumbersVisible() const { return HasTransaction; }
    std::string KindText() const;
    TColour KindColour() const;
    TColour KindFontColour() const;
    std::string NumberText() const;
    // The split letters of the tabs, empty for an unsplit transaction; the tab on show.
    std::vector<char> Tabs() const;
    std::int32_t Tab() const;
    bool TotalVisible() const { return IsSplit(); }
    Money Total() const;
    std::string TotalText() const { return Formats.MoneyText(Total()); }
    std::string DetailLabel() const;
    bool Locked() const { return LockedFields; }
    TTransButtons Buttons() const;
    bool GstPanelVisible() const;
    // The tax panel's labels: "GST" or "VAT", and "Before GST".
    const std::string& TaxName() const { return Files().Settings.TaxName; }
    std::string BeforeGstLabel() const { return "Before " + TaxName(); }
    std::vector<TComboItem> CategoryList() const;
    std::vector<TComboItem> SubCategoryList() const;
    std::vector<TComboItem> GroupList() const { return GroupItems(L, Options.ShowNumbers); }
    std::vector<TAccountItem> AccountList() const { return AccountItems(L); }

    // ---- State ----------------------------------------------------------------------------------
    std::uint8_t Kind() const { return TransKind; }
    TTransMode Mode() const { return EditMode; }
    bool Modified() const { return IsModified; }
    // The key index of the record on show, -1 while a new transaction is entered.
    std::int32_t Position() const;
    const std::vector<TWorkingSplit>& Working() const { return Copy; }
    // The key index of the stored record of working record `i`, -1 when it has none.
    std::int32_t StoredIndex(std::size_t i) const;
    Money RememberedGst() const { return Remembered; }

private:
    TFileManager& Files() const { return Edit.Files; }
    bool TaxOn() const { return Files().Settings.TaxOn != 0; }
    bool IsSplit() const;
    std::int32_t LiveCount() const;
    std::size_t WorkingIndexOfTab(std::int32_t tab) const;
    TTransRec* ShownStored() const;
    void MarkModified();
    void ClearFields();
    void ShowNoTransaction();
    void ShowRecord(const TTransRec& record);
    void ApplyCategory(std::optional<std::int32_t> number, bool byUser, bool& dropList);
    void ApplySubCategory(std::optional<std::int32_t> number);
    bool IsTaxCategoryChosen() const;
    void ChooseDefaultAccount();
    void Collect();
    bool Validate(std::size_t i);
    bool ValidateAll();
    bool WriteBack();
    void DeleteStored(TTransRec* stored, TTransUndo& undo);
    void FreshRows();
    void NoteTotalsAfterDeletion(const TTransRec& record);
    void ResolveStored();
    void LoadOrClear(TTransRec* record);
    std::int32_t EarlierOrdinary(std::int32_t from) const;
    std::int32_t LaterOrdinary(std::int32_t from) const;

    TEditContext& Edit;
    TLedger& L;
    TTransactionDialogs& Dialogs;
    const TDisplayFormats& Formats;
    const Clock& Time;
    TTransactionOptions Options;

    std::vector<TWorkingSplit> Copy; // by split letter
    std::size_t Shown = 0;           // the working record on show
    TTransRec* BeforeNew = nullptr;  // the record shown before "&New" was pressed
    std::uint8_t TransKind = TransCredit;
    TTransMode EditMode = TTransMode::Index;
    bool HasTransaction = false;
    bool Used = false; // opened before
    TSplitFields F;
    Money Remembered; // the GST amount kept when switching to percentage mode
    bool Loading = false;
    bool IsModified = false;
    bool LockedFields = true;
    bool RowsStale = false; // saved records have no rows yet
    TTransField FocusField = TTransField::None;
    std::int32_t FirstVisibleRow = 0;
    bool Descending = false;
    TTransactionEditorResult Outcome;
};

} // namespace qz
