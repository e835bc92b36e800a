#include "ReportSections.h"

#include "ReportLayout.h"

#include <algorithm>

namespace qz {

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

TTypeSections::TTypeSections(const TLedger& ledger, const TReportOptions& options, const TDisplayFormats& formats)
    : Options(options), Formats(formats), Categories(ReportCategoryOrder(ledger.MainActList, options.SortByNumber)) {
    for (const TSubActRec* sub : ReportSubCategoryOrder(ledger.SubActList, options.SortByNumber))
        SubsOf[sub->MainAct].push_back(sub);
}

void TTypeSections::Add(TReport& report, const std::vector<const TCatRec*>& types,
                        const std::function<bool(const TCatRec&)>& include) const {
    bool first = true;
    for (const TCatRec* type : types) {
        if (!include(*type))
            continue;
        if (!first)
            AddLine(report, std::string(), std::string(), 0, 0);
        first = false;
        AddSection(report, *type);
    }
}

void TTypeSections::AddSection(TReport& report, const TCatRec& type) const {
    const std::string name = UpperCase1252(type.Name.View());
    AddSectionLine(report, name, std::string(), 4, 4);
    for (const TMainActRec* category : Categories)
        if (category->CatType == type.Number && Listed(category->Total, category->Selected))
            AddCategory(report, *category);
    AddSectionLine(report, "TOTAL " + name, Formats.MoneyText(type.Total), 4, 4);
}

void TTypeSections::AddCategory(TReport& report, const TMainActRec& category) const {
    const std::string display = ReportDisplayName(category.Name.View(), std::to_string(category.Number), Options);
    if (!Options.Detailed) {
        AddSectionLine(report, display, Formats.MoneyText(category.Total), 7, 16);
        return;
    }
    AddSectionLine(report, display, std::string(), 7, 16);
    if (auto subs = SubsOf.find(category.Number); subs != SubsOf.end())
        for (const TSubActRec* sub : subs->second)
            if (Listed(sub->Total, sub->Selected))
                AddSectionLine(report, ReportDisplayName(sub->Name.View(), sub->NumberText(), Options),
                               Formats.MoneyText(sub->Total), 10, 16);
    AddSectionLine(report, "Total " + std::string(category.Name.View()), Formats.MoneyText(category.Total), 7, 16);
}

void TTypeSections::AddSectionLine(TReport& report, std::string label, std::string amount, int indent1,
                                   int indent2) const {
    TReportLine& line = AddLine(report, std::move(label), std::move(amount), indent1, indent2);
    line.TotalLine = indent2 == 16 && line.Label.compare(0, 5, "Total") == 0;
}

bool TTypeSections::Listed(Money total, std::uint8_t selected) const {
    return selected == 1 && (Options.ShowZero || total > Money());
}

} // namespace qz
