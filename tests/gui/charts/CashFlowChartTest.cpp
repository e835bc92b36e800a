// The cash flow chart window on generated books: what it draws is the core's series for the
// chosen range and tax basis, the view controls keep their rules, and the window closes with its
// codes. The main window opens it only while the worksheet shows a transaction.

#include "charts/CashFlowChart.h"
#include "charts/ChartHint.h"
#include "controls/KQBookBar.h"
#include "editors/GeneratedBooksFixture.h"
#include "engine/Engine.h"
#include "forms/ModalDriver.h"
#include "grid/WinColour.h"
#include "mainwindow/MainFormFixture.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

namespace qz::gui::test {
namespace {

constexpr TDateTime Today = 46366; // 10 December 2026

class CashFlowChartTest : public GeneratedBooksFixture {
protected:
    CashFlowChartTest() : GeneratedBooksFixture(Today) {}

    void Open(bool taxOn = true) {
        WriteBooks(11, 400, [taxOn](TLedger&, TFileSettings& settings) {
            if (!taxOn)
                settings.TaxOn = 0;
        });
        Recalculate(Ledger);
        ASSERT_GT(Ledger.TransList.VisibleCount, 0);
    }

    std::unique_ptr<TCashFlowChart> MakeWindow(std::function<TDefaultPrinter()> printer = {}) {
        TChartContext context;
        context.Printer = std::move(printer);
        context.Ledger = &Ledger;
        context.Settings = &Files.Settings;
        context.Formats = &Formats;
        context.Ask = &Prompts;
        context.Today = Today;
        auto window = std::make_unique<TCashFlowChart>(context);
        // A chart view that was never shown does not lay out.
        window->resize(1000, 700);
        window->show();
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
        return window;
    }

