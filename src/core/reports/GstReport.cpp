#include "GstReport.h"

#include "ReportLayout.h"
#include "engine/Engine.h"

namespace qz {

namespace {

enum TGstTable : int { SalesTable, PurchasesTable, PaymentsTable, ZeroSalesTable, ZeroPurchasesTable };

bool InCategory(const TTransRec& t, std::int32_t category) {
    return category >= 0 && t.IsOrdinary() && t.MainAct == category;
}

Money CategoryTotal(const TLedger& ledger, std::int32_t number) {
    if (number < 0)
        return Money();
    const TMainActRec* category = ledger.MainActList.FindByNumber(number);
    return category ? category->Total : Money();
}

TReportColumn Column(std::string caption, double widthMm, TReportAlign align = TReportAlign::Left) {
    return TReportColumn{std::move(caption), widthMm, align};
}

std::vector<TReportTable> GstTables(const std::string& taxName, const std::string& currencySymbol) {
    const TReportColumn date = Column("Date", 20, TReportAlign::Centre);
    const TReportColumn ref = Column("Ref.", 18);
    const TReportColumn category = Column("Category", 35);
    const TReportColumn sub = Column("Sub Category", 35);
    const TReportColumn amount = Column("Amount", 22, TReportAlign::Right);
    const TReportColumn tax = Column(taxName + " " + currencySymbol, 22, TReportAlign::Right);
    TReportTable taxed{{date, ref, category, sub, amount, tax}, 10};
    TReportTable payments{{date, ref, Column("Kind", 20), amount}, 10};
    TReportTable untaxed{{date, ref, category, sub, amount}, 10};
    return {taxed, taxed, payments, untaxed, untaxed};
}

class GstWriter {
public:
    GstWriter(const TLedger& ledger, const TFileSettings& settings, const TReportOptions& options,
              const TDisplayFormats& formats, TReport& report)
        : Ledger(ledger), Tax(settings.TaxName), Options(options), Formats(formats), Report(report),
          Figures(GstFigures(ledger)) {}

    void Write() {
        if (Options.Detailed) {
            Lists = GstReportLists(Ledger);
            Report.Tables = GstTables(Tax, Formats.Money.Symbol());
            // A row for each listed transaction and a few lines around each table: reserved, so
            // that tens of thousands of rows are not moved again as the lines grow.
            Report.Lines.reserve(Report.Lines.size() + Lists.Sales.size() + Lists.Purchases.size() +
                                 Lists.Payments.size() + Lists.ZeroSales.size() + Lists.ZeroPurchases.size() + 32);
        }
        const bool detailed = Options.Detailed;
        if (Figures.OpeningUsed)
            Total(Tax + " OPENING BALANCE - " + Formats.DateText(Ledger.TransList.DateFrom), Figures.OpeningBalance,
                  detailed);
        Group(Tax + " COLLECTED FROM SALES", SalesTable, Lists.Sales, Figures.Collected > Money(), Figures.Collected);
        Total("TOTAL " + Tax + " COLLECTED FROM SALES", Figures.Collected, detailed);
        Group(Tax + " CREDITS VIA PURCHASES", PurchasesTable, Lists.Purchases, true, Figures.Paid);
        Total("TOTAL " + Tax + " CREDITS VIA PURCHASES", Figures.Paid, detailed);
        Total("NETT " + Tax + " AMOUNT", Figures.Nett, detailed);
        Group(Tax + " PAYMENTS/REFUNDS", PaymentsTable, Lists.Payments, true, Money());
        Total("TOTAL " + Tax + " PAYMENTS/REFUNDS", Figures.PaymentsBalance, detailed);
        Total(Tax + " CLOSING BALANCE", Figures.ClosingBalance, true);
        Group("ZERO " + Tax + " TRANSACTIONS - SALES", ZeroSalesTable, Lists.ZeroSales, true, Money());
        Total("TOTAL ZERO " + Tax + " TRANSACTIONS - SALES", Figures.ZeroSales, false);
        Group("ZERO " + Tax + " TRANSACTIONS - PURCHASES", ZeroPurchasesTable, Lists.ZeroPurchases, true, Money());
        Total("TOTAL ZERO " + Tax + " TRANSACTIONS - PURCHASES", Figures.ZeroPurchases, false);
    }

private:
    void Total(std::string label, Money amount, bool bold) {
        AddLine(Report, std::move(label), Formats.MoneyText(amount), 4, 4, bold, GreyBand);
    }

    // A group's heading, header row, rows and (for the taxed tables) footer row; nothing when
    // its list is empty.
    void Group(std::string heading, int table, const std::vector<const TTransRec*>& list, bool withHeader,
               Money taxTotal) {
        if (list.empty())
            return;
        AddHeading(Report, std::move(heading));
        if (withHeader)
            Add(TReportLineKind::Header, table, CellsOf(Report.Tables[static_cast<std::size_t>(table)]), true);
        Money amounts;
        for (const TTransRec* t : list) {
            Add(TReportLineKind::Row, table, RowCells(table, *t), false);
            amounts += t->Amount;
        }
        if (table == SalesTable || table == PurchasesTable) {
            std::vector<std::string> cells(6);
            cells[4] = Formats.MoneyText(amounts);
            cells[5] = Formats.MoneyText(taxTotal);
            Add(TReportLineKind::Footer, table, std::move(cells), true);
        }
    }

