#include "CashFlowChart.h"

#include "ChartHint.h"
#include "controls/KQBookBar.h"
#include "grid/WinColour.h"
#include "platform/TextCodec.h"
#include "reports/PageSetup.h"
#include "reports/ReportOptions.h"
#include "worksheet/WorksheetFilters.h"

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QButtonGroup>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QPainter>
#include <QPdfWriter>
#include <QPieSeries>
#include <QPieSlice>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>

namespace qz::gui {

namespace {

QString Text(const std::string& text) {
    return FromDocument(text);
}

QColor Colour(TColour colour) {
    return ToQColor(colour);
}

// The most labels the horizontal axis shows.
constexpr int MaxAxisLabels = 60;

const char* const ZoomCaption = "Use the Left mouse button to zoom and the Right button to move chart.";
const char* const RotateCaption = "Hold down Left mouse button and move mouse to rotate chart.";

} // namespace

int TCashFlowChart::LabelStep(int slots) {
    return std::max(1, (slots + MaxAxisLabels - 1) / MaxAxisLabels);
}

// ---- The legend box ---------------------------------------------------------------------------

class TCashFlowLegendBox : public QWidget {
public:
    explicit TCashFlowLegendBox(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("LegendBox"));
        setMinimumHeight((fontMetrics().height() + 4) * 4 + 12);
    }
    void SetLegend(const TCashFlowLegend* legend) {
        Legend = legend;
        setMinimumWidth(BoxWidth());
        update();
    }

protected:
    int BoxWidth() const {
        if (!Legend)
            return 0;
        QFont bold = font();
        bold.setBold(true);
        QFont italic = font();
        italic.setItalic(true);
        const QFontMetrics boldMetrics(bold);
        const QFontMetrics italicMetrics(italic);
        const int names = std::max({boldMetrics.horizontalAdvance(QStringLiteral("Cash Flow")),
                                    boldMetrics.horizontalAdvance(QStringLiteral("Credit"))});
        const int captions = std::max(italicMetrics.horizontalAdvance(Text(Legend->AverageCaption)),
                                      italicMetrics.horizontalAdvance(Text(Legend->BalanceCaption)));
        const int values = std::max({italicMetrics.horizontalAdvance(Text(Legend->AverageCreditText)),
                                     italicMetrics.horizontalAdvance(Text(Legend->AverageDebitText)),
                                     italicMetrics.horizontalAdvance(Text(Legend->AverageBalanceText))});
        const int shares = std::max(fontMetrics().horizontalAdvance(QStringLiteral("Difference")),
                                    fontMetrics().horizontalAdvance(Text(Legend->DifferenceText)) + 8);
        return 8 + 14 + 6 + names + 8 + captions + values + 16 + shares + 8;
    }

    void paintEvent(QPaintEvent*) override {
        if (!Legend)
            return;
        QPainter painter(this);
        const int width = BoxWidth();
        const int rowHeight = fontMetrics().height() + 4;
        const QRect box((this->width() - width) / 2, 2, width - 1, rowHeight * 4 + 8);
        painter.fillRect(box, palette().window());
        painter.setPen(palette().windowText().color());
        painter.drawRect(box);
        QFont plain = font();
        QFont bold = font();
        bold.setBold(true);
        QFont italic = font();
        italic.setItalic(true);
        const int names = std::max(QFontMetrics(bold).horizontalAdvance(QStringLiteral("Cash Flow")),
                                   QFontMetrics(bold).horizontalAdvance(QStringLiteral("Credit")));
        const int captions = std::max(QFontMetrics(italic).horizontalAdvance(Text(Legend->AverageCaption)),
                                      QFontMetrics(italic).horizontalAdvance(Text(Legend->BalanceCaption)));
        struct Row {
            TColour Square;
            const char* Name;
            std::string Caption;
            std::string Value;
            std::string Share;
        };
        const Row rows[3] = {
            {ChartGreen, "Credit", Legend->AverageCaption, Legend->AverageCreditText, Legend->CreditShareText},
            {ChartRed, "Debit", Legend->AverageCaption, Legend->AverageDebitText, Legend->DebitShareText},
            {ChartBlue, "Cash Flow", Legend->BalanceCaption, Legend->AverageBalanceText, {}}};
        const int shareLeft = box.right() - 8 -
                              std::max(fontMetrics().horizontalAdvance(QStringLiteral("Difference")),
                                       fontMetrics().horizontalAdvance(Text(Legend->DifferenceText)) + 8);
        for (int i = 0; i < 3; ++i) {
            const int top = box.top() + 4 + i * rowHeight;
            int x = box.left() + 8;
            painter.fillRect(QRect(x, top + 3, 12, rowHeight - 6), Colour(rows[i].Square));
            x += 20;
            painter.setFont(bold);
            painter.setPen(palette().windowText().color());
            painter.drawText(QRect(x, top, names, rowHeight), Qt::AlignVCenter, QString::fromLatin1(rows[i].Name));
            x += names + 8;
            painter.setFont(italic);
            painter.drawText(QRect(x, top, captions, rowHeight), Qt::AlignVCenter, Text(rows[i].Caption));
            x += captions;
            painter.setPen(Colour(ChartDarkBlue));
            painter.drawText(QRect(x, top, shareLeft - x, rowHeight), Qt::AlignVCenter, Text(rows[i].Value));
            painter.setFont(plain);
            painter.setPen(palette().windowText().color());
            if (!rows[i].Share.empty())
                painter.drawText(QRect(shareLeft, top, box.right() - 8 - shareLeft, rowHeight),
                                 Qt::AlignVCenter | Qt::AlignRight, Text(rows[i].Share));
        }
        // "Difference" under the shares, the figure on green or red.
        const int top = box.top() + 4 + 2 * rowHeight;
        painter.drawText(QRect(shareLeft, top, box.right() - 8 - shareLeft, rowHeight), Qt::AlignCenter,
                         QStringLiteral("Difference"));
        const QRect figure(shareLeft, top + rowHeight, box.right() - 8 - shareLeft, rowHeight);
        painter.fillRect(figure, Colour(Legend->DifferenceBackground));
        painter.setPen(Colour(Legend->DifferenceTextColour));
        painter.drawText(figure, Qt::AlignCenter, Text(Legend->DifferenceText));
    }

private:
    const TCashFlowLegend* Legend = nullptr;
};

