// The statement readers against the folder of statements we wrote: each file beside its
// .expected file, which holds the options the file is read with (an "options:" first line) and
// either the whole-file error or every line read: its line, date, cents, [reference] [payee]
// [memo] [category], {account} when the file names one, and the bad line's reason.

#include "filters/CsvReader.h"
#include "filters/OfxReader.h"
#include "filters/StatementFile.h"
#include "filters/StatementText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace qz::testing {
namespace {

namespace fs = std::filesystem;

fs::path ImportFolder() {
    return fs::path(QZ_TEST_TOOLS) / ".." / "data" / "import";
}

std::string Printed(const TStatement& s) {
    std::ostringstream out;
    if (!s.Ok())
        out << "error: " << s.Error << '\n';
    for (const TStatementLine& l : s.Lines) {
        out << l.Line << ' ' << (l.Good() ? IsoDateText(l.Date) : "-") << ' ' << l.Cents << " [" << l.Reference << "] ["
            << l.Payee << "] [" << l.Memo << "] [" << l.Category << ']';
        if (!l.Account.empty())
            out << " {" << l.Account << '}';
        if (!l.Good())
            out << ' ' << l.Bad;
        out << '\n';
    }
    return out.str();
}

bool ReadOptions(const std::string& line, TStatementOptions& options, std::string& error) {
    std::istringstream words(line.substr(std::string("options:").size()));
    std::string word;
    while (words >> word) {
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        const std::string value = word.substr(equals + 1);
        if (name == "order")
            options.Order = value == "dmy"   ? TDateOrder::DayMonthYear
                            : value == "mdy" ? TDateOrder::MonthDayYear
                                             : TDateOrder::YearMonthDay;
        else if (name == "decimal")
            options.Csv.DecimalMark = value[0];
        else if (name == "separator")
            options.Csv.Separator = value == "tab" ? '\t' : value[0];
        else if (name == "type")
            options.Type = value == "qif"   ? TStatementType::Qif
                           : value == "ofx" ? TStatementType::Ofx
                                            : TStatementType::Csv;
        else if (name == "columns") {
            TCsvColumns columns;
            if (!ParseCsvColumns(value, columns, error))
                return false;
            options.Csv.Columns = columns;
        }
    }
    return true;
}

TEST(StatementReaders, EveryStatementOfTheFolderReadsAsExpected) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(ImportFolder())) {
        if (entry.path().extension() != ".expected")
            continue;
        fs::path statement = entry.path();
        statement.replace_extension();
        SCOPED_TRACE(statement.filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream expected;
        expected << in.rdbuf();
        std::string text = expected.str();
        TStatementOptions options;
        if (text.rfind("options:", 0) == 0) {
            const std::size_t end = text.find('\n');
            std::string error;
            ASSERT_TRUE(ReadOptions(text.substr(0, end), options, error)) << error;
            text.erase(0, end + 1);
        }
        EXPECT_EQ(Printed(ReadStatement(statement.string(), options)), text);
        ++files;
    }
    EXPECT_GT(files, 0) << ImportFolder();
}

// Every statement file in the folder has its expected result: none is left untested.
TEST(StatementReaders, NoStatementWithoutExpectedResult) {
    for (const auto& entry : fs::directory_iterator(ImportFolder()))
        if (entry.path().extension() != ".expected") {
            EXPECT_TRUE(fs::exists(entry.path().string() + ".expected")) << entry.path().filename();
        }
}

