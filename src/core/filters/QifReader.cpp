#include "QifReader.h"

#include "StatementText.h"

#include <algorithm>
#include <cctype>

namespace qz {

namespace {

enum class TSectionKind { Entries, Investment, Passed };

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The kind of the section a "!Type:" line opens; false for a type no QIF writer uses.
bool SectionKindOf(std::string_view type, TSectionKind& kind) {
    const std::string name = Lower(TrimBlanks(type));
    if (name == "bank" || name == "cash" || name == "ccard" || name == "oth a" || name == "oth l") {
        kind = TSectionKind::Entries;
        return true;
    }
    if (name == "invst") {
        kind = TSectionKind::Investment;
        return true;
    }
    for (const char* list : {"cat", "class", "memorized", "prices", "security", "invitem", "template", "budget"})
        if (name == list) {
            kind = TSectionKind::Passed;
            return true;
        }
    return false;
}

// One entry's fields as read.
struct TQifEntry {
    int Line = 0;
    std::string Date;
    std::string Amount;
    bool HasAmount = false;
    std::string Number;
    std::string Payee;
    std::string Memo;
    std::string Category;
    int DateLine = 0;
    int AmountLine = 0;
    bool Cleared = true;
    bool Split = false;
};

class TQifParse {
public:
    TQifParse(TDateOrder order, char decimalMark) : Order(order), DecimalMark(decimalMark) {}

    TStatement Run(std::string_view text);

private:
    bool Header(std::string_view line, int number, std::string& error);
    void Field(std::string_view line, int number);
    void EndEntry();
    void Convert(TStatement& statement) const;

