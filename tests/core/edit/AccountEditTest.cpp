// The accounts window's operations: accounts with their opening balances, their order, and
// deletions with what they take along or refuse.

#include "EditOperationsFixture.h"

#include "edit/AccountEdit.h"
#include "engine/Engine.h"

namespace qz::testing {
namespace {

using AccountEdit = EditOperations;

std::int32_t AccountNamed(const TLedger& l, const std::string& name) {
    for (std::int32_t i = 0; i < l.BookList.Count(); ++i)
        if (l.BookList.Items(i)->Name == name)
            return i;
    return -1;
}

TEST(AccountColours, RepeatEveryTen) {
    EXPECT_EQ(DefaultAccountColour(0), RGBColour(0, 128, 0));
    EXPECT_EQ(DefaultAccountColour(9), RGBColour(231, 1, 133));
    EXPECT_EQ(DefaultAccountColour(10), DefaultAccountColour(0)) << "the eleventh account";
}

TEST_F(AccountEdit, ANewAccountComesWithItsOpeningBalance) {
    TAccountFields fields = NewAccountFields(Ledger, EncodeDate(2026, 4, 2) + 0.75);
    EXPECT_EQ(fields.Colour, DefaultAccountColour(2));
    fields.Name = " Savings ";
    fields.OpeningBalance = Money::FromUnits(-250);
    const TEditOutcome added = AddAccount(Edit, fields);
    ASSERT_TRUE(added.Done());
    const TBookRec* savings = Ledger.BookList.Items(added.Index);
    EXPECT_EQ(savings->Name, "Savings");
    EXPECT_EQ(savings->Number, 2);
    EXPECT_EQ(savings->Row, 2);
    ASSERT_NE(savings->OpeningTrans, nullptr);
    EXPECT_EQ(savings->OpeningTransNo, 7) << "the next transaction number";
    EXPECT_EQ(savings->OpeningTrans->Kind, TransOpening);
    EXPECT_EQ(savings->OpeningTrans->Amount, Money::FromUnits(-250));
    EXPECT_EQ(savings->OpeningTrans->Date, EncodeDate(2026, 4, 2)) << "a whole day";
    EXPECT_TRUE(added.Refresh & RefreshTotals && added.Refresh & RefreshAccounts);

    fields = AccountFieldsOf(*savings);
    fields.OpeningBalance = Money::FromUnits(75);
    fields.Date = EncodeDate(2026, 1, 1);
    fields.Colour = RGBColour(1, 2, 3);
    const TEditOutcome changed = ChangeAccount(Edit, added.Index, fields);
    ASSERT_TRUE(changed.Done());
    EXPECT_EQ(savings->OpeningTrans->Amount, Money::FromUnits(75));
    EXPECT_EQ(Ledger.TransList.Items(0), savings->OpeningTrans) << "the earliest now, in date order";
    RefreshAfterEdit(Ledger, changed.Refresh);
    AccountTotals(Ledger, true);
    EXPECT_EQ(savings->Balance(), Money::FromUnits(75));
    ExpectStoredAsInMemory();
}

TEST_F(AccountEdit, RefusedFieldsChangeNothing) {
    const std::string before = ListsText(Ledger);
    TAccountFields fields = NewAccountFields(Ledger, EncodeDate(2026, 4, 2));
    auto with = [&](const char* name, Money opening, TDateTime date) {
        TAccountFields f = fields;
        f.Name = name;
        f.OpeningBalance = opening;
        f.Date = date;
        return f;
    };
    const TDateTime day = EncodeDate(2026, 4, 2);
    struct Case {
        const char* What;
        std::function<TEditOutcome()> Run;
        std::vector<std::string> Messages;
    } cases[] = {
        {"no name", [&] { return AddAccount(Edit, with(" ", Money(), day)); }, {"Account name ''' not valid!"}},
        {"a name in use",
         [&] { return AddAccount(Edit, with("cash ", Money(), day)); },
         {"Account name 'cash' is already in use."}},
        {"another's name",
         [&] { return ChangeAccount(Edit, 0, with("CASH", Money::FromUnits(1000), day)); },
         {"Account name 'CASH' is already in use."}},
        {"more than a document holds",
         [&] { return AddAccount(Edit, with("Loan", Money::FromUnits(-10'000'001), day)); },
         {"The opening balance is beyond the largest amount a document may hold (10,000,000.00)."}},
        {"no day",
         [&] { return AddAccount(Edit, with("Loan", Money(), -800000)); },
         {"The starting date is not a valid day."}},
    };
    for (const Case& c : cases) {
        Prompts.Messages.clear();
        EXPECT_EQ(c.Run().Result, TEditResult::Refused) << c.What;
        EXPECT_EQ(Texts(), c.Messages) << c.What;
        EXPECT_EQ(ListsText(Ledger), before) << c.What;
    }
}

// Cheque holds sales, a split part and the transfer out; Cash holds rent and the transfer in.
TEST_F(AccountEdit, DeletionsAskAndRefuseInOrder) {
    const std::string usedText =
        "The Account 'Spare' is currently in use by one or more Transactions.  Deleting this Account will also "
        "delete these Transactions.\r\rAre you sure you want to delete this Account?";
    const std::string transferText =
        "The Account 'Cash' is currently being used in a Transfer.  Before you can delete this Account you must "
        "delete all Transfers it is used in.";
    TAccountFields spare = NewAccountFields(Ledger, EncodeDate(2026, 3, 1));
    spare.Name = "Spare";
    ASSERT_TRUE(AddAccount(Edit, spare).Done());
    TTransRec* sale = AddSale(EncodeDate(2026, 3, 5), 40);
    sale->Book = 2;
    LinkTransaction(Ledger, *sale);
    Ledger.TransList.Changed(Ledger.TransList.IndexOf(sale));
    const std::string before = ListsText(Ledger);
    struct Case {
        const char* What;
        const char* Account;
        std::vector<MsgResult> Answers;
        bool CtrlDelete;
        std::vector<std::string> Messages;
    } cases[] = {
        {"No to the first question",
         "Spare",
         {MsgResult::No},
         true,
         {"Are you sure you want to delete Account 'Spare'?"}},
        {"a transfer",
         "Cash",
         {MsgResult::Yes},
         true,
         {"Are you sure you want to delete Account 'Cash'?", transferText}},
        {"No to the second question",
         "Spare",
         {MsgResult::Yes, MsgResult::No},
         true,
         {"Are you sure you want to delete Account 'Spare'?", usedText}},
        {"Delete without Ctrl",
         "Spare",
         {MsgResult::Yes, MsgResult::Yes},
         false,
         {"Are you sure you want to delete Account 'Spare'?", usedText}},
    };
    for (const Case& c : cases) {
        Prompts.Messages.clear();
        for (MsgResult answer : c.Answers)
            Prompts.QueueAnswer(answer);
        Dialogs.Answers = {c.CtrlDelete};
        EXPECT_EQ(DeleteAccount(Edit, AccountNamed(Ledger, c.Account)).Result, TEditResult::Refused) << c.What;
        EXPECT_EQ(Texts(), c.Messages) << c.What;
        EXPECT_EQ(ListsText(Ledger), before) << c.What;
    }
    EXPECT_EQ(Prompts.Messages.back().Kind, MsgKind::Warning);
}

// A split whose parts lie in two accounts is refused before the transfer is looked at.
TEST_F(AccountEdit, ASplitSharedWithAnotherAccountIsRefusedFirst) {
    TTransRec* partB = nullptr;
    for (TTransRec* t : Ledger.TransList.KeyList)
        if (t->Number == 6 && t->Split == 'B')
            partB = t;
    ASSERT_NE(partB, nullptr);
    partB->Book = 1;
    LinkTransaction(Ledger, *partB);
    Ledger.TransList.Changed(Ledger.TransList.IndexOf(partB));
    Prompts.Messages.clear();
    EXPECT_EQ(DeleteAccount(Edit, AccountNamed(Ledger, "Cash")).Result, TEditResult::Refused);
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           "Are you sure you want to delete Account 'Cash'?",
                           "The Account 'Cash' is currently being used in one or more split Transactions which are "
                           "split between different Books.  You must remove or change all split Transactions that "
                           "involve other Accounts before you can delete this Account."}));
}

