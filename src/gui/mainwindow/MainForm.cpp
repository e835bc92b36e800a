#include "MainForm.h"

#include "HelpViewer.h"
#include "HiddenSettings.h"
#include "NoDocumentPanel.h"
#include "TaxSummaryPanel.h"
#include "controls/DatePanel.h"
#include "controls/HelpContext.h"
#include "controls/KQBookBar.h"
#include "controls/KQButton2.h"
#include "controls/OwnerDrawMenu.h"
#include "controls/ToggleSwitches.h"
#include "controls/ToolGlyphs.h"
#include "grid/ColumnTitleHint.h"
#include "grid/Grid3.h"
#include "grid/TitleRow.h"
#include "grid/WinColour.h"
#include "platform/TextCodec.h"
#include "reports/Reports.h"
#include "worksheet/ColumnFit.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

namespace qz::gui {

QFont GridFontOf(const TGridProperties& properties) {
    QFont font(FromDocument(properties.FontName), std::max(6, properties.FontSize));
    font.setBold(properties.FontStyle & 1);
    font.setItalic(properties.FontStyle & 2);
    font.setUnderline(properties.FontStyle & 4);
    font.setStrikeOut(properties.FontStyle & 8);
    return font;
}

namespace {

constexpr int HintPause = 4000;
constexpr int MainHelpTopic = 26000;

TColour ToggleBackground(const TGrid3& grid) {
    return grid.Colours().Background;
}

} // namespace

TMain::TMain(TMainServices services, QWidget* parent)
    : QMainWindow(parent), Services(std::move(services)), Ask(*Services.Ask), Formats(*Services.Regional),
      Files(Books, *Services.Ask, *Services.Questions, *Services.Time,
            Services.DriveInfo ? *Services.DriveInfo : Drives::System()),
      Convert(Files, Books, *Services.Ask, *Services.Questions, *Services.Time), Sheet(Books, Formats, *this),
      Filters(Sheet, *this), Menus(Sheet, Filters, *this), Mru(*Services.Values),
      Access(Files.Settings, [this](const std::string& password) { return Services.Questions->AskPassword(password); }),
      QtEditDialogs(this), Edit{Files, Books, Access, Ask,
                                Services.EditDialogs ? *Services.EditDialogs : QtEditDialogs} {
    setObjectName(QStringLiteral("Quillmar Zudeduze"));
    setWindowTitle(QStringLiteral("Quillmar Zudeduze"));
    Files.ConnectLists();
    Files.Progress = [this](int position, const std::string&) { ShowProgress(position); };
    // Opening another document closed the open one: the window shows no document until the
    // new one has loaded, and the filters are cleared before it loads.
    Convert.DocumentClosed = [this] {
        Mru.AddToTop(ClosedPath);
        NoDocumentState();
        repaint();
    };

    OptionsStore =
        std::make_unique<TOptionsManager>(*Services.Values, Ask, Sheet.GridInfo, GridProps, Services.InstallDir);
    OptionsStore->Colours = Services.Colours;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        OptionsStore->SetScreenWidth(screen->geometry().width());
    OptionsStore->FitDefaults = [this](std::array<TGridInfo, 5>& sets) { FitDefaultColumns(sets); };
    OptionsStore->LoadWorksheetSettings();

    TScreenColours screen;
    screen.ButtonFace = FromQColor(palette().color(QPalette::Button));
    screen.ButtonShadow = FromQColor(palette().color(QPalette::Dark));
    screen.Colours = Services.Colours;
    Sheet.SetScreenColours(screen);

    CreateControls();
    CreateMenus();
    SetHelpContexts();
    ReadStoredOptions();
    Mru.OnChange = [this] {
        RebuildReopenMenu();
        ShowWorksheetArea();
    };
    Mru.Load();

    Sheet.ResetViewsForNewDocument();
    NoDocumentState();
    // Small enough for a 640 x 480 screen, large enough to show every control.
    Client->setMinimumSize(MinimumClientSize());
    resize(800, 560);

    HandOffTimer = new QTimer(this);
    HandOffTimer->setInterval(250);
    connect(HandOffTimer, &QTimer::timeout, this, [this] {
        if (PendingHandOff.empty()) {
            HandOffTimer->stop();
        } else if (!Busy()) {
            HandOffTimer->stop();
            OpenFromAnotherInstance(std::exchange(PendingHandOff, std::string()));
        }
    });

    qApp->installEventFilter(this);

    // Hints stay for four seconds.
    for (QWidget* widget : findChildren<QWidget*>())
        widget->setToolTipDuration(HintPause);
    // Another program in front: the floating hints go, and come back with the program.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        QWidget* hint = GridB1->TitleHint();
        if (state != Qt::ApplicationActive) {
            QToolTip::hideText();
            HintHidden = hint->isVisible();
            hint->hide();
        } else {
            if (HintHidden)
                hint->show();
            HintHidden = false;
            if (Services.Colours == TColourClass::Palette256)
                GridB1->RefreshGrid(false);
        }
    });

    // A new screen width may call for the other worksheet options file.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        connect(screen, &QScreen::geometryChanged, this, [this](const QRect& geometry) {
            const std::string before = OptionsStore->OptionsPath();
            OptionsStore->DisplayChanged(geometry.width());
            if (OptionsStore->OptionsPath() != before)
                Sheet.ResetViewsForNewDocument();
            LayoutClient();
        });
}