// ---- The window -------------------------------------------------------------------------------

TCashFlowChart::TCashFlowChart(TChartContext context, QWidget* parent) : QDialog(parent), Ctx(std::move(context)) {
    setObjectName(QStringLiteral("CashFlowChart"));
    setWindowTitle(QStringLiteral("Cash Flow"));
    // Room for the week labels under the bars; never more than the screen offers.
    QSize size(1100, 740);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(20, 40));
    resize(size);

    ChartItem = new QChart;
    ChartItem->setObjectName(QStringLiteral("CashFlowChartItem"));
    // On the right: under the bars it would cover the ends of long, turned week labels.
    ChartItem->legend()->setAlignment(Qt::AlignRight);
    CreditSet = new QBarSet(QStringLiteral("Income"));
    DebitSet = new QBarSet(QStringLiteral("Expense"));
    CreditSet->setColor(Colour(ChartGreen));
    DebitSet->setColor(Colour(ChartRed));
    BarSeries = new QBarSeries;
    BarSeries->append(CreditSet);
    BarSeries->append(DebitSet);
    BarSeries->setBarWidth(1.0);
    LineSeries = new QLineSeries;
    LineSeries->setName(QStringLiteral("Cash Flow"));
    LineSeries->setColor(Colour(ChartBlue));
    LineSeries->setPointsVisible(true);
    // The bars stand at their slots 0, 1, 2...; the axis names every slot while they are few, and
    // every so many slots of a long series (a label item for each of thousands of days would
    // take seconds to lay out, and could not be read).
    Categories = new QCategoryAxis(ChartItem);
    Categories->setObjectName(QStringLiteral("CategoryAxis"));
    Categories->setTruncateLabels(false);
    Categories->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    // The values are named in the money display format at the axis's ticks.
    Values = new QCategoryAxis(ChartItem);
    Values->setObjectName(QStringLiteral("ValueAxis"));
    Values->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    ChartItem->addAxis(Categories, Qt::AlignBottom);
    ChartItem->addAxis(Values, Qt::AlignLeft);
    View = new TChartMouseView(ChartItem);
    View->Hint = [this](const QPointF& pos, QColor* colour) { return HintAt(pos, colour); };
    View->Rotating = [this] { return RotateBtn->isChecked(); };
    View->Rotate = [this](double x, double y) { Rotate(x, y); };
    View->Zoom = [this](const QRectF& rect) { ZoomInto(rect); };
    View->Scrolled = [this] { ViewChanged(); };
    // A turned chart keeps its turn about the centre of the view when the window changes size.
    View->Resized = [this] { ApplyLook(); };
    View->setObjectName(QStringLiteral("ChartView"));
    View->setMinimumHeight(300);

    PieChart = new QChart;
    PieChart->legend()->setAlignment(Qt::AlignRight);
    PieChart->legend()->setMinimumWidth(110);
    PieChart->setMargins(QMargins(0, 0, 0, 0));
    PieChart->setBackgroundVisible(false);
    PieSeries = new QPieSeries;
    PieChart->addSeries(PieSeries);
    PieView = new QChartView(PieChart);
    PieView->setObjectName(QStringLiteral("PieView"));
    PieView->setRenderHint(QPainter::Antialiasing);
    PieView->setFixedSize(230, 100);
    LegendBox = new TCashFlowLegendBox(this);

    auto* legendRow = new QHBoxLayout;
    legendRow->addStretch();
    legendRow->addWidget(LegendBox);
    legendRow->addWidget(PieView);
    legendRow->addStretch();

    AccountBar = new TKQBookBar(this);
    AccountBar->setObjectName(QStringLiteral("AccountBar"));
    AccountBar->SetAccountsEnabled(false);
    AccountBar->OnAccountClick = [this](int index, bool ctrl) { AccountClick(index, ctrl); };
    AccountBar->OnAllClick = [this] { AllAccountsClick(); };

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeControls());
    layout->addWidget(AccountBar);
    layout->addWidget(View, 1);
    layout->addLayout(legendRow);
    layout->addWidget(MakeButtons());

    // On showing: "Weekly", the line on top, the view reset, the accounts unchanged.
    Building = true;
    RangeBox->setCurrentIndex(static_cast<int>(TSliceKind::Week));
    LineOnTopBtn->setChecked(true);
    Building = false;
    Rebuild();
    FillAccountBar();
    ResetView();
    AccountsChangedFlag = false;
}

