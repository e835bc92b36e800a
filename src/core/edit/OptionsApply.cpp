#include "OptionsApply.h"

#include <algorithm>
#include <cctype>

namespace qz {

namespace {

constexpr const char* ReadOnlyOptionsText =
    "Some of the options for this file have been changed.  Because this file is in read only mode they have not been "
    "saved.  To save, you must save this file using the Save As command from the File menu.";

// The protections in the page's order, as the document's fields.
std::array<std::uint8_t TFileSettings::*, 7> ProtectionFields() {
    return {&TFileSettings::ProtectOpen, &TFileSettings::ProtectDelete,    &TFileSettings::ProtectAdd,
            &TFileSettings::ProtectEdit, &TFileSettings::ProtectWorksheet, &TFileSettings::ProtectReports,
            &TFileSettings::ProtectPrint};
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return text;
}

// Step 7 and 9: each option written as the window's rules say, always or only when changed.
void WriteUserOptions(const TOptionsEdit& edit, TOptionsManager& options, TOptionsOutcome& out) {
    auto writeWhenChanged = [&](int option) {
        const bool changed = options.ReadOption(option) != edit.Options[static_cast<std::size_t>(option)];
        if (changed)
            options.WriteOption(option, edit.Options[static_cast<std::size_t>(option)]);
        return changed;
    };
    writeWhenChanged(OptNewTransDate);
    for (int option : {OptOpenToLast, OptAutoBak, OptShowWelcome})
        options.WriteOption(option, edit.Options[static_cast<std::size_t>(option)]);
    writeWhenChanged(OptNewTransDisabled);
    if (writeWhenChanged(OptBalanceEndDay))
        out.RecalculationNeeded = true;
    for (int option : {OptShowActNoinTrans, OptPrintFilename, OptPrintDate, OptPrintBisName, OptPrintBisNumber})
        writeWhenChanged(option);
}

} // namespace

TProtections ProtectionsOf(const TFileSettings& settings) {
    TProtections protections{};
    const auto fields = ProtectionFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        protections[i] = settings.*fields[i] != 0;
    return protections;
}

bool CanClearPassword(const std::string& password, const TProtections& protections) {
    return !password.empty() && std::none_of(protections.begin(), protections.end(), [](bool on) { return on; });
}

std::string NewPasswordRefusal(const std::string& typed, const std::string& confirmed) {
    if (Lower(typed) != Lower(confirmed))
        return "New Password and Confirm Password don't match";
    if (typed.empty())
        return "Password not valid";
    if (typed.find(' ') != std::string::npos)
        return "Password can't contain spaces";
    return {};
}

TOptionsEdit OptionsEditOf(const TLedger& ledger, TFileManager& files, TOptionsManager& options) {
    TOptionsEdit edit;
    const TFileSettings& settings = files.Settings;
    edit.Password = settings.Password;
    edit.Protections = ProtectionsOf(settings);
    edit.Comments = files.Comment();
    edit.BusinessName = settings.BusinessName;
    edit.BusinessNumber = settings.BusinessNumber;
    edit.UseOpeningBalancesInSelections = ledger.Switches.UseOpeningBalancesInSelections;
    for (int option = 0; option < OptionCount; ++option)
        edit.Options[static_cast<std::size_t>(option)] = options.ReadOption(option);
    edit.Tax = TaxEditOf(ledger, settings);
    return edit;
}

TOptionsOutcome ApplyOptions(const TOptionsEdit& edit, TFileManager& files, TLedger& ledger, TOptionsManager& options,
                             Prompts& ask) {
    TOptionsOutcome out;
    TFileSettings& settings = files.Settings;
    TChangeGroup group(files);
    if (edit.Password.substr(0, 8) != settings.Password || edit.Protections != ProtectionsOf(settings)) {
        settings.Password = edit.Password.substr(0, 8);
        const auto fields = ProtectionFields();
        for (std::size_t i = 0; i < fields.size(); ++i)
            settings.*fields[i] = edit.Protections[i] ? 1 : 0;
        files.WriteSettings();
        out.DocumentSettingsChanged = true;
    }
    if (edit.CommentsEdited) {
        files.SetComment(edit.Comments.substr(0, 255));
        out.CommentsChanged = true;
    }
    if (edit.BusinessName != settings.BusinessName || edit.BusinessNumber != settings.BusinessNumber) {
        settings.BusinessName = edit.BusinessName.substr(0, 255);
        settings.BusinessNumber = edit.BusinessNumber.substr(0, 255);
        files.WriteSettings();
        out.DocumentSettingsChanged = true;
    }
    if (edit.UseOpeningBalancesInSelections != ledger.Switches.UseOpeningBalancesInSelections) {
        ledger.Switches.UseOpeningBalancesInSelections = edit.UseOpeningBalancesInSelections;
        out.RecalculationNeeded = true;
        out.OpeningBalancesSettingChanged = true;
    }
    WriteUserOptions(edit, options, out);
    files.AutoBackup = edit.Options[OptAutoBak];
    bool readOnlyTold = false;
    if ((out.DocumentSettingsChanged || out.CommentsChanged) && files.ReadOnlyMode) {
        ask.MessageBox(ReadOnlyOptionsText, MsgKind::Information, MsgButtons::Ok);
        readOnlyTold = true;
    }
    if (options.ReadOption(OptAutoCalcGST) != edit.Options[OptAutoCalcGST])
        options.WriteOption(OptAutoCalcGST, edit.Options[OptAutoCalcGST]);
    if (TaxSettingsChanged(edit.Tax, ledger, settings) &&
        ask.MessageBox("The GST/VAT settings have changed.  Do you want to keep the new settings?",
                       MsgKind::Confirmation, MsgButtons::YesNo) == MsgResult::Yes) {
        ApplyTaxSettings(files, ledger, edit.Tax);
        out.TaxChanged = true;
        out.DocumentSettingsChanged = true;
        if (edit.TaxOffAgreed)
            ask.MessageBox("You need to close and reopen your file to complete this operation", MsgKind::Warning,
                           MsgButtons::Ok);
    }
    // A commit that could not be made left the changes in memory only, as read-only mode does.
    if (!group.End() && !readOnlyTold)
        ask.MessageBox(ReadOnlyOptionsText, MsgKind::Information, MsgButtons::Ok);
    return out;
}

} // namespace qz
