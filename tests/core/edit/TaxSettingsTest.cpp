// Tracking GST or VAT: switching, renaming and the checks that go with them, without windows.

#include "EditFixture.h"

#include "edit/GstPercentChange.h"
#include "edit/TaxSettings.h"

namespace qz::testing {
namespace {

using TaxSettingsTest = EditFixture;

const TCatRec* SystemType(const TLedger& l) {
    for (const TCatRec* type : l.CatList.KeyList)
        if (type->Kind == KindGstSystem)
            return type;
    return nullptr;
}

// GST to VAT, then off: the settings, the system type's name and both tax categories' names
// change together and are on disk afterwards.
TEST_F(TaxSettingsTest, SwitchingGstToVatToOff) {
    StreamMap streams = CurrentDocument();
    // No transaction in the tax categories: tracking may be switched off.
    OpenShop(streams);
    ASSERT_FALSE(TaxCategoriesInUse(Ledger, Files.Settings));
    TTaxEdit edit = TaxEditOf(Ledger, Files.Settings);
    EXPECT_EQ(edit.Tracking, TTaxTracking::Gst);
    EXPECT_EQ(edit.CategoryName, "GST");
    EXPECT_FALSE(TaxSettingsChanged(edit, Ledger, Files.Settings));

    edit.Tracking = TTaxTracking::Vat;
    edit.CategoryName = "VAT";
    edit.Percent = Money::FromUnits(20);
    ASSERT_TRUE(TaxSettingsChanged(edit, Ledger, Files.Settings));
    ASSERT_TRUE(ApplyTaxSettings(Files, Ledger, edit));
    {
        auto disk = Reopened();
        EXPECT_EQ(disk->Files.Settings.TaxName, "VAT");
        EXPECT_EQ(disk->Files.Settings.TaxOn, 1);
        EXPECT_EQ(disk->Files.Settings.GstPercent, Money::FromUnits(20));
        EXPECT_EQ(SystemType(disk->Ledger)->Name, "VAT");
        EXPECT_EQ(disk->Ledger.MainActList.FindByNumber(300)->Name, "VAT");
        EXPECT_EQ(disk->Ledger.MainActList.FindByNumber(400)->Name, "VAT");
    }

    ASSERT_TRUE(Convert.OpenDocument(PathOf("Shop.kqk")).Opened);
    edit = TaxEditOf(Ledger, Files.Settings);
    EXPECT_EQ(edit.Tracking, TTaxTracking::Vat);
    edit.Tracking = TTaxTracking::Off;
    edit.OpeningBalance = Money::FromUnits(75);
    ASSERT_TRUE(TaxSettingsChanged(edit, Ledger, Files.Settings));
    ASSERT_TRUE(ApplyTaxSettings(Files, Ledger, edit));
    auto disk = Reopened();
    EXPECT_EQ(disk->Files.Settings.TaxOn, 0);
    EXPECT_EQ(disk->Files.Settings.TaxName, "");
    EXPECT_EQ(disk->Files.Settings.GstPercent, Money::FromUnits(20)) << "the percentage stays while off";
    EXPECT_EQ(disk->Files.Settings.GstOpeningBalance, Money::FromUnits(75));
    EXPECT_EQ(SystemType(disk->Ledger)->Name, "GST/VAT");
}

// Tracking cannot be switched off while a transaction uses a tax category; the words say so.
TEST_F(TaxSettingsTest, SwitchingOffIsRefusedWhileTaxTransactionsExist) {
    StreamMap streams = CurrentDocument();
    streams["Transactions"] += Image(Trans(20, EncodeDate(2026, 3, 9), TransDebit, 300, 300, 1));
    streams["KQ22FileInfo"] = CountsImage(CountsOf(streams));
    OpenShop(streams);
    EXPECT_TRUE(TaxCategoriesInUse(Ledger, Files.Settings));
    EXPECT_EQ(TaxSwitchOffRefusedText("GST"),
              "GST can't be switched off in this file because there are Transactions using the GST payment/refund "
              "Categories.  To be able to switch GST off in this file all Transactions using the GST payment "
              "Category must be deleted or changed.");
    EXPECT_EQ(TaxSwitchOffQuestionText("VAT"),
              "If you switch VAT off in for this file the Transactions will be converted to non VAT Transactions.  "
              "This means VAT related data stored in the Transactions will be lost.  Do you still want to continue?");
}

TEST_F(TaxSettingsTest, RenamingThePaymentsCategory) {
    OpenShop();
    EXPECT_EQ(TaxCategoryRenameRefusal("", Ledger), "The name you have entered is not valid");
    EXPECT_EQ(TaxCategoryRenameRefusal("Rent", Ledger),
              "The name you have chosen is already being used by a Category.  Please choose a different name.");
    EXPECT_EQ(TaxCategoryRenameRefusal("Sales", Ledger), "") << "a credit category's name is free for a debit one";
    EXPECT_EQ(TaxCategoryRenameRefusal("Tax Office", Ledger), "");
}

// Sub categories grouped by percentage (10 % and 10.0 % are one line), the tax categories'
// own left out; a group moved to another percentage in one commit, on disk afterwards.
TEST_F(TaxSettingsTest, BulkPercentageChange) {
    StreamMap streams = CurrentDocument();
    TSubActRec ten = SubCategory(200, 2, "Cleaning", SideDebit);
    ten.GstPercent = Money::FromDouble(10.0);
    TSubActRec taxed = SubCategory(300, 2, "Instalment", SideDebit);
    taxed.GstPercent = Money::FromUnits(10);
    streams["SubActs"] += Image(ten) + Image(taxed);
    streams["KQ22FileInfo"] = CountsImage(CountsOf(streams));
    OpenShop(streams);

    const TDisplayFormats formats(RegionalSettings::Fixed());
    std::vector<std::string> lines;
    for (const TPercentGroup& group : GstPercentGroups(Ledger, Files.Settings))
        lines.push_back(PercentGroupText(group, formats));
    EXPECT_EQ(lines, (std::vector<std::string>{"2 Sub Categories @ 10.00%", "1 Sub Categories @ 0.00%"}));
    EXPECT_EQ(WithTaxName("Change GST percentage to", "VAT"), "Change VAT percentage to");

    EXPECT_EQ(ChangeGstPercent(Files, Ledger, Money::FromUnits(10), Money::FromRaw(125000)), 2);
    EXPECT_EQ(Ledger.SubActList.FindPair(300, 2)->GstPercent, Money::FromUnits(10)) << "tax categories untouched";
    auto disk = Reopened();
    EXPECT_EQ(disk->Ledger.SubActList.FindPair(100, 1)->GstPercent, Money::FromRaw(125000));
    EXPECT_EQ(disk->Ledger.SubActList.FindPair(200, 2)->GstPercent, Money::FromRaw(125000));
    EXPECT_EQ(disk->Ledger.SubActList.FindPair(300, 2)->GstPercent, Money::FromUnits(10));
}

} // namespace
} // namespace qz::testing
