#include "ReportOutput.h"

#include "filters/ExportText.h"
#include "ledger/Cp1252.h"

#include <cmath>

namespace qz {

namespace {

const char* KindName(TReportLineKind kind) {
    switch (kind) {
    case TReportLineKind::Heading:
        return "heading";
    case TReportLineKind::Line:
        return "line";
    case TReportLineKind::Header:
        return "header";
    case TReportLineKind::Row:
        return "row";
    case TReportLineKind::Footer:
        return "footer";
    case TReportLineKind::Text:
        break;
    }
    return "text";
}

// The characters a UTF-8 text takes on a terminal: every byte but continuation bytes.
std::size_t Columns(const std::string& utf8) {
    std::size_t count = 0;
    for (char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

std::string Padded(const std::string& text, std::size_t width, TReportAlign align) {
    const std::size_t used = Columns(text);
    if (used >= width)
        return text;
    const std::size_t gap = width - used;
    if (align == TReportAlign::Right)
        return std::string(gap, ' ') + text;
    if (align == TReportAlign::Centre)
        return std::string(gap / 2, ' ') + text + std::string(gap - gap / 2, ' ');
    return text + std::string(gap, ' ');
}

std::string TextLine(const std::string& label, const std::string& amount, int indent1, int indent2, std::size_t width) {
    std::string left = std::string(static_cast<std::size_t>(std::max(0, indent1)), ' ') + label;
    std::string right = amount + std::string(static_cast<std::size_t>(std::max(0, indent2)), ' ');
    const std::size_t used = Columns(left) + Columns(right);
    return left + std::string(used < width ? width - used : 1, ' ') + right;
}

std::string TableLine(const TReportTable& table, const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < table.Columns.size(); ++i) {
        const TReportColumn& column = table.Columns[i];
        const auto width = static_cast<std::size_t>(std::lround(column.WidthMm / 2));
        line += (i ? " " : "") + Padded(i < cells.size() ? Cp1252ToUtf8(cells[i]) : std::string(), width, column.Align);
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

std::string JsonCells(const std::vector<std::string>& cells) {
    std::string text = "[";
    for (std::size_t i = 0; i < cells.size(); ++i)
        text += (i ? ", " : "") + JsonString(Cp1252ToUtf8(cells[i]));
    return text + "]";
}

} // namespace

void WriteReportText(const TReport& report, std::size_t width, std::ostream& out) {
    for (const TReportLine& line : report.Lines) {
        const std::string label = Cp1252ToUtf8(line.Label);
        std::string text;
        switch (line.Kind) {
        case TReportLineKind::Heading:
            text = label;
            break;
        case TReportLineKind::Line:
            text = TextLine(label, Cp1252ToUtf8(line.Amount), line.Indent1, line.Indent2, width);
            break;
        case TReportLineKind::Text:
            text = Padded(label, width, line.Align);
            break;
        default:
            if (line.Table >= 0 && static_cast<std::size_t>(line.Table) < report.Tables.size())
                text = TableLine(report.Tables[static_cast<std::size_t>(line.Table)], line.Cells);
            break;
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out << text << '\n';
    }
}

void WriteReportJson(const TReport& report, std::ostream& out) {
    out << "{\"report\": " << JsonString(report.Name) << ", \"title\": " << JsonString(Cp1252ToUtf8(report.Title))
        << ", \"subtitle\": " << JsonString(Cp1252ToUtf8(report.Subtitle)) << ", \"lines\": [";
    for (std::size_t i = 0; i < report.Lines.size(); ++i) {
        const TReportLine& line = report.Lines[i];
        out << (i ? ",\n  " : "\n  ") << "{\"kind\": \"" << KindName(line.Kind)
            << "\", \"label\": " << JsonString(Cp1252ToUtf8(line.Label))
            << ", \"amount\": " << JsonString(Cp1252ToUtf8(line.Amount)) << ", \"cells\": " << JsonCells(line.Cells)
            << ", \"bold\": " << (line.Bold ? "true" : "false") << '}';
    }
    out << (report.Lines.empty() ? "]" : "\n]") << "}\n";
}

} // namespace qz
