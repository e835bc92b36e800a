#include "ExportFilters.h"

#include "QifExport.h"
#include "WorksheetTable.h"

namespace qz {

TJournalOptions JournalOptionsFor(const TFileSettings& settings) {
    TJournalOptions options;
    options.TaxName = settings.TaxName.empty() ? "GST-VAT" : settings.TaxName;
    options.TaxOpeningBalance = UsableAmount(settings.GstOpeningBalance);
    options.Title = settings.BusinessName;
    return options;
}

void WriteExport(TExportFormat format, const TWorksheet& sheet, const TFileSettings& settings, std::ostream& out) {
    switch (format) {
    case TExportFormat::WorksheetCsv: {
        TWorksheetTable table;
        ReadWorksheetTable(sheet, sheet.ActiveTab(), table);
        WriteWorksheetCsv(table, out);
        break;
    }
    case TExportFormat::Qif:
        ExportQif(sheet.Ledger, out);
        break;
    case TExportFormat::Journal:
        ExportJournal(sheet.Ledger, JournalOptionsFor(settings), out);
        break;
    }
}

} // namespace qz
