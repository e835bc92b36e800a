// The transfer window's operations: a pair of transactions made, changed and deleted together,
// each half naming the other, in date order, read back the same from the file; the refusals
// with their messages; the password areas; a pair that lost its partner.

#include "EditOperationsFixture.h"

#include "edit/AccountEdit.h"
#include "edit/TransactionOrder.h"
#include "edit/TransferEdit.h"
#include "engine/Engine.h"

namespace qz::testing {
namespace {

const TDateTime March = EncodeDate(2026, 3, 1); // both accounts of the shop open on this day
TDateTime April15() {
    return EncodeDate(2026, 4, 15);
}

// Every stored field of the transfer halves, in number order.
std::string TransfersText(const TLedger& l) {
    std::vector<const TTransRec*> halves;
    for (const TTransRec* t : l.TransList.KeyList)
        if (t->IsTransfer())
            halves.push_back(t);
    std::sort(halves.begin(), halves.end(), [](auto* a, auto* b) { return a->Number < b->Number; });
    std::ostringstream out;
    for (const TTransRec* t : halves)
        out << t->Number << " kind " << int(t->Kind) << " date " << t->Date << " book " << t->Book << " other "
            << t->Group << " partner " << t->MainAct << " amount " << t->Amount.Raw() << " ref " << t->Reference.View()
            << " notes " << t->Notes << " reconciled " << int(t->Reconciled) << '\n';
    return out.str();
}

class TransferEdit : public EditOperations {
protected:
    TTransferFields Fields(std::int32_t from, std::int32_t to, TDateTime date, double amount) const {
        TTransferFields f;
        f.FromAccount = from;
        f.ToAccount = to;
        f.Date = date;
        f.Amount = Money::FromDouble(amount);
        return f;
    }

    // Both halves of every pair name each other and their accounts, and the key order is date order.
    void ExpectPairsHold(const TLedger& l) const {
        EXPECT_TRUE(InOrder(l.TransList.KeyList, 1));
        for (std::int32_t i = 0; i < l.TransferList.Count(); ++i) {
            const TTransferRec& pair = *l.TransferList.Item(i);
            ASSERT_TRUE(pair.FromTrans) << i;
            EXPECT_EQ(pair.ToTrans->MainAct, pair.FromTrans->Number);
            EXPECT_EQ(pair.FromTrans->MainAct, pair.ToTrans->Number);
            EXPECT_EQ(pair.ToTrans->Book, pair.FromTrans->Group);
            EXPECT_EQ(pair.FromTrans->Book, pair.ToTrans->Group);
            EXPECT_EQ(pair.ToTrans->BookRec, l.BookList.Find(pair.ToTrans->Book));
            EXPECT_EQ(pair.ToTrans->OtherBookRec, l.BookList.Find(pair.ToTrans->Group));
            EXPECT_EQ(pair.FromTrans->OtherBookRec, l.BookList.Find(pair.FromTrans->Group));
        }
    }

    // The file read back after a crash-like close: the same records, the pairs whole.
    void ExpectReopenedAsInMemory() {
        const std::string lists = ListsText(Ledger);
        const std::string transfers = TransfersText(Ledger);
        auto disk = Reopened();
        ASSERT_TRUE(disk->Opened);
        LinkRecords(disk->Ledger);
        disk->Ledger.TransList.SortByKey();
        EXPECT_EQ(ListsText(disk->Ledger), lists);
        EXPECT_EQ(TransfersText(disk->Ledger), transfers);
        ExpectPairsHold(disk->Ledger);
    }

