#include "Engine.h"

namespace qz {

namespace {

// The amount a transaction adds to the classification totals.
Money TotalsAmount(const TTransRec& t, bool gross) { return gross ? t.Amount : t.Net(); }

bool ContributesToTotals(const TTransList& list, const TTransRec& t) {
    return t.Row != -1 && list.Counts(t) && t.IsOrdinary();
}

// The linked record when the link still matches the number; otherwise a look-up.
TMainActRec& CategoryOf(TLedger& ledger, const TTransRec& t) {
    if (t.MainActRec && t.MainActRec->Number == t.MainAct)
        return *t.MainActRec;
    return ledger.MainActList.Existing(t.MainAct);
}

TSubActRec* SubOf(const TLedger& ledger, const TTransRec& t) {
    if (t.SubActRec && t.SubActRec->MainAct == t.MainAct && t.SubActRec->Number == t.SubAct)
        return t.SubActRec;
    return ledger.SubActList.FindPair(t.MainAct, t.SubAct);
}

TGroupRec* GroupOf(const TLedger& ledger, const TTransRec& t) {
    if (t.GroupRec && t.GroupRec->Number == t.Group)
        return t.GroupRec;
    return ledger.GroupList.Find(t.Group);
}

const TBookRec* BookOf(const TLedger& ledger, const TTransRec& t) {
    if (t.BookRec && t.BookRec->Number == t.Book)
        return t.BookRec;
    return ledger.BookList.Find(t.Book);
}

} // namespace

void SetSelectionFlags(TLedger& ledger) {
    const TCalcSwitches& sw = ledger.Switches;
    const bool openingsSelectable = sw.UseOpeningBalancesInSelections || !sw.RowSelectionActive();
    const bool transfersSelectable = !sw.CategorySelectionActive && !sw.GroupSelectionActive;
    for (TTransRec* t : ledger.TransList.KeyList) {
        const TBookRec* book = BookOf(ledger, *t);
        const bool accountSelected = book && book->Selected;
        bool selected = false;
        switch (t->Kind) {
        case TransOpening:
            selected = accountSelected && openingsSelectable;
            break;
        case TransFrom:
        case TransTo:
            selected = accountSelected && transfersSelectable;
            break;
        case TransCredit:
        case TransDebit: {
            const TSubActRec* sub = SubOf(ledger, *t);
            const TGroupRec* group = GroupOf(ledger, *t);
            selected = accountSelected && sub && sub->Selected && group && group->Selected;
            break;
        }
        default:
            break;
        }
        t->InSelection = selected ? 1 : 0;
    }
}

void CategoryTotals(TLedger& ledger) {
    for (TMainActRec* category : ledger.MainActList.KeyList)
        category->Total = Money();
    for (TSubActRec* sub : ledger.SubActList.KeyList)
        sub->Total = Money();
    const bool gross = ledger.Switches.GstInTotals;
    for (const TTransRec* t : ledger.TransList.KeyList) {
        if (!ContributesToTotals(ledger.TransList, *t))
            continue;
        const Money amount = TotalsAmount(*t, gross);
        ledger.MainActList.AddToTotal(CategoryOf(ledger, *t), amount);
        TSubActRec* sub = SubOf(ledger, *t);
        ledger.SubActList.AddToTotal(sub ? *sub : ledger.SubActList.Existing(t->MainAct, t->SubAct), amount);
    }
}

void GroupTotals(TLedger& ledger) {
    for (TGroupRec* group : ledger.GroupList.KeyList)
        group->CreditTotal = group->DebitTotal = Money();
    const bool gross = ledger.Switches.GstInTotals;
    for (const TTransRec* t : ledger.TransList.KeyList) {
        if (!ContributesToTotals(ledger.TransList, *t))
            continue;
        if (TGroupRec* group = GroupOf(ledger, *t))
            ledger.GroupList.AddToTotal(*group, t->Kind, TotalsAmount(*t, gross));
    }
}

void TypeTotals(TLedger& ledger) {
    for (TCatRec* type : ledger.CatList.KeyList)
        type->Total = Money();
    ledger.CatList.CreditTotal = ledger.CatList.DebitTotal = Money();
    for (const TMainActRec* category : ledger.MainActList.KeyList)
        if (category->Row != -1)
            ledger.CatList.AddToTotal(category->CatType, category->Total);
}

void Recalculate(TLedger& ledger) {
    SetSelectionFlags(ledger);
    ledger.TransList.FilterAndTotal();
    ledger.TransList.RunningBalances();
    CategoryTotals(ledger);
    ledger.MainActList.Recount();
    ledger.SubActList.Recount();
    GroupTotals(ledger);
    ledger.GroupList.Recount();
    TypeTotals(ledger);
    ledger.CatList.Recount();
}

void LinkRecords(TLedger& ledger) {
    for (TBookRec* book : ledger.BookList.KeyList)
        book->OpeningTrans = nullptr;
    for (TTransRec* t : ledger.TransList.KeyList) {
        t->BookRec = ledger.BookList.FindByNumber(t->Book);
        switch (t->Kind) {
        case TransOpening:
            t->BookRec->OpeningTrans = t;
            break;
        case TransFrom:
        case TransTo:
            t->OtherBookRec = ledger.BookList.FindByNumber(t->Group);
            break;
        case TransCredit:
        case TransDebit:
            t->MainActRec = &CategoryOf(ledger, *t);
            t->SubActRec = &ledger.SubActList.Existing(t->MainAct, t->SubAct);
            t->GroupRec = ledger.GroupList.FindByNumber(t->Group);
            break;
        default:
            break;
        }
    }
    for (TSubActRec* sub : ledger.SubActList.KeyList) {
        sub->MainActRec = &ledger.MainActList.Existing(sub->MainAct);
    }
}

bool LinkTransaction(TLedger& ledger, TTransRec& t) {
    t.BookRec = ledger.BookList.Find(t.Book);
    t.MainActRec = nullptr;
    t.SubActRec = nullptr;
    t.GroupRec = nullptr;
    t.OtherBookRec = nullptr;
    switch (t.Kind) {
    case TransOpening:
        return t.BookRec != nullptr;
    case TransFrom:
    case TransTo:
        t.OtherBookRec = ledger.BookList.Find(t.Group);
        return t.BookRec && t.OtherBookRec;
    case TransCredit:
    case TransDebit:
        t.MainActRec = ledger.MainActList.FindByNumber(t.MainAct);
        t.SubActRec = ledger.SubActList.FindPair(t.MainAct, t.SubAct);
        t.GroupRec = ledger.GroupList.Find(t.Group);
        return t.BookRec && t.MainActRec && t.SubActRec && t.GroupRec;
    default:
        return false;
    }
}

void AccountTotals(TLedger& ledger, bool gross) {
    for (TBookRec* book : ledger.BookList.KeyList)
        book->CreditTotal = book->DebitTotal = Money();
    for (const TTransRec* t : ledger.TransList.KeyList) {
        if (t->Row == -1)
            continue;
        TBookRec* book = t->BookRec && t->BookRec->Number == t->Book ? t->BookRec : ledger.BookList.Find(t->Book);
        if (!book)
            continue;
        const Money amount = gross ? t->Amount : t->Net();
        switch (t->Kind) {
        case TransCredit:
        case TransFrom:
            book->CreditTotal += amount;
            break;
        case TransDebit:
        case TransTo:
            book->DebitTotal += amount;
            break;
        case TransOpening:
            if (t->Amount >= Money())
                book->CreditTotal += t->Amount;
            else
                book->DebitTotal -= t->Amount;
            break;
        default:
            break;
        }
    }
}

Money GstBalanceAt(const TLedger& ledger, TDateTime date) {
    Money balance = ledger.GstOpeningBalance;
    // The whole of `date` counts, whatever time of day its transactions carry.
    const TDateTime lastDay = DayOf(date);
    for (const TTransRec* t : ledger.TransList.KeyList) {
        if (DayOf(t->Date) > lastDay)
            break;
        // Only ordinary transactions name a category: a transfer's MainAct is its partner's number.
        if (!ledger.TransList.Counts(*t) || !t->IsOrdinary())
            continue;
        if (t->MainAct == ledger.GstPaymentCat)
            balance -= t->Amount;
        else if (t->MainAct == ledger.GstRefundCat)
            balance += t->Amount;
        else if (t->Gst > Money())
            balance += t->Kind == TransCredit ? t->Gst : -t->Gst;
    }
    return balance;
}

Money GstBalanceAtRangeStart(const TLedger& ledger) {
    const TTransList& list = ledger.TransList;
    if (list.KeyList.empty() || list.KeyList.front()->Date >= list.DateFrom)
        return ledger.GstOpeningBalance;
    return GstBalanceAt(ledger, list.DateFrom - 1);
}

bool AnySelectionActive(const TLedger& ledger) { return ledger.Switches.AnySelectionActive(); }

bool AllAccountsSelected(const TLedger& ledger) { return ledger.BookList.AllSelected(); }

} // namespace qz
