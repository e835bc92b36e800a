// add and delete: transactions entered and deleted through the transaction editor's session,
// read back from the file by the core's own reader; refusals with the editor's messages leave
// the file as it was.

#include "CliSupport.h"

#include "filters/DocumentReader.h"

#include <sys/stat.h>
#include <unistd.h>

namespace qz::clitest {
namespace {

// The records of a document, read back.
struct Stored {
    explicit Stored(const std::string& path) {
        TDocumentReader reader;
        std::string error;
        Ok = reader.Open(path, error) && reader.Load(Ledger, error);
        EXPECT_TRUE(Ok) << error;
    }
    const TTransRec* Find(std::int32_t number, char split = '0') const {
        for (const TTransRec* t : Ledger.TransList.KeyList)
            if (t->Number == number && t->Split == split)
                return t;
        return nullptr;
    }
    TLedger Ledger;
    bool Ok = false;
};

class TransactionCommands : public ::testing::Test {
protected:
    void SetUp() override {
        Path = Folder.File("Shop.kqk");
        WriteStreams(Path, SmallDocument());
    }
    // add FILE with the options every case shares before `more`.
    RunResult Add(std::vector<std::string> more) {
        std::vector<std::string> args = {"add", Path, "--kind", "credit", "--account", "0"};
        args.insert(args.end(), more.begin(), more.end());
        return Cli(args);
    }

    TempFolder Folder;
    std::string Path;
};

TEST_F(TransactionCommands, AddEntersATransactionAndPrintsItsNumber) {
    const RunResult added = Add({"--date", "2026-03-10", "--amount", "110.00", "--category", "100-1", "--reference",
                                 "INV-2", "--memo", "caf\xC3\xA9 sale"});
    ASSERT_EQ(added.Status, 0) << added.Err;
    EXPECT_EQ(added.Out, "7\n");
    EXPECT_EQ(added.Err, "");
    Stored stored(Path);
    const TTransRec* t = stored.Find(7);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->Kind, TransCredit);
    EXPECT_EQ(t->Date, EncodeDate(2026, 3, 10));
    EXPECT_EQ(t->Amount, Money::FromUnits(110));
    EXPECT_EQ(t->Gst, Money::FromUnits(10)) << "the sub category's 10 %";
    EXPECT_EQ(t->Reference, "INV-2");
    EXPECT_EQ(t->Notes, "caf\xE9 sale");
    EXPECT_EQ(t->Reconciled, 1);
    EXPECT_EQ(Cli({"check", Path}).Status, 0);

