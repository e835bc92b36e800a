#include "TotalsCharts.h"

#include "ChartHint.h"
#include "grid/WinColour.h"
#include "platform/TextCodec.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace qz::gui {

namespace {

// The three bars fill this much of their slot, a third each.
constexpr double SlotWidth = 0.9;

} // namespace

TGrpChart::TGrpChart(TChartContext context, TGrpChartMode mode, QWidget* parent)
    : TTotalsChart(std::move(context), parent), ChartMode(mode) {
    setObjectName(QStringLiteral("GrpChart"));
    ChartItem->setObjectName(QStringLiteral("GrpChartItem"));
    ChartItem->legend()->setVisible(true);
    ChartItem->legend()->setAlignment(Qt::AlignBottom);
    Series = new QBarSeries;
    Series->setBarWidth(SlotWidth);
    for (QBarSet*& set : Sets) {
        set = new QBarSet(QString());
        Series->append(set);
    }
    Labels = new QBarCategoryAxis(ChartItem);
    Labels->setObjectName(QStringLiteral("CategoryAxis"));
    Values = new QCategoryAxis(ChartItem);
    Values->setObjectName(QStringLiteral("ValueAxis"));
    Values->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    ChartItem->addSeries(Series);
    ChartItem->addAxis(Labels, Qt::AlignBottom);
    ChartItem->addAxis(Values, Qt::AlignLeft);
    Series->attachAxis(Labels);
    Series->attachAxis(Values);
    View->HintDrop = 10;

    auto* showBox = new QGroupBox(QStringLiteral("Show"), this);
    ShowCreditsBtn = new QCheckBox(QStringLiteral("Show C&redits"), showBox);
    ShowDebitsBtn = new QCheckBox(QStringLiteral("Show &Debits"), showBox);
    ShowDifferenceBtn = new QCheckBox(QStringLiteral("Show &Difference"), showBox);
    auto* showLayout = new QVBoxLayout(showBox);
    for (QCheckBox* box : {ShowCreditsBtn, ShowDebitsBtn, ShowDifferenceBtn}) {
        box->setChecked(true);
        showLayout->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] { FillSeries(); });
    }
    Assemble(showBox, nullptr);
    SetMode(mode);
    AccountsChangedFlag = false;
}

int TGrpChart::Execute(TChartContext context, TGrpChartMode mode, QWidget* parent, bool& accountsChanged) {
    TGrpChart window(std::move(context), mode, parent);
    const int code = window.exec();
    accountsChanged = window.AccountsChanged();
    return code == QDialog::Rejected ? ChartClosed : code;
}

void TGrpChart::SetMode(TGrpChartMode mode) {
    ChartMode = mode;
    setWindowTitle(FromDocument(GrpChartCaption(mode)));
    ShowJumpEntries(mode == TGrpChartMode::Accounts ? AccountChartCode : GroupChartCode);
    Rebuild();
    ResetView();
}

int TGrpChart::HelpTopic() const {
    return ChartMode == TGrpChartMode::Accounts ? 31000 : 32000;
}

TColour TGrpChart::GradientStart() const {
    return GrpChartGradient(ChartMode);
}

void TGrpChart::Rebuild() {
    if (Building)
        return;
    Building = true;
    TChartHint::HideHint();
    // Accounts count their shown transactions, net of tax while "Excluding" is down.
    Bars = ChartMode == TGrpChartMode::Accounts
               ? AccountTotalsBars(*Ctx.Ledger, !ChartAmountsNet(*Ctx.Settings, ExcludingBtn->isChecked()))
               : GroupTotalsBars(*Ctx.Ledger);
    QFont font = ChartItem->titleFont();
    font.setBold(true);
    font.setPointSize(std::max(font.pointSize(), 11));
    ChartItem->setTitleFont(font);
    ChartItem->setTitle(FromDocument(GrpChartTitle(*Ctx.Ledger, ChartMode, *Ctx.Formats)));
    Building = false;
    FillSeries();
}

