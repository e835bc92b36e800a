#include "Reports.h"

#include "controls/DateBox.h"
#include "controls/ToolGlyphs.h"
#include "platform/TextCodec.h"
#include "reports/AssetsReport.h"
#include "reports/CashFlowReport.h"
#include "reports/GstReport.h"
#include "reports/ReportOptions.h"
#include "storage/OptionsFileOLE.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

QDate CalendarDayOf(TDateTime date) {
    const CalendarDate day = DecodeDate(date);
    return QDate(day.Year, day.Month, day.Day);
}

TDateTime DayNumberOf(QDate date) {
    return EncodeDate(date.year(), date.month(), date.day());
}

template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TReports::TReports(TReportsContext context, QWidget* parent) : QDialog(parent), Ctx(std::move(context)) {
    OwnPage.Paper = DefaultPrinterPaper();
    PageSetupOf = Ctx.Page ? Ctx.Page : &OwnPage;
    Saved = TWorksheetPeriod::Of(*Ctx.Ledger);
    setWindowTitle(QStringLiteral("Reports"));
    CreateControls();

    // Shown: the worksheet's period, one copy, the first report, its subtitle.
    LoDateBtn->SetDate(CalendarDayOf(Ctx.Ledger->TransList.DateFrom));
    HiDateBtn->SetDate(CalendarDayOf(Ctx.Ledger->TransList.DateTo));
    SelPanel->setVisible(Ctx.Ledger->Switches.RowSelectionActive());
    CopiesBox->setValue(1);
    LandBtn->setChecked(PageSetupOf->PaperOrientation == TPaperOrientation::Landscape);
    PortBtn->setChecked(!LandBtn->isChecked());
    FillReportList();
    UpdateSubTitle();
    adjustSize();
    LoDateBtn->setFocus();
}

TReports::~TReports() = default;

