// import: a bank statement (OFX/QFX, QIF or CSV) into one account, through the same preview
// and operation as the import window: duplicates and bad lines are skipped and said, lines
// without a category take the one given for their side or are listed and left out, and the
// rest reach the disk in one commit.

#include "Commands.h"
#include "EditDocument.h"

#include "edit/StatementImport.h"
#include "filters/ExportText.h"
#include "filters/StatementFile.h"
#include "ledger/Cp1252.h"

#include <iostream>
#include <limits>
#include <sstream>

namespace qz::cli {

namespace {

enum class TLineFate { Added, Duplicate, Bad, NoCategory };

struct TReport {
    const TImportLine* Line;
    TLineFate Fate;
    TImportCategory Category;
    std::optional<std::int32_t> TransferAccount;
    std::int32_t Number = 0; // the transaction added (a transfer's first half), or the one it duplicates
};

bool ReadCategoryOption(const Arguments& args, const char* option, std::optional<TImportCategory>& choice,
                        std::string& error) {
    if (!args.Has(option))
        return true;
    const std::string text = args.Value(option);
    const std::size_t dash = text.find('-');
    long long category = 0;
    long long sub = 0;
    std::string ignored;
    if (dash == std::string::npos ||
        !ParseInteger(option, text.substr(0, dash), 1, std::numeric_limits<std::int32_t>::max(), category, ignored) ||
        !ParseInteger(option, text.substr(dash + 1), 1, std::numeric_limits<std::int32_t>::max(), sub, ignored)) {
        error = std::string("--") + option + " takes a category and sub category number such as 100-2, not \"" + text +
                "\"";
        return false;
    }
    choice = TImportCategory{static_cast<std::int32_t>(category), static_cast<std::int32_t>(sub), 0};
    return true;
}

bool ReadStatementOptions(const Arguments& args, TStatementOptions& options, std::string& error) {
    std::size_t index = 0;
    if (args.Has("type")) {
        if (!ParseChoice("type", args.Value("type"), {"ofx", "qif", "csv"}, index, error))
            return false;
        options.Type = index == 0 ? TStatementType::Ofx : index == 1 ? TStatementType::Qif : TStatementType::Csv;
    }
    if (args.Has("date-order")) {
        if (!ParseChoice("date-order", args.Value("date-order"), {"dmy", "mdy", "ymd"}, index, error))
            return false;
        options.Order = index == 0   ? TDateOrder::DayMonthYear
                        : index == 1 ? TDateOrder::MonthDayYear
                                     : TDateOrder::YearMonthDay;
    }
    if (args.Has("csv-columns")) {
        TCsvColumns columns;
        if (!ParseCsvColumns(args.Value("csv-columns"), columns, error)) {
            error = "--csv-columns: " + error;
            return false;
        }
        options.Csv.Columns = columns;
    }
    if (args.Has("decimal")) {
        if (!ParseChoice("decimal", args.Value("decimal"), {",", "."}, index, error))
            return false;
        options.Csv.DecimalMark = index == 0 ? ',' : '.';
    }
    if (args.Has("separator")) {
        const std::string separator = args.Value("separator");
        if (separator == "tab" || separator == "\\t")
            options.Csv.Separator = '\t';
        else if (separator.size() == 1 && separator != "\"" && separator != "\n" && separator != "\r")
            options.Csv.Separator = separator[0];
        else {
            error = "--separator takes one character (such as ; or ,) or tab, not \"" + separator + "\"";
            return false;
        }
    }
    return true;
}

// A category given for lines without a suggestion must exist, on the side it is given for.
bool CheckGivenCategory(const TLedger& ledger, const char* option, const std::optional<TImportCategory>& choice,
                        std::uint8_t side, std::string& error) {
    if (!choice)
        return true;
    const TMainActRec* category = ledger.MainActList.FindByNumber(choice->MainAct);
    const std::string named = std::to_string(choice->MainAct) + "-" + std::to_string(choice->SubAct);
    if (!category || !ledger.SubActList.FindPair(choice->MainAct, choice->SubAct))
        error = std::string("--") + option + ": there is no sub category " + named;
    else if (category->Side != side)
        error = std::string("--") + option + ": " + named + " is a " + (side == SideCredit ? "debit" : "credit") +
                " category";
    else
        return true;
    return false;
}

std::vector<TReport> Decide(const std::vector<TImportLine>& preview, const std::optional<TImportCategory>& credit,
                            const std::optional<TImportCategory>& debit, bool transfers) {
    std::vector<TReport> reports;
    for (const TImportLine& line : preview) {
        TReport report{&line, TLineFate::Added, {}, std::nullopt, 0};
        if (!line.Source.Good())
            report.Fate = TLineFate::Bad;
        else if (line.Duplicate()) {
            report.Fate = TLineFate::Duplicate;
            report.Number = line.DuplicateOf->Number;
        } else if (transfers && line.TransferAccount)
            report.TransferAccount = line.TransferAccount;
        else if (line.Suggested)
            report.Category = *line.Suggested;
        else if (const auto& given = line.Credit() ? credit : debit)
            report.Category = *given;
        else
            report.Fate = TLineFate::NoCategory;
        reports.push_back(report);
    }
    return reports;
}

std::string Amount(const TStatementLine& line) {
    return PlainAmount(Money::FromCents(line.Cents));
}

std::string CategoryText(const TImportCategory& c) {
    return std::to_string(c.MainAct) + "-" + std::to_string(c.SubAct) + " group " + std::to_string(c.Group);
}

const char* FateName(TLineFate fate, bool dryRun) {
    switch (fate) {
    case TLineFate::Added:
        return dryRun ? "would add" : "added";
    case TLineFate::Duplicate:
        return "duplicate";
    case TLineFate::Bad:
        return "bad";
    case TLineFate::NoCategory:
        return "no category";
    }
    return "";
}

void PrintText(const std::vector<TReport>& reports, bool dryRun) {
    int counts[4] = {};
    for (const TReport& r : reports) {
        const TStatementLine& s = r.Line->Source;
        ++counts[static_cast<int>(r.Fate)];
        std::cout << FateName(r.Fate, dryRun) << ": ";
        if (r.Fate == TLineFate::Bad) {
            std::cout << s.Bad << '\n';
            continue;
        }
        std::cout << "line " << s.Line << ' ' << IsoDateText(s.Date) << ' ' << Amount(s) << ' '
                  << OneLine(Cp1252ToUtf8(ImportNotes(s)));
        if (!s.Reference.empty())
            std::cout << " (" << OneLine(s.Reference) << ')';
        if (r.Fate == TLineFate::Added && r.TransferAccount)
            std::cout << " as a transfer with account " << *r.TransferAccount;
        else if (r.Fate == TLineFate::Added)
            std::cout << " in " << CategoryText(r.Category);
        if (r.Fate == TLineFate::Added && !dryRun)
            std::cout << (r.TransferAccount ? " (transactions " + std::to_string(r.Number) + " and " +
                                                  std::to_string(r.Number + 1) + ")"
                                            : " as transaction " + std::to_string(r.Number));
        if (r.Fate == TLineFate::Duplicate)
            std::cout << " is transaction " << r.Number;
        std::cout << '\n';
    }
    std::cout << counts[0] << (dryRun ? " to add, " : " added, ") << counts[1] << " duplicates, " << counts[2]
              << " bad, " << counts[3] << " without a category\n";
}

void PrintJson(const std::vector<TReport>& reports, std::int32_t account, bool dryRun) {
    std::ostringstream out;
    out << "{\"account\": " << account << ", \"dry_run\": " << (dryRun ? "true" : "false") << ", \"lines\": [";
    bool first = true;
    for (const TReport& r : reports) {
        const TStatementLine& s = r.Line->Source;
        out << (first ? "\n" : ",\n") << "  {\"line\": " << s.Line << ", \"status\": \""
            << (r.Fate == TLineFate::Added ? (dryRun ? "to add" : "added") : FateName(r.Fate, dryRun)) << '"';
        first = false;
        if (r.Fate == TLineFate::Bad) {
            out << ", \"reason\": " << JsonString(s.Bad) << '}';
            continue;
        }
        out << ", \"date\": \"" << IsoDateText(s.Date) << "\", \"amount\": \"" << Amount(s)
            << "\", \"reference\": " << JsonString(s.Reference) << ", \"payee\": " << JsonString(s.Payee)
            << ", \"memo\": " << JsonString(s.Memo);
        if (r.Fate == TLineFate::Added && r.TransferAccount)
            out << ", \"transfer_account\": " << *r.TransferAccount;
        else if (r.Fate == TLineFate::Added)
            out << ", \"category\": " << r.Category.MainAct << ", \"sub_category\": " << r.Category.SubAct
                << ", \"group\": " << r.Category.Group;
        if (r.Number)
            out << ", \"transaction\": " << r.Number;
        out << '}';
    }
    out << "\n]}\n";
    std::cout << out.str();
}

} // namespace

int RunImport(const Arguments& args) {
    const std::string& path = args.Positional[0];
    const std::string& statementPath = args.Positional[1];
    std::string error;
    long long account = 0;
    if (!args.Has("account"))
        return Fail("--account is missing");
    if (!ParseInteger("account", args.Value("account"), 0, std::numeric_limits<std::int16_t>::max(), account, error))
        return Fail(error);
    std::size_t format = 0;
    if (args.Has("format") && !ParseChoice("format", args.Value("format"), {"text", "json"}, format, error))
        return Fail(error);
    TStatementOptions options;
    std::optional<TImportCategory> credit;
    std::optional<TImportCategory> debit;
    if (!ReadStatementOptions(args, options, error) || !ReadCategoryOption(args, "credit-category", credit, error) ||
        !ReadCategoryOption(args, "debit-category", debit, error))
        return Fail(error);
    const bool dryRun = args.Has("dry-run");
    // The statement first: a file that cannot be read leaves the document untouched, unopened.
    const TStatement statement = ReadStatement(statementPath, options);
    if (!statement.Ok())
        return Fail(statementPath + ": " + statement.Error + "; nothing was imported");
    TEditDocument doc(args);
    if (!doc.Open(path, error))
        return Fail(error);
    const auto number = static_cast<std::int32_t>(account);
    if (!doc.Ledger.BookList.Find(number))
        return Fail(path + ": there is no account " + std::to_string(number));
    if (!CheckGivenCategory(doc.Ledger, "credit-category", credit, SideCredit, error) ||
        !CheckGivenCategory(doc.Ledger, "debit-category", debit, SideDebit, error))
        return Fail(path + ": " + error);
    if (!dryRun && !doc.Allowed(TAccessArea::Adding, "importing transactions", error))
        return Fail(error);
    const std::vector<TImportLine> preview = PreviewImport(doc.Ledger, number, statement);
    std::vector<TReport> reports = Decide(preview, credit, debit, args.Has("transfers"));
    std::vector<TImportEntry> entries;
    for (const TReport& r : reports)
        if (r.Fate == TLineFate::Added)
            entries.push_back({r.Line->Source, r.Category, r.TransferAccount});
    if (!dryRun && !entries.empty()) {
        const std::int32_t first = doc.Ledger.TransList.NewNumber();
        const TEditOutcome outcome = ImportStatement(doc.Edit, number, entries);
        if (outcome.Result == TEditResult::NotStored) {
            doc.Prompts.PrintHeld();
            return Fail(path + ": the import could not be written; the file is as it was");
        }
        if (!outcome.Done())
            return Fail(doc.LastMessage());
        std::int32_t next = first;
        for (TReport& r : reports)
            if (r.Fate == TLineFate::Added) {
                r.Number = next;
                next += r.TransferAccount ? 2 : 1;
            }
    }
    if (!doc.Close())
        return Fail(path + ": the import was stored, but the document could not be closed");
    if (format == 1)
        PrintJson(reports, number, dryRun);
    else
        PrintText(reports, dryRun);
    return 0;
}

} // namespace qz::cli
