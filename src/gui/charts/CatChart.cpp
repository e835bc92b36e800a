#include "TotalsCharts.h"

#include "ChartHint.h"
#include "grid/WinColour.h"
#include "platform/TextCodec.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedBarSeries>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qz::gui {

namespace {

// A point's colour with a thin dark frame, so that the palette's white shows on a white list.
QIcon Square(TColour colour) {
    QPixmap pixmap(12, 12);
    pixmap.fill(ToQColor(colour));
    QPainter painter(&pixmap);
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(0, 0, 11, 11);
    painter.end();
    return QIcon(pixmap);
}

// The pie's share of the plot area.
constexpr double PieSize = 0.7;

} // namespace

TCatChart::TCatChart(TChartContext context, TCatChartMode mode, bool pie, QWidget* parent)
    : TTotalsChart(std::move(context), parent), ChartMode(mode) {
    setObjectName(QStringLiteral("CatChart"));
    ChartItem->setObjectName(QStringLiteral("CatChartItem"));

    // Bars: one stacked set per point, each holding only its own slot, so every bar has its colour.
    BarSeries = new QStackedBarSeries;
    BarSeries->setBarWidth(0.7);
    Labels = new QBarCategoryAxis(ChartItem);
    Labels->setObjectName(QStringLiteral("CategoryAxis"));
    Values = new QCategoryAxis(ChartItem);
    Values->setObjectName(QStringLiteral("ValueAxis"));
    Values->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    ChartItem->addAxis(Labels, Qt::AlignBottom);
    ChartItem->addAxis(Values, Qt::AlignLeft);
    PieSeries = new QPieSeries;
    PieSeries->setPieSize(PieSize);
    // Both series stay in the chart; the style shows one of them.
    ChartItem->addSeries(BarSeries);
    ChartItem->addSeries(PieSeries);
    BarSeries->attachAxis(Labels);
    BarSeries->attachAxis(Values);

    auto* own = new QWidget(this);
    auto* row = new QHBoxLayout(own);
    row->setContentsMargins(0, 0, 0, 0);
    auto* styleBox = new QGroupBox(QStringLiteral("Style"), own);
    BarBtn = new QRadioButton(QStringLiteral("&Bar"), styleBox);
    PieBtn = new QRadioButton(QStringLiteral("P&ie"), styleBox);
    auto* styleLayout = new QVBoxLayout(styleBox);
    styleLayout->addWidget(BarBtn);
    styleLayout->addWidget(PieBtn);
    row->addWidget(styleBox);
    auto* sideBox = new QGroupBox(QStringLiteral("Side"), own);
    CreditBtn = new QRadioButton(QStringLiteral("Credit"), sideBox);
    DebitBtn = new QRadioButton(QStringLiteral("Debit"), sideBox);
    auto* sideLayout = new QVBoxLayout(sideBox);
    sideLayout->addWidget(CreditBtn);
    sideLayout->addWidget(DebitBtn);
    row->addWidget(sideBox);
    SubCategoriesBox = new QCheckBox(QStringLiteral("Sub Categories of"), own);
    CategoryBox = new QComboBox(own);
    CategoryBox->setObjectName(QStringLiteral("CategoryBox"));
    CategoryBox->setMinimumWidth(140);
    auto* subLayout = new QVBoxLayout;
    subLayout->addWidget(SubCategoriesBox);
    subLayout->addWidget(CategoryBox);
    row->addLayout(subLayout);

    LegendList = new QListWidget(this);
    LegendList->setObjectName(QStringLiteral("LegendList"));
    LegendList->setFixedWidth(190);
    Assemble(own, LegendList);

    // On opening: the style asked for, the first side with something to show, no sub categories.
    Building = true;
    (pie ? PieBtn : BarBtn)->setChecked(true);
    Building = false;
    connect(BarBtn, &QRadioButton::toggled, this, [this] { StyleChanged(); });
    connect(CreditBtn, &QRadioButton::toggled, this, [this] { SideChanged(); });
    connect(SubCategoriesBox, &QCheckBox::toggled, this, [this](bool ticked) {
        CategoryBox->setEnabled(ticked);
        Building = true;
        CategoryBox->setCurrentIndex(ticked && CategoryBox->count() > 0 ? 0 : -1);
        Building = false;
        Rebuild();
    });
    connect(CategoryBox, &QComboBox::currentIndexChanged, this, [this] { Rebuild(); });
    connect(LegendList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int index = LegendList->row(item);
        if (index < 0 || static_cast<std::size_t>(index) >= ChartPoints.size())
            return;
        const TChartPoint& point = ChartPoints[static_cast<std::size_t>(index)];
        TChartHint::ShowAt(View->mapToGlobal(LegendPoint(index)),
                           FromDocument(CategoryLegendClickText(point, *Ctx.Formats)), ToQColor(point.Colour));
    });
    SetMode(mode);
    AccountsChangedFlag = false;
}

