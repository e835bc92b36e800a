// The main window's filters of the import and export commands: "Import" opens the import
// window on a statement and resets the worksheet filters after it; "Save &As / Export" writes
// the worksheet's tab as CSV, the transactions as QIF or the books as a journal.

#include "MainForm.h"

#include "filters/ExportFilters.h"
#include "import/ImportForm.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

#include <sstream>

namespace qz::gui {

namespace {

constexpr TExportFormat ExportFormats[] = {TExportFormat::WorksheetCsv, TExportFormat::Qif, TExportFormat::Journal};

} // namespace

QStringList TMain::ExportFilterNames() {
    return {QStringLiteral("Worksheet tab as shown, CSV (*.csv)"), QStringLiteral("Transactions, QIF (*.qif)"),
            QStringLiteral("Journal for hledger and ledger (*.journal)")};
}

QStringList TMain::ImportFilterNames() {
    return {QStringLiteral("Bank statements (*.ofx *.qfx *.qif *.csv *.txt)"),
            QStringLiteral("OFX and QFX (*.ofx *.qfx)"), QStringLiteral("QIF (*.qif)"),
            QStringLiteral("CSV (*.csv *.txt)"), QStringLiteral("All files (*)")};
}

QString TMain::ImportFolder() const {
    std::string stored;
    if (Services.Values->ReadText(ImportFolderValue, stored) && QDir(QString::fromStdString(stored)).exists())
        return QString::fromStdString(stored);
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return QDir(downloads).exists() ? downloads : QDir::homePath();
}

bool TMain::ImportStatementFile(const std::string& path) {
    const std::optional<TEditOutcome> outcome = TImportForm::OpenImport(this, {&Edit, &Formats, Services.Values}, path);
    if (!outcome)
        return false;
    // The new lines may lie outside the dates shown so far.
    if (!Filters.DateRangeActive())
        Books.TransList.ResetRange(0);
    ResetWorksheetFilters();
    AfterEdit(outcome->Refresh);
    Sheet.Refresh();
    return true;
}

bool TMain::ExportTo(int index, const std::string& path) {
    if (index < 0 || index >= static_cast<int>(std::size(ExportFormats)))
        return false;
    std::ostringstream out;
    WriteExport(ExportFormats[index], Sheet, Files.Settings, out);
    const std::string text = out.str();
    // Written to a temporary name and renamed into place: a failed export leaves no half file.
    QSaveFile file(QString::fromStdString(path));
    if (file.open(QIODevice::WriteOnly) &&
        file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) && file.commit())
        return true;
    Ask.MessageBox("Unable to write the export file " + path + ": " + file.errorString().toStdString(), MsgKind::Error,
                   MsgButtons::Ok);
    return false;
}

} // namespace qz::gui