    // What the window draws, against the core's figures for the same choice.
    static void ExpectDrawn(TCashFlowChart& window, const TCashFlowSeries& core) {
        const auto& points = core.CreditBars.Points;
        ASSERT_EQ(window.Bars()->barSets().size(), 2);
        QBarSet* credits = window.Bars()->barSets()[0];
        QBarSet* debits = window.Bars()->barSets()[1];
        ASSERT_EQ(credits->count(), core.Credits.Count());
        ASSERT_EQ(debits->count(), core.Debits.Count());
        // The axis spans the slots and names every slot, or every so many of a long series.
        auto* axis = qobject_cast<QCategoryAxis*>(window.Chart()->axes(Qt::Horizontal).value(0));
        ASSERT_TRUE(axis);
        EXPECT_DOUBLE_EQ(axis->min(), -0.5);
        EXPECT_DOUBLE_EQ(axis->max(), core.Credits.Count() - 0.5);
        const int step = TCashFlowChart::LabelStep(core.Credits.Count());
        EXPECT_EQ(axis->count(), (core.Credits.Count() + step - 1) / step);
        for (const QString& label : axis->categoriesLabels()) {
            const auto slot = static_cast<std::size_t>(axis->endValue(label));
            ASSERT_LT(slot, points.size());
            EXPECT_EQ(slot % static_cast<std::size_t>(step), 0u);
            EXPECT_EQ(label.toStdString(), points[slot].Label);
        }
        for (int i = 0; i < credits->count(); ++i) {
            const auto slot = static_cast<std::size_t>(i);
            EXPECT_DOUBLE_EQ(credits->at(i), points[slot].Value ? points[slot].Value->ToDouble() : 0.0);
            const auto& debit = core.DebitBars.Points[slot];
            EXPECT_DOUBLE_EQ(debits->at(i), debit.Value ? debit.Value->ToDouble() : 0.0);
        }
        std::size_t linePoints = 0;
        for (const TChartPoint& point : core.CashFlowLine.Points)
            if (point.Value) {
                ASSERT_LT(static_cast<int>(linePoints), window.Line()->count());
                EXPECT_EQ(window.Line()->at(static_cast<int>(linePoints)),
                          QPointF(point.Slot, point.Value->ToDouble()));
                ++linePoints;
            }
        EXPECT_EQ(window.Line()->count(), static_cast<int>(linePoints));
    }
};

TEST_F(CashFlowChartTest, EachRangeDrawsTheCoresBucketsAsBarsAndTheAverageBalanceLine) {
    Open();
    auto window = MakeWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Cash Flow"));
    // It opens on "Weekly" with the engine's tax basis.
    EXPECT_EQ(window->Range(), TSliceKind::Week);
    EXPECT_EQ(window->RangeBox->currentText(), QStringLiteral("Weekly"));
    const bool net = ChartAmountsNet(Files.Settings, !Ledger.Switches.GstInTotals);
    EXPECT_EQ(window->NetAmounts(), net);
    int lastCount = -1;
    for (TSliceKind kind : {TSliceKind::Day, TSliceKind::Week, TSliceKind::Month, TSliceKind::Quarter}) {
        SCOPED_TRACE(RangeText(kind));
        window->RangeBox->setCurrentIndex(static_cast<int>(kind));
        const TCashFlowSeries core = BuildCashFlowSeries(Ledger, kind, net, Today);
        ExpectDrawn(*window, core);
        // The ranges are different cuts of the same year.
        EXPECT_NE(core.Credits.Count(), lastCount);
        lastCount = core.Credits.Count();
        // The legend box shows the core's figures for the range.
        const TCashFlowLegend legend = CashFlowLegend(core, Formats);
        EXPECT_EQ(window->Legend().AverageCreditText, legend.AverageCreditText);
        EXPECT_EQ(window->Legend().AverageBalanceText, legend.AverageBalanceText);
        EXPECT_EQ(window->Legend().DifferenceText, legend.DifferenceText);
    }
    EXPECT_EQ(window->Chart()->title().toStdString(), CashFlowChartTitle(Ledger, Formats));
    // The vertical axis names its values in the money display format.
    auto* values = qobject_cast<QCategoryAxis*>(window->Chart()->axes(Qt::Vertical).value(0));
    ASSERT_TRUE(values);
    EXPECT_GE(values->count(), 2);
    for (const QString& label : values->categoriesLabels())
        EXPECT_EQ(label.toStdString(), Formats.MoneyText(Money::FromDouble(values->endValue(label))));
}

TEST_F(CashFlowChartTest, TheTaxSwitchesChooseNetOrGrossAmountsWithoutTouchingTheEngine) {
    struct Case {
        bool TaxOn;
        bool PanelShown;
    };
    for (const Case& c : {Case{true, true}, Case{false, false}}) {
        SCOPED_TRACE(c.TaxOn);
        Open(c.TaxOn);
        Ledger.Switches.GstInTotals = true;
        auto window = MakeWindow();
        EXPECT_EQ(window->TaxPanel->isVisibleTo(window.get()), c.PanelShown);
        EXPECT_TRUE(window->IncludingBtn->isChecked());
        if (c.TaxOn) {
            EXPECT_EQ(window->ExcludingBtn->text(), QStringLiteral("Excluding GST"));
            EXPECT_EQ(window->IncludingBtn->text(), QStringLiteral("Including GST"));
        }
        const TCashFlowSeries gross = BuildCashFlowSeries(Ledger, TSliceKind::Week, false, Today);
        window->ExcludingBtn->click();
        EXPECT_EQ(window->NetAmounts(), c.TaxOn);
        const TCashFlowSeries shown = BuildCashFlowSeries(Ledger, TSliceKind::Week, c.TaxOn, Today);
        EXPECT_EQ(window->Series().Credits.Total(), shown.Credits.Total());
        EXPECT_EQ(window->Series().AverageBalance, shown.AverageBalance);
        ExpectDrawn(*window, shown);
        // Net amounts are smaller than gross ones while tax is tracked; otherwise nothing changes.
        if (c.TaxOn)
            EXPECT_LT(shown.Credits.Total(), gross.Credits.Total());
        else
            EXPECT_EQ(shown.Credits.Total(), gross.Credits.Total());
        EXPECT_TRUE(Ledger.Switches.GstInTotals);
    }
}

TEST_F(CashFlowChartTest, LineOrBarsOnTopOrderTheSeriesAndTheSwitchesHideOne) {
    Open();
    auto window = MakeWindow();
    EXPECT_TRUE(window->LineOnTopBtn->isChecked());
    ASSERT_EQ(window->Chart()->series().size(), 2);
    EXPECT_EQ(window->Chart()->series().constLast(), window->Line());
    window->BarsOnTopBtn->click();
    ASSERT_EQ(window->Chart()->series().size(), 2);
    EXPECT_EQ(window->Chart()->series().constFirst(), window->Line());
    EXPECT_EQ(window->Chart()->series().constLast(), window->Bars());
    // The series keep their points and axes after the reorder.
    ExpectDrawn(*window, BuildCashFlowSeries(Ledger, TSliceKind::Week, window->NetAmounts(), Today));
    EXPECT_EQ(window->Line()->attachedAxes().size(), 2);

    window->ShowCashFlowBtn->click();
    EXPECT_FALSE(window->Line()->isVisible());
    window->ShowCashFlowBtn->click();
    EXPECT_TRUE(window->Line()->isVisible());
}

TEST_F(CashFlowChartTest, TwoDThreeDZoomAndResetKeepTheirRules) {
    Open();
    auto window = MakeWindow();
    // As it opens: 3D, depth 5, "Zoom", nothing to reset.
    EXPECT_TRUE(window->ThreeD());
    EXPECT_EQ(window->DepthBox->value(), 5);
    EXPECT_TRUE(window->ZoomBtn->isChecked());
    EXPECT_FALSE(window->ResetViewBtn->isEnabled());
    EXPECT_TRUE(window->ChartView()->transform().isIdentity());

    window->RotateBtn->click();
    window->Rotate(10, 20);
    EXPECT_FALSE(window->ChartView()->transform().isIdentity());
    EXPECT_TRUE(window->ResetViewBtn->isEnabled());

    // 2D: flat, no depth, nothing to turn, back to "Zoom".
    window->TwoDBtn->click();
    EXPECT_TRUE(window->ZoomBtn->isChecked());
    EXPECT_FALSE(window->RotateBtn->isEnabled());
    EXPECT_FALSE(window->DepthBox->isEnabled());
    EXPECT_TRUE(window->ChartView()->transform().isIdentity());
    window->Rotate(10, 20);
    EXPECT_TRUE(window->ChartView()->transform().isIdentity());

    // At most four zoom steps.
    const QRectF plot = window->ChartView()->mapFromScene(window->Chart()->plotArea()).boundingRect();
    const QRectF part(plot.center() - QPointF(plot.width() / 4, plot.height() / 4), plot.size() / 2);
    for (int i = 0; i < TCashFlowChart::MaxZooms; ++i)
        EXPECT_TRUE(window->ZoomInto(part)) << i;
    EXPECT_FALSE(window->ZoomInto(part));
    EXPECT_EQ(window->ZoomCount(), TCashFlowChart::MaxZooms);

    window->ResetViewBtn->click();
    EXPECT_EQ(window->ZoomCount(), 0);
    EXPECT_TRUE(window->ZoomInto(part));
    window->ResetViewBtn->click();
    EXPECT_TRUE(window->ThreeD());
    EXPECT_TRUE(window->RotateBtn->isEnabled());
    EXPECT_EQ(window->DepthBox->value(), 5);
    EXPECT_FALSE(window->ResetViewBtn->isEnabled());
}

TEST_F(CashFlowChartTest, TheHintNamesTheBarOrPointUnderThePointer) {
    Open();
    auto window = MakeWindow();
    window->RangeBox->setCurrentIndex(static_cast<int>(TSliceKind::Month));
    QApplication::processEvents();
    const TCashFlowSeries& core = window->Series();
    QChart* chart = window->Chart();
    auto at = [&](double x, double y, QAbstractSeries* series) {
        return QPointF(window->ChartView()->mapFromScene(chart->mapToPosition(QPointF(x, y), series)));
    };
    // The first month with both bars: the credit bar holds the left half of the slot, the debit bar the right.
    std::size_t slot = 0;
    while (slot < core.CreditBars.Points.size() &&
           !(core.CreditBars.Points[slot].Value && core.DebitBars.Points[slot].Value))
        ++slot;
    ASSERT_LT(slot, core.CreditBars.Points.size());
    const TChartPoint& credit = core.CreditBars.Points[slot];
    const TChartPoint& debit = core.DebitBars.Points[slot];
    const double x = static_cast<double>(slot);
    window->ShowCashFlowBtn->click(); // the line may cross the bars
    EXPECT_EQ(window->HintAt(at(x - 0.25, credit.Value->ToDouble() / 2, window->Bars())).toStdString(),
              CashFlowHintText(TCashFlowHintSeries::Credit, TSliceKind::Month, credit, Formats));
    QColor colour;
    EXPECT_EQ(window->HintAt(at(x + 0.25, debit.Value->ToDouble() / 2, window->Bars()), &colour).toStdString(),
              CashFlowHintText(TCashFlowHintSeries::Debit, TSliceKind::Month, debit, Formats));
    EXPECT_EQ(colour, ToQColor(CashFlowHintColour(TCashFlowHintSeries::Debit)));
    // Above a bar there is nothing; a hidden series gives no hint.
    const double top = std::max(credit.Value->ToDouble(), debit.Value->ToDouble());
    EXPECT_TRUE(window->HintAt(at(x - 0.25, top * 1.5 + 1, window->Bars())).isEmpty());
    window->ShowCreditsBtn->click();
    EXPECT_TRUE(window->HintAt(at(x - 0.25, credit.Value->ToDouble() / 2, window->Bars())).isEmpty());
    window->ShowCreditsBtn->click();

    // A point of the line, shown again, comes first.
    window->ShowCashFlowBtn->click();
    const TChartPoint& point = core.CashFlowLine.Points.front();
    ASSERT_TRUE(point.Value);
    EXPECT_EQ(window->HintAt(at(point.Slot, point.Value->ToDouble(), window->Line())).toStdString(),
              CashFlowHintText(TCashFlowHintSeries::CashFlow, TSliceKind::Month, point, Formats));
}

TEST(ChartHintTest, TheHintIsCentredBelowThePointAndStaysOnTheScreen) {
    const QRect screen(0, 0, 800, 600);
    const QSize text(100, 15); // the hint: 126 x 16
    struct Case {
        QPoint Point;
        QRect Expected;
    };
    const Case cases[] = {
        {{400, 300}, {337, 300, 126, 16}}, // centred on the point, its top there
        {{790, 300}, {674, 300, 126, 16}}, // moved left to the right edge
        {{400, 595}, {337, 584, 126, 16}}, // moved up to the bottom edge
        {{10, 300}, {0, 300, 126, 16}},    // never beyond the left edge
    };
    for (const Case& c : cases)
        EXPECT_EQ(TChartHint::Place(c.Point, text, screen), c.Expected) << c.Point.x() << "," << c.Point.y();
    // Wider than the screen: the left edge wins.
    EXPECT_EQ(TChartHint::Place({400, 300}, QSize(900, 15), screen).left(), 0);
}

TEST_F(CashFlowChartTest, EscapeAndCloseAnswerOneJumpToAnswersTheChosenChart) {
    Open();
    {
        auto window = MakeWindow();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &escape);
        EXPECT_EQ(window->result(), ChartClosed);
    }
    {
        auto window = MakeWindow();
        window->CloseBtn->click();
        EXPECT_EQ(window->result(), ChartClosed);
    }
    const std::pair<const char*, int> jumps[] = {{"Ca&tegory Totals Chart", CategoryChartCode},
                                                 {"&Account Totals Chart", AccountChartCode},
                                                 {"&Group Totals Chart", GroupChartCode},
                                                 {"&Quick Summary Chart", SummaryChartCode}};
    for (const auto& [caption, code] : jumps) {
        SCOPED_TRACE(caption);
        auto window = MakeWindow();
        QAction* chosen = nullptr;
        for (QAction* action : window->JumpBtn->menu()->actions()) {
            // The window does not offer itself.
            if (action->text() == QStringLiteral("&Cash Flow Chart"))
                EXPECT_FALSE(action->isVisible());
            if (action->text() == QString::fromUtf8(caption))
                chosen = action;
        }
        ASSERT_TRUE(chosen);
        chosen->trigger();
        EXPECT_EQ(window->result(), code);
    }
}

TEST_F(CashFlowChartTest, ChoosingAnAccountRecalculatesRebuildsAndIsReported) {
    Open();
    ASSERT_GE(Ledger.BookList.KeyList.size(), 2u);
    auto window = MakeWindow();
    EXPECT_FALSE(window->AccountsChanged());
    const Money allCredits = window->Series().Credits.Total();
    window->AccountBar->OnAccountClick(0, false);
    EXPECT_TRUE(window->AccountsChanged());
    EXPECT_EQ(Ledger.BookList.KeyList[0]->Selected, 1);
    EXPECT_EQ(Ledger.BookList.KeyList[1]->Selected, 0);
    EXPECT_TRUE(window->AccountBar->AllEnabled());
    // The chart follows the one account, and its title says the transactions are a selection.
    const TCashFlowSeries core = BuildCashFlowSeries(Ledger, TSliceKind::Week, window->NetAmounts(), Today);
    EXPECT_EQ(window->Series().Credits.Total(), core.Credits.Total());
    EXPECT_NE(core.Credits.Total(), allCredits);
    EXPECT_TRUE(window->Chart()->title().contains(QStringLiteral(" Selected Transactions ")));
    window->AccountBar->OnAllClick();
    EXPECT_EQ(window->Series().Credits.Total(), allCredits);
    EXPECT_TRUE(window->Chart()->title().contains(QStringLiteral(" All Transactions ")));
}

TEST_F(CashFlowChartTest, PrintingNeedsCreditsOrDebitsAndThePdfHoldsThePage) {
    Open();
    auto window = MakeWindow();
    const QString pdf = Folder.path() + QStringLiteral("/chart.pdf");
    const TChartPageTexts texts = window->DefaultPageTexts();
    ASSERT_TRUE(window->SavePdf(pdf, texts,
                                QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                            QPageLayout::Millimeter)));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    EXPECT_GT(file.size(), 2000);