    TDisplayFormats Formats;
};

TEST_F(TransferEdit, ANewTransferIsAPairOfConsecutiveNumbersNamingEachOther) {
    TTransferFields fields = Fields(1, 0, EncodeDate(2026, 3, 3) + 0.4, 75.5);
    fields.Reference = "MOVE-123456789012345678"; // 23 characters
    fields.Notes = "float back to the bank";
    const TEditOutcome added = AddTransfer(Edit, fields, Formats);
    ASSERT_TRUE(added.Done()) << Prompts.LastText();
    EXPECT_TRUE(added.Refresh & RefreshTotals);
    EXPECT_EQ(TransfersText(Ledger),
              "4 kind 5 date 46085 book 0 other 1 partner 5 amount 500000 ref  notes  reconciled 1\n"
              "5 kind 4 date 46085 book 1 other 0 partner 4 amount 500000 ref  notes  reconciled 1\n"
              "7 kind 5 date 46084 book 1 other 0 partner 8 amount 755000 ref MOVE-123456789012345 notes float "
              "back to the bank reconciled 1\n"
              "8 kind 4 date 46084 book 0 other 1 partner 7 amount 755000 ref MOVE-123456789012345 notes  "
              "reconciled 1\n");
    ASSERT_EQ(Ledger.TransferList.Count(), 2);
    const TTransferRec& pair = *Ledger.TransferList.Item(added.Index);
    EXPECT_EQ(pair.ToTrans->Number, 7);
    EXPECT_EQ(TransferIndexOf(Ledger.TransferList, pair.FromTrans), added.Index);
    EXPECT_EQ(added.Index, 0) << "dated before the shop's other transfer: first in date order";
    ExpectPairsHold(Ledger);
    ExpectReopenedAsInMemory();
}

TEST_F(TransferEdit, ChangingATransferMovesBothHalvesAndSwapsTheAccountsConsistently) {
    TAccountFields savings = NewAccountFields(Ledger, March);
    savings.Name = "Savings";
    ASSERT_TRUE(AddAccount(Edit, savings).Done());
    ASSERT_EQ(Ledger.TransferList.Count(), 1) << "the shop's transfer";
    const TTransferRec pairBefore = *Ledger.TransferList.Item(0);

    // Cheque to Cash becomes Savings to Cheque, later, with more money.
    TTransferFields fields = TransferFieldsOf(pairBefore);
    EXPECT_EQ(fields.FromAccount, 0);
    EXPECT_EQ(fields.ToAccount, 1);
    fields.FromAccount = 2;
    fields.ToAccount = 0;
    fields.Date = EncodeDate(2026, 3, 9);
    fields.Amount = Money::FromUnits(120);
    fields.Reference = "R2";
    fields.Notes = "topped up";
    const TEditOutcome changed = ChangeTransfer(Edit, 0, fields, Formats);
    ASSERT_TRUE(changed.Done()) << Prompts.LastText();
    EXPECT_EQ(Ledger.TransferList.Item(changed.Index)->ToTrans, pairBefore.ToTrans) << "the same records, changed";
    EXPECT_EQ(TransfersText(Ledger),
              "4 kind 5 date 46090 book 2 other 0 partner 5 amount 1200000 ref R2 notes topped up reconciled 1\n"
              "5 kind 4 date 46090 book 0 other 2 partner 4 amount 1200000 ref R2 notes  reconciled 1\n");
    EXPECT_EQ(Ledger.TransList.KeyList.back(), pairBefore.ToTrans) << "the latest day, in the last account";
    ExpectPairsHold(Ledger);

    EXPECT_EQ(ChangeTransfer(Edit, 0, fields, Formats).Result, TEditResult::Unchanged);
    ExpectReopenedAsInMemory();
}

TEST_F(TransferEdit, DeletingAsksAndTakesBothHalves) {
    ASSERT_TRUE(AddTransfer(Edit, Fields(0, 1, EncodeDate(2026, 3, 2), 10), Formats).Done());
    const std::string before = ListsText(Ledger);
    for (MsgResult answer : {MsgResult::No, MsgResult::Cancel}) {
        Prompts.Messages.clear();
        Prompts.QueueAnswer(answer);
        EXPECT_EQ(DeleteTransfer(Edit, 0).Result, TEditResult::Refused);
        EXPECT_EQ(Texts(), std::vector<std::string>{"Are you sure you want to delete this Transfer?"});
        EXPECT_EQ(Prompts.Messages.back().Buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(ListsText(Ledger), before);
    }
    Prompts.QueueAnswer(MsgResult::Yes);
    const TEditOutcome deleted = DeleteTransfer(Edit, 0);
    ASSERT_TRUE(deleted.Done());
    EXPECT_EQ(TransfersText(Ledger),
              "4 kind 5 date 46085 book 0 other 1 partner 5 amount 500000 ref  notes  reconciled 1\n"
              "5 kind 4 date 46085 book 1 other 0 partner 4 amount 500000 ref  notes  reconciled 1\n");
    EXPECT_EQ(Ledger.TransferList.Count(), 1);
    ExpectPairsHold(Ledger);
    ExpectReopenedAsInMemory();
}

TEST_F(TransferEdit, RefusalsTellWhyAndChangeNothing) {
    TAccountFields savings = NewAccountFields(Ledger, EncodeDate(2026, 6, 1));
    savings.Name = "Savings";
    ASSERT_TRUE(AddAccount(Edit, savings).Done());
    TAccountFields later = NewAccountFields(Ledger, EncodeDate(2026, 8, 1));
    later.Name = "Term deposit";
    ASSERT_TRUE(AddAccount(Edit, later).Done());
    const std::string before = ListsText(Ledger) + TransfersText(Ledger);
    const std::string savingsText = "The Transfer Date you have entered is less than the Opening Balance Date for the "
                                    "'Savings' Account.  You must use a date greater than or equal to 01/06/2026.";
    const TDateTime april15 = April15();
    struct Case {
        const char* What;
        TTransferFields Fields;
        std::string Message;
        TTransferField Focus;
        std::optional<TDateTime> Date;
    } cases[] = {
        {"no From account", Fields(0, 1, April15(), 5), "", TTransferField::FromAccount, {}},
        {"an account the document lacks",
         Fields(0, 9, april15, 5),
         "You must select the Account the money is transferred to.",
         TTransferField::ToAccount,
         {}},
        {"the same account twice",
         Fields(1, 1, april15, 5),
         "The money must be transferred to a different Account from the one it comes from.",
         TTransferField::ToAccount,
         {}},
        {"before the To account opened", Fields(0, 2, april15, 5), savingsText, TTransferField::Date,
         EncodeDate(2026, 6, 1)},
        {"before the From account opened", Fields(2, 0, april15, 5), savingsText, TTransferField::Date,
         EncodeDate(2026, 6, 1)},
        {"before both opened: the later one named", Fields(3, 2, april15, 5),
         "The Transfer Date you have entered is less than the Opening Balance Date for the 'Term deposit' Account.  "
         "You must use a date greater than or equal to 01/08/2026.",
         TTransferField::Date, EncodeDate(2026, 8, 1)},
        {"no amount",
         Fields(0, 1, april15, 0),
         "You must enter an amount grater than $0.00 for a Transfer",
         TTransferField::Amount,
         {}},
        {"a negative amount",
         Fields(0, 1, april15, -5),
         "You must enter an amount grater than $0.00 for a Transfer",
         TTransferField::Amount,
         {}},
        {"more than a document holds",
         Fields(0, 1, april15, 10'000'000.01),
         "The amount is beyond the largest a Transfer may hold (10,000,000.00).",
         TTransferField::Amount,
         {}},
        {"no day",
         Fields(0, 1, -800000, 5),
         "The date you have entered is not a valid date.",
         TTransferField::Date,
         {}},
    };
    cases[0].Fields.FromAccount.reset();
    cases[0].Message = "You must select the Account the money is transferred from.";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const TTransferRefusal refusal = CheckTransfer(Ledger, c.Fields, Formats);
        EXPECT_EQ(refusal.Text, c.Message);
        EXPECT_EQ(refusal.Focus, c.Focus);
        EXPECT_EQ(refusal.Date, c.Date);
        Prompts.Messages.clear();
        EXPECT_EQ(AddTransfer(Edit, c.Fields, Formats).Result, TEditResult::Refused);
        EXPECT_EQ(ChangeTransfer(Edit, 0, c.Fields, Formats).Result, TEditResult::Refused);
        EXPECT_EQ(Texts(), std::vector<std::string>(2, c.Message));
        EXPECT_EQ(Prompts.Messages.front().Kind, MsgKind::Information);
        EXPECT_EQ(ListsText(Ledger) + TransfersText(Ledger), before);
    }
    // The opening day itself is accepted, whatever its time of day.
    EXPECT_TRUE(AddTransfer(Edit, Fields(0, 2, EncodeDate(2026, 6, 1) + 0.9, 5), Formats).Done());
}

TEST_F(TransferEdit, EachOperationAsksForItsPasswordArea) {
    const struct {
        TAccessArea Area;
        std::function<TEditOutcome()> Run;
    } cases[] = {
        {TAccessArea::Adding, [this] { return AddTransfer(Edit, Fields(0, 1, March, 5), Formats); }},
        {TAccessArea::Editing, [this] { return ChangeTransfer(Edit, 0, Fields(1, 0, March, 5), Formats); }},
        {TAccessArea::Deleting, [this] { return DeleteTransfer(Edit, 0); }},
    };
    for (const auto& c : cases) {
        const std::string before = ListsText(Ledger) + TransfersText(Ledger);
        Protect(c.Area);
        PasswordsAsked = 0;
        Prompts.Messages.clear();
        EXPECT_EQ(c.Run().Result, TEditResult::Refused);
        EXPECT_EQ(PasswordsAsked, 1);
        EXPECT_TRUE(Prompts.Messages.empty()) << "no question after a refused password";
        EXPECT_EQ(ListsText(Ledger) + TransfersText(Ledger), before);
        PasswordGiven = true;
        if (c.Area == TAccessArea::Deleting)
            Prompts.QueueAnswer(MsgResult::Yes);
        EXPECT_TRUE(c.Run().Done());
        Files.Settings.ProtectAdd = Files.Settings.ProtectEdit = Files.Settings.ProtectDelete = 0;
    }
}

// A "Transfer To" half whose partner is gone: shown, changed and deleted alone.
TEST_F(TransferEdit, APairWithoutItsPartnerChangesAndGoesAlone) {
    Ledger.TransList.Delete(Ledger.TransList.IndexOf(Ledger.TransferList.Item(0)->FromTrans));
    Ledger.TransferList.Build(Ledger.TransList);
    ASSERT_EQ(Ledger.TransferList.Item(0)->FromTrans, nullptr);
    TTransferFields fields = TransferFieldsOf(*Ledger.TransferList.Item(0));
    EXPECT_EQ(fields.ToAccount, 1) << "the account the half names";
    fields.Amount = Money::FromUnits(60);
    const std::int32_t count = Ledger.TransList.Count();
    ASSERT_TRUE(ChangeTransfer(Edit, 0, fields, Formats).Done());
    EXPECT_EQ(Ledger.TransList.Count(), count) << "no partner made";
    EXPECT_EQ(TransfersText(Ledger),
              "4 kind 5 date 46085 book 0 other 1 partner 5 amount 600000 ref  notes  reconciled 1\n");
    Prompts.QueueAnswer(MsgResult::Yes);
    ASSERT_TRUE(DeleteTransfer(Edit, 0).Done());
    EXPECT_EQ(Ledger.TransList.Count(), count - 1);
    EXPECT_EQ(Ledger.TransferList.Count(), 0);
    ExpectReopenedAsInMemory();
}

TEST_F(TransferEdit, TheDescriptionLineNeedsBothAccounts) {
    Ledger.BookList.Find(1)->Colour = RGBColour(1, 2, 3);
    TTransferFields fields = Fields(0, 1, EncodeDate(2026, 3, 4) + 0.5, 1234.5);
    using Piece = TDescriptionPiece;
    EXPECT_EQ(TransferDescription(Ledger, fields, Formats),
              (std::vector<Piece>{{"Transfer ", Piece::Plain, 0},
                                  {"$1,234.50", Piece::Amount, 0},
                                  {" from ", Piece::Plain, 0},
                                  {" Cheque ", Piece::Account, RGBColour(0, 128, 0)},
                                  {" to ", Piece::Plain, 0},
                                  {" Cash ", Piece::Account, RGBColour(1, 2, 3)},
                                  {" on ", Piece::Plain, 0},
                                  {"04/03/2026", Piece::Plain, 0}}));
    fields.ToAccount.reset();
    EXPECT_TRUE(TransferDescription(Ledger, fields, Formats).empty());
}

// The figures the engine works out from the pair: money leaves one account and enters the other.
TEST_F(TransferEdit, TheBalancesMoveByTheAmount) {
    RefreshAfterEdit(Ledger, RefreshTotals);
    AccountTotals(Ledger, true);
    const Money cheque = Ledger.BookList.Find(0)->Balance();
    const Money cash = Ledger.BookList.Find(1)->Balance();
    const TEditOutcome added = AddTransfer(Edit, Fields(1, 0, EncodeDate(2026, 3, 4), 30), Formats);
    ASSERT_TRUE(added.Done());
    RefreshAfterEdit(Ledger, added.Refresh);
    AccountTotals(Ledger, true);
    EXPECT_EQ(Ledger.BookList.Find(0)->Balance(), cheque + Money::FromUnits(30));
    EXPECT_EQ(Ledger.BookList.Find(1)->Balance(), cash - Money::FromUnits(30));
}

} // namespace
} // namespace qz::testing
