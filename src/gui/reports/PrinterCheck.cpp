#include "PrinterCheck.h"

#include <QPrinterInfo>

#include <algorithm>
#include <cctype>

namespace qz::gui {

TDefaultPrinter CurrentDefaultPrinter() {
    TDefaultPrinter printer;
    printer.Installed = static_cast<int>(QPrinterInfo::availablePrinterNames().size());
    const QPrinterInfo chosen = QPrinterInfo::defaultPrinter();
    if (!chosen.isNull())
        printer.Name = chosen.printerName().toStdString();
    printer.Port = chosen.location().toStdString();
    return printer;
}

bool DefaultPrinterCheck(Prompts& ask, const TDefaultPrinter& printer) {
    std::string port = printer.Port;
    std::transform(port.begin(), port.end(), port.begin(), [](unsigned char c) { return std::toupper(c); });
    if (printer.Installed > 0 && !printer.Name.empty() && port != "PUB:")
        return true;
    ask.MessageBox("You do not have a default printer set.\r\rPlease select a printer before running a report.",
                   MsgKind::Error, MsgButtons::Ok);
    return false;
}

} // namespace qz::gui
