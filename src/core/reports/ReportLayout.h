#pragma once
// The pieces every printed report is laid out of: the title block, the printed line element
// with its indents, bands and total rule, and the texts the reports share.

#include "ReportLines.h"
#include "ReportOptions.h"

#include <string>
#include <string_view>

namespace qz {

inline constexpr std::uint32_t LightBand = 0xEFEFEF; // red, green and blue 239
inline constexpr std::uint32_t GreyBand = 0xDFDFDF;  // red, green and blue 223

// The title block of the first page: file name and printed date-time on one line (either may
// be empty), the title (bold, underlined, 12 pt, centred) and the subtitle (centred). `title`
// is the report's name; the business name and number follow it as the options say.
void AddTitleBlock(TReport& report, const std::string& title, const std::string& businessName,
                   const std::string& businessNumber, const TReportOptions& options);

// A printed line element: label from the left, amount from the right.
TReportLine& AddLine(TReport& report, std::string label, std::string amount, int indent1, int indent2,
                     bool bold = false, std::uint32_t band = 0xFFFFFF);
TReportLine& AddHeading(TReport& report, std::string label);

// Upper case as the documents' character set has it (Windows-1252): accented letters too.
std::string UpperCase1252(std::string_view text);

} // namespace qz
