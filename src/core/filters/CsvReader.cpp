#include "CsvReader.h"

#include "StatementText.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace qz {

namespace {

struct TRecord {
    int Line = 0;
    std::vector<std::string> Fields;
};

std::string Lower(std::string_view text) {
    std::string lower(TrimBlanks(text));
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The separator: of ',', ';' and tab, the one found (outside quotes) the same number of times
// on most of the first lines; on a tie the one that splits the lines into more fields (a
// decimal comma appears once a line as steadily as the separator of two columns).
char DetectSeparator(std::string_view text) {
    const std::vector<std::string_view> lines = SplitLines(text.substr(0, 64 * 1024));
    char best = ',';
    std::pair<int, int> bestScore{-1, -1};
    for (char candidate : {',', ';', '\t'}) {
        std::map<int, int> counts;
        int used = 0;
        for (std::size_t i = 0; i < lines.size() && used < 20; ++i) {
            if (TrimBlanks(lines[i]).empty())
                continue;
            int count = 0;
            bool quoted = false;
            for (char c : lines[i]) {
                if (c == '"')
                    quoted = !quoted;
                else if (c == candidate && !quoted)
                    ++count;
            }
            ++used;
            if (count > 0)
                ++counts[count];
        }
        std::pair<int, int> score{0, 0};
        for (const auto& [count, lineCount] : counts)
            score = std::max(score, std::pair(lineCount, count));
        if (score > bestScore) {
            best = candidate;
            bestScore = score;
        }
    }
    return best;
}

// RFC 4180 records; false with the line of a quote never closed.
bool SplitRecords(std::string_view text, char separator, std::vector<TRecord>& records, std::string& error) {
    int line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        TRecord record;
        record.Line = line;
        std::string field;
        bool end = false;
        while (!end) {
            if (i < text.size() && text[i] == '"') {
                const int opened = line;
                ++i;
                while (true) {
                    if (i >= text.size()) {
                        error = LineMessage(opened, "a quoted field is not closed");
                        return false;
                    }
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
                        ++line;
                    field += text[i++];
                }
            }
            // The rest of the field up to the separator or the line end (text after a closing
            // quote is kept, as spreadsheets keep it).
            while (i < text.size() && text[i] != separator && text[i] != '\n' && text[i] != '\r')
                field += text[i++];
            record.Fields.push_back(std::move(field));
            field.clear();
            if (i < text.size() && text[i] == separator) {
                ++i;
                continue;
            }
            if (i < text.size() && text[i] == '\r')
                ++i;
            if (i < text.size() && text[i] == '\n')
                ++i;
            ++line;
            end = true;
        }
        const bool blank = record.Fields.size() == 1 && TrimBlanks(record.Fields[0]).empty();
        if (!blank)
            records.push_back(std::move(record));
    }
    return true;
}

bool NameIs(const std::string& name, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

int MaxColumn(const TCsvColumns& c) {
    return std::max({c.Date, c.Amount, c.Debit, c.Credit, c.Payee, c.Memo, c.Reference});
}

const std::string& Cell(const TRecord& record, int column) {
    static const std::string empty;
    return column > 0 && static_cast<std::size_t>(column) <= record.Fields.size()
               ? record.Fields[static_cast<std::size_t>(column - 1)]
               : empty;
}

std::string CellText(const TRecord& record, int column) {
    return std::string(TrimBlanks(Cell(record, column)));
}

// The amount of a row in cents; false with the reason in `why`.
bool RowAmount(const TRecord& record, const TCsvColumns& columns, char mark, std::int64_t& cents, std::string& why) {
    if (columns.Amount)
        return ParseStatementAmount(Cell(record, columns.Amount), mark, cents, why);
    const std::string debit = CellText(record, columns.Debit);
    const std::string credit = CellText(record, columns.Credit);
    std::int64_t out = 0;
    std::int64_t in = 0;
    if (!debit.empty() && !ParseStatementAmount(debit, mark, out, why))
        return false;
    if (!credit.empty() && !ParseStatementAmount(credit, mark, in, why))
        return false;
    if (out != 0 && in != 0) {
        why = "the row has both a debit and a credit";
        return false;
    }
    if (debit.empty() && credit.empty()) {
        why = "the row has neither a debit nor a credit";
        return false;
    }
    // Some banks write their debits with a minus sign, most without: either is money out.
    cents = out != 0 ? -std::abs(out) : std::abs(in);
    return true;
}

bool LooksLikeDate(std::string_view text) {
    TDateTime date = 0;
    for (TDateOrder order : {TDateOrder::DayMonthYear, TDateOrder::MonthDayYear, TDateOrder::YearMonthDay})
        if (ParseStatementDate(text, order, date))
            return true;
    return false;
}

class TCsvParse {
public:
    explicit TCsvParse(const TCsvOptions& options) : Options(options) {}
    TStatement Run(std::string_view text);

private:
    bool FindColumns(std::vector<TRecord>& records, TCsvColumns& columns, std::string& error) const;
    TStatementLine Row(const TRecord& record, const TCsvColumns& columns, std::size_t width, TDateOrder order,
                       char mark) const;

    const TCsvOptions& Options;
};

bool TCsvParse::FindColumns(std::vector<TRecord>& records, TCsvColumns& columns, std::string& error) const {
    const TRecord& first = records.front();
    const bool firstIsData =
        std::any_of(first.Fields.begin(), first.Fields.end(), [](const std::string& f) { return LooksLikeDate(f); });
    if (Options.Columns) {
        columns = *Options.Columns;
        // A first row whose date cell is no date is a header.
        if (!LooksLikeDate(Cell(first, columns.Date)))
            records.erase(records.begin());
        return true;
    }
    if (!firstIsData) {
        if (const auto named = TCsvReader::ColumnsFromHeader(first.Fields)) {
            columns = *named;
            records.erase(records.begin());
            return true;
        }
    }
    error = LineMessage(first.Line, firstIsData ? "the file has no header row: give its columns "
                                                  "(date=N,amount=N or debit=N,credit=N, payee=N...)"
                                                : "the header row names no date and amount columns: give "
                                                  "its columns (date=N,amount=N or debit=N,credit=N...)");
    return false;
}

TStatementLine TCsvParse::Row(const TRecord& record, const TCsvColumns& columns, std::size_t width, TDateOrder order,
                              char mark) const {
    TStatementLine line;
    line.Line = record.Line;
    line.Payee = CellText(record, columns.Payee);
    line.Memo = CellText(record, columns.Memo);
    line.Reference = CellText(record, columns.Reference);
    std::string why;
    const std::string date = CellText(record, columns.Date);
    if (record.Fields.size() != width)
        line.Bad = LineMessage(record.Line, "the row has " + std::to_string(record.Fields.size()) +
                                                " fields where the file's rows have " + std::to_string(width));
    else if (!ParseStatementDate(date, order, line.Date))
        line.Bad = LineMessage(record.Line, "the date \"" + date + "\" is not a valid date");
    else if (!RowAmount(record, columns, mark, line.Cents, why))
        line.Bad = LineMessage(record.Line, why);
    return line;
}

TStatement TCsvParse::Run(std::string_view text) {
    const char separator = Options.Separator ? Options.Separator : DetectSeparator(text);
    std::vector<TRecord> records;
    std::string error;
    if (!SplitRecords(text, separator, records, error))
        return TStatement::Refused(error);
    if (records.empty())
        return TStatement::Refused("the file is empty");
    // The header row, when there is one, sets the width as well as any row.
    const std::size_t width = records.front().Fields.size();
    const int firstLine = records.front().Line;
    TCsvColumns columns;
    if (!FindColumns(records, columns, error))
        return TStatement::Refused(error);
    if (columns.Date == 0 || (columns.Amount == 0 && (columns.Debit == 0 || columns.Credit == 0)))
        return TStatement::Refused("the columns must name the date and the amount, or the debit and the credit");
    if (width < static_cast<std::size_t>(MaxColumn(columns)))
        return TStatement::Refused(LineMessage(firstLine, "the rows have " + std::to_string(width) +
                                                              " fields, fewer than the "
                                                              "columns given"));
    std::vector<std::string> dateTexts;
    std::vector<std::string> amountTexts;
    for (const TRecord& record : records) {
        dateTexts.push_back(CellText(record, columns.Date));
        for (int column : {columns.Amount, columns.Debit, columns.Credit})
            if (column)
                amountTexts.push_back(CellText(record, column));
    }
    TDateOrder order = Options.Order;
    if (order == TDateOrder::Unknown) {
        order = GuessDateOrder({dateTexts.begin(), dateTexts.end()});
        const bool allIso = std::all_of(dateTexts.begin(), dateTexts.end(), [](const std::string& d) {
            return d.size() >= 4 && d.find_first_not_of("0123456789") >= 4;
        });
        if (order == TDateOrder::Unknown && !allIso && !records.empty())
            return TStatement::Refused(
                LineMessage(records.front().Line, "the dates read both day first and month first (such as \"" +
                                                      dateTexts.front() + "\"): give the date order"));
    }
    const char mark =
        Options.DecimalMark ? Options.DecimalMark : GuessDecimalMark({amountTexts.begin(), amountTexts.end()});
    TStatement statement;
    for (const TRecord& record : records)
        statement.Lines.push_back(Row(record, columns, width, order, mark));
    return statement;
}

} // namespace

bool ParseCsvColumns(std::string_view text, TCsvColumns& columns, std::string& error) {
    columns = {};
    const std::map<std::string, int TCsvColumns::*> names = {
        {"date", &TCsvColumns::Date},          {"amount", &TCsvColumns::Amount}, {"debit", &TCsvColumns::Debit},
        {"credit", &TCsvColumns::Credit},      {"payee", &TCsvColumns::Payee},   {"memo", &TCsvColumns::Memo},
        {"reference", &TCsvColumns::Reference}};
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string_view item = text.substr(start, end - start);
        const std::size_t equals = item.find('=');
        const auto field = equals == std::string_view::npos ? names.end() : names.find(Lower(item.substr(0, equals)));
        const std::string number = equals == std::string_view::npos ? "" : std::string(item.substr(equals + 1));
        if (field == names.end() || number.empty() || number.size() > 3 ||
            number.find_first_not_of("0123456789") != std::string::npos || std::stoi(number) == 0) {
            error = "\"" + std::string(item) +
                    "\" is not a column such as date=1 (date, amount, debit, credit, "
                    "payee, memo, reference, counted from 1)";
            return false;
        }
        if (columns.*(field->second) != 0) {
            error = "the " + field->first + " column is given twice";
            return false;
        }
        columns.*(field->second) = std::stoi(number);
        start = end + 1;
    }
    if (columns.Date == 0 || (columns.Amount == 0) == (columns.Debit == 0 || columns.Credit == 0) ||
        (columns.Amount != 0 && (columns.Debit != 0 || columns.Credit != 0))) {
        error = "the columns must name the date and either the amount or both the debit and the credit";
        return false;
    }
    return true;
}