void TReports::CreateControls() {
    auto* period = new QGroupBox(QStringLiteral("Period"), this);
    MonthSelBtn = Named(new QToolButton(period), "MonthSelBtn");
    MonthSelBtn->setIcon(QIcon(ToolGlyph(TToolGlyph::MonthRange, 16)));
    MonthSelBtn->setToolTip(QStringLiteral("Select a Date Range by month"));
    LoDateBtn = Named(new TDateBox(QDate::currentDate(), period), "LoDateBtn");
    HiDateBtn = Named(new TDateBox(QDate::currentDate(), period), "HiDateBtn");
    ResetDatesBtn = Named(new QPushButton(QStringLiteral("&Reset Dates"), period), "ResetDatesBtn");
    auto* fromLabel = new QLabel(QStringLiteral("&From"), period);
    fromLabel->setBuddy(LoDateBtn);
    auto* toLabel = new QLabel(QStringLiteral("&To"), period);
    toLabel->setBuddy(HiDateBtn);
    auto* periodRow = new QHBoxLayout(period);
    periodRow->addWidget(MonthSelBtn);
    periodRow->addWidget(fromLabel);
    periodRow->addWidget(LoDateBtn);
    periodRow->addWidget(toLabel);
    periodRow->addWidget(HiDateBtn);
    periodRow->addStretch(1);
    periodRow->addWidget(ResetDatesBtn);

    auto* reports = new QGroupBox(QStringLiteral("Report"), this);
    ReportListBox = Named(new QListWidget(reports), "ReportListBox");
    ReportListBox->setMinimumWidth(230);
    DescMemo = Named(new QPlainTextEdit(reports), "DescMemo");
    DescMemo->setReadOnly(true);
    DescMemo->setFocusPolicy(Qt::NoFocus);
    DescMemo->setMaximumWidth(200);
    auto* reportRow = new QHBoxLayout(reports);
    reportRow->addWidget(ReportListBox, 1);
    reportRow->addWidget(DescMemo);

    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    PortBtn = Named(new QRadioButton(QStringLiteral("P&ortrait"), options), "PortBtn");
    LandBtn = Named(new QRadioButton(QStringLiteral("&Landscape"), options), "LandBtn");
    ShowZeroCheck = Named(new QCheckBox(QStringLiteral("Show Categories that total $0.00"), options), "ShowZeroCheck");
    ShowActCheck = Named(new QCheckBox(QStringLiteral("Show Category Numbers"), options), "ShowActCheck");
    SortActCheck = Named(new QCheckBox(QStringLiteral("Sort by Category Numbers"), options), "SortActCheck");
    CopiesBox = Named(new QSpinBox(options), "CopiesBox");
    CopiesBox->setRange(1, 999);
    auto* copiesLabel = new QLabel(QStringLiteral("Cop&ies"), options);
    copiesLabel->setBuddy(CopiesBox);
    MarginsBtn = Named(new QPushButton(QStringLiteral("Print &Setup && Margins..."), options), "MarginsBtn");
    auto* optionsGrid = new QGridLayout(options);
    optionsGrid->addWidget(PortBtn, 0, 0);
    optionsGrid->addWidget(LandBtn, 1, 0);
    optionsGrid->addWidget(ShowZeroCheck, 0, 1, 1, 2);
    optionsGrid->addWidget(ShowActCheck, 1, 1, 1, 2);
    optionsGrid->addWidget(SortActCheck, 2, 1, 1, 2);
    optionsGrid->addWidget(copiesLabel, 2, 0);
    auto* copiesRow = new QHBoxLayout;
    copiesRow->addWidget(copiesLabel);
    copiesRow->addWidget(CopiesBox);
    copiesRow->addStretch(1);
    optionsGrid->addLayout(copiesRow, 3, 0);
    optionsGrid->addWidget(MarginsBtn, 3, 1, 1, 2, Qt::AlignRight);

    auto* subTitle = new QGroupBox(QStringLiteral("Sub Title"), this);
    DescEdit = Named(new QLineEdit(subTitle), "DescEdit");
    auto* subTitleRow = new QHBoxLayout(subTitle);
    subTitleRow->addWidget(DescEdit);

    SelPanel = Named(new QFrame(this), "SelPanel");
    SelPanel->setFrameShape(QFrame::StyledPanel);
    auto* selLabel = new QLabel(QStringLiteral("Report will be based on current selection"), SelPanel);
    QFont bold = selLabel->font();
    bold.setBold(true);
    selLabel->setFont(bold);
    ClearSelBtn = Named(new QPushButton(QStringLiteral("&Clear Selection"), SelPanel), "ClearSelBtn");
    auto* selRow = new QHBoxLayout(SelPanel);
    selRow->addWidget(selLabel, 1);
    selRow->addWidget(ClearSelBtn);

    PreviewBtn = Named(new QPushButton(QStringLiteral("Pre&view Report"), this), "PreviewBtn");
    PrintBtn = Named(new QPushButton(QStringLiteral("&Print Report"), this), "PrintBtn");
    CloseBtn = Named(new QPushButton(QStringLiteral("&Close"), this), "CloseBtn");
    HelpBtn = Named(new QPushButton(QStringLiteral("&Help"), this), "HelpBtn");
    CloseBtn->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(PreviewBtn);
    buttons->addWidget(PrintBtn);
    buttons->addStretch(1);
    buttons->addWidget(CloseBtn);
    buttons->addWidget(HelpBtn);

    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);
    main->addWidget(period);
    main->addWidget(reports);
    main->addWidget(options);
    main->addWidget(subTitle);
    main->addWidget(SelPanel);
    main->addLayout(buttons);

    setTabOrder(LoDateBtn, HiDateBtn);
    setTabOrder(HiDateBtn, ResetDatesBtn);
    setTabOrder(ResetDatesBtn, ReportListBox);

    LoDateBtn->OnDatePicked = [this] { UpdateSubTitle(); };
    HiDateBtn->OnDatePicked = [this] { UpdateSubTitle(); };
    connect(MonthSelBtn, &QToolButton::clicked, this, &TReports::MonthSelBtnClick);
    connect(ResetDatesBtn, &QPushButton::clicked, this, &TReports::ResetDatesBtnClick);
    connect(ReportListBox, &QListWidget::currentRowChanged, this, [this] { ReportChosen(); });
    connect(ReportListBox, &QListWidget::itemDoubleClicked, this, [this] { PreviewBtnClick(false); });
    connect(ShowActCheck, &QCheckBox::toggled, this, [this] { UpdateChecks(); });
    connect(PortBtn, &QRadioButton::clicked, this, [this] { OrientationClick(false); });
    connect(LandBtn, &QRadioButton::clicked, this, [this] { OrientationClick(true); });
    connect(ClearSelBtn, &QPushButton::clicked, this, &TReports::ClearSelBtnClick);
    connect(MarginsBtn, &QPushButton::clicked, this, &TReports::MarginsBtnClick);
    connect(PreviewBtn, &QPushButton::clicked, this, [this] { PreviewBtnClick(false); });
    connect(PrintBtn, &QPushButton::clicked, this, [this] { PreviewBtnClick(true); });
    connect(CloseBtn, &QPushButton::clicked, this, &TReports::CloseBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        if (Ctx.ShowHelp)
            Ctx.ShowHelp(HelpTopic);
    });
}