    // A page too narrow for the legend band prints the chart alone.
    QImage narrow(300, 400, QImage::Format_RGB32);
    narrow.fill(Qt::white);
    QPainter painter(&narrow);
    EXPECT_FALSE(window->PaintPage(painter, QRectF(0, 0, 300, 400), texts));
    painter.end();
    QImage wide(1400, 1000, QImage::Format_RGB32);
    wide.fill(Qt::white);
    painter.begin(&wide);
    EXPECT_TRUE(window->PaintPage(painter, QRectF(0, 0, 1400, 1000), texts));
    painter.end();
    // The chart on the page is drawn: something besides white in its middle.
    bool drawn = false;
    for (int y = 300; y < 600 && !drawn; y += 5)
        for (int x = 200; x < 1200 && !drawn; x += 5)
            drawn = wide.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_TRUE(drawn);
    // The screen chart keeps its title after printing.
    EXPECT_EQ(window->Chart()->title().toStdString(), CashFlowChartTitle(Ledger, Formats));
}

TEST_F(CashFlowChartTest, PrintAsksForAPrinterAndShownCreditsOrDebitsBeforeTheDialog) {
    Open();
    TDefaultPrinter printer{1, "Office", "LPT1:"};
    auto window = MakeWindow([&printer] { return printer; });
    auto opensDialog = [&window] {
        QString caption;
        QString title;
        QTimer::singleShot(0, [&caption, &title] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                caption = dialog->windowTitle();
                if (auto* edit = dialog->findChild<QLineEdit*>())
                    title = edit->text();
                dialog->close();
            }
        });
        window->PrintBtn->click();
        QApplication::processEvents();
        return std::make_pair(caption, title);
    };
    // A printer and shown credits: the dialog, on the chart's title.
    EXPECT_EQ(opensDialog(), std::make_pair(QStringLiteral("Print Chart"), window->Chart()->title()));
    EXPECT_TRUE(Prompts.Messages.empty());

    // No printer: the printer message and no dialog.
    printer = TDefaultPrinter{};
    EXPECT_EQ(opensDialog().first, QString());
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages.back().Kind, MsgKind::Error);

    // Nothing shown that is a credit or a debit: the message and no dialog.
    printer = TDefaultPrinter{1, "Office", "LPT1:"};
    for (TTransRec* record : Ledger.TransList.RowList)
        record->Row = -1;
    EXPECT_EQ(opensDialog().first, QString());
    ASSERT_EQ(Prompts.Messages.size(), 2u);
    EXPECT_EQ(Prompts.Messages.back().Text, NothingToPrintMessage);
}