    static std::vector<std::string> CellsOf(const TReportTable& table) {
        std::vector<std::string> cells;
        for (const TReportColumn& column : table.Columns)
            cells.push_back(column.Caption);
        return cells;
    }

    std::vector<std::string> RowCells(int table, const TTransRec& t) {
        std::vector<std::string> cells;
        cells.reserve(6);
        cells.push_back(DateText(t.Date));
        cells.emplace_back(t.Reference.View());
        if (table == PaymentsTable) {
            const bool refund = t.Kind == TransCredit;
            cells.push_back(refund ? "Refund" : "Payment");
            cells.push_back(Formats.MoneyText(refund ? -t.Amount : t.Amount));
            return cells;
        }
        cells.emplace_back(t.MainActRec ? t.MainActRec->Name.View() : std::string_view());
        cells.emplace_back(t.SubActRec ? t.SubActRec->Name.View() : std::string_view());
        cells.push_back(Formats.MoneyText(t.Amount));
        if (table == SalesTable || table == PurchasesTable)
            cells.push_back(Formats.MoneyText(t.Amount - t.Net()));
        return cells;
    }

    // The lists are in date order: a day's text is made once for all its rows.
    const std::string& DateText(TDateTime date) {
        if (date != LastDate || LastDateText.empty()) {
            LastDate = date;
            LastDateText = Formats.DateText(date);
        }
        return LastDateText;
    }

    void Add(TReportLineKind kind, int table, std::vector<std::string> cells, bool bold) {
        TReportLine& line = Report.Lines.emplace_back();
        line.Kind = kind;
        line.Table = table;
        line.Cells = std::move(cells);
        line.Bold = bold;
        line.PointSize = 8;
    }

    const TLedger& Ledger;
    const std::string& Tax;
    const TReportOptions& Options;
    const TDisplayFormats& Formats;
    TReport& Report;
    TGstFigures Figures;
    TGstLists Lists;
    TDateTime LastDate = 0;
    std::string LastDateText;
};

} // namespace

TGstFigures GstFigures(const TLedger& ledger) {
    const TTransList& list = ledger.TransList;
    TGstFigures f;
    f.Collected = list.GstCreditTotal;
    f.Paid = list.GstDebitTotal;
    f.Nett = f.Collected - f.Paid;
    f.PaymentsBalance = CategoryTotal(ledger, ledger.GstPaymentCat) - CategoryTotal(ledger, ledger.GstRefundCat);
    f.OpeningUsed = !ledger.Switches.RowSelectionActive() && AllAccountsSelected(ledger);
    if (f.OpeningUsed)
        f.OpeningBalance = GstBalanceAtRangeStart(ledger);
    f.ClosingBalance = f.OpeningBalance + f.Nett - f.PaymentsBalance;
    for (const TTransRec* t : list.KeyList) {
        if (t->Row == -1 || !t->Gst.IsZero())
            continue;
        if (t->Kind == TransCredit && !InCategory(*t, ledger.GstRefundCat))
            f.ZeroSales += t->Amount;
        else if (t->Kind == TransDebit && !InCategory(*t, ledger.GstPaymentCat))
            f.ZeroPurchases += t->Amount;
    }
    return f;
}

TGstLists GstReportLists(const TLedger& ledger) {
    const TTransList& list = ledger.TransList;
    TGstLists lists;
    for (const TTransRec* t : list.KeyList) {
        if (t->Row == -1 || !list.Counts(*t) || !t->IsOrdinary())
            continue;
        const bool credit = t->Kind == TransCredit;
        if (InCategory(*t, ledger.GstPaymentCat) || InCategory(*t, ledger.GstRefundCat))
            lists.Payments.push_back(t);
        else if (t->Gst > Money())
            (credit ? lists.Sales : lists.Purchases).push_back(t);
        else if (t->Gst.IsZero())
            (credit ? lists.ZeroSales : lists.ZeroPurchases).push_back(t);
    }
    return lists;
}

double GstSalesTableWidthMm() {
    double width = 0;
    const std::vector<TReportTable> tables = GstTables("GST", "$");
    for (const TReportColumn& column : tables[SalesTable].Columns)
        width += column.WidthMm;
    return width;
}

bool GstPaperWideEnough(double printableWidthMm) {
    return printableWidthMm >= GstSalesTableWidthMm();
}

TReport GstReport(const TLedger& ledger, const TFileSettings& settings, const TReportOptions& options,
                  const TDisplayFormats& formats) {
    TReport report;
    report.Name = "gst";
    AddTitleBlock(report, settings.TaxName + " Report", settings.BusinessName, settings.BusinessNumber, options);
    GstWriter(ledger, settings, options, formats, report).Write();
    return report;
}

} // namespace qz
