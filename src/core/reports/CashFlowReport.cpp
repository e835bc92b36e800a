#include "CashFlowReport.h"

#include "ReportLayout.h"

namespace qz {

namespace {

Money CategoryTotal(const TLedger& ledger, std::int32_t number) {
    if (number < 0)
        return Money();
    const TMainActRec* category = ledger.MainActList.FindByNumber(number);
    return category ? category->Total : Money();
}

std::string SideHeading(const char* side, const TFileSettings& settings) {
    std::string text = side;
    if (settings.TaxOn)
        text += " (excluding " + settings.TaxName + ")";
    return text;
}

} // namespace

Money CashFlowOpeningBalance(const TLedger& ledger) {
    const TTransList& list = ledger.TransList;
    Money before;
    if (!ledger.Switches.RowSelectionActive()) {
        // The walk also ends after the period's last day, so that a period in which nothing is
        // shown does not bring forward the transactions that come after it. Opening balances
        // the date range hides inside the period are passed, and brought in.
        for (const TTransRec* t : list.KeyList) {
            if (t->InSelection == 0 || t->InSearch == 0)
                continue;
            if (t->Row != -1 || t->Date > list.DateTo)
                break;
            if (t->Kind == TransCredit || t->Kind == TransOpening || t->Kind == TransFrom)
                before += t->Amount;
            else
                before -= t->Amount;
        }
    }
    Money shownOpenings;
    for (const TTransRec* t : list.KeyList)
        if (t->Row != -1 && t->Kind == TransOpening)
            shownOpenings += t->Amount;
    return before + shownOpenings;
}

TCashFlowFigures CashFlowFigures(const TLedger& ledger) {
    TCashFlowFigures f;
    for (const TTransRec* t : ledger.TransList.KeyList) {
        if (t->Row == -1)
            continue;
        if (t->Kind == TransFrom)
            f.TransfersIn += t->Amount;
        else if (t->Kind == TransTo)
            f.TransfersOut += t->Amount;
    }
    const Money payments = CategoryTotal(ledger, ledger.GstPaymentCat);
    const Money refunds = CategoryTotal(ledger, ledger.GstRefundCat);
    f.TotalCredits = ledger.MainActList.CreditTotal + f.TransfersIn - refunds;
    f.TotalDebits = ledger.MainActList.DebitTotal + f.TransfersOut - payments;
    f.Surplus = f.TotalCredits - f.TotalDebits;
    f.OpeningBalance = CashFlowOpeningBalance(ledger);
    f.NettTax = ledger.TransList.GstCreditTotal - ledger.TransList.GstDebitTotal;
    f.PaymentsBalance = payments - refunds;
    f.ClosingBalance = f.Surplus + f.OpeningBalance + f.NettTax - f.PaymentsBalance;
    return f;
}

TReport CashFlowReport(const TLedger& ledger, const TFileSettings& settings, const TReportOptions& options,
                       const TDisplayFormats& formats) {
    TReport report;
    report.Name = "cashflow";
    AddTitleBlock(report, "Cash Flow Statement", settings.BusinessName, settings.BusinessNumber, options);
    const TCashFlowFigures f = CashFlowFigures(ledger);
    const std::vector<const TCatRec*> types = ReportTypeOrder(ledger.CatList);
    const TTypeSections sections(ledger, options, formats);
    auto credit = [](const TCatRec& type) { return type.Side == SideCredit; };
    auto money = [&formats](Money value) { return formats.MoneyText(value); };

    AddHeading(report, SideHeading("CREDITS", settings));
    sections.Add(report, types, credit);
    AddLine(report, "TRANSFERS", money(f.TransfersIn), 4, 4);
    AddLine(report, "TOTAL CREDITS", money(f.TotalCredits), 4, 4, true, LightBand);
    AddHeading(report, SideHeading("DEBITS", settings));
    sections.Add(report, types, [&credit](const TCatRec& type) { return !credit(type); });
    AddLine(report, "TRANSFERS", money(f.TransfersOut), 4, 4);
    AddLine(report, "TOTAL DEBITS", money(f.TotalDebits), 4, 4, true, LightBand);
    AddLine(report, "CASH SURPLUS/DEFICIT (CREDITS - DEBITS)", money(f.Surplus), 4, 4, true, GreyBand);
    AddLine(report, "+ OPENING BALANCE", money(f.OpeningBalance), 4, 4, true, GreyBand);
    if (settings.TaxOn) {
        AddLine(report, "+ NETT " + settings.TaxName, money(f.NettTax), 4, 4, true, GreyBand);
        AddLine(report, "- " + settings.TaxName + " PAYMENTS/REFUNDS BALANCE", money(f.PaymentsBalance), 4, 4, true,
                GreyBand);
    }
    AddLine(report, "= CLOSING BALANCE", money(f.ClosingBalance), 4, 4, true, GreyBand);
    return report;
}

} // namespace qz
