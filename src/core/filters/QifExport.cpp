#include "QifExport.h"

#include "ExportText.h"
#include "ledger/Cp1252.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace qz {

namespace {

// QIF reads ':' as the step from a category to its sub category, '/' as the start of a
// class and '[' as a transfer.
std::string QifName(const std::string& name) {
    std::string text = OneLine(Cp1252ToUtf8(name));
    std::replace(text.begin(), text.end(), ':', '-');
    std::replace(text.begin(), text.end(), '/', '-');
    std::replace(text.begin(), text.end(), '[', '(');
    std::replace(text.begin(), text.end(), ']', ')');
    return text;
}

std::string QifDate(TDateTime date) {
    const CalendarDate day = DecodeDate(date);
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", day.Month, day.Day, day.Year);
    return text;
}

// Money in (+) or out (-) of the account.
Money SignedAmount(const TTransRec& t) {
    return t.Kind == TransDebit || t.Kind == TransTo ? -t.Amount : t.Amount;
}

// An account in brackets, as QIF names the other side of a transfer. Appending piece by
// piece keeps GCC 12's false -Wrestrict alarm on `"[" + text` away.
std::string Bracketed(const std::string& name) {
    std::string text(1, '[');
    text += QifName(name);
    text += ']';
    return text;
}

std::string CategoryOf(const TTransRec& t) {
    if (t.Kind == TransOpening)
        return Bracketed(t.BookRec ? t.BookRec->Name.Str() : std::string());
    if (t.IsTransfer())
        return Bracketed(t.OtherBookRec ? t.OtherBookRec->Name.Str() : std::string());
    std::string category = t.MainActRec ? QifName(t.MainActRec->Name.Str()) : std::to_string(t.MainAct);
    if (t.SubActRec) {
        category += ':';
        category += QifName(t.SubActRec->Name.Str());
    }
    return category;
}

void WriteCategories(const TLedger& ledger, std::ostream& out) {
    out << "!Type:Cat\n";
    for (const TMainActRec* c : ledger.MainActList.KeyList) {
        const char side = c->Side == SideCredit ? 'I' : 'E';
        out << 'N' << QifName(c->Name.Str()) << '\n' << side << "\n^\n";
        for (const TSubActRec* s : ledger.SubActList.KeyList)
            if (s->MainAct == c->Number)
                out << 'N' << QifName(c->Name.Str()) << ':' << QifName(s->Name.Str()) << '\n' << side << "\n^\n";
    }
}

// One entry: the first record and, for a split, its further parts.
void WriteEntry(const std::vector<const TTransRec*>& parts, std::ostream& out) {
    const TTransRec& first = *parts.front();
    Money total;
    for (const TTransRec* part : parts)
        total += SignedAmount(*part);
    out << 'D' << QifDate(first.Date) << '\n' << 'T' << PlainAmount(total) << '\n';
    out << 'C' << (first.Reconciled ? "X" : "") << '\n';
    if (!first.Reference.Empty())
        out << 'N' << OneLine(Cp1252ToUtf8(first.Reference.Str())) << '\n';
    if (first.Kind == TransOpening)
        out << "POpening Balance\n";
    if (!first.Notes.empty())
        out << 'M' << OneLine(Cp1252ToUtf8(first.Notes)) << '\n';
    out << 'L' << CategoryOf(first) << '\n';
    if (parts.size() > 1)
        for (const TTransRec* part : parts) {
            out << 'S' << CategoryOf(*part) << '\n';
            if (!part->Notes.empty())
                out << 'E' << OneLine(Cp1252ToUtf8(part->Notes)) << '\n';
            out << '$' << PlainAmount(SignedAmount(*part)) << '\n';
        }
    out << "^\n";
}

void WriteAccount(const TLedger& ledger, const TBookRec& book, std::ostream& out) {
    out << "!Account\nN" << QifName(book.Name.Str()) << "\nTBank\n^\n!Type:Bank\n";
    const auto& records = ledger.TransList.KeyList;
    // The opening balance leads, whatever its date.
    for (const TTransRec* t : records)
        if (t->Kind == TransOpening && t->Book == book.Number)
            WriteEntry({t}, out);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const TTransRec* t = records[i];
        if (t->Book != book.Number || t->Kind == TransOpening)
            continue;
        std::vector<const TTransRec*> parts{t};
        // The parts of a split follow one another in key order.
        while (t->Split != '0' && i + 1 < records.size() && records[i + 1]->Number == t->Number &&
               records[i + 1]->Split != '0' && records[i + 1]->Book == t->Book)
            parts.push_back(records[++i]);
        WriteEntry(parts, out);
    }
}

} // namespace

void ExportQif(const TLedger& ledger, std::ostream& out) {
    WriteCategories(ledger, out);
    for (const TBookRec* book : ledger.BookList.KeyList)
        WriteAccount(ledger, *book, out);
}

} // namespace qz