TCashFlowChart::~TCashFlowChart() {
    TChartHint::HideHint();
}

QChartView* TCashFlowChart::ChartView() const {
    return View;
}

QWidget* TCashFlowChart::MakeControls() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);

    auto* rangeBox = new QGroupBox(QStringLiteral("Range"), panel);
    RangeBox = new QComboBox(rangeBox);
    RangeBox->setObjectName(QStringLiteral("RangeBox"));
    for (TSliceKind kind : {TSliceKind::Day, TSliceKind::Week, TSliceKind::Month, TSliceKind::Quarter})
        RangeBox->addItem(Text(RangeText(kind)));
    (new QVBoxLayout(rangeBox))->addWidget(RangeBox);
    connect(RangeBox, &QComboBox::currentIndexChanged, this, [this] { Rebuild(); });
    row->addWidget(rangeBox);

    auto* topBox = new QGroupBox(QStringLiteral("Show on top"), panel);
    LineOnTopBtn = new QRadioButton(QStringLiteral("Line"), topBox);
    BarsOnTopBtn = new QRadioButton(QStringLiteral("Bars"), topBox);
    auto* topLayout = new QVBoxLayout(topBox);
    topLayout->addWidget(LineOnTopBtn);
    topLayout->addWidget(BarsOnTopBtn);
    connect(LineOnTopBtn, &QRadioButton::toggled, this, [this] { OrderSeries(); });
    row->addWidget(topBox);

    auto* showBox = new QGroupBox(QStringLiteral("Show"), panel);
    ShowCreditsBtn = new QCheckBox(QStringLiteral("Show C&redits"), showBox);
    ShowDebitsBtn = new QCheckBox(QStringLiteral("Show &Debits"), showBox);
    ShowCashFlowBtn = new QCheckBox(QStringLiteral("Show Cash &Flow"), showBox);
    auto* showLayout = new QVBoxLayout(showBox);
    for (QCheckBox* box : {ShowCreditsBtn, ShowDebitsBtn, ShowCashFlowBtn}) {
        box->setChecked(true);
        showLayout->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] { FillSeries(); });
    }
    row->addWidget(showBox);

    // The tax switches choose the chart's own amounts; the engine's GstInTotals stays as it is.
    const TChartTaxBox tax = MakeChartTaxBox(panel, ChartTaxSwitches(*Ctx.Settings, Ctx.Ledger->Switches));
    TaxPanel = tax.Box;
    ExcludingBtn = tax.ExcludingBtn;
    IncludingBtn = tax.IncludingBtn;
    connect(ExcludingBtn, &QRadioButton::toggled, this, [this] { Rebuild(); });
    row->addWidget(TaxPanel);

    const TChartViewBox view = MakeChartViewBox(
        panel, 180, [this] { MouseModeChanged(); },
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

QWidget* TCashFlowChart::MakeButtons() {
    const TChartButtonRow buttons = MakeChartButtonRow(this, [this](int code) { done(code); });
    PrintBtn = buttons.PrintBtn;
    JumpBtn = buttons.JumpBtn;
    CloseBtn = buttons.CloseBtn;
    HelpBtn = buttons.HelpBtn;
    // This window is the cash flow chart: the menu offers the others.
    ShowOtherCharts(*JumpBtn, CashFlowChartCode);
    connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
    connect(CloseBtn, &QPushButton::clicked, this, [this] { done(ChartClosed); });
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        if (Ctx.ShowHelp)
            Ctx.ShowHelp(HelpTopic);
    });
    return buttons.Panel;
}

