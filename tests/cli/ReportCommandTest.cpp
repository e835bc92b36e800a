// report: the cash flow statement and the GST report of a document on disk, as text or JSON.

#include "CliSupport.h"

#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

namespace qz::clitest {
namespace {

class ReportCommand : public ::testing::Test {
protected:
    ReportCommand() { WriteStreams(Path, SmallDocument()); }

    RunResult Report(const std::string& kind, std::vector<std::string> options) {
        options.insert(options.begin(), {"report", kind, Path});
        return Cli(options);
    }
    // The lines of the JSON output as "kind|label|amount|cells|bold", in order.
    std::vector<std::string> JsonLines(const std::string& kind, std::vector<std::string> options) {
        options.insert(options.end(), {"--format", "json"});
        const RunResult run = Report(kind, options);
        EXPECT_EQ(run.Status, 0) << run.Err;
        static const std::regex line(
            R"re(\{"kind": "(\w+)", "label": "([^"]*)", "amount": "([^"]*)", "cells": \[([^\]]*)\], "bold": (true|false)\})re");
        std::vector<std::string> lines;
        for (auto it = std::sregex_iterator(run.Out.begin(), run.Out.end(), line); it != std::sregex_iterator(); ++it)
            lines.push_back((*it)[1].str() + "|" + (*it)[2].str() + "|" + (*it)[3].str() + "|" + (*it)[4].str() + "|" +
                            (*it)[5].str());
        return lines;
    }
    // The amount of the JSON line labelled `label`.
    static std::string Amount(const std::vector<std::string>& lines, const std::string& label) {
        for (const std::string& line : lines)
            if (line.rfind("line|" + label + "|", 0) == 0)
                return line.substr(6 + label.size(), line.find('|', 6 + label.size()) - 6 - label.size());
        return "(no line " + label + ")";
    }