TEST_F(AccountEdit, DeletingTakesEveryTransactionOfTheAccount) {
    TAccountFields fields = NewAccountFields(Ledger, EncodeDate(2026, 3, 1));
    fields.Name = "Spare";
    fields.OpeningBalance = Money::FromUnits(500);
    ASSERT_TRUE(AddAccount(Edit, fields).Done());
    TAccountFields only = fields;
    only.Name = "Only an opening";
    ASSERT_TRUE(AddAccount(Edit, only).Done());
    TTransRec* sale = AddSale(EncodeDate(2026, 3, 5), 40);
    sale->Book = 2;
    LinkTransaction(Ledger, *sale);
    Ledger.TransList.Changed(Ledger.TransList.IndexOf(sale));
    Recalculate(Ledger);
    const Money refundsBefore = Ledger.MainActList.FindByNumber(400)->Total;

    Prompts.Messages.clear();
    ASSERT_TRUE(DeleteAccount(Edit, AccountNamed(Ledger, "Only an opening")).Done());
    EXPECT_EQ(Texts(), std::vector<std::string>{"Are you sure you want to delete Account 'Only an opening'?"});
    EXPECT_EQ(Dialogs.Asked, 0);

    const TEditOutcome deleted = DeleteAccount(Edit, AccountNamed(Ledger, "Spare"));
    ASSERT_TRUE(deleted.Done());
    EXPECT_EQ(Dialogs.Asked, 1);
    for (const TTransRec* t : Ledger.TransList.KeyList)
        EXPECT_NE(t->Book, 2) << t->Number;
    EXPECT_EQ(Ledger.BookList.Count(), 2);
    EXPECT_TRUE(deleted.Refresh & RefreshTotals);
    RefreshAfterEdit(Ledger, deleted.Refresh);
    EXPECT_EQ(Ledger.MainActList.FindByNumber(400)->Total, refundsBefore - Money::FromUnits(40));
    ExpectStoredAsInMemory();
}