TMain::~TMain() {
    // An open document is closed (written) when the window goes.
    if (Files.IsOpen)
        Files.Close(true, true);
    // The grid keeps a pointer to a column set of the worksheet, which goes first (the grid still
    // hears of the focus leaving it as the window closes).
    GridB1->OnGetText = nullptr;
    GridB1->OnGetTotalHint = nullptr;
    GridB1->SetGridInfo(nullptr);
}

// ---- Construction ------------------------------------------------------------------------------

void TMain::CreateControls() {
    Client = new QWidget(this);
    setCentralWidget(Client);
    CreateToolBar();

    DatePanelCtl = new TDatePanel(Client);
    DatePanelCtl->OnPickDate = [this](int which, QDate day) {
        Filters.PickRangeDate(static_cast<std::uint8_t>(which), EncodeDate(day.year(), day.month(), day.day()));
    };
    DatePanelCtl->OnDaySwitch = [this](bool down) { Filters.DateRangeBtnClick(down); };
    DatePanelCtl->OnPeriodClick = [this] { Filters.DatePeriodBtnClick(); };

    auto selectionButton = [this](const char* name, TSelectionKind kind) {
        auto* button = new QPushButton(Client);
        button->setObjectName(QLatin1String(name));
        button->setAutoFillBackground(true);
        connect(button, &QPushButton::clicked, this, [this, kind] {
            if (Filters.SelectionButton(kind).Active)
                ShowSelectionMenu(kind);
            else
                Filters.NewSelection(kind);
        });
        return button;
    };
    ActSelBtn = selectionButton("ActSelBtn", TSelectionKind::Categories);
    GrpSelBtn = selectionButton("GrpSelBtn", TSelectionKind::Groups);
    FindSelBtn = selectionButton("FindSelBtn", TSelectionKind::Transactions);
    ResetSelBtn = new QPushButton(QStringLiteral("R&eset"), Client);
    ResetSelBtn->setObjectName(QStringLiteral("ResetSelBtn"));
    ResetSelBtn->setToolTip(QStringLiteral("Reset all Selections"));
    connect(ResetSelBtn, &QPushButton::clicked, this, [this] { Filters.ResetSelections(); });

    TabControl1 = new QTabBar(Client);
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    TabControl1->setExpanding(false);
    TabControl1->setDrawBase(false);
    for (int tab = 0; tab < ViewCount; ++tab)
        TabControl1->addTab(FromDocument(Sheet.TabCaption(tab)));
    connect(TabControl1, &QTabBar::currentChanged, this, [this](int tab) {
        if (tab >= 0 && tab != Sheet.ActiveTab())
            Sheet.SwitchView(tab);
    });

    auto* page = new QFrame(Client);
    page->setFrameShape(QFrame::StyledPanel);
    TabPage = page;
    GridB1 = new TGrid3(TabPage);
    GridB1->setObjectName(QStringLiteral("GridB1"));
    GridB1->SetMaxCols(GridMaxCols);
    GridB1->SetBalLinkIndex(11);
    GridB1->SetColourClass(Services.Colours);
    GridB1->SetBtnWidth(26);
    ApplyGridProperties();
    ConnectGrid();

    BtnPanel = new TToggleSwitchPanel(TabPage);
    BtnPanel->setObjectName(QStringLiteral("BtnPanel"));
    BtnPanel->OnSwitchDown = [this](int which) { Filters.ToggleSwitchDown(which); };
    GstPanel = new TTaxSummaryPanel(TabPage);
    GstPanel->setObjectName(QStringLiteral("GstPanel"));
    GstPanel->setFont(GridB1->font());
    GstPanel->SetBackground(ToQColor(GridB1->Colours().Button));
    KQBookBar = new TKQBookBar(TabPage);
    KQBookBar->setObjectName(QStringLiteral("KQBookBar"));
    KQBookBar->OnAccountClick = [this](int index, bool ctrl) { AccountButtonClick(index, ctrl); };
    KQBookBar->OnAllClick = [this] { Filters.AllAccountsClick(); };
    KQBookBar->OnAccountsClick = [this] { Filters.AccountsBtnClick(); };

    NoDocPanel = new TNoDocumentPanel(TabPage);
    NoDocPanel->setObjectName(QStringLiteral("NoDocumentPanel"));
    NoDocPanel->OnChoice = [this](int choice) { RunWelcomeChoice(choice); };

    // The toggle panel takes the grid's background, as the tax panel takes its button colour.
    BtnPanel->SetPanelColour(ToQColor(ToggleBackground(*GridB1)));

    Progress = new QProgressBar(Client);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setRange(0, 100);
    Progress->setTextVisible(false);
    Progress->hide();

    GridPopup = new QMenu(this);
    GridPopup->setObjectName(QStringLiteral("GridPopup"));
}