    TDateOrder Order;
    char DecimalMark;
    TSectionKind Kind = TSectionKind::Passed;
    bool InAccountBlock = false;
    std::string AccountName;
    TQifEntry Entry;
    bool EntryOpen = false;
    struct TRead {
        TQifEntry Entry;
        std::string Account;
        bool Investment = false;
    };
    std::vector<TRead> Entries;
};

bool TQifParse::Header(std::string_view line, int number, std::string& error) {
    const std::string lower = Lower(line);
    if (lower.rfind("!type:", 0) == 0) {
        InAccountBlock = false;
        if (!SectionKindOf(line.substr(6), Kind)) {
            error = LineMessage(number, "the section type \"" + std::string(TrimBlanks(line.substr(6))) +
                                            "\" is not one a QIF file has");
            return false;
        }
        return true;
    }
    if (lower == "!account") {
        InAccountBlock = true;
        return true;
    }
    // "!Option:AutoSwitch", "!Clear:AutoSwitch" only switch the meaning of "!Account".
    if (lower.rfind("!option:", 0) == 0 || lower.rfind("!clear:", 0) == 0)
        return true;
    error = LineMessage(number, "\"" + std::string(line) + "\" is not a QIF header");
    return false;
}

void TQifParse::Field(std::string_view line, int number) {
    const char code = line.front();
    const std::string value(TrimBlanks(line.substr(1)));
    if (InAccountBlock) {
        if (code == 'N')
            AccountName = value;
        return;
    }
    if (!EntryOpen) {
        Entry = {};
        Entry.Line = number;
        EntryOpen = true;
    }
    switch (code) {
    case 'D':
        Entry.Date = value, Entry.DateLine = number;
        break;
    case 'T':
    case 'U':
        // T and U carry the same amount; the first one read counts.
        if (!Entry.HasAmount)
            Entry.Amount = value, Entry.HasAmount = true, Entry.AmountLine = number;
        break;
    case 'N':
        Entry.Number = value;
        break;
    case 'P':
        Entry.Payee = value;
        break;
    case 'M':
        Entry.Memo = value;
        break;
    case 'L':
        Entry.Category = value;
        break;
    case 'C':
        Entry.Cleared = !value.empty();
        break;
    case 'S':
        Entry.Split = true;
        break;
    default:
        break; // cleared state, address lines, split parts: the entry's total is what counts
    }
}

void TQifParse::EndEntry() {
    if (InAccountBlock) {
        InAccountBlock = false;
        return;
    }
    if (EntryOpen && Kind != TSectionKind::Passed)
        Entries.push_back({Entry, AccountName, Kind == TSectionKind::Investment});
    EntryOpen = false;
}

TStatement TQifParse::Run(std::string_view text) {
    const std::vector<std::string_view> lines = SplitLines(text);
    bool started = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const std::string_view line = TrimBlanks(lines[i]);
        if (line.empty())
            continue;
        if (!started && line.front() != '!')
            return TStatement::Refused(
                LineMessage(number, "a QIF file starts with a type line such as \"!Type:Bank\""));
        started = true;
        std::string error;
        if (line.front() == '!') {
            if (EntryOpen)
                EndEntry(); // an entry cut short by the next section still counts
            if (!Header(line, number, error))
                return TStatement::Refused(error);
        } else if (line.front() == '^') {
            EndEntry();
        } else {
            Field(line, number);
        }
    }
    if (!started)
        return TStatement::Refused("the file is empty");
    if (EntryOpen)
        EndEntry();
    TStatement statement;
    Convert(statement);
    return statement;
}

void TQifParse::Convert(TStatement& statement) const {
    std::vector<std::string_view> dates;
    std::vector<std::string_view> amounts;
    for (const TRead& read : Entries) {
        dates.push_back(read.Entry.Date);
        amounts.push_back(read.Entry.Amount);
    }
    TDateOrder order = Order;
    if (order == TDateOrder::Unknown)
        order = GuessDateOrder(dates);
    if (order == TDateOrder::Unknown)
        order = TDateOrder::MonthDayYear;
    const char mark = DecimalMark ? DecimalMark : GuessDecimalMark(amounts);
    for (const TRead& read : Entries) {
        const TQifEntry& e = read.Entry;
        TStatementLine line;
        line.Line = e.Line;
        line.Reference = e.Number;
        line.Payee = e.Payee;
        line.Memo = e.Memo;
        // The category of a split entry is its first part's only: the whole takes none from it.
        line.Category = e.Split ? std::string() : e.Category;
        line.Account = read.Account;
        line.Cleared = e.Cleared;
        std::string why;
        if (read.Investment)
            line.Bad = LineMessage(e.Line, "an investment entry; only bank, cash and card entries are imported");
        else if (e.Date.empty())
            line.Bad = LineMessage(e.Line, "the entry has no date (D line)");
        else if (!ParseStatementDate(e.Date, order, line.Date))
            line.Bad = LineMessage(e.DateLine, "the date \"" + e.Date + "\" is not a valid date");
        else if (!e.HasAmount)
            line.Bad = LineMessage(e.Line, "the entry has no amount (T line)");
        else if (!ParseStatementAmount(e.Amount, mark, line.Cents, why))
            line.Bad = LineMessage(e.AmountLine, why);
        else if (!read.Account.empty() && e.Category == "[" + read.Account + "]")
            line.Bad = LineMessage(e.Line, "the opening balance of \"" + read.Account +
                                               "\"; an account keeps its own opening balance");
        statement.Lines.push_back(std::move(line));
    }
}

} // namespace

bool TQifReader::LooksLikeQif(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    text = TrimBlanks(text);
    return !text.empty() && text.front() == '!';
}

TStatement TQifReader::Read(std::string text) const {
    std::string error;
    if (!StatementTextToUtf8(text, error))
        return TStatement::Refused(error);
    return TQifParse(Order, DecimalMark).Run(text);
}

TStatement TQifReader::ReadFile(const std::string& path) const {
    std::string bytes;
    std::string error;
    if (!ReadStatementBytes(path, bytes, error))
        return TStatement::Refused(error);
    return Read(std::move(bytes));
}

} // namespace qz
