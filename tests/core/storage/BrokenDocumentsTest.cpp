// A folder of damaged documents, each made here from a good one: every one is refused with
// its message, nothing is left open or loaded, and the file keeps every byte it had.

#include "DocumentFixture.h"

#include <filesystem>
#include <functional>
#include <limits>

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
    add("a category of a missing type",
        [](StreamMap& s) { ReplaceRecord(s, StreamMainActs, 0, Image(Category(100, "Sales", SideCredit, 13))); });
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

// What can be found out about a document before the open one is closed is found out first:
// a current document that cannot be loaded or linked costs the user nothing they had open.
TEST_F(BrokenDocuments, ARefusedDocumentLeavesTheOpenOneOpen) {
    WriteDocument(PathOf("Good.kqk"), CurrentDocument());
    ASSERT_TRUE(Convert.OpenDocument(PathOf("Good.kqk")).Opened);
    int closed = 0;
    Convert.DocumentClosed = [&] { ++closed; };
    int n = 0;
    for (const Damage& d : Damages()) {
        if (d.Message != NotADocumentText)
            continue; // the older generations are refused by their conversion
        SCOPED_TRACE(d.Name);
        StreamMap streams = CurrentDocument();
        d.Apply(streams);
        const std::string path = PathOf("Broken" + std::to_string(n++) + ".kqk");
        WriteDocument(path, streams);
        Prompts.Messages.clear();
        EXPECT_FALSE(Convert.OpenDocument(path).Opened);
        EXPECT_EQ(Texts(), std::vector<std::string>{NotADocumentText});
        EXPECT_EQ(Files.Path, PathOf("Good.kqk"));
        EXPECT_EQ(Ledger.TransList.Count(), 8);
        if (Files.Path.empty()) {
            ASSERT_TRUE(Convert.OpenDocument(PathOf("Good.kqk")).Opened);
        }
    }
    EXPECT_GT(n, 20);
    EXPECT_EQ(closed, 0);
}

