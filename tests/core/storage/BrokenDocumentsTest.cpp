// A folder of damaged documents, each made here from a good one: every one is refused with
// its message, nothing is left open or loaded, and the file keeps every byte it had.

#include "DocumentFixture.h"

#include <filesystem>
#include <functional>

namespace qz::testing {
namespace {

const std::string ConvertFailedText = "Unable to convert file due to a file error.";

struct Damage {
    std::string Name;
    std::function<void(StreamMap&)> Apply; // on the streams of a good current document
    std::string Message;
};

void ReplaceRecord(StreamMap& s, TRecordStream kind, std::size_t index, const std::string& image) {
    s[RecordStreamNames[kind]].replace(index * RecordSizes[kind], RecordSizes[kind], image);
}

void SetCounts(StreamMap& s, TRecordStream kind, std::int32_t count) {
    TCounts counts = DecodeCounts(reinterpret_cast<const std::uint8_t*>(s["KQ22FileInfo"].data()));
    counts[kind] = count;
    s["KQ22FileInfo"] = CountsImage(counts);
}

std::vector<Damage> Damages() {
    std::vector<Damage> damages;
    auto add = [&](std::string name, std::function<void(StreamMap&)> apply, std::string message = NotADocumentText) {
        damages.push_back({std::move(name), std::move(apply), std::move(message)});
    };
    for (const char* stream :
         {"FileSettings", "Transactions", "MainActs", "SubActs", "Groups", "Categories", "Comments", "KQ22FileInfo"})
        add(std::string("no ") + stream, [stream](StreamMap& s) { s.erase(stream); });
    add("counts block under another name", [](StreamMap& s) {
        s["KQ23FileInfo"] = s["KQ22FileInfo"];
        s.erase("KQ22FileInfo");
    });
    add("counts block of 20 bytes", [](StreamMap& s) { s["KQ22FileInfo"].resize(20); });
    add("settings block of 815 bytes", [](StreamMap& s) { s["FileSettings"].resize(815); });
    add("empty settings block", [](StreamMap& s) { s["FileSettings"].clear(); });
    for (int kind = 0; kind < 6; ++kind) {
        const auto k = static_cast<TRecordStream>(kind);
        add(std::string("one more ") + RecordStreamNames[kind] + " counted than stored",
            [k](StreamMap& s) { SetCounts(s, k, LiveRecords(k, s[RecordStreamNames[k]]) + 1); });
        add(std::string("last live record of ") + RecordStreamNames[kind] + " cut short", [k](StreamMap& s) {
            std::string& data = s[RecordStreamNames[k]];
            std::size_t end = data.size();
            while (IsTombstone(k, reinterpret_cast<const std::uint8_t*>(data.data() + end - RecordSizes[k])))
                end -= RecordSizes[k];
            data.resize(end - 1);
        });
    }
    add("a negative count", [](StreamMap& s) { SetCounts(s, StreamGroups, -1); });
    add("a transaction in a missing category",
        [](StreamMap& s) { ReplaceRecord(s, StreamTrans, 3, Image(Trans(2, 46000, TransCredit, 5, 999, 1))); });
    add("a transaction in a missing sub category",
        [](StreamMap& s) { ReplaceRecord(s, StreamTrans, 3, Image(Trans(2, 46000, TransCredit, 5, 100, 9))); });
    add("a transaction in a missing group",
        [](StreamMap& s) { ReplaceRecord(s, StreamTrans, 3, Image(Trans(2, 46000, TransCredit, 5, 100, 1, 7))); });
    add("a transaction of a missing account",
        [](StreamMap& s) { ReplaceRecord(s, StreamTrans, 3, Image(Trans(2, 46000, TransCredit, 5, 100, 1, 0, 5))); });
    add("an opening balance of a missing account",
        [](StreamMap& s) { ReplaceRecord(s, StreamTrans, 0, Image(Trans(0, 46000, TransOpening, 5, 0, 0, 0, 9))); });
    add("a transfer to a missing account",
        [](StreamMap& s) { ReplaceRecord(s, StreamTrans, 5, Image(Trans(4, 46000, TransTo, 50, 5, 0, 9, 0))); });
    add("a sub category of a missing category",
        [](StreamMap& s) { ReplaceRecord(s, StreamSubActs, 3, Image(SubCategory(999, 1, "Orphan", SideDebit))); });
    // Without accounts a file is taken for the first generation, and has no counts of that
    // generation to convert.
    add(
        "no Books", [](StreamMap& s) { s.erase("Books"); }, ConvertFailedText);
    add(
        "first generation with a short counts block",
        [](StreamMap& s) {
            s.erase("Books");
            s["FileInfo"] = s["KQ22FileInfo"].substr(0, 20) + std::string(7, '\0');
            s.erase("KQ22FileInfo");
        },
        ConvertFailedText);
    add(
        "first generation counting more types than stored",
        [](StreamMap& s) {
            s.erase("Books");
            TCounts counts = DecodeCounts(reinterpret_cast<const std::uint8_t*>(s["KQ22FileInfo"].data()));
            counts[StreamCats] += 5;
            s["FileInfo"] = CountsImage(counts).substr(0, 20) + std::string(8, '\0');
            s.erase("KQ22FileInfo");
        },
        ConvertFailedText);
    return damages;
}

class BrokenDocuments : public DocumentFixture {
protected:
    // Opens the file as the main window does and checks it was refused with `message` alone,
    // leaving nothing open and the file as it was.
    void ExpectRefused(const std::string& path, const std::string& message) {
        const std::string before = FileBytes(path);
        Prompts.Messages.clear();
        EXPECT_FALSE(Convert.OpenDocument(path).Opened);
        EXPECT_EQ(Texts(), std::vector<std::string>{message});
        EXPECT_EQ(Files.IsOpen, 0);
        EXPECT_EQ(Files.Path, "");
        EXPECT_EQ(Ledger.TransList.Count() + Ledger.MainActList.Count() + Ledger.SubActList.Count() +
                      Ledger.GroupList.Count() + Ledger.CatList.Count() + Ledger.BookList.Count(),
                  0);
        EXPECT_EQ(FileBytes(path), before) << "the file keeps every byte";
        EXPECT_FALSE(std::filesystem::exists(cfb::TCompoundFile::JournalPath(path)));
    }
};

TEST_F(BrokenDocuments, EachDamageIsRefusedWithItsMessage) {
    int n = 0;
    for (const Damage& d : Damages()) {
        SCOPED_TRACE(d.Name);
        StreamMap streams = CurrentDocument();
        d.Apply(streams);
        const std::string path = PathOf("Broken" + std::to_string(n++) + ".kqk");
        WriteDocument(path, streams);
        ExpectRefused(path, d.Message);
    }
    // The file manager is none the worse: a good document still opens.
    WriteDocument(PathOf("Good.kqk"), CurrentDocument());
    Prompts.Messages.clear();
    EXPECT_TRUE(Convert.OpenDocument(PathOf("Good.kqk")).Opened);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
    EXPECT_EQ(Ledger.TransList.Count(), 8);
}

TEST_F(BrokenDocuments, FilesThatAreNoCompoundFilesAtAll) {
    std::string good;
    {
        WriteDocument(PathOf("Good.kqk"), CurrentDocument());
        good = FileBytes(PathOf("Good.kqk"));
    }
    const std::pair<const char*, std::string> files[] = {
        {"empty", ""},
        {"text", "This is not a cash book at all.\r\n"},
        {"header only", good.substr(0, 512)},
        {"cut in half", good.substr(0, good.size() / 2)},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const std::string path = PathOf(std::string(name) + ".kqk");
        std::ofstream(path, std::ios::binary) << bytes;
        ExpectRefused(path, NotADocumentText);
    }
    ExpectRefused(PathOf("missing.kqk"), NotADocumentText);
}

// The checks before anything is converted or loaded, and what each of them tells the user.
TEST_F(BrokenDocuments, FilesThatMayNotBeOpened) {
    WriteDocument(PathOf("Shop.kqk"), CurrentDocument());
    ASSERT_TRUE(Convert.OpenDocument(PathOf("Shop.kqk")).Opened);
    Prompts.Messages.clear();
    EXPECT_FALSE(Convert.OpenDocument(PathOf("Shop.kqk")).Opened);
    EXPECT_EQ(Texts(), std::vector<std::string>{"File already open"});
    EXPECT_EQ(Files.IsOpen, 1) << "the open document stays open";
    Prompts.Messages.clear();
    EXPECT_EQ(Convert.ConvertVersion1(PathOf("Shop.kqk")), 3);
    EXPECT_EQ(Texts(), std::vector<std::string>{"File already open"});
    EXPECT_EQ(Ledger.TransList.Count(), 8);
    ASSERT_TRUE(Files.Close(true, true));

    // Held by another program (here: another file manager).
    {
        DocumentOnDisk other(PathOf("Shop.kqk"));
        ASSERT_TRUE(other.Opened);
        const std::string before = FileBytes(PathOf("Shop.kqk"));
        Prompts.Messages.clear();
        EXPECT_FALSE(Convert.OpenDocument(PathOf("Shop.kqk")).Opened);
        EXPECT_EQ(Texts(),
                  std::vector<std::string>{"Unable to access this file.  It may be in use by another application."});
        Prompts.Messages.clear();
        EXPECT_EQ(Convert.ConvertVersion1(PathOf("Shop.kqk")), 3);
        EXPECT_EQ(Texts(),
                  std::vector<std::string>{
                      "Unable to access this file.  It may be a read only file or in use by another application."});
        EXPECT_EQ(FileBytes(PathOf("Shop.kqk")), before);
    }

    // Protected by a password the user does not give: refused without a message.
    StreamMap streams = CurrentDocument();
    TFileSettings settings;
    DecodeSettings(reinterpret_cast<const std::uint8_t*>(streams["FileSettings"].data()), settings);
    settings.ProtectOpen = 1;
    settings.Password = "secret";
    streams["FileSettings"] = SettingsImage(settings);
    WriteDocument(PathOf("Locked.kqk"), streams);
    Questions.PasswordAccepted = false;
    Prompts.Messages.clear();
    EXPECT_FALSE(Convert.OpenDocument(PathOf("Locked.kqk")).Opened);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
    EXPECT_EQ(Questions.PasswordQuestions, 1);
    EXPECT_EQ(Files.IsOpen, 0);
    Questions.PasswordAccepted = true;
    EXPECT_TRUE(Convert.OpenDocument(PathOf("Locked.kqk")).Opened);
    EXPECT_EQ(Questions.PasswordQuestions, 2);
}

} // namespace
} // namespace qz::testing
