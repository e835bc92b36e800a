// report: text and JSON here; the PDF, which needs Qt's page drawing, by the renderer beside
// this program, from the same command line.

#include "Commands.h"
#include "ReportCommand.h"
#include "RunRenderer.h"

namespace qz::cli {

int RunReport(const Arguments& args) {
    if (!ReportAsksForPdf(args))
        return RunReportCommand(args, {});
    if (!args.Has("output"))
        return Fail("-o FILE is missing: the PDF is written to a file");
    std::string error;
    if (!OutputSpares(args.Value("output"), args.Positional[1], error))
        return Fail(error);
    return RunRenderer("report", args, ReportOptions(), "PDF reports");
}

} // namespace qz::cli
