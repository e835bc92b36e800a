#include "TransDB.h"

#include "NumberTexts.h"

#include <unordered_map>

namespace qz {

const TCalcSwitches TTransList::DefaultSwitches{};

void TTransRec::Assign(const TTransRec& other) {
    const std::int64_t keep = FilePos;
    *this = other;
    FilePos = keep;
}

TTransList::TTransList(const TCalcSwitches* switches) {
    SetSwitches(switches);
}

void TTransList::RaiseIndexError(std::int32_t) const {
    throw ETransDBException("List index out of bounds");
}

std::int32_t TTransList::Add(TTransRec* record) {
    const std::int32_t index = TBaseDBList::Add(record);
    if (record->Date > DateTo)
        DateTo = record->Date;
    if (record->Date < DateFrom)
        DateFrom = record->Date;
    return index;
}

void TTransList::Clear() {
    FreeAll();
    VisibleCount = 0;
    UnreconciledCount = 0;
    OldOpeningBalance = Money();
    CreditTotal = DebitTotal = GstCreditTotal = GstDebitTotal = Money();
}

std::string TransDamage(const TTransRec& t, TTaxField taxField) {
    // Every record of a document passes here on loading: the bounds are worked out once.
    static const TDateTime firstDay = EncodeDate(1, 1, 1);
    static const TDateTime afterLastDay = EncodeDate(9999, 12, 31) + 1;
    if (!(t.Date >= firstDay && t.Date < afterLastDay))
        return "the date is not a valid day";
    if (t.Kind < TransCredit || t.Kind > TransTo)
        return "kind " + std::to_string(t.Kind) + " is unknown";
    if (!WithinMaxAmount(t.Amount))
        return "the amount is beyond the largest a document may hold (10,000,000.00)";
    if (taxField != TTaxField::Amount)
        return {};
    if (t.Gst < Money())
        return "the tax is negative";
    if (t.Gst > t.Amount.Abs())
        return "the tax is larger than the amount";
    return {};
}

std::string DamagedTransText(const TDamagedTrans& damaged) {
    return "transaction " + TransNumberText(damaged.Number, damaged.Split) + " (" + damaged.Reason + ")";
}

std::string DamagedTransMessage(const std::vector<TDamagedTrans>& damaged) {
    const std::size_t count = damaged.size();
    std::string text = "This file holds " + std::to_string(count) +
                       (count == 1 ? " damaged transaction. It is" : " damaged transactions. They are") +
                       " left out of the worksheet, the totals, the reports and the exports, and kept in the file "
                       "as " +
                       (count == 1 ? "it is:" : "they are:");
    constexpr std::size_t Listed = 10;
    for (std::size_t i = 0; i < count && i < Listed; ++i)
        text += "\r" + DamagedTransText(damaged[i]);
    if (count > Listed)
        text += "\rand " + std::to_string(count - Listed) + " more.";
    return text;
}

std::int32_t TTransList::NewNumber() const {
    std::int32_t highest = 0;
    for (const TTransRec* t : KeyList)
        highest = std::max(highest, t->Number);
    return highest + 1;
}

std::int32_t TTransList::FirstVisibleIndex() const {
    for (std::size_t i = 0; i < KeyList.size(); ++i)
        if (KeyList[i]->Row != -1)
            return static_cast<std::int32_t>(i);
    return -1;
}

void TTransList::SetRangeDate(std::uint8_t which, TDateTime date) {
    if (which == 1)
        DateFrom = date;
    else if (which == 2)
        DateTo = date;
}

void TTransList::ResetRange(std::uint8_t mode) {
    if (KeyList.empty())
        return;
    if (mode == 0 || mode == 2) {
        auto [first, last] = std::minmax_element(
            KeyList.begin(), KeyList.end(), [](const TTransRec* a, const TTransRec* b) { return a->Date < b->Date; });
        DateFrom = (*first)->Date;
        DateTo = (*last)->Date;
    }
    if (mode == 1 || mode == 2)
        for (TTransRec* t : KeyList)
            t->InSelection = 1;
}

// What one shown transaction adds to the view totals (sign -1 takes it out again).
void TTransList::AddToViewTotals(const TTransRec& t, int sign) {
    const Money amount = sign > 0 ? t.Amount : -t.Amount;
    const Money gst = sign > 0 ? t.Gst : -t.Gst;
    switch (t.Kind) {
    case TransCredit:
        CreditTotal += amount;
        GstCreditTotal += gst;
        break;
    case TransDebit:
        DebitTotal += amount;
        GstDebitTotal += gst;
        break;
    case TransFrom:
        CreditTotal += amount;
        break;
    case TransTo:
        DebitTotal += amount;
        break;
    case TransOpening:
        if (t.Amount >= Money())
            CreditTotal += amount;
        else
            DebitTotal -= amount;
        break;
    default:
        break;
    }
}

TFilterWalk::TFilterWalk(TTransList& list)
    : List(list), From(list.DateFrom), To(list.DateTo),
      HideOpenings(list.Switch().DateRangeActive && !list.Switch().UseOpeningBalancesInSelections),
      CountAll(list.SearchIncludesUnreconciled || list.Switch().IncludeUnreconciled) {
    List.CreditTotal = List.DebitTotal = List.GstCreditTotal = List.GstDebitTotal = Money();
    List.RowRecords.clear();
}

void TTransList::FilterAndTotal() {
    TFilterWalk walk(*this);
    for (TTransRec* t : RowList)
        walk.Step(*t);
    walk.Finish();
}

TBalanceWalk::TBalanceWalk(TTransList& list) : List(list), RowsOnly(list.Switch().RowSelectionActive()) {
    List.UnreconciledCount = 0;
    if (!List.KeyList.empty())
        Previous = First = List.KeyList.front();
}

void TBalanceWalk::Step(TTransRec& t) {
    // With no row selection in force the balance runs through records outside the date range
    // too, so the first row shows the balance brought forward.
    const bool inBalance =
        (t.Row != -1 || !RowsOnly) && List.Counts(t) && (t.BookRec == nullptr || t.BookRec->Selected);
    if (inBalance) {
        switch (t.Kind) {
        case TransCredit:
        case TransFrom:
            Balance += t.Amount;
            Net += t.Net();
            break;
        case TransDebit:
        case TransTo:
            Balance -= t.Amount;
            Net -= t.Net();
            break;
        case TransOpening:
            Balance += t.Amount;
            Net += t.Amount;
            break;
        default:
            break;
        }
        // A day ends where the next counted transaction falls on a later day; times within
        // a day do not end it.
        Previous->DayEnd = DayOf(t.Date) > DayOf(Previous->Date) ? 1 : 0;
        Previous = &t;
    }
    if (&t == First)
        t.DayEnd = 1;
    if (!t.Reconciled)
        ++List.UnreconciledCount;
    t.Balance = Balance;
    t.NetBalance = Net;
}

void TBalanceWalk::Finish() {
    if (Previous)
        Previous->DayEnd = 1;
}

void TTransList::RunningBalances() {
    TBalanceWalk walk(*this);
    for (TTransRec* t : KeyList)
        walk.Step(*t);
    walk.Finish();
}

void TTransList::SetReconciled(std::int32_t index, std::uint8_t value) {
    TTransRec* t = Items(index);
    // The view totals hold a shown record only while it counts; keep them in step with the flag.
    const bool countsAnyway = SearchIncludesUnreconciled || Switches->IncludeUnreconciled;
    const bool adjust = t->Row != -1 && !countsAnyway && (t->Reconciled != 0) != (value != 0);
    if (t->Reconciled && !value) {
        ++UnreconciledCount;
        if (adjust)
            AddToViewTotals(*t, -1);
    } else if (!t->Reconciled && value) {
        --UnreconciledCount;
        if (adjust)
            AddToViewTotals(*t, 1);
    }
    t->Reconciled = value;
}

void TTransList::RemoveFromTotals(const TTransRec& r) const {
    if (RemoveHook)
        RemoveHook(r.MainAct, r.SubAct, r.Group, r.Kind, r.Amount);
}

void TTransList::AddToTotals(const TTransRec& r) const {
    if (AddHook)
        AddHook(r.MainAct, r.SubAct, r.Group, r.Kind, r.Amount);
}

std::int32_t TTransList::NextOrdinary(std::int32_t index) const {
    for (std::int32_t i = index + 1; i < Count(); ++i)
        if (KeyList[static_cast<std::size_t>(i)]->IsOrdinary())
            return i;
    return index;
}

std::int32_t TTransList::PrevOrdinary(std::int32_t index) const {
    for (std::int32_t i = std::min(index, Count()) - 1; i >= 0; --i)
        if (KeyList[static_cast<std::size_t>(i)]->IsOrdinary())
            return i;
    return index;
}

std::pair<std::int32_t, std::int32_t> TTransList::OrdinaryBounds() const {
    std::int32_t first = -1;
    std::int32_t last = -1;
    for (std::int32_t i = 0; i < Count(); ++i) {
        if (KeyList[static_cast<std::size_t>(i)]->IsOrdinary()) {
            if (first == -1)
                first = i;
            last = i;
        }
    }
    return {first, last};
}

std::pair<TDateTime, TDateTime> TTransList::VisibleDateSpan(TDateTime today) const {
    const TTransRec* first = RowItem(0);
    const TTransRec* last = RowItem(VisibleCount - 1);
    if (!first || !last)
        return {DayOf(today), DayOf(today)};
    return {DayOf(first->Date), DayOf(last->Date)};
}

bool TTransList::HasOrdinaryRows() const {
    return std::any_of(RowList.begin(), RowList.end(),
                       [](const TTransRec* t) { return t->Row != -1 && t->IsOrdinary(); });
}

Money TTransList::ClosingBalance() const {
    if (VisibleCount <= 0)
        return Money();
    const TTransRec* last = RowItem(VisibleCount - 1);
    if (!last)
        return Money();
    if (Counts(*last))
        return last->Balance;
    for (std::int32_t row = VisibleCount - 2; row >= 0; --row) {
        const TTransRec* t = RowItem(row);
        if (t && t->Reconciled)
            return t->Balance;
    }
    return last->Balance;
}

std::string TTransList::AccountName(const TTransRec& t) {
    return t.BookRec ? t.BookRec->Name.Str() : std::string();
}

std::string TTransList::NetText(const TTransRec& t, const TDisplayFormats& formats) {
    return formats.MoneyText(t.Net());
}

std::string TTransList::GrossText(const TTransRec& t, const TDisplayFormats& formats) {
    return formats.MoneyText(t.Amount);
}

std::string TTransList::ColumnText(const TTransRec& t, int column, const TDisplayFormats& formats) const {
    switch (column) {
    case 0:
        return TransNumberText(t.Number, t.Split);
    case 1:
        return formats.DateText(t.Date);
    case 2:
        return t.Reference.Str();
    case 3:
        return std::to_string(t.MainAct);
    case 4:
        switch (t.Kind) {
        case TransOpening:
            return "Opening Balance";
        case TransTo:
            return "Transfer To";
        case TransFrom:
            return "Transfer From";
        default:
            return t.MainActRec ? t.MainActRec->Name.Str() : std::string();
        }
    case 5:
        return SubActNumberText(t.MainAct, t.SubAct);
    case 6:
        if (t.Kind == TransOpening)
            return AccountName(t);
        if (t.IsTransfer())
            return t.OtherBookRec ? t.OtherBookRec->Name.Str() : std::string();
        return t.SubActRec ? t.SubActRec->Name.Str() : std::string();
    case 7:
        return GroupNumberText(t.Group);
    case 8:
        return t.IsOrdinary() && t.GroupRec ? t.GroupRec->Name.Str() : std::string();
    case 9:
        if (t.Kind == TransCredit || t.Kind == TransFrom || (t.Kind == TransOpening && t.Amount >= Money()))
            return formats.MoneyText(t.Amount);
        return {};
    case 10:
        if (t.Kind == TransDebit || t.Kind == TransTo)
            return formats.MoneyText(t.Amount);
        if (t.Kind == TransOpening && t.Amount < Money())
            return formats.MoneyText(-t.Amount);
        return {};
    case 11:
        return Counts(t) ? formats.MoneyText(t.Balance) : std::string();
    case 12:
        return t.Notes;
    default:
        return {};
    }
}

void TTransferList::Build(const TTransList& transList) {
    Pairs.clear();
    std::unordered_map<std::int32_t, TTransRec*> incoming;
    for (TTransRec* t : transList.KeyList)
        if (t->Kind == TransFrom)
            incoming.emplace(t->Number, t); // the first with the number wins
    for (TTransRec* t : transList.KeyList) {
        if (t->Kind != TransTo)
            continue;
        auto partner = incoming.find(t->MainAct);
        Pairs.push_back({t, partner == incoming.end() ? nullptr : partner->second});
    }
}

const TTransferRec* TTransferList::Item(std::int32_t index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return &Pairs[static_cast<std::size_t>(index)];
}

} // namespace qz
