// worksheet: one tab of the worksheet, its rows, cell texts and totals, under the filters given.

#include "Commands.h"

#include "filters/WorksheetTable.h"
#include "platform/SystemRegional.h"

#include <iostream>
#include <sstream>

namespace qz::cli {

namespace {

// "0,2,5": whole numbers.
bool ReadNumbers(const std::string& option, const std::string& text, std::vector<std::int32_t>& numbers,
                 std::string& error) {
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');) {
        long long value = 0;
        if (!ParseInteger(option, item, 0, 0x7FFFFFFF, value, error))
            return false;
        numbers.push_back(static_cast<std::int32_t>(value));
    }
    if (numbers.empty()) {
        error = "--" + option + " takes numbers separated by commas";
        return false;
    }
    return true;
}

// "100,200-3": categories, and sub categories as category-number.
bool ReadCategories(const std::string& text, std::vector<TWorksheetRequest::CategoryPick>& picks, std::string& error) {
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');) {
        const auto dash = item.find('-');
        long long category = 0, sub = 0;
        const bool ok =
            ParseInteger("categories", item.substr(0, dash), 0, 0x7FFFFFFF, category, error) &&
            (dash == std::string::npos || ParseInteger("categories", item.substr(dash + 1), 0, 0x7FFFFFFF, sub, error));
        if (!ok) {
            error = "--categories takes category numbers (100) and sub categories (100-2), not \"" + item + "\"";
            return false;
        }
        TWorksheetRequest::CategoryPick pick;
        pick.Category = static_cast<std::int32_t>(category);
        if (dash != std::string::npos)
            pick.Sub = static_cast<std::int32_t>(sub);
        picks.push_back(pick);
    }
    if (picks.empty()) {
        error = "--categories takes category numbers (100) and sub categories (100-2)";
        return false;
    }
    return true;
}

bool ReadDate(const Arguments& args, const char* option, std::optional<TDateTime>& date, std::string& error) {
    if (!args.Has(option))
        return true;
    TDateTime day = 0;
    if (!ParseIsoDate(args.Value(option), day)) {
        error = std::string("--") + option + " takes a date YYYY-MM-DD, not \"" + args.Value(option) + "\"";
        return false;
    }
    date = day;
    return true;
}

} // namespace

std::vector<OptionSpec> FilterOptionsAnd(std::initializer_list<OptionSpec> more) {
    std::vector<OptionSpec> options = {{"from", true},
                                       {"to", true},
                                       {"accounts", true},
                                       {"categories", true},
                                       {"groups", true},
                                       {"include-unreconciled", false},
                                       {"opening-balances-in-selections", false}};
    options.insert(options.end(), more);
    return options;
}

bool ReadWorksheetRequest(const Arguments& args, TWorksheetRequest& request, std::string& error) {
    long long number = 0;
    if (args.Has("tab")) {
        if (!ParseInteger("tab", args.Value("tab"), 0, 4, number, error))
            return false;
        request.Tab = static_cast<int>(number);
    }
    if (!ReadDate(args, "from", request.From, error) || !ReadDate(args, "to", request.To, error))
        return false;
    if (request.From && request.To && *request.From > *request.To) {
        error = "--from is later than --to";
        return false;
    }
    if (args.Has("accounts") && !ReadNumbers("accounts", args.Value("accounts"), request.Accounts, error))
        return false;
    if (args.Has("categories") && !ReadCategories(args.Value("categories"), request.Categories, error))
        return false;
    if (args.Has("groups") && !ReadNumbers("groups", args.Value("groups"), request.Groups, error))
        return false;
    if (args.Has("sort")) {
        if (!ParseInteger("sort", args.Value("sort"), 0, 11, number, error))
            return false;
        request.SortKey = static_cast<std::int32_t>(number);
    }
    request.IncludeUnreconciled = args.Has("include-unreconciled");
    request.Net = args.Has("net");
    request.ZeroRows = args.Has("zero-rows");
    request.OpeningBalancesInSelections = args.Has("opening-balances-in-selections");
    request.BalanceEveryRow = args.Has("balance-every-row");
    request.Descending = args.Has("descending");
    if (request.ZeroRows && request.Tab == ViewTransactions) {
        error = "--zero-rows is for tabs 1 to 4";
        return false;
    }
    return true;
}

int PrintWorksheet(const Arguments& args, const TWorksheetRequest& request) {
    const std::string& path = args.Positional[0];
    std::string error;
    std::size_t format = 0, regional = 1;
    if ((args.Has("format") && !ParseChoice("format", args.Value("format"), {"text", "csv", "json"}, format, error)) ||
        (args.Has("regional") &&
         !ParseChoice("regional", args.Value("regional"), {"system", "fixed"}, regional, error)))
        return Fail(error);
    TDocumentReader reader;
    if (!OpenForReading(path, args, reader, error))
        return Fail(error);
    const TDisplayFormats formats(regional == 0 ? SystemRegionalSettings() : RegionalSettings::Fixed());
    TWorksheetTable table;
    if (!BuildWorksheetTable(reader, request, formats, table, error))
        return Fail(path + ": " + error);
    WarnSetAside(path, reader, table.DamagedTrans);
    if (format == 0)
        WriteWorksheetText(table, std::cout);
    else if (format == 1)
        WriteWorksheetCsv(table, std::cout);
    else
        WriteWorksheetJson(table, std::cout);
    std::cout.flush();
    return std::cout ? 0 : Fail("the standard output cannot be written");
}

int RunWorksheet(const Arguments& args) {
    std::string error;
    TWorksheetRequest request;
    if (!ReadWorksheetRequest(args, request, error))
        return Fail(error);
    return PrintWorksheet(args, request);
}

} // namespace qz::cli
