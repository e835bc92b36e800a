#include "AccountEdit.h"

#include "MemoryBefore.h"
#include "ledger/Cp1252.h"

#include <algorithm>
#include <set>

namespace qz {

namespace {

std::string StoredName(const std::string& name) {
    return Trim(Trim(name).substr(0, decltype(TBookRec::Name)::Capacity));
}

// The opening balance must be one the document can hold: a figure beyond that would be set
// aside as damaged when the document is opened again.
std::string OpeningRefusal(const TAccountFields& fields) {
    TTransRec opening;
    opening.Kind = TransOpening;
    opening.Date = DayOf(fields.Date);
    opening.Amount = fields.OpeningBalance;
    if (!WithinMaxAmount(fields.OpeningBalance))
        return "The opening balance is beyond the largest amount a document may hold (10,000,000.00).";
    if (!TransDamage(opening).empty())
        return "The starting date is not a valid day.";
    return {};
}

void SetOpening(TTransRec& opening, const TBookRec& account, const TAccountFields& fields) {
    opening.Kind = TransOpening;
    opening.Date = DayOf(fields.Date);
    opening.Book = static_cast<std::int16_t>(account.Number);
    opening.Amount = fields.OpeningBalance;
}

// Adds the account's opening balance to the transactions and ties it to the account.
void AddOpening(TLedger& l, TBookRec& account, const TAccountFields& fields) {
    auto* opening = new TTransRec;
    opening->Number = l.TransList.NewNumber();
    SetOpening(*opening, account, fields);
    opening->BookRec = &account;
    l.TransList.Add(opening);
    account.OpeningTransNo = opening->Number;
    account.OpeningTrans = opening;
}

std::string AccountText(const std::string& name, const char* middle, const std::string& rest) {
    return "The Account '" + name + middle + rest;
}

// The reason the account cannot be deleted, told to the user; false when there is none.
bool DeletionRefused(const TEditContext& edit, const TBookRec& account) {
    const TTransList& all = edit.Ledger.TransList;
    const std::string name = account.Name.Str();
    std::set<std::int32_t> splits;
    for (const TTransRec* t : all.KeyList)
        if (t->Book == account.Number && t->Split != '0')
            splits.insert(t->Number);
    for (const TTransRec* t : all.KeyList)
        if (t->Book != account.Number && t->Split != '0' && splits.count(t->Number)) {
            edit.Inform(
                AccountText(name, "' is currently being used in one or more ",
                            std::string("split Transactions which are split between different Books.  You must "
                                        "remove or change all split ") +
                                "Transactions that involve other Accounts before you can delete this Account."));
            return true;
        }
    // A transfer half in another account that names this one counts too (its partner may be
    // gone): deleting the account would leave that half naming no account.
    for (const TTransRec* t : all.KeyList)
        if (t->IsTransfer() && (t->Book == account.Number || t->Group == account.Number)) {
            edit.Ask.MessageBox(AccountText(name, "' is currently being used in a ",
                                            std::string("Transfer.  Before you can delete this Account you must "
                                                        "delete all Transfers ") +
                                                "it is used in."),
                                MsgKind::Warning, MsgButtons::Ok);
            return true;
        }
    return false;
}

} // namespace

TColour DefaultAccountColour(std::int32_t accountCount) {
    static constexpr TColour colours[10] = {RGBColour(0, 128, 0),   RGBColour(128, 0, 128), RGBColour(0, 128, 128),
                                            RGBColour(128, 0, 0),   RGBColour(128, 128, 0), RGBColour(0, 0, 128),
                                            RGBColour(0, 128, 192), RGBColour(255, 128, 0), RGBColour(128, 64, 64),
                                            RGBColour(231, 1, 133)};
    return colours[((accountCount % 10) + 10) % 10];
}

TAccountFields NewAccountFields(const TLedger& ledger, TDateTime today) {
    return {"", DefaultAccountColour(ledger.BookList.Count()), DayOf(today), Money()};
}

TAccountFields AccountFieldsOf(const TBookRec& account) {
    TAccountFields fields{account.Name.Str(), account.Colour, 0, account.OpeningBalance()};
    if (account.OpeningTrans)
        fields.Date = account.OpeningTrans->Date;
    return fields;
}

TEditOutcome AddAccount(TEditContext& edit, const TAccountFields& fields) {
    TLedger& l = edit.Ledger;
    if (!edit.CheckAccess(TAccessArea::Adding))
        return {};
    std::string name = StoredName(fields.Name);
    if (!l.BookList.ValidateName(name, edit.Ask))
        return {};
    if (const std::string refusal = OpeningRefusal(fields); !refusal.empty()) {
        edit.Inform(refusal);
        return {};
    }
    TMemoryBefore before(l);
    before.KeepOrders(l.BookList);
    before.KeepOrders(l.TransList);
    TChangeGroup group(edit.Files);
    auto* account = new TBookRec;
    account->Number = l.BookList.NewNumber();
    account->Name = name;
    account->Colour = fields.Colour;
    AddOpening(l, *account, fields);
    l.BookList.Add(account);
    l.BookList.NumberRows();
    l.TransList.SortByKey();
    return FinishEdit(
        group, before,
        {TEditResult::Done, RefreshAccounts | RefreshTransactions | RefreshTotals, l.BookList.Count() - 1});
}

TEditOutcome ChangeAccount(TEditContext& edit, std::int32_t index, const TAccountFields& fields) {
    TLedger& l = edit.Ledger;
    TBookRec* account = l.BookList.Items(index);
    if (!edit.CheckAccess(TAccessArea::Editing))
        return {};
    std::string name = StoredName(fields.Name);
    if (!SameTextIgnoringCase(name, account->Name.View()) && !l.BookList.ValidateName(name, edit.Ask))
        return {};
    if (name.empty()) {
        edit.Inform("Account name ''' not valid!");
        return {};
    }
    if (const std::string refusal = OpeningRefusal(fields); !refusal.empty()) {
        edit.Inform(refusal);
        return {};
    }
    TTransRec* opening = account->OpeningTrans;
    if (account->Name == name && account->Colour == fields.Colour && opening &&
        opening->Amount == fields.OpeningBalance && opening->Date == DayOf(fields.Date))
        return {TEditResult::Unchanged, RefreshNone, index};
    TMemoryBefore before(l);
    before.Keep(account);
    before.KeepOrders(l.TransList);
    TChangeGroup group(edit.Files);
    account->Name = name;
    account->Colour = fields.Colour;
    if (opening) {
        before.Keep(opening);
        SetOpening(*opening, *account, fields);
        l.TransList.Changed(l.TransList.IndexOf(opening));
    } else {
        AddOpening(l, *account, fields);
    }
    l.BookList.Changed(index);
    l.TransList.SortByKey();
    return FinishEdit(group, before, {TEditResult::Done, RefreshAccounts | RefreshTransactions | RefreshTotals, index});
}

TEditOutcome DeleteAccount(TEditContext& edit, std::int32_t index) {
    TLedger& l = edit.Ledger;
    TBookRec* account = l.BookList.Items(index);
    const std::string name = account->Name.Str();
    if (!edit.CheckAccess(TAccessArea::Deleting) ||
        !edit.Confirm("Are you sure you want to delete Account '" + name + "'?"))
        return {};
    if (DeletionRefused(edit, *account))
        return {};
    const auto& all = l.TransList.KeyList;
    const bool inUse = std::any_of(all.begin(), all.end(),
                                   [&](const TTransRec* t) { return t->Book == account->Number && t->IsOrdinary(); });
    if (inUse && !(edit.Confirm(AccountText(name, "' is currently in use by one or more ",
                                            "Transactions.  Deleting this Account will also delete these "
                                            "Transactions.") +
                                    "\r\r" + "Are you sure you want to delete this Account?",
                                MsgKind::Warning) &&
                   edit.Dialogs.ConfirmDelete()))
        return {};
    TMemoryBefore before(l);
    TChangeGroup group(edit.Files);
    before.Deleting(account);
    for (std::int32_t i = l.TransList.Count() - 1; i >= 0; --i)
        if (TTransRec* t = l.TransList.Items(i); t->Book == account->Number) {
            // The account's record is written once more as it leaves: by the number of its
            // opening balance, which is freed before that.
            if (account->OpeningTrans == t) {
                account->OpeningTransNo = t->Number;
                account->OpeningTrans = nullptr;
            }
            before.Deleting(t);
            l.TransList.Delete(i);
        }
    l.BookList.Delete(index);
    l.BookList.NumberRows();
    return FinishEdit(group, before, {TEditResult::Done, RefreshAccounts | RefreshTransactions | RefreshTotals, -1});
}

std::int32_t MoveAccountRow(std::vector<TBookRec*>& rows, std::int32_t row, bool up) {
    const std::int32_t to = up ? row - 1 : row + 1;
    if (row < 0 || row >= static_cast<std::int32_t>(rows.size()) || to < 0 ||
        to >= static_cast<std::int32_t>(rows.size()))
        return row;
    std::swap(rows[static_cast<std::size_t>(row)], rows[static_cast<std::size_t>(to)]);
    return to;
}

TEditOutcome StoreAccountOrder(TEditContext& edit, const std::vector<TBookRec*>& rows) {
    TBookList& accounts = edit.Ledger.BookList;
    if (rows == accounts.KeyList)
        return {TEditResult::Unchanged, RefreshNone, -1};
    if (!std::is_permutation(rows.begin(), rows.end(), accounts.KeyList.begin(), accounts.KeyList.end()) ||
        !edit.CheckAccess(TAccessArea::Editing))
        return {};
    TMemoryBefore before(edit.Ledger);
    for (TBookRec* account : accounts.KeyList)
        before.Keep(account);
    before.KeepOrders(edit.Ledger.TransList);
    TChangeGroup group(edit.Files);
    for (std::size_t i = 0; i < rows.size(); ++i)
        accounts.Put(static_cast<std::int32_t>(i), rows[i]);
    accounts.NumberRows();
    // Within a day the transactions stand in the accounts' order.
    edit.Ledger.TransList.SortByKey();
    // Stored at once, not only when the document is closed: the order survives a crash.
    if (edit.Files.ReadOnlyMode)
        edit.Files.MarkAccountsChanged();
    else
        edit.Files.RewriteWholeStream(StreamBooks);
    return FinishEdit(group, before, {TEditResult::Done, RefreshAccounts | RefreshTransactions | RefreshTotals, -1});
}

} // namespace qz
