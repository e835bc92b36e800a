#include "TaxSettings.h"

#include <algorithm>

namespace qz {

namespace {

TMainActRec* PaymentsCategory(const TLedger& ledger, const TFileSettings& settings) {
    return ledger.MainActList.FindByNumber(settings.GstPaymentCat);
}

} // namespace

std::string TaxNameOf(TTaxTracking tracking) {
    switch (tracking) {
    case TTaxTracking::Gst:
        return "GST";
    case TTaxTracking::Vat:
        return "VAT";
    case TTaxTracking::Off:
    default:
        return "GST/VAT";
    }
}

TTaxEdit TaxEditOf(const TLedger& ledger, const TFileSettings& settings) {
    TTaxEdit edit;
    edit.Tracking = !settings.TaxOn             ? TTaxTracking::Off
                    : settings.TaxName == "VAT" ? TTaxTracking::Vat
                                                : TTaxTracking::Gst;
    edit.Percent = settings.GstPercent;
    if (const TMainActRec* payments = PaymentsCategory(ledger, settings))
        edit.CategoryName = payments->Name.Str();
    edit.OpeningBalance = settings.GstOpeningBalance;
    return edit;
}

bool TaxCategoriesInUse(const TLedger& ledger, const TFileSettings& settings) {
    return std::any_of(ledger.TransList.KeyList.begin(), ledger.TransList.KeyList.end(), [&](const TTransRec* t) {
        return t->IsOrdinary() && (t->MainAct == settings.GstPaymentCat || t->MainAct == settings.GstRefundCat);
    });
}

std::string TaxSwitchOffRefusedText(const std::string& taxName) {
    const std::string& t = taxName;
    return t + " can't be switched off in this file because " + "there are Transactions using the " + t +
           " payment/refund Categories.  " + "To be able to switch " + t + " off in this file all Transactions " +
           "using the " + t + " payment Category must be deleted or changed.";
}

std::string TaxSwitchOffQuestionText(const std::string& taxName) {
    const std::string& t = taxName;
    return "If you switch " + t + " off in for this file " + "the Transactions will be converted to non " + t +
           " Transactions.  " + "This means " + t +
           " related data stored in the Transactions will be lost.  Do you still want to continue?";
}

bool TaxSettingsChanged(const TTaxEdit& edit, const TLedger& ledger, const TFileSettings& settings) {
    const bool tracking = edit.Tracking != TTaxTracking::Off;
    if (!tracking && settings.TaxOn)
        return true;
    if (tracking && settings.TaxName != TaxNameOf(edit.Tracking))
        return true;
    if (tracking && edit.Percent != settings.GstPercent)
        return true;
    const TMainActRec* payments = PaymentsCategory(ledger, settings);
    if (edit.CategoryName != (payments ? payments->Name.Str() : std::string()))
        return true;
    return edit.OpeningBalance != settings.GstOpeningBalance;
}

std::string TaxCategoryRenameRefusal(const std::string& name, const TLedger& ledger) {
    if (name.empty())
        return "The name you have entered is not valid";
    if (ledger.MainActList.NumberOfName(name, SideDebit) != -1)
        return "The name you have chosen is already being used by a Category.  Please choose a different name.";
    return {};
}

bool ApplyTaxSettings(TFileManager& files, TLedger& ledger, const TTaxEdit& edit) {
    TChangeGroup group(files);
    TFileSettings& settings = files.Settings;
    const bool tracking = edit.Tracking != TTaxTracking::Off;
    settings.TaxOn = tracking ? 1 : 0;
    settings.TaxName = tracking ? TaxNameOf(edit.Tracking) : std::string();
    if (tracking)
        settings.GstPercent = edit.Percent;
    const std::int32_t type = ledger.CatList.SetSystemTypeName(TaxNameOf(edit.Tracking));
    if (type < ledger.CatList.Count() && ledger.CatList.Items(type)->Kind == KindGstSystem)
        ledger.CatList.Changed(type);
    const std::string name = edit.CategoryName.substr(0, decltype(TMainActRec::Name)::Capacity);
    for (const std::int32_t number : {settings.GstPaymentCat, settings.GstRefundCat}) {
        const std::int32_t index = ledger.MainActList.IndexOfNumber(number);
        if (index < 0)
            continue;
        ledger.MainActList.Items(index)->Name = name;
        ledger.MainActList.Changed(index);
    }
    settings.GstOpeningBalance = edit.OpeningBalance;
    files.WriteSettings();
    return group.End();
}

} // namespace qz