int TCashFlowChart::Execute(TChartContext context, QWidget* parent, bool& accountsChanged) {
    TCashFlowChart window(std::move(context), parent);
    const int code = window.exec();
    accountsChanged = window.AccountsChanged();
    return code == QDialog::Rejected ? ChartClosed : code;
}

void TCashFlowChart::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        TChartHint::HideHint();
    QDialog::changeEvent(event);
}

void TCashFlowChart::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        done(ChartClosed);
        return;
    }
    QDialog::keyPressEvent(event);
}

TSliceKind TCashFlowChart::Range() const {
    return static_cast<TSliceKind>(std::max(0, RangeBox->currentIndex()));
}

bool TCashFlowChart::NetAmounts() const {
    return ChartAmountsNet(*Ctx.Settings, ExcludingBtn->isChecked());
}

bool TCashFlowChart::ThreeD() const {
    return ThreeDBtn->isChecked();
}

// ---- Building the series ----------------------------------------------------------------------

void TCashFlowChart::Rebuild() {
    if (Building)
        return;
    Building = true;
    TChartHint::HideHint();
    Figures = std::make_unique<TCashFlowSeries>(BuildCashFlowSeries(*Ctx.Ledger, Range(), NetAmounts(), Ctx.Today));
    LegendFigures = CashFlowLegend(*Figures, *Ctx.Formats);
    FillSeries();
    UpdateTitle();
    LegendBox->SetLegend(&LegendFigures);
    Building = false;
}

void TCashFlowChart::FillSeries() {
    if (!Figures)
        return;
    const TCashFlowSeries& figures = *Figures;

    QStringList labels;
    for (const TChartPoint& point : figures.CreditBars.Points)
        labels << Text(point.Label);
    // Each set and the line get their values at once: value by value, the chart lays the whole
    // series out again after every one.
    QList<qreal> credits;
    QList<qreal> debits;
    credits.reserve(static_cast<qsizetype>(figures.CreditBars.Points.size()));
    debits.reserve(static_cast<qsizetype>(figures.DebitBars.Points.size()));
    // An empty point keeps its place and label with a bar of nothing.
    for (const TChartPoint& point : figures.CreditBars.Points)
        credits << (point.Value ? point.Value->ToDouble() : 0.0);
    for (const TChartPoint& point : figures.DebitBars.Points)
        debits << (point.Value ? point.Value->ToDouble() : 0.0);
    CreditSet->remove(0, CreditSet->count());
    DebitSet->remove(0, DebitSet->count());
    CreditSet->append(credits);
    DebitSet->append(debits);
    QList<QPointF> line;
    for (const TChartPoint& point : figures.CashFlowLine.Points)
        if (point.Value)
            line << QPointF(point.Slot, point.Value->ToDouble());
    LineSeries->replace(line);
    // The points are marked while there is room to tell them apart.
    LineSeries->setPointsVisible(line.size() <= MaxAxisLabels * 2);

    CreditSet->setLabel(Text(figures.CreditBars.Name));
    DebitSet->setLabel(Text(figures.DebitBars.Name));
    LineSeries->setName(Text(figures.CashFlowLine.Name));
    CreditSet->setColor(ShowCreditsBtn->isChecked() ? Colour(ChartGreen) : Qt::transparent);
    CreditSet->setBorderColor(ShowCreditsBtn->isChecked() ? Colour(ChartGreen).darker() : Qt::transparent);
    DebitSet->setColor(ShowDebitsBtn->isChecked() ? Colour(ChartRed) : Qt::transparent);
    DebitSet->setBorderColor(ShowDebitsBtn->isChecked() ? Colour(ChartRed).darker() : Qt::transparent);

    for (const QString& label : Categories->categoriesLabels())
        Categories->remove(label);
    const int step = LabelStep(static_cast<int>(labels.size()));
    for (int slot = 0; slot < labels.size(); slot += step)
        Categories->append(labels[slot], slot);
    Categories->setRange(-0.5, std::max<qsizetype>(1, labels.size()) - 0.5);
    Categories->setLabelsAngle(labels.size() > 12 ? -90 : 0);
    OrderSeries();
    LineSeries->setVisible(ShowCashFlowBtn->isChecked());

    // The value axis spans the bars and the line, and zero.
    double low = 0;
    double high = 0;
    for (const TChartSeries* series : {&figures.CreditBars, &figures.DebitBars, &figures.CashFlowLine})
        for (const TChartPoint& point : series->Points)
            if (point.Value) {
                low = std::min(low, point.Value->ToDouble());
                high = std::max(high, point.Value->ToDouble());
            }
    SetMoneyAxis(*Values, low, high, *Ctx.Formats);

    PieSeries->clear();
    const std::string* pieTexts[2] = {&LegendFigures.CreditPieText, &LegendFigures.DebitPieText};
    for (std::size_t i = 0; i < figures.Pie.size() && i < 2; ++i) {
        const TChartPoint& point = figures.Pie[i];
        // The pie's legend gives each slice's share.
        QPieSlice* slice =
            PieSeries->append(Text(*pieTexts[i]), std::max(0.0, point.Value ? point.Value->ToDouble() : 0.0));
        slice->setColor(Colour(point.Colour));
    }
    ApplyLook();
}

