#pragma once
// TMain, the program's main window: the tool bar and menus, the date panel and selection
// buttons, the tab control with the worksheet grid, the toggle switches, the tax summary panel
// and the account bar; the document commands (New, Open, Reopen, Close, Save As, Exit), the
// recent files, the welcome screen and the hand-off from a second start. The worksheet's rows,
// totals and filters are the core's (TWorksheet, TWorksheetFilters, TWorksheetMenus); this
// window shows them and passes the user's clicks on.

#include "MRUFileList.h"
#include "edit/EditContext.h"
#include "edit/TransactionSession.h"
#include "editors/DeleteDialog.h"
#include "ledger/DisplayFormats.h"
#include "ledger/Ledger.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "storage/DocumentQuestions.h"
#include "storage/FileConvert.h"
#include "storage/OptionsFileOLE.h"
#include "wizard/StarterSet.h"
#include "worksheet/Worksheet.h"
#include "worksheet/WorksheetFilters.h"
#include "worksheet/WorksheetMenus.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabBar;
class QTimer;

namespace qz::gui {

class TDatePanel;
class TGrid3;
class TOptions;
struct TOptionsContext;
class THelpViewer;
class THiddenSettings;
class TKQBookBar;
struct TListEditorOutcome;
class TKQButton2;
class TNoDocumentPanel;
class TTaxSummaryPanel;
class TTransact;
class TToggleSwitchPanel;
class TTransFindForm;
class TSpecPageSetup;
struct TReportsContext;

// The window's outside world. The program passes the real dialogs and stores; the tests
// pass scripted ones.
struct TMainServices {
    Prompts* Ask = nullptr;
    DocumentQuestions* Questions = nullptr;
    Registry* Values = nullptr;
    const Clock* Time = nullptr;
    const RegionalSettings* Regional = nullptr;
    std::string InstallDir;
    std::function<QString(const TFileDialogRequest&)> OpenDialog;
    std::function<QString(const TFileDialogRequest&)> SaveDialog;
    // The welcome screen: 10 open, 11 new, 12 example, 13 last used; -1 closed.
    std::function<int()> Welcome;
    // The New File dialog; answers true when it created a file. It is handed the steps it runs
    // itself: closing the open document, making the blank file, and making a file from an
    // existing one (the new-from-existing dialogs: the new file's path, empty when none).
    std::function<bool(const std::function<bool()>& closeCurrent,
                       const std::function<bool(const std::string&)>& createBlank,
                       const std::function<std::string()>& makeFromExisting)>
        NewFileDialog;
    // The description window of an example document.
    std::function<void(const std::string& descFile)> ExampleDescription;
    // The screen's colour class; the program reads it from the screen depth.
    TColourClass Colours = TColourClass::TrueColour;
    // What the file manager learns of the drives; the machine's own when not given.
    Drives* DriveInfo = nullptr;
    // The deletion confirmation the editors ask through; the window's own when null.
    TEditDialogs* EditDialogs = nullptr;
};

// The grid's font as the user's grid properties describe it.
QFont GridFontOf(const TGridProperties& properties);

class TMain : public QMainWindow, public TWorksheetWindow, public TWorksheetDialogs {
    Q_OBJECT
public:
    explicit TMain(TMainServices services, QWidget* parent = nullptr);
    ~TMain() override;

