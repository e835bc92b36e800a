#include "ReportPainter.h"

#include "platform/TextCodec.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace qz::gui {

namespace {

constexpr double MmPerInch = 25.4;

double Units(double mm) {
    return mm / MmPerInch * TReportPainter::UnitsPerInch;
}

// The layout's measuring device: an image at the layout's own resolution, so that a font of
// P points measures in layout units.
const QImage& Reference() {
    static const QImage image = [] {
        QImage made(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(TReportPainter::UnitsPerInch / 0.0254);
        made.setDotsPerMeterX(dotsPerMeter);
        made.setDotsPerMeterY(dotsPerMeter);
        return made;
    }();
    return image;
}

// Arial at `points` as the painter's untransformed coordinates of `device` need it: painting
// scales layout units to the device, so the font is sized in layout units.
QFont ReportFont(double points, bool bold, bool italic, bool underline, const QPaintDevice& device) {
    QFont font(QStringLiteral("Arial"));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPointSizeF(points * TReportPainter::UnitsPerInch / device.logicalDpiY());
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

QFont LineFont(const TReportLine& line, const QPaintDevice& device, bool bold) {
    return ReportFont(line.PointSize, bold, line.Italic, line.Underline, device);
}

bool IsTableLine(const TReportLine& line) {
    return line.Kind == TReportLineKind::Header || line.Kind == TReportLineKind::Row ||
           line.Kind == TReportLineKind::Footer;
}

Qt::Alignment AlignOf(TReportAlign align) {
    switch (align) {
    case TReportAlign::Centre:
        return Qt::AlignHCenter;
    case TReportAlign::Right:
        return Qt::AlignRight;
    case TReportAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

// The report's texts are the document's (Windows-1252), as the books hold them.
QString Text(const std::string& text) {
    return FromDocument(text);
}

QFont FooterFont(const QPaintDevice& device, double points) {
    return ReportFont(points, false, true, false, device);
}

// A rule one device pixel thick whatever the scale.
QPen RulePen() {
    QPen pen(Qt::black);
    pen.setWidth(0);
    pen.setCosmetic(true);
    return pen;
}

} // namespace

TReportPainter::TReportPainter(const TReport& report, const QPageLayout& layout) : Source(report), Page(layout) {
    Paginate();
}

double TReportPainter::LineHeight(const TReportLine& line) const {
    const QFontMetricsF metrics(LineFont(line, Reference(), line.Bold || line.Kind == TReportLineKind::Header),
                                &Reference());
    return metrics.height() * (IsTableLine(line) ? 1.15 : 1.25);
}

namespace {

bool StartsSomething(const TReportLine& line) {
    return line.Kind == TReportLineKind::Heading || line.Kind == TReportLineKind::Header || line.KeepWithNext;
}

bool ContinuesTable(const TReportLine& line) {
    return line.Kind == TReportLineKind::Row || line.Kind == TReportLineKind::Footer;
}

} // namespace

double TReportPainter::KeptTogetherHeight(std::size_t index) const {
    double height = LineHeight(Source.Lines[index]);
    while (StartsSomething(Source.Lines[index]) && index + 1 < Source.Lines.size())
        height += LineHeight(Source.Lines[++index]);
    return height;
}

void TReportPainter::Paginate() {
    Printable = Page.paintRect(QPageLayout::Inch).size() * UnitsPerInch;
    const QFontMetricsF footer(FooterFont(Reference(), Source.FooterPointSize), &Reference());
    Body = Printable.height() - footer.height() * 1.5;
    Lines.clear();
    int page = 0;
    double top = 0;
    bool pageEmpty = true;
    // The header row of the table being printed, to repeat when its rows run onto a new page.
    std::ptrdiff_t tableHeader = -1;
    auto place = [&](std::size_t index, double height) {
        Lines.push_back({index, page, top, height});
        top += height;
        pageEmpty = false;
    };
    for (std::size_t i = 0; i < Source.Lines.size(); ++i) {
        const TReportLine& line = Source.Lines[i];
        // The title block belongs to the first page; a report whose title block overflows it
        // does not repeat the rest on the next.
        if (line.FirstPageOnly && page > 0)
            continue;
        const double height = LineHeight(line);
        // A line never straddles two pages; one taller than a page stands alone on its own. A
        // heading, a header row or a line kept with the next does not stay behind at the foot
        // of a page without the first line it heads.
        const double needed = StartsSomething(line) ? KeptTogetherHeight(i) : height;
        if (!pageEmpty && top + needed > Body) {
            ++page;
            top = 0;
            pageEmpty = true;
            if (ContinuesTable(line) && tableHeader >= 0 && Source.Lines[tableHeader].Table == line.Table) {
                const auto header = static_cast<std::size_t>(tableHeader);
                place(header, LineHeight(Source.Lines[header]));
            }
        }
        if (line.Kind == TReportLineKind::Header)
            tableHeader = static_cast<std::ptrdiff_t>(i);
        else if (!ContinuesTable(line))
            tableHeader = -1;
        place(i, height);
    }
    Pages = page + 1;
}

std::vector<std::pair<double, double>> TReportPainter::ColumnEdges(const TReportTable& table) const {
    const double right = Printable.width() - Units(table.RightInsetMm);
    double fixed = 0;
    int stretching = 0;
    for (const TReportColumn& column : table.Columns) {
        fixed += Units(column.WidthMm);
        stretching += column.WidthMm <= 0 ? 1 : 0;
    }
    // A column without a width takes what the others leave; without one the columns end at the
    // table's right edge.
    const double spare = std::max(0.0, right - fixed);
    double left = stretching > 0 ? 0 : spare;
    std::vector<std::pair<double, double>> edges;
    for (const TReportColumn& column : table.Columns) {
        const double width = column.WidthMm <= 0 ? spare / stretching : Units(column.WidthMm);
        edges.emplace_back(left, left + width);
        left += width;
    }
    return edges;
}

void TReportPainter::PaintPage(QPainter& painter, int page) const {
    const QPaintDevice& device = *painter.device();
    painter.save();
    painter.scale(device.logicalDpiX() / UnitsPerInch, device.logicalDpiY() / UnitsPerInch);
    for (const TPlacedLine& placed : Lines) {
        if (placed.Page == page)
            PaintLine(painter, Source.Lines[placed.Line], QRectF(0, placed.Top, Printable.width(), placed.Height));
    }
    PaintFooter(painter, page);
    painter.restore();
}

void TReportPainter::PaintLine(QPainter& painter, const TReportLine& line, const QRectF& box) const {
    if ((line.Band & 0xFFFFFF) != 0xFFFFFF)
        painter.fillRect(box, QColor::fromRgb(static_cast<QRgb>(line.Band & 0xFFFFFF)));
    painter.setPen(Qt::black);
    if (line.Kind == TReportLineKind::Line) {
        PaintElement(painter, line, box);
    } else if (IsTableLine(line)) {
        PaintTableLine(painter, line, box);
    } else {
        painter.setFont(LineFont(line, *painter.device(), line.Bold));
        painter.drawText(box, AlignOf(line.Align) | Qt::AlignVCenter | Qt::TextSingleLine, Text(line.Label));
    }
    PaintRules(painter, line, box);
}

// The rules across a line: over a table's columns, otherwise the line's whole width.
void TReportPainter::PaintRules(QPainter& painter, const TReportLine& line, const QRectF& box) const {
    if (line.RuleAbove <= 0 && !line.RuleBelow)
        return;
    double left = box.left();
    double right = box.right();
    if (IsTableLine(line) && line.Table >= 0 && line.Table < static_cast<int>(Source.Tables.size())) {
        const auto edges = ColumnEdges(Source.Tables[static_cast<std::size_t>(line.Table)]);
        if (!edges.empty()) {
            left = edges.front().first;
            right = edges.back().second;
        }
    }
    painter.save();
    if (line.RuleAbove > 0) {
        QPen heavy(Qt::black);
        heavy.setWidthF(Units(line.RuleAbove * 25.4 / 72));
        painter.setPen(line.RuleAbove == 1 ? RulePen() : heavy);
        painter.drawLine(QPointF(left, box.top()), QPointF(right, box.top()));
    }
    if (line.RuleBelow) {
        painter.setPen(RulePen());
        painter.drawLine(QPointF(left, box.bottom()), QPointF(right, box.bottom()));
    }
    painter.restore();
}

void TReportPainter::PaintElement(QPainter& painter, const TReportLine& line, const QRectF& box) const {
    const QPaintDevice& device = *painter.device();
    // The indents count widths of "X" in the regular style of the line's font.
    const QFontMetricsF regular(ReportFont(line.PointSize, false, false, false, device), &device);
    const double xWidth = regular.horizontalAdvance(QLatin1Char('X'));
    const QFont font = LineFont(line, device, line.Bold);
    painter.setFont(font);
    const QRectF labelBox = box.adjusted(line.Indent1 * xWidth, 0, 0, 0);
    painter.drawText(labelBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, Text(line.Label));
    if (line.Amount.empty())
        return;
    const QString amount = Text(line.Amount);
    const double right = box.right() - line.Indent2 * xWidth;
    painter.drawText(QRectF(box.left(), box.top(), right - box.left(), box.height()),
                     Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, amount);
    if (!line.TotalLine)
        return;
    const QFontMetricsF metrics(font, &device);
    const double ruleY = box.top() + regular.capHeight() / 10;
    painter.setPen(RulePen());
    painter.drawLine(QPointF(right - metrics.horizontalAdvance(amount), ruleY), QPointF(right, ruleY));
}

void TReportPainter::PaintTableLine(QPainter& painter, const TReportLine& line, const QRectF& box) const {
    if (line.Table < 0 || line.Table >= static_cast<int>(Source.Tables.size()))
        return;
    const TReportTable& table = Source.Tables[static_cast<std::size_t>(line.Table)];
    const QPaintDevice& device = *painter.device();
    painter.setFont(LineFont(line, device, line.Bold || line.Kind == TReportLineKind::Header));
    const double padding = Units(1);
    const auto edges = ColumnEdges(table);
    const std::size_t cells = std::min(edges.size(), line.Cells.size());
    double boxRight = -1; // the right edge of the last framed cell
    for (std::size_t c = 0; c < cells; ++c) {
        const QRectF cell(edges[c].first + padding, box.top(), edges[c].second - edges[c].first - 2 * padding,
                          box.height());
        const std::uint32_t colour = table.Columns[c].Colour & 0xFFFFFF;
        painter.setPen(QColor::fromRgb(static_cast<QRgb>(colour)));
        painter.drawText(cell, AlignOf(table.Columns[c].Align) | Qt::AlignVCenter | Qt::TextSingleLine,
                         Text(line.Cells[c]));
        if (line.Boxed && !line.Cells[c].empty()) {
            // A frame touching its left neighbour's leaves out its own left edge.
            painter.setPen(RulePen());
            const QRectF frame = cell.adjusted(-padding / 2, 0, padding / 2, 0);
            painter.drawLine(frame.topLeft(), frame.topRight());
            painter.drawLine(frame.topRight(), frame.bottomRight());
            painter.drawLine(frame.bottomLeft(), frame.bottomRight());
            if (frame.left() > boxRight)
                painter.drawLine(frame.topLeft(), frame.bottomLeft());
            boxRight = frame.right();
        }
    }
    painter.setPen(Qt::black);
    if (table.Gridlines && line.Kind != TReportLineKind::Footer && !line.Boxed) {
        // A rule in the gap after every column but the last.
        painter.save();
        painter.setPen(RulePen());
        for (std::size_t c = 0; c + 1 < edges.size(); ++c)
            painter.drawLine(QPointF(edges[c].second, box.top()), QPointF(edges[c].second, box.bottom()));
        painter.restore();
    }
    if (line.Kind != TReportLineKind::Footer || edges.empty())
        return;
    // The footer's totals stand between two rules over the last two columns.
    const double left = edges[edges.size() >= 2 ? edges.size() - 2 : 0].first + padding;
    const double right = edges.back().second - padding;
    painter.setPen(RulePen());
    painter.drawLine(QPointF(left, box.top()), QPointF(right, box.top()));
    painter.drawLine(QPointF(left, box.bottom()), QPointF(right, box.bottom()));
}

QString TReportPainter::FooterText(int page) const {
    QString text = Text(Source.PageFooterPrefix) + QString::number(page + 1);
    // The count is the pages the report was laid out on, so the last page reads "Page m of m".
    if (Source.FooterShowsPageCount)
        text += QStringLiteral(" of ") + QString::number(Pages);
    return text;
}

void TReportPainter::PaintFooter(QPainter& painter, int page) const {
    painter.setPen(Qt::black);
    painter.setFont(FooterFont(*painter.device(), Source.FooterPointSize));
    const QRectF box(0, Body, Printable.width(), Printable.height() - Body);
    painter.drawText(box, Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine, FooterText(page));
}

QImage TReportPainter::PageImage(int page, double dotsPerInch) const {
    const QSizeF paper = Page.fullRect(QPageLayout::Inch).size() * dotsPerInch;
    QImage image(paper.toSize(), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QPointF origin = Page.paintRect(QPageLayout::Inch).topLeft() * dotsPerInch;
    painter.translate(origin);
    PaintPage(painter, page);
    return image;
}

// Paints pages `first` to `last` (from 0) `copies` times on a device that is already set up.
bool PaintPages(const TReportPainter& pages, QPagedPaintDevice& device, int first, int last, int copies) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    bool firstSheet = true;
    for (int copy = 0; copy < copies; ++copy) {
        for (int page = first; page <= last; ++page) {
            if (!firstSheet && !device.newPage())
                return false;
            firstSheet = false;
            pages.PaintPage(painter, page);
        }
    }
    return painter.end();
}

bool SavePdf(const TReport& report, const QPageLayout& layout, const QString& path) {
    const TReportPainter pages(report, layout);
    // Written beside the file and put in its place once whole: a full disk or a failed write
    // leaves any earlier file of that name as it was, never half a PDF.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(static_cast<int>(TReportPainter::UnitsPerInch));
        writer.setPageLayout(layout);
        writer.setCreator(QStringLiteral("Quillmar Zudeduze"));
        writer.setTitle(FromDocument(report.Title));
        painted = PaintPages(pages, writer, 0, pages.PageCount() - 1, 1);
    }
    if (!painted) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QPageLayout PlainReportLayout(bool landscape) {
    const bool inches = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(inches ? QPageSize::Letter : QPageSize::A4),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

} // namespace qz::gui