TEST_F(AccountEdit, TheOrderOfTheRowsIsStored) {
    TAccountFields fields = NewAccountFields(Ledger, EncodeDate(2026, 3, 1));
    fields.Name = "Savings";
    ASSERT_TRUE(AddAccount(Edit, fields).Done());
    std::vector<TBookRec*> rows = Ledger.BookList.KeyList;
    EXPECT_EQ(MoveAccountRow(rows, 2, true), 1);
    EXPECT_EQ(MoveAccountRow(rows, 1, true), 0);
    EXPECT_EQ(MoveAccountRow(rows, 0, true), 0) << "not above the first";
    EXPECT_EQ(MoveAccountRow(rows, 2, false), 2) << "nor below the last";
    const TEditOutcome stored = StoreAccountOrder(Edit, rows);
    ASSERT_TRUE(stored.Done());
    EXPECT_EQ(Ledger.BookList.Items(0)->Name, "Savings");
    EXPECT_EQ(Ledger.BookList.Items(0)->Row, 0);
    EXPECT_EQ(Ledger.BookList.Items(2)->Row, 2);
    // On the day both openings share, Savings's now comes first.
    const TTransRec* first = Ledger.TransList.Items(0);
    EXPECT_EQ(first->Book, 2);
    EXPECT_EQ(StoreAccountOrder(Edit, rows).Result, TEditResult::Unchanged);
    std::vector<TBookRec*> notTheSame = {rows[0], rows[1]};
    EXPECT_EQ(StoreAccountOrder(Edit, notTheSame).Result, TEditResult::Refused);

    const std::string memory = ListsText(Ledger);
    auto disk = Reopened();
    EXPECT_EQ(ListsText(disk->Ledger), memory);
    EXPECT_EQ(disk->Ledger.BookList.Items(0)->Name, "Savings");
}

} // namespace
} // namespace qz::testing
