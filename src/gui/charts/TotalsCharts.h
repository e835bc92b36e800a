#pragma once
// The totals chart windows of the worksheet's current filter: the category window (the
// "Category Totals Chart" or the "Quick Summary Chart", as bars or a pie, one coloured point per
// item) and the accounts-and-groups window (the "Account Totals Chart" or the "Group Totals
// Chart", three bars per account or group). The figures all come from the core; these windows
// draw them with Qt Charts and share the cash flow chart's view controls, hints and printing.

#include "ChartWindow.h"
#include "reports/TotalsSeries.h"

#include <QDialog>

#include <vector>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QCategoryAxis;
class QChart;
class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QPieSeries;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedBarSeries;
class QWidget;

namespace qz::gui {

class TKQBookBar;

// What both totals windows share: the view controls (zoom, 3D turn, depth, reset), the tax
// switches, the account bar, the hint, the buttons with "&Jump To...", and closing.
class TTotalsChart : public QDialog, public TPrintableChart {
    Q_OBJECT
public:
    static constexpr int MaxZooms = 4;
    ~TTotalsChart() override;

    bool AccountsChanged() const { return AccountsChangedFlag; }
    int ZoomCount() const { return Zooms; }
    bool ThreeD() const;
    bool ZoomAllowed() const { return Zooms < MaxZooms && ZoomEnabled(); }
    QChart* Chart() const { return ChartItem; }
    TChartMouseView* ChartView() const { return View; }
    // The hint over the chart at `pos` (in the view's coordinates); empty for none.
    virtual QString HintAt(const QPointF& pos, QColor* colour = nullptr) const = 0;
    bool ZoomInto(const QRectF& rect);
    void Unzoom();
    void Rotate(double aroundX, double aroundY);
    virtual void ResetView() = 0;
    // "&Print": the printer check, then the "Print Chart" dialog.
    void PrintBtnClick();
    QWidget* ChartWindow() override { return this; }
    TChartPageTexts DefaultPageTexts() const override;
    // Chooses the chart under "&Jump To...": this window's other mode, or closing with the code.
    virtual void JumpTo(int code) = 0;
    void done(int result) override;

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

protected:
    explicit TTotalsChart(TChartContext context, QWidget* parent);
    // Lays the window out: the window's own controls first in the row, the chart and what goes
    // beside it, the buttons.
    void Assemble(QWidget* ownControls, QWidget* besideChart);
    virtual void Rebuild() = 0;
    virtual int HelpTopic() const = 0;
    virtual bool ZoomEnabled() const { return true; }
    // The colour the background gradient starts from, down to white.
    virtual TColour GradientStart() const = 0;
    // Shades or flattens the series for the depth; the base sets background, shadow and turn.
    virtual void ApplyLook();
    // Hides the jump menu's entry for the chart this window shows.
    void ShowJumpEntries(int ownCode);
    void ResetCommon(int depth, double aroundX, double aroundY);
    void ViewChanged();
    void MouseModeChanged();
    void FillAccountBar();
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    static QBrush Shaded(const QColor& colour, bool deep, int depth);

    TChartContext Ctx;
    QChart* ChartItem = nullptr;
    TChartMouseView* View = nullptr;
    QWidget* ChartArea = nullptr; // the view with the no-information text over it
    QLabel* NoInformation = nullptr;
    bool AccountsChangedFlag = false;
    bool Building = false;
    int Zooms = 0;
    double RotationX = 0;
    double RotationY = 0;

private:
    QWidget* MakeControls(QWidget* ownControls);
    QWidget* MakeButtons();
    void AccountsChosen(const std::vector<bool>& pressed);
};

// The category window (`TCatChart`): categories, sub categories or category types of one side.
class TCatChart : public TTotalsChart {
    Q_OBJECT
public:
    TCatChart(TChartContext context, TCatChartMode mode, bool pie, QWidget* parent = nullptr);

