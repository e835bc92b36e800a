#include "Engine.h"

namespace qz {

namespace {

// The amount a transaction adds to the classification totals.
Money TotalsAmount(const TTransRec& t, bool gross) {
    return gross ? t.Amount : t.Net();
}

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

namespace {

// Which kinds of record a selection leaves selectable.
struct SelectionRules {
    explicit SelectionRules(const TCalcSwitches& sw)
        : Openings(sw.UseOpeningBalancesInSelections || !sw.RowSelectionActive()),
          Transfers(!sw.CategorySelectionActive && !sw.GroupSelectionActive) {}
    bool Openings;
    bool Transfers; // a search does not hide them
};

// The category selection works through the sub categories' flags; a category's own flag is
// not consulted.
std::uint8_t SelectionFlag(const TLedger& ledger, const TTransRec& t, const SelectionRules& rules) {
    const TBookRec* book = BookOf(ledger, t);
    if (!book || !book->Selected)
        return 0;
    switch (t.Kind) {
    case TransOpening:
        return rules.Openings;
    case TransFrom:
    case TransTo:
        return rules.Transfers;
    case TransCredit:
    case TransDebit: {
        const TSubActRec* sub = SubOf(ledger, t);
        const TGroupRec* group = GroupOf(ledger, t);
        return sub && sub->Selected && group && group->Selected;
    }
    default:
        return 0;
    }
}

void ZeroCategoryTotals(TLedger& ledger) {
    for (TMainActRec* category : ledger.MainActList.KeyList)
        category->Total = Money();
    for (TSubActRec* sub : ledger.SubActList.KeyList)
        sub->Total = Money();
}

void ZeroGroupTotals(TLedger& ledger) {
    for (TGroupRec* group : ledger.GroupList.KeyList)
        group->CreditTotal = group->DebitTotal = Money();
}

void AddToCategoryTotals(TLedger& ledger, const TTransRec& t, Money amount) {
    ledger.MainActList.AddToTotal(CategoryOf(ledger, t), amount);
    TSubActRec* sub = SubOf(ledger, t);
    ledger.SubActList.AddToTotal(sub ? *sub : ledger.SubActList.Existing(t.MainAct, t.SubAct), amount);
}

void AddToGroupTotals(TLedger& ledger, const TTransRec& t, Money amount) {
    if (TGroupRec* group = GroupOf(ledger, t))
        ledger.GroupList.AddToTotal(*group, t.Kind, amount);
}

// CategoryTotals and GroupTotals, and RunningBalances when asked, in one walk along the key order.
void TotalsAndBalances(TLedger& ledger, bool withBalances) {
    TTransList& list = ledger.TransList;
    ZeroCategoryTotals(ledger);
    ZeroGroupTotals(ledger);
    const bool gross = ledger.Switches.GstInTotals;
    auto addTotals = [&](const TTransRec& t) {
        if (ContributesToTotals(list, t)) {
            const Money amount = TotalsAmount(t, gross);
            AddToCategoryTotals(ledger, t, amount);
            AddToGroupTotals(ledger, t, amount);
        }
    };
    // Two loops rather than a test per record: this walk is the hottest in the program.
    if (!withBalances) {
        for (const TTransRec* t : list.KeyList)
            addTotals(*t);
        return;
    }
    TBalanceWalk balances(list); // making one zeroes UnreconciledCount, so only when wanted
    for (TTransRec* t : list.KeyList) {
        balances.Step(*t);
        addTotals(*t);
    }
    balances.Finish();
}

void RecountClassification(TLedger& ledger) {
    ledger.MainActList.Recount();
    ledger.SubActList.Recount();
    ledger.GroupList.Recount();
    TypeTotals(ledger);
    ledger.CatList.Recount();
}

} // namespace

void SetSelectionFlags(TLedger& ledger) {
    const SelectionRules rules(ledger.Switches);
    for (TTransRec* t : ledger.TransList.KeyList)
        t->InSelection = SelectionFlag(ledger, *t, rules);
}

void CategoryTotals(TLedger& ledger) {
    ZeroCategoryTotals(ledger);
    const bool gross = ledger.Switches.GstInTotals;
    for (const TTransRec* t : ledger.TransList.KeyList)
        if (ContributesToTotals(ledger.TransList, *t))
            AddToCategoryTotals(ledger, *t, TotalsAmount(*t, gross));
}

void GroupTotals(TLedger& ledger) {
    ZeroGroupTotals(ledger);
    const bool gross = ledger.Switches.GstInTotals;
    for (const TTransRec* t : ledger.TransList.KeyList)
        if (ContributesToTotals(ledger.TransList, *t))
            AddToGroupTotals(ledger, *t, TotalsAmount(*t, gross));
}

void TypeTotals(TLedger& ledger) {
    for (TCatRec* type : ledger.CatList.KeyList)
        type->Total = Money();
    ledger.CatList.CreditTotal = ledger.CatList.DebitTotal = Money();
    for (const TMainActRec* category : ledger.MainActList.KeyList)
        if (category->Row != -1)
            ledger.CatList.AddToTotal(category->CatType, category->Total);
}

// The steps run in two walks instead of five: the selection flags with FilterAndTotal along
// the view order, then RunningBalances with the category, sub category and group totals
// along the key order. Each record is read twice, and the results are those of the steps run
// one after another, since no step reads what a later step of the same walk writes.
void Recalculate(TLedger& ledger) {
    TTransList& list = ledger.TransList;
    const SelectionRules rules(ledger.Switches);
    TFilterWalk filter(list);
    for (TTransRec* t : list.RowList) {
        t->InSelection = SelectionFlag(ledger, *t, rules);
        filter.Step(*t);
    }
    filter.Finish();
    TotalsAndBalances(ledger, true);
    RecountClassification(ledger);
}

// The range pass in two walks as well. The running balances read only the rows and write
// only balances and day ends, which no total and no recount reads, so running them in the
// totals walk gives what running them last gives.
void RangePass(TLedger& ledger, bool withBalances) {
    ledger.TransList.FilterAndTotal();
    TotalsAndBalances(ledger, withBalances);
    RecountClassification(ledger);
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

void CheckCategoryTypes(const TLedger& ledger) {
    for (const TMainActRec* category : ledger.MainActList.KeyList)
        ledger.CatList.FindByNumber(category->CatType);
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
        if (book)
            AddToAccountTotals(*t, gross, book->CreditTotal, book->DebitTotal);
    }
}

void AddToAccountTotals(const TTransRec& t, bool gross, Money& credit, Money& debit) {
    const Money amount = gross ? t.Amount : t.Net();
    switch (t.Kind) {
    case TransCredit:
    case TransFrom:
        credit += amount;
        break;
    case TransDebit:
    case TransTo:
        debit += amount;
        break;
    case TransOpening:
        if (t.Amount >= Money())
            credit += t.Amount;
        else
            debit -= t.Amount;
        break;
    default:
        break;
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

bool AnySelectionActive(const TLedger& ledger) {
    return ledger.Switches.AnySelectionActive();
}

bool AllAccountsSelected(const TLedger& ledger) {
    return ledger.BookList.AllSelected();
}

} // namespace qz
