// The totals chart windows on generated books: what they draw is the core's points for the
// chosen mode, side, style and tax basis; the hints name the point under the pointer; "&Jump To..."
// switches a window to its other mode or closes it with the chosen chart; the main window
// follows the jumps through every chart window until one closes.

#include "charts/TotalsCharts.h"
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
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStackedBarSeries>
#include <QTimer>

#include <algorithm>

namespace qz::gui::test {
namespace {

constexpr TDateTime Today = 46366; // 10 December 2026

class TotalsChartsTest : public GeneratedBooksFixture {
protected:
    TotalsChartsTest() : GeneratedBooksFixture(Today) {}

    void Open() {
        WriteBooks(11, 400);
        Recalculate(Ledger);
        ASSERT_GT(Ledger.TransList.VisibleCount, 0);
    }

    TChartContext Context() {
        TChartContext context;
        context.Ledger = &Ledger;
        context.Settings = &Files.Settings;
        context.Formats = &Formats;
        context.Ask = &Prompts;
        context.Today = Today;
        context.StoredGstInTotals = Ledger.Switches.GstInTotals;
        return context;
    }

    template <class Window> static void Show(Window& window) {
        window.resize(1000, 700);
        window.show();
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }

    // What the category window draws, against the core's points for its choice.
    void ExpectDrawn(const TCatChart& window) {
        const std::vector<TChartPoint> core =
            CategoryChartPoints(Ledger, window.Mode(), window.Side(), window.SubsOf());
        ASSERT_EQ(window.Points().size(), core.size());
        EXPECT_EQ(window.NoInformationShown(), core.empty());
        for (std::size_t i = 0; i < core.size(); ++i) {
            const int at = static_cast<int>(i);
            EXPECT_EQ(window.Points()[i].Label, core[i].Label);
            EXPECT_EQ(window.Points()[i].Value, core[i].Value);
            EXPECT_EQ(window.LegendList->item(at)->text().toStdString(), core[i].Label);
            if (window.Pie()) {
                QPieSlice* slice = window.PieSlices()->slices().at(at);
                EXPECT_DOUBLE_EQ(slice->value(), core[i].Value->ToDouble());
                EXPECT_EQ(slice->color(), ToQColor(core[i].Colour));
            } else {
                // One set per point, holding only its own slot.
                QBarSet* set = window.Bars()->barSets().at(at);
                EXPECT_DOUBLE_EQ(set->at(at), core[i].Value->ToDouble());
                // Its brush is shaded for the depth; its border is the point's colour, darker.
                EXPECT_EQ(set->borderColor(), ToQColor(core[i].Colour).darker(150));
                for (int other = 0; other < set->count(); ++other)
                    if (other != at)
                        EXPECT_EQ(set->at(other), 0.0);
            }
        }
        if (window.Pie())
            EXPECT_EQ(window.PieSlices()->count(), static_cast<int>(core.size()));
        else
            EXPECT_EQ(window.Bars()->count(), static_cast<int>(core.size()));
        EXPECT_EQ(window.Chart()->title().toStdString(),
                  CategoryChartTitle(Ledger, window.Mode(), window.Side(), window.SubsOf()));
    }

    // The accounts-and-groups window's three sets against the core's bars.
    static void ExpectBars(const TGrpChart& window, const TTotalsBars& core) {
        const TChartSeries* series[3] = {&core.Credits, &core.Debits, &core.Difference};
        ASSERT_EQ(window.BarSeries()->count(), 3);
        for (int s = 0; s < 3; ++s) {
            QBarSet* set = window.BarSeries()->barSets().at(s);
            EXPECT_EQ(set->label().toStdString(), series[s]->Name);
            ASSERT_EQ(set->count(), static_cast<int>(series[s]->Points.size()));
            for (int i = 0; i < set->count(); ++i)
                EXPECT_DOUBLE_EQ(set->at(i), series[s]->Points[static_cast<std::size_t>(i)].Value->ToDouble());
        }
    }

