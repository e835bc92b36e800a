// The session's opening, loading and showing, and what the window reads of it.

#include "TransactionSession.h"

#include "edit/CategoryEdit.h"
#include "engine/Engine.h"
#include "ledger/NumberTexts.h"

#include <algorithm>

namespace qz {

TTransactionSession::TTransactionSession(TEditContext& edit, TTransactionDialogs& dialogs,
                                         const TDisplayFormats& formats, const Clock& clock,
                                         TTransactionOptions options)
    : Edit(edit), L(edit.Ledger), Dialogs(dialogs), Formats(formats), Time(clock), Options(options) {}

// ---- Opening and closing ---------------------------------------------------------------------

bool TTransactionSession::Open(TTransMode mode, std::int32_t position, std::int32_t firstVisibleRow, bool descending) {
    std::int32_t index = position;
    Outcome = {};
    RowsStale = false;
    Loading = false;
    IsModified = false;
    FocusField = TTransField::None;
    FirstVisibleRow = firstVisibleRow;
    Descending = descending;
    BeforeNew = nullptr;
    // With no transaction at all, an editor last used on existing transactions shows the empty
    // list, whatever was asked.
    if (Used && EditMode != TTransMode::New && L.TransList.Count() == 0) {
        mode = TTransMode::Index;
        index = -1;
    }
    Used = true;
    if (mode == TTransMode::New) {
        const std::uint8_t kind = ChooseKind();
        if (kind == 0)
            return false;
        StartNew(kind);
        return true;
    }
    EditMode = mode;
    if (mode == TTransMode::Row) {
        const TTransRec* shown = L.TransList.RowItem(index);
        index = shown ? L.TransList.IndexOf(shown) : -1;
    }
    Load(index);
    return true;
}

void TTransactionSession::FormShow() {
    if (!HasTransaction && LockedFields)
        Edit.Inform("There are no Transactions.  Click the 'New' button to create some.");
}

bool TTransactionSession::OK() {
    if (Save(true) == TSaveAnswer::Cancel)
        return false;
    Outcome.ClosedWithOK = true;
    return true;
}

// ---- The kind ---------------------------------------------------------------------------------

std::uint8_t TTransactionSession::ChooseKind() {
    const bool credit = SideHasCategories(L, TaxOn(), SideCredit);
    const bool debit = SideHasCategories(L, TaxOn(), SideDebit);
    if (credit && debit) {
        const int choice = Dialogs.ChooseKind("New Transaction", "Select Transaction Kind");
        return choice < 0 ? 0 : choice == 1 ? TransDebit : TransCredit;
    }
    if (!credit && !debit) {
        Edit.Inform("The are no Categories set up, you need to set up some Categories before you can enter any "
                    "Transactions.  Click the 'Categories' button to create some.");
        return 0;
    }
    const std::string only = credit ? "Credit" : "Debit";
    const std::string other = credit ? "Debit" : "Credit";
    Edit.Inform(std::string("This Transaction can only be an ") + only + " Transaction because no " + other +
                " Categories exist.  To create some " + other + " Categories, " +
                "click the 'Categories' button in the main " + "Quillmar Zudeduze" + " window.");
    return credit ? TransCredit : TransDebit;
}

// ---- A new transaction ------------------------------------------------------------------------

void TTransactionSession::StartNew(std::uint8_t kind) {
    const TTransRec* before = ShownStored();
    TransKind = kind;
    Copy.clear();
    Shown = 0;
    const bool anyOrdinary = OrdinaryEnds(L.TransList).first != -1;
    F = {};
    F.Group = 0;
    F.Date = DayOf(Options.NewTransDate || !anyOrdinary ? Time.Today() : L.TransList.DateTo);
    F.Reconciled = !Options.NewTransDisabled;
    TWorkingSplit first;
    first.Record.Number = L.TransList.NewNumber();
    first.Record.Split = '0';
    first.Record.Kind = kind;
    first.Record.InSelection = 1;
    first.Record.Reconciled = F.Reconciled;
    first.Record.Date = F.Date;
    Copy.push_back(first);
    HasTransaction = true;
    // The transaction shown until now, for the arrows after a new one is given up.
    BeforeNew = const_cast<TTransRec*>(before);
    EditMode = TTransMode::New;
    LockedFields = false;
    bool dropList = false;
    ApplyCategory(std::nullopt, false, dropList);
    ChooseDefaultAccount();
    // Leaving a new transaction always asks whether to save it.
    IsModified = true;
    F.Gst.PercentMode = Options.AutoCalcGst;
    Remembered = Money();
    FocusField = TTransField::Category;
}

void TTransactionSession::ChooseDefaultAccount() {
    F.Account.reset();
    for (const TBookRec* book : L.BookList.KeyList)
        if (book->Selected) {
            F.Account = book->Number;
            return;
        }
}

// ---- Loading ------------------------------------------------------------------------------------

void TTransactionSession::ClearFields() {
    F = {};
    Remembered = Money();
    HasTransaction = false;
    Copy.clear();
    Shown = 0;
}

void TTransactionSession::ShowNoTransaction() {
    ClearFields();
    LockedFields = true;
    IsModified = false;
    if (EditMode == TTransMode::New)
        EditMode = TTransMode::Index;
}

void TTransactionSession::Load(std::int32_t index) {
    Copy.clear();
    Shown = 0;
    const auto [first, last] = OrdinaryEnds(L.TransList);
    if (first == -1 || index < 0 || index >= L.TransList.Count()) {
        ShowNoTransaction();
        return;
    }
    TTransRec* asked = L.TransList.Items(index);
    if (!asked->IsOrdinary()) {
        // Opening balances and transfers are not this editor's: the nearest ordinary one instead.
        std::int32_t near = L.TransList.NextOrdinary(index);
        if (near == index || near > last)
            near = L.TransList.PrevOrdinary(index);
        asked = L.TransList.Items(std::clamp(near, first, last));
    }
    if (asked->Split == '0') {
        Copy.push_back({*asked, asked, asked->Split});
    } else {
        for (TTransRec* t : L.TransList.KeyList)
            if (t->Number == asked->Number && t->IsOrdinary())
                Copy.push_back({*t, t, t->Split});
        std::stable_sort(Copy.begin(), Copy.end(), [](const TWorkingSplit& a, const TWorkingSplit& b) {
            return a.Record.Split < b.Record.Split;
        });
    }
    TransKind = asked->Kind;
    if (EditMode == TTransMode::New)
        EditMode = TTransMode::Index;
    HasTransaction = true;
    LockedFields = true;
    for (std::size_t i = 0; i < Copy.size(); ++i)
        if (Copy[i].Stored == asked)
            Shown = i;
    ShowRecord(Copy[Shown].Record);
    IsModified = false;
    FocusField = TTransField::None;
}

void TTransactionSession::LoadOrClear(TTransRec* record) {
    const std::int32_t index = record ? L.TransList.IndexOf(record) : -1;
    if (index < 0)
        ShowNoTransaction();
    else
        Load(index);
}

void TTransactionSession::ShowSplit(std::int32_t tab) {
    Shown = WorkingIndexOfTab(tab);
    ShowRecord(Copy[Shown].Record);
}

// The record's values into the fields, without counting as an edit; then the tax panel's mode:
// percentage mode when the stored tax is what the sub category's percentage gives.
void TTransactionSession::ShowRecord(const TTransRec& record) {
    Loading = true;
    F.Gst.BeforeGst = Money();
    F.Gst.Percent = Money();
    bool dropList = false;
    const auto categories = CategoryList();
    const bool listed = std::any_of(categories.begin(), categories.end(),
                                    [&](const TComboItem& item) { return item.Number == record.MainAct; });
    F.Category.reset();
    ApplyCategory(record.MainAct != 0 && listed ? std::optional(record.MainAct) : std::nullopt, false, dropList);
    ApplySubCategory(F.Category && L.SubActList.FindPair(record.MainAct, record.SubAct) ? std::optional(record.SubAct)
                                                                                        : std::nullopt);
    F.Group = L.GroupList.Find(record.Group) ? std::optional<std::int32_t>(record.Group) : std::nullopt;
    F.Date = record.Date;
    F.Gst.Amount = BoxValue(record.Amount);
    F.Gst.Gst = BoxValue(record.Gst);
    Remembered = F.Gst.Gst;
    F.Reference = record.Reference.Str();
    F.Notes = record.Notes;
    F.Reconciled = (IsSplit() ? Copy.front().Record.Reconciled : record.Reconciled) != 0;
    F.Account = L.BookList.Find(record.Book) ? std::optional<std::int32_t>(record.Book) : std::nullopt;
    Loading = false;
    F.Gst.PercentMode = F.Gst.Gst == TaxOfGross(F.Gst.Amount, F.Gst.Percent);
    GstAmountExit();
}

// ---- What the window shows ---------------------------------------------------------------------

std::string TTransactionSession::Caption() const {
    return EditMode == TTransMode::New ? "New Transaction" : "Transactions";
}

std::string TTransactionSession::KindText() const {
    const std::string kind = TransKind == TransDebit ? "Debit Transaction" : "Credit Transaction";
    return IsSplit() ? "Split " + kind : kind;
}

TColour TTransactionSession::KindColour() const {
    return TransKind == TransDebit ? RGBColour(255, 0, 0) : RGBColour(0, 255, 0);
}

TColour TTransactionSession::KindFontColour() const {
    return TransKind == TransDebit ? RGBColour(255, 255, 255) : RGBColour(0, 0, 0);
}

std::string TTransactionSession::NumberText() const {
    if (!HasTransaction || Copy.empty())
        return {};
    const TTransRec& shown = Copy[Shown].Record;
    return TransNumberText(shown.Number, shown.Split);
}

bool TTransactionSession::IsSplit() const {
    for (const TWorkingSplit& split : Copy)
        if (!split.Deleted())
            return split.Record.Split != '0';
    return false;
}

std::int32_t TTransactionSession::LiveCount() const {
    return static_cast<std::int32_t>(
        std::count_if(Copy.begin(), Copy.end(), [](const TWorkingSplit& s) { return !s.Deleted(); }));
}

std::size_t TTransactionSession::WorkingIndexOfTab(std::int32_t tab) const {
    std::int32_t live = 0;
    std::size_t lastLive = 0;
    for (std::size_t i = 0; i < Copy.size(); ++i) {
        if (Copy[i].Deleted())
            continue;
        if (live++ == tab)
            return i;
        lastLive = i;
    }
    return lastLive;
}

std::vector<char> TTransactionSession::Tabs() const {
    std::vector<char> tabs;
    if (!IsSplit())
        return tabs;
    for (const TWorkingSplit& split : Copy)
        if (!split.Deleted())
            tabs.push_back(split.Record.Split);
    return tabs;
}

std::int32_t TTransactionSession::Tab() const {
    std::int32_t tab = 0;
    for (std::size_t i = 0; i < Shown && i < Copy.size(); ++i)
        tab += Copy[i].Deleted() ? 0 : 1;
    return tab;
}

Money TTransactionSession::Total() const {
    Money total;
    for (std::size_t i = 0; i < Copy.size(); ++i)
        if (!Copy[i].Deleted())
            total += i == Shown ? F.Gst.Amount : Copy[i].Record.Amount;
    return total;
}

std::string TTransactionSession::DetailLabel() const {
    if (!F.Category)
        return {};
    std::string label;
    for (const TComboItem& item : CategoryList())
        if (item.Number == *F.Category)
            label = item.Text;
    label += ", ";
    if (F.SubCategory)
        for (const TComboItem& item : SubCategoryList())
            if (item.Number == *F.SubCategory)
                label += item.Text;
    return label;
}

std::vector<TComboItem> TTransactionSession::CategoryList() const {
    return CategoryItems(L, {TaxOn(), Files().Settings.TaxName}, TransKind, Options.ShowNumbers);
}

std::vector<TComboItem> TTransactionSession::SubCategoryList() const {
    if (!F.Category)
        return {};
    return SubCategoryItems(L, *F.Category, Options.ShowNumbers);
}

bool TTransactionSession::IsTaxCategoryChosen() const {
    return F.Category && IsTaxCategory(L, *F.Category);
}

bool TTransactionSession::GstPanelVisible() const {
    return TaxOn() && !IsTaxCategoryChosen();
}

TTransButtons TTransactionSession::Buttons() const {
    TTransButtons buttons;
    const bool stored = ShownStored() != nullptr;
    const std::int32_t tabs = static_cast<std::int32_t>(Tabs().size());
    buttons.Delete = HasTransaction && EditMode != TTransMode::New && stored;
    buttons.Unlock = HasTransaction && LockedFields;
    if (EditMode == TTransMode::New || !stored) {
        buttons.Back = OrdinaryEnds(L.TransList).first != -1;
    } else {
        const std::int32_t at = Position();
        buttons.Back = EarlierOrdinary(at) != -1;
        buttons.Forward = LaterOrdinary(at) != -1;
    }
    const bool open = HasTransaction && !LockedFields;
    buttons.Split = open && tabs == 0;
    buttons.AddSplit = open && tabs > 0 && tabs < 10;
    buttons.DeleteSplit = open && tabs > 0;
    buttons.NewSubCategory = open && F.Category.has_value();
    buttons.NewGroup = open;
    return buttons;
}

// ---- State ----------------------------------------------------------------------------------------

TTransRec* TTransactionSession::ShownStored() const {
    if (Copy.empty())
        return nullptr;
    if (Shown < Copy.size() && Copy[Shown].Stored)
        return Copy[Shown].Stored;
    for (const TWorkingSplit& split : Copy)
        if (split.Stored && !split.Deleted())
            return split.Stored;
    return nullptr;
}

std::int32_t TTransactionSession::Position() const {
    const TTransRec* shown = ShownStored();
    return shown ? L.TransList.IndexOf(shown) : -1;
}

std::int32_t TTransactionSession::StoredIndex(std::size_t i) const {
    return i < Copy.size() && Copy[i].Stored ? L.TransList.IndexOf(Copy[i].Stored) : -1;
}

// The nearest ordinary record before (after) `from` that belongs to another transaction, -1 when none.
std::int32_t TTransactionSession::EarlierOrdinary(std::int32_t from) const {
    if (from < 0 || from >= L.TransList.Count())
        return -1;
    const std::int32_t number = L.TransList.Items(from)->Number;
    for (std::int32_t i = from - 1; i >= 0; --i)
        if (const TTransRec* t = L.TransList.Items(i); t->IsOrdinary() && t->Number != number)
            return i;
    return -1;
}

std::int32_t TTransactionSession::LaterOrdinary(std::int32_t from) const {
    if (from < 0 || from >= L.TransList.Count())
        return -1;
    const std::int32_t number = L.TransList.Items(from)->Number;
    for (std::int32_t i = from + 1; i < L.TransList.Count(); ++i)
        if (const TTransRec* t = L.TransList.Items(i); t->IsOrdinary() && t->Number != number)
            return i;
    return -1;
}

} // namespace qz
