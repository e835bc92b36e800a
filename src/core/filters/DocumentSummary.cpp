#include "DocumentSummary.h"

#include "ExportText.h"
#include "engine/Engine.h"

#include <algorithm>

namespace qz {

namespace {

std::string PadRight(std::string text, std::size_t width) {
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

std::string PadLeft(const std::string& text, std::size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

// One line whatever the document's texts hold: line breaks and other control characters
// become blanks.
std::string Field(const char* label, const std::string& value) {
    return PadRight(label, 13) + OneLine(value) + "\n";
}

std::string TaxText(const TFileSettings& settings, const TDisplayFormats& formats) {
    if (!settings.TaxOn)
        return "not tracked";
    std::string text = (settings.TaxName.empty() ? std::string("GST/VAT") : settings.TaxName) + " tracked at " +
                       formats.PercentText(settings.GstPercent, PercentPattern::Grouped);
    text += "; payments category " +
            (settings.GstPaymentCat < 0 ? std::string("none") : std::to_string(settings.GstPaymentCat));
    text += ", refunds category " +
            (settings.GstRefundCat < 0 ? std::string("none") : std::to_string(settings.GstRefundCat));
    text += "; opening balance " + formats.MoneyText(settings.GstOpeningBalance);
    return text;
}

std::string ProtectionText(const TFileSettings& s) {
    if (s.Password.empty())
        return "none";
    const std::pair<std::uint8_t, const char*> areas[] = {{s.ProtectOpen, "opening"},
                                                          {s.ProtectDelete, "deleting"},
                                                          {s.ProtectAdd, "adding"},
                                                          {s.ProtectEdit, "editing"},
                                                          {s.ProtectReports, "reports"},
                                                          {s.ProtectPrint, "printing"},
                                                          {s.ProtectWorksheet, "worksheet settings"}};
    std::string guarded;
    for (const auto& [on, name] : areas)
        if (on)
            guarded += (guarded.empty() ? "" : ", ") + std::string(name);
    return "set, guarding " + (guarded.empty() ? std::string("nothing") : guarded);
}

std::string StreamLines(const TDocumentSummary& summary) {
    // Built by appending: GCC 12 gives a false -Wrestrict alarm on `"\n" + text`.
    std::string text(1, '\n');
    text += PadRight("Stream", 14) + PadLeft("Live", 10) + PadLeft("Deleted", 10) + PadLeft("Counted", 10) + "\n";
    for (int i = 0; i < 6; ++i) {
        const TStreamTally& tally = summary.Streams[static_cast<std::size_t>(i)];
        text += PadRight(RecordStreamNames[i], 14);
        if (!tally.Present) {
            text += PadLeft("(none)", 10) + "\n";
            continue;
        }
        text += PadLeft(std::to_string(tally.Live), 10) + PadLeft(std::to_string(tally.Deleted), 10) +
                PadLeft(tally.Counted < 0 ? std::string("-") : std::to_string(tally.Counted), 10) + "\n";
    }
    return text;
}

std::string AccountLines(const TDocumentSummary& summary, const TDisplayFormats& formats) {
    if (summary.Generation == TGeneration::Version1)
        return "\nAccounts     one, made when the document is converted; opening balance " +
               formats.MoneyText(summary.Version1OpeningBalance) + "\n";
    std::size_t nameWidth = 4;
    for (const TAccountSummary& a : summary.Accounts)
        nameWidth = std::max(nameWidth, a.Name.size());
    std::string text(1, '\n');
    text += PadLeft("No.", 5) + "  " + PadRight("Account", nameWidth) + PadLeft("Opening", 16) +
            PadLeft("Balance", 16) + "\n";
    for (const TAccountSummary& a : summary.Accounts)
        text += PadLeft(std::to_string(a.Number), 5) + "  " + PadRight(a.Name, nameWidth) +
                PadLeft(formats.MoneyText(a.OpeningBalance), 16) + PadLeft(formats.MoneyText(a.Balance), 16) + "\n";
    if (summary.Accounts.empty())
        text += "  (no accounts)\n";
    return text;
}

} // namespace

bool SummariseDocument(TDocumentReader& reader, TLedger& ledger, TDocumentSummary& summary, std::string& error) {
    summary = TDocumentSummary{};
    summary.Generation = reader.Generation();
    summary.Settings = reader.Settings();
    summary.Comment = reader.Comment();
    summary.Version1OpeningBalance = reader.Version1OpeningBalance();
    if (!reader.Tally(summary.Streams, error) || !reader.Load(ledger, error))
        return false;
    TTransList& list = ledger.TransList;
    summary.HasTransactions = list.Count() > 0;
    if (summary.HasTransactions) {
        // Every transaction gets a row: the account totals are then the balances over all of them.
        list.ResetRange(2);
        list.FilterAndTotal();
        summary.FirstDate = list.DateFrom;
        summary.LastDate = list.DateTo;
    }
    AccountTotals(ledger, true);
    for (const TBookRec* book : ledger.BookList.KeyList) {
        Money opening;
        for (const TTransRec* t : list.KeyList)
            if (t->Kind == TransOpening && t->Book == book->Number)
                opening = t->Amount;
        summary.Accounts.push_back({book->Number, OneLine(book->Name.Str()), opening, book->Balance()});
    }
    return true;
}

std::string SummaryText(const TDocumentSummary& summary, const TDisplayFormats& formats) {
    const TFileSettings& s = summary.Settings;
    std::string text;
    text += Field("Generation", std::string(GenerationText(summary.Generation)) + " (counts stream \"" +
                                    CountsStreamNameOf(summary.Generation) + "\")");
    text += Field("Business", s.BusinessName);
    text += Field("Number", s.BusinessNumber);
    text += Field("Tax", TaxText(s, formats));
    text += Field("Password", ProtectionText(s));
    if (s.IsExample)
        text += Field("Example", s.ExampleDescFile.empty() ? std::string("yes") : s.ExampleDescFile);
    text += Field("Comment", summary.Comment);
    text +=
        Field("Dates", summary.HasTransactions ? IsoDateText(summary.FirstDate) + " to " + IsoDateText(summary.LastDate)
                                               : std::string("no transactions"));
    text += StreamLines(summary);
    text += AccountLines(summary, formats);
    return text;
}

} // namespace qz