void TMain::CreateToolBar() {
    struct TToolButton {
        TKQButton2** Button;
        const char* Name;
        const char* Caption;
        const char* Hint;
        TToolGlyph Glyph;
    };
    const TToolButton buttons[8] = {
        {&TransBtn, "TransBtn", "&New Transaction", "New Transaction", TToolGlyph::NewTransaction},
        {&ActBtn, "ActBtn", "&Categories", "Categories", TToolGlyph::Categories},
        {&GrpBtn, "GrpBtn", "&Groups", "Groups", TToolGlyph::Groups},
        {&ToolsBtn, "ToolsBtn", "&Tools", "Tools", TToolGlyph::Tools},
        {&GraphBtn, "GraphBtn", "&Reports", "Reports", TToolGlyph::Reports},
        {&PrintBtn, "PrintBtn", "&Print", "Print", TToolGlyph::Print},
        {&OptionBtn, "OptionBtn", "&Options", "Options", TToolGlyph::Options},
        {&HelpBtn, "HelpBtn", "&Help", "Help", TToolGlyph::Help},
    };
    for (const TToolButton& b : buttons) {
        auto* button = new TKQButton2(Client);
        button->setObjectName(QLatin1String(b.Name));
        button->setText(QString::fromUtf8(b.Caption));
        button->setToolTip(QString::fromUtf8(b.Hint));
        button->setProperty("glyph", static_cast<int>(b.Glyph));
        *b.Button = button;
    }
    for (QWidget*& separator : Separators) {
        auto* line = new QFrame(Client);
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        separator = line;
    }

    auto addItem = [this](QMenu* menu, const char* caption, const char* name) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QLatin1String(name));
        return action;
    };
    ToolsPopup = new TOwnerDrawMenu(this);
    connect(addItem(ToolsPopup, "&Transfers", "TransfersItem"), &QAction::triggered, this,
            [this] { TransfersCommand(); });
    addItem(ToolsPopup, "&Reconcile", "ReconcileItem");
    ChartsPopup = new TOwnerDrawMenu(this);
    CashFlowChartItem = addItem(ChartsPopup, "&Cash Flow Chart", "CashFlowChartItem");
    addItem(ChartsPopup, "Ca&tegory Totals Chart", "CategoryChartItem");
    addItem(ChartsPopup, "&Account Totals Chart", "AccountChartItem");
    addItem(ChartsPopup, "&Group Totals Chart", "GroupChartItem");
    addItem(ChartsPopup, "&Quick Summary Chart", "SummaryChartItem");
    ChartsPopup->addSeparator();
    ReportsItem = addItem(ChartsPopup, "Cash Flow, GST && Asset Reports", "ReportsItem");
    OptionsPopup = new TOwnerDrawMenu(this);
    // The editors, reports and charts open in later versions: their commands are shown and disabled.
    for (QMenu* menu : {ToolsPopup, ChartsPopup})
        for (QAction* action : menu->actions())
            action->setEnabled(false);
    // The items' tags are the options window's pages.
    const char* const optionItems[][2] = {{"&Worksheet...", "WorksheetOptionsItem"},
                                          {"&Password...", "PasswordOptionsItem"},
                                          {"&File...", "FileOptionsItem"},
                                          {"Ge&neral...", "GeneralOptionsItem"},
                                          {"GST / &VAT...", "TaxOptionsItem"}};
    for (int page = 0; page < 5; ++page) {
        QAction* action = addItem(OptionsPopup, optionItems[page][0], optionItems[page][1]);
        action->setData(page);
        connect(action, &QAction::triggered, this, [this, page] { OptionsMenuClick(page); });
    }
    ToolsBtn->SetDropDown(ToolsPopup);
    ConnectReconcile();
    ConnectReports();
    ConnectCharts();
    GraphBtn->SetDropDown(ChartsPopup);
    GraphBtn->OnBeforeDropDown = [this] { return CheckAccess(TAccessArea::Reports); };
    OptionBtn->SetDropDown(OptionsPopup);
    connect(HelpBtn, &QAbstractButton::clicked, this, [this] { HelpCommand(); });
    connect(TransBtn, &QAbstractButton::clicked, this, [this] { NewTransaction(); });
    connect(ActBtn, &QAbstractButton::clicked, this, [this] { CategoriesCommand(); });
    connect(GrpBtn, &QAbstractButton::clicked, this, [this] { GroupsCommand(); });
}

