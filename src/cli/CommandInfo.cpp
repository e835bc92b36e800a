// info: what a document holds, read without changing it.

#include "Commands.h"

#include "filters/DocumentSummary.h"
#include "ledger/Cp1252.h"

#include <iostream>

namespace qz::cli {

int RunInfo(const Arguments& args) {
    const std::string& path = args.Positional[0];
    std::string error;
    TDocumentReader reader;
    if (!OpenForReading(path, args, reader, error))
        return Fail(error);
    TLedger ledger;
    TDocumentSummary summary;
    if (!SummariseDocument(reader, ledger, summary, error))
        return Fail(path + ": " + error);
    WarnSetAside(path, reader, ledger.DamagedTrans);
    std::cout << "File         " << path << '\n' << Cp1252ToUtf8(SummaryText(summary, TDisplayFormats())) << std::flush;
    return std::cout ? 0 : Fail("the standard output cannot be written");
}

} // namespace qz::cli