    // ---- Commands ------------------------------------------------------------------------
    void NewCommand();
    // The Open command: the open dialog (in the example folder for an example), then OpenFile.
    void OpenCommand(bool exampleFolder = false);
    // Opens a named document: pre-check, close the old one, convert, load, show. `check`
    // receives the pre-check's answer.
    bool OpenFile(const std::string& path, int* check = nullptr);
    // A "Reopen" item or the welcome screen's last used file.
    bool ReopenFile(const std::string& path);
    bool CloseCommand();
    // Answers whether the document was saved.
    bool SaveAsCommand(bool fromReadOnlyPrompt = false);
    // "Import": the open dialog with the statement filters, then the import window; after an
    // import the worksheet filters are reset, which recalculates and shows the new rows.
    void ImportCommand();
    // The import window on a chosen statement; true when it imported anything.
    bool ImportStatementFile(const std::string& path);
    // The export filters "Save &As / Export" offers after the document's own type, and the
    // statement filters of "Import".
    static QStringList ExportFilterNames();
    static QStringList ImportFilterNames();
    // Writes export filter `index` (of ExportFilterNames) to `path`; false, after saying why,
    // when the file could not be written.
    bool ExportTo(int index, const std::string& path);
    void ExitCommand();
    // The "&Help" button: the help, or with Ctrl and the keypad's plus held, "Hidden Settings".
    void HelpCommand();
    void ShowHelp(int topic);
    void FitDefaultColumns(std::array<TGridInfo, 5>& sets);
    QString HelpFolder() const;
    void ShowHiddenSettings();
    // A later start handed this file over (empty: it only wants the window to the front).
    // While a command or a dialog of this window is under way, the file waits for its end.
    void OpenFromAnotherInstance(const std::string& path);
    // The command line's arguments: joined, and opened when such a file exists.
    void OpenFromCommandLine(const QStringList& arguments);
    // At start-up, once the window shows: the welcome screen, when no document is open.
    void RunWelcome();
    // A choice of the welcome screen, or of the worksheet area while no document is open
    // (TWelcomeScreen::OpenExisting ... OpenLastUsed).
    void RunWelcomeChoice(int choice);
    // Shows the window where the user left it (position, size, maximised or not).
    void ShowWithPlacement();
    // The options window on `page` (0 Worksheet .. 4 GST / VAT), after the access check its page
    // asks for, and what its OK changed: 0 when refused or cancelled, else its result (1, 2, 3).
    int OpenOptions(int page, bool* taxChanged = nullptr);
    // The options window as OpenOptions opens it, not yet shown (for the screenshots).
    std::unique_ptr<TOptions> MakeOptionsWindow(int page);

    // The close step the New File dialog and the commands use: the read-only prompt is the
    // caller's. True when the document is closed (or none was open).
    bool CloseDocument();
    // The blank-file way of the New File dialog: creates and opens the file (New then says so).
    bool CreateBlankFile(const std::string& path);
    // The wizard's Finish: the file manager creates the document at `path` with the wizard's
    // starter set and closes it; New opens it once the New File dialog has gone.
    bool CreateStarterFile(const std::string& path, const TStarterSet& set);
    // The from-existing way: the new-from-existing dialogs, with no document open; the new
    // file's path, or empty when none was made.
    std::string MakeFromExistingFile();
    // "R&eset" for the reports window and the import.
    void ResetWorksheetFilters(bool reportsWindowCaller = false) { Filters.ResetSelections(reportsWindowCaller); }

    // ---- State, for the tests and the screenshots ----------------------------------------
    bool DocumentOpen() const { return Files.IsOpen != 0; }
    TLedger& Ledger() { return Books; }
    TFileManager& FileManager() { return Files; }
    TWorksheet& Worksheet() { return Sheet; }
    TWorksheetFilters& WorksheetFilters() { return Filters; }
    TWorksheetMenus& WorksheetMenus() { return Menus; }
    TOptionsManager& Options() { return *OptionsStore; }
    // The document, its access check and the questions, as the editing operations take them.
    TEditContext& EditContext() { return Edit; }
    TGridProperties& GridProperties() { return GridProps; }
    TMRUFileList& RecentFiles() { return Mru; }
    TGrid3* Grid() const { return GridB1; }
    QTabBar* TabControl() const { return TabControl1; }
    TKQBookBar* AccountBar() const { return KQBookBar; }
    TToggleSwitchPanel* TogglePanel() const { return BtnPanel; }
    TTaxSummaryPanel* TaxPanel() const { return GstPanel; }
    TDatePanel* DatePanel() const { return DatePanelCtl; }
    TNoDocumentPanel* NoDocumentPanel() const { return NoDocPanel; }
    QProgressBar* ProgressBar() const { return Progress; }
    QMenu* ReopenMenu() const { return ReopenMenuCtl; }
    QMenu* ContextMenu() const { return GridPopup; }
    THelpViewer* HelpWindow() const { return HelpViewer; }
    THiddenSettings* HiddenSettingsWindow() const { return HiddenSettingsDlg; }
    // The transaction search's window, once a search was opened.
    TTransFindForm* SearchForm() const { return TransFind; }
    QAction* Action(const QString& objectName) const;
    TKQButton2* ToolButton(const QString& objectName) const;
    QPushButton* ResetButton() const { return ResetSelBtn; }
    bool WideToolBar() const { return Wide; }
    void SelectTab(int tab);
    // The worksheet's context menu shows without running (the tests pick an item).
    bool PopupsModal = true;

