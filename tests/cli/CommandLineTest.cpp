// The command line itself: help, unknown commands and options, bad values.

#include "CliSupport.h"

#include <cctype>

namespace qz::clitest {
namespace {

const char* const CommandNames[] = {"new", "info", "check", "worksheet", "export", "convert", "generate", "chart"};

TEST(CommandLine, HelpOfTheProgramListsEveryCommand) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, std::vector<std::string>{"help"}}) {
        const RunResult run = Cli(args);
        EXPECT_EQ(run.Status, 0);
        EXPECT_EQ(run.Err, "");
        for (const char* name : CommandNames)
            EXPECT_NE(run.Out.find(std::string("\n  ") + name + " "), std::string::npos) << name;
    }
}

TEST(CommandLine, EachCommandHasItsOwnHelp) {
    for (const char* name : CommandNames) {
        const RunResult run = Cli({name, "--help"});
        EXPECT_EQ(run.Status, 0) << name;
        EXPECT_EQ(run.Out.rfind(std::string("usage: zudeduze-cli ") + name + " ", 0), 0u) << run.Out;
        EXPECT_EQ(Cli({"help", name}).Out, run.Out);
    }
}

// Each wrong command line: exit 1 and one line on stderr that names the fault.
struct WrongLine {
    std::vector<std::string> Args;
    const char* Says;
};

void PrintTo(const WrongLine& line, std::ostream* out) {
    for (const std::string& arg : line.Args)
        *out << arg << ' ';
}

class WrongCommandLine : public ::testing::TestWithParam<WrongLine> {};

TEST_P(WrongCommandLine, FailsWithOneLine) {
    const RunResult run = Cli(GetParam().Args);
    EXPECT_EQ(run.Status, 1);
    ASSERT_EQ(run.ErrLines().size(), 1u) << run.Err;
    EXPECT_NE(run.Err.find(GetParam().Says), std::string::npos) << run.Err;
    EXPECT_EQ(run.Out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WrongCommandLine,
    ::testing::Values(WrongLine{{}, "a command is missing"}, WrongLine{{"balance"}, "unknown command \"balance\""},
                      WrongLine{{"info"}, "a file name is missing"},
                      WrongLine{{"info", "a.kqk", "b.kqk"}, "unexpected argument \"b.kqk\""},
                      WrongLine{{"info", "a.kqk", "--verbose"}, "unknown option --verbose"},
                      WrongLine{{"worksheet", "a.kqk", "--tab"}, "option --tab needs a value"},
                      WrongLine{{"check", "a.kqk", "--net"}, "unknown option --net"},
                      WrongLine{{"export", "a.kqk", "-o", "x"}, "--format csv|qif|ledger is missing"},
                      WrongLine{{"export", "a.kqk", "--format", "xls", "-o", "x"}, "--format takes csv|qif|ledger"},
                      WrongLine{{"new", "a.kqk", "--tax", "sales"}, "--tax takes gst|vat|none"},
                      WrongLine{{"new", "a.kqk", "--percent", "ten"}, "--percent takes a percentage"},
                      WrongLine{{"new", "a.kqk", "--percent", "150"}, "--percent takes a percentage"},
                      WrongLine{{"generate", "a.kqk"}, "--transactions N is missing"},
                      WrongLine{{"generate", "a.kqk", "--transactions", "0"}, "--transactions takes a whole number"},
                      WrongLine{{"generate", "a.kqk", "--transactions", "12x"}, "--transactions takes a whole number"},
                      WrongLine{{"generate", "a.kqk", "--transactions", "10", "--accounts", "0"},
                                "--accounts takes a whole number from 1 to 100"},
                      WrongLine{{"generate", "--example", "a.kqk", "--seed", "3"}, "--example takes no --seed"},
                      WrongLine{{"info", "/nonexistent/folder/a.kqk"}, "no such file"},
                      WrongLine{{"new", "/nonexistent/folder/a.kqk"}, "/nonexistent/folder: no such folder"},
                      WrongLine{{"generate", "/nonexistent/a.kqk", "--transactions", "5"}, "no such folder"}),
    // The command line itself, its letters and digits kept and the rest turned into underscores.
    [](const ::testing::TestParamInfo<WrongLine>& info) {
        std::string name;
        for (const std::string& arg : info.param.Args)
            for (char c : arg + " ")
                name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        while (!name.empty() && name.back() == '_')
            name.pop_back();
        return name.empty() ? std::string("NoCommand") : name;
    });

} // namespace
} // namespace qz::clitest
