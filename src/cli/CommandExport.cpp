// export: every transaction as CSV, QIF or a ledger/hledger journal.

#include "Commands.h"

#include "filters/CsvExport.h"
#include "filters/JournalExport.h"
#include "filters/QifExport.h"

#include <fstream>
#include <iostream>

namespace qz::cli {

namespace {

void WriteFormat(std::size_t format, const TLedger& ledger, const TFileSettings& settings, std::ostream& out) {
    if (format == 0)
        return ExportCsv(ledger, out);
    if (format == 1)
        return ExportQif(ledger, out);
    TJournalOptions options;
    options.TaxName = settings.TaxName.empty() ? "GST-VAT" : settings.TaxName;
    options.TaxOpeningBalance = UsableAmount(settings.GstOpeningBalance);
    options.Title = settings.BusinessName;
    ExportJournal(ledger, options, out);
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
    if (!args.Has("output"))
        return Fail("-o OUT is missing (\"-o -\" writes to the standard output)");
    const std::string output = args.Value("output");
    if (output != "-" && !OutputSpares(output, path, error))
        return Fail(error);
    TDocumentReader reader;
    if (!OpenForReading(path, args, reader, error))
        return Fail(error);
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
