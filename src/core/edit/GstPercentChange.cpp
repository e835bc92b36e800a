#include "GstPercentChange.h"

namespace qz {

namespace {

bool OfTaxCategory(const TSubActRec& sub, const TFileSettings& settings) {
    return sub.MainAct == settings.GstPaymentCat || sub.MainAct == settings.GstRefundCat;
}

} // namespace

std::vector<TPercentGroup> GstPercentGroups(const TLedger& ledger, const TFileSettings& settings) {
    std::vector<TPercentGroup> groups;
    for (const TSubActRec* sub : ledger.SubActList.KeyList) {
        if (OfTaxCategory(*sub, settings))
            continue;
        auto it = std::find_if(groups.begin(), groups.end(),
                               [&](const TPercentGroup& group) { return group.Percent == sub->GstPercent; });
        if (it == groups.end())
            groups.push_back({sub->GstPercent, 1});
        else
            ++it->Count;
    }
    return groups;
}

std::string PercentGroupText(const TPercentGroup& group, const TDisplayFormats& formats) {
    return std::to_string(group.Count) + " Sub Categories @ " +
           formats.PercentText(group.Percent, PercentPattern::Leading0);
}

std::string WithTaxName(std::string text, const std::string& taxName) {
    for (std::size_t at = text.find("GST"); at != std::string::npos; at = text.find("GST", at + taxName.size()))
        text.replace(at, 3, taxName);
    return text;
}

std::int32_t ChangeGstPercent(TFileManager& files, TLedger& ledger, Money from, Money to) {
    TChangeGroup group(files);
    std::int32_t changed = 0;
    for (std::int32_t i = 0; i < ledger.SubActList.Count(); ++i) {
        TSubActRec* sub = ledger.SubActList.Items(i);
        if (OfTaxCategory(*sub, files.Settings) || sub->GstPercent != from)
            continue;
        sub->GstPercent = to;
        ledger.SubActList.Changed(i);
        ++changed;
    }
    return group.End() ? changed : -1;
}

} // namespace qz
