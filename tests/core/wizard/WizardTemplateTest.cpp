// The wizard's template file read line by line: category lines and their fields, sub category
// lines, the end mark, line ends and Windows-1252 texts, and files that are not templates.

#include "wizard/WizardTemplate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace qz {
namespace {

TWizardTemplate Read(const std::string& text) {
    std::istringstream in(text);
    return ReadWizardTemplate(in);
}

// An entry written out as one line: name|side|type|flag|origin|sub,sub...
std::string Described(const TMainActInfo& e) {
    std::string subs;
    for (const std::string& sub : e.SubNames)
        subs += (subs.empty() ? "" : ",") + sub;
    return e.Name + "|" + std::to_string(e.Side) + "|" + e.TypeName + "|" + e.Flag + "|" + std::to_string(e.Origin) +
           "|" + subs + (e.Selected ? "|selected" : "");
}

struct TemplateCase {
    const char* Name;
    std::string Text;
    std::vector<std::string> Entries;
    bool Warned; // the end mark is missing
};

class TemplateLines : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(TemplateLines, GiveTheirEntries) {
    const TemplateCase& c = GetParam();
    const TWizardTemplate read = Read(c.Text);
    EXPECT_EQ(read.Error, "");
    EXPECT_EQ(!read.Warning.empty(), c.Warned) << read.Warning;
    std::vector<std::string> got;
    for (const TMainActInfo& e : read.Entries)
        got.push_back(Described(e));
    EXPECT_EQ(got, c.Entries);
}

INSTANTIATE_TEST_SUITE_P(
    Wizdata, TemplateLines,
    ::testing::Values(
        TemplateCase{"AllFields",
                     "*Sales,1,I,T,General Income\nCounter\nCatering\n*Rent,2,E,F,Overheads\nShop\n~\n",
                     {"Sales|1|General Income|T|1|Counter,Catering", "Rent|2|Overheads|F|2|Shop"},
                     false},
        TemplateCase{"MissingFieldsReadEmpty",
                     "*Sales,5,I\n*Wages\n~\n",
                     {"Sales|1|General Income||5|", "Wages|2|Other Expenses||0|"},
                     false},
        TemplateCase{"ExtraCommasAreFieldsNobodyReads",
                     "*Loans,3,I,T,Funds Injection,,more,\n~\n",
                     {"Loans|1|Funds Injection|T|3|"},
                     false},
        TemplateCase{"OnlyACapitalIMeansCredit",
                     "*A,1,i,T,Other Income\n*B,1,Income,T,Other Income\n~\n",
                     {"A|2|Other Expenses|T|1|", "B|2|Other Expenses|T|1|"},
                     false},
        // An unknown type, or one of the other side, never gives a debit category an income type.
        TemplateCase{"UnknownTypes",
                     "*Tips,1,I,T,Gratuities\n*Fuel,1,E,T,Motoring\n*Odd,1,E,T,General Income\n"
                     "*Lower,1,I,T,other income\n~\n",
                     {"Tips|1|General Income|T|1|", "Fuel|2|Other Expenses|T|1|", "Odd|2|Other Expenses|T|1|",
                      "Lower|1|General Income|T|1|"},
                     false},
        TemplateCase{
            "TheUserOriginsAreNotTheTemplates",
            "*A,-1,I\n*B,-2,I\n*C,x7,I\n*D,-3,I\n~\n",
            {"A|1|General Income||0|", "B|1|General Income||0|", "C|1|General Income||0|", "D|1|General Income||-3|"},
            false},
        TemplateCase{"NothingAfterTheEndMarkIsRead",
                     "*Sales,1,I,T,General Income\nCounter\n~ the end\n*Late,1,I\nAlso late\n\x01\x02\xff\n",
                     {"Sales|1|General Income|T|1|Counter"},
                     false},
        TemplateCase{"CrLfLineEnds",
                     "*Sales,1,I,T,General Income\r\nCounter\r\n\r\n*Rent,1,E,T,Overheads\r\n~\r\n",
                     {"Sales|1|General Income|T|1|Counter", "Rent|2|Overheads|T|1|"},
                     false},
        TemplateCase{"Windows1252TextsKeepTheirBytes",
                     "*Caf\xe9 sales,1,I,T,General Income\nCr\xe8me br\xfbl\xe9\n~\n",
                     {"Caf\xe9 sales|1|General Income|T|1|Cr\xe8me br\xfbl\xe9"},
                     false},
        TemplateCase{"Utf8WithItsMarkBecomesWindows1252",
                     "\xEF\xBB\xBF*Caf\xC3\xA9,1,I,T,General Income\n~\n",
                     {"Caf\xe9|1|General Income|T|1|"},
                     false},
        TemplateCase{"BlanksDuplicatesAndOrphansAreLeftOut",
                     "Orphan\n*  Sales ,1,I,T,General Income\n  Counter  \n\ncounter\n*,1,I\nUnder nameless\n~\n",
                     {"Sales|1|General Income|T|1|Counter"},
                     false},
        TemplateCase{"NoEndMarkKeepsTheEntriesAndWarns",
                     "*Sales,1,I,T,General Income\nCounter",
                     {"Sales|1|General Income|T|1|Counter"},
                     true},
        TemplateCase{"EmptyFile", "", {}, true}),
    [](const auto& info) { return info.param.Name; });

TEST(WizardTemplate, RefusesWhatIsNotATemplate) {
    const std::string longLine(WizardLineLimit + 1, 'x');
    const std::string longestLine(WizardLineLimit, 'x');
    struct Case {
        const char* Name;
        std::string Text;
        std::string Error;
    } cases[] = {
        {"over-long line", "*Sales,1,I\n" + longLine + "\n~\n", "Line 2 is longer than 1024 characters."},
        {"binary", std::string("*Sales,1,I\nab\0cd\n~\n", 17), "Line 2 holds characters that are not text."},
        {"garbage without line ends", std::string(5000, '\x01'), "Line 1 is longer than 1024 characters."},
        {"control characters", "*Sa\x1bles,1,I\n~\n", "Line 1 holds characters that are not text."},
        {"huge", std::string(WizardFileLimit + 10, '\n'), "The file is larger than a template can be."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const TWizardTemplate read = Read(c.Text);
        EXPECT_EQ(read.Error, c.Error);
        EXPECT_TRUE(read.Entries.empty());
    }
    // The longest line allowed, with a CR before its line end, is still a line.
    const TWizardTemplate longest = Read("*Sales,1,I\r\n" + longestLine + "\r\n~\r\n");
    EXPECT_EQ(longest.Error, "");
    ASSERT_EQ(longest.Entries.size(), 1u);
    EXPECT_EQ(longest.Entries[0].SubNames, std::vector<std::string>{longestLine});
}

TEST(WizardTemplate, AMissingFileIsNamed) {
    const TWizardTemplate read = ReadWizardTemplateFile("/nonexistent/Wizard Files/Wizdata.dat");
    EXPECT_EQ(read.Error, "The file \"/nonexistent/Wizard Files/Wizdata.dat\" could not be opened.");
    EXPECT_TRUE(read.Entries.empty());
}

// The template the program ships: every category line names a type of its own side exactly
// (a misspelt type would silently become the fallback), both sides are offered, and every
// category has sub categories to suggest.
TEST(WizardTemplate, TheShippedTemplateIsSound) {
    const std::string path = std::string(QZ_TEST_TOOLS) + "/../../data/Wizard Files/Wizdata.dat";
    const TWizardTemplate read = ReadWizardTemplateFile(path);
    EXPECT_EQ(read.Error, "");
    EXPECT_EQ(read.Warning, "");
    std::ifstream in(path, std::ios::binary);
    std::string line;
    int credits = 0;
    int debits = 0;
    while (std::getline(in, line) && line.rfind('~', 0) != 0) {
        if (line.rfind('*', 0) != 0)
            continue;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string type = line.substr(line.rfind(',') + 1);
        const std::uint8_t side = line.find(",I,") != std::string::npos ? 1 : 2;
        (side == 1 ? credits : debits)++;
        const auto& names = WizardTypeNames(side);
        EXPECT_NE(std::find(names.begin(), names.end(), type), names.end()) << line;
    }
    EXPECT_GE(credits, 5);
    EXPECT_GE(debits, 10);
    ASSERT_EQ(read.Entries.size(), static_cast<std::size_t>(credits + debits));
    for (const TMainActInfo& e : read.Entries) {
        EXPECT_FALSE(e.SubNames.empty()) << e.Name;
        EXPECT_LE(e.Name.size(), 40u) << e.Name;
    }
}

} // namespace
} // namespace qz
