// export: every transaction as CSV, QIF or a ledger/hledger journal.

#include "Commands.h"

#include "filters/CsvExport.h"
#include "filters/ExportFilters.h"
#include "filters/JournalExport.h"
#include "filters/QifExport.h"
#include "filters/WorksheetTable.h"
#include "platform/SystemRegional.h"

#include <fstream>
#include <iostream>

namespace qz::cli {

namespace {

void WriteFormat(std::size_t format, const TLedger& ledger, const TFileSettings& settings, std::ostream& out) {
    if (format == 0)
        return ExportCsv(ledger, out);
    if (format == 1)
        return ExportQif(ledger, out);
    ExportJournal(ledger, JournalOptionsFor(settings), out);
}

// The rows of a worksheet tab as the worksheet shows them, its totals row included.
bool BuildTab(TDocumentReader& reader, const Arguments& args, TWorksheetTable& table, std::string& error) {
    TWorksheetRequest request;
    long long tab = 0;
    std::size_t regional = 1;
    if (!ParseInteger("tab", args.Value("tab"), 0, 4, tab, error) ||
        (args.Has("regional") &&
         !ParseChoice("regional", args.Value("regional"), {"system", "fixed"}, regional, error)))
        return false;
    request.Tab = static_cast<int>(tab);
    const TDisplayFormats formats(regional == 0 ? SystemRegionalSettings() : RegionalSettings::Fixed());
    if (!BuildWorksheetTable(reader, request, formats, table, error)) {
        error = args.Positional[0] + ": " + error;
        return false;
    }
    return true;
}

int WriteTab(const std::string& output, const TWorksheetTable& table) {
    if (output == "-") {
        WriteWorksheetCsv(table, std::cout);
        std::cout.flush();
        return std::cout ? 0 : Fail("the standard output cannot be written");
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    if (!out)
        return Fail(output + ": cannot be written");
    WriteWorksheetCsv(table, out);
    out.close();
    return out ? 0 : Fail(output + ": writing failed");
}

} // namespace

int RunExport(const Arguments& args) {
    const std::string& path = args.Positional[0];
    std::string error;
    std::size_t format = 0;
    if (!args.Has("format"))
        return Fail("--format csv|qif|ledger is missing");
    if (!ParseChoice("format", args.Value("format"), {"csv", "qif", "ledger"}, format, error))
        return Fail(error);
    if (args.Has("tab") && format != 0)
        return Fail("--tab exports a worksheet tab as CSV only (--format csv)");
    if (args.Has("regional") && !args.Has("tab"))
        return Fail("--regional goes with --tab");
    if (!args.Has("output"))
        return Fail("-o OUT is missing (\"-o -\" writes to the standard output)");
    const std::string output = args.Value("output");
    if (output != "-" && !OutputSpares(output, path, error))
        return Fail(error);
    TDocumentReader reader;
    if (!OpenForReading(path, args, reader, error))
        return Fail(error);
    if (args.Has("tab")) {
        TWorksheetTable table;
        if (!BuildTab(reader, args, table, error))
            return Fail(error);
        WarnSetAside(path, reader, table.DamagedTrans);
        return WriteTab(output, table);
    }
    TLedger ledger;
    if (!reader.LoadForViews(ledger, error))
        return Fail(path + ": " + error);
    WarnSetAside(path, reader, ledger.DamagedTrans);
    if (output == "-") {
        WriteFormat(format, ledger, reader.Settings(), std::cout);
        std::cout.flush();
        return std::cout ? 0 : Fail("the standard output cannot be written");
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    if (!out)
        return Fail(output + ": cannot be written");
    WriteFormat(format, ledger, reader.Settings(), out);
    out.close();
    if (!out)
        return Fail(output + ": writing failed");
    return 0;
}

} // namespace qz::cli
