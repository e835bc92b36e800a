#pragma once
// What every chart window shares: what it needs from the program, the codes it closes with, the
// printed page's texts, the "Print Chart" dialog that prints or previews any chart's pages, the
// account bar's clicks and the look of the chart view.

#include "ledger/Ledger.h"
#include "platform/FileDialogs.h"
#include "platform/Prompts.h"
#include "reports/ChartSeries.h"
#include "reports/PrinterCheck.h"

#include <QChartView>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCategoryAxis;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QChart;
class QFont;
class QPaintDevice;
class QPainter;
class QPageLayout;
class QRectF;
class QWidget;

namespace qz {
struct TFileSettings;
} // namespace qz

namespace qz::gui {

class TSpecPageSetup;

// What a chart window needs from the program; the tests pass their own.
struct TChartContext {
    TLedger* Ledger = nullptr;
    const TFileSettings* Settings = nullptr;
    const TDisplayFormats* Formats = nullptr;
    Prompts* Ask = nullptr;
    TDateTime Today = 0; // the range when nothing is shown
    // The stored option the totals charts give the engine's GstInTotals back on closing.
    bool StoredGstInTotals = true;
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

// A chart window as the "Print Chart" dialog sees it.
class TPrintableChart {
public:
    virtual ~TPrintableChart() = default;
    virtual QWidget* ChartWindow() = 0;
    virtual TChartPageTexts DefaultPageTexts() const = 0;
    // The pages a printout of `page` (in the painter's device pixels) takes.
    virtual int PageCount(QPainter& painter, const QRectF& page) {
        (void)painter;
        (void)page;
        return 1;
    }
    // Paints page `index` (from 0); false when a part had to be left out (the legend band).
    virtual bool PaintChartPage(QPainter& painter, const QRectF& page, const TChartPageTexts& texts, int index) = 0;
};

// "Print Chart": orientation, background, copies, the page setup and the titles, then a preview,
// a printout or a PDF of the chart's pages. Returns when the user closes it.
void RunChartPrintDialog(TPrintableChart& chart, const TChartContext& context);
// Writes every page of the chart as a PDF with the given layout.
bool SaveChartPdf(TPrintableChart& chart, const QString& path, const TChartPageTexts& texts, const QPageLayout& layout);
// A font of `points` for a page painted in points: the painter scaled by the device's dots per
// inch over 72, so the font must not be enlarged by the device's resolution a second time.
QFont ChartPageFont(const QPaintDevice* device, double points, bool bold = false);
// The page's title band ("Filename - ...", "Printed on ...", the titles) in points; returns the
// height it took.
double PaintChartTitleBand(QPainter& painter, double width, const TChartPageTexts& texts, bool titles = true);
// Draws the chart of a window into `target` at the page's proportions, without its screen title
// and shadow, and with its background only when asked.
void RenderChartInto(QChart& chart, QPainter& painter, const QRectF& target, bool background);

// The account bar of a chart window: a click on account `index` (with Ctrl: adding or taking it
// away) gives the pressed states to choose, none when nothing would be left chosen.
std::optional<std::vector<bool>> ChartAccountClick(const TLedger& ledger, int index, bool ctrlHeld);

// The chart view of a chart window: with no button held the pointer asks for a hint; the left
// button drags a zoom rectangle (from right to left: undoes the zoom) or turns the chart, the
// right button moves it.
class TChartMouseView : public QChartView {
public:
    explicit TChartMouseView(QChart* chart);

    std::function<QString(const QPointF& pos, QColor* colour)> Hint;
    std::function<bool()> Rotating;
    std::function<void(double aroundX, double aroundY)> Rotate;
    std::function<void(const QRectF& rect)> Zoom;
    std::function<void()> Unzoom; // none: dragging leftwards zooms too
    std::function<void()> Scrolled;
    std::function<void()> Resized; // after the chart took the view's new size
    int HintDrop = 20;             // the hint's distance below the pointer

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointF Start;
    QPointF Last;
    Qt::MouseButton Button = Qt::NoButton;
};

// The value axis in the money display format, spanning `low` to `high` and zero, at nice ticks.
void SetMoneyAxis(QCategoryAxis& axis, double low, double high, const TDisplayFormats& formats);

// The "View" box of every chart window: "Zoom" or "3D Rotate" for the mouse with its caption,
// "2D" or "3D", "3D Depth %" and "&Reset View". In 2D there is no depth to set and nothing to
// turn, so the mouse goes back to zooming. `mouseMode` runs when the mouse's use changes,
// `lookChanged` when the dimensions or the depth change, `reset` on "&Reset View".
struct TChartViewBox {
    QGroupBox* Box = nullptr;
    QRadioButton* ZoomBtn = nullptr;
    QRadioButton* RotateBtn = nullptr;
    QLabel* MouseCaption = nullptr;
    QRadioButton* TwoDBtn = nullptr;
    QRadioButton* ThreeDBtn = nullptr;
    QSpinBox* DepthBox = nullptr;
    QPushButton* ResetViewBtn = nullptr;
};
TChartViewBox MakeChartViewBox(QWidget* parent, int captionWidth, const std::function<void()>& mouseMode,
                               const std::function<void()>& lookChanged, const std::function<void()>& reset);

// The tax box of every chart window: "excluding" and "including" as the document names its
// tax, the one `tax` holds down chosen, hidden when the document keeps no account of tax.
struct TChartTaxBox {
    QGroupBox* Box = nullptr;
    QRadioButton* ExcludingBtn = nullptr;
    QRadioButton* IncludingBtn = nullptr;
};
TChartTaxBox MakeChartTaxBox(QWidget* parent, const TChartTaxSwitches& tax);

// The button row of every chart window: "&Print" and "&Jump To..." (its menu names the five
// charts; `jump` runs with the chosen one's code) on the left, "&Close" and "&Help" on the right.
struct TChartButtonRow {
    QWidget* Panel = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* JumpBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
};
TChartButtonRow MakeChartButtonRow(QWidget* parent, const std::function<void(int code)>& jump);
// Shows every chart of the "&Jump To..." menu but the window's own.
void ShowOtherCharts(QPushButton& jumpBtn, int ownCode);

} // namespace qz::gui