void TGrpChart::FillSeries() {
    const TChartSeries* figures[3] = {&Bars.Credits, &Bars.Debits, &Bars.Difference};
    double low = 0;
    double high = 0;
    QStringList labels;
    for (const TChartPoint& point : Bars.Credits.Points)
        labels << FromDocument(point.Label);
    for (int i = 0; i < 3; ++i) {
        QList<qreal> values;
        for (const TChartPoint& point : figures[i]->Points) {
            const double value = point.Value ? point.Value->ToDouble() : 0.0;
            values << value;
            low = std::min(low, value);
            high = std::max(high, value);
        }
        Sets[i]->remove(0, Sets[i]->count());
        Sets[i]->append(values);
        Sets[i]->setLabel(FromDocument(figures[i]->Name));
    }
    Labels->clear();
    Labels->append(labels);
    Labels->setLabelsAngle(labels.size() > 8 ? -90 : 0);
    SetMoneyAxis(*Values, low, high, *Ctx.Formats);
    NoInformation->hide();
    ApplyLook();
}

void TGrpChart::ApplyLook() {
    const TChartSeries* figures[3] = {&Bars.Credits, &Bars.Debits, &Bars.Difference};
    const bool shown[3] = {ShowCreditsBtn->isChecked(), ShowDebitsBtn->isChecked(), ShowDifferenceBtn->isChecked()};
    for (int i = 0; i < 3; ++i) {
        // A hidden series keeps its place with clear bars.
        const QColor colour = ToQColor(figures[i]->Colour);
        Sets[i]->setColor(shown[i] ? colour : Qt::transparent);
        Sets[i]->setBorderColor(shown[i] ? colour.darker() : Qt::transparent);
        if (shown[i])
            Sets[i]->setBrush(Shaded(colour, ThreeD(), DepthBox->value()));
    }
    TTotalsChart::ApplyLook();
}

void TGrpChart::ResetView() {
    ResetCommon(15, 0, 0);
}

void TGrpChart::JumpTo(int code) {
    if (code == AccountChartCode || code == GroupChartCode) {
        SetMode(code == AccountChartCode ? TGrpChartMode::Accounts : TGrpChartMode::Groups);
        return;
    }
    done(code);
}

// The bars of a slot stand side by side, credits, debits, difference, a third of the slot each;
// they are tested in the order difference, credits, debits.
QString TGrpChart::HintAt(const QPointF& pos, QColor* colour) const {
    if (Building || Bars.Credits.Points.empty())
        return {};
    const QPointF scenePos = View->mapToScene(pos.toPoint());
    if (!ChartItem->plotArea().contains(scenePos))
        return {};
    const QPointF value = ChartItem->mapToValue(scenePos, Series);
    const int slot = static_cast<int>(std::floor(value.x() + 0.5));
    if (slot < 0 || static_cast<std::size_t>(slot) >= Bars.Credits.Points.size())
        return {};
    const double within = value.x() - (slot - SlotWidth / 2);
    if (within < 0 || within >= SlotWidth)
        return {};
    const int which = static_cast<int>(within / (SlotWidth / 3));
    const TChartSeries* figures[3] = {&Bars.Credits, &Bars.Debits, &Bars.Difference};
    const bool shown[3] = {ShowCreditsBtn->isChecked(), ShowDebitsBtn->isChecked(), ShowDifferenceBtn->isChecked()};
    for (int i : {2, 0, 1}) {
        if (i != which || !shown[i])
            continue;
        const TChartPoint& point = figures[i]->Points[static_cast<std::size_t>(slot)];
        if (!point.Value)
            continue;
        const double bar = point.Value->ToDouble();
        if (value.y() < std::min(0.0, bar) || value.y() > std::max(0.0, bar))
            continue;
        if (colour)
            *colour = ToQColor(figures[i]->Colour);
        return FromDocument(TotalsHintText(point, *Ctx.Formats));
    }
    return {};
}

// The printed page: the title band, then the chart fills the rest.
bool TGrpChart::PaintChartPage(QPainter& painter, const QRectF& page, const TChartPageTexts& texts, int) {
    painter.save();
    const double scale = painter.device()->logicalDpiX() / 72.0;
    painter.translate(page.topLeft());
    painter.scale(scale, scale);
    const QRectF area(0, 0, page.width() / scale, page.height() / scale);
    const double top = PaintChartTitleBand(painter, area.width(), texts);
    RenderChartInto(*ChartItem, painter, QRectF(0, top, area.width(), std::max(40.0, area.height() - top)),
                    texts.Background);
    painter.restore();
    return true;
}

} // namespace qz::gui
