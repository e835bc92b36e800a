// The transaction editor's session on the corner shop: the kind, the lists, a new
// transaction's defaults, the category rules, the checks in their order, saving (asked and
// forced) with every split in one commit, splits, the arrows, deleting, and sub categories
// and groups made on the fly. What the file holds is read back after every change that counts.

#include "TransactionSessionFixture.h"

#include "edit/GroupEdit.h"
#include "edit/SubCategoryEdit.h"

namespace qz::testing {
namespace {

const TDateTime March1 = EncodeDate(2026, 3, 1);
const TDateTime March6 = EncodeDate(2026, 3, 6);

class TransactionSession : public TransactionSessionFixture {};

// ---- The kind --------------------------------------------------------------------------------------

TEST_F(TransactionSession, TheKindIsAskedOnlyWhenBothSidesHaveCategories) {
    TTransactionSession& s = Session();
    TransDialogs.Kinds = {1};
    ASSERT_TRUE(s.Open(TTransMode::New, -1));
    EXPECT_EQ(TransDialogs.Asked, std::vector<std::string>{"New Transaction|Select Transaction Kind"});
    EXPECT_EQ(s.Kind(), TransDebit);
    EXPECT_EQ(s.KindText(), "Debit Transaction");
    EXPECT_EQ(s.KindFontColour(), RGBColour(255, 255, 255));

    TransDialogs.Kinds = {-1};
    EXPECT_FALSE(Session().Open(TTransMode::New, -1));
    EXPECT_TRUE(Prompts.Messages.empty());
}

TEST_F(TransactionSession, OneSideWithoutCategoriesGivesTheOtherKindWithItsMessage) {
    // Without tax tracking the tax payments category is no debit category.
    Files.Settings.TaxOn = 0;
    Ledger.MainActList.FindByNumber(200)->Side = SideCredit;
    TTransactionSession& s = Session();
    ASSERT_TRUE(s.Open(TTransMode::New, -1));
    EXPECT_TRUE(TransDialogs.Asked.empty());
    EXPECT_EQ(s.Kind(), TransCredit);
    EXPECT_EQ(Prompts.LastText(), "This Transaction can only be an Credit Transaction because no Debit Categories "
                                  "exist.  To create some Debit Categories, click the 'Categories' button in the "
                                  "main Quillmar Zudeduze window.");
    EXPECT_EQ(Prompts.Messages.back().Kind, MsgKind::Information);

    Ledger.MainActList.FindByNumber(100)->Side = 0;
    Ledger.MainActList.FindByNumber(200)->Side = 0;
    EXPECT_FALSE(Session().Open(TTransMode::New, -1));
    EXPECT_EQ(Prompts.LastText(), "The are no Categories set up, you need to set up some Categories before you can "
                                  "enter any Transactions.  Click the 'Categories' button to create some.");
}

// ---- The lists -------------------------------------------------------------------------------------

std::vector<std::string> ItemTexts(const std::vector<TComboItem>& items) {
    std::vector<std::string> texts;
    for (const TComboItem& item : items)
        texts.push_back(item.Text);
    return texts;
}

TEST_F(TransactionSession, ListsShowNumbersOrSortedNames) {
    ASSERT_TRUE(AddGroup(Edit, "Office").Done());
    ASSERT_TRUE(AddGroup(Edit, "Markets").Done());
    using V = std::vector<std::string>;
    for (bool numbers : {false, true}) {
        SCOPED_TRACE(numbers);
        TTransactionSession& s = Session({true, false, true, numbers});
        ASSERT_TRUE(s.Open(TTransMode::New, -1));
        s.SetCategory(100);
        const std::vector<TComboItem> categories = s.CategoryList();
        EXPECT_EQ(ItemTexts(categories), (numbers ? V{"100 - Sales", "400 - GST"} : V{"GST", "Sales"}));
        EXPECT_EQ(categories[numbers ? 1 : 0].Picture, TComboPicture::Gst);
        EXPECT_EQ(ItemTexts(s.SubCategoryList()), (numbers ? V{"100-1 - Counter"} : V{"Counter"}));
        EXPECT_EQ(ItemTexts(s.GroupList()), (numbers ? V{"G0 - General <default>", "G1 - Office", "G2 - Markets"}
                                                     : V{"General <default>", "Markets", "Office"}));
        EXPECT_EQ(s.DetailLabel(), numbers ? "100 - Sales, 100-1 - Counter" : "Sales, Counter");
    }
    // Without tax tracking the tax category is out of the list; with VAT it carries that picture.
    Files.Settings.TaxName = "VAT";
    EXPECT_EQ(CategoryItems(Ledger, {true, "VAT"}, SideCredit, false).front().Picture, TComboPicture::Vat);
    EXPECT_EQ(ItemTexts(CategoryItems(Ledger, {false, "VAT"}, SideCredit, false)), std::vector<std::string>{"Sales"});
}

// ---- A new transaction -------------------------------------------------------------------------------

TEST_F(TransactionSession, ANewTransactionStartsFromTheOptions) {
    const struct {
        TTransactionOptions Options;
        TDateTime Date;
        bool Reconciled;
        bool PercentMode;
    } cases[] = {
        // The end of the worksheet's dates, unreconciled, the tax typed in.
        {{false, true, false, false}, EncodeDate(2026, 3, 5), false, false},
        // Today, reconciled, the tax worked out.
        {{true, false, true, false}, EncodeDate(2026, 7, 1), true, true},
    };
    for (const auto& c : cases) {
        TTransactionSession& s = Session(c.Options);
        ASSERT_TRUE(s.Open(TTransMode::New, -1));
        const TSplitFields& f = s.Fields();
        EXPECT_EQ(f.Date, c.Date);
        EXPECT_EQ(f.Reconciled, c.Reconciled);
        EXPECT_EQ(f.Gst.PercentMode, c.PercentMode);
        EXPECT_FALSE(f.Category);
        EXPECT_EQ(f.Group, 0);
        EXPECT_EQ(f.Account, 0); // the first account selected in the account bar
        EXPECT_EQ(s.Caption(), "New Transaction");
        EXPECT_EQ(s.NumberText(), "7");
        EXPECT_TRUE(s.Modified());
        const TTransButtons b = s.Buttons();
        EXPECT_TRUE(b.Back);
        EXPECT_FALSE(b.Forward);
        EXPECT_FALSE(b.Delete);
        EXPECT_TRUE(b.Split);
        EXPECT_FALSE(b.AddSplit);
        EXPECT_FALSE(b.Unlock);
    }
    Ledger.BookList.Items(0)->Selected = 0;
    ASSERT_TRUE(Session().Open(TTransMode::New, -1));
    EXPECT_EQ(Made->Fields().Account, 1);
}

// ---- The category rules and the tax panel ----------------------------------------------------------------

TEST_F(TransactionSession, TheCategoryRuleChoosesASoleSubCategoryAndTheTaxPanelFollows) {
    TTransactionSession& s = Session();
    ASSERT_TRUE(s.Open(TTransMode::New, -1));
    s.SetAmount(Money::FromUnits(110));
    EXPECT_FALSE(s.SetCategory(100));
    EXPECT_EQ(s.Fields().SubCategory, 1);
    // The sub category's 10 % works the tax out of the amount.
    EXPECT_EQ(s.Fields().Gst.Percent, Money::FromUnits(10));
    EXPECT_EQ(s.Fields().Gst.Gst, Money::FromUnits(10));
    EXPECT_EQ(s.Fields().Gst.BeforeGst, Money::FromUnits(100));
    EXPECT_TRUE(s.GstPanelVisible());
    EXPECT_EQ(s.BeforeGstLabel(), "Before GST");

    s.SetCategory(400); // the tax refunds category
    EXPECT_FALSE(s.GstPanelVisible());
    EXPECT_EQ(s.Fields().Gst.Gst, Money()); // its sub category has no percentage

    ASSERT_TRUE(AddSubCategory(Edit, Ledger.MainActList.IndexOfNumber(100), {"Online", Money(), ""}).Done());
    EXPECT_TRUE(s.SetCategory(100)) << "two sub categories: the list drops open";
    EXPECT_FALSE(s.Fields().SubCategory);
    EXPECT_EQ(s.DetailLabel(), "Sales, ");
    EXPECT_FALSE(s.SetCategory(std::nullopt));
    EXPECT_EQ(s.DetailLabel(), "");
    EXPECT_FALSE(s.Buttons().NewSubCategory);
}

TEST_F(TransactionSession, TheTogglesRememberTheTypedTax) {
    TTransactionSession& s = Session({true, false, false, false}); // the tax typed in
    ASSERT_TRUE(s.Open(TTransMode::New, -1));
    Enter(s, 100, 1, 0, March6, 110);
    s.SetGst(Money::FromUnits(7));
    s.GstAmountExit();
    EXPECT_EQ(s.Fields().Gst.BeforeGst, Money::FromUnits(103));
    s.SetPercentMode(true);
    EXPECT_EQ(s.Fields().Gst.Gst, Money::FromUnits(10));
    s.StepPercent(true);
    EXPECT_EQ(s.Fields().Gst.Percent, Money::FromDouble(10.1));
    EXPECT_EQ(s.Fields().Gst.Gst, Money::FromDouble(10.09));
    s.SetPercentMode(false);
    EXPECT_EQ(s.Fields().Gst.Gst, Money::FromUnits(7));
    EXPECT_EQ(s.Fields().Gst.BeforeGst, Money::FromUnits(103));
}

// ---- Checks ---------------------------------------------------------------------------------------------

TEST_F(TransactionSession, ChecksRefuseInOrderWithTheirMessagesAndFocus) {
    ASSERT_TRUE(AddSubCategory(Edit, Ledger.MainActList.IndexOfNumber(100), {"Online", Money(), ""}).Done());
    TTransactionSession& s = Session({true, false, false, false});
    ASSERT_TRUE(s.Open(TTransMode::New, -1));
    s.SetAccount(std::nullopt);
    s.SetDate(March1 - 1);
    const std::int32_t count = Ledger.TransList.Count();
    const struct {
        const char* Text;
        TTransField Focus;
        std::function<void()> Fix;
    } steps[] = {
        {"Category not valid!", TTransField::Category, [&] { s.SetCategory(100); }},
        {"Sub Category not valid!", TTransField::SubCategory, [&] { s.SetSubCategory(1); }},
        {"You must select an Account for this Transaction", TTransField::Account, [&] { s.SetAccount(0); }},
        // The picker is put on the opening balance's date by the refusal itself.
        {"The date you have entered is less than the Opening Balance date for the Account you have selected.  If "
         "you want this Transaction to be in this Account you must enter a date greater than or equal to "
         "'01/03/2026'",
         TTransField::Date, [] {}},
        {"Amount not valid!", TTransField::Amount,
         [&] {
             s.SetAmount(Money::FromUnits(10));
             s.SetGst(Money::FromUnits(10));
         }},
        {"The GST amount cannot be greater than the total amount of the Transaction", TTransField::Amount,
         [&] { s.SetGst(Money::FromUnits(11)); }},
        {"The GST amount cannot be greater than the total amount of the Transaction", TTransField::Amount,
         [&] { s.SetAmount(Money::FromDouble(10'000'000.01)); }},
        {"The amount is beyond the largest a Transaction may hold (10,000,000.00).", TTransField::Amount,
         [&] {
             s.SetAmount(Money::FromUnits(10));
             s.SetGst(Money::FromUnits(-1));
         }},
        {"The GST amount cannot be less than 0.", TTransField::GstAmount, [&] { s.SetGst(Money::FromUnits(1)); }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Text);
        Prompts.Messages.clear();
        EXPECT_EQ(s.Save(true), TSaveAnswer::Cancel);
        ASSERT_EQ(Prompts.Messages.size(), 1u);
        EXPECT_EQ(Prompts.Messages[0].Text, step.Text);
        EXPECT_EQ(Prompts.Messages[0].Kind, MsgKind::Warning);
        EXPECT_EQ(Prompts.Messages[0].Buttons, MsgButtons::Ok);
        EXPECT_EQ(s.Focus(), step.Focus);
        EXPECT_EQ(Ledger.TransList.Count(), count);
        step.Fix();
    }
    EXPECT_EQ(s.Fields().Date, March1);
    EXPECT_EQ(s.Save(true), TSaveAnswer::Yes) << Prompts.LastText();
    EXPECT_EQ(Find(7)->Gst, Money::FromUnits(1));
    ExpectStoredAsInMemory();
}

TEST_F(TransactionSession, TheOpeningBalanceDateIsComparedByWholeDays) {
    Ledger.BookList.Items(0)->OpeningTrans->Date = March1 + 0.75;
    TTransactionSession& s = Session();
    ASSERT_TRUE(s.Open(TTransMode::New, -1));
    Enter(s, 100, 1, 0, March1 - 0.1, 11);
    EXPECT_EQ(s.Save(true), TSaveAnswer::Cancel);
    EXPECT_EQ(s.Fields().Date, March1);
    EXPECT_EQ(s.Focus(), TTransField::Date);
    s.SetDate(March1 + 0.25);
    ASSERT_EQ(s.Save(true), TSaveAnswer::Yes) << Prompts.LastText();
    EXPECT_EQ(Find(7)->Date, March1) << "stored as a whole day";
}

// ---- Saving ---------------------------------------------------------------------------------------------

TEST_F(TransactionSession, ANewTransactionIsStoredWithEveryField) {
    TTransactionSession& s = Session();
    TransDialogs.Kinds = {0};
    ASSERT_TRUE(s.Open(TTransMode::New, -1));
    Enter(s, 100, 1, 1, March6 + 0.4, 110);
    s.SetReference("INV-0123456789-ABCDEFGHIJ");
    s.SetNotes(std::string(300, 'n'));
    const Money salesBefore = Ledger.MainActList.FindByNumber(100)->Total;
    ASSERT_TRUE(s.OK());
    const TTransRec* t = Find(7);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->Kind, TransCredit);
    EXPECT_EQ(t->Date, March6);
    EXPECT_EQ(t->Book, 1);
    EXPECT_EQ(t->MainAct, 100);
    EXPECT_EQ(t->SubAct, 1);
    EXPECT_EQ(t->Group, 0);
    EXPECT_EQ(t->Amount, Money::FromUnits(110));
    EXPECT_EQ(t->Gst, Money::FromUnits(10));
    EXPECT_EQ(t->Reference, "INV-0123456789-ABCDE");
    EXPECT_EQ(t->Notes, std::string(243, 'n'));
    EXPECT_EQ(t->Reconciled, 1);
    EXPECT_EQ(t->InSelection, 1);
    EXPECT_EQ(t->SubActRec, Ledger.SubActList.FindPair(100, 1));
    EXPECT_EQ(Ledger.MainActList.FindByNumber(100)->Total, salesBefore + Money::FromUnits(110));
    EXPECT_TRUE(s.Result().Saved && s.Result().NewRecordsAdded && s.Result().ClosedWithOK);
    EXPECT_EQ(s.Mode(), TTransMode::Index);
    EXPECT_EQ(s.Position(), IndexOf(7));
    // Without tax tracking no tax is stored.
    Files.Settings.TaxOn = 0;
    NewSale(Session(), March6, 55);
    EXPECT_EQ(Find(8)->Gst, Money());
    ExpectStoredAsInMemory();
}

TEST_F(TransactionSession, TheAskedSaveNamesTheTransactionAndNoOrCancelStoreNothing) {
    TTransactionSession& s = Session();
    s.Open(TTransMode::Index, IndexOf(2));
    ASSERT_TRUE(s.Unlock());
    s.SetNotes("changed");
    Prompts.QueueAnswer(MsgResult::Cancel);
    s.Arrow(true);
    EXPECT_EQ(Prompts.LastText(), "Save changes to current Transaction?");
    EXPECT_EQ(Prompts.Messages.back().Buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(s.Position(), IndexOf(2)) << "Cancel stays";
    EXPECT_TRUE(s.Modified());
    EXPECT_EQ(Find(2)->Notes, "first sale");
    Prompts.QueueAnswer(MsgResult::Yes);
    s.Arrow(true);
    EXPECT_EQ(Find(2)->Notes, "changed");
    EXPECT_EQ(s.Position(), IndexOf(3));

    const std::string before = ListsText(Ledger);
    ASSERT_TRUE(s.New());
    Enter(s, 100, 1, 0, March6, 5);
    Prompts.QueueAnswer(MsgResult::No);
    s.Arrow(true);
    EXPECT_EQ(Prompts.LastText(), "Save new Transaction?");
    EXPECT_EQ(ListsText(Ledger), before);
    ExpectStoredAsInMemory();
}

TEST_F(TransactionSession, LeavingWithoutSavingKeepsTheStoredTransaction) {
    const std::string before = ListsText(Ledger);
    TTransactionSession& s = Session();
    s.Open(TTransMode::Index, IndexOf(3));
    EXPECT_TRUE(s.Locked());
    s.SetAmount(Money::FromUnits(1)); // locked: not taken
    EXPECT_FALSE(s.Modified());
    ASSERT_TRUE(s.Unlock());
    s.SetAmount(Money::FromUnits(1));
    s.AmountExit();
    EXPECT_TRUE(s.Modified());
    Made.reset(); // "&Cancel"
    EXPECT_EQ(ListsText(Ledger), before);
    ExpectStoredAsInMemory();
}

// ---- Splits -----------------------------------------------------------------------------------------------

class TransactionSplits : public TransactionSessionFixture {
protected:
    // A new sale of splits A 30, B 20 and C 10 (C in the tax refunds category and the second
    // account), saved; its number.
    std::int32_t ThreeSplitSale(TTransactionSession& s) {
        TransDialogs.Kinds = {0};
        EXPECT_TRUE(s.Open(TTransMode::New, -1));
        Enter(s, 100, 1, 0, March6, 30);
        s.Split();
        Enter(s, 100, 1, 0, March6, 20);
        s.AddSplit();
        Enter(s, 400, 1, 1, March6, 10);
        EXPECT_EQ(s.Tabs(), (std::vector<char>{'A', 'B', 'C'}));
        EXPECT_EQ(s.Total(), Money::FromUnits(60));
        const std::int32_t number = s.Working().front().Record.Number;
        EXPECT_TRUE(s.OK()) << Prompts.LastText();
        return number;
    }
};

TEST_F(TransactionSplits, ASplitDeletedBeforeSavingLeavesTheOthersLetteredAgain) {
    const std::int32_t number = ThreeSplitSale(Session());
    const TTransRec* storedC = Find(number, 'C');
    ASSERT_TRUE(Find(number, 'A') && Find(number, 'B') && storedC);

    TTransactionSession& s = Session();
    s.Open(TTransMode::Index, IndexOf(number, 'B'));
    EXPECT_EQ(s.Tab(), 1);
    EXPECT_EQ(s.NumberText(), std::to_string(number) + "B");
    EXPECT_EQ(s.KindText(), "Split Credit Transaction");
    ASSERT_TRUE(s.Unlock());
    Prompts.QueueAnswer(MsgResult::Yes);
    ASSERT_TRUE(s.DeleteSplit());
    EXPECT_EQ(Prompts.LastText(), "Delete Split B.");
    EXPECT_EQ(s.Tabs(), (std::vector<char>{'A', 'B'}));
    EXPECT_EQ(s.Tab(), 0);
    EXPECT_EQ(s.Total(), Money::FromUnits(40));
    ASSERT_TRUE(s.OK()) << Prompts.LastText();

    EXPECT_FALSE(Find(number, 'C'));
    ASSERT_TRUE(Find(number, 'B'));
    EXPECT_EQ(Find(number, 'B'), storedC) << "the old C record became B";
    EXPECT_EQ(Find(number, 'B')->Amount, Money::FromUnits(10));
    EXPECT_EQ(Find(number, 'B')->MainAct, 400);
    EXPECT_EQ(Find(number, 'A')->Amount, Money::FromUnits(30));
    EXPECT_EQ(s.Result().Deleted, 1);
    const std::string memory = ListsText(Ledger);
    auto disk = Reopened();
    ASSERT_TRUE(disk->Opened);
    EXPECT_EQ(ListsText(disk->Ledger), memory);
    std::string splits;
    for (const TTransRec* t : disk->Ledger.TransList.KeyList)
        if (t->Number == number)
            splits += t->Split;
    EXPECT_EQ(splits, "AB");
}

TEST_F(TransactionSplits, OneSplitLeftIsUnsplitAndTheEleventhIsRefused) {
    TTransactionSession& s = Session();
    ASSERT_TRUE(s.Open(TTransMode::New, -1));
    Enter(s, 100, 1, 0, March6, 30);
    s.Split();
    EXPECT_EQ(s.Tabs(), (std::vector<char>{'A', 'B'}));
    EXPECT_EQ(s.Tab(), 1);
    EXPECT_EQ(s.Focus(), TTransField::Category);
    for (int i = 0; i < 9; ++i)
        s.AddSplit();
    EXPECT_EQ(s.Tabs().size(), 10u);
    EXPECT_EQ(s.Tabs().back(), 'J');
    EXPECT_FALSE(s.Buttons().AddSplit);

    for (int i = 0; i < 8; ++i) {
        Prompts.QueueAnswer(MsgResult::Yes);
        ASSERT_TRUE(s.DeleteSplit());
    }
    Prompts.QueueAnswer(MsgResult::No);
    EXPECT_FALSE(s.DeleteSplit());
    EXPECT_EQ(s.Tabs().size(), 2u);
    Prompts.QueueAnswer(MsgResult::Yes);
    ASSERT_TRUE(s.DeleteSplit());
    EXPECT_TRUE(s.Tabs().empty());
    EXPECT_EQ(s.NumberText(), "7");
    EXPECT_EQ(s.KindText(), "Credit Transaction");
    EXPECT_TRUE(s.Buttons().Split);
    EXPECT_FALSE(s.Buttons().DeleteSplit);
    Enter(s, 100, 1, 0, March6, 30);
    ASSERT_TRUE(s.OK()) << Prompts.LastText();
    EXPECT_TRUE(Find(7, '0'));
    ExpectStoredAsInMemory();
}

TEST_F(TransactionSplits, ReconciledIsOneValueForTheWholeTransaction) {
    TTransactionSession& s = Session({true, true, true, false}); // new transactions unreconciled
    const std::int32_t number = ThreeSplitSale(s);
    for (char split : {'A', 'B', 'C'})
        EXPECT_EQ(Find(number, split)->Reconciled, 0);
    TTransactionSession& again = Session();
    again.Open(TTransMode::Index, IndexOf(number, 'B'));
    ASSERT_TRUE(again.Unlock());
    again.SetReconciled(true);
    again.ChangeTab(0);
    EXPECT_TRUE(again.Fields().Reconciled);
    ASSERT_TRUE(again.OK());
    for (char split : {'A', 'B', 'C'})
        EXPECT_EQ(Find(number, split)->Reconciled, 1) << split;
    ExpectStoredAsInMemory();
}

TEST_F(TransactionSplits, ChangingTabsOfALockedTransactionIsOnlyLooking) {
    const std::int32_t number = ThreeSplitSale(Session());
    TTransactionSession& s = Session();
    s.Open(TTransMode::Index, IndexOf(number, 'A'));
    s.ChangeTab(2);
    EXPECT_EQ(s.Fields().Category, 400);
    EXPECT_EQ(s.Fields().Account, 1);
    EXPECT_FALSE(s.Modified());
    EXPECT_TRUE(s.Locked());
    EXPECT_FALSE(s.Buttons().AddSplit);
    ASSERT_TRUE(s.Unlock());
    s.ChangeTab(1);
    EXPECT_TRUE(s.Modified());
    EXPECT_TRUE(s.Buttons().AddSplit);
}

// ---- The arrows ------------------------------------------------------------------------------------------

TEST_F(TransactionSession, ArrowsSkipOtherSplitsTransfersAndOpeningBalances) {
    NewSale(Session(), March6, 9); // 7, after both parts of 6
    TTransactionSession& s = Session();
    s.Open(TTransMode::Index, IndexOf(2));
    EXPECT_FALSE(s.Buttons().Back) << "only opening balances lie before";
    const struct {
        bool Forward;
        std::int32_t Number;
        char Split;
    } steps[] = {{true, 3, '0'}, {true, 6, 'A'}, {true, 7, '0'}, {false, 6, 'B'}, {false, 3, '0'}, {false, 2, '0'}};
    for (const auto& step : steps) {
        s.Arrow(step.Forward);
        EXPECT_EQ(s.Position(), IndexOf(step.Number, step.Split)) << step.Number << step.Split;
        EXPECT_TRUE(s.Locked());
    }
    s.Arrow(false);
    EXPECT_EQ(s.Position(), IndexOf(2));
    s.Open(TTransMode::Index, IndexOf(7));
    EXPECT_FALSE(s.Buttons().Forward);
    s.Open(TTransMode::Row, Find(3)->Row); // a double-click on a row of the Transactions view
    EXPECT_EQ(s.Position(), IndexOf(3));
    EXPECT_TRUE(Prompts.Messages.empty()) << "nothing modified, nothing asked";
}

TEST_F(TransactionSession, NoToANewTransactionReturnsToTheOneShownBefore) {
    const struct {
        std::int32_t OpenedOn; // -1: opened for a new transaction
        bool Forward;
        std::int32_t Number;
        char Split;
    } cases[] = {{3, true, 3, '0'}, {3, false, 3, '0'}, {7, false, 6, 'B'}, {-1, true, 2, '0'}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.OpenedOn);
        TTransactionSession& s = Session();
        if (c.OpenedOn >= 0) {
            s.Open(TTransMode::Index, c.OpenedOn == 7 ? IndexOf(6, 'B') : IndexOf(c.OpenedOn));
            ASSERT_TRUE(s.New());
        } else {
            ASSERT_TRUE(s.Open(TTransMode::New, -1));
        }
        Prompts.QueueAnswer(MsgResult::No);
        s.Arrow(c.Forward);
        EXPECT_EQ(s.Position(), IndexOf(c.Number, c.Split));
        EXPECT_EQ(s.Caption(), "Transactions");
    }
}

// ---- Deleting --------------------------------------------------------------------------------------------

TEST_F(TransactionSession, DeletingAsksTwiceAndRemovesEverySplitInOneCommit) {
    Protect(TAccessArea::Deleting);
    TTransactionSession& s = Session();
    s.Open(TTransMode::Index, IndexOf(6, 'B'), 100);
    const std::string before = ListsText(Ledger);
    EXPECT_FALSE(s.DeleteTransaction());
    EXPECT_EQ(PasswordsAsked, 1);
    EXPECT_TRUE(Prompts.Messages.empty());
    PasswordGiven = true;
    Prompts.QueueAnswer(MsgResult::No);
    EXPECT_FALSE(s.DeleteTransaction());
    EXPECT_EQ(Prompts.LastText(), "Delete this Transaction.");
    EXPECT_EQ(Prompts.Messages.back().Buttons, MsgButtons::YesNoCancel);
    Prompts.QueueAnswer(MsgResult::Yes);
    Dialogs.Answers = {false};
    EXPECT_FALSE(s.DeleteTransaction());
    EXPECT_EQ(Dialogs.Asked, 1);
    EXPECT_EQ(ListsText(Ledger), before);

    Prompts.QueueAnswer(MsgResult::Yes);
    ASSERT_TRUE(s.DeleteTransaction());
    EXPECT_FALSE(Find(6, 'A'));
    EXPECT_FALSE(Find(6, 'B'));
    EXPECT_EQ(s.Position(), IndexOf(3)) << "the nearest earlier transaction is shown";
    EXPECT_TRUE(s.Locked());
    EXPECT_EQ(s.Result().Deleted, 2);
    EXPECT_EQ(s.Result().DeletedAbove, 2);
    EXPECT_TRUE(s.Result().Saved && s.Result().AmountsChanged);
    std::size_t transactionImages = 0;
    for (const auto& image : Files.LastChange())
        transactionImages += image.Stream == StreamTrans && !image.Added;
    EXPECT_EQ(transactionImages, 2u) << "both parts in the one commit";
    ExpectStoredAsInMemory();
}

TEST_F(TransactionSession, AfterDeletingTheNextTransactionIsShownOrNone) {
    TTransactionSession& s = Session();
    s.Open(TTransMode::Index, IndexOf(2), 0);
    Prompts.QueueAnswer(MsgResult::Yes);
    ASSERT_TRUE(s.DeleteTransaction());
    EXPECT_EQ(s.Position(), IndexOf(3)) << "no earlier one: the next later one";
    EXPECT_EQ(s.Result().DeletedAbove, 0);
    for (int left : {2, 1}) {
        Prompts.QueueAnswer(MsgResult::Yes);
        ASSERT_TRUE(s.DeleteTransaction()) << left;
    }
    EXPECT_FALSE(s.NumbersVisible());
    EXPECT_EQ(s.Position(), -1);
    EXPECT_FALSE(s.Buttons().Delete);
    EXPECT_TRUE(s.Buttons().New);
    EXPECT_EQ(Ledger.TransList.OrdinaryBounds().first, -1);
    Prompts.Messages.clear();
    Session().Open(TTransMode::Index, 0);
    Made->FormShow();
    EXPECT_EQ(Prompts.LastText(), "There are no Transactions.  Click the 'New' button to create some.");
    ExpectStoredAsInMemory();
}

// ---- Sub categories and groups made on the fly -------------------------------------------------------------

TEST_F(TransactionSession, SubCategoriesAndGroupsAreMadeOnTheFly) {
    Protect(TAccessArea::Adding);
    TTransactionSession& s = Session();
    ASSERT_TRUE(s.Open(TTransMode::New, -1));
    s.SetCategory(100);
    TransDialogs.Names = {{true, " counter ", Money()}};
    EXPECT_FALSE(s.NewSubCategory());
    EXPECT_EQ(Prompts.LastText(), "The Sub Category name 'counter' is already in use.");
    TransDialogs.Names = {{true, " Online ", Money::FromUnits(5)}};
    ASSERT_TRUE(s.NewSubCategory());
    EXPECT_EQ(TransDialogs.Asked.back(), "New Sub Category|Enter new Sub Category name|10.0000");
    const TSubActRec* online = Ledger.SubActList.FindPair(100, 2);
    ASSERT_TRUE(online);
    EXPECT_EQ(online->Name, "Online");
    EXPECT_EQ(online->GstPercent, Money::FromUnits(5));
    EXPECT_EQ(s.Fields().SubCategory, 2);
    EXPECT_EQ(s.Fields().Gst.Percent, Money::FromUnits(5));
    EXPECT_EQ(s.Focus(), TTransField::SubCategory);

    // A tax category's new sub category takes no percentage.
    s.SetCategory(400);
    TransDialogs.Names = {{true, "Quarterly", Money::FromUnits(5)}};
    ASSERT_TRUE(s.NewSubCategory());
    EXPECT_EQ(TransDialogs.Asked.back(), "New Sub Category|Enter new Sub Category name|-1.0000");
    EXPECT_EQ(Ledger.SubActList.FindPair(400, 2)->GstPercent, Money());

    TransDialogs.Names = {{true, "general", Money()}};
    EXPECT_FALSE(s.NewGroup());
    TransDialogs.Names = {{true, "Markets", Money()}};
    ASSERT_TRUE(s.NewGroup());
    EXPECT_EQ(TransDialogs.Asked.back(), "New Group|Enter new Group name|-1.0000");
    EXPECT_EQ(s.Fields().Group, 1);
    EXPECT_EQ(Ledger.GroupList.Find(1)->Name, "Markets");
    EXPECT_EQ(PasswordsAsked, 0) << "the editor's own access check covers them";
    EXPECT_TRUE(s.Result().Saved);
    ExpectStoredAsInMemory();
}

} // namespace
} // namespace qz::testing
