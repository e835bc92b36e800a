// chart: the figures of the charts as JSON, checked against figures worked out here from the
// document's own transactions under each filter.

#include "CliSupport.h"

#include "ledger/DateTime.h"

#include <functional>
#include <regex>
#include <set>

namespace qz::clitest {
namespace {

// The small document's accounts, categories and groups, a second sub category 100-2
// "Online", and transactions over four months of 2026:
//
//   date    number  kind      account  category  amount  tax
//   10 Jan  0       opening   Cheque              1000
//   10 Jan  1       opening   Cash                 250
//   15 Jan  2       credit    Cheque   100-1       110    10
//   31 Jan  3       debit     Cash     200-1       200
//   03 Feb  4       debit     Cash     200-1       500        unreconciled
//   20 Feb  5       credit    Cheque   100-2        75.50
//   02 Mar  6/7     transfer  Cheque to Cash        50
//   07 Apr  8       credit    Cash     100-2        33     3
//   08 Apr  9A/9B   debit     Cheque   200-1        12 + 8
std::vector<TTransRec> MonthsTransactions() {
    auto at = [](TTransRec t, int month, int day) {
        t.Date = EncodeDate(2026, month, day);
        return t;
    };
    TTransRec sale = at(Trans(2, 1, TransCredit, 110, 100, 1, 0, 0), 1, 15);
    sale.Gst = Money::FromUnits(10);
    TTransRec rent = at(Trans(4, 1, TransDebit, 500, 200, 1, 0, 1), 2, 3);
    rent.Reconciled = 0;
    TTransRec online = at(Trans(8, 1, TransCredit, 33, 100, 2, 0, 1), 4, 7);
    online.Gst = Money::FromUnits(3);
    TTransRec splitA = at(Trans(9, 1, TransDebit, 12, 200, 1, 0, 0), 4, 8);
    splitA.Split = 'A';
    TTransRec splitB = at(Trans(9, 1, TransDebit, 8, 200, 1, 0, 0), 4, 8);
    splitB.Split = 'B';
    return {at(Trans(0, 1, TransOpening, 1000, 0, 0, 0, 0), 1, 10),
            at(Trans(1, 1, TransOpening, 250, 0, 0, 0, 1), 1, 10),
            sale,
            at(Trans(3, 1, TransDebit, 200, 200, 1, 0, 1), 1, 31),
            rent,
            at(Trans(5, 1, TransCredit, 75.50, 100, 2, 0, 0), 2, 20),
            at(Trans(6, 1, TransTo, 50, 7, 0, 1, 0), 3, 2),
            at(Trans(7, 1, TransFrom, 50, 6, 0, 0, 1), 3, 2),
            online,
            splitA,
            splitB};
}

StreamMap MonthsDocument(const std::vector<TTransRec>& transactions) {
    StreamMap s = SmallDocument();
    s["Transactions"].clear();
    for (const TTransRec& t : transactions)
        s["Transactions"] += Image(t);
    TSubActRec online;
    online.MainAct = 100;
    online.Number = 2;
    online.Name = "Online";
    online.Side = SideCredit;
    s["SubActs"] += Image(online);
    s["KQ22FileInfo"] = CountsImage(CountsOf(s));
    return s;
}

// The filters a case applies, as the worked-out figures read them.
struct ChartFilter {
    std::set<std::int16_t> Accounts = {0, 1};
    int FromDay = 0; // a day of 2026's January (1) to April; 0: no start
    bool IncludeUnreconciled = false;
    bool Net = false;

