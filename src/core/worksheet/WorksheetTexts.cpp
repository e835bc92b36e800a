// The cell texts of the five views, one row per call, straight from the records and the
// totals the engine left in them.

#include "Worksheet.h"

#include "ledger/NumberTexts.h"

namespace qz {

namespace {

constexpr int TransactionSlots = 13;
constexpr int BalanceSlot = 11;

// Slots no column of the view shows are empty, so a text of another view never lingers.
void ClearFrom(std::vector<std::string>& slots, std::size_t first) {
    for (std::size_t slot = first; slot < slots.size(); ++slot)
        slots[slot].clear();
}

} // namespace

bool TWorksheet::ShowsBalance(const TTransRec& t) const {
    const TGridInfo& info = GridInfo[ViewTransactions];
    // The running balance follows date order: any other order, or the reverse, would show
    // balances out of step with the rows around them.
    if (info.SortIndex != 1 || info.SortDirection != sdAscending)
        return false;
    if (Opts.BalanceEndDay && !t.DayEnd)
        return false;
    return t.Reconciled || Opts.IncludeDisabledInCalc;
}

void TWorksheet::GridB1GetText(std::int32_t line, std::vector<std::string>& slots, bool& enabled,
                               std::uint8_t& rowType) const {
    if (slots.size() < static_cast<std::size_t>(GridMaxCols))
        slots.resize(static_cast<std::size_t>(GridMaxCols));
    const std::int32_t row = ListRow(Tab, line);
    const void* record = nullptr;
    switch (row < 0 ? -1 : Tab) {
    case ViewTransactions:
        if (const TTransRec* t = Ledger.TransList.RowItem(row)) {
            TransactionTexts(*t, slots);
            enabled = t->Reconciled != 0;
            rowType = t->Kind == TransOpening ? 1 : t->IsTransfer() ? 2 : 0;
            return;
        }
        break;
    case ViewCategories:
        if (const TMainActRec* c = Ledger.MainActList.RowItem(row)) {
            CategoryTexts(*c, slots);
            record = c;
        }
        break;
    case ViewSubCategories:
        if (const TSubActRec* s = Ledger.SubActList.RowItem(row)) {
            SubCategoryTexts(*s, slots);
            record = s;
        }
        break;
    case ViewGroups:
        if (const TGroupRec* g = Ledger.GroupList.RowItem(row)) {
            GroupTexts(*g, slots);
            record = g;
        }
        break;
    case ViewSummary:
        if (const TCatRec* type = Ledger.CatList.RowItem(row)) {
            CategoryTypeTexts(*type, slots);
            record = type;
        }
        break;
    default:
        break;
    }
    if (!record) {
        slots[0] = "-1"; // beyond the rows: nothing else changes
        return;
    }
    enabled = true;
    rowType = 0;
}

void TWorksheet::TransactionTexts(const TTransRec& t, std::vector<std::string>& slots) const {
    const TTransList& list = Ledger.TransList;
    for (int slot = 0; slot < TransactionSlots; ++slot)
        if (slot != BalanceSlot)
            slots[slot] = list.ColumnText(t, slot, Formats);
    if (ShowsBalance(t))
        slots[BalanceSlot] = Formats.MoneyText(t.Balance);
    else
        slots[BalanceSlot].clear();
    ClearFrom(slots, TransactionSlots);
}

void TWorksheet::CategoryTexts(const TMainActRec& c, std::vector<std::string>& slots) const {
    const TMainActList& list = Ledger.MainActList;
    slots[0] = std::to_string(c.Number);
    slots[1] = c.Name.View();
    slots[2] = list.MoneyText(c, SideCredit, Formats);
    slots[3] = list.MoneyText(c, SideDebit, Formats);
    slots[4] = list.PercentText(c, Formats);
    ClearFrom(slots, 5);
}

void TWorksheet::SubCategoryTexts(const TSubActRec& s, std::vector<std::string>& slots) const {
    const TSubActList& list = Ledger.SubActList;
    slots[0] = list.CategoryName(s);
    slots[1] = s.NumberText();
    slots[2] = s.Name.View();
    slots[3] = list.MoneyText(s, SideCredit, Formats);
    slots[4] = list.MoneyText(s, SideDebit, Formats);
    slots[5] = list.PercentText(s, Formats);
    ClearFrom(slots, 6);
}

void TWorksheet::GroupTexts(const TGroupRec& g, std::vector<std::string>& slots) const {
    const TGroupList& list = Ledger.GroupList;
    slots[0] = g.NumberText();
    slots[1] = g.Name.View();
    slots[2] = list.CreditText(g, Formats);
    slots[3] = list.DebitText(g, Formats);
    slots[4] = list.NetText(g, Formats);
    slots[5] = list.CreditPercentText(g, Formats);
    slots[6] = list.DebitPercentText(g, Formats);
    ClearFrom(slots, 7);
}

void TWorksheet::CategoryTypeTexts(const TCatRec& type, std::vector<std::string>& slots) const {
    const TCatList& list = Ledger.CatList;
    slots[0] = type.Name.View();
    slots[1] = list.MoneyText(type, SideCredit, Formats);
    slots[2] = list.MoneyText(type, SideDebit, Formats);
    slots[3] = list.PercentText(type, list.SideTotal(type.Side), Formats);
    ClearFrom(slots, 4);
}

} // namespace qz
