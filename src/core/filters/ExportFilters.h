#pragma once
// The export formats "Save &As / Export" offers after the document's own type, written from
// the open document: the worksheet's current tab as CSV exactly as it shows it (columns, their
// order, texts and the totals row), every transaction as QIF, and the books as a plain-text
// journal that hledger and ledger read.

#include "JournalExport.h"
#include "storage/FileOLE.h"
#include "worksheet/Worksheet.h"

#include <cstdint>
#include <ostream>

namespace qz {

enum class TExportFormat : std::uint8_t { WorksheetCsv, Qif, Journal };

// The journal's options from the document's settings: its tax name, the tax owed at the start
// of the books and the business's name.
TJournalOptions JournalOptionsFor(const TFileSettings& settings);

// Writes `format` of the books `sheet` shows (linked, in key order). The CSV is the tab the
// worksheet shows now.
void WriteExport(TExportFormat format, const TWorksheet& sheet, const TFileSettings& settings, std::ostream& out);

} // namespace qz
