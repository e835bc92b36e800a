#include "AssetsReport.h"

#include "ReportLayout.h"
#include "ReportSections.h"
#include "engine/Engine.h"

#include <unordered_map>
#include <utility>

namespace qz {

namespace {

// An account's line adds only what the total under it adds: the transactions shown for the
// period that count in the view totals. An unreconciled one the worksheet leaves out of its
// totals is left out of its account's line too, so the lines add up to "TOTAL ACTUAL FUNDS".
std::unordered_map<std::int32_t, std::pair<Money, Money>> ShownAccountTotals(const TLedger& ledger) {
    std::unordered_map<std::int32_t, std::pair<Money, Money>> totals;
    const TTransList& list = ledger.TransList;
    for (const TTransRec* t : list.KeyList) {
        if (!list.InViewTotals(*t))
            continue;
        auto& [credit, debit] = totals[t->Book];
        AddToAccountTotals(*t, true, credit, debit);
    }
    return totals;
}

} // namespace

TAssetsFigures AssetsFigures(const TLedger& ledger) {
    TAssetsFigures f;
    // A purchase is a debit of the asset types: it counts positive, a sale negative.
    f.TotalAssetValue = -ledger.CatList.SectionNet(KindAssets);
    f.TotalFunds = ledger.CatList.SectionNet(KindFunds);
    const auto totals = ShownAccountTotals(ledger);
    for (const TBookRec* book : ledger.BookList.KeyList) {
        if (!book->Selected)
            continue;
        Money balance;
        if (auto found = totals.find(book->Number); found != totals.end())
            balance = found->second.first - found->second.second;
        f.Accounts.push_back({book, balance});
    }
    f.TotalActualFunds = ledger.TransList.CreditTotal - ledger.TransList.DebitTotal;
    return f;
}

TReport AssetsReport(const TLedger& ledger, const TFileSettings& settings, const TReportOptions& options,
                     const TDisplayFormats& formats) {
    TReport report;
    report.Name = "assets";
    report.FooterShowsPageCount = true;
    AddTitleBlock(report, "Assets Purchased and Sold", settings.BusinessName, settings.BusinessNumber, options);
    const TAssetsFigures f = AssetsFigures(ledger);
    const std::vector<const TCatRec*> types = ReportTypeOrder(ledger.CatList);
    const TTypeSections sections(ledger, options, formats);
    auto band = [&report, &formats](std::string label, const Money* amount = nullptr) {
        TReportLine& line = AddLine(report, std::move(label), amount ? formats.MoneyText(*amount) : std::string(), 4, 4,
                                    true, GreyBand);
        // A group's heading stays with its first line.
        line.KeepWithNext = amount == nullptr;
    };

    band("ASSETS");
    sections.Add(report, types, [](const TCatRec& type) { return type.Kind == KindAssets; });
    band("TOTAL ASSET VALUE", &f.TotalAssetValue);
    band("CAPITAL FUNDS");
    sections.Add(report, types, [](const TCatRec& type) { return type.Kind == KindFunds; });
    band("TOTAL FUNDS", &f.TotalFunds);
    band("ACTUAL FUNDS");
    for (const TAccountBalance& account : f.Accounts)
        AddLine(report, std::string(account.Account->Name.View()), formats.MoneyText(account.Balance), 7, 16);
    band("TOTAL ACTUAL FUNDS", &f.TotalActualFunds);
    return report;
}

} // namespace qz
