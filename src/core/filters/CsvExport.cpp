#include "CsvExport.h"

#include "ExportText.h"
#include "ledger/Cp1252.h"

#include <array>

namespace qz {

const char* TransKindText(std::uint8_t kind) {
    switch (kind) {
    case TransCredit:
        return "Credit";
    case TransDebit:
        return "Debit";
    case TransOpening:
        return "Opening Balance";
    case TransFrom:
        return "Transfer From";
    case TransTo:
        return "Transfer To";
    default:
        return "Unknown";
    }
}

namespace {

constexpr std::array<const char*, 18> Header = {
    "Number",    "Split",      "Date",          "Kind",         "Account",
    "Reference", "Category",   "Category Name", "Sub Category", "Sub Category Name",
    "Group",     "Group Name", "Other Account", "Credit",       "Debit",
    "Tax",       "Reconciled", "Notes"};

// The worksheet's columns: an overdrawn opening balance stands under debit, negated.
bool InCreditColumn(const TTransRec& t) {
    return t.Kind == TransCredit || t.Kind == TransFrom || (t.Kind == TransOpening && t.Amount >= Money());
}

std::array<std::string, 18> Fields(const TTransRec& t) {
    const bool ordinary = t.IsOrdinary();
    const bool credit = InCreditColumn(t);
    return {std::to_string(t.Number),
            t.Split == '0' ? std::string() : std::string(1, t.Split),
            IsoDateText(t.Date),
            TransKindText(t.Kind),
            t.BookRec ? t.BookRec->Name.Str() : std::string(),
            t.Reference.Str(),
            ordinary ? std::to_string(t.MainAct) : std::string(),
            ordinary && t.MainActRec ? t.MainActRec->Name.Str() : std::string(),
            ordinary ? std::to_string(t.SubAct) : std::string(),
            ordinary && t.SubActRec ? t.SubActRec->Name.Str() : std::string(),
            ordinary ? std::to_string(t.Group) : std::string(),
            ordinary && t.GroupRec ? t.GroupRec->Name.Str() : std::string(),
            t.IsTransfer() && t.OtherBookRec ? t.OtherBookRec->Name.Str() : std::string(),
            credit ? PlainAmount(t.Amount) : std::string(),
            credit ? std::string() : PlainAmount(t.Amount.Abs()),
            ordinary ? PlainAmount(t.Gst) : std::string(),
            t.Reconciled ? "yes" : "no",
            t.Notes};
}

void WriteLine(std::ostream& out, const std::array<std::string, 18>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        line += CsvField(Cp1252ToUtf8(fields[i]));
    }
    line += "\r\n";
    out << line;
}

} // namespace

void ExportCsv(const TLedger& ledger, std::ostream& out) {
    std::array<std::string, 18> header;
    for (std::size_t i = 0; i < Header.size(); ++i)
        header[i] = Header[i];
    WriteLine(out, header);
    for (const TTransRec* t : ledger.TransList.KeyList)
        WriteLine(out, Fields(*t));
}

} // namespace qz