// A long statement goes to libofx in pieces, half of them read by a second process: every
// entry comes back once, in the file's order, with the line it starts on, whether the pieces
// are shared, read alone, or shared with a second process that gives nothing back.
TEST(StatementReaders, ALongOfxStatementReadsWhole) {
    const fs::path path = fs::temp_directory_path() / ("qz-long-" + std::to_string(::getpid()) + ".ofx");
    std::ofstream out(path, std::ios::binary);
    out << "OFXHEADER:100\nDATA:OFXSGML\nVERSION:102\nSECURITY:NONE\nENCODING:USASCII\nCHARSET:1252\n"
           "COMPRESSION:NONE\nOLDFILEUID:NONE\nNEWFILEUID:NONE\n\n<OFX><BANKMSGSRSV1><STMTTRNRS><TRNUID>1<STATUS>"
           "<CODE>0<SEVERITY>INFO</STATUS><STMTRS><CURDEF>AUD<BANKACCTFROM><BANKID>1<ACCTID>2<ACCTTYPE>CHECKING"
           "</BANKACCTFROM>\n<BANKTRANLIST><DTSTART>20260101<DTEND>20261231\n";
    const int entries = 3456; // six pieces, the last a short one
    for (int i = 0; i < entries; ++i)
        out << "<STMTTRN><TRNTYPE>OTHER<DTPOSTED>2026" << (i % 12 < 9 ? "0" : "") << i % 12 + 1 << "15<TRNAMT>-" << i
            << ".05<FITID>ID" << i << "<NAME>Payee " << i << "</STMTTRN>\n";
    out << "</BANKTRANLIST><LEDGERBAL><BALAMT>1<DTASOF>20261231</LEDGERBAL></STMTRS></STMTTRNRS></BANKMSGSRSV1>"
           "</OFX>\n";
    out.close();
    for (const auto sharing :
         {TOfxReader::TSharing::Share, TOfxReader::TSharing::Alone, TOfxReader::TSharing::ShareWithFailingChild}) {
        SCOPED_TRACE(static_cast<int>(sharing));
        TOfxReader::SetSharingForTests(sharing);
        const TStatement statement = ReadStatement(path.string(), {});
        TOfxReader::SetSharingForTests(TOfxReader::TSharing::Share);
        ASSERT_TRUE(statement.Ok()) << statement.Error;
        ASSERT_EQ(statement.Lines.size(), static_cast<std::size_t>(entries));
        for (int i = 0; i < entries; ++i) {
            const TStatementLine& line = statement.Lines[static_cast<std::size_t>(i)];
            ASSERT_EQ(line.Reference, "ID" + std::to_string(i));
            EXPECT_EQ(line.Payee, "Payee " + std::to_string(i));
            EXPECT_EQ(line.Cents, -(i * 100 + 5));
            EXPECT_EQ(line.Line, 13 + i);
            EXPECT_EQ(DecodeDate(line.Date).Month, i % 12 + 1);
        }
    }
    fs::remove(path);
}

TEST(StatementText, Dates) {
    struct Case {
        const char* Text;
        TDateOrder Order;
        const char* Iso; // "" for refused
    } cases[] = {
        {"05/01/2026", TDateOrder::DayMonthYear, "2026-01-05"},
        {"05/01/2026", TDateOrder::MonthDayYear, "2026-05-01"},
        {"1/ 5'26", TDateOrder::MonthDayYear, "2026-01-05"},
        {"12/31'99", TDateOrder::MonthDayYear, "1999-12-31"},
        {"05.01.69", TDateOrder::DayMonthYear, "2069-01-05"},
        {"05.01.70", TDateOrder::DayMonthYear, "1970-01-05"},
        {"2026-02-28", TDateOrder::DayMonthYear, "2026-02-28"}, // a four-digit first number is the year
        {"20260228", TDateOrder::MonthDayYear, "2026-02-28"},
        {"26/01/05", TDateOrder::YearMonthDay, "2026-01-05"},
        {"29/02/2025", TDateOrder::DayMonthYear, ""},
        {"13/13/2026", TDateOrder::DayMonthYear, ""},
        {"5-1", TDateOrder::DayMonthYear, ""},
        {"05/01/2026x", TDateOrder::DayMonthYear, ""},
        {"05012026", TDateOrder::DayMonthYear, ""},
        {"123/01/2026", TDateOrder::DayMonthYear, ""},
        {"05/01/20267", TDateOrder::DayMonthYear, ""},
        {"05/01/2026", TDateOrder::Unknown, ""},
    };
    for (const Case& c : cases) {
        TDateTime date = 0;
        const bool read = ParseStatementDate(c.Text, c.Order, date);
        EXPECT_EQ(read ? IsoDateText(date) : std::string(), c.Iso) << c.Text;
    }
}