void TMain::CreateMenus() {
    FileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    auto item = [this](QMenu* menu, const char* caption, const char* name, auto handler) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    NewItem = item(FileMenu, "&New", "NewItem", [this] { NewCommand(); });
    OpenItem = item(FileMenu, "&Open", "OpenItem", [this] { OpenCommand(); });
    OpenItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    ReopenMenuCtl = FileMenu->addMenu(QStringLiteral("Reopen"));
    ReopenMenuCtl->setObjectName(QStringLiteral("ReopenMenu"));
    CloseItem = item(FileMenu, "&Close", "CloseItem", [this] { CloseCommand(); });
    FileMenu->addSeparator();
    ImportItem = item(FileMenu, "Import", "ImportItem", [this] { ImportCommand(); });
    SaveAsItem = item(FileMenu, "Save &As / Export", "SaveAsItem", [this] { SaveAsCommand(); });
    FileMenu->addSeparator();
    QAction* exit = item(FileMenu, "E&xit", "ExitItem", [this] { ExitCommand(); });
    exit->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    QAction* contents = help->addAction(QStringLiteral("&Contents"));
    contents->setObjectName(QStringLiteral("ContentsItem"));
    help->addSeparator();
    for (const char* caption : {"Quillmar Web Site", "Check for updates", "Email Support"})
        help->addAction(QString::fromUtf8(caption));
    help->addSeparator();
    item(help, "&About", "AboutItem", [this] {
        QMessageBox::about(this, QStringLiteral("About Quillmar Zudeduze"),
                           QStringLiteral("Quillmar Zudeduze\nA cash book for small businesses.\nVersion %1")
                               .arg(QCoreApplication::applicationVersion()));
    });
    // The web site, updates and support mail come in a later version.
    for (QAction* action : help->actions())
        if (action->objectName() != QStringLiteral("AboutItem"))
            action->setEnabled(false);
    contents->setEnabled(true);
    connect(contents, &QAction::triggered, this, [this] { ShowHelp(MainHelpTopic); });
}

