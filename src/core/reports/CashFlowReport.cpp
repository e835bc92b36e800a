#include "CashFlowReport.h"

#include "ReportLayout.h"

#include <algorithm>
#include <unordered_map>

namespace qz {

namespace {

Money CategoryTotal(const TLedger& ledger, std::int32_t number) {
    if (number < 0)
        return Money();
    const TMainActRec* category = ledger.MainActList.FindByNumber(number);
    return category ? category->Total : Money();
}

bool Listed(Money total, std::uint8_t selected, const TReportOptions& options) {
    return selected == 1 && (options.ShowZero || total > Money());
}

// The lines of one category type's section, before the empty line that follows it.
class SectionWriter {
public:
    SectionWriter(const TLedger& ledger, const TReportOptions& options, const TDisplayFormats& formats, TReport& report)
        : Options(options), Formats(formats), Report(report),
          Categories(ReportCategoryOrder(ledger.MainActList, options.SortByNumber)) {
        for (const TSubActRec* sub : ReportSubCategoryOrder(ledger.SubActList, options.SortByNumber))
            SubsOf[sub->MainAct].push_back(sub);
    }

    void Write(const TCatRec& type) {
        const std::string name = UpperCase1252(type.Name.View());
        Add(name, std::string(), 4, 4);
        for (const TMainActRec* category : Categories)
            if (category->CatType == type.Number && Listed(category->Total, category->Selected, Options))
                WriteCategory(*category);
        Add("TOTAL " + name, Formats.MoneyText(type.Total), 4, 4);
    }

private:
    void WriteCategory(const TMainActRec& category) {
        const std::string display = ReportDisplayName(category.Name.View(), std::to_string(category.Number), Options);
        if (!Options.Detailed) {
            Add(display, Formats.MoneyText(category.Total), 7, 16);
            return;
        }
        Add(display, std::string(), 7, 16);
        if (auto subs = SubsOf.find(category.Number); subs != SubsOf.end())
            for (const TSubActRec* sub : subs->second)
                if (Listed(sub->Total, sub->Selected, Options))
                    Add(ReportDisplayName(sub->Name.View(), sub->NumberText(), Options), Formats.MoneyText(sub->Total),
                        10, 16);
        Add("Total " + std::string(category.Name.View()), Formats.MoneyText(category.Total), 7, 16);
    }

    void Add(std::string label, std::string amount, int indent1, int indent2) {
        TReportLine& line = AddLine(Report, std::move(label), std::move(amount), indent1, indent2);
        line.TotalLine = indent2 == 16 && line.Label.compare(0, 5, "Total") == 0;
    }

    const TReportOptions& Options;
    const TDisplayFormats& Formats;
    TReport& Report;
    std::vector<const TMainActRec*> Categories;
    std::unordered_map<std::int32_t, std::vector<const TSubActRec*>> SubsOf;
};

std::string SideHeading(const char* side, const TFileSettings& settings) {
    std::string text = side;
    if (settings.TaxOn)
        text += " (excluding " + settings.TaxName + ")";
    return text;
}

void WriteSide(SectionWriter& writer, const std::vector<const TCatRec*>& types, std::uint8_t side, TReport& report) {
    bool first = true;
    for (const TCatRec* type : types) {
        if ((type->Side == SideCredit) != (side == SideCredit))
            continue;
        if (!first)
            AddLine(report, std::string(), std::string(), 0, 0);
        first = false;
        writer.Write(*type);
    }
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

std::vector<const TCatRec*> ReportTypeOrder(const TCatList& types) {
    std::vector<const TCatRec*> order(types.KeyList.begin(), types.KeyList.end());
    std::stable_sort(order.begin(), order.end(), [](const TCatRec* a, const TCatRec* b) {
        if (a->Kind != b->Kind)
            return a->Kind < b->Kind;
        if (a->Side != b->Side)
            return a->Side < b->Side;
        return a->Name < b->Name;
    });
    return order;
}

std::vector<const TMainActRec*> ReportCategoryOrder(const TMainActList& categories, bool byNumber) {
    std::vector<const TMainActRec*> order(categories.KeyList.begin(), categories.KeyList.end());
    std::stable_sort(order.begin(), order.end(), [byNumber](const TMainActRec* a, const TMainActRec* b) {
        return byNumber ? a->Number < b->Number : a->Name < b->Name;
    });
    return order;
}

std::vector<const TSubActRec*> ReportSubCategoryOrder(const TSubActList& subs, bool byNumber) {
    std::vector<const TSubActRec*> order(subs.KeyList.begin(), subs.KeyList.end());
    std::stable_sort(order.begin(), order.end(), [byNumber](const TSubActRec* a, const TSubActRec* b) {
        if (byNumber)
            return a->MainAct != b->MainAct ? a->MainAct < b->MainAct : a->Number < b->Number;
        return a->Name < b->Name;
    });
    return order;
}

std::string ReportDisplayName(std::string_view name, const std::string& number, const TReportOptions& options) {
    if (!options.ShowNumbers)
        return std::string(name);
    if (options.SortByNumber)
        return number + "  " + std::string(name);
    std::string text = std::string(name) + "  ";
    if (text.size() > 42)
        text.resize(42);
    return text + number;
}

TReport CashFlowReport(const TLedger& ledger, const TFileSettings& settings, const TReportOptions& options,
                       const TDisplayFormats& formats) {
    TReport report;
    report.Name = "cashflow";
    AddTitleBlock(report, "Cash Flow Statement", settings.BusinessName, settings.BusinessNumber, options);
    const TCashFlowFigures f = CashFlowFigures(ledger);
    const std::vector<const TCatRec*> types = ReportTypeOrder(ledger.CatList);
    SectionWriter writer(ledger, options, formats, report);
    auto money = [&formats](Money value) { return formats.MoneyText(value); };

    AddHeading(report, SideHeading("CREDITS", settings));
    WriteSide(writer, types, SideCredit, report);
    AddLine(report, "TRANSFERS", money(f.TransfersIn), 4, 4);
    AddLine(report, "TOTAL CREDITS", money(f.TotalCredits), 4, 4, true, LightBand);
    AddHeading(report, SideHeading("DEBITS", settings));
    WriteSide(writer, types, SideDebit, report);
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