TEST(StatementText, DateOrderFromTheDates) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(GuessDateOrder(V{"01/02/2026", "13/02/2026"}), TDateOrder::DayMonthYear);
    EXPECT_EQ(GuessDateOrder(V{"01/02/2026", "02/13/2026"}), TDateOrder::MonthDayYear);
    EXPECT_EQ(GuessDateOrder(V{"2026-01-02", "2026-02-13"}), TDateOrder::YearMonthDay);
    EXPECT_EQ(GuessDateOrder(V{"01/02/2026", "03/04/2026"}), TDateOrder::Unknown);
    EXPECT_EQ(GuessDateOrder(V{"13/02/2026", "02/13/2026"}), TDateOrder::Unknown); // no order fits both
    EXPECT_EQ(GuessDateOrder(V{"not a date", "13/02/2026"}), TDateOrder::DayMonthYear);
}

TEST(StatementText, Amounts) {
    struct Case {
        const char* Text;
        char Mark;
        std::int64_t Cents;
        bool Read;
    } cases[] = {
        {"-45.50", '.', -4550, true},
        {"1,234.56", '.', 123456, true},
        {"1.234,56", ',', 123456, true},
        {"-1 234,5", ',', -123450, true},
        {"(12.00)", '.', -1200, true},
        {"12.00-", '.', -1200, true},
        {"$-3.00", '.', -300, true},
        {"\xE2\x82\xAC 7", '.', 700, true},
        {"12,50 \xE2\x82\xAC", ',', 1250, true},
        {"+2500", '.', 250000, true},
        {".5", '.', 50, true},
        {"1.230", '.', 123, true},
        {"0012.30", '.', 1230, true},
        {"99999999999.99", '.', 9999999999999, true},
        {"1,23.00", '.', 0, false},
        {"1,2345.00", '.', 0, false},
        {"12.345", '.', 0, false},
        {"EUR 3.00", '.', 0, false},
        {"", '.', 0, false},
        {"12.", '.', 0, false},
        {"1.234,56", '.', 0, false},
        {"--5", '.', 0, false},
        {"100000000000.00", '.', 0, false},
        {"1e5", '.', 0, false},
    };
    for (const Case& c : cases) {
        std::int64_t cents = 0;
        std::string why;
        EXPECT_EQ(ParseStatementAmount(c.Text, c.Mark, cents, why), c.Read) << c.Text;
        if (c.Read)
            EXPECT_EQ(cents, c.Cents) << c.Text;
        else
            EXPECT_NE(why.find(c.Text), std::string::npos) << why; // the reason quotes the amount
    }
}

TEST(StatementText, DecimalMarkFromTheAmounts) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(GuessDecimalMark(V{"1.234,56", "12"}), ',');
    EXPECT_EQ(GuessDecimalMark(V{"45,5", "1.200"}), ',');
    EXPECT_EQ(GuessDecimalMark(V{"1,234.56"}), '.');
    EXPECT_EQ(GuessDecimalMark(V{"1,200", "1,234,567"}), '.');
    EXPECT_EQ(GuessDecimalMark(V{"1.200.000"}), ',');
    EXPECT_EQ(GuessDecimalMark(V{"12"}), '.');
}