// Each control's help topic; F1 opens the one of the control with the focus (the window's own
// for the controls without one).
void TMain::SetHelpContexts() {
    const std::pair<QWidget*, int> topics[] = {
        {this, MainHelpTopic},
        {TransBtn, 26010},
        {ActBtn, 26020},
        {GrpBtn, 26030},
        {ToolsBtn, 26040},
        {GraphBtn, 26050},
        {PrintBtn, 26060},
        {OptionBtn, 26070},
        {HelpBtn, 40},
        {DatePanelCtl->DayButton(), 26080},
        {DatePanelCtl->PeriodButton(), 26090},
        {DatePanelCtl->Picker(1), 26100},
        {DatePanelCtl->Picker(2), 26110},
        {FindSelBtn, 26120},
        {ActSelBtn, 26130},
        {GrpSelBtn, 26140},
        {ResetSelBtn, 26150},
        {GridB1, 26170},
        {KQBookBar, 26180},
        {TabControl1, 26190},
    };
    for (const auto& [widget, topic] : topics)
        SetHelpContext(widget, topic);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] {
        // A control whose topic has no page yet gets the page of the part of the window around it.
        const QString folder = HelpFolder();
        ShowHelp(HelpContextOf(QApplication::focusWidget(), MainHelpTopic, [&folder](int topic) {
            return QFileInfo::exists(THelpViewer::TopicPath(folder, topic));
        }));
    });
}

// The program's default columns widened to what the grid's own font needs.
void TMain::FitDefaultColumns(std::array<TGridInfo, 5>& sets) {
    const QFont font = GridFontOf(GridProps);
    FitColumns(sets, Formats, [&font](const std::string& text, TFitText kind) {
        return ColumnWidthFor(font, FromDocument(text), kind != TFitText::Cell, kind == TFitText::SortedTitle);
    });
}

void TMain::ConnectGrid() {
    GridB1->OnGetText = [this](int line, std::vector<std::string>& texts, bool& enabled, std::uint8_t& rowType,
                               TColour&) { Sheet.GridB1GetText(line, texts, enabled, rowType); };
    GridB1->OnGetRowColor = [this](int row, TColour& colour) { colour = Sheet.GridB1GetRowColor(row); };
    GridB1->OnColBtnClick = [this](int column) { Sheet.GridB1ColBtnClick(column); };
    GridB1->OnRowBtnClick = [this](int row) { Menus.GridB1RowBtnClick(row); };
    GridB1->OnShowPopup = [this](int x, int y, int recIndex) { ShowGridPopup(x, y, recIndex); };
    GridB1->OnColumnSize = [this](int, int) { Sheet.GridB1ColumnSize(); };
    GridB1->OnColOrderChange = [this] { Sheet.GridB1ColOrderChange(); };
    GridB1->OnAllowUnLock = [this](bool& allow, QPoint) { allow = CheckAccess(TAccessArea::Worksheet); };
    // The Transactions' first total counts the rows.
    GridB1->OnGetTotalHint = [this](int slot) {
        return Sheet.ActiveTab() == ViewTransactions && slot == 0 ? QStringLiteral("Rows shown") : QString();
    };
}

void TMain::AccountButtonClick(int index, bool ctrlHeld) {
    Filters.AccountButtonClick(index, ctrlHeld);
}

void TMain::ReadStoredOptions() {
    TWorksheetOptions options;
    options.IncludeDisabledInCalc = OptionsStore->ReadOption(OptIncludeDisabledInCalc);
    options.BalanceEndDay = OptionsStore->ReadOption(OptBalanceEndDay);
    options.GSTinTotals = OptionsStore->ReadOption(OptGSTinTotals);
    Sheet.SetOptions(options);
    Files.AutoBackup = OptionsStore->ReadOption(OptAutoBak);
    // Gradients need more than 256 colours.
    GridB1->SetGradients(Services.Colours == TColourClass::TrueColour && OptionsStore->ReadOption(OptGradients));
}

void TMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (PlacementRestored)
        return;
    PlacementRestored = true;
    LayoutClient();
}

bool TMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Plus && (key->modifiers() & Qt::KeypadModifier) && !key->isAutoRepeat())
            KeypadPlusDown = event->type() == QEvent::KeyPress;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMain::HelpCommand() {
    if ((QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier) && KeypadPlusDown)
        ShowHiddenSettings();
    else
        ShowHelp(MainHelpTopic);
}

QString TMain::HelpFolder() const {
    return QString::fromStdString(Services.InstallDir) + QStringLiteral("/Help");
}

void TMain::ShowHelp(int topic) {
    if (!HelpViewer)
        HelpViewer = new THelpViewer(this, HelpFolder());
    HelpViewer->ShowTopic(topic);
    HelpViewer->show();
    HelpViewer->raise();
}

