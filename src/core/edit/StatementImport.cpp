#include "StatementImport.h"

#include "MemoryBefore.h"
#include "TransactionOrder.h"

#include "engine/Engine.h"

namespace qz {

namespace {

constexpr std::size_t PlacedOneByOne = 64;

std::string EntryRefusal(const TLedger& ledger, const TBookRec& book, const TImportEntry& entry) {
    const TStatementLine& line = entry.Line;
    if (!line.Good())
        return line.Bad;
    const std::string where = "line " + std::to_string(line.Line) + ": ";
    const Money amount = Money::FromCents(line.Cents).Abs();
    if (line.Cents == 0)
        return where + "the amount is 0";
    if (!WithinMaxAmount(amount))
        return where + "the amount is beyond the largest a transaction may hold (10,000,000.00)";
    if (book.OpeningTrans && line.Date < DayOf(book.OpeningTrans->Date))
        return where + "the date is before the account's opening balance";
    if (entry.TransferAccount) {
        const TBookRec* other = ledger.BookList.Find(*entry.TransferAccount);
        if (!other || other == &book)
            return where + "there is no other account " + std::to_string(*entry.TransferAccount) + " to transfer with";
        if (other->OpeningTrans && line.Date < DayOf(other->OpeningTrans->Date))
            return where + "the date is before the opening balance of the account transferred with";
        return {};
    }
    const TMainActRec* category = ledger.MainActList.FindByNumber(entry.Category.MainAct);
    if (!category)
        return where + "there is no category " + std::to_string(entry.Category.MainAct);
    if (category->Side != (line.Cents > 0 ? SideCredit : SideDebit))
        return where + "category " + std::to_string(category->Number) + " is a " +
               (category->Side == SideCredit ? "credit" : "debit") + " category; the line is money " +
               (line.Cents > 0 ? "in" : "out");
    if (!ledger.SubActList.FindPair(entry.Category.MainAct, entry.Category.SubAct))
        return where + "there is no sub category " + std::to_string(entry.Category.MainAct) + "-" +
               std::to_string(entry.Category.SubAct);
    if (!ledger.GroupList.Find(entry.Category.Group))
        return where + "there is no group " + std::to_string(entry.Category.Group);
    return {};
}

TTransRec* NewRecord(TLedger& ledger, TBookRec& book, const TImportEntry& entry, std::int32_t number, bool taxOn) {
    auto* r = new TTransRec;
    r->Number = number;
    r->Split = '0';
    r->Kind = entry.Line.Cents > 0 ? TransCredit : TransDebit;
    r->Date = entry.Line.Date;
    r->Amount = Money::FromCents(entry.Line.Cents).Abs();
    r->Book = static_cast<std::int16_t>(book.Number);
    r->MainAct = entry.Category.MainAct;
    r->SubAct = entry.Category.SubAct;
    r->Group = entry.Category.Group;
    r->Reference = ImportReference(entry.Line);
    r->Notes = ImportNotes(entry.Line);
    r->Reconciled = entry.Line.Cleared ? 1 : 0;
    r->InSelection = 1;
    LinkTransaction(ledger, *r);
    if (taxOn && r->SubActRec)
        r->Gst = TaxOfGross(r->Amount, r->SubActRec->GstPercent);
    return r;
}

// The two halves of a transfer: `out` in the account the money leaves, `in` in the one it
// enters, numbered `number` and the next, each naming the other.
void AddTransferHalves(TLedger& ledger, TBookRec& book, const TImportEntry& entry, std::int32_t number,
                       std::vector<TTransRec*>& written) {
    TBookRec& other = *ledger.BookList.Find(*entry.TransferAccount);
    const bool moneyOut = entry.Line.Cents < 0;
    TBookRec& from = moneyOut ? book : other;
    TBookRec& to = moneyOut ? other : book;
    auto half = [&](std::uint8_t kind, TBookRec& own, TBookRec& far, std::int32_t ownNumber, std::int32_t partner) {
        auto* r = new TTransRec;
        r->Number = ownNumber;
        r->Kind = kind;
        r->Date = entry.Line.Date;
        r->Amount = Money::FromCents(entry.Line.Cents).Abs();
        r->Book = static_cast<std::int16_t>(own.Number);
        r->BookRec = &own;
        r->Group = static_cast<std::uint16_t>(far.Number);
        r->OtherBookRec = &far;
        r->MainAct = partner;
        r->Reference = ImportReference(entry.Line);
        if (kind == TransTo)
            r->Notes = ImportNotes(entry.Line);
        r->Reconciled = entry.Line.Cleared ? 1 : 0;
        r->InSelection = 1;
        ledger.TransList.Add(r);
        written.push_back(r);
    };
    half(TransTo, from, to, number, number + 1);
    half(TransFrom, to, from, number + 1, number);
}

} // namespace

std::string CheckImport(const TLedger& ledger, std::int32_t account, const std::vector<TImportEntry>& entries) {
    const TBookRec* book = ledger.BookList.Find(account);
    if (!book)
        return "There is no account " + std::to_string(account) + ".";
    for (const TImportEntry& entry : entries)
        if (std::string refusal = EntryRefusal(ledger, *book, entry); !refusal.empty())
            return refusal;
    return {};
}

TEditOutcome ImportStatement(TEditContext& edit, std::int32_t account, const std::vector<TImportEntry>& entries) {
    TLedger& l = edit.Ledger;
    if (!edit.CheckAccess(TAccessArea::Adding))
        return {};
    if (const std::string refusal = CheckImport(l, account, entries); !refusal.empty()) {
        edit.Inform(refusal);
        return {};
    }
    if (entries.empty())
        return {TEditResult::Unchanged, RefreshNone, -1};
    TBookRec& book = *l.BookList.Find(account);
    const bool taxOn = edit.Files.Settings.TaxOn != 0;
    TMemoryBefore before(l);
    before.KeepOrders(l.TransList);
    TChangeGroup group(edit.Files);
    std::vector<TTransRec*> written;
    written.reserve(entries.size());
    std::int32_t number = l.TransList.NewNumber();
    bool transfers = false;
    for (const TImportEntry& entry : entries) {
        if (entry.TransferAccount) {
            AddTransferHalves(l, book, entry, number, written);
            number += 2;
            transfers = true;
            continue;
        }
        TTransRec* record = NewRecord(l, book, entry, number++, taxOn);
        l.TransList.Add(record);
        written.push_back(record);
    }
    // A few records take their places by binary search; for a whole statement one stable sort
    // of the list is cheaper than placing each (and gives the same order).
    if (written.size() <= PlacedOneByOne) {
        PlaceInOrder(l.TransList.KeyList, written, 1);
        l.TransList.Sorted = 1;
    } else {
        l.TransList.SortByKey();
    }
    if (transfers)
        l.TransferList.Build(l.TransList);
    const std::int32_t index = l.TransList.IndexOf(written.front());
    return FinishEdit(group, before, {TEditResult::Done, RefreshTransactions | RefreshTotals, index});
}

} // namespace qz
