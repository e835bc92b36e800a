#pragma once
// The cash flow chart window ("Cash Flow"): for the transactions the worksheet shows, the credits
// and debits of each time slice as bars and the average balance of each slice as a line, with
// the legend box of the averages and shares. The figures all come from the core; this window
// draws them with Qt Charts, and prints the chart with its legend band on one page.

#include "ChartWindow.h"
#include "ledger/Ledger.h"
#include "platform/FileDialogs.h"
#include "platform/Prompts.h"
#include "reports/CashFlowSeries.h"
#include "reports/PrinterCheck.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QCategoryAxis;
class QBarSeries;
class QBarSet;
class QButtonGroup;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineSeries;
class QPageLayout;
class QPushButton;
class QRadioButton;
class QCheckBox;
class QSpinBox;
class QWidget;
class QPieSeries;

namespace qz {
struct TFileSettings;
} // namespace qz

namespace qz::gui {

class TKQBookBar;
class TSpecPageSetup;
class TCashFlowLegendBox;

class TCashFlowChart : public QDialog, public TPrintableChart {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 15000;
    static constexpr int MaxZooms = 4;

    explicit TCashFlowChart(TChartContext context, QWidget* parent = nullptr);
    ~TCashFlowChart() override;

    // Opens the window modally; returns its code (1, or the chart chosen under "&Jump To...").
    // `accountsChanged` is set when the user changed the accounts in it.
    static int Execute(TChartContext context, QWidget* parent, bool& accountsChanged);

    bool AccountsChanged() const { return AccountsChangedFlag; }
    const TCashFlowSeries& Series() const { return *Figures; }
    const TCashFlowLegend& Legend() const { return LegendFigures; }
    TSliceKind Range() const;
    bool NetAmounts() const;
    int ZoomCount() const { return Zooms; }
    bool ThreeD() const;
    QChart* Chart() const { return ChartItem; }
    QChartView* ChartView() const;
    QBarSeries* Bars() const { return BarSeries; }
    QLineSeries* Line() const { return LineSeries; }
    QPieSeries* Pie() const { return PieSeries; }
    // Every how many slots the horizontal axis names one, for a series of `slots` buckets.
    static int LabelStep(int slots);
    // The hint over a point of the chart at `pos` (in the view's coordinates); empty for none.
    // `colour`, when given, receives the colour of the series.
    QString HintAt(const QPointF& pos, QColor* colour = nullptr) const;

    // Zooming on the plot area as the mouse does; false once the zooms are used up.
    bool ZoomInto(const QRectF& rect);
    // Turns the 3D view by the given angles, in degrees.
    void Rotate(double aroundX, double aroundY);
    void ResetView();

    // The printed page: the chart fills the width between the title band and the legend band.
    // Returns false when the legend did not fit the page and was left out.
    bool PaintPage(QPainter& painter, const QRectF& page, const TChartPageTexts& texts);
    // "&Print": the checks, then the "Print Chart" dialog.
    void PrintBtnClick();
    // Writes the printed page as a PDF with the page setup's layout.
    bool SavePdf(const QString& path, const TChartPageTexts& texts, const QPageLayout& layout);
    TChartPageTexts DefaultPageTexts() const override;
    QWidget* ChartWindow() override { return this; }
    bool PaintChartPage(QPainter& painter, const QRectF& page, const TChartPageTexts& texts, int) override {
        return PaintPage(painter, page, texts);
    }

    QComboBox* RangeBox = nullptr;
    QRadioButton* LineOnTopBtn = nullptr;
    QRadioButton* BarsOnTopBtn = nullptr;
    QCheckBox* ShowCreditsBtn = nullptr;
    QCheckBox* ShowDebitsBtn = nullptr;
    QCheckBox* ShowCashFlowBtn = nullptr;
    QWidget* TaxPanel = nullptr;
    QRadioButton* ExcludingBtn = nullptr;
    QRadioButton* IncludingBtn = nullptr;
    QRadioButton* ZoomBtn = nullptr;
    QRadioButton* RotateBtn = nullptr;
    QLabel* MouseCaption = nullptr;
    QRadioButton* TwoDBtn = nullptr;
    QRadioButton* ThreeDBtn = nullptr;
    QSpinBox* DepthBox = nullptr;
    QPushButton* ResetViewBtn = nullptr;
    TKQBookBar* AccountBar = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* JumpBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    TCashFlowLegendBox* LegendBox = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* MakeControls();
    QWidget* MakeButtons();
    void Rebuild();
    void FillSeries();
    void OrderSeries();
    void ApplyLook();
    void FillAccountBar();
    void AccountClick(int index, bool ctrlHeld);
    void AllAccountsClick();
    void AccountsChosen(const std::vector<bool>& pressed);
    void ViewChanged();
    void MouseModeChanged();
    void UpdateTitle();

    TChartContext Ctx;
    std::unique_ptr<TCashFlowSeries> Figures;
    TCashFlowLegend LegendFigures;
    bool AccountsChangedFlag = false;
    bool Building = false;
    int Zooms = 0;
    double RotationX = 0;
    double RotationY = 0;

    QChart* ChartItem = nullptr;
    TChartMouseView* View = nullptr;
    QBarSeries* BarSeries = nullptr;
    QBarSet* CreditSet = nullptr;
    QBarSet* DebitSet = nullptr;
    QLineSeries* LineSeries = nullptr;
    QCategoryAxis* Categories = nullptr;
    QCategoryAxis* Values = nullptr;
    QChart* PieChart = nullptr;
    QChartView* PieView = nullptr;
    QPieSeries* PieSeries = nullptr;
};

} // namespace qz::gui