void TMain::ShowHiddenSettings() {
    delete HiddenSettingsDlg;
    std::function<bool(bool, const std::string&)> apply;
    if (Files.IsOpen)
        apply = [this](bool example, const std::string& descFile) {
            Files.Settings.IsExample = example ? 1 : 0;
            Files.Settings.ExampleDescFile = descFile;
            return Files.WriteSettings();
        };
    HiddenSettingsDlg = new THiddenSettings(this, Files.Settings.IsExample != 0, Files.Settings.ExampleDescFile, apply);
    HiddenSettingsDlg->show();
}

void TMain::ShowWithPlacement() {
    const TWindowPlacement placement = OptionsStore->LoadWindowPlacement();
    if (placement.Width > 0 && placement.Height > 0) {
        resize(placement.Width, placement.Height);
        move(placement.X, placement.Y);
    }
    if (placement.State == 2) {
        // Without a window manager a maximised window keeps its size: give it the screen's.
        if (const QScreen* screen = this->screen())
            setGeometry(screen->availableGeometry());
        showMaximized();
    } else
        show();
}

void TMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && GridB1)
        Sheet.Refresh();
}

void TMain::wheelEvent(QWheelEvent* event) {
    // One row per notch, downwards for a wheel turned towards the user.
    GridB1->ScrollRows(-event->angleDelta().y() / 120);
    event->accept();
}

void TMain::closeEvent(QCloseEvent* event) {
    if (!Closing && Files.IsOpen && !(ReadOnlyPrompt() && CloseDocument())) {
        event->ignore();
        return;
    }
    TWindowPlacement placement;
    placement.State = isMaximized() ? 2 : isMinimized() ? 1 : 0;
    const QRect frame = normalGeometry();
    placement.X = frame.x();
    placement.Y = frame.y();
    placement.Width = frame.width();
    placement.Height = frame.height();
    OptionsStore->SaveWindowPlacement(placement);
    Closing = true;
    event->accept();
}

// ---- Menus built from the worksheet's items ---------------------------------------------------

void TMain::RebuildReopenMenu() {
    ReopenMenuCtl->clear();
    int index = 0;
    for (const std::string& path : Mru.Items()) {
        QAction* action =
            ReopenMenuCtl->addAction(QStringLiteral("&%1 %2").arg(++index).arg(QString::fromStdString(path)));
        connect(action, &QAction::triggered, this, [this, path] { ReopenFile(path); });
    }
    ReopenMenuCtl->setEnabled(!Mru.Items().empty());
}

namespace {

void FillMenu(QMenu& menu, const std::vector<TMenuItem>& items, const std::function<void(TMenuCommand)>& run) {
    menu.clear();
    for (const TMenuItem& item : items) {
        if (item.Caption == "-") {
            menu.addSeparator()->setVisible(item.Visible);
            continue;
        }
        QAction* action = menu.addAction(FromDocument(item.Caption));
        action->setVisible(item.Visible);
        action->setEnabled(item.Enabled);
        const TMenuCommand command = item.Command;
        QObject::connect(action, &QAction::triggered, &menu, [run, command] { run(command); });
    }
}

} // namespace

void TMain::ShowGridPopup(int x, int y, int recIndex) {
    // Nothing to act on while the grid is disabled or locked.
    if (!GridB1->GridEnabled() || GridB1->Locked())
        return;
    const TPopupMenu& popup = Menus.GridB1ShowPopup(recIndex);
    FillMenu(*GridPopup, popup.Items, [this](TMenuCommand command) { Menus.PopupItemClick(command); });
    if (PopupsModal)
        GridPopup->exec(QPoint(x, y));
}

void TMain::ShowSelectionMenu(TSelectionKind kind) {
    QMenu menu(this);
    FillMenu(menu, Filters.SelectionButton(kind).DropDown,
             [this, kind](TMenuCommand command) { Filters.SelectionMenuClick(kind, command); });
    QPushButton* button = kind == TSelectionKind::Categories ? ActSelBtn
                          : kind == TSelectionKind::Groups   ? GrpSelBtn
                                                             : FindSelBtn;
    menu.exec(button->mapToGlobal(QPoint(0, button->height())));
}

QAction* TMain::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

TKQButton2* TMain::ToolButton(const QString& objectName) const {
    return findChild<TKQButton2*>(objectName);
}

void TMain::SelectTab(int tab) {
    TabControl1->setCurrentIndex(tab);
    if (Sheet.ActiveTab() != tab)
        Sheet.SwitchView(tab);
}

} // namespace qz::gui