// ---- The main window ----------------------------------------------------------------------------

using MainChartsTest = MainFormTest;

TEST_F(MainChartsTest, TheCashFlowItemOpensTheChartOnlyWhileTheWorksheetShowsATransaction) {
    QAction* item = Window->Action(QStringLiteral("CashFlowChartItem"));
    ASSERT_TRUE(item);
    EXPECT_FALSE(item->isEnabled());

    // A document whose worksheet shows nothing: the message, no window.
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 300, 7)));
    EXPECT_TRUE(item->isEnabled());
    TLedger& books = Window->Ledger();
    ASSERT_GT(books.TransList.VisibleCount, 0);
    const std::int32_t rows = books.TransList.VisibleCount;
    books.TransList.VisibleCount = 0;
    EXPECT_FALSE(OpensAWindow([item] { item->trigger(); }));
    EXPECT_TRUE(Shown(NothingToChartMessage));
    books.TransList.VisibleCount = rows;

    // The chart opens modally; one account chosen in it is the worksheet's choice afterwards.
    ASSERT_GE(books.BookList.KeyList.size(), 2u);
    bool opened = false;
    WhenModal<TCashFlowChart>([&](TCashFlowChart& chart) {
        opened = true;
        chart.AccountBar->OnAccountClick(0, false);
        chart.CloseBtn->click();
    });
    EXPECT_EQ(Window->ChartCommand(CashFlowChartCode), ChartClosed);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(Window->AccountBar()->AllEnabled());
    EXPECT_EQ(Window->Grid()->RowCount(), books.TransList.VisibleCount);
}

} // namespace
} // namespace qz::gui::test