    static QAction* JumpEntry(TTotalsChart& window, int code) {
        for (QAction* action : window.JumpBtn->menu()->actions())
            if (action->data().toInt() == code)
                return action;
        return nullptr;
    }
};

TEST_F(TotalsChartsTest, TheCategoryWindowDrawsTheCoresPointsForEachModeSideAndStyle) {
    Open();
    for (TCatChartMode mode : {TCatChartMode::Categories, TCatChartMode::QuickSummary}) {
        SCOPED_TRACE(static_cast<int>(mode));
        TCatChart window(Context(), mode, true);
        Show(window);
        EXPECT_EQ(window.windowTitle().toStdString(), CategoryChartCaption(mode));
        // Opening: a pie of the first side with something to show; the sub categories only
        // for categories, unticked.
        EXPECT_TRUE(window.Pie());
        EXPECT_EQ(window.Side(), CategoryChartFirstSide(Ledger, mode));
        EXPECT_EQ(window.CreditBtn->isEnabled(), CategorySideEnabled(Ledger, mode, SideCredit));
        EXPECT_EQ(window.DebitBtn->isEnabled(), CategorySideEnabled(Ledger, mode, SideDebit));
        EXPECT_EQ(window.SubCategoriesBox->isHidden(), mode == TCatChartMode::QuickSummary);
        EXPECT_FALSE(window.SubCategoriesBox->isChecked());
        EXPECT_FALSE(window.CategoryBox->isEnabled());
        EXPECT_EQ(window.ZoomBtn->text(), QStringLiteral("Normal"));
        ExpectDrawn(window);
        ASSERT_FALSE(window.Points().empty());

        window.BarBtn->click();
        EXPECT_EQ(window.ZoomBtn->text(), QStringLiteral("Zoom"));
        ExpectDrawn(window);
        ASSERT_TRUE(window.DebitBtn->isEnabled());
        window.DebitBtn->click();
        EXPECT_EQ(window.Side(), SideDebit);
        ExpectDrawn(window);
        window.PieBtn->click();
        ExpectDrawn(window);
    }
}

TEST_F(TotalsChartsTest, SubCategoriesOfTheChosenCategoryAndTheChooserFollowTheSide) {
    Open();
    TCatChart window(Context(), TCatChartMode::Categories, false);
    Show(window);
    const std::vector<TCategoryChoice> choices = CategoryChoices(Ledger, window.Side());
    ASSERT_EQ(window.CategoryBox->count(), static_cast<int>(choices.size()));
    ASSERT_GE(choices.size(), 2u);
    window.SubCategoriesBox->click();
    EXPECT_TRUE(window.CategoryBox->isEnabled());
    EXPECT_EQ(window.CategoryBox->currentIndex(), 0);
    ASSERT_TRUE(window.SubsOf());
    EXPECT_EQ(window.SubsOf()->Number, choices[0].Number);
    ExpectDrawn(window);
    window.CategoryBox->setCurrentIndex(1);
    EXPECT_EQ(window.SubsOf()->Number, choices[1].Number);
    ExpectDrawn(window);
    // The other side's categories fill the chooser.
    window.DebitBtn->click();
    const std::vector<TCategoryChoice> debits = CategoryChoices(Ledger, SideDebit);
    ASSERT_EQ(window.CategoryBox->count(), static_cast<int>(debits.size()));
    EXPECT_EQ(window.CategoryBox->itemText(0).toStdString(), debits[0].Name);
    ExpectDrawn(window);
    window.SubCategoriesBox->click();
    EXPECT_FALSE(window.SubsOf());
    EXPECT_EQ(window.CategoryBox->currentIndex(), -1);
    ExpectDrawn(window);
}

TEST_F(TotalsChartsTest, NoPositiveTotalsDisableBothSidesAndShowTheText) {
    Open();
    // No account included: nothing is shown, no total is positive.
    ChooseChartAccounts(Ledger, std::vector<bool>(Ledger.BookList.KeyList.size(), false));
    ASSERT_EQ(Ledger.TransList.VisibleCount, 0);
    TCatChart window(Context(), TCatChartMode::Categories, true);
    Show(window);
    EXPECT_FALSE(window.CreditBtn->isEnabled());
    EXPECT_FALSE(window.DebitBtn->isEnabled());
    EXPECT_TRUE(window.NoInformationShown());
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("NoInformation"))->text(),
              QString::fromLatin1(NoChartInformationText));
}