    bool Included(const TTransRec& t) const { return Accounts.count(t.Book) != 0; }
    bool Shown(const TTransRec& t) const {
        return Included(t) && (FromDay == 0 || static_cast<int>(t.Date) >= FromDay);
    }
    bool Counts(const TTransRec& t) const { return t.Reconciled || IncludeUnreconciled; }
    // The amount a credit or debit counts at; transfers and opening balances at their amount.
    std::int64_t Amount(const TTransRec& t) const {
        const bool ordinary = t.Kind == TransCredit || t.Kind == TransDebit;
        return (Net && ordinary ? t.Amount - t.Gst : t.Amount).Raw();
    }
    // What the transaction adds to its account's balance.
    std::int64_t Signed(const TTransRec& t) const {
        return t.Kind == TransDebit || t.Kind == TransTo ? -Amount(t) : Amount(t);
    }
};

// A raw amount (ten-thousandths) with four decimals; "null" for none.
std::string Figure(std::optional<std::int64_t> raw) {
    if (!raw)
        return "null";
    const std::int64_t magnitude = *raw < 0 ? -*raw : *raw;
    std::string fraction = std::to_string(magnitude % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    return (*raw < 0 ? "-" : "") + std::to_string(magnitude / 10000) + "." + fraction;
}

// A JSON value the same way: "12.5" and "12.5000" are one figure.
std::string Figure(const std::string& json) {
    if (json == "null")
        return json;
    const auto dot = json.find('.');
    std::string fraction = dot == std::string::npos ? "" : json.substr(dot + 1);
    fraction.resize(4, '0');
    return json.substr(0, dot) + "." + fraction;
}

// The quotient rounded to the nearest whole number, halves to the even one.
std::int64_t RoundedQuotient(std::int64_t sum, std::int64_t count) {
    const bool negative = sum < 0;
    const std::int64_t magnitude = negative ? -sum : sum;
    std::int64_t quotient = magnitude / count;
    const std::int64_t twice = 2 * (magnitude % count);
    if (twice > count || (twice == count && quotient % 2 != 0))
        ++quotient;
    return negative ? -quotient : quotient;
}

struct Chart {
    std::string Title;
    std::vector<std::string> Categories;
    std::map<std::string, std::vector<std::string>> Series; // each value as Figure() writes it
};

Chart ReadChart(const std::string& json) {
    Chart chart;
    static const std::regex title(R"re("title": "([^"]*)")re");
    static const std::regex categories(R"re("categories": \[([^\]]*)\])re");
    static const std::regex text(R"re("([^"]*)")re");
    static const std::regex series(R"re(\{"name": "([^"]*)", "values": \[([^\]]*)\]\})re");
    static const std::regex value(R"re(-?[\d.]+|null)re");
    std::smatch m;
    if (std::regex_search(json, m, title))
        chart.Title = m[1];
    if (std::regex_search(json, m, categories)) {
        const std::string list = m[1];
        for (auto it = std::sregex_iterator(list.begin(), list.end(), text); it != std::sregex_iterator(); ++it)
            chart.Categories.push_back((*it)[1]);
    }
    for (auto it = std::sregex_iterator(json.begin(), json.end(), series); it != std::sregex_iterator(); ++it) {
        const std::string values = (*it)[2];
        std::vector<std::string>& figures = chart.Series[(*it)[1]];
        for (auto v = std::sregex_iterator(values.begin(), values.end(), value); v != std::sregex_iterator(); ++v)
            figures.push_back(Figure((*v)[0].str()));
    }
    return chart;
}

class ChartCommand : public ::testing::Test {
protected:
    ChartCommand() { WriteStreams(Path, MonthsDocument(Transactions)); }

    Chart Run(const std::string& kind, std::vector<std::string> options) {
        options.insert(options.begin(), {"chart", kind, Path});
        const RunResult run = Cli(options);
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Err, "");
        return ReadChart(run.Out);
    }

    const std::vector<TTransRec> Transactions = MonthsTransactions();
    TempFolder Folder;
    std::string Path = Folder.File("Months.kqk");
};

// The monthly cash flow: each month's credits and debits (empty unless above zero) and the
// average of its days' closing balances (empty when zero), the first and last month cut to
// the days of the first and last transaction shown.
TEST_F(ChartCommand, MonthlyCashFlowIsWorkedOutFromTheTransactions) {
    struct Case {
        std::vector<std::string> Options;
        ChartFilter Filter;
        const char* Title; // nullptr: not checked
    };
    const int feb1 = static_cast<int>(EncodeDate(2026, 2, 1));
    const std::vector<Case> cases = {
        {{}, {}, "Cash Flow Chart -  All Transactions "},
        {{"--include-unreconciled"}, {.IncludeUnreconciled = true}, nullptr},
        {{"--net"}, {.Net = true}, nullptr},
        {{"--accounts", "1"}, {.Accounts = {1}}, "Cash Flow Chart -  Selected Transactions "},
        // Balances carry what came before the first day shown.
        {{"--from", "2026-02-01"}, {.FromDay = feb1}, nullptr},
    };
    static const char* const months[] = {"Jan-26", "Feb-26", "Mar-26", "Apr-26", "May-26"};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.Options));
        const ChartFilter& f = c.Filter;
        int first = 0x7FFFFFFF, last = 0;
        for (const TTransRec& t : Transactions)
            if (f.Shown(t)) {
                first = std::min(first, static_cast<int>(t.Date));
                last = std::max(last, static_cast<int>(t.Date));
            }
        std::vector<std::string> labels, credits, debits, line;
        for (int month = 1; month <= 4; ++month) {
            const int start = std::max(first, static_cast<int>(EncodeDate(2026, month, 1)));
            const int end = std::min(last, static_cast<int>(EncodeDate(2026, month + 1, 1)) - 1);
            if (start > end)
                continue;
            labels.push_back(months[month - 1]);
            std::int64_t credit = 0, debit = 0, balanceDays = 0;
            for (const TTransRec& t : Transactions) {
                const int day = static_cast<int>(t.Date);
                if (!f.Shown(t) || !f.Counts(t) || day < start || day > end)
                    continue;
                if (t.Kind == TransCredit)
                    credit += f.Amount(t);
                else if (t.Kind == TransDebit)
                    debit += f.Amount(t);
            }
            for (int day = start; day <= end; ++day)
                for (const TTransRec& t : Transactions)
                    if (f.Included(t) && f.Counts(t) && static_cast<int>(t.Date) <= day)
                        balanceDays += f.Signed(t);
            const std::int64_t average = RoundedQuotient(balanceDays, end - start + 1);
            credits.push_back(Figure(credit > 0 ? std::optional(credit) : std::nullopt));
            debits.push_back(Figure(debit > 0 ? std::optional(debit) : std::nullopt));
            line.push_back(Figure(average != 0 ? std::optional(average) : std::nullopt));
        }
        const Chart chart = Run("cashflow", c.Options);
        if (c.Title) {
            EXPECT_EQ(chart.Title, c.Title);
        }
        EXPECT_EQ(chart.Categories, labels);
        EXPECT_EQ(chart.Series.at("Income"), credits);
        EXPECT_EQ(chart.Series.at("Expense"), debits);
        EXPECT_EQ(chart.Series.at("Cash Flow"), line);
    }
}

// A category, sub category or category type chart: one value per item with a total above
// zero, summed here from the counted transactions of the item.
TEST_F(ChartCommand, TotalsOfOneSideAndOfOneCategorysSubCategories) {
    struct Case {
        const char* Kind;
        std::vector<std::string> Options;
        ChartFilter Filter;
        const char* Title;
        // Each point's name and which transactions it sums.
        std::vector<std::pair<std::string, std::function<bool(const TTransRec&)>>> Points;
    };
    auto category = [](std::int32_t number) {
        return [number](const TTransRec& t) {
            return (t.Kind == TransCredit || t.Kind == TransDebit) && t.MainAct == number;
        };
    };
    auto sub = [](std::int32_t number, std::int32_t sub) {
        return [number, sub](const TTransRec& t) {
            return (t.Kind == TransCredit || t.Kind == TransDebit) && t.MainAct == number && t.SubAct == sub;
        };
    };
    const std::vector<Case> cases = {
        // The credit side opens first; the tax categories total nothing and have no point.
        {"categories", {}, {}, "Category Totals - Credit Categories", {{"Sales", category(100)}}},
        {"categories", {"--side", "debit"}, {}, "Category Totals - Debit Categories", {{"Rent", category(200)}}},
        {"categories",
         {"--side", "debit", "--include-unreconciled"},
         {.IncludeUnreconciled = true},
         "Category Totals - Debit Categories",
         {{"Rent", category(200)}}},
        {"categories",
         {"--category", "100"},
         {},
         "Sub Category Totals of 'Sales'",
         {{"Counter", sub(100, 1)}, {"Online", sub(100, 2)}}},
        {"categories",
         {"--category", "100", "--net", "--accounts", "0"},
         {.Accounts = {0}, .Net = true},
         "Selected Sub Category Totals of 'Sales'",
         {{"Counter", sub(100, 1)}, {"Online", sub(100, 2)}}},
        {"quicksummary", {"--side", "debit"}, {}, "Quick Summary - Debit", {{"Overheads", category(200)}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Kind + ::testing::PrintToString(c.Options));
        std::vector<std::string> names, values;
        for (const auto& [name, counts] : c.Points) {
            std::int64_t total = 0;
            for (const TTransRec& t : Transactions)
                if (c.Filter.Shown(t) && c.Filter.Counts(t) && counts(t))
                    total += c.Filter.Amount(t);
            names.push_back(name);
            values.push_back(Figure(total));
        }
        const Chart chart = Run(c.Kind, c.Options);
        EXPECT_EQ(chart.Title, c.Title);
        EXPECT_EQ(chart.Categories, names);
        ASSERT_EQ(chart.Series.size(), 1u);
        EXPECT_EQ(chart.Series.begin()->second, values);
    }
}

// The account chart: for each account shown, credits (credits, money transferred in, an
// opening balance not below zero), debits (debits, money transferred out) and the difference.
// Every transaction shown counts here, reconciled or not, as the window's account chart counts.
TEST_F(ChartCommand, AccountTotalsOfTheAccountsShown) {
    struct Case {
        std::vector<std::string> Options;
        ChartFilter Filter;
        const char* Title;
    };
    const std::vector<Case> cases = {
        {{}, {}, "Account Totals Chart - All Totals"},
        {{"--accounts", "1"}, {.Accounts = {1}}, "Account Totals Chart - Selected Totals "},
        {{"--net"}, {.Net = true}, nullptr},
    };
    const std::vector<std::pair<std::int16_t, std::string>> accounts = {{0, "Cheque"}, {1, "Cash"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.Options));
        std::vector<std::string> names, credits, debits, differences;
        for (const auto& [number, name] : accounts) {
            std::int64_t credit = 0, debit = 0;
            for (const TTransRec& t : Transactions)
                if (t.Book == number && c.Filter.Shown(t))
                    (c.Filter.Signed(t) < 0 ? debit : credit) += c.Filter.Amount(t);
            if (credit == 0 && debit == 0)
                continue;
            names.push_back(name);
            credits.push_back(Figure(credit));
            debits.push_back(Figure(debit));
            differences.push_back(Figure(credit - debit));
        }
        const Chart chart = Run("accounts", c.Options);
        if (c.Title) {
            EXPECT_EQ(chart.Title, c.Title);
        }
        EXPECT_EQ(chart.Categories, names);
        EXPECT_EQ(chart.Series.at("Income"), credits);
        EXPECT_EQ(chart.Series.at("Expense"), debits);
        EXPECT_EQ(chart.Series.at("Difference"), differences);
    }
}

// Each refused command line: exit 1, nothing on stdout, one line on stderr that says why. The
// refusals that need the document come the same from the JSON and from the picture renderer.
TEST_F(ChartCommand, RefusedCommandLines) {
    const std::string picture = Folder.File("chart.png");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"pie", Path}, "the chart is cashflow, categories, quicksummary, accounts or groups, not \"pie\""},
        {{"cashflow", Path, "--format", "png"}, "a PNG or PDF chart needs the file to write in -o"},
        {{"groups", Path, "-o", picture}, "-o is for --format png or pdf"},
        {{"groups", Path, "--format", "pdf", "-o", Path},
         Path + ": that is the document itself; give another output file"},
        {{"cashflow", Path, "--format", "svg", "-o", picture}, "--format takes json|png|pdf, not \"svg\""},
        {{"cashflow", Path, "--range", "yearly"}, "--range takes daily|weekly|monthly|quarterly, not \"yearly\""},
        {{"accounts", Path, "--range", "weekly"}, "--range is for the cashflow chart"},
        {{"cashflow", Path, "--side", "credit"}, "--side is for the categories and quicksummary charts"},
        {{"categories", Path, "--side", "both"}, "--side takes credit|debit, not \"both\""},
        {{"quicksummary", Path, "--category", "100"}, "--category is for the categories chart"},
    };
    const std::vector<std::pair<std::vector<std::string>, std::string>> documentCases = {
        {{"categories", Path, "--category", "999"}, Path + ": the document has no category 999"},
        {{"categories", Path, "--category", "100", "--side", "debit"},
         Path + ": category 100 is a credit category, not a debit one"},
        {{"groups", Path, "--groups", "5"}, Path + ": the document has no group 5"},
        {{"cashflow", Path, "--from", "2027-01-01"}, Path + ": No Transactions selected to chart"},
        {{"categories", Path, "--accounts", "0", "--from", "2026-04-09"}, Path + ": No Transactions selected to chart"},
    };
    const auto refused = [](const std::vector<std::string>& options, const std::string& says) {
        std::vector<std::string> args = options;
        args.insert(args.begin(), "chart");
        const RunResult run = Cli(args);
        EXPECT_EQ(run.Status, 1) << ::testing::PrintToString(options);
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.ErrLines(), std::vector<std::string>{"zudeduze-cli: error: " + says});
    };
    for (const auto& [options, says] : cases)
        refused(options, says);
    for (const auto& [options, says] : documentCases) {
        refused(options, says);
#ifdef ZUDEDUZE_CHART_RENDERER
        std::vector<std::string> drawn = options;
        drawn.insert(drawn.end(), {"--format", "png", "-o", picture});
        refused(drawn, says);
        EXPECT_FALSE(std::filesystem::exists(picture));
#endif
    }
}