void TReports::FillReportList() {
    Catalogue = ReportCatalogue(Ctx.Settings->TaxOn, Ctx.Settings->TaxName);
    ReportListBox->clear();
    for (const TReportEntry& entry : Catalogue)
        ReportListBox->addItem(FromDocument(entry.Text));
    ReportListBox->setCurrentRow(0);
    // Every entry shows without a scroll bar, and the description box is as high as the list.
    const int height = ReportListBox->sizeHintForRow(0) * ReportListBox->count() + 2 * ReportListBox->frameWidth() + 4;
    ReportListBox->setFixedHeight(height);
    DescMemo->setFixedHeight(height);
    ReportChosen();
}

void TReports::ReportChosen() {
    const int row = ReportListBox->currentRow();
    if (row < 0 || row >= static_cast<int>(Catalogue.size()))
        return;
    DescMemo->setPlainText(FromDocument(Catalogue[static_cast<std::size_t>(row)].Description));
    UpdateChecks();
}

void TReports::UpdateChecks() {
    const int row = ReportListBox->currentRow();
    const bool categoryOptions = row < 0 || row >= static_cast<int>(Catalogue.size()) ||
                                 Catalogue[static_cast<std::size_t>(row)].UsesCategoryOptions();
    ShowZeroCheck->setEnabled(categoryOptions);
    ShowActCheck->setEnabled(categoryOptions);
    const bool sortEnabled = categoryOptions && ShowActCheck->isChecked();
    if (!sortEnabled)
        SortActCheck->setChecked(false);
    SortActCheck->setEnabled(sortEnabled);
}

TDateTime TReports::FromDate() const {
    return DayNumberOf(LoDateBtn->date());
}

TDateTime TReports::ToDate() const {
    return DayNumberOf(HiDateBtn->date());
}

void TReports::UpdateSubTitle() {
    DescEdit->setText(
        FromDocument(ReportSubtitle(FromDate(), ToDate(), !SelPanel->isHidden(), Ctx.Formats->ShortDateFormat)));
}

void TReports::ResetDatesBtnClick() {
    const TTransList& list = Ctx.Ledger->TransList;
    if (list.Count() > 0) {
        LoDateBtn->SetDate(CalendarDayOf(list.Items(0)->Date));
        HiDateBtn->SetDate(CalendarDayOf(list.Items(list.Count() - 1)->Date));
    }
    UpdateSubTitle();
}

void TReports::MonthSelBtnClick() {
    TDateTime from = 0;
    TDateTime to = 0;
    if (Ctx.PickMonths && Ctx.PickMonths(MonthSelBtn->mapToGlobal(QPoint(0, MonthSelBtn->height())), from, to)) {
        LoDateBtn->SetDate(CalendarDayOf(from));
        HiDateBtn->SetDate(CalendarDayOf(to));
    }
    UpdateSubTitle();
}

void TReports::ClearSelBtnClick() {
    SelPanel->hide();
    QApplication::processEvents();
    if (Ctx.ClearSelections)
        Ctx.ClearSelections();
    UpdateSubTitle();
}

