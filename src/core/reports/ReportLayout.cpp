#include "ReportLayout.h"

namespace qz {

void AddTitleBlock(TReport& report, const std::string& title, const std::string& businessName,
                   const std::string& businessNumber, const TReportOptions& options) {
    std::string fileText = options.PrintFilename ? "Filename - " + options.FileName : std::string();
    std::string printedText = options.PrintDate ? "Printed: " + options.PrintedText : std::string();
    if (!fileText.empty() || !printedText.empty()) {
        TReportLine& line = AddLine(report, std::move(fileText), std::move(printedText), 0, 0);
        line.FirstPageOnly = true;
    }
    report.Title = title;
    if (options.PrintBisName)
        report.Title += " - " + businessName;
    if (options.PrintBisNumber)
        report.Title += ", " + businessNumber;
    TReportLine heading;
    heading.Kind = TReportLineKind::Text;
    heading.Label = report.Title;
    heading.Bold = true;
    heading.Underline = true;
    heading.PointSize = 12;
    heading.Align = TReportAlign::Centre;
    heading.FirstPageOnly = true;
    report.Lines.push_back(heading);
    report.Subtitle = options.Subtitle;
    TReportLine subtitle;
    subtitle.Kind = TReportLineKind::Text;
    subtitle.Label = options.Subtitle;
    subtitle.Align = TReportAlign::Centre;
    subtitle.FirstPageOnly = true;
    report.Lines.push_back(subtitle);
}

TReportLine& AddLine(TReport& report, std::string label, std::string amount, int indent1, int indent2, bool bold,
                     std::uint32_t band) {
    TReportLine& line = report.Lines.emplace_back();
    line.Kind = TReportLineKind::Line;
    line.Label = std::move(label);
    line.Amount = std::move(amount);
    line.Indent1 = indent1;
    line.Indent2 = indent2;
    line.Bold = bold;
    line.Band = band;
    return line;
}

TReportLine& AddHeading(TReport& report, std::string label) {
    TReportLine& line = report.Lines.emplace_back();
    line.Kind = TReportLineKind::Heading;
    line.Label = std::move(label);
    line.Bold = true;
    return line;
}

std::string UpperCase1252(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7))
            c = static_cast<char>(byte - 0x20);
        else if (byte == 0x9A || byte == 0x9C || byte == 0x9E)
            c = static_cast<char>(byte - 0x10);
        else if (byte == 0xFF)
            c = static_cast<char>(0x9F);
    }
    return upper;
}

} // namespace qz