// Transactions too damaged to take into the books: each is left out of the lists and told
// with its number, the rest of the document opens as usual, and the damaged records stay in
// the file byte for byte through edits and the compaction at close.
TEST_F(BrokenDocuments, DamagedTransactionsAreSetAsideAndKept) {
    auto with = [](std::int32_t number, auto change) {
        TTransRec t = Trans(number, 46000, TransCredit, 5, 100, 1);
        change(t);
        return t;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const std::pair<TTransRec, std::string> damaged[] = {
        {with(20, [&](TTransRec& t) { t.Date = nan; }), "transaction 20 (the date is not a valid day)"},
        {with(21, [&](TTransRec& t) { t.Date = inf; }), "transaction 21 (the date is not a valid day)"},
        {with(22, [&](TTransRec& t) { t.Date = -inf; }), "transaction 22 (the date is not a valid day)"},
        {with(23, [&](TTransRec& t) { t.Date = 1e300; }), "transaction 23 (the date is not a valid day)"},
        {with(24, [&](TTransRec& t) { t.Date = EncodeDate(9999, 12, 31) + 1; }),
         "transaction 24 (the date is not a valid day)"},
        {with(25, [&](TTransRec& t) { t.Kind = 0; }), "transaction 25 (kind 0 is unknown)"},
        {with(26, [&](TTransRec& t) { t.Kind = 6; }), "transaction 26 (kind 6 is unknown)"},
        {with(27, [&](TTransRec& t) { t.Kind = 255; }), "transaction 27 (kind 255 is unknown)"},
        {with(28, [&](TTransRec& t) { t.Amount = MaxAmount + Money::FromRaw(1); }),
         "transaction 28 (the amount is beyond the largest a document may hold (10,000,000.00))"},
        {with(29, [&](TTransRec& t) { t.Amount = Money::FromRaw(std::numeric_limits<std::int64_t>::max()); }),
         "transaction 29 (the amount is beyond the largest a document may hold (10,000,000.00))"},
        {with(30, [&](TTransRec& t) { t.Amount = Money::FromRaw(std::numeric_limits<std::int64_t>::min()); }),
         "transaction 30 (the amount is beyond the largest a document may hold (10,000,000.00))"},
        {with(31, [&](TTransRec& t) { t.Gst = Money::FromCents(-1); }), "transaction 31 (the tax is negative)"},
        {with(32, [&](TTransRec& t) { t.Gst = Money::FromUnits(6); }),
         "transaction 32 (the tax is larger than the amount)"},
    };
    StreamMap streams = CurrentDocument();
    const TTransRec largest = with(40, [](TTransRec& t) {
        t.Amount = MaxAmount;
        t.Gst = MaxAmount;
    });
    streams["Transactions"] += Image(largest);
    std::string images;
    for (const auto& [t, text] : damaged)
        images += Image(t);
    streams["Transactions"] += images;
    streams["KQ22FileInfo"] = CountsImage(CountsOf(streams));
    WriteDocument(PathOf("Damaged.kqk"), streams);

    ASSERT_TRUE(Convert.OpenDocument(PathOf("Damaged.kqk")).Opened);
    ASSERT_EQ(Texts().size(), 1u);
    const std::string message = Texts()[0];
    EXPECT_EQ(message.substr(0, message.find('\r')),
              "This file holds 13 damaged transactions. They are left out of the worksheet, the totals, the reports "
              "and the exports, and kept in the file as they are:");
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_NE(message.find("\r" + damaged[i].second), std::string::npos) << damaged[i].second;
    EXPECT_NE(message.find("\rand 3 more."), std::string::npos);
    EXPECT_EQ(Ledger.TransList.Count(), 9) << "the good ones, and the largest amount a document may hold";
    ASSERT_EQ(Ledger.DamagedTrans.size(), std::size(damaged));
    for (std::size_t i = 0; i < std::size(damaged); ++i)
        EXPECT_EQ(DamagedTransText(Ledger.DamagedTrans[i]), damaged[i].second);
    for (const TTransRec* t : Ledger.TransList.KeyList)
        EXPECT_NE(t->Row, -1) << "no good record is hidden: " << t->Number;

    // An edit appends after every record, the damaged ones included; the close compacts the
    // stream and keeps them.
    AddSale(EncodeDate(2026, 3, 9), 12);
    Prompts.QueueAnswer(MsgResult::No);
    ASSERT_TRUE(Files.Close(true, true));
    const std::string stored = cfb::testing::ContentsOf(PathOf("Damaged.kqk"))["Transactions"];
    EXPECT_NE(stored.find(images), std::string::npos) << "the damaged records, byte for byte";
    DocumentOnDisk disk(PathOf("Damaged.kqk"));
    ASSERT_TRUE(disk.Opened);
    EXPECT_EQ(disk.Ledger.TransList.Count(), 10);
    EXPECT_EQ(disk.Ledger.DamagedTrans.size(), std::size(damaged));
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
    EXPECT_EQ(Convert.ConvertDocument(PathOf("Shop.kqk")), 3);
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
        EXPECT_EQ(Convert.ConvertDocument(PathOf("Shop.kqk")), 3);
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

// Documents the fuzzer of the opening found troublesome, in tests/data/document-broken: each
// is refused with a message and leaves nothing open, or opens, and once closed opens again.
TEST_F(BrokenDocuments, FoundByFuzzingOpenOrAreRefused) {
    const std::filesystem::path folder = std::filesystem::path(QZ_TEST_TOOLS) / ".." / "data" / "document-broken";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    bool any = false;
    for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(folder)) {
        any = true;
        SCOPED_TRACE(entry.path().filename().string());
        const std::string path = PathOf(entry.path().filename().string());
        std::filesystem::copy_file(entry.path(), path);
        Prompts.Messages.clear();
        if (!Convert.OpenDocument(path).Opened) {
            EXPECT_EQ(Files.IsOpen, 0);
            ASSERT_FALSE(Prompts.Messages.empty());
            EXPECT_TRUE(Prompts.LastText() == NotADocumentText || Prompts.LastText() == ConvertFailedText)
                << Prompts.LastText();
            continue;
        }
        ASSERT_TRUE(Files.Close(true, true));
        EXPECT_TRUE(Convert.OpenDocument(path).Opened) << Prompts.LastText();
        Files.Close(true, false);
    }
    EXPECT_TRUE(any) << "the folder is empty";
}

} // namespace
} // namespace qz::testing