#ifdef ZUDEDUZE_CHART_RENDERER
// The width and height a PNG's header gives.
std::pair<std::uint32_t, std::uint32_t> PngSize(const std::string& bytes) {
    const auto word = [&bytes](std::size_t at) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
        return value;
    };
    return {word(16), word(20)};
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// Every chart comes out as a picture of its printed page: a PNG of the A4 landscape page at
// 150 dpi, a PDF of one page; the JSON's filters and options reach the drawing.
TEST_F(ChartCommand, PicturesOfEveryChart) {
    const std::vector<std::vector<std::string>> charts = {{"cashflow", "--range", "weekly", "--net"},
                                                          {"categories", "--side", "debit"},
                                                          {"categories", "--category", "100"},
                                                          {"quicksummary"},
                                                          {"accounts", "--accounts", "0"},
                                                          {"groups"}};
    for (const std::vector<std::string>& chart : charts) {
        SCOPED_TRACE(::testing::PrintToString(chart));
        for (const std::string format : {"png", "pdf"}) {
            const std::string output = Folder.File("chart." + format);
            std::vector<std::string> args = {"chart", chart[0], Path, "--format", format, "-o", output};
            args.insert(args.end(), chart.begin() + 1, chart.end());
            const RunResult run = Cli(args);
            ASSERT_EQ(run.Status, 0) << run.Err;
            EXPECT_EQ(run.Out, "");
            EXPECT_EQ(run.Err, "");
            const std::string bytes = FileBytes(output);
            if (format == "png") {
                ASSERT_EQ(bytes.rfind("\x89PNG\r\n\x1a\n", 0), 0u);
                EXPECT_EQ(PngSize(bytes), std::make_pair(1754u, 1240u));
            } else {
                ASSERT_EQ(bytes.rfind("%PDF-", 0), 0u);
                EXPECT_NE(bytes.find("%%EOF"), std::string::npos);
                EXPECT_EQ(Occurrences(bytes, "/Type /Page\n") + Occurrences(bytes, "/Type /Page\r") +
                              Occurrences(bytes, "/Type /Page/") + Occurrences(bytes, "/Type /Page "),
                          1u);
            }
            std::filesystem::remove(output);
        }
    }
}

