#include "TotalsCharts.h"

#include "ChartHint.h"
#include "controls/KQBookBar.h"
#include "grid/WinColour.h"
#include "platform/TextCodec.h"
#include "reports/ReportOptions.h"

#include <QButtonGroup>
#include <QChart>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

const char* const ZoomCaption = "Use the Left mouse button to zoom and the Right button to move chart.";
const char* const RotateCaption = "Hold down Left mouse button and move mouse to rotate chart.";

} // namespace

TTotalsChart::TTotalsChart(TChartContext context, QWidget* parent) : QDialog(parent), Ctx(std::move(context)) {
    resize(900, 640);
    ChartItem = new QChart;
    ChartItem->legend()->setVisible(false);
    View = new TChartMouseView(ChartItem);
    View->setObjectName(QStringLiteral("ChartView"));
    View->setMinimumHeight(300);
    View->Hint = [this](const QPointF& pos, QColor* colour) { return Building ? QString() : HintAt(pos, colour); };
    View->Rotating = [this] { return RotateBtn->isChecked(); };
    View->Rotate = [this](double x, double y) { Rotate(x, y); };
    View->Zoom = [this](const QRectF& rect) { ZoomInto(rect); };
    View->Unzoom = [this] { Unzoom(); };
    View->Scrolled = [this] { ViewChanged(); };
    // The turn is about the chart's centre: it follows the chart's size.
    View->Resized = [this] { ApplyLook(); };
    // The text of an empty chart lies over the middle of the view.
    ChartArea = new QWidget(this);
    auto* stack = new QGridLayout(ChartArea);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(View, 0, 0);
    NoInformation = new QLabel(QString::fromLatin1(NoChartInformationText), ChartArea);
    NoInformation->setObjectName(QStringLiteral("NoInformation"));
    QFont big = NoInformation->font();
    big.setBold(true);
    big.setPointSize(std::max(big.pointSize(), 12));
    NoInformation->setFont(big);
    NoInformation->setAttribute(Qt::WA_TransparentForMouseEvents);
    NoInformation->hide();
    stack->addWidget(NoInformation, 0, 0, Qt::AlignCenter);
}

TTotalsChart::~TTotalsChart() {
    TChartHint::HideHint();
    RestoreStoredTaxBasis(*Ctx.Ledger, Ctx.StoredGstInTotals);
}

void TTotalsChart::Assemble(QWidget* ownControls, QWidget* besideChart) {
    AccountBar = new TKQBookBar(this);
    AccountBar->setObjectName(QStringLiteral("AccountBar"));
    AccountBar->SetAccountsEnabled(false);
    AccountBar->OnAccountClick = [this](int index, bool ctrl) {
        if (const auto pressed = ChartAccountClick(*Ctx.Ledger, index, ctrl))
            AccountsChosen(*pressed);
    };
    AccountBar->OnAllClick = [this] { AccountsChosen(std::vector<bool>(Ctx.Ledger->BookList.KeyList.size(), true)); };
    auto* chartRow = new QHBoxLayout;
    chartRow->addWidget(ChartArea, 1);
    if (besideChart)
        chartRow->addWidget(besideChart);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeControls(ownControls));
    layout->addWidget(AccountBar);
    layout->addLayout(chartRow, 1);
    layout->addWidget(MakeButtons());
    FillAccountBar();
}

QWidget* TTotalsChart::MakeControls(QWidget* ownControls) {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    if (ownControls)
        row->addWidget(ownControls);

    // The tax switches set the engine's GstInTotals and recalculate; closing takes the stored
    // option back.
    const TChartTaxBox tax = MakeChartTaxBox(panel, ChartTaxSwitches(*Ctx.Settings, Ctx.Ledger->Switches));
    TaxPanel = tax.Box;
    ExcludingBtn = tax.ExcludingBtn;
    IncludingBtn = tax.IncludingBtn;
    connect(IncludingBtn, &QRadioButton::toggled, this, [this](bool including) {
        SetTotalsTaxBasis(*Ctx.Ledger, including);
        Rebuild();
    });
    row->addWidget(TaxPanel);

    const TChartViewBox view = MakeChartViewBox(
        panel, 160, [this] { MouseModeChanged(); },
        [this] {
            ApplyLook();
            ViewChanged();
        },
        [this] { ResetView(); });
    ZoomBtn = view.ZoomBtn;
    RotateBtn = view.RotateBtn;
    MouseCaption = view.MouseCaption;
    TwoDBtn = view.TwoDBtn;
    ThreeDBtn = view.ThreeDBtn;
    DepthBox = view.DepthBox;
    ResetViewBtn = view.ResetViewBtn;
    row->addWidget(view.Box, 1);
    return panel;
}

QWidget* TTotalsChart::MakeButtons() {
    const TChartButtonRow buttons = MakeChartButtonRow(this, [this](int code) { JumpTo(code); });
    PrintBtn = buttons.PrintBtn;
    JumpBtn = buttons.JumpBtn;
    CloseBtn = buttons.CloseBtn;
    HelpBtn = buttons.HelpBtn;
    connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
    connect(CloseBtn, &QPushButton::clicked, this, [this] { done(ChartClosed); });
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        if (Ctx.ShowHelp)
            Ctx.ShowHelp(HelpTopic());
    });
    return buttons.Panel;
}

void TTotalsChart::ShowJumpEntries(int ownCode) {
    ShowOtherCharts(*JumpBtn, ownCode);
}

