// The print path's pages: where the lines break, the PDF it writes and what the pixels show.

#include "reports/ReportPainter.h"
#include "SampleReport.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageSize>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qz::gui::test {
namespace {

QPageLayout A4(QPageLayout::Orientation orientation = QPageLayout::Portrait) {
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

TEST(ReportPainterTest, EveryLineLandsWholeOnExactlyOnePage) {
    const TReportPainter shortReport(SampleReport(10), A4());
    EXPECT_EQ(shortReport.PageCount(), 1);
    for (const auto& [lines, orientation] : {std::pair{150, QPageLayout::Portrait}, {400, QPageLayout::Landscape}}) {
        // Lines only: a table's header row would come again on the page its rows go on to.
        TReport report = SampleReport(lines);
        while (report.Lines.back().Kind != TReportLineKind::Line)
            report.Lines.pop_back();
        const TReportPainter pages(report, A4(orientation));
        SCOPED_TRACE(lines);
        ASSERT_EQ(pages.Placed().size(), report.Lines.size());
        EXPECT_GT(pages.PageCount(), 2);
        int page = 0;
        double bottom = 0;
        for (std::size_t i = 0; i < pages.Placed().size(); ++i) {
            const auto& placed = pages.Placed()[i];
            // In order, one after the other, and never running into the page footer.
            EXPECT_EQ(placed.Line, i);
            ASSERT_TRUE(placed.Page == page || placed.Page == page + 1);
            if (placed.Page != page)
                bottom = 0;
            page = placed.Page;
            EXPECT_DOUBLE_EQ(placed.Top, bottom);
            EXPECT_LE(placed.Top + placed.Height, pages.BodyHeight());
            bottom = placed.Top + placed.Height;
        }
        EXPECT_EQ(page + 1, pages.PageCount());
        // The title block stands on the first page only.
        EXPECT_EQ(pages.Placed().front().Page, 0);
    }
    // Landscape holds fewer lines to the page.
    EXPECT_GT(TReportPainter(SampleReport(150), A4(QPageLayout::Landscape)).PageCount(),
              TReportPainter(SampleReport(150), A4()).PageCount());
}

TEST(ReportPainterTest, LongTableBreaksBetweenRowsAndRepeatsItsHeaderOnEachPage) {
    // A detailed report: lines, then a heading and a table long enough for several pages.
    const TReport report = SampleTableReport(40, 200);
    const TReportPainter pages(report, A4());
    ASSERT_GT(pages.PageCount(), 3);
    const auto isHeader = [&](std::size_t line) { return report.Lines[line].Kind == TReportLineKind::Header; };
    std::vector<std::size_t> sourceLines;
    for (std::size_t i = 0; i < pages.Placed().size(); ++i) {
        const auto& placed = pages.Placed()[i];
        const bool firstOnPage = i == 0 || pages.Placed()[i - 1].Page != placed.Page;
        const bool lastOnPage = i + 1 == pages.Placed().size() || pages.Placed()[i + 1].Page != placed.Page;
        const TReportLineKind kind = report.Lines[placed.Line].Kind;
        // No heading or header row is left alone at the foot of a page.
        if (lastOnPage) {
            EXPECT_TRUE(kind != TReportLineKind::Heading && kind != TReportLineKind::Header) << "page " << placed.Page;
        }
        // A page that goes on with the table's rows starts with its header row again.
        if (firstOnPage && placed.Page > 0 && (kind == TReportLineKind::Row || kind == TReportLineKind::Footer))
            ADD_FAILURE() << "page " << placed.Page << " starts with a row";
        if (!sourceLines.empty() && placed.Line <= sourceLines.back()) {
            // Only a table's header row comes again, and only at the top of a page.
            EXPECT_TRUE(isHeader(placed.Line) && firstOnPage) << "line " << placed.Line;
            continue;
        }
        sourceLines.push_back(placed.Line);
    }
    // Apart from the repeated headers, every line once, in order.
    ASSERT_EQ(sourceLines.size(), report.Lines.size());
    for (std::size_t i = 0; i < sourceLines.size(); ++i)
        EXPECT_EQ(sourceLines[i], i);
}

TEST(ReportPainterTest, LineKeptWithTheNextGoesOverWithIt) {
    TReport report = SampleReport(150);
    const TReportPainter before(report, A4());
    // The last line of the first page.
    std::size_t last = 0;
    for (const auto& placed : before.Placed())
        if (placed.Page == 0)
            last = placed.Line;
    ASSERT_LT(last + 1, report.Lines.size());
    report.Lines[last].KeepWithNext = true;
    const TReportPainter after(report, A4());
    ASSERT_EQ(after.Placed()[last].Line, last);
    EXPECT_EQ(after.Placed()[last].Page, 1);
    EXPECT_EQ(after.Placed()[last].Top, 0);
    EXPECT_EQ(after.Placed()[last + 1].Page, 1);
}

TEST(ReportPainterTest, SavedPdfHoldsEveryPage) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    const TReport report = SampleReport(150);
    ASSERT_TRUE(SavePdf(report, A4(), path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    int pageObjects = 0;
    for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0; at = bytes.indexOf("/Type /Page", at + 1))
        pageObjects += bytes.mid(at + 11, 1) != "s" ? 1 : 0;
    EXPECT_EQ(pageObjects, TReportPainter(report, A4()).PageCount());

    EXPECT_FALSE(SavePdf(report, A4(), folder.filePath(QStringLiteral("missing/report.pdf"))));
}

TEST(ReportPainterTest, FooterNumbersThePagesAndCountsThemWhenTheReportAsks) {
    TReport report = SampleReport(150);
    const TReportPainter plain(report, A4());
    const int count = plain.PageCount();
    ASSERT_GT(count, 2);
    EXPECT_EQ(plain.FooterText(1), QStringLiteral("Page 2"));
    report.FooterShowsPageCount = true;
    const TReportPainter counted(report, A4());
    EXPECT_EQ(counted.FooterText(0), QStringLiteral("Page 1 of %1").arg(count));
    EXPECT_EQ(counted.FooterText(count - 1), QStringLiteral("Page %1 of %1").arg(count));
}

// The longest run of dark pixels on one image row inside `area`.
int LongestDarkRun(const QImage& image, const QRect& area, int* rowFound = nullptr) {
    int best = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        int run = 0;
        for (int x = area.left(); x <= area.right(); ++x) {
            run = qGray(image.pixel(x, y)) < 100 ? run + 1 : 0;
            if (run > best) {
                best = run;
                if (rowFound)
                    *rowFound = y;
            }
        }
    }
    return best;
}

TEST(ReportPainterTest, BandFillsItsLineAndTheTotalRuleIsAsWideAsTheAmount) {
    const TReport report = SampleReport(3);
    const TReportPainter pages(report, A4());
    constexpr double dpi = 144;
    const QImage image = pages.PageImage(0, dpi);
    const double scale = dpi / TReportPainter::UnitsPerInch;
    const QPointF origin = A4().paintRect(QPageLayout::Inch).topLeft() * dpi;
    auto lineArea = [&](std::size_t index) {
        const auto& placed = pages.Placed()[index];
        return QRect(qRound(origin.x()), qRound(origin.y() + placed.Top * scale),
                     qRound(pages.PrintableSize().width() * scale), qRound(placed.Height * scale));
    };
    // The banded line: its light grey reaches the printable area's left edge; the white
    // margin stays white.
    const QRect band = lineArea(report.Lines.size() - 8);
    EXPECT_EQ(image.pixel(band.left() + 1, band.center().y()), qRgb(0xEF, 0xEF, 0xEF));
    EXPECT_EQ(image.pixel(band.left() - 3, band.center().y()), qRgb(255, 255, 255));

    // The total line: the only long dark run on it is the rule, as wide as "123,456.78".
    const QRect total = lineArea(report.Lines.size() - 9);
    QFont font(QStringLiteral("Arial"));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPointSizeF(10);
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(qRound(dpi / 0.0254));
    probe.setDotsPerMeterY(qRound(dpi / 0.0254));
    const double amountWidth = QFontMetricsF(font, &probe).horizontalAdvance(QStringLiteral("123,456.78"));
    int ruleRow = -1;
    const int rule = LongestDarkRun(image, total, &ruleRow);
    EXPECT_NEAR(rule, amountWidth, 2.0);
    EXPECT_LT(ruleRow, total.center().y());
    // An ordinary line has no rule.
    EXPECT_LT(LongestDarkRun(image, lineArea(2)), amountWidth / 3);
}

} // namespace
} // namespace qz::gui::test
