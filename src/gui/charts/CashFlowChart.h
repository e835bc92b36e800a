#pragma once
// The cash flow chart window ("Cash Flow"): for the transactions the worksheet shows, the credits
// and debits of each time slice as bars and the average balance of each slice as a line, with
// the legend box of the averages and shares. The figures all come from the core; this window
// draws them with Qt Charts, and prints the chart with its legend band on one page.

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
class TCashFlowView;
class TCashFlowLegendBox;

// What the chart window needs from the program; the tests pass their own.
struct TChartContext {
    TLedger* Ledger = nullptr;
    const TFileSettings* Settings = nullptr;
    const TDisplayFormats* Formats = nullptr;
    Prompts* Ask = nullptr;
    TDateTime Today = 0; // the range when nothing is shown
    // The printed page: its setup (kept by the main window), the title band's parts.
    TSpecPageSetup* Page = nullptr;
    std::string DocumentPath;
    std::string PrintedText; // after "Printed on "
    bool PrintFilename = true;
    bool PrintDate = true;
    std::function<void(int topic)> ShowHelp;
    // The printers; the machine's own when not given.
    std::function<TDefaultPrinter()> Printer;
    // The save dialog for "Save as PDF..."; an empty answer cancels. The real one when not given.
    std::function<QString(const TFileDialogRequest&)> SaveDialog;
};

// The codes a chart window closes with: 1 for "&Close", otherwise the chart to open next.
enum TChartCode : int {
    ChartClosed = 1,
    CashFlowChartCode = 10,
    CategoryChartCode = 11,
    GroupChartCode = 13,
    SummaryChartCode = 14,
    AccountChartCode = 16
};

// The printed chart page's texts besides the chart.
struct TChartPageTexts {
    QString Title;           // "Chart Title"
    QString Subtitle;        // "Sub Title"
    QString FileLine;        // "Filename - ..." or empty
    QString PrintedLine;     // "Printed on ..." or empty
    bool Background = false; // "Print Chart Backgroud"
};

class TCashFlowChart : public QDialog {
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
    TChartPageTexts DefaultPageTexts() const;

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
    friend class TCashFlowView;
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
    TCashFlowView* View = nullptr;
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