    const RunResult second = Cli({"add", Path, "--kind", "debit", "--date", "2026-03-11", "--amount", "55",
                                  "--category", "200-1", "--account", "1", "--group", "0", "--unreconciled"});
    ASSERT_EQ(second.Status, 0) << second.Err;
    EXPECT_EQ(second.Out, "8\n");
    Stored again(Path);
    ASSERT_TRUE(again.Find(8));
    EXPECT_EQ(again.Find(8)->Kind, TransDebit);
    EXPECT_EQ(again.Find(8)->Reconciled, 0);
    EXPECT_EQ(again.Find(8)->Book, 1);
}

TEST_F(TransactionCommands, TheTaxIsTypedOrWorkedOutAtHalfCentsToEven) {
    const struct {
        std::vector<std::string> Options;
        Money Gst;
    } cases[] = {
        {{"--amount", "1.23", "--gst-percent", "20"}, Money::FromCents(20)}, // 0.205 to the even cent
        {{"--amount", "1.29", "--gst-percent", "20"}, Money::FromCents(22)},
        {{"--amount", "50", "--gst", "4.55"}, Money::FromCents(455)},
        {{"--amount", "50", "--gst-percent", "0"}, Money()},
    };
    std::int32_t number = 7;
    for (const auto& c : cases) {
        std::vector<std::string> options = {"--date", "2026-03-10", "--category", "100-1"};
        options.insert(options.end(), c.Options.begin(), c.Options.end());
        const RunResult added = Add(options);
        ASSERT_EQ(added.Status, 0) << added.Err;
        EXPECT_EQ(added.Out, std::to_string(number) + "\n");
        EXPECT_EQ(Stored(Path).Find(number)->Gst, c.Gst) << c.Options[1];
        ++number;
    }
}

TEST_F(TransactionCommands, EachSplitStartsTheNextSplitsFields) {
    const RunResult added =
        Add({"--date",   "2026-03-12", "--reference", "MIX",        "--amount", "30",        "--category", "100-1",
             "--split",  "--amount",   "20",          "--category", "400-1",    "--account", "1",          "--split",
             "--amount", "5",          "--category",  "100-1",      "--gst",    "0"});
    ASSERT_EQ(added.Status, 0) << added.Err;
    EXPECT_EQ(added.Out, "7\n");
    Stored stored(Path);
    const TTransRec* a = stored.Find(7, 'A');
    const TTransRec* b = stored.Find(7, 'B');
    const TTransRec* c = stored.Find(7, 'C');
    ASSERT_TRUE(a && b && c);
    EXPECT_FALSE(stored.Find(7));
    EXPECT_EQ(a->Amount, Money::FromUnits(30));
    EXPECT_EQ(a->Gst, Money::FromUnits(3) - Money::FromCents(27)); // 30 at 10 %: 2.73
    EXPECT_EQ(b->MainAct, 400);
    EXPECT_EQ(b->Book, 1);
    EXPECT_EQ(b->Gst, Money()) << "the tax category's sub category has no percentage";
    EXPECT_EQ(c->Book, 0) << "the first split's account";
    EXPECT_EQ(c->Gst, Money());
    for (const TTransRec* t : {a, b, c}) {
        EXPECT_EQ(t->Date, EncodeDate(2026, 3, 12));
        EXPECT_EQ(t->Reference, "MIX");
    }
}

// The editor gives each part its own account and date: check takes such a split as sound.
TEST_F(TransactionCommands, ASplitOverTwoAccountsAndDaysPassesTheCheck) {
    const RunResult added = Add({"--date", "2026-03-12", "--amount", "30", "--category", "100-1", "--split", "--amount",
                                 "20", "--category", "100-1", "--account", "1", "--date", "2026-03-13"});
    ASSERT_EQ(added.Status, 0) << added.Err;
    Stored stored(Path);
    ASSERT_TRUE(stored.Find(7, 'B'));
    EXPECT_EQ(stored.Find(7, 'B')->Book, 1);
    EXPECT_EQ(stored.Find(7, 'B')->Date, EncodeDate(2026, 3, 13));
    const RunResult checked = Cli({"check", Path});
    EXPECT_EQ(checked.Status, 0) << checked.Out << checked.Err;
}

TEST_F(TransactionCommands, ARefusedFieldGivesTheEditorsMessageAndChangesNothing) {
    const std::string before = FileBytes(Path);
    const struct {
        std::vector<std::string> Options;
        const char* Error;
    } cases[] = {
        {{"--date", "2026-03-10", "--amount", "0", "--category", "100-1"}, "Amount not valid!"},
        {{"--date", "2026-03-10", "--amount", "-5", "--category", "100-1"}, "Amount not valid!"},
        {{"--date", "2026-03-10", "--amount", "5", "--category", "200-1"}, "Category not valid!"},
        {{"--date", "2026-03-10", "--amount", "5", "--category", "100-9"}, "Sub Category not valid!"},
        {{"--date", "2026-02-28", "--amount", "5", "--category", "100-1"},
         "The date you have entered is less than the Opening Balance date for the Account you have selected.  If "
         "you want this Transaction to be in this Account you must enter a date greater than or equal to "
         "'01/03/2026'"},
        {{"--date", "2026-03-10", "--amount", "5", "--category", "100-1", "--gst", "5"},
         "The GST amount cannot be greater than the total amount of the Transaction"},
        {{"--date", "2026-03-10", "--amount", "5", "--category", "100-1", "--split", "--amount", "0", "--category",
          "100-1"},
         "Amount not valid!"},
        {{"--date", "2026-03-10", "--amount", "5", "--category", "100-1", "--group", "3"}, "there is no group 3"},
        {{"--date", "2026-03-10", "--amount", "5,5", "--category", "100-1"},
         "--amount takes an amount such as 110.00, not \"5,5\""},
        {{"--date", "10/03/2026", "--amount", "5", "--category", "100-1"},
         "--date takes a date as YYYY-MM-DD, not \"10/03/2026\""},
        {{"--date", "2026-03-10", "--amount", "5", "--category", "100"},
         "--category takes a category and sub category number such as 100-2, not \"100\""},
        {{"--date", "2026-03-10", "--amount", "5"}, "--category is missing"},
        {{"--date", "2026-03-10", "--amount", "5", "--category", "100-1", "--gst", "1", "--gst-percent", "5"},
         "--gst and --gst-percent exclude each other"},
        {{"--date", "2026-03-10", "--amount", "5", "--category", "100-1", "--gst-percent", "101"},
         "--gst-percent takes a percentage from 0 to 100, not \"101\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Error);
        const RunResult refused = Add(c.Options);
        EXPECT_EQ(refused.Status, 1);
        EXPECT_EQ(refused.Out, "");
        const std::vector<std::string> lines = refused.ErrLines();
        ASSERT_FALSE(lines.empty());
        EXPECT_NE(lines.back().find(c.Error), std::string::npos) << lines.back();
        EXPECT_EQ(FileBytes(Path), before);
    }
    const RunResult noKind =
        Cli({"add", Path, "--date", "2026-03-10", "--amount", "5", "--category", "100-1", "--account", "0"});
    EXPECT_EQ(noKind.Status, 1);
    EXPECT_EQ(noKind.ErrLines().back(), "zudeduze-cli: error: --kind is missing");
}

TEST_F(TransactionCommands, DeleteRemovesEverySplitOfTheNumber) {
    const RunResult deleted = Cli({"delete", Path, "6"});
    ASSERT_EQ(deleted.Status, 0) << deleted.Err;
    EXPECT_EQ(deleted.Out, "transaction 6 deleted (2 records)\n");
    Stored stored(Path);
    EXPECT_FALSE(stored.Find(6, 'A'));
    EXPECT_FALSE(stored.Find(6, 'B'));
    EXPECT_TRUE(stored.Find(2));
    EXPECT_EQ(Cli({"check", Path}).Status, 0);

    const std::string before = FileBytes(Path);
    for (const char* number : {"4", "6", "99"}) {
        const RunResult refused = Cli({"delete", Path, number});
        EXPECT_EQ(refused.Status, 1);
        EXPECT_EQ(refused.ErrLines().back(),
                  "zudeduze-cli: error: " + Path + ": there is no credit or debit transaction numbered " + number);
    }
    EXPECT_EQ(FileBytes(Path), before);
}

TEST_F(TransactionCommands, AProtectedDocumentNeedsThePassword) {
    StreamMap streams = SmallDocument();
    TFileSettings settings;
    {
        TDocumentReader reader;
        std::string error;
        ASSERT_TRUE(reader.Open(Path, error)) << error;
        settings = reader.Settings();
    }
    settings.Password = "pw";
    settings.ProtectAdd = 1;
    settings.ProtectDelete = 1;
    streams["FileSettings"] = SettingsImage(settings);
    WriteStreams(Path, streams);
    const std::string before = FileBytes(Path);
    const std::vector<std::string> sale = {"--date", "2026-03-10", "--amount", "5", "--category", "100-1"};

    RunResult refused = Add(sale);
    EXPECT_EQ(refused.Status, 1);
    EXPECT_EQ(refused.ErrLines().back(), "zudeduze-cli: error: " + Path +
                                             ": adding transactions is protected by the document's password: give "
                                             "it with --password");
    std::vector<std::string> wrong = sale;
    wrong.insert(wrong.end(), {"--password", "PW"});
    refused = Add(wrong);
    EXPECT_NE(refused.ErrLines().back().find("wrong password"), std::string::npos);
    refused = Cli({"delete", Path, "2"});
    EXPECT_NE(refused.ErrLines().back().find("deleting transactions is protected"), std::string::npos);
    EXPECT_EQ(FileBytes(Path), before);

    std::vector<std::string> right = sale;
    right.insert(right.end(), {"--password", "pw"});
    EXPECT_EQ(Add(right).Status, 0);
    EXPECT_EQ(Cli({"delete", Path, "2", "--password", "pw"}).Status, 0);
}

TEST_F(TransactionCommands, AFileThatMayNotBeWrittenIsRefused) {
    if (::getuid() == 0)
        GTEST_SKIP() << "the superuser may write any file";
    ASSERT_EQ(::chmod(Path.c_str(), 0444), 0);
    const RunResult refused = Add({"--date", "2026-03-10", "--amount", "5", "--category", "100-1"});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_NE(refused.ErrLines().back().find("cannot be changed: the file may not be written"), std::string::npos);
}

} // namespace
} // namespace qz::clitest
