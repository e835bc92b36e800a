// OK of the options window: what it writes, in which order, what it asks, and what a read-only
// document keeps in memory.

#include "EditFixture.h"

#include "edit/OptionsApply.h"

namespace qz::testing {
namespace {

class OptionsApplyTest : public EditFixture {
protected:
    TOptionsOutcome Apply(const TOptionsEdit& edit) { return ApplyOptions(edit, Files, Ledger, Options, Prompts); }
};

// Nothing changed: nothing reaches the document and nothing is asked.
TEST_F(OptionsApplyTest, NothingChangedWritesNothing) {
    OpenShop();
    const TOptionsEdit edit = OptionsEditOf(Ledger, Files, Options);
    const int writes = Faults.Count(cfb::FaultOp::Write);
    const TOptionsOutcome out = Apply(edit);
    EXPECT_EQ(Faults.Count(cfb::FaultOp::Write), writes);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
    EXPECT_FALSE(out.DocumentSettingsChanged || out.CommentsChanged || out.TaxChanged || out.RecalculationNeeded);
    EXPECT_EQ(out.Result(), 1);
}

// The password, its protections, the comments and the business details go to the document in
// one commit; the switches and options tell the window what to recalculate.
TEST_F(OptionsApplyTest, ChangesReachTheDocumentTogether) {
    OpenShop();
    TOptionsEdit edit = OptionsEditOf(Ledger, Files, Options);
    edit.Password = "secret12345";
    edit.Protections = {false, true, false, false, true, false, false};
    edit.CommentsEdited = true;
    edit.Comments = "new comments";
    edit.BusinessName = "Corner Shop Pty Ltd";
    edit.Options[OptBalanceEndDay] = !edit.Options[OptBalanceEndDay];
    edit.Options[OptAutoBak] = true;
    TOptionsOutcome out = Apply(edit);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
    EXPECT_TRUE(out.DocumentSettingsChanged && out.CommentsChanged && out.RecalculationNeeded);
    EXPECT_EQ(out.Result(), 2);
    EXPECT_TRUE(Options.ReadOption(OptAutoBak));
    EXPECT_TRUE(Files.AutoBackup);
    ASSERT_FALSE(Files.LastChange().empty()) << "the group keeps what it replaced";
    EXPECT_EQ(Files.LastChange().front().Stream, SettingsStreamIndex);

    edit = OptionsEditOf(Ledger, Files, Options);
    edit.UseOpeningBalancesInSelections = true;
    out = Apply(edit);
    EXPECT_EQ(out.Result(), 3);
    EXPECT_TRUE(Ledger.Switches.UseOpeningBalancesInSelections);

    auto disk = Reopened();
    EXPECT_EQ(disk->Files.Settings.Password, "secret12") << "at most 8 characters";
    EXPECT_EQ(disk->Files.Settings.ProtectDelete, 1);
    EXPECT_EQ(disk->Files.Settings.ProtectWorksheet, 1);
    EXPECT_EQ(disk->Files.Settings.ProtectOpen, 0);
    EXPECT_EQ(disk->Files.Settings.BusinessName, "Corner Shop Pty Ltd");
    EXPECT_EQ(disk->Files.Comment(), "new comments");
}

// Changed tax settings are asked about: No keeps the document's tax but the other pages'
// changes; Yes keeps them, with the warning when tracking was switched off.
TEST_F(OptionsApplyTest, TaxSettingsAreAskedAbout) {
    OpenShop();
    TOptionsEdit edit = OptionsEditOf(Ledger, Files, Options);
    edit.Tax.Tracking = TTaxTracking::Vat;
    edit.BusinessNumber = "99";
    Prompts.QueueAnswer(MsgResult::No);
    TOptionsOutcome out = Apply(edit);
    EXPECT_EQ(Texts(),
              std::vector<std::string>{"The GST/VAT settings have changed.  Do you want to keep the new settings?"});
    EXPECT_FALSE(out.TaxChanged);
    EXPECT_EQ(Files.Settings.TaxName, "GST");
    EXPECT_EQ(Files.Settings.BusinessNumber, "99");

    Prompts.Messages.clear();
    edit = OptionsEditOf(Ledger, Files, Options);
    edit.Tax.Tracking = TTaxTracking::Off;
    edit.TaxOffAgreed = true;
    Prompts.QueueAnswer(MsgResult::Yes);
    out = Apply(edit);
    EXPECT_TRUE(out.TaxChanged);
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{"The GST/VAT settings have changed.  Do you want to keep the new settings?",
                                        "You need to close and reopen your file to complete this operation"}));
    auto disk = Reopened();
    EXPECT_EQ(disk->Files.Settings.TaxOn, 0);
    EXPECT_EQ(disk->Files.Settings.BusinessNumber, "99");
}

// A read-only document keeps the changes in memory and says so; so does one whose commit failed.
TEST_F(OptionsApplyTest, ChangesThatCannotBeWrittenStayInMemoryAndAreTold) {
    const std::string readOnlyText =
        "Some of the options for this file have been changed.  Because this file is in read only mode they have not "
        "been saved.  To save, you must save this file using the Save As command from the File menu.";
    WriteDocument(PathOf("Shop.kqk"), CurrentDocument());
    const auto before = cfb::testing::ContentsOf(PathOf("Shop.kqk"));
    OpenShop();
    TOptionsEdit edit = OptionsEditOf(Ledger, Files, Options);
    edit.BusinessName = "Kept in memory";
    Faults.FailAt(cfb::FaultOp::Write, 1, ENOSPC, true);
    Prompts.QueueAnswer(MsgResult::Cancel);
    Apply(edit);
    Faults.Clear();
    ASSERT_EQ(Texts().size(), 3u);
    EXPECT_EQ(Texts()[2], readOnlyText);
    EXPECT_EQ(Files.ReadOnlyMode, 1);
    EXPECT_EQ(Files.Settings.BusinessName, "Kept in memory");

    Prompts.Messages.clear();
    edit.BusinessNumber = "in memory too";
    Apply(edit);
    EXPECT_EQ(Texts(), std::vector<std::string>{readOnlyText});
    Files.Close(true, false);
    EXPECT_EQ(cfb::testing::Differences(cfb::testing::ContentsOf(PathOf("Shop.kqk")), before), "");
}

TEST(NewPassword, ChecksInOrder) {
    EXPECT_EQ(NewPasswordRefusal("Abc", "abc"), "");
    EXPECT_EQ(NewPasswordRefusal("abc", "abd"), "New Password and Confirm Password don't match");
    EXPECT_EQ(NewPasswordRefusal("", ""), "Password not valid");
    EXPECT_EQ(NewPasswordRefusal("a b", "A B"), "Password can't contain spaces");
    EXPECT_TRUE(CanClearPassword("pw", {}));
    EXPECT_FALSE(CanClearPassword("", {}));
    EXPECT_FALSE(CanClearPassword("pw", {false, true, false, false, false, false, false}));
}

} // namespace
} // namespace qz::testing