void TTotalsChart::done(int result) {
    TChartHint::HideHint();
    // The tax switches changed the engine's switch for this window only.
    RestoreStoredTaxBasis(*Ctx.Ledger, Ctx.StoredGstInTotals);
    QDialog::done(result == QDialog::Rejected ? ChartClosed : result);
}

void TTotalsChart::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        done(ChartClosed);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TTotalsChart::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        TChartHint::HideHint();
    QDialog::changeEvent(event);
}

bool TTotalsChart::ThreeD() const {
    return ThreeDBtn->isChecked();
}

// ---- The view ---------------------------------------------------------------------------------

QBrush TTotalsChart::Shaded(const QColor& colour, bool deep, int depth) {
    if (!deep)
        return colour;
    QLinearGradient shade(0, 0, 1, 0);
    shade.setCoordinateMode(QGradient::ObjectMode);
    shade.setColorAt(0, colour.lighter(100 + depth * 3));
    shade.setColorAt(1, colour.darker(120 + depth * 3));
    return shade;
}

void TTotalsChart::ApplyLook() {
    const bool deep = ThreeD();
    ChartItem->setDropShadowEnabled(deep);
    QLinearGradient background(0, 0, 0, 1);
    background.setCoordinateMode(QGradient::ObjectBoundingMode);
    background.setColorAt(0, ToQColor(GradientStart()));
    background.setColorAt(1, Qt::white);
    ChartItem->setBackgroundBrush(background);
    // The turn is about the chart's centre, shrunk as far as needed to keep it in view.
    QTransform turn;
    const QRectF area = ChartItem->sceneBoundingRect();
    if (deep && (RotationX != 0 || RotationY != 0) && !area.isEmpty()) {
        const QPointF centre = area.center();
        turn.translate(centre.x(), centre.y());
        turn.rotate(RotationY, Qt::YAxis);
        turn.rotate(RotationX, Qt::XAxis);
        turn.translate(-centre.x(), -centre.y());
        const QRectF turned = turn.mapRect(area);
        const double fit = std::min(
            {1.0, area.width() / std::max(1.0, turned.width()), area.height() / std::max(1.0, turned.height())});
        QTransform shrink;
        shrink.translate(centre.x(), centre.y());
        shrink.scale(fit, fit);
        shrink.translate(-centre.x(), -centre.y());
        turn = turn * shrink;
    }
    View->setTransform(turn);
    View->scene()->invalidate();
    View->viewport()->update();
}

void TTotalsChart::ViewChanged() {
    if (!Building)
        ResetViewBtn->setEnabled(true);
}

void TTotalsChart::MouseModeChanged() {
    MouseCaption->setText(QString::fromLatin1(ZoomBtn->isChecked() ? ZoomCaption : RotateCaption));
}

bool TTotalsChart::ZoomInto(const QRectF& rect) {
    if (!ZoomAllowed())
        return false;
    ChartItem->zoomIn(View->mapToScene(rect.toRect()).boundingRect().intersected(ChartItem->plotArea()));
    ++Zooms;
    ViewChanged();
    return true;
}

// Dragging leftwards undoes the zoom: zooming is allowed again and there is nothing to reset.
void TTotalsChart::Unzoom() {
    ChartItem->zoomReset();
    Zooms = 0;
    ResetViewBtn->setEnabled(false);
}

void TTotalsChart::Rotate(double aroundX, double aroundY) {
    if (!ThreeD())
        return;
    RotationX = std::clamp(RotationX + aroundX, -60.0, 60.0);
    RotationY = std::clamp(RotationY + aroundY, -60.0, 60.0);
    ApplyLook();
    ViewChanged();
}

void TTotalsChart::ResetCommon(int depth, double aroundX, double aroundY) {
    Building = true;
    ChartItem->zoomReset();
    Zooms = 0;
    RotationX = aroundX;
    RotationY = aroundY;
    DepthBox->setValue(depth);
    ThreeDBtn->setChecked(true);
    ZoomBtn->setChecked(true);
    Building = false;
    MouseModeChanged();
    ApplyLook();
    ResetViewBtn->setEnabled(false);
}

// ---- The accounts ------------------------------------------------------------------------------

void TTotalsChart::FillAccountBar() {
    std::vector<TAccountButton> buttons;
    for (const TBookRec* book : Ctx.Ledger->BookList.KeyList)
        buttons.push_back({book->Name.Str(), book->Colour, book->Selected != 0});
    AccountBar->SetButtons(buttons);
    AccountBar->SetAllEnabled(!Ctx.Ledger->BookList.AllSelected());
}

void TTotalsChart::AccountsChosen(const std::vector<bool>& pressed) {
    ChooseChartAccounts(*Ctx.Ledger, pressed);
    AccountsChangedFlag = true;
    FillAccountBar();
    Rebuild();
}

// ---- Printing ----------------------------------------------------------------------------------

TChartPageTexts TTotalsChart::DefaultPageTexts() const {
    TChartPageTexts texts;
    texts.Title = ChartItem->title();
    if (Ctx.PrintFilename)
        texts.FileLine = QStringLiteral("Filename - ") + FromDocument(ReportFileName(Ctx.DocumentPath));
    if (Ctx.PrintDate)
        texts.PrintedLine = QStringLiteral("Printed on ") + FromDocument(Ctx.PrintedText);
    return texts;
}

void TTotalsChart::PrintBtnClick() {
    if (!Ctx.Ask || !DefaultPrinterCheck(*Ctx.Ask, Ctx.Printer ? Ctx.Printer() : CurrentDefaultPrinter()))
        return;
    RunChartPrintDialog(*this, Ctx);
}

} // namespace qz::gui
