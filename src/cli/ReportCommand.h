#pragma once
// The report command, shared by zudeduze-cli (text and JSON) and the renderer beside it, which
// draws the PDF with the window's own page drawing.

#include "Arguments.h"

#include "reports/ReportLines.h"

#include <functional>
#include <string>
#include <vector>

namespace qz::cli {

// Writes the printed pages of `report` to `output`; the command's exit status.
using ReportPdfWriter = std::function<int(const TReport& report, bool landscape, const std::string& output)>;

// The options of "zudeduze-cli report".
const std::vector<OptionSpec>& ReportOptions();

// Whether the command line asks for the PDF (--format pdf).
bool ReportAsksForPdf(const Arguments& args);

// The report command; its PDF goes to `writePdf` (without one, a PDF is refused).
int RunReportCommand(const Arguments& args, const ReportPdfWriter& writePdf);

} // namespace qz::cli