int TCatChart::Execute(TChartContext context, TCatChartMode mode, QWidget* parent, bool& accountsChanged) {
    TCatChart window(std::move(context), mode, true, parent);
    const int code = window.exec();
    accountsChanged = window.AccountsChanged();
    return code == QDialog::Rejected ? ChartClosed : code;
}

// Opening in a mode: its caption, its controls, the side with something to show, as a pie.
void TCatChart::SetMode(TCatChartMode mode) {
    ChartMode = mode;
    setWindowTitle(FromDocument(CategoryChartCaption(mode)));
    ShowJumpEntries(mode == TCatChartMode::Categories ? CategoryChartCode : SummaryChartCode);
    Building = true;
    const bool categories = mode == TCatChartMode::Categories;
    SubCategoriesBox->setVisible(categories);
    CategoryBox->setVisible(categories);
    SubCategoriesBox->setChecked(false);
    CategoryBox->setEnabled(false);
    CreditBtn->setEnabled(CategorySideEnabled(*Ctx.Ledger, mode, SideCredit));
    DebitBtn->setEnabled(CategorySideEnabled(*Ctx.Ledger, mode, SideDebit));
    (CategoryChartFirstSide(*Ctx.Ledger, mode) == SideCredit ? CreditBtn : DebitBtn)->setChecked(true);
    Building = false;
    StyleChanged();
    SideChanged();
}

bool TCatChart::Pie() const {
    return PieBtn->isChecked();
}

std::uint8_t TCatChart::Side() const {
    return CreditBtn->isChecked() ? SideCredit : SideDebit;
}

const TMainActRec* TCatChart::SubsOf() const {
    if (ChartMode != TCatChartMode::Categories || !SubCategoriesBox->isChecked())
        return nullptr;
    const int index = CategoryBox->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= Choices.size())
        return nullptr;
    return Ctx.Ledger->MainActList.FindByNumber(Choices[static_cast<std::size_t>(index)].Number);
}

bool TCatChart::ShowSide(std::uint8_t side, const TMainActRec* subsOf) {
    (side == SideCredit ? CreditBtn : DebitBtn)->setChecked(true);
    if (!subsOf)
        return true;
    const auto chosen = std::find_if(Choices.begin(), Choices.end(), [subsOf](const TCategoryChoice& choice) {
        return choice.Number == subsOf->Number;
    });
    if (ChartMode != TCatChartMode::Categories || subsOf->Side != side || chosen == Choices.end())
        return false;
    SubCategoriesBox->setChecked(true);
    CategoryBox->setCurrentIndex(static_cast<int>(chosen - Choices.begin()));
    return true;
}

bool TCatChart::NoInformationShown() const {
    return !NoInformation->isHidden();
}

int TCatChart::HelpTopic() const {
    return ChartMode == TCatChartMode::Categories ? 16000 : 16001;
}

