// Whether a report may go to the printer, and what the user is told when it may not.

#include "reports/PrinterCheck.h"

#include "platform/ScriptedPrompts.h"

#include <gtest/gtest.h>

namespace qz::gui::test {
namespace {

const std::string NoPrinter =
    "You do not have a default printer set.\r\rPlease select a printer before running a report.";

TEST(PrinterCheckTest, RefusesWithoutAUsableDefaultPrinter) {
    const struct {
        TDefaultPrinter Printer;
        bool Passes;
    } cases[] = {
        {{0, "", ""}, false},       {{2, "", "ipp://office"}, false},      {{1, "Office", "pub:"}, false},
        {{0, "Office", ""}, false}, {{1, "Office", "ipp://office"}, true}, {{1, "Office", ""}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Printer.Name + " " + c.Printer.Port);
        ScriptedPrompts ask;
        EXPECT_EQ(DefaultPrinterCheck(ask, c.Printer), c.Passes);
        if (c.Passes) {
            EXPECT_TRUE(ask.Messages.empty());
        } else {
            ASSERT_EQ(ask.Messages.size(), 1u);
            EXPECT_EQ(ask.Messages[0].Text, NoPrinter);
            EXPECT_EQ(ask.Messages[0].Kind, MsgKind::Error);
            EXPECT_EQ(ask.Messages[0].Buttons, MsgButtons::Ok);
        }
    }
}

TEST(PrinterCheckTest, ThisMachinesPrintersAreReadWithoutFailing) {
    // The test machines have no printer; a machine with one must pass the check.
    const TDefaultPrinter printer = CurrentDefaultPrinter();
    ScriptedPrompts ask;
    const bool passes = DefaultPrinterCheck(ask);
    EXPECT_EQ(passes, printer.Installed > 0 && !printer.Name.empty());
    EXPECT_EQ(ask.Messages.size(), passes ? 0u : 1u);
}

} // namespace
} // namespace qz::gui::test