TEST(StatementText, TextEncodings) {
    struct Case {
        std::string Bytes;
        std::string Utf8; // "" with an error expected
    } cases[] = {
        {"\xEF\xBB\xBF"
         "Caf\xC3\xA9",
         "Caf\xC3\xA9"},
        {"Caf\xE9 \x80", "Caf\xC3\xA9 \xE2\x82\xAC"},
        {"a\tb\r\nc\x1A", "a\tb\r\nc\x1A"},
        {std::string("a\nb\0c", 5), ""},
        {"a\x01", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.Bytes;
        std::string error;
        const bool read = StatementTextToUtf8(text, error);
        EXPECT_EQ(read, !c.Utf8.empty()) << c.Bytes;
        if (read)
            EXPECT_EQ(text, c.Utf8);
        else
            EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
    }
    std::string large(MaxStatementBytes + 1, 'a');
    std::string error;
    EXPECT_FALSE(StatementTextToUtf8(large, error));
    EXPECT_NE(error.find("50 MB"), std::string::npos);
}

TEST(CsvLayout, WhatTheMappingPanelShows) {
    TCsvLayout layout;
    std::string error;
    ASSERT_TRUE(TCsvReader::ReadLayout("\xEF\xBB\xBF"
                                       "Date;Beschreibung;Debit;Credit\r\n05.01.2026;\"Caf\xE9; Ecke\";45,50;\r\n"
                                       "13.01.2026;Miete;1.200,00;\r\n20.01.2026;Gehalt;;2.500,00\r\n",
                                       2, layout, error))
        << error;
    EXPECT_EQ(layout.Separator, ';');
    EXPECT_TRUE(layout.HasHeader);
    EXPECT_EQ(layout.Header, (std::vector<std::string>{"Date", "Beschreibung", "Debit", "Credit"}));
    ASSERT_EQ(layout.Rows.size(), 2u);
    EXPECT_EQ(layout.Rows[0], (std::vector<std::string>{"05.01.2026", "Caf\xC3\xA9; Ecke", "45,50", ""}));
    EXPECT_EQ(layout.Columns, (TCsvColumns{1, 0, 3, 4, 2, 0, 0}));
    EXPECT_EQ(layout.Key, ";|date|beschreibung|debit|credit");

    // Another month of the same bank has the same key; a file without a header is keyed by its width.
    TCsvLayout again;
    ASSERT_TRUE(TCsvReader::ReadLayout("DATE;Beschreibung;Debit;Credit\n01.02.2026;X;1,00;\n", 5, again, error));
    EXPECT_EQ(again.Key, layout.Key);
    ASSERT_TRUE(TCsvReader::ReadLayout("05/01/2026\t-45.50\tCafe\n", 5, again, error));
    EXPECT_FALSE(again.HasHeader);
    EXPECT_FALSE(again.Columns);
    EXPECT_EQ(again.Key, "t|3");
    EXPECT_EQ(again.Rows.size(), 1u);
    EXPECT_FALSE(TCsvReader::ReadLayout("a,\"b\n", 5, again, error));
    EXPECT_EQ(error, "line 1: a quoted field is not closed");
}

TEST(CsvColumns, ReadFromTheOption) {
    TCsvColumns c;
    std::string error;
    ASSERT_TRUE(ParseCsvColumns("date=1,amount=2,payee=3,memo=4,reference=5", c, error)) << error;
    EXPECT_EQ(c, (TCsvColumns{1, 2, 0, 0, 3, 4, 5}));
    ASSERT_TRUE(ParseCsvColumns("date=2,debit=3,credit=4", c, error)) << error;
    EXPECT_EQ(c, (TCsvColumns{2, 0, 3, 4, 0, 0, 0}));
    for (const char* refused : {"amount=2", "date=1", "date=1,debit=3", "date=1,amount=2,debit=3,credit=4",
                                "date=0,amount=1", "date=1,amount=x", "date=1,date=2,amount=3", "day=1,amount=2", ""})
        EXPECT_FALSE(ParseCsvColumns(refused, c, error)) << refused;
}

} // namespace
} // namespace qz::testing