bool TCatChart::ZoomEnabled() const {
    return !Pie();
}

TColour TCatChart::GradientStart() const {
    return CategorySideGradient(Side());
}

void TCatChart::SideChanged() {
    if (Building)
        return;
    FillChooser();
    Rebuild();
}

void TCatChart::FillChooser() {
    Building = true;
    const bool ticked = SubCategoriesBox->isChecked();
    Choices = CategoryChoices(*Ctx.Ledger, Side());
    CategoryBox->clear();
    for (const TCategoryChoice& choice : Choices)
        CategoryBox->addItem(Square(choice.Colour), FromDocument(choice.Name));
    CategoryBox->setCurrentIndex(ticked && !Choices.empty() ? 0 : -1);
    Building = false;
}

// Bars with axes and zooming, or a pie without them; the mouse-mode button says which.
void TCatChart::StyleChanged() {
    if (Building)
        return;
    ZoomBtn->setText(Pie() ? QStringLiteral("Normal") : QStringLiteral("Zoom"));
    Rebuild();
    ResetView();
}

void TCatChart::Rebuild() {
    if (Building)
        return;
    Building = true;
    TChartHint::HideHint();
    const TMainActRec* subsOf = SubsOf();
    ChartPoints = CategoryChartPoints(*Ctx.Ledger, ChartMode, Side(), subsOf);

    BarSeries->clear();
    PieSeries->clear();
    LegendList->clear();
    QStringList labels;
    double high = 0;
    for (std::size_t i = 0; i < ChartPoints.size(); ++i) {
        const TChartPoint& point = ChartPoints[i];
        const QString label = FromDocument(point.Label);
        const double value = point.Value ? point.Value->ToDouble() : 0.0;
        labels << label;
        high = std::max(high, value);
        auto* item = new QListWidgetItem(Square(point.Colour), label, LegendList);
        item->setToolTip(label);
        if (Pie()) {
            QPieSlice* slice = PieSeries->append(label, value);
            slice->setColor(ToQColor(point.Colour));
            slice->setBorderColor(ToQColor(point.Colour).darker(150));
        } else {
            auto* set = new QBarSet(label);
            QList<qreal> values(static_cast<qsizetype>(ChartPoints.size()), 0.0);
            values[static_cast<qsizetype>(i)] = value;
            set->append(values);
            set->setColor(ToQColor(point.Colour));
            set->setBorderColor(ToQColor(point.Colour).darker(150));
            BarSeries->append(set);
        }
    }
    // A pie has no axes.
    Labels->setVisible(!Pie());
    Values->setVisible(!Pie());
    PieSeries->setVisible(Pie());
    BarSeries->setVisible(!Pie());
    if (!Pie()) {
        Labels->clear();
        Labels->append(labels);
        Labels->setLabelsAngle(labels.size() > 8 ? -90 : 0);
        SetMoneyAxis(*Values, 0, high, *Ctx.Formats);
    }
    NoInformation->setVisible(ChartPoints.empty());

    QFont font = ChartItem->titleFont();
    font.setBold(true);
    font.setPointSize(std::max(font.pointSize(), 11));
    ChartItem->setTitleFont(font);
    ChartItem->setTitle(FromDocument(CategoryChartTitle(*Ctx.Ledger, ChartMode, Side(), subsOf)));
    Building = false;
    ApplyLook();
}

void TCatChart::ApplyLook() {
    const bool deep = ThreeD();
    const int depth = DepthBox->value();
    const QList<QBarSet*> sets = BarSeries->barSets();
    for (qsizetype i = 0; i < sets.size() && static_cast<std::size_t>(i) < ChartPoints.size(); ++i)
        sets[i]->setBrush(Shaded(ToQColor(ChartPoints[static_cast<std::size_t>(i)].Colour), deep, depth));
    // A deep pie stands out from the background and its slices from each other.
    for (QPieSlice* slice : PieSeries->slices())
        slice->setBorderWidth(deep ? 1 + depth / 15.0 : 1);
    TTotalsChart::ApplyLook();
}