void TReports::OrientationClick(bool landscape) {
    PageSetupOf->PageLayout(landscape ? TPaperOrientation::Landscape : TPaperOrientation::Portrait);
}

void TReports::MarginsBtnClick() {
    // The page setup starts from the orientation the buttons show.
    OrientationClick(LandBtn->isChecked());
    TSpecPageSetup page = *PageSetupOf;
    const bool confirmed = Ctx.PageSetup ? Ctx.PageSetup(this, page) : page.Execute(this);
    if (!confirmed)
        return;
    *PageSetupOf = page;
    const bool landscape = page.PaperOrientation == TPaperOrientation::Landscape;
    LandBtn->setChecked(landscape);
    PortBtn->setChecked(!landscape);
}

TReport TReports::LayOut(const TReportEntry& entry) {
    TLedger& ledger = *Ctx.Ledger;
    const auto option = [this](int index) { return Ctx.ReadOption && Ctx.ReadOption(index); };
    TReportOptions options;
    options.Detailed = entry.Detailed;
    if (entry.UsesCategoryOptions()) {
        options.ShowZero = ShowZeroCheck->isChecked();
        options.ShowNumbers = ShowActCheck->isChecked();
        options.SortByNumber = SortActCheck->isChecked();
    }
    options.Landscape = LandBtn->isChecked();
    options.Subtitle = ToDocument(DescEdit->text());
    options.FileName = ToDocument(QString::fromStdString(ReportFileName(Ctx.DocumentPath)));
    options.PrintedText = PrintedDateTimeText(Ctx.Time ? Ctx.Time->Now() : 0, Ctx.Formats->ShortDateFormat);
    options.PrintFilename = option(OptPrintFilename);
    options.PrintDate = option(OptPrintDate);
    options.PrintBisName = option(OptPrintBisName);
    options.PrintBisNumber = option(OptPrintBisNumber);

    const TDateTime from = FromDate();
    const TDateTime to = ToDate();
    if (ledger.TransList.DateFrom != from || ledger.TransList.DateTo != to)
        PeriodApplied = true;
    const TReportRun run(ledger, from, to, option(OptGSTinTotals));
    switch (entry.Kind) {
    case TReportKind::Tax:
        return GstReport(ledger, *Ctx.Settings, options, *Ctx.Formats);
    case TReportKind::Assets:
        return AssetsReport(ledger, *Ctx.Settings, options, *Ctx.Formats);
    case TReportKind::CashFlow:
        break;
    }
    return CashFlowReport(ledger, *Ctx.Settings, options, *Ctx.Formats);
}

void TReports::PreviewBtnClick(bool print) {
    const int row = ReportListBox->currentRow();
    if (Running || row < 0 || row >= static_cast<int>(Catalogue.size()))
        return;
    const TReportEntry& entry = Catalogue[static_cast<std::size_t>(row)];
    Running = true;
    const QPageLayout page = RunPage();
    const TReport report = LayOut(entry);
    if (entry.Kind == TReportKind::Tax && entry.Detailed && Ctx.Ask &&
        !GstPaperWideEnough(page.paintRect(QPageLayout::Millimeter).width()))
        Ctx.Ask->MessageBox(GstPaperMessage, MsgKind::Information, MsgButtons::Ok);
    if (print) {
        if (Ctx.Print)
            Ctx.Print(this, report, page, CopiesBox->value());
    } else if (Ctx.Preview) {
        Ctx.Preview(this, report, page);
    }
    Running = false;
}

void TReports::CloseBtnClick() {
    // A preview still open keeps its run, and the dialog with it.
    if (Running)
        return;
    if (!Closed) {
        Closed = true;
        // The worksheet's own range and its totals come back.
        if (Saved.Restore(*Ctx.Ledger))
            PeriodApplied = true;
    }
    accept();
}

void TReports::reject() {
    CloseBtnClick();
}

bool TReports::OpenReports(QWidget* parent, const TReportsContext& context) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TReports dialog(context, parent);
    QApplication::restoreOverrideCursor();
    dialog.exec();
    return dialog.TotalsChanged();
}

} // namespace qz::gui
