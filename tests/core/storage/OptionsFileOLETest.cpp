#include "storage/OptionsFileOLE.h"

#include "platform/ScriptedPrompts.h"
#include "storage/cfb/CfbTestSupport.h"

namespace qz::testing {
namespace {

const std::string ReadErrorText =
    "There has been a disk error while reading the Worksheet options file.  Make sure your hard drive is free of "
    "errors.  You may need to re-install Quillmar Zudeduze to correct this error.";

std::array<TGridInfo, 5> DefaultSets() {
    std::array<TGridInfo, 5> sets;
    for (int view = 0; view < ViewCount; ++view)
        sets[static_cast<std::size_t>(view)] = DefaultColumnSet(view);
    return sets;
}

class OptionsTest : public ::testing::Test {
protected:
    OptionsTest() : Sets(DefaultSets()), Options(Values, Prompts, Sets, Grid, Folder.Path.string()) {}

    cfb::testing::TempFolder Folder;
    MemoryRegistry Values;
    ScriptedPrompts Prompts;
    std::array<TGridInfo, 5> Sets;
    TGridProperties Grid;
    TOptionsManager Options;
};

TEST_F(OptionsTest, MissingOptionsAreWrittenWithTheirDefaults) {
    const struct {
        int Index;
        const char* Name;
        bool Default;
    } table[] = {{0, "NewTransDateOption", false}, {1, "FontWarn", true},  {3, "AutoBak", false},
                 {6, "IncludeDisabledInCalc", false}, {8, "BalanceEndDay", true}, {10, "GSTinTotals", true},
                 {15, "AutoCalcGST", true}};
    for (const auto& row : table) {
        EXPECT_EQ(Options.ReadOption(row.Index), row.Default) << row.Name;
        ASSERT_EQ(Values.Integers.count(row.Name), 1u) << row.Name;
        EXPECT_EQ(Values.Integers[row.Name], row.Default ? 1 : 0);
    }
    Options.WriteOption(OptAutoBak, true);
    EXPECT_TRUE(Options.ReadOption(OptAutoBak));
    const std::size_t written = Values.Integers.size();
    EXPECT_TRUE(Options.ReadOption(16, true)) << "outside the table: the caller's fallback";
    EXPECT_FALSE(Options.ReadOption(-1, false));
    EXPECT_EQ(Values.Integers.size(), written) << "and nothing is written";
}

TEST_F(OptionsTest, WindowPlacement) {
    TWindowPlacement first = Options.LoadWindowPlacement();
    EXPECT_EQ(first.State, 2);
    EXPECT_EQ(Values.Integers["WindowX"], 20);
    EXPECT_EQ(Values.Integers["WindowWidth"], 580);
    EXPECT_EQ(Values.Integers["WindowHeight"], 400);
    Options.SaveWindowPlacement({0, 5, 6, 700, 500});
    Options.SaveWindowPlacement({2, 0, 0, 1920, 1080}); // maximised: only the state
    TWindowPlacement again = Options.LoadWindowPlacement();
    EXPECT_EQ(again.State, 2);
    EXPECT_EQ(again.X, 5);
    EXPECT_EQ(again.Width, 700);
    Options.SaveWindowPlacement({1, 0, 0, 10, 10}); // minimised: nothing
    EXPECT_EQ(Options.LoadWindowPlacement().State, 2);
}

TEST_F(OptionsTest, FileNamesByScreenWidth) {
    EXPECT_EQ(Options.OptionsPathFor(640), Folder.Path.string() + "/Options640.Dat");
    EXPECT_EQ(Options.OptionsPathFor(800), Folder.Path.string() + "/Options.Dat");
    EXPECT_EQ(Options.OptionsPathFor(1024), Folder.Path.string() + "/Options1024.Dat");
}

TEST_F(OptionsTest, UserSetRoundTripsAndOlefileReadsIt) {
    Options.LoadWorksheetSettings();
    ASSERT_FALSE(Options.Faulty) << Prompts.LastText();
    TColumns& transactions = Sets[0].ColInfo;
    transactions[4].Width = 140;
    transactions[4].Title = "A category title much longer than thirty";
    transactions.Exchange(0, 1);
    Grid.FontName = "DejaVu Sans";
    Grid.FontSize = 11;
    ASSERT_TRUE(Options.SaveSet(1));
    Options.SetInUse(1);

    std::array<TGridInfo, 5> fresh = DefaultSets();
    TGridProperties freshGrid;
    TOptionsManager other(Values, Prompts, fresh, freshGrid, Folder.Path.string());
    other.LoadWorksheetSettings();
    ASSERT_FALSE(other.Faulty);
    EXPECT_EQ(fresh[0].ColInfo[4].Width, 140);
    EXPECT_EQ(fresh[0].ColInfo[4].DefaultWidth, 140) << "the saved width becomes the default width";
    EXPECT_EQ(fresh[0].ColInfo[4].Title, "A category title much longer t") << "titles are cut to 30 characters";
    EXPECT_EQ(fresh[0].ColInfo[0].Title, "Date");
    EXPECT_EQ(freshGrid.FontName, "DejaVu Sans");
    EXPECT_EQ(freshGrid.FontSize, 11);

    // The default set still holds the built-in layout.
    ASSERT_TRUE(other.LoadSet(0));
    EXPECT_EQ(fresh[0].ColInfo[0].Title, "No.");

    const auto contents = cfb::testing::ContentsOf(Options.OptionsPath());
    EXPECT_EQ(contents.size(), 14u) << "two storages of six streams";
    EXPECT_EQ(contents.at("User/TransactColumns").size(), 13u * ColumnRecordSize);
    EXPECT_EQ(contents.at("Default/CatColumns").size(), 4u * ColumnRecordSize);
    EXPECT_EQ(contents.at("User/GridProperties").size(), GridPropertiesSize);
    EXPECT_EQ(cfb::testing::OleCheck(Options.OptionsPath(), contents), "OK");
}

TEST_F(OptionsTest, ColourClassesAfterLoading) {
    Sets[0].ColInfo[9].ColorIndex = 17;
    Options.LoadWorksheetSettings();
    // Palette mode draws with palette entries and keeps the colours for the next save.
    Options.Colours = TColourClass::Palette256;
    ASSERT_TRUE(Options.LoadSet(0));
    const TColProperty& credit = Sets[0].ColInfo[9];
    EXPECT_EQ(credit.Color, PaletteIndex(17));
    EXPECT_EQ(credit.ColorHi, PaletteRGB(0xB9, 0xFF, 0xC0));
    ASSERT_TRUE(Options.SaveSet(0));
    Options.Colours = TColourClass::TrueColour;
    ASSERT_TRUE(Options.LoadSet(0));
    EXPECT_EQ(Sets[0].ColInfo[9].Color, PaletteRGB(0xB9, 0xFF, 0xC0));
    // Sixteen colours: fixed text colours on the window colour, whatever is stored.
    Options.Colours = TColourClass::Colours16;
    ASSERT_TRUE(Options.LoadSet(0));
    const struct {
        int View, Column;
        TColour Font;
    } expected[] = {{0, 0, clWindowText}, {0, 9, clGreen},  {0, 10, clRed},  {0, 11, clBlue},
                    {3, 5, clGreen},      {3, 6, clRed},    {3, 4, clBlue},  {4, 0, clWindowText}};
    for (const auto& e : expected) {
        const TColProperty& c = Sets[static_cast<std::size_t>(e.View)].ColInfo[e.Column];
        EXPECT_EQ(c.FontCol, e.Font) << e.View << "/" << c.Title;
        EXPECT_EQ(c.Color, clWindow) << e.View << "/" << c.Title;
    }
    EXPECT_EQ(Sets[0].ColInfo[12].FontCol, clWindowText) << "Memo (slot 12) keeps its stored colours";
}

TEST_F(OptionsTest, AShortStreamIsAReadError) {
    Options.LoadWorksheetSettings();
    {
        std::unique_ptr<cfb::TCompoundFile> file;
        ASSERT_S_OK(cfb::TCompoundFile::Open(Options.OptionsPath(), cfb::StgAccess::ReadWrite, file));
        cfb::TStorage set;
        ASSERT_S_OK(file->Root().OpenStorage("Default", set));
        cfb::TStream stream;
        ASSERT_S_OK(set.OpenStream("GroupColumns", stream));
        ASSERT_S_OK(stream.SetSize(ColumnRecordSize * 6)); // the groups view has seven columns
        ASSERT_S_OK(file->Commit());
    }
    Sets[1].ColInfo[0].Title = "Kept";
    EXPECT_FALSE(Options.LoadSet(0));
    EXPECT_EQ(Prompts.LastText(), ReadErrorText);
    EXPECT_TRUE(Options.Faulty);
    EXPECT_EQ(Sets[1].ColInfo[0].Title, "Kept") << "a failed read leaves the sets as they were";
}

TEST_F(OptionsTest, DisplayChangeSwitchesFilesAndReloads) {
    Options.SetScreenWidth(1024);
    Options.LoadWorksheetSettings();
    Options.SetScreenWidth(800);
    Options.LoadWorksheetSettings();
    Sets[2].ColInfo[1].Width = 99;
    ASSERT_TRUE(Options.SaveSet(0)); // into Options.Dat
    Options.SetScreenWidth(1024);
    Options.DisplayChanged(800);
    EXPECT_EQ(Options.OptionsPath(), Folder.Path.string() + "/Options.Dat");
    Options.DisplayChanged(1280);
    EXPECT_EQ(Options.OptionsPath(), Folder.Path.string() + "/Options1024.Dat");
    EXPECT_EQ(Sets[2].ColInfo[1].Width, 60) << "the 1024 file still holds the built-in width";
}

} // namespace
} // namespace qz::testing