void TCatChart::ResetView() {
    // Bars: 10 percent and square on; a pie: 15 percent, tilted back a little.
    if (Pie())
        ResetCommon(15, 30, 0);
    else
        ResetCommon(10, 0, 0);
}

void TCatChart::JumpTo(int code) {
    if (code == CategoryChartCode || code == SummaryChartCode) {
        // This window shows the other mode, as a pie.
        Building = true;
        PieBtn->setChecked(true);
        Building = false;
        SetMode(code == CategoryChartCode ? TCatChartMode::Categories : TCatChartMode::QuickSummary);
        return;
    }
    done(code);
}

// ---- The hints ---------------------------------------------------------------------------------

QString TCatChart::HintAt(const QPointF& pos, QColor* colour) const {
    if (Building || ChartPoints.empty())
        return {};
    const QPointF scenePos = View->mapToScene(pos.toPoint());
    const QRectF plot = ChartItem->plotArea();
    if (!plot.contains(scenePos))
        return {};
    int found = -1;
    if (Pie()) {
        const QPointF centre = plot.center();
        const double radius = PieSize * std::min(plot.width(), plot.height()) / 2;
        const QPointF offset = scenePos - centre;
        if (std::hypot(offset.x(), offset.y()) > radius)
            return {};
        // Angles run clockwise from twelve o'clock, as the slices'.
        double angle = std::atan2(offset.x(), -offset.y()) * 180 / std::numbers::pi;
        if (angle < 0)
            angle += 360;
        const QList<QPieSlice*> slices = PieSeries->slices();
        for (int i = 0; i < slices.size(); ++i)
            if (angle >= slices[i]->startAngle() && angle < slices[i]->startAngle() + slices[i]->angleSpan())
                found = i;
    } else {
        const QPointF value = ChartItem->mapToValue(scenePos, BarSeries);
        const int slot = static_cast<int>(std::floor(value.x() + 0.5));
        if (slot >= 0 && static_cast<std::size_t>(slot) < ChartPoints.size() &&
            std::abs(value.x() - slot) <= BarSeries->barWidth() / 2) {
            const TChartPoint& point = ChartPoints[static_cast<std::size_t>(slot)];
            if (point.Value && value.y() >= 0 && value.y() <= point.Value->ToDouble())
                found = slot;
        }
    }
    if (found < 0 || static_cast<std::size_t>(found) >= ChartPoints.size())
        return {};
    const TChartPoint& point = ChartPoints[static_cast<std::size_t>(found)];
    if (colour)
        *colour = ToQColor(point.Colour);
    return FromDocument(TotalsHintText(point, *Ctx.Formats));
}

QPoint TCatChart::LegendPoint(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= ChartPoints.size())
        return {};
    const TChartPoint& point = ChartPoints[static_cast<std::size_t>(index)];
    QPointF scenePoint;
    if (Pie()) {
        // The middle of the slice's outer edge.
        const QPieSlice* slice = PieSeries->slices().value(index);
        const QRectF plot = ChartItem->plotArea();
        const double radius = PieSize * std::min(plot.width(), plot.height()) / 2;
        const double angle = slice ? (slice->startAngle() + slice->angleSpan() / 2) * std::numbers::pi / 180 : 0;
        scenePoint = plot.center() + QPointF(radius * std::sin(angle), -radius * std::cos(angle));
    } else {
        scenePoint = ChartItem->mapToPosition(QPointF(index, point.Value ? point.Value->ToDouble() : 0), BarSeries);
    }
    return View->mapFromScene(scenePoint);
}

// ---- Printing: the chart on the left of every page, the legend entries on the right -----------

