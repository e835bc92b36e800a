// The totals rows of the five views and the tax summary panel of the Quick Summary view.

#include "Worksheet.h"

#include "engine/Engine.h"

namespace qz {

void TWorksheet::WriteTransactionTotals(TColumns& columns) const {
    const TTransList& list = Ledger.TransList;
    columns.SetTotalText(0, std::to_string(list.VisibleCount));
    columns.SetTotalText(9, Formats.MoneyText(list.CreditTotal));
    columns.SetTotalText(10, Formats.MoneyText(list.DebitTotal));
    // In date order the balance column ends at the closing balance; in any other order a
    // running balance means nothing, and the net of the shown rows takes its place.
    const bool byDate = GridInfo[ViewTransactions].SortIndex == 1;
    columns.SetTotalText(11, Formats.MoneyText(byDate ? list.ClosingBalance() : list.CreditTotal - list.DebitTotal));
}

bool TWorksheet::ReportsEnabled() const {
    // HasOrdinaryRows, by rows: under a date range the first rows lie behind every hidden
    // record of the view order, and the rows are found without walking past those.
    for (std::int32_t row = 0; row < Ledger.TransList.VisibleCount; ++row)
        if (const TTransRec* t = Ledger.TransList.RowItem(row); t && t->IsOrdinary())
            return true;
    return false;
}

void TWorksheet::WriteTotals(int view) {
    if (view < 0 || view >= ViewCount)
        return;
    TColumns& columns = GridInfo[view].ColInfo;
    switch (view) {
    case ViewTransactions:
        WriteTransactionTotals(columns);
        break;
    case ViewCategories:
        columns.SetTotalText(2, Formats.MoneyText(Ledger.MainActList.CreditTotal));
        columns.SetTotalText(3, Formats.MoneyText(Ledger.MainActList.DebitTotal));
        break;
    case ViewSubCategories:
        columns.SetTotalText(3, Formats.MoneyText(Ledger.SubActList.CreditTotal));
        columns.SetTotalText(4, Formats.MoneyText(Ledger.SubActList.DebitTotal));
        break;
    case ViewGroups: {
        const TGroupList& groups = Ledger.GroupList;
        columns.SetTotalText(2, Formats.MoneyText(groups.CreditTotal));
        columns.SetTotalText(3, Formats.MoneyText(groups.DebitTotal));
        columns.SetTotalText(4, Formats.MoneyText(groups.CreditTotal - groups.DebitTotal));
        break;
    }
    case ViewSummary:
        columns.SetTotalText(1, Formats.MoneyText(Ledger.CatList.CreditTotal));
        columns.SetTotalText(2, Formats.MoneyText(Ledger.CatList.DebitTotal));
        break;
    default:
        break;
    }
}

Money TWorksheet::CategoryTotal(std::int32_t number) const {
    const TMainActRec* category = number < 0 ? nullptr : Ledger.MainActList.FindByNumber(number);
    return category ? category->Total : Money();
}

// A tax balance brought forward means something only for the whole of the books: with a
// selection or some accounts left out, the panel shows the movement of the rows alone.
bool TWorksheet::SelectedTransactionsOnly() const {
    return Ledger.Switches.RowSelectionActive() || !AllAccountsSelected(Ledger);
}

TTaxSummary TWorksheet::TaxSummary() const {
    const TTransList& list = Ledger.TransList;
    TTaxSummary panel;
    panel.Title = Tax + " Summary";
    panel.SelectedTransactions = SelectedTransactionsOnly();
    panel.SelectedLabel = "Selected Transactions";
    panel.LabelWidthSample = "GST opening balance - dd/mmm/yyyy";
    panel.ValueWidthSample = Formats.MoneyText(Money::FromUnits(100000000));

    const Money nett = list.GstCreditTotal - list.GstDebitTotal;
    const Money paid = CategoryTotal(Ledger.GstPaymentCat) - CategoryTotal(Ledger.GstRefundCat);

    panel.Labels[1] = Tax + " collected from sales";
    panel.Values[1] = Formats.MoneyText(list.GstCreditTotal);
    panel.Labels[2] = Tax + " credits via purchases";
    panel.Values[2] = Formats.MoneyText(list.GstDebitTotal);
    panel.Labels[3] = "Nett " + Tax + " amount";
    panel.Values[3] = Formats.MoneyText(nett);
    panel.Labels[4] = Tax + " payments/refunds balance";
    panel.Values[4] = Formats.MoneyText(paid);
    panel.Labels[5] = Tax + " closing balance";
    if (panel.SelectedTransactions) {
        panel.Labels[0] = Tax + " opening balance";
        panel.Values[0] = "<not used>";
        panel.Values[5] = Formats.MoneyText(nett - paid);
    } else {
        const Money opening = GstBalanceAtRangeStart(Ledger);
        panel.Labels[0] = Tax + " opening balance - " + Formats.DateText(list.DateFrom);
        panel.Values[0] = Formats.MoneyText(opening);
        panel.Values[5] = Formats.MoneyText(opening + nett - paid);
    }
    return panel;
}

} // namespace qz