    // MainTransactions.cpp: the transaction editor on a new transaction (New), on the
    // transaction of a Transactions-view row (Row) or at a key index (Index), and the worksheet
    // brought up to date after it. True when the user left with OK or anything was stored.
    bool OpenTransactionEditor(TTransMode mode, std::int32_t position);
    // The editor, made at its first opening and kept (nullptr before).
    TTransact* TransactionEditor() const { return TransactForm; }

    // MainTransfers.cpp: the transfer window with the transfer of `record` chosen (none for
    // null); true when the user left it with OK or anything changed. "&Transfers" opens it with
    // none chosen and brings the worksheet up to date after it.
    bool OpenTransfers(const TTransRec* record);
    void TransfersCommand();

    // MainReconcile.cpp: "&Reconcile": the password of Editing, the reconcile window, and the
    // worksheet recalculated when it reconciled anything. True when it did.
    bool ReconcileCommand();
    // "Cash Flow, GST && Asset Reports": the Reports dialog after the Worksheet password.
    bool ReportsCommand();
    // "&Print": the Print Screen dialog after the Printing password.
    bool PrintCommand();
    // MainCharts.cpp: a chart command (10 the cash flow chart); a chart window's "&Jump To..."
    // runs the next one, until a window is simply closed. Returns the last code.
    int ChartCommand(int code);

    // ---- TWorksheetWindow ----------------------------------------------------------------
    void ShowColumnSet(TGridInfo& columns) override;
    void ShowViewPanels() override;
    void RefreshGrid(std::int32_t rowCount) override;
    void RepaintGrid() override;
    void ScrollGridToTop(bool everyView) override;
    void ShowTaxSummary(const TTaxSummary& summary) override;
    void FiltersChanged() override;
    void ToolButtonsChanged() override;
    void AccountBarChanged() override;
    void ShowProgress(int position) override;
    void StoreOption(TWorksheetOption option, bool value) override;

    // ---- TWorksheetDialogs: the editors and selections open in later versions ------------
    bool CheckAccess(TAccessArea area) override;
    bool EditAccounts(TBookRec* account) override;
    bool EditTransactionOfRow(std::int32_t row, TTransRec& transaction) override;
    bool EditTransfer(TTransRec& transaction) override;
    bool EditCategory(TMainActRec* category, TSubActRec* sub) override;
    bool EditGroups(TGroupRec* group) override;
    bool EditCategoryTypes(TCatRec* type) override;
    bool FindCategory(bool subCategories, TCategoryFound& found) override;
    bool SelectCategories(bool newSelection) override;
    bool SelectGroups(bool newSelection) override;
    bool OpenSearch(bool newSearch) override;
    void ReapplySearch() override;
    void BeginChanges() override;
    bool EndChanges() override;
    bool PickMonths(TMonth& first, TMonth& last) override;
    void NewTransaction() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Follows the keypad's plus key for the "&Help" button.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // MainForm.cpp: construction.
    void CreateControls();
    void CreateMenus();
    void CreateToolBar();
    void SetHelpContexts();
    void ConnectGrid();
    // An account button of the account bar clicked, with Ctrl held or not.
    void AccountButtonClick(int index, bool ctrlHeld);
    void ReadStoredOptions();
    void RebuildReopenMenu();
    void ShowGridPopup(int x, int y, int recIndex);
    void ShowSelectionMenu(TSelectionKind kind);

    // MainEditors.cpp: the editors of the books' structure.
    struct TDeletedRows;
    TDeletedRows RowsBeforeEdit() const;
    void AfterEdit(std::uint16_t refresh);
    void KeepFirstVisibleRows(const TDeletedRows& deleted);
    bool AfterListEditor(int view, TDeletedRows& deleted, const TListEditorOutcome& outcome);
    void CategoriesCommand();
    void GroupsCommand();

    // MainWorksheet.cpp: the transaction search's window, made on first use.
    TTransFindForm& SearchWindow();
    // MainTransactions.cpp: what follows the transaction editor's closing.
    void TransactionEditorClosed(const TTransactionEditorResult& result);
    // MainReconcile.cpp: the Tools menu's "&Reconcile" item wired to its command.
    void ConnectReconcile();
    // MainReports.cpp: the Reports dialog.
    void ConnectReports();
    // MainCharts.cpp: the chart items of the charts menu.
    void ConnectCharts();
    TReportsContext ReportsContext();

    // MainOptions.cpp: the options window and what its changes call for.
    TOptionsContext OptionsContext();
    void OptionsMenuClick(int page);
    // The grid takes the outline colour and font of GridProps.
    void ApplyGridProperties();
    void AfterOptions(int result, bool taxChanged, bool worksheetChanged);