int TCatChart::LegendEntriesPerPage(QPainter& painter, const QRectF& page) {
    const double scale = painter.device()->logicalDpiX() / 72.0;
    const QFont font = ChartPageFont(painter.device(), 10);
    const double line = QFontMetricsF(font, painter.device()).height() * 1.2;
    const QFont small = ChartPageFont(painter.device(), 8);
    const double footer = QFontMetricsF(small, painter.device()).height() + 4;
    // The band below the title band and above the page number.
    const QFont titleFont = ChartPageFont(painter.device(), 14, true);
    const double header =
        QFontMetricsF(small, painter.device()).height() + 6 + QFontMetricsF(titleFont, painter.device()).height() + 30;
    const double band = page.height() / scale - header - footer;
    return std::max(1, static_cast<int>(band / line));
}

int TCatChart::PageCount(QPainter& painter, const QRectF& page) {
    return CategoryLegendPages(static_cast<std::int32_t>(ChartPoints.size()), LegendEntriesPerPage(painter, page));
}

bool TCatChart::PaintChartPage(QPainter& painter, const QRectF& page, const TChartPageTexts& texts, int index) {
    const int perPage = LegendEntriesPerPage(painter, page);
    const int pages = PageCount(painter, page);
    painter.save();
    const double scale = painter.device()->logicalDpiX() / 72.0;
    painter.translate(page.topLeft());
    painter.scale(scale, scale);
    const QRectF area(0, 0, page.width() / scale, page.height() / scale);
    const double top = PaintChartTitleBand(painter, area.width(), texts);

    const QFont font = ChartPageFont(painter.device(), 10);
    const QFontMetricsF metrics(font, painter.device());
    const QFont small = ChartPageFont(painter.device(), 8);
    const double footer = QFontMetricsF(small, painter.device()).height() + 4;
    // The legend is as wide as its longest entry, at most a third of the page.
    double legendWidth = metrics.horizontalAdvance(QStringLiteral("XX")) + metrics.horizontalAdvance('X');
    double longest = 0;
    for (const TChartPoint& point : ChartPoints)
        longest = std::max(longest, metrics.horizontalAdvance(FromDocument(point.Label)));
    legendWidth = std::min(area.width() / 3, legendWidth + longest + 8);
    const QRectF chartRect(0, top, area.width() - legendWidth - 8, std::max(40.0, area.height() - top - footer));
    RenderChartInto(*ChartItem, painter, chartRect, texts.Background);

    painter.setFont(font);
    painter.setPen(Qt::black);
    const double line = metrics.height() * 1.2;
    const double squareWidth = metrics.horizontalAdvance(QStringLiteral("XX"));
    const double squareHeight = metrics.boundingRect(QStringLiteral("X")).height();
    const double gap = metrics.horizontalAdvance('X');
    const double left = chartRect.right() + 8;
    const std::size_t first = static_cast<std::size_t>(index) * static_cast<std::size_t>(perPage);
    for (std::size_t i = first; i < ChartPoints.size() && i < first + static_cast<std::size_t>(perPage); ++i) {
        const double y = top + static_cast<double>(i - first) * line;
        painter.fillRect(QRectF(left, y + (line - squareHeight) / 2, squareWidth, squareHeight),
                         ToQColor(ChartPoints[i].Colour));
        painter.drawRect(QRectF(left, y + (line - squareHeight) / 2, squareWidth, squareHeight));
        painter.drawText(
            QRectF(left + squareWidth + gap, y, legendWidth - squareWidth - gap, line),
            Qt::AlignVCenter | Qt::AlignLeft,
            metrics.elidedText(FromDocument(ChartPoints[i].Label), Qt::ElideRight, legendWidth - squareWidth - gap));
    }
    painter.setFont(small);
    painter.drawText(QRectF(0, area.height() - footer, area.width(), footer), Qt::AlignRight | Qt::AlignBottom,
                     QStringLiteral("Page %1 of %2").arg(index + 1).arg(pages));
    painter.restore();
    return true;
}

} // namespace qz::gui
