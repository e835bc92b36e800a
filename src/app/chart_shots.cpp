// chart_shots [document] [folder]: the chart windows on a scratch copy of a document (the example
// document of the build and docs/charts by default): cashflow.png as it
// opens, "Weekly", the line on top, 3D; cashflow-monthly-2d.png by months in 2D; cashflow-monthly-turned.png in 3D
// turned with the mouse; cashflow-page.png the printed page; the totals charts as they open from the chart menu:
// categories.png, quicksummary.png (pies), accounts.png and groups.png. Run it under xvfb-run or offscreen.

#include "EditorShots.h"
#include "charts/CashFlowChart.h"
#include "charts/TotalsCharts.h"
#include "engine/Engine.h"

#include <QComboBox>
#include <QPageLayout>
#include <QPainter>
#include <QRadioButton>

#include <cstdio>

using namespace qz;
using namespace qz::gui;

int main(int argc, char** argv) {
    return shots::RunShots(
        argc, argv,
        [](shots::TShotDocument& document, const QString& folder) {
            Recalculate(document.Ledger);
            TChartContext context;
            context.Ledger = &document.Ledger;
            context.Settings = &document.Files.Settings;
            context.Formats = &document.Formats;
            context.Ask = &document.Prompts;
            context.Today = static_cast<TDateTime>(static_cast<std::int64_t>(document.Clock.Now()));
            TCashFlowChart window(context);
            window.resize(1100, 760);
            bool saved = shots::SaveShot(window, folder, "cashflow");
            window.RangeBox->setCurrentIndex(static_cast<int>(TSliceKind::Month));
            window.TwoDBtn->setChecked(true);
            saved = shots::SaveShot(window, folder, "cashflow-monthly-2d") && saved;
            window.ThreeDBtn->setChecked(true);
            window.RotateBtn->setChecked(true);
            window.Rotate(8, 20);
            saved = shots::SaveShot(window, folder, "cashflow-monthly-turned") && saved;
            window.ResetView();
            // The printed page, A4 landscape, through the same painting as the printer and the PDF.
            const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Millimeter);
            // Page `index` of a chart's printout, through the same painting as the printer and the PDF.
            const auto savePage = [&layout, &folder](TPrintableChart& chart, const char* name, int index) {
                const int dpi = 100;
                QImage page(layout.fullRectPixels(dpi).size(), QImage::Format_RGB32);
                page.fill(Qt::white);
                page.setDotsPerMeterX(static_cast<int>(dpi / 0.0254));
                page.setDotsPerMeterY(static_cast<int>(dpi / 0.0254));
                {
                    QPainter painter(&page);
                    painter.setRenderHint(QPainter::Antialiasing);
                    const QRect printable = layout.paintRectPixels(dpi);
                    painter.translate(printable.topLeft());
                    TChartPageTexts texts = chart.DefaultPageTexts();
                    texts.FileLine = QStringLiteral("Filename - Wattle Lane Cafe");
                    texts.PrintedLine = QStringLiteral("Printed on 11/12/2026 09:30:00");
                    chart.PaintChartPage(painter, QRectF(0, 0, printable.width(), printable.height()), texts, index);
                }
                const QString pagePath =
                    folder + QStringLiteral("/") + QString::fromLatin1(name) + QStringLiteral(".png");
                std::printf("%s\n", qPrintable(pagePath));
                return page.save(pagePath);
            };
            saved = savePage(window, "cashflow-page", 0) && saved;

            // The totals charts, each as the chart menu opens it.
            context.StoredGstInTotals = document.Ledger.Switches.GstInTotals;
            const std::pair<TCatChartMode, const char*> categoryCharts[] = {
                {TCatChartMode::Categories, "categories"}, {TCatChartMode::QuickSummary, "quicksummary"}};
            for (const auto& [mode, name] : categoryCharts) {
                TCatChart chart(context, mode, true);
                chart.resize(1100, 760);
                saved = shots::SaveShot(chart, folder, name) && saved;
                if (mode == TCatChartMode::Categories) {
                    chart.DebitBtn->setChecked(true);
                    chart.BarBtn->setChecked(true);
                    saved = savePage(chart, "categories-page", 0) && saved;
                }
            }
            const std::pair<TGrpChartMode, const char*> groupCharts[] = {{TGrpChartMode::Accounts, "accounts"},
                                                                         {TGrpChartMode::Groups, "groups"}};
            for (const auto& [mode, name] : groupCharts) {
                TGrpChart chart(context, mode);
                chart.resize(1100, 760);
                saved = shots::SaveShot(chart, folder, name) && saved;
                if (mode == TGrpChartMode::Groups)
                    saved = savePage(chart, "groups-page", 0) && saved;
            }
            return saved;
        },
        QStringLiteral("docs/charts"));
}