// A zudeduze-cli without the renderer beside it says so instead of writing nothing, for a
// chart's picture and for a report's PDF.
TEST_F(ChartCommand, PicturesWithoutTheRendererAreRefused) {
    TempFolder alone;
    const std::string program = alone.File("zudeduze-cli");
    std::filesystem::copy_file(ZUDEDUZE_CLI, program);
    std::filesystem::permissions(program, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    const std::string output = Folder.File("picture.pdf");
    const struct {
        std::vector<std::string> Words;
        std::string Drawn;
    } cases[] = {{{"chart", "cashflow"}, "PNG and PDF charts"}, {{"report", "cashflow"}, "PDF reports"}};
    for (const auto& c : cases) {
        std::vector<std::string> words = {program};
        words.insert(words.end(), c.Words.begin(), c.Words.end());
        words.insert(words.end(), {Path, "--format", "pdf", "-o", output});
        const RunResult run = Program(words);
        EXPECT_EQ(run.Status, 1) << c.Drawn;
        EXPECT_EQ(run.ErrLines(), std::vector<std::string>{"zudeduze-cli: error: " + c.Drawn +
                                                           " are drawn by zudeduze-chart-render, which is not "
                                                           "installed beside this program"});
        EXPECT_FALSE(std::filesystem::exists(output)) << c.Drawn;
    }
}
#endif

} // namespace
} // namespace qz::clitest