TEST_F(TotalsChartsTest, TheCategoryHintsNameTheBarOrSliceAndTheLegendClick) {
    Open();
    TCatChart window(Context(), TCatChartMode::QuickSummary, false);
    Show(window);
    ASSERT_FALSE(window.Points().empty());
    QChart* chart = window.Chart();
    for (std::size_t i = 0; i < window.Points().size(); ++i) {
        const TChartPoint& point = window.Points()[i];
        const QPointF middle = window.ChartView()->mapFromScene(
            chart->mapToPosition(QPointF(static_cast<double>(i), point.Value->ToDouble() / 2), window.Bars()));
        QColor colour;
        EXPECT_EQ(window.HintAt(middle, &colour).toStdString(), TotalsHintText(point, Formats));
        EXPECT_EQ(colour, ToQColor(point.Colour));
    }
    // Above the highest bar there is nothing.
    const QPointF above = window.ChartView()->mapFromScene(
        chart->mapToPosition(QPointF(0, window.Points()[0].Value->ToDouble() * 1.05 + 1), window.Bars()));
    EXPECT_TRUE(window.HintAt(above).isEmpty());

    // A pie: halfway from the centre to the edge point of each slice's middle is that slice.
    window.PieBtn->click();
    QApplication::processEvents();
    const QPointF centre = window.ChartView()->mapFromScene(chart->plotArea().center());
    for (std::size_t i = 0; i < window.Points().size(); ++i) {
        const QPointF edge = window.LegendPoint(static_cast<int>(i));
        if (window.PieSlices()->slices().at(static_cast<int>(i))->angleSpan() < 3)
            continue; // too thin to hit by a point
        EXPECT_EQ(window.HintAt((edge + centre) / 2).toStdString(), TotalsHintText(window.Points()[i], Formats));
    }
}

TEST_F(TotalsChartsTest, TheTaxSwitchesRecalculateAndClosingTakesTheStoredOptionBack) {
    Open();
    ASSERT_NE(Files.Settings.TaxOn, 0);
    ASSERT_TRUE(Ledger.Switches.GstInTotals);
    {
        TCatChart window(Context(), TCatChartMode::Categories, true);
        Show(window);
        EXPECT_TRUE(window.IncludingBtn->isChecked());
        EXPECT_FALSE(window.TaxPanel->isHidden());
        const std::vector<TChartPoint> gross = window.Points();
        window.ExcludingBtn->click();
        EXPECT_FALSE(Ledger.Switches.GstInTotals);
        ExpectDrawn(window);
        EXPECT_NE(window.Points()[0].Value, gross[0].Value);
        window.CloseBtn->click();
        EXPECT_EQ(window.result(), ChartClosed);
        EXPECT_TRUE(Ledger.Switches.GstInTotals);
    }
    {
        // Accounts: without tax the credits are the shown transactions' net amounts.
        TGrpChart window(Context(), TGrpChartMode::Accounts);
        Show(window);
        window.ExcludingBtn->click();
        EXPECT_FALSE(Ledger.Switches.GstInTotals);
        TLedger& books = Ledger;
        const TTotalsBars net = AccountTotalsBars(books, false);
        ExpectBars(window, net);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &escape);
        EXPECT_EQ(window.result(), ChartClosed);
        EXPECT_TRUE(Ledger.Switches.GstInTotals);
    }
}