std::optional<TCsvColumns> TCsvReader::ColumnsFromHeader(const std::vector<std::string>& header) {
    TCsvColumns c;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string name = Lower(header[i]);
        const int column = static_cast<int>(i) + 1;
        auto take = [&](int& slot) {
            if (slot == 0)
                slot = column;
        };
        if (NameIs(name, {"date", "transaction date", "posting date", "booking date", "posted", "value date", "datum",
                          "buchungstag"}))
            take(c.Date);
        else if (NameIs(name, {"amount", "value", "transaction amount", "betrag"}) || name.rfind("amount (", 0) == 0)
            take(c.Amount);
        else if (NameIs(name,
                        {"debit", "debits", "withdrawal", "withdrawals", "money out", "paid out", "debit amount"}))
            take(c.Debit);
        else if (NameIs(name, {"credit", "credits", "deposit", "deposits", "money in", "paid in", "credit amount"}))
            take(c.Credit);
        else if (NameIs(name, {"payee", "description", "name", "details", "narrative", "transaction description",
                               "beschreibung", "verwendungszweck"}))
            take(c.Payee);
        else if (NameIs(name, {"memo", "notes", "note", "particulars"}))
            take(c.Memo);
        else if (NameIs(name, {"reference", "ref", "cheque", "cheque number", "check number", "check", "number",
                               "transaction id", "id"}))
            take(c.Reference);
    }
    if (c.Date == 0 || (c.Amount == 0 && (c.Debit == 0 || c.Credit == 0)))
        return std::nullopt;
    if (c.Amount != 0)
        c.Debit = c.Credit = 0;
    return c;
}

