#include "DocumentFixture.h"

#include <fstream>

namespace qz::testing {
namespace {

using FileManagerTest = DocumentFixture;

TEST_F(FileManagerTest, NewDocumentHasItsStarterRecordsAndABackup) {
    NewDocument();
    EXPECT_EQ(Files.IsOpen, 1);
    EXPECT_EQ(Ledger.GroupList.Count(), 1);
    EXPECT_EQ(Ledger.CatList.Count(), 12) << "eleven default types and the tax type";
    EXPECT_EQ(Ledger.BookList.Count(), 1);
    EXPECT_EQ(Ledger.BookList.Items(0)->Name, "Zudeduze 1");
    EXPECT_EQ(Ledger.TransList.Count(), 1);
    EXPECT_EQ(Ledger.TransList.Items(0)->Kind, TransOpening);
    EXPECT_GT(Ledger.GstPaymentCat, 0);
    EXPECT_GT(Ledger.GstRefundCat, 0);
    EXPECT_EQ(Ledger.MainActList.NameOfNumber(Ledger.GstRefundCat), "GST");
    EXPECT_TRUE(std::filesystem::exists(PathOf("Shop.~bk")));
    EXPECT_EQ(Questions.TaxQuestions, 1);
    EXPECT_EQ(Questions.CompanyQuestions, 0) << "the names were given";
}

TEST_F(FileManagerTest, ChangesAreWrittenThroughAndSurviveReopening) {
    NewDocument();
    TTransRec* sale = AddSale(EncodeDate(2026, 7, 2), 110);
    sale->Gst = Money::FromUnits(10);
    Ledger.TransList.Changed(Ledger.TransList.IndexOf(sale));
    AddSale(EncodeDate(2026, 7, 3), 55);
    const std::int32_t doomed = Ledger.TransList.Count() - 1;
    Ledger.TransList.Delete(doomed);
    EXPECT_EQ(Files.StreamWritten[StreamTrans], 1);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();

    // Without closing: what is on disk now is what a crash would leave.
    TLedger reread;
    ScriptedPrompts quiet;
    TFileManager other(reread, quiet, Questions, Clock, Drive);
    Files.Close(true, false);
    ASSERT_TRUE(other.Open(PathOf("Shop.kqk"), true));
    ASSERT_EQ(reread.TransList.Count(), 2);
    EXPECT_EQ(reread.TransList.Items(1)->Amount, Money::FromUnits(110));
    EXPECT_EQ(reread.TransList.Items(1)->Gst, Money::FromUnits(10));
}

TEST_F(FileManagerTest, CloseCompactsTheWrittenStreams) {
    NewDocument();
    for (int i = 0; i < 5; ++i)
        AddSale(EncodeDate(2026, 7, 2 + i), 10 + i);
    Ledger.TransList.Delete(2);
    Ledger.TransList.Delete(2);
    std::uint64_t before = 0;
    ASSERT_S_OK(Files.RecordStream(StreamTrans).Size(before));
    EXPECT_EQ(before, 6u * TransRecordSize) << "tombstones stay until the close";
    Prompts.QueueAnswer(MsgResult::No); // no backup
    ASSERT_TRUE(Files.Close(true, true));
    EXPECT_EQ(Prompts.LastText(), "The data in this file has changed.\rUpdate backup file?");
    ASSERT_TRUE(Files.Open(PathOf("Shop.kqk"), true));
    EXPECT_EQ(Ledger.TransList.Count(), 4);
    std::uint64_t after = 0;
    ASSERT_S_OK(Files.RecordStream(StreamTrans).Size(after));
    EXPECT_EQ(after, 4u * TransRecordSize);
}

TEST_F(FileManagerTest, FilesTheOlefileReaderAgreesWith) {
    NewDocument();
    AddSale(EncodeDate(2026, 7, 2), 12.5);
    Files.SetComment("A comment");
    const std::string path = Files.Path;
    Files.Close(true, false);
    const auto contents = cfb::testing::ContentsOf(path);
    EXPECT_EQ(cfb::testing::OleCheck(path, contents), "OK");
    ASSERT_EQ(contents.count("Transactions"), 1u);
    EXPECT_EQ(contents.at("Transactions").size(), 2u * TransRecordSize);
    EXPECT_EQ(contents.at("Comments"), std::string("A comment") + '\0');
    EXPECT_EQ(contents.at("FileSettings").size(), SettingsSize);
    EXPECT_EQ(contents.count("KQ22FileInfo"), 1u);
}

TEST_F(FileManagerTest, CheckFileAnswers) {
    NewDocument();
    EXPECT_EQ(Files.CheckFile(Files.Path), 3);
    EXPECT_EQ(Prompts.LastText(), "File already open");
    std::ofstream(PathOf("junk.kqk")) << "not a compound file at all";
    EXPECT_EQ(Files.CheckFile(PathOf("junk.kqk")), 2);
    EXPECT_EQ(Files.CheckFile(PathOf("missing.kqk")), 2);
}

} // namespace
} // namespace qz::testing
