// The document commands of the main window: New, Open, Reopen, Close, Save As, Import and Exit,
// the read-only prompt, the hand-off from a later start and the welcome screen's choices.

#include "MainForm.h"
#include "NoDocumentPanel.h"
#include "TaxSummaryPanel.h"
#include "controls/KQBookBar.h"
#include "controls/KQButton2.h"
#include "controls/ToggleSwitches.h"
#include "grid/Grid3.h"
#include "platform/InstallFolder.h"
#include "platform/TextCodec.h"
#include "wizard/NewFromExist.h"
#include "wizard/Welcome.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QTabBar>
#include <QTimer>

namespace qz::gui {

namespace {

constexpr const char* Caption = "Quillmar Zudeduze";

// Marks a document command as under way for as long as it runs.
class TBusy {
public:
    explicit TBusy(bool& flag) : Flag(flag), Was(flag) { Flag = true; }
    ~TBusy() { Flag = Was; }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    bool& Flag;
    bool Was;
};

// The name as the disk spells it, with every link and "." resolved; the name itself when it
// does not exist.
std::string LongName(const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    const QString canonical = info.canonicalFilePath();
    return (canonical.isEmpty() ? info.absoluteFilePath() : canonical).toStdString();
}

QString EscapeAmpersands(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

std::string TMain::FolderOf(bool example) const {
    const QString install = QString::fromStdString(Services.InstallDir);
    return (example ? ExampleFolder(install) : BookkeepingFolder(install)).toStdString();
}

// ---- State of the window ---------------------------------------------------------------------

bool TMain::Busy() const {
    return InFileCommand || QApplication::activeModalWidget() || QApplication::activePopupWidget();
}

void TMain::UpdateCaption() {
    // The file's name without folder and extension; a document whose changes stay in memory says so.
    QString title = QLatin1String(Caption);
    if (Files.IsOpen)
        title += QStringLiteral(" - ") + QFileInfo(QString::fromStdString(Files.Path)).completeBaseName() +
                 (Files.ReadOnlyMode ? QStringLiteral(" (read only)") : QString());
    setWindowTitle(title);
}

void TMain::UpdateTaxCaptions() {
    for (int tab = 0; tab < ViewCount; ++tab)
        TabControl1->setTabText(tab, EscapeAmpersands(FromDocument(Sheet.TabCaption(tab))));
    ReportsItem->setText(Sheet.TaxOn()
                             ? QStringLiteral("Cash &Flow, %1 && Asset Reports").arg(FromDocument(Sheet.TaxName()))
                             : QStringLiteral("Cash &Flow && Asset Reports"));
}

void TMain::UpdateToolBar() {
    const bool open = Files.IsOpen != 0;
    for (TKQButton2* button : {TransBtn, ActBtn, GrpBtn, ToolsBtn, OptionBtn})
        button->setEnabled(open);
    for (QAction* action : {CloseItem, ImportItem, SaveAsItem})
        action->setEnabled(open);
    Action(QStringLiteral("ReconcileItem"))->setEnabled(open);
    ReportsItem->setEnabled(open);
    CashFlowChartItem->setEnabled(open);
    for (const char* item : {"CategoryChartItem", "AccountChartItem", "GroupChartItem", "SummaryChartItem"})
        Action(QString::fromLatin1(item))->setEnabled(open);
    for (QAction* action : OptionsPopup->actions())
        action->setEnabled(open);
    TabControl1->setEnabled(open);
    KQBookBar->setEnabled(open);
    ToolButtonsChanged();
    FiltersChanged();
}

void TMain::NoDocumentState() {
    // First, so that no refresh below draws rows of the lists just emptied.
    GridB1->ClearGrid(true);
    Sheet.SetTax(false, "GST");
    Filters.ClearFilters();
    SelectTab(0);
    AccountBarChanged();
    UpdateCaption();
    UpdateTaxCaptions();
    GstPanel->SetSummary({});
    UpdateToolBar();
    BtnPanel->hide();
    ShowWorksheetArea();
    ShowProgress(100);
}

void TMain::ShowWorksheetArea() {
    const bool open = Files.IsOpen != 0;
    GridB1->setVisible(open);
    KQBookBar->setVisible(open);
    NoDocPanel->setVisible(!open);
    if (!open) {
        const QString newest = QString::fromStdString(Mru.Newest());
        NoDocPanel->SetLastUsed(!newest.isEmpty() && QFileInfo::exists(newest) ? newest : QString());
        // The choices may have grown by one.
        Client->setMinimumSize(MinimumClientSize());
    }
}

void TMain::ShowOpenedDocument() {
    UpdateCaption();
    Sheet.SetTax(Files.Settings.TaxOn != 0, Files.Settings.TaxName);
    Filters.ClearFilters();
    Filters.FillAccountBar();
    ShowProgress(95);
    // The worksheet's protection decides whether the grid opens locked; no slide on loading.
    const int slideDelay = GridB1->SlideDelay();
    GridB1->SetSlideDelay(0);
    GridB1->SetLocked(Files.Settings.ProtectWorksheet != 0);
    GridB1->SetSlideDelay(slideDelay);
    Sheet.ResetViewPositions(false);
    Sheet.ResetViewsForNewDocument();
    UpdateTaxCaptions();
    ShowProgress(100);
    if (OptionsStore->ReadOption(OptOpenToLast))
        GridB1->ScrollToEnd();
    ShowWorksheetArea();
    GridB1->ShowAfterLoad();
    Mru.Remove(Files.Path);
    UpdateToolBar();
}

// ---- Closing --------------------------------------------------------------------------------------

bool TMain::ReadOnlyPrompt() {
    if (!Files.IsOpen)
        return true;
    switch (Files.ReadOnlyClosePrompt()) {
    case 0:
        return true;
    case 1:
        return SaveAsCommand(true);
    default:
        return false;
    }
}

bool TMain::CloseDocument() {
    if (!Files.IsOpen)
        return true;
    const TBusy busy(InFileCommand);
    FileMenu->setEnabled(false);
    const std::string path = Files.Path;
    const bool closed = Files.Close(true, true);
    if (closed) {
        Mru.AddToTop(path);
        NoDocumentState();
    }
    FileMenu->setEnabled(true);
    return closed;
}

bool TMain::CloseCommand() {
    const TBusy busy(InFileCommand);
    return ReadOnlyPrompt() && CloseDocument();
}

void TMain::ExitCommand() {
    const TBusy busy(InFileCommand);
    Closing = true;
    if (!Files.IsOpen || (ReadOnlyPrompt() && CloseDocument())) {
        close();
        return;
    }
    Closing = false;
}

// ---- Opening --------------------------------------------------------------------------------------

bool TMain::OpenFile(const std::string& path, int* check) {
    const TBusy busy(InFileCommand);
    ClosedPath = Files.IsOpen ? Files.Path : std::string();
    GridB1->setUpdatesEnabled(false);
    const TFileConvert::OpenResult result = Convert.OpenDocument(path);
    GridB1->setUpdatesEnabled(true);
    if (check)
        *check = result.Check;
    if (!result.Opened) {
        if (!Files.IsOpen)
            NoDocumentState();
        ShowProgress(100);
        return false;
    }
    ShowOpenedDocument();
    if (result.ShowExample && Services.ExampleDescription)
        Services.ExampleDescription(Files.Settings.ExampleDescFile);
    return true;
}

void TMain::OpenCommand(bool exampleFolder) {
    const TBusy busy(InFileCommand);
    if (!ReadOnlyPrompt())
        return;
    TFileDialogRequest request;
    request.Title = QStringLiteral("Open file");
    request.Folder = QString::fromStdString(FolderOf(exampleFolder));
    request.Filters = {QStringLiteral("Quillmar Zudeduze files (*.kqk)"),
                       QStringLiteral("Ombrith Books files (*.kqk)")};
    const QString chosen = Services.OpenDialog ? Services.OpenDialog(request) : QString();
    if (!chosen.isEmpty())
        OpenFile(LongName(chosen.toStdString()));
}

bool TMain::ReopenFile(const std::string& path) {
    const TBusy busy(InFileCommand);
    if (!QFileInfo::exists(QString::fromStdString(path))) {
        Ask.MessageBox("Can't find file - " + path, MsgKind::Information, MsgButtons::Ok);
        return false;
    }
    // Reopening closes the open document: a changed read-only one is offered for saving first.
    if (!ReadOnlyPrompt())
        return false;
    const std::string name = LongName(path);
    int check = 0;
    if (OpenFile(name, &check))
        return true;
    // A file refused for its password or held by another program stays first in the list.
    if ((check == 1 || check == 3) && !(Files.IsOpen && Files.Path == name))
        Mru.AddToTop(name);
    return false;
}

void TMain::OpenFromAnotherInstance(const std::string& path) {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    if (path.empty())
        return;
    if (Busy()) {
        PendingHandOff = path;
        HandOffTimer->start();
        return;
    }
    const TBusy busy(InFileCommand);
    if (ReadOnlyPrompt())
        OpenFile(LongName(path));
}

void TMain::OpenFromCommandLine(const QStringList& arguments) {
    if (arguments.isEmpty())
        return;
    // A name with blanks may arrive as several arguments.
    const QString joined = arguments.join(QLatin1Char(' '));
    if (QFileInfo(joined).isFile())
        OpenFile(LongName(joined.toStdString()));
}

void TMain::RunWelcome() {
    if (Files.IsOpen || !Services.Welcome || !OptionsStore->ReadOption(OptShowWelcome))
        return;
    RunWelcomeChoice(Services.Welcome());
}

void TMain::RunWelcomeChoice(int choice) {
    switch (choice) {
    case TWelcomeScreen::OpenExisting:
        OpenCommand();
        break;
    case TWelcomeScreen::CreateNew:
        NewCommand();
        break;
    case TWelcomeScreen::OpenExample:
        OpenCommand(true);
        break;
    case TWelcomeScreen::OpenLastUsed:
        if (!Mru.Newest().empty())
            ReopenFile(Mru.Newest());
        break;
    default:
        break;
    }
}

// ---- New ------------------------------------------------------------------------------------------

void TMain::NewCommand() {
    const TBusy busy(InFileCommand);
    if (!ReadOnlyPrompt() || !Services.NewFileDialog)
        return;
    bool created = false;
    WizardFile.clear();
    std::string madeFromExisting;
    Services.NewFileDialog([this] { return CloseDocument(); },
                           [this, &created](const std::string& path) { return created = CreateBlankFile(path); },
                           [this, &madeFromExisting] { return madeFromExisting = MakeFromExistingFile(); });
    // A file made from an existing one is complete: it is opened like any other.
    if (!madeFromExisting.empty()) {
        Filters.ClearFilters();
        created = OpenFile(madeFromExisting);
    }
    // Said once the New File dialog has gone and the new books show.
    if (created)
        Ask.MessageBox("New file created.", MsgKind::Information, MsgButtons::Ok);
    if (!WizardFile.empty()) {
        const std::string path = std::move(WizardFile);
        WizardFile.clear();
        OpenFile(path);
    }
}

bool TMain::CreateBlankFile(const std::string& path) {
    if (!CloseDocument())
        return false;
    Filters.ClearFilters();
    if (!Convert.CreateNewDocument(LongName(path), std::string(), std::string(), false)) {
        if (!Files.IsOpen)
            NoDocumentState();
        return false;
    }
    ShowOpenedDocument();
    return true;
}

bool TMain::CreateStarterFile(const std::string& path, const TStarterSet& set) {
    if (!CloseDocument())
        return false;
    Filters.ClearFilters();
    const std::string name = LongName(path);
    const bool created = CreateStarterDocument(Convert, Files, Books, Ask, name, set);
    if (!Files.IsOpen)
        NoDocumentState();
    if (created)
        WizardFile = name;
    return created;
}

std::string TMain::MakeFromExistingFile() {
    TNewFromExistingServices services;
    services.Ask = &Ask;
    services.Questions = Services.Questions;
    services.Time = Services.Time;
    services.DriveInfo = Services.DriveInfo;
    services.Convert = &Convert;
    services.OpenDialog = Services.OpenDialog;
    services.ShowHelp = [this](int topic) { ShowHelp(topic); };
    TNewFromExDlg dialog(std::move(services), QString::fromStdString(FolderOf(false)), this);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return LongName(dialog.NewPath().toStdString());
}

// ---- Save As and Import -------------------------------------------------------------------------

bool TMain::SaveAsCommand(bool fromReadOnlyPrompt) {
    if (!Files.IsOpen)
        return false;
    const TBusy busy(InFileCommand);
    TFileDialogRequest request;
    request.Title = QStringLiteral("Save As");
    request.Folder = QString::fromStdString(FolderOf(false));
    request.Filters = {QStringLiteral("Quillmar Zudeduze file (*.kqk)")};
    // An export keeps none of a read-only document's changes: the prompt offers the document's type alone.
    if (!fromReadOnlyPrompt)
        request.Filters += ExportFilterNames();
    int filter = 0;
    request.ChosenFilter = &filter;
    for (;;) {
        const QString chosen = Services.SaveDialog ? Services.SaveDialog(request) : QString();
        if (chosen.isEmpty())
            return false;
        const std::string path = LongName(chosen.toStdString());
        if (path == LongName(Files.Path)) {
            Ask.MessageBox("Can't save a file as its self!", MsgKind::Warning, MsgButtons::Ok);
            continue;
        }
        if (filter > 0) {
            // An export writes another file; the document stays as it is.
            ExportTo(filter - 1, path);
            return false;
        }
        const std::string old = Files.Path;
        if (fromReadOnlyPrompt || Files.ReadOnlyMode) {
            // The file holds none of the changes: the whole document is written anew.
            if (!Files.SaveAsNew(path))
                return false;
        } else {
            const int result = Files.SaveCopyAs(path);
            if (result == 2)
                Ask.MessageBox("An error has occured while trying to load new file.\rRestart Quillmar Zudeduze and "
                               "reopen the old file.",
                               MsgKind::Error, MsgButtons::Ok);
            if (result != 0)
                return false;
        }
        Mru.AddToTop(old);
        Mru.Remove(Files.Path);
        UpdateCaption();
        return true;
    }
}

void TMain::ImportCommand() {
    if (!Files.IsOpen)
        return;
    const TBusy busy(InFileCommand);
    // Asked once, before the dialogs: the window's "&Import" does not ask again.
    const TAccessScope access(Edit, TAccessArea::Adding);
    if (!access)
        return;
    TFileDialogRequest request;
    request.Title = QStringLiteral("Import");
    request.Folder = ImportFolder();
    request.Filters = ImportFilterNames();
    const QString chosen = Services.OpenDialog ? Services.OpenDialog(request) : QString();
    if (chosen.isEmpty())
        return;
    Services.Values->WriteText(ImportFolderValue, QFileInfo(chosen).absolutePath().toStdString());
    ImportStatementFile(LongName(chosen.toStdString()));
}

} // namespace qz::gui