    TempFolder Folder;
    std::string Path = Folder.File("Shop.kqk");
};

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The type totals of the Quick Summary tab, by type name, under the same filters.
std::map<std::string, std::string> SummaryTotals(const std::string& path, std::vector<std::string> filters) {
    filters.insert(filters.begin(), {"worksheet", path, "--tab", "4", "--net", "--zero-rows", "--format", "csv"});
    const RunResult run = Cli(filters);
    EXPECT_EQ(run.Status, 0) << run.Err;
    std::map<std::string, std::string> totals;
    std::istringstream in(run.Out);
    std::string line;
    std::getline(in, line); // titles
    static const std::regex row(R"re(^"?([^,"]+)"?,(?:"([^"]*)"|([^,]*)),(?:"([^"]*)"|([^,]*)),.*)re");
    for (; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back(); // CSV rows end in CR LF
        std::smatch m;
        if (!std::regex_match(line, m, row))
            continue;
        const std::string credit = m[2].matched ? m[2].str() : m[3].str();
        const std::string debit = m[4].matched ? m[4].str() : m[5].str();
        totals[m[1]] = credit.empty() ? debit : credit;
    }
    return totals;
}

TEST_F(ReportCommand, CashFlowTypeTotalsAreTheWorksheetsNetTotals) {
    const std::vector<std::vector<std::string>> filterSets = {
        {},
        {"--accounts", "0", "--from", "2026-03-02"},
        {"--include-unreconciled", "--groups", "0"},
    };
    for (const auto& filters : filterSets) {
        const auto summary = SummaryTotals(Path, filters);
        const auto lines = JsonLines("cashflow", filters);
        int compared = 0;
        for (const auto& [name, total] : summary) {
            std::string upper = name;
            for (char& c : upper)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (Amount(lines, "TOTAL " + upper).rfind("(no line", 0) == 0)
                continue; // the summary's own rows such as its totals row
            EXPECT_EQ(Amount(lines, "TOTAL " + upper), total) << name;
            ++compared;
        }
        EXPECT_GE(compared, 2);
    }
}

TEST_F(ReportCommand, CashFlowFiguresOfTheDocument) {
    // Credits: sales 100 + 30 + 20 net, transfer in 50; debits: transfer out 50 (the rent is unreconciled).
    const auto lines = JsonLines("cashflow", {"--detailed", "--sort-by-number"});
    EXPECT_TRUE(Has(lines, "heading|CREDITS (excluding GST)|||true"));
    EXPECT_TRUE(Has(lines, "line|100  Sales||"
                           "|false"));
    EXPECT_TRUE(Has(lines, "line|100-1  Counter|$150.00||false"));
    EXPECT_EQ(Amount(lines, "TOTAL CREDITS"), "$200.00");
    EXPECT_EQ(Amount(lines, "TOTAL DEBITS"), "$50.00");
    EXPECT_EQ(Amount(lines, "+ OPENING BALANCE"), "$1,250.00");
    EXPECT_EQ(Amount(lines, "+ NETT GST"), "$10.00");
    EXPECT_EQ(Amount(lines, "= CLOSING BALANCE"), "$1,410.00");
    // With the rent counted the closing balance falls by it.
    EXPECT_EQ(Amount(JsonLines("cashflow", {"--include-unreconciled"}), "= CLOSING BALANCE"), "$910.00");
}

TEST_F(ReportCommand, GstReportListsWhatCountsAndTotalsTheZeroTaxOnes) {
    const auto lines = JsonLines("gst", {"--detailed", "--subtitle", "March"});
    EXPECT_TRUE(Has(lines, "text|GST Report - Corner Café, 42|||true"));
    EXPECT_TRUE(Has(lines, "text|March|||false"));
    EXPECT_TRUE(Has(lines, "row|||\"02/03/2026\", \"INV-1\", \"Sales\", \"Counter\", \"$110.00\", \"$10.00\"|false"));
    EXPECT_EQ(Amount(lines, "TOTAL GST COLLECTED FROM SALES"), "$10.00");
    // The unreconciled rent carries no tax: counted in the zero-tax purchases, listed in no table.
    EXPECT_EQ(Amount(lines, "TOTAL ZERO GST TRANSACTIONS - PURCHASES"), "$500.00");
    EXPECT_FALSE(Has(lines, "heading|ZERO GST TRANSACTIONS - PURCHASES|||true"));
    EXPECT_EQ(Amount(lines, "TOTAL ZERO GST TRANSACTIONS - SALES"), "$50.00");
    EXPECT_EQ(Amount(lines, "GST CLOSING BALANCE"), "$10.00");
    // An account left out: no opening line.
    EXPECT_EQ(Amount(JsonLines("gst", {"--accounts", "0"}), "GST OPENING BALANCE - 01/03/2026"),
              "(no line GST OPENING BALANCE - 01/03/2026)");
}

TEST_F(ReportCommand, TextOutputAlignsAmountsToThePageWidth) {
    for (const auto& [options, width] : {std::pair<std::vector<std::string>, std::size_t>{{}, 76},
                                         std::pair<std::vector<std::string>, std::size_t>{{"--landscape"}, 106}}) {
        const RunResult run = Report("cashflow", options);
        ASSERT_EQ(run.Status, 0) << run.Err;
        const std::size_t at = run.Out.find("    TOTAL CREDITS");
        ASSERT_NE(at, std::string::npos) << run.Out;
        const std::string line = run.Out.substr(at, run.Out.find('\n', at) - at);
        EXPECT_EQ(line.size(), width) << line;
        EXPECT_EQ(line.substr(line.size() - 7), "$200.00");
    }
}

TEST_F(ReportCommand, RefusesWhatItCannotDo) {
    RunResult run = Report("cashflow", {"--format", "pdf"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("-o FILE is missing"), std::string::npos) << run.Err;
    run = Report("cashflow", {"-o", Folder.File("out.txt")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("-o is for --format pdf"), std::string::npos) << run.Err;
    run = Report("cashflow", {"--bogus"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("unknown option --bogus"), std::string::npos) << run.Err;
    run = Cli({"report", "cashflow", Folder.File("missing.kqk")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("missing.kqk"), std::string::npos) << run.Err;
    run = Report("balance", {});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("cashflow"), std::string::npos) << run.Err;
    run = Report("cashflow", {"--from", "2026-04-01", "--to", "2026-03-01"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("--from is later than --to"), std::string::npos) << run.Err;
    run = Report("cashflow", {"--accounts", "9"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("no account 9"), std::string::npos) << run.Err;

    StreamMap untaxed = SmallDocument();
    TFileSettings settings;
    untaxed["FileSettings"] = SettingsImage(settings);
    WriteStreams(Path, untaxed);
    run = Report("gst", {});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("does not keep account of GST or VAT"), std::string::npos) << run.Err;
    // Without tax the cash flow has no tax lines.
    const auto lines = JsonLines("cashflow", {});
    EXPECT_TRUE(Has(lines, "heading|CREDITS|||true"));
    EXPECT_EQ(Amount(lines, "+ NETT GST"), "(no line + NETT GST)");
}

// The PDF is the printed pages: one per page of the report, over nothing but a new file.
TEST_F(ReportCommand, PdfIsWrittenToAFileThatIsNotTheDocument) {
    const std::string pdf = Folder.File("cash flow.pdf");
    RunResult run = Report("cashflow", {"--format", "pdf", "-o", pdf, "--landscape"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "");
    const std::string bytes = FileBytes(pdf);
    EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
    // Landscape: the sheet is wider than high (A4 or Letter, as the user measures).
    EXPECT_TRUE(bytes.find("/MediaBox [0 0 842.000000 595.000000]") != std::string::npos ||
                bytes.find("/MediaBox [0 0 792.000000 612.000000]") != std::string::npos);

    const std::string before = FileBytes(Path);
    for (const std::string& output : {Path, Folder.File("./Shop.kqk"), Path + "-journal"}) {
        run = Report("gst", {"--format", "pdf", "-o", output});
        EXPECT_EQ(run.Status, 1) << output;
    }
    EXPECT_EQ(FileBytes(Path), before);
}

// The worksheet's printout carries the tab's own rows and totals, as "worksheet" prints them.
TEST_F(ReportCommand, WorksheetPrintoutIsTheTabsRowsAndTotals) {
    const RunResult table = Cli({"worksheet", Path, "--tab", "1", "--format", "json"});
    ASSERT_EQ(table.Status, 0) << table.Err;
    const RunResult report = Report("worksheet", {"--tab", "1", "--format", "json"});
    ASSERT_EQ(report.Status, 0) << report.Err;
    EXPECT_NE(report.Out.find("\"title\": \"Print Screen - All Main Categories"), std::string::npos) << report.Out;
    // Every row and the totals row of the tab, cell for cell.
    static const std::regex array(R"re(\[("[^"]*"(, "[^"]*")*)\])re");
    std::vector<std::string> rows;
    for (auto it = std::sregex_iterator(table.Out.begin(), table.Out.end(), array); it != std::sregex_iterator(); ++it)
        rows.push_back((*it)[1].str());
    ASSERT_GT(rows.size(), 2u);
    for (const std::string& row : rows)
        EXPECT_NE(report.Out.find("\"cells\": [" + row + "]"), std::string::npos) << row;

    const RunResult refused = Report("cashflow", {"--tab", "1"});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_NE(refused.Err.find("--tab is for the worksheet report"), std::string::npos) << refused.Err;
}

// The small document with a van bought from Cheque on 7 March: 800 in "Assets Purchased".
StreamMap DocumentWithAVan() {
    StreamMap s = SmallDocument();
    TMainActRec van;
    van.Number = 500;
    van.Name = "Van";
    van.Side = SideDebit;
    van.CatType = 4;
    s["MainActs"] += Image(van);
    TSubActRec delivery;
    delivery.MainAct = 500;
    delivery.Number = 1;
    delivery.Name = "Delivery";
    delivery.Side = SideDebit;
    s["SubActs"] += Image(delivery);
    s["Transactions"] += Image(Trans(7, 7, TransDebit, 800, 500, 1, 0, 0));
    s["KQ22FileInfo"] = CountsImage(CountsOf(s));
    return s;
}

TEST_F(ReportCommand, AssetsReportFiguresAndItsPdf) {
    WriteStreams(Path, DocumentWithAVan());
    const RunResult json = Report("assets", {"--detailed", "--format", "json"});
    ASSERT_EQ(json.Status, 0) << json.Err;
    EXPECT_EQ(json.Out.rfind("{\"report\": \"assets\", \"title\": \"Assets Purchased and Sold - Corner Café, 42\"", 0),
              0u)
        << json.Out;
    const auto lines = JsonLines("assets", {"--detailed"});
    EXPECT_TRUE(Has(lines, "line|ASSETS|||true"));
    EXPECT_TRUE(Has(lines, "line|Delivery|$800.00||false"));
    EXPECT_EQ(Amount(lines, "Total Van"), "$800.00");
    EXPECT_EQ(Amount(lines, "TOTAL ASSET VALUE"), "$800.00");
    EXPECT_EQ(Amount(lines, "TOTAL FUNDS"), "$0.00");
    // Cheque: 1000 + 110 - 50 + 30 + 20 - 800; Cash: 250 + 50, its unreconciled rent aside.
    EXPECT_EQ(Amount(lines, "Cheque"), "$310.00");
    EXPECT_EQ(Amount(lines, "Cash"), "$300.00");
    EXPECT_EQ(Amount(lines, "TOTAL ACTUAL FUNDS"), "$610.00");
    // The filters are the worksheet's: an account left out has no line.
    const auto cheque = JsonLines("assets", {"--accounts", "0"});
    EXPECT_EQ(Amount(cheque, "Cash"), "(no line Cash)");
    EXPECT_EQ(Amount(cheque, "TOTAL ACTUAL FUNDS"), "$310.00");

    const std::string pdf = Folder.File("assets.pdf");
    const RunResult run = Report("assets", {"--detailed", "--format", "pdf", "-o", pdf});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(FileBytes(pdf).rfind("%PDF-", 0), 0u);
}

TEST_F(ReportCommand, ListedInTheHelp) {
    const RunResult run = Cli({"--help"});
    EXPECT_NE(run.Out.find("  report      "), std::string::npos) << run.Out;
}

} // namespace
} // namespace qz::clitest