// "Line" on top: debits and credits, then the line; "Bars": the line first, then the bars.
void TCashFlowChart::OrderSeries() {
    if (!Figures)
        return;
    if (ChartItem->series().size() == 2 && (ChartItem->series().constLast() == LineSeries) == LineOnTopBtn->isChecked())
        return;
    for (QAbstractSeries* series : ChartItem->series())
        ChartItem->removeSeries(series);
    const bool lineOnTop = LineOnTopBtn->isChecked();
    if (lineOnTop) {
        ChartItem->addSeries(BarSeries);
        ChartItem->addSeries(LineSeries);
    } else {
        ChartItem->addSeries(LineSeries);
        ChartItem->addSeries(BarSeries);
    }
    for (QAbstractAxis* axis : {static_cast<QAbstractAxis*>(Categories), static_cast<QAbstractAxis*>(Values)}) {
        BarSeries->attachAxis(axis);
        LineSeries->attachAxis(axis);
    }
    LineSeries->setVisible(ShowCashFlowBtn->isChecked());
    ApplyLook();
}

// The 3D look, as far as a flat chart goes: shaded bars and a thicker line that grow with the
// depth, and the turn of the whole view; 2D draws flat bars and a plain line.
void TCashFlowChart::ApplyLook() {
    const bool deep = ThreeD();
    const double depth = DepthBox ? DepthBox->value() : 0;
    const std::pair<QBarSet*, TColour> sets[2] = {{CreditSet, ChartGreen}, {DebitSet, ChartRed}};
    const bool shown[2] = {ShowCreditsBtn->isChecked(), ShowDebitsBtn->isChecked()};
    for (int i = 0; i < 2; ++i) {
        QBarSet* set = sets[i].first;
        if (!shown[i])
            continue;
        const QColor colour = Colour(sets[i].second);
        if (deep) {
            QLinearGradient shade(0, 0, 1, 0);
            shade.setCoordinateMode(QGradient::ObjectMode);
            shade.setColorAt(0, colour.lighter(100 + static_cast<int>(depth * 6)));
            shade.setColorAt(1, colour.darker(130 + static_cast<int>(depth * 4)));
            set->setBrush(shade);
        } else {
            set->setBrush(colour);
        }
    }
    QPen pen(Colour(ChartBlue));
    pen.setWidthF(deep ? 2 + depth / 5 : 2);
    LineSeries->setPen(pen);
    ChartItem->setDropShadowEnabled(deep);

    QLinearGradient background(0, 0, 0, 1);
    background.setCoordinateMode(QGradient::ObjectBoundingMode);
    background.setColorAt(0, Colour(ChartSteelBlue));
    background.setColorAt(1, Qt::white);
    ChartItem->setBackgroundBrush(background);

    // The turn is about the chart's centre, shrunk as far as needed to keep the chart in view.
    QTransform turn;
    if (deep && (RotationX != 0 || RotationY != 0)) {
        const QRectF area = ChartItem->sceneBoundingRect();
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
    // The whole picture changes: no part of the old one may stay on the screen.
    View->scene()->invalidate();
    View->viewport()->update();
}

void TCashFlowChart::UpdateTitle() {
    QFont font = ChartItem->titleFont();
    font.setBold(true);
    font.setPointSize(std::max(font.pointSize(), 11));
    ChartItem->setTitleFont(font);
    ChartItem->setTitle(Text(CashFlowChartTitle(*Ctx.Ledger, *Ctx.Formats)));
}

// ---- The view controls -------------------------------------------------------------------------

void TCashFlowChart::ViewChanged() {
    if (!Building)
        ResetViewBtn->setEnabled(true);
}

void TCashFlowChart::MouseModeChanged() {
    MouseCaption->setText(QString::fromLatin1(ZoomBtn->isChecked() ? ZoomCaption : RotateCaption));
}

bool TCashFlowChart::ZoomInto(const QRectF& rect) {
    if (Zooms >= MaxZooms)
        return false;
    ChartItem->zoomIn(View->mapToScene(rect.toRect()).boundingRect().intersected(ChartItem->plotArea()));
    ++Zooms;
    ViewChanged();
    return true;
}

void TCashFlowChart::Rotate(double aroundX, double aroundY) {
    if (!ThreeD())
        return;
    RotationX = std::clamp(RotationX + aroundX, -60.0, 60.0);
    RotationY = std::clamp(RotationY + aroundY, -60.0, 60.0);
    ApplyLook();
    ViewChanged();
}

void TCashFlowChart::ResetView() {
    Building = true;
    ChartItem->zoomReset();
    Zooms = 0;
    RotationX = 0;
    RotationY = 0;
    DepthBox->setValue(5);
    ThreeDBtn->setChecked(true);
    ZoomBtn->setChecked(true);
    Building = false;
    MouseModeChanged();
    ApplyLook();
    ResetViewBtn->setEnabled(false);
}

// ---- The hints ---------------------------------------------------------------------------------

QString TCashFlowChart::HintAt(const QPointF& pos, QColor* colour) const {
    const auto hint = [colour](TCashFlowHintSeries series, const std::string& text) {
        if (colour)
            *colour = Colour(CashFlowHintColour(series));
        return Text(text);
    };
    if (Building || !Figures)
        return {};
    const QPointF scenePos = View->mapToScene(pos.toPoint());
    if (!ChartItem->plotArea().contains(scenePos))
        return {};
    const TCashFlowSeries& figures = *Figures;
    // The line first: a point within a few pixels.
    if (LineSeries->isVisible())
        for (const TChartPoint& point : figures.CashFlowLine.Points) {
            if (!point.Value)
                continue;
            const QPointF at = ChartItem->mapToPosition(QPointF(point.Slot, point.Value->ToDouble()), LineSeries);
            if (QLineF(at, scenePos).length() <= 6)
                return hint(TCashFlowHintSeries::CashFlow,
                            CashFlowHintText(TCashFlowHintSeries::CashFlow, figures.Kind, point, *Ctx.Formats));
        }
    // The bars: the credit bar holds the left half of its slot, the debit bar the right half.
    const QPointF value = ChartItem->mapToValue(scenePos, BarSeries);
    const int slot = static_cast<int>(std::floor(value.x() + 0.5));
    const bool left = value.x() < slot;
    const std::pair<const TChartSeries*, TCashFlowHintSeries> bars[2] = {
        {&figures.CreditBars, TCashFlowHintSeries::Credit}, {&figures.DebitBars, TCashFlowHintSeries::Debit}};
    const bool shown[2] = {ShowCreditsBtn->isChecked(), ShowDebitsBtn->isChecked()};
    const int which = left ? 0 : 1;
    if (!shown[which])
        return {};
    for (const TChartPoint& point : bars[which].first->Points)
        if (point.Slot == slot && point.Value && value.y() >= 0 && value.y() <= point.Value->ToDouble())
            return hint(bars[which].second, CashFlowHintText(bars[which].second, figures.Kind, point, *Ctx.Formats));
    return {};
}

// ---- The accounts ------------------------------------------------------------------------------

void TCashFlowChart::FillAccountBar() {
    std::vector<TAccountButton> buttons;
    for (const TBookRec* book : Ctx.Ledger->BookList.KeyList)
        buttons.push_back({book->Name.Str(), book->Colour, book->Selected != 0});
    AccountBar->SetButtons(buttons);
    AccountBar->SetAllEnabled(!Ctx.Ledger->BookList.AllSelected());
}

void TCashFlowChart::AccountClick(int index, bool ctrlHeld) {
    if (const auto pressed = ChartAccountClick(*Ctx.Ledger, index, ctrlHeld))
        AccountsChosen(*pressed);
}

void TCashFlowChart::AllAccountsClick() {
    AccountsChosen(std::vector<bool>(Ctx.Ledger->BookList.KeyList.size(), true));
}

void TCashFlowChart::AccountsChosen(const std::vector<bool>& pressed) {
    ChooseChartAccounts(*Ctx.Ledger, pressed);
    AccountsChangedFlag = true;
    FillAccountBar();
    Rebuild();
}

// ---- Printing ----------------------------------------------------------------------------------

TChartPageTexts TCashFlowChart::DefaultPageTexts() const {
    TChartPageTexts texts;
    texts.Title = ChartItem->title();
    if (Ctx.PrintFilename)
        texts.FileLine = QStringLiteral("Filename - ") + Text(ReportFileName(Ctx.DocumentPath));
    if (Ctx.PrintDate)
        texts.PrintedLine = QStringLiteral("Printed on ") + Text(Ctx.PrintedText);
    return texts;
}

bool TCashFlowChart::PaintPage(QPainter& painter, const QRectF& page, const TChartPageTexts& texts) {
    painter.save();
    // Everything is laid out in points of 1/72 inch, whatever the device.
    const double scale = painter.device()->logicalDpiX() / 72.0;
    painter.translate(page.topLeft());
    painter.scale(scale, scale);
    const QRectF area(0, 0, page.width() / scale, page.height() / scale);

    const QFont small = ChartPageFont(painter.device(), 8);
    const QFont titleFont = ChartPageFont(painter.device(), 14, true);
    const QFont subFont = ChartPageFont(painter.device(), 11);
    const QFont legendFont = ChartPageFont(painter.device(), 8);
    const QFont legendBold = ChartPageFont(painter.device(), 8, true);
    painter.setPen(Qt::black);

    // The title band.
    double top = 0;
    painter.setFont(small);
    const double smallHeight = QFontMetricsF(small, painter.device()).height();
    painter.drawText(QRectF(0, 0, area.width(), smallHeight), Qt::AlignLeft | Qt::AlignVCenter, texts.FileLine);
    painter.drawText(QRectF(0, 0, area.width(), smallHeight), Qt::AlignRight | Qt::AlignVCenter, texts.PrintedLine);
    top += smallHeight + 6;
    painter.setFont(titleFont);
    const double titleHeight = QFontMetricsF(titleFont, painter.device()).height();
    painter.drawText(QRectF(0, top, area.width(), titleHeight), Qt::AlignCenter, texts.Title);
    top += titleHeight;
    if (!texts.Subtitle.isEmpty()) {
        painter.setFont(subFont);
        const double subHeight = QFontMetricsF(subFont, painter.device()).height();
        painter.drawText(QRectF(0, top, area.width(), subHeight), Qt::AlignCenter, texts.Subtitle);
        top += subHeight;
    }
    top += 6;

    // The legend band: its box, centred, with a shadow.
    painter.setFont(legendFont);
    const QFontMetricsF metrics(legendFont, painter.device());
    const QFontMetricsF boldMetrics(legendBold, painter.device());
    const double row = metrics.height() + 3;
    const QString range = Text(RangeText(Figures->Kind));
    const QString averageCaption = Text(LegendFigures.PrintedAverageCaption);
    const QString balanceCaption = Text(LegendFigures.PrintedBalanceCaption);
    const QString names[3] = {QStringLiteral("Credits"), QStringLiteral("Debits"), QStringLiteral("Cash Flow")};
    const QString figures[3] = {Text(LegendFigures.AverageCreditText), Text(LegendFigures.AverageDebitText),
                                Text(LegendFigures.AverageBalanceText)};
    const double nameWidth = boldMetrics.horizontalAdvance(names[2]) + 16;
    double captionWidth =
        std::max(metrics.horizontalAdvance(averageCaption), metrics.horizontalAdvance(balanceCaption));
    double figureWidth = 0;
    for (const QString& figure : figures)
        figureWidth = std::max(figureWidth, metrics.horizontalAdvance(figure));
    const double pieSize = row * 3;
    const double shareWidth = std::max(metrics.horizontalAdvance(Text(LegendFigures.CreditShareText)),
                                       metrics.horizontalAdvance(Text(LegendFigures.DebitShareText))) +
                              14;
    const double differenceWidth = std::max(boldMetrics.horizontalAdvance(QStringLiteral("Difference")),
                                            metrics.horizontalAdvance(Text(LegendFigures.PrintedDifferenceText)) + 8);
    const double boxWidth =
        8 + nameWidth + 8 + captionWidth + 8 + figureWidth + 12 + pieSize + 4 + shareWidth + 12 + differenceWidth + 8;
    const double boxHeight = row * 3 + 8;
    const bool legendFits = boxWidth <= area.width();
    const double legendBand = legendFits ? boxHeight + 12 : 0;

    // The chart fills the width between the bands.
    const QRectF chartRect(0, top, area.width(), std::max(40.0, area.height() - top - legendBand));
    const QBrush screenBackground = ChartItem->backgroundBrush();
    const QString screenTitle = ChartItem->title();
    const bool shadow = ChartItem->isDropShadowEnabled();
    ChartItem->setTitle(QString());
    ChartItem->setDropShadowEnabled(false);
    if (!texts.Background)
        ChartItem->setBackgroundBrush(Qt::white);
    const QTransform turn = View->transform();
    View->setTransform(QTransform());
    // The chart is laid out at the page's proportions, then drawn into the page.
    const QSizeF screenSize = ChartItem->size();
    const QSizeF pageSize(chartRect.width() * 1.5, chartRect.height() * 1.5);
    ChartItem->resize(pageSize);
    QCoreApplication::sendPostedEvents();
    View->scene()->render(&painter, chartRect, QRectF(ChartItem->pos(), pageSize), Qt::IgnoreAspectRatio);
    ChartItem->resize(screenSize);
    View->setTransform(turn);
    ChartItem->setBackgroundBrush(screenBackground);
    ChartItem->setDropShadowEnabled(shadow);
    ChartItem->setTitle(screenTitle);
    QCoreApplication::sendPostedEvents();

    if (legendFits) {
        const QRectF box((area.width() - boxWidth) / 2, chartRect.bottom() + 8, boxWidth, boxHeight);
        painter.fillRect(box.translated(3, 3), QColor(128, 128, 128));
        painter.fillRect(box, texts.Background ? Colour(ChartSteelBlue) : QColor(Qt::white));
        painter.setPen(Qt::black);
        painter.drawRect(box);
        const TColour squares[3] = {ChartGreen, ChartRed, ChartBlue};
        double x = box.left() + 8;
        for (int i = 0; i < 3; ++i) {
            const double y = box.top() + 4 + i * row;
            painter.fillRect(QRectF(x, y + 2, 9, row - 5), Colour(squares[i]));
            painter.setFont(legendBold);
            painter.drawText(QRectF(x + 14, y, nameWidth, row), Qt::AlignVCenter, names[i]);
        }
        x += nameWidth + 8;
        painter.setFont(legendFont);
        const QString captions[3] = {averageCaption, averageCaption, balanceCaption};
        for (int i = 0; i < 3; ++i) {
            const double y = box.top() + 4 + i * row;
            painter.drawText(QRectF(x, y, captionWidth, row), Qt::AlignVCenter, captions[i]);
            painter.drawText(QRectF(x + captionWidth + 8, y, figureWidth, row), Qt::AlignVCenter | Qt::AlignRight,
                             figures[i]);
        }
        x += captionWidth + 8 + figureWidth + 12;
        // The small pie of the shares.
        const double total =
            std::max(0.0, Figures->Credits.Total().ToDouble()) + std::max(0.0, Figures->Debits.Total().ToDouble());
        const QRectF pie(x, box.top() + 4, pieSize - 4, pieSize - 4);
        if (total > 0) {
            const int creditSpan =
                static_cast<int>(std::lround(5760.0 * std::max(0.0, Figures->Credits.Total().ToDouble()) / total));
            painter.setBrush(Colour(ChartGreen));
            painter.drawPie(pie, 90 * 16, creditSpan);
            painter.setBrush(Colour(ChartRed));
            painter.drawPie(pie, 90 * 16 + creditSpan, 5760 - creditSpan);
            painter.setBrush(Qt::NoBrush);
        } else {
            painter.drawEllipse(pie);
        }
        x += pieSize + 4;
        painter.drawText(QRectF(x, box.top() + 4, shareWidth, row), Qt::AlignVCenter,
                         Text(LegendFigures.CreditShareText));
        painter.drawText(QRectF(x, box.top() + 4 + row, shareWidth, row), Qt::AlignVCenter,
                         Text(LegendFigures.DebitShareText));
        x += shareWidth + 12;
        painter.setFont(legendBold);
        painter.drawText(QRectF(x, box.top() + 4, differenceWidth, row), Qt::AlignCenter, QStringLiteral("Difference"));
        const QRectF difference(x, box.top() + 4 + row, differenceWidth, row);
        painter.fillRect(difference, Colour(LegendFigures.DifferenceBackground));
        painter.setPen(Colour(LegendFigures.DifferenceTextColour));
        painter.setFont(legendFont);
        painter.drawText(difference, Qt::AlignCenter, Text(LegendFigures.PrintedDifferenceText));
        Q_UNUSED(range);
    }
    painter.restore();
    return legendFits;
}

bool TCashFlowChart::SavePdf(const QString& path, const TChartPageTexts& texts, const QPageLayout& layout) {
    return SaveChartPdf(*this, path, texts, layout);
}

void TCashFlowChart::PrintBtnClick() {
    if (!Ctx.Ask || !DefaultPrinterCheck(*Ctx.Ask, Ctx.Printer ? Ctx.Printer() : CurrentDefaultPrinter()))
        return;
    if (!CashFlowChartCanPrint(*Ctx.Ledger)) {
        Ctx.Ask->MessageBox(NothingToPrintMessage, MsgKind::Information, MsgButtons::Ok);
        return;
    }
    RunChartPrintDialog(*this, Ctx);
}

} // namespace qz::gui
