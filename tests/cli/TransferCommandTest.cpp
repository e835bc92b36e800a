// transfer: a pair of transactions entered through the transfer window's own operation, read
// back from the file by the core's reader; refusals with the window's messages leave the file
// as it was.

#include "CliSupport.h"

#include "filters/DocumentReader.h"

namespace qz::clitest {
namespace {

class TransferCommand : public ::testing::Test {
protected:
    void SetUp() override {
        Path = Folder.File("Shop.kqk");
        WriteStreams(Path, SmallDocument());
    }
    RunResult Transfer(std::vector<std::string> more) {
        std::vector<std::string> args = {"transfer", Path};
        args.insert(args.end(), more.begin(), more.end());
        return Cli(args);
    }

    TempFolder Folder;
    std::string Path;
};

TEST_F(TransferCommand, EntersBothHalvesAndMovesTheBalances) {
    const auto before = InfoBalances(Cli({"info", Path}).Out);
    ASSERT_EQ(before.at("Cheque"), "$1,110.00");
    ASSERT_EQ(before.at("Cash"), "-$200.00");
    const RunResult moved = Transfer({"--from-account", "1", "--to-account", "0", "--date", "2026-03-20", "--amount",
                                      "120.50", "--reference", "BANKED", "--memo", "caf\xC3\xA9 takings"});
    ASSERT_EQ(moved.Status, 0) << moved.Err;
    EXPECT_EQ(moved.Out, "7 8\n");
    EXPECT_EQ(moved.Err, "");

    TDocumentReader reader;
    TLedger ledger;
    std::string error;
    ASSERT_TRUE(reader.Open(Path, error) && reader.Load(ledger, error)) << error;
    const TTransRec* out = nullptr;
    const TTransRec* in = nullptr;
    for (const TTransRec* t : ledger.TransList.KeyList) {
        if (t->Number == 7)
            out = t;
        if (t->Number == 8)
            in = t;
    }
    ASSERT_TRUE(out && in);
    EXPECT_EQ(out->Kind, TransTo);
    EXPECT_EQ(in->Kind, TransFrom);
    EXPECT_EQ(std::make_tuple(out->Book, out->Group, out->MainAct),
              std::make_tuple(std::int16_t(1), std::uint16_t(0), 8));
    EXPECT_EQ(std::make_tuple(in->Book, in->Group, in->MainAct), std::make_tuple(std::int16_t(0), std::uint16_t(1), 7));
    for (const TTransRec* t : {out, in}) {
        EXPECT_EQ(t->Date, EncodeDate(2026, 3, 20));
        EXPECT_EQ(t->Amount, Money::FromCents(12050));
        EXPECT_EQ(t->Reference, "BANKED");
        EXPECT_EQ(t->Reconciled, 1);
    }
    EXPECT_EQ(out->Notes, "caf\xE9 takings");
    EXPECT_EQ(in->Notes, "") << "the notes stay on the Transfer To half";
    EXPECT_EQ(Cli({"check", Path}).Status, 0);

    const auto after = InfoBalances(Cli({"info", Path}).Out);
    EXPECT_EQ(after.at("Cheque"), "$1,230.50");
    EXPECT_EQ(after.at("Cash"), "-$320.50");
}

TEST_F(TransferCommand, ARefusalGivesTheWindowsMessageAndChangesNothing) {
    const std::string before = FileBytes(Path);
    const struct {
        std::vector<std::string> Options;
        std::string Error;
    } cases[] = {
        {{"--from-account", "0", "--to-account", "1", "--date", "2026-02-27", "--amount", "5"},
         "The Transfer Date you have entered is less than the Opening Balance Date for the 'Cheque' Account.  You "
         "must use a date greater than or equal to 01/03/2026."},
        {{"--from-account", "0", "--to-account", "1", "--date", "2026-03-10", "--amount", "0"},
         "You must enter an amount grater than $0.00 for a Transfer"},
        {{"--from-account", "0", "--to-account", "1", "--date", "2026-03-10", "--amount", "-3"},
         "You must enter an amount grater than $0.00 for a Transfer"},
        {{"--from-account", "0", "--to-account", "1", "--date", "2026-03-10", "--amount", "10000000.01"},
         "The amount is beyond the largest a Transfer may hold (10,000,000.00)."},
        {{"--from-account", "1", "--to-account", "1", "--date", "2026-03-10", "--amount", "5"},
         "The money must be transferred to a different Account from the one it comes from."},
        {{"--from-account", "0", "--to-account", "9", "--date", "2026-03-10", "--amount", "5"},
         Path + ": there is no account 9"},
        {{"--from-account", "0", "--date", "2026-03-10", "--amount", "5"}, "--to-account is missing"},
        {{"--from-account", "0", "--to-account", "1", "--date", "2026-03-10", "--amount", "5.x"},
         "--amount takes an amount such as 110.00, not \"5.x\""},
        {{"--from-account", "0", "--to-account", "1", "--date", "10/03/2026", "--amount", "5"},
         "--date takes a date as YYYY-MM-DD, not \"10/03/2026\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Error);
        const RunResult refused = Transfer(c.Options);
        EXPECT_EQ(refused.Status, 1);
        EXPECT_EQ(refused.Out, "");
        ASSERT_FALSE(refused.ErrLines().empty());
        EXPECT_EQ(refused.ErrLines().back(), "zudeduze-cli: error: " + c.Error);
        EXPECT_EQ(FileBytes(Path), before);
    }
}

TEST_F(TransferCommand, AProtectedDocumentNeedsThePasswordForAdding) {
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
    streams["FileSettings"] = SettingsImage(settings);
    WriteStreams(Path, streams);
    const std::string before = FileBytes(Path);
    const std::vector<std::string> move = {"--from-account", "0",          "--to-account", "1",
                                           "--date",         "2026-03-10", "--amount",     "5"};
    const RunResult refused = Transfer(move);
    EXPECT_EQ(refused.Status, 1);
    EXPECT_EQ(refused.ErrLines().back(), "zudeduze-cli: error: " + Path +
                                             ": adding transfers is protected by the document's password: give it "
                                             "with --password");
    EXPECT_EQ(FileBytes(Path), before);
    std::vector<std::string> right = move;
    right.insert(right.end(), {"--password", "pw"});
    const RunResult moved = Transfer(right);
    EXPECT_EQ(moved.Status, 0) << moved.Err;
    EXPECT_EQ(moved.Out, "7 8\n");
}

} // namespace
} // namespace qz::clitest
