#include "TransferEdit.h"

#include "MemoryBefore.h"
#include "TransactionOrder.h"

namespace qz {

namespace {

TDateTime OpeningDay(const TBookRec& account) {
    return DayOf(account.OpeningTrans->Date);
}

// Of the accounts whose opening balance lies after `day`, the one that opened last; null when
// the day suits both.
const TBookRec* OpenedAfter(const TBookRec& from, const TBookRec& to, TDateTime day) {
    const TBookRec* later = nullptr;
    for (const TBookRec* account : {&from, &to})
        if (account->OpeningTrans && OpeningDay(*account) > day &&
            (!later || OpeningDay(*account) > OpeningDay(*later)))
            later = account;
    return later;
}

// One half of the pair takes the fields: `own` is the account it belongs to, `other` the
// account at the other end.
void SetHalf(TTransRec& half, TBookRec& own, TBookRec& other, const TTransferFields& fields) {
    half.Date = DayOf(fields.Date);
    half.Book = static_cast<std::int16_t>(own.Number);
    half.BookRec = &own;
    half.Group = static_cast<std::uint16_t>(other.Number);
    half.OtherBookRec = &other;
    half.Amount = fields.Amount;
    half.Reference = fields.Reference;
    if (half.Kind == TransTo)
        half.Notes = fields.Notes.substr(0, TTransList::NotesCapacity);
}

bool SameStoredFields(const TTransRec& a, const TTransRec& b) {
    return a.Date == b.Date && a.Book == b.Book && a.Group == b.Group && a.Amount == b.Amount &&
           a.Reference == b.Reference && a.Notes == b.Notes;
}

TTransRec* NewHalf(TTransList& list, std::uint8_t kind) {
    auto* half = new TTransRec;
    half->Number = list.NewNumber();
    half->Kind = kind;
    half->Reconciled = 1;
    half->InSelection = 1;
    return half;
}

// The key order was date order before the edit: the halves written take their places in it,
// as sorting the whole list by key would place them; the transfer list follows.
std::int32_t Reordered(TLedger& l, std::vector<TTransRec*> written) {
    PlaceInOrder(l.TransList.KeyList, written, 1);
    l.TransList.Sorted = 1;
    l.TransferList.Build(l.TransList);
    return TransferIndexOf(l.TransferList, written.front());
}

bool Refused(const TEditContext& edit, const TTransferFields& fields, const TDisplayFormats& formats) {
    const TTransferRefusal refusal = CheckTransfer(edit.Ledger, fields, formats);
    if (refusal)
        edit.Inform(refusal.Text);
    return static_cast<bool>(refusal);
}

constexpr std::uint16_t TransferRefresh = RefreshTransactions | RefreshTotals;

} // namespace

TTransferFields NewTransferFields(const TLedger& ledger, TDateTime today) {
    TTransferFields fields;
    if (ledger.BookList.Count() > 0)
        fields.FromAccount = ledger.BookList.Items(0)->Number;
    fields.Date = DayOf(today);
    return fields;
}

TTransferFields TransferFieldsOf(const TTransferRec& pair) {
    const TTransRec& to = *pair.ToTrans;
    TTransferFields fields;
    fields.FromAccount = to.Book;
    // Without its partner the half still names the account the money went to.
    fields.ToAccount = pair.FromTrans ? pair.FromTrans->Book : to.Group;
    fields.Date = to.Date;
    fields.Amount = to.Amount;
    fields.Reference = to.Reference.Str();
    fields.Notes = to.Notes;
    return fields;
}

TTransferRefusal CheckTransfer(const TLedger& ledger, const TTransferFields& fields, const TDisplayFormats& formats) {
    const TBookRec* from = fields.FromAccount ? ledger.BookList.Find(*fields.FromAccount) : nullptr;
    const TBookRec* to = fields.ToAccount ? ledger.BookList.Find(*fields.ToAccount) : nullptr;
    if (!from)
        return {"You must select the Account the money is transferred from.", TTransferField::FromAccount, {}};
    if (!to)
        return {"You must select the Account the money is transferred to.", TTransferField::ToAccount, {}};
    if (from == to)
        return {"The money must be transferred to a different Account from the one it comes from.",
                TTransferField::ToAccount,
                {}};
    TTransRec probe;
    probe.Date = DayOf(fields.Date);
    if (!TransDamage(probe).empty())
        return {"The date you have entered is not a valid date.", TTransferField::Date, {}};
    if (const TBookRec* later = OpenedAfter(*from, *to, probe.Date)) {
        const TDateTime day = OpeningDay(*later);
        return {"The Transfer Date you have entered is less than the Opening Balance Date for the '" +
                    later->Name.Str() + "' Account.  You must use a date greater than or equal to " +
                    formats.DateText(day) + ".",
                TTransferField::Date, day};
    }
    // A negative amount would move the money the other way under the wrong names.
    if (fields.Amount <= Money())
        return {"You must enter an amount grater than $0.00 for a Transfer", TTransferField::Amount, {}};
    // What a document cannot hold would be set aside as damaged the next time it is opened.
    if (!WithinMaxAmount(fields.Amount))
        return {"The amount is beyond the largest a Transfer may hold (10,000,000.00).", TTransferField::Amount, {}};
    return {};
}

std::vector<TDescriptionPiece> TransferDescription(const TLedger& ledger, const TTransferFields& fields,
                                                   const TDisplayFormats& formats) {
    const TBookRec* from = fields.FromAccount ? ledger.BookList.Find(*fields.FromAccount) : nullptr;
    const TBookRec* to = fields.ToAccount ? ledger.BookList.Find(*fields.ToAccount) : nullptr;
    if (!from || !to)
        return {};
    using Piece = TDescriptionPiece;
    auto account = [](const TBookRec& book) { return Piece{" " + book.Name.Str() + " ", Piece::Account, book.Colour}; };
    return {{"Transfer ", Piece::Plain, 0}, {formats.MoneyText(fields.Amount), Piece::Amount, 0},
            {" from ", Piece::Plain, 0},    account(*from),
            {" to ", Piece::Plain, 0},      account(*to),
            {" on ", Piece::Plain, 0},      {formats.DateText(DayOf(fields.Date)), Piece::Plain, 0}};
}

std::int32_t TransferIndexOf(const TTransferList& transfers, const TTransRec* record) {
    for (std::int32_t i = 0; record && i < transfers.Count(); ++i)
        if (const TTransferRec* pair = transfers.Item(i); pair->ToTrans == record || pair->FromTrans == record)
            return i;
    return -1;
}

TEditOutcome AddTransfer(TEditContext& edit, const TTransferFields& fields, const TDisplayFormats& formats) {
    TLedger& l = edit.Ledger;
    if (!edit.CheckAccess(TAccessArea::Adding) || Refused(edit, fields, formats))
        return {};
    TBookRec& from = *l.BookList.Find(*fields.FromAccount);
    TBookRec& to = *l.BookList.Find(*fields.ToAccount);
    TMemoryBefore before(l);
    before.KeepOrders(l.TransList);
    TChangeGroup group(edit.Files);
    TTransRec* out = NewHalf(l.TransList, TransTo);
    out->MainAct = out->Number + 1;
    SetHalf(*out, from, to, fields);
    l.TransList.Add(out);
    TTransRec* in = NewHalf(l.TransList, TransFrom);
    in->MainAct = out->Number;
    SetHalf(*in, to, from, fields);
    l.TransList.Add(in);
    const std::int32_t index = Reordered(l, {out, in});
    return FinishEdit(group, before, {TEditResult::Done, TransferRefresh, index});
}

TEditOutcome ChangeTransfer(TEditContext& edit, std::int32_t index, const TTransferFields& fields,
                            const TDisplayFormats& formats) {
    TLedger& l = edit.Ledger;
    const TTransferRec* pair = l.TransferList.Item(index);
    if (!pair || !edit.CheckAccess(TAccessArea::Editing) || Refused(edit, fields, formats))
        return {};
    TTransRec* out = pair->ToTrans;
    TTransRec* in = pair->FromTrans;
    TBookRec& from = *l.BookList.Find(*fields.FromAccount);
    TBookRec& to = *l.BookList.Find(*fields.ToAccount);
    TTransRec outAfter = *out;
    SetHalf(outAfter, from, to, fields);
    TTransRec inAfter = in ? *in : TTransRec();
    if (in)
        SetHalf(inAfter, to, from, fields);
    if (SameStoredFields(outAfter, *out) && (!in || SameStoredFields(inAfter, *in)))
        return {TEditResult::Unchanged, RefreshNone, index};
    TMemoryBefore before(l);
    TChangeGroup group(edit.Files);
    std::vector<TTransRec*> written;
    for (auto [half, after] : {std::pair(out, &outAfter), std::pair(in, &inAfter)}) {
        if (!half)
            continue;
        before.Keep(half);
        *half = *after;
        l.TransList.Changed(l.TransList.IndexOf(half));
        written.push_back(half);
    }
    const std::int32_t changed = Reordered(l, written);
    return FinishEdit(group, before, {TEditResult::Done, TransferRefresh, changed});
}

TEditOutcome DeleteTransfer(TEditContext& edit, std::int32_t index) {
    TLedger& l = edit.Ledger;
    const TTransferRec* pair = l.TransferList.Item(index);
    if (!pair || !edit.CheckAccess(TAccessArea::Deleting) ||
        !edit.Confirm("Are you sure you want to delete this Transfer?"))
        return {};
    TMemoryBefore before(l);
    TChangeGroup group(edit.Files);
    for (TTransRec* half : {pair->ToTrans, pair->FromTrans}) {
        if (!half)
            continue;
        before.Deleting(half);
        l.TransList.Delete(l.TransList.IndexOf(half));
    }
    l.TransferList.Build(l.TransList);
    return FinishEdit(group, before, {TEditResult::Done, TransferRefresh, -1});
}

} // namespace qz