bool TCsvReader::ReadLayout(std::string text, std::size_t rows, TCsvLayout& layout, std::string& error,
                            char separator) {
    if (!StatementTextToUtf8(text, error))
        return false;
    layout = {};
    layout.Separator = separator ? separator : DetectSeparator(text);
    std::vector<TRecord> records;
    if (!SplitRecords(text, layout.Separator, records, error))
        return false;
    if (records.empty()) {
        error = "the file is empty";
        return false;
    }
    const TRecord& first = records.front();
    layout.HasHeader =
        std::none_of(first.Fields.begin(), first.Fields.end(), [](const std::string& f) { return LooksLikeDate(f); });
    std::string key(1, layout.Separator == '\t' ? 't' : layout.Separator);
    if (layout.HasHeader) {
        layout.Header = first.Fields;
        layout.Columns = ColumnsFromHeader(first.Fields);
        for (const std::string& name : first.Fields)
            key += "|" + Lower(name);
    } else {
        key += "|" + std::to_string(first.Fields.size());
    }
    layout.Key = key;
    for (std::size_t i = layout.HasHeader ? 1 : 0; i < records.size() && layout.Rows.size() < rows; ++i)
        layout.Rows.push_back(records[i].Fields);
    return true;
}

TStatement TCsvReader::Read(std::string text) const {
    std::string error;
    if (!StatementTextToUtf8(text, error))
        return TStatement::Refused(error);
    return TCsvParse(Options).Run(text);
}

TStatement TCsvReader::ReadFile(const std::string& path) const {
    std::string bytes;
    std::string error;
    if (!ReadStatementBytes(path, bytes, error))
        return TStatement::Refused(error);
    return Read(std::move(bytes));
}

} // namespace qz