TEST_F(TotalsChartsTest, TheAccountsAndGroupsWindowDrawsThreeBarsPerItem) {
    Open();
    TGrpChart window(Context(), TGrpChartMode::Accounts);
    Show(window);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Account Totals Chart"));
    ExpectBars(window, AccountTotalsBars(Ledger, true));
    EXPECT_EQ(window.Chart()->title().toStdString(), GrpChartTitle(Ledger, TGrpChartMode::Accounts, Formats));
    window.JumpTo(GroupChartCode);
    EXPECT_EQ(window.Mode(), TGrpChartMode::Groups);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Group Totals Chart"));
    const TTotalsBars groups = GroupTotalsBars(Ledger);
    ExpectBars(window, groups);
    ASSERT_FALSE(groups.Credits.Points.empty());

    // The hints: credits, debits and difference side by side in each slot, a third each.
    QApplication::processEvents();
    const TChartSeries* series[3] = {&groups.Credits, &groups.Debits, &groups.Difference};
    std::size_t slot = 0;
    while (slot < groups.Credits.Points.size() &&
           (groups.Credits.Points[slot].Value->IsZero() || groups.Debits.Points[slot].Value->IsZero() ||
            groups.Difference.Points[slot].Value->IsZero()))
        ++slot;
    ASSERT_LT(slot, groups.Credits.Points.size());
    for (int s = 0; s < 3; ++s) {
        const TChartPoint& point = series[s]->Points[slot];
        const double x = static_cast<double>(slot) - 0.3 + 0.3 * s;
        const QPointF at = window.ChartView()->mapFromScene(
            window.Chart()->mapToPosition(QPointF(x, point.Value->ToDouble() / 2), window.BarSeries()));
        QColor colour;
        EXPECT_EQ(window.HintAt(at, &colour).toStdString(), TotalsHintText(point, Formats)) << s;
        EXPECT_EQ(colour, ToQColor(series[s]->Colour));
    }
    // A hidden series gives no hint and draws clear bars.
    window.ShowDebitsBtn->click();
    const TChartPoint& debit = groups.Debits.Points[slot];
    const QPointF at = window.ChartView()->mapFromScene(window.Chart()->mapToPosition(
        QPointF(static_cast<double>(slot), debit.Value->ToDouble() / 2), window.BarSeries()));
    EXPECT_TRUE(window.HintAt(at).isEmpty());
    EXPECT_EQ(window.BarSeries()->barSets().at(1)->color(), QColor(Qt::transparent));

    // One account chosen on the bar: recalculated, redrawn, a selection in the title, reported.
    EXPECT_FALSE(window.AccountsChanged());
    window.JumpTo(AccountChartCode);
    window.AccountBar->OnAccountClick(0, false);
    EXPECT_TRUE(window.AccountsChanged());
    EXPECT_EQ(Ledger.BookList.KeyList[1]->Selected, 0);
    ExpectBars(window, AccountTotalsBars(Ledger, true));
    EXPECT_EQ(window.BarSeries()->barSets().at(0)->count(), 1);
    EXPECT_TRUE(window.Chart()->title().contains(QStringLiteral("Selected Totals")));
}

TEST_F(TotalsChartsTest, JumpToSwitchesTheWindowOrClosesWithTheChosenChart) {
    Open();
    {
        TCatChart window(Context(), TCatChartMode::Categories, false);
        Show(window);
        EXPECT_FALSE(JumpEntry(window, CategoryChartCode)->isVisible());
        EXPECT_TRUE(JumpEntry(window, SummaryChartCode)->isVisible());
        JumpEntry(window, SummaryChartCode)->trigger();
        // The same window, now the quick summary as a pie, offering the categories instead.
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.Mode(), TCatChartMode::QuickSummary);
        EXPECT_TRUE(window.Pie());
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Quick Summary Chart"));
        EXPECT_TRUE(window.SubCategoriesBox->isHidden());
        EXPECT_TRUE(JumpEntry(window, CategoryChartCode)->isVisible());
        EXPECT_FALSE(JumpEntry(window, SummaryChartCode)->isVisible());
        ExpectDrawn(window);
        JumpEntry(window, CashFlowChartCode)->trigger();
        EXPECT_EQ(window.result(), CashFlowChartCode);
    }
    const int closers[] = {CashFlowChartCode, CategoryChartCode, SummaryChartCode};
    for (int code : closers) {
        TGrpChart window(Context(), TGrpChartMode::Groups);
        Show(window);
        EXPECT_FALSE(JumpEntry(window, GroupChartCode)->isVisible());
        JumpEntry(window, AccountChartCode)->trigger();
        EXPECT_EQ(window.Mode(), TGrpChartMode::Accounts);
        EXPECT_FALSE(JumpEntry(window, AccountChartCode)->isVisible());
        JumpEntry(window, code)->trigger();
        EXPECT_EQ(window.result(), code);
    }
}