    // Opens the window modally in `mode` as a pie; returns its code (1, or a chart of the other
    // window chosen under "&Jump To...").
    static int Execute(TChartContext context, TCatChartMode mode, QWidget* parent, bool& accountsChanged);

    TCatChartMode Mode() const { return ChartMode; }
    bool Pie() const;
    std::uint8_t Side() const;
    const TMainActRec* SubsOf() const;
    const std::vector<TChartPoint>& Points() const { return ChartPoints; }
    QStackedBarSeries* Bars() const { return BarSeries; }
    QPieSeries* PieSlices() const { return PieSeries; }
    bool NoInformationShown() const;
    void SetMode(TCatChartMode mode);
    // Shows one side and, with a category of it, that category's sub categories, as the side
    // buttons and "Sub Categories of" would; false when the category is not one of the side's.
    bool ShowSide(std::uint8_t side, const TMainActRec* subsOf = nullptr);
    QString HintAt(const QPointF& pos, QColor* colour = nullptr) const override;
    // Where a click on legend entry `index` shows its hint (in the view's coordinates).
    QPoint LegendPoint(int index) const;
    void ResetView() override;
    void JumpTo(int code) override;
    int PageCount(QPainter& painter, const QRectF& page) override;
    bool PaintChartPage(QPainter& painter, const QRectF& page, const TChartPageTexts& texts, int index) override;

    QRadioButton* BarBtn = nullptr;
    QRadioButton* PieBtn = nullptr;
    QRadioButton* CreditBtn = nullptr;
    QRadioButton* DebitBtn = nullptr;
    QCheckBox* SubCategoriesBox = nullptr;
    QComboBox* CategoryBox = nullptr;
    QListWidget* LegendList = nullptr;

protected:
    void Rebuild() override;
    int HelpTopic() const override;
    bool ZoomEnabled() const override;
    TColour GradientStart() const override;
    void ApplyLook() override;

private:
    void SideChanged();
    void StyleChanged();
    void FillChooser();
    // The legend's entries on a page: Arial 10, a line 1.2 text heights each.
    int LegendEntriesPerPage(QPainter& painter, const QRectF& page);

    TCatChartMode ChartMode;
    std::vector<TChartPoint> ChartPoints;
    std::vector<TCategoryChoice> Choices;
    QStackedBarSeries* BarSeries = nullptr;
    QBarCategoryAxis* Labels = nullptr;
    QCategoryAxis* Values = nullptr;
    QPieSeries* PieSeries = nullptr;
};

// The accounts-and-groups window (`TGrpChart`): credits, debits and their difference for each
// account or group.
class TGrpChart : public TTotalsChart {
    Q_OBJECT
public:
    TGrpChart(TChartContext context, TGrpChartMode mode, QWidget* parent = nullptr);

    static int Execute(TChartContext context, TGrpChartMode mode, QWidget* parent, bool& accountsChanged);

    TGrpChartMode Mode() const { return ChartMode; }
    const TTotalsBars& Figures() const { return Bars; }
    QBarSeries* BarSeries() const { return Series; }
    void SetMode(TGrpChartMode mode);
    QString HintAt(const QPointF& pos, QColor* colour = nullptr) const override;
    void ResetView() override;
    void JumpTo(int code) override;
    bool PaintChartPage(QPainter& painter, const QRectF& page, const TChartPageTexts& texts, int index) override;

    QCheckBox* ShowCreditsBtn = nullptr;
    QCheckBox* ShowDebitsBtn = nullptr;
    QCheckBox* ShowDifferenceBtn = nullptr;

protected:
    void Rebuild() override;
    int HelpTopic() const override;
    TColour GradientStart() const override;
    void ApplyLook() override;

private:
    void FillSeries();

    TGrpChartMode ChartMode;
    TTotalsBars Bars;
    QBarSeries* Series = nullptr;
    QBarSet* Sets[3] = {nullptr, nullptr, nullptr}; // credits, debits, difference
    QBarCategoryAxis* Labels = nullptr;
    QCategoryAxis* Values = nullptr;
};

} // namespace qz::gui