    // MainLayout.cpp: layout.
    void LayoutToolBar();
    // Lays the filter bar out from `top`; answers the height it took (one row or two).
    int LayoutFilterBar(int top);
    // A selection button's width: as its caption needs, or roomier unless `compact`.
    int SelectionButtonWidth(QPushButton* button, bool compact) const;
    int SelectionRowWidth(bool compact) const;
    QSize MinimumClientSize() const;
    void LayoutClient();
    void LayoutTabPage();

    // MainCommands.cpp: documents.
    bool ReadOnlyPrompt();
    bool LoadAndShow(const std::string& path, bool example);
    void ShowOpenedDocument();
    void NoDocumentState();
    // The worksheet (grid and account bar) while a document is open, else the no-document panel.
    void ShowWorksheetArea();
    void UpdateToolBar();
    void UpdateCaption();
    void UpdateTaxCaptions();
    std::string FolderOf(bool example) const;
    // MainImport.cpp: where the import's open dialog starts: the folder of the last statement.
    QString ImportFolder() const;
    static constexpr const char* ImportFolderValue = "Import Folder";
    // A document command, a modal dialog or a menu is under way.
    bool Busy() const;

    TMainServices Services;
    Prompts& Ask;
    TLedger Books;
    TDisplayFormats Formats;
    TFileManager Files;
    TFileConvert Convert;
    TWorksheet Sheet;
    TWorksheetFilters Filters;
    TWorksheetMenus Menus;
    TGridProperties GridProps;
    std::unique_ptr<TOptionsManager> OptionsStore;
    TMRUFileList Mru;
    // What the editors' operations work with: the document, its password check, the questions.
    TAccessCheck Access;
    TQtEditDialogs QtEditDialogs;
    TEditContext Edit;
    // The page setup of the printed reports, kept between uses of the Reports dialog.
    std::unique_ptr<TSpecPageSetup> ReportPage;

    bool Closing = false;
    bool Wide = true;
    bool PlacementRestored = false;
    bool InFileCommand = false;
    bool HintHidden = false;
    // The document that opening another one has closed (for the recent files).
    std::string ClosedPath;
    // The document the wizard made, to be opened when the New File dialog has gone.
    std::string WizardFile;
    std::string PendingHandOff;
    QTimer* HandOffTimer = nullptr;
    bool KeypadPlusDown = false;
    THelpViewer* HelpViewer = nullptr;
    THiddenSettings* HiddenSettingsDlg = nullptr;
    TTransFindForm* TransFind = nullptr;
    TTransact* TransactForm = nullptr;

    // Controls.
    QWidget* Client = nullptr;
    QWidget* ToolBarArea = nullptr;
    TKQButton2* TransBtn = nullptr;
    TKQButton2* ActBtn = nullptr;
    TKQButton2* GrpBtn = nullptr;
    TKQButton2* ToolsBtn = nullptr;
    TKQButton2* GraphBtn = nullptr;
    TKQButton2* PrintBtn = nullptr;
    TKQButton2* OptionBtn = nullptr;
    TKQButton2* HelpBtn = nullptr;
    QWidget* Separators[4] = {};
    QMenu* ToolsPopup = nullptr;
    QMenu* ChartsPopup = nullptr;
    QMenu* OptionsPopup = nullptr;
    QAction* ReportsItem = nullptr;
    QAction* CashFlowChartItem = nullptr;
    TDatePanel* DatePanelCtl = nullptr;
    QPushButton* ActSelBtn = nullptr;
    QPushButton* GrpSelBtn = nullptr;
    QPushButton* FindSelBtn = nullptr;
    QPushButton* ResetSelBtn = nullptr;
    QTabBar* TabControl1 = nullptr;
    QWidget* TabPage = nullptr;
    TGrid3* GridB1 = nullptr;
    TToggleSwitchPanel* BtnPanel = nullptr;
    TTaxSummaryPanel* GstPanel = nullptr;
    TKQBookBar* KQBookBar = nullptr;
    TNoDocumentPanel* NoDocPanel = nullptr;
    QProgressBar* Progress = nullptr;
    QMenu* FileMenu = nullptr;
    QMenu* ReopenMenuCtl = nullptr;
    QMenu* GridPopup = nullptr;
    QAction* NewItem = nullptr;
    QAction* OpenItem = nullptr;
    QAction* CloseItem = nullptr;
    QAction* ImportItem = nullptr;
    QAction* SaveAsItem = nullptr;
};

} // namespace qz::gui