TEST_F(TotalsChartsTest, ResetViewAndTheZoomLimitFollowTheStyle) {
    Open();
    TCatChart window(Context(), TCatChartMode::Categories, true);
    Show(window);
    // A pie: deeper, turned, and no zooming.
    EXPECT_EQ(window.DepthBox->value(), 15);
    EXPECT_FALSE(window.ChartView()->transform().isIdentity());
    EXPECT_FALSE(window.ZoomAllowed());
    window.BarBtn->click();
    EXPECT_EQ(window.DepthBox->value(), 10);
    EXPECT_TRUE(window.ChartView()->transform().isIdentity());
    const QRectF plot = window.ChartView()->mapFromScene(window.Chart()->plotArea()).boundingRect();
    const QRectF part(plot.center() - QPointF(plot.width() / 4, plot.height() / 4), plot.size() / 2);
    for (int i = 0; i < TTotalsChart::MaxZooms; ++i)
        EXPECT_TRUE(window.ZoomInto(part)) << i;
    EXPECT_FALSE(window.ZoomInto(part));
    EXPECT_TRUE(window.ResetViewBtn->isEnabled());
    // Undoing the zoom with the mouse allows zooming again.
    window.Unzoom();
    EXPECT_EQ(window.ZoomCount(), 0);
    EXPECT_FALSE(window.ResetViewBtn->isEnabled());
    EXPECT_TRUE(window.ZoomInto(part));
    window.ResetViewBtn->click();
    EXPECT_EQ(window.ZoomCount(), 0);

    TGrpChart groups(Context(), TGrpChartMode::Groups);
    Show(groups);
    EXPECT_EQ(groups.DepthBox->value(), 15);
    EXPECT_TRUE(groups.ZoomAllowed());
}

TEST_F(TotalsChartsTest, TheCategoryPrintoutRepeatsTheChartWithTheNextLegendEntries) {
    Open();
    TCatChart window(Context(), TCatChartMode::Categories, true);
    Show(window);
    const std::size_t entries = window.Points().size();
    ASSERT_GE(entries, 4u);
    // A page low enough for only a few entries.
    const QPageLayout layout(QPageSize(QSizeF(200, 50), QPageSize::Millimeter), QPageLayout::Portrait,
                             QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    const QString measured = Folder.path() + QStringLiteral("/measure.pdf");
    int pages = 0;
    {
        QPdfWriter writer(measured);
        writer.setPageLayout(layout);
        writer.setResolution(300);
        QPainter painter(&writer);
        const QRect printable = layout.paintRectPixels(300);
        pages = window.PageCount(painter, QRectF(0, 0, printable.width(), printable.height()));
    }
    EXPECT_GE(pages, 2);
    const QString pdf = Folder.path() + QStringLiteral("/categories.pdf");
    ASSERT_TRUE(SaveChartPdf(window, pdf, window.DefaultPageTexts(), layout));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(file.readAll());
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))), pages);
}

// The height in inches of the first line of ink from the top of a page painted at `dpi`.
double FirstInkLineInches(TPrintableChart& chart, int dpi) {
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                             QPageLayout::Millimeter);
    QImage page(layout.paintRectPixels(dpi).size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    page.setDotsPerMeterX(static_cast<int>(dpi / 0.0254));
    page.setDotsPerMeterY(static_cast<int>(dpi / 0.0254));
    {
        QPainter painter(&page);
        TChartPageTexts texts = chart.DefaultPageTexts();
        texts.FileLine = QStringLiteral("Filename - Books");
        chart.PaintChartPage(painter, QRectF(0, 0, page.width(), page.height()), texts, 0);
    }
    const auto inked = [&page](int y) {
        const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        return std::any_of(line, line + page.width(), [](QRgb pixel) { return qGray(pixel) < 128; });
    };
    int y = 0;
    while (y < page.height() && !inked(y))
        ++y;
    const int first = y;
    while (y < page.height() && inked(y))
        ++y;
    return static_cast<double>(y - first) / dpi;
}

// The printed page's texts keep their point sizes on a screen, a PDF and a printer alike: the
// page is laid out in points, so its fonts are not enlarged by the device's resolution again.
TEST_F(TotalsChartsTest, ThePrintedPagesTextsAreTheSameSizeAtEveryResolution) {
    Open();
    TCashFlowChart cashFlow(Context());
    TCatChart categories(Context(), TCatChartMode::Categories, true);
    TGrpChart groups(Context(), TGrpChartMode::Groups);
    const std::pair<const char*, TPrintableChart*> charts[] = {
        {"cash flow", &cashFlow}, {"categories", &categories}, {"groups", &groups}};
    for (const auto& [name, chart] : charts) {
        SCOPED_TRACE(name);
        Show(*chart->ChartWindow());
        const double low = FirstInkLineInches(*chart, 100);
        const double high = FirstInkLineInches(*chart, 300);
        // An 8 point line is about a ninth of an inch high.
        EXPECT_GT(low, 0.05);
        EXPECT_LT(low, 0.2);
        EXPECT_NEAR(high, low, low * 0.3);
    }
}

// ---- The main window ----------------------------------------------------------------------------

using MainTotalsChartsTest = MainFormTest;

// Acts on the next modal window of the kind once it is the modal one: one chart window closes and
// the next opens only after the main window's loop has come round.
template <class Window> void WhenNextModal(std::function<void(Window&)> action, int tries = 200) {
    QTimer::singleShot(10, [action, tries] {
        if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget())) {
            action(*window);
            return;
        }
        if (tries > 0) {
            WhenNextModal<Window>(action, tries - 1);
            return;
        }
        ADD_FAILURE() << "the expected window never became the modal one";
        if (QWidget* other = QApplication::activeModalWidget())
            other->close();
    });
}

TEST_F(MainTotalsChartsTest, JumpToLeadsThroughEveryChartWindowUntilOneCloses) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 300, 7)));
    for (const char* item : {"CategoryChartItem", "AccountChartItem", "GroupChartItem", "SummaryChartItem"})
        EXPECT_TRUE(Window->Action(QString::fromLatin1(item))->isEnabled()) << item;
    // Cash flow -> category totals -> (the same window) quick summary -> account totals ->
    // (the same window) group totals -> close.
    std::vector<std::string> seen;
    const auto jump = [](TTotalsChart& window, int code) {
        for (QAction* action : window.JumpBtn->menu()->actions())
            if (action->data().toInt() == code)
                action->trigger();
    };
    WhenModal<TCashFlowChart>([&](TCashFlowChart& cash) {
        seen.push_back(cash.windowTitle().toStdString());
        WhenNextModal<TCatChart>([&](TCatChart& categories) {
            seen.push_back(categories.windowTitle().toStdString());
            jump(categories, SummaryChartCode);
            seen.push_back(categories.windowTitle().toStdString());
            WhenNextModal<TGrpChart>([&](TGrpChart& accounts) {
                seen.push_back(accounts.windowTitle().toStdString());
                jump(accounts, GroupChartCode);
                seen.push_back(accounts.windowTitle().toStdString());
                accounts.CloseBtn->click();
            });
            jump(categories, AccountChartCode);
        });
        cash.JumpBtn->menu()->actions().at(1)->trigger();
    });
    EXPECT_EQ(Window->ChartCommand(CashFlowChartCode), ChartClosed);
    const std::vector<std::string> expected = {"Cash Flow", "Category Totals Chart", "Quick Summary Chart",
                                               "Account Totals Chart", "Group Totals Chart"};
    EXPECT_EQ(seen, expected);

    // The menu item opens its chart directly.
    WhenModal<TGrpChart>([&](TGrpChart& groups) {
        EXPECT_EQ(groups.Mode(), TGrpChartMode::Groups);
        groups.CloseBtn->click();
    });
    Window->Action(QStringLiteral("GroupChartItem"))->trigger();
}

} // namespace
} // namespace qz::gui::test
