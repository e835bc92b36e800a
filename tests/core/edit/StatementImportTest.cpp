// Importing a statement into the corner shop: the duplicate rule (a re-import adds nothing),
// the categories suggested from the shop's own history, the commit of the ticked lines with
// its refusals, a failed write that leaves memory and file as they were, and a round trip
// through the QIF export.

#include "EditOperationsFixture.h"

#include "edit/StatementImport.h"
#include "edit/TransactionOrder.h"
#include "engine/Engine.h"
#include "filters/QifExport.h"
#include "filters/QifReader.h"

#include <memory>

namespace qz::testing {
namespace {

using cfb::FaultOp;

const TDateTime March1 = EncodeDate(2026, 3, 1); // both accounts open on this day; sale 2 is on the 2nd

TStatementLine Line(int line, TDateTime date, std::int64_t cents, std::string reference, std::string payee,
                    std::string memo = {}) {
    TStatementLine l;
    l.Line = line;
    l.Date = date;
    l.Cents = cents;
    l.Reference = std::move(reference);
    l.Payee = std::move(payee);
    l.Memo = std::move(memo);
    return l;
}

TStatement Statement(std::vector<TStatementLine> lines) {
    TStatement s;
    s.Lines = std::move(lines);
    return s;
}

class StatementImport : public EditOperations {
protected:
    // Imports every ticked line in `category`, or in the suggested one when it is not given.
    TEditOutcome ImportTicked(std::int32_t account, const TStatement& statement,
                              std::optional<TImportCategory> category = std::nullopt) {
        std::vector<TImportEntry> entries;
        for (const TImportLine& line : PreviewImport(Ledger, account, statement))
            if (line.Ticked)
                entries.push_back({line.Source, category ? *category : line.Suggested.value_or(TImportCategory{})});
        const TEditOutcome outcome = ImportStatement(Edit, account, entries);
        RefreshAfterEdit(Ledger, outcome.Refresh);
        return outcome;
    }

    std::string TransText(std::int32_t number) const {
        for (const TTransRec* t : Ledger.TransList.KeyList)
            if (t->Number == number)
                return "kind " + std::to_string(t->Kind) + " " + IsoDateText(t->Date) + " book " +
                       std::to_string(t->Book) + " " + std::to_string(t->MainAct) + "-" + std::to_string(t->SubAct) +
                       " G" + std::to_string(t->Group) + " amount " + std::to_string(t->Amount.Raw()) + " gst " +
                       std::to_string(t->Gst.Raw()) + " ref " + t->Reference.Str() + " notes " + t->Notes +
                       " reconciled " + std::to_string(t->Reconciled);
        return "none";
    }
};

TEST_F(StatementImport, DuplicatesAreSameAmountWithinThreeDaysWithSameReferenceOrPayee) {
    // Sale 2 of account 0: 2 March, 110.00 in, reference INV-1, notes "first sale".
    const TDateTime sale = March1 + 1;
    struct Case {
        const char* Name;
        std::int32_t Account;
        TStatementLine Line;
        bool Duplicate;
    } cases[] = {
        {"same reference, 3 days later", 0, Line(1, sale + 3, 11000, "INV-1", "anything"), true},
        {"same reference, a day before", 0, Line(1, sale - 1, 11000, "INV-1", ""), true},
        {"same reference, 4 days later", 0, Line(1, sale + 4, 11000, "INV-1", ""), false},
        {"same payee text in other letter case", 0, Line(1, sale, 11000, "X9", "First Sale"), true},
        {"payee with the bank's digits", 0, Line(1, sale + 1, 11000, "", "FIRST SALE 0042"), true},
        {"a cent more", 0, Line(1, sale, 11001, "INV-1", "first sale"), false},
        {"the other direction", 0, Line(1, sale, -11000, "INV-1", "first sale"), false},
        {"neither reference nor payee", 0, Line(1, sale, 11000, "INV-2", "second sale"), false},
        {"another account", 1, Line(1, sale, 11000, "INV-1", "first sale"), false},
    };
    for (const Case& c : cases) {
        const std::vector<TImportLine> preview = PreviewImport(Ledger, c.Account, Statement({c.Line}));
        ASSERT_EQ(preview.size(), 1u);
        EXPECT_EQ(preview[0].Duplicate(), c.Duplicate) << c.Name;
        EXPECT_EQ(preview[0].Ticked, !c.Duplicate) << c.Name;
        if (c.Duplicate)
            EXPECT_EQ(preview[0].DuplicateOf->Number, 2) << c.Name;
    }
}

TEST_F(StatementImport, ImportingTheSameStatementTwiceAddsNothing) {
    // Two equal coffees on one day are two transactions, not one line and its duplicate.
    const TStatement statement =
        Statement({Line(1, March1 + 5, -450, "", "Coffee Co"), Line(2, March1 + 5, -450, "", "Coffee Co"),
                   Line(3, March1 + 6, 20000, "D-77", "Customer deposit", "Order 5")});
    const TImportCategory rent{200, 1, 0};
    ASSERT_EQ(ImportTicked(0, Statement({statement.Lines[0], statement.Lines[1]}), rent).Result, TEditResult::Done);
    ASSERT_EQ(ImportTicked(0, Statement({statement.Lines[2]}), TImportCategory{100, 1, 0}).Result, TEditResult::Done);
    const std::string once = ListsText(Ledger);

    const std::vector<TImportLine> again = PreviewImport(Ledger, 0, statement);
    for (const TImportLine& line : again) {
        EXPECT_TRUE(line.Duplicate()) << line.Source.Line;
        EXPECT_FALSE(line.Ticked) << line.Source.Line;
    }
    EXPECT_NE(again[0].DuplicateOf, again[1].DuplicateOf); // each transaction answers for one line
    EXPECT_EQ(ImportTicked(0, statement, rent).Result, TEditResult::Unchanged);
    EXPECT_EQ(ListsText(Ledger), once);
    ExpectStoredAsInMemory();
}

TEST_F(StatementImport, CategoriesAreSuggestedFromHistory) {
    const TImportCategory rent{200, 1, 0};
    const TImportCategory gst{300, 1, 0};
    ASSERT_TRUE(ImportTicked(0,
                             Statement({Line(1, March1 + 5, -450, "", "COFFEE CO 1234"),
                                        Line(2, March1 + 6, -520, "", "Coffee Co", "card 5")}),
                             rent)
                    .Done());
    ASSERT_TRUE(ImportTicked(0, Statement({Line(1, March1 + 7, -380, "", "coffee co.")}), gst).Done());
    // A tie goes to the category given last.
    ASSERT_TRUE(ImportTicked(0, Statement({Line(1, March1 + 8, -900, "", "Bakery")}), rent).Done());
    ASSERT_TRUE(ImportTicked(0, Statement({Line(1, March1 + 9, -950, "", "Bakery")}), gst).Done());

    struct Case {
        const char* Name;
        TStatementLine Line;
        std::optional<TImportCategory> Suggested;
    } cases[] = {
        {"given most often", Line(1, March1 + 20, -300, "", "Coffee Co #99"), rent},
        {"the latest of a tie", Line(1, March1 + 20, -300, "", "BAKERY"), gst},
        {"money in takes no debit category", Line(1, March1 + 20, 300, "", "Coffee Co"), std::nullopt},
        {"a reference of the history", Line(1, March1 + 20, 300, "", "INV 7"), TImportCategory{100, 1, 0}},
        {"the notes of the history", Line(1, March1 + 20, 300, "", "First sale"), TImportCategory{100, 1, 0}},
        {"the memo when there is no payee", Line(1, March1 + 20, -300, "", "", "Coffee co"), rent},
        {"nothing like it", Line(1, March1 + 20, -300, "", "Hardware Barn"), std::nullopt},
    };
    for (const Case& c : cases) {
        const std::vector<TImportLine> preview = PreviewImport(Ledger, 1, Statement({c.Line}));
        EXPECT_EQ(preview[0].Suggested, c.Suggested) << c.Name;
    }
}

TEST_F(StatementImport, TheFileNamesACategoryOfTheDocument) {
    struct Case {
        const char* Category;
        std::int64_t Cents;
        std::optional<TImportCategory> Suggested;
    } cases[] = {
        {"Rent:Office", -100, TImportCategory{200, 1, 0}},
        {"rent", -100, TImportCategory{200, 1, 0}},
        {"Rent:Nowhere", -100, std::nullopt},
        {"Rent", 100, std::nullopt}, // a debit category for money in
        {"[Cheque]", -100, std::nullopt},
    };
    for (const Case& c : cases) {
        TStatementLine line = Line(1, March1 + 10, c.Cents, "", "Somebody new");
        line.Category = c.Category;
        EXPECT_EQ(PreviewImport(Ledger, 0, Statement({line}))[0].Suggested, c.Suggested) << c.Category;
    }
}

TEST_F(StatementImport, TicksLinesTheAccountCanTake) {
    TStatementLine bad = Line(4, 0, 0, "", "");
    bad.Bad = "line 4: the date \"31/31/2026\" is not a valid date";
    const std::vector<TImportLine> preview = PreviewImport(
        Ledger, 0,
        Statement({Line(1, March1 - 1, -100, "", "Before the opening"), Line(2, March1, 0, "", "Zero"),
                   Line(3, March1, -1000000001, "", "Too large"), bad, Line(5, March1, -100, "", "Fine")}));
    const char* reasons[] = {"line 1: the date is before the account's opening balance (2026-03-01)",
                             "line 2: the amount is 0",
                             "line 3: the amount is beyond the largest a transaction may hold (10,000,000.00)",
                             "line 4: the date \"31/31/2026\" is not a valid date", ""};
    for (std::size_t i = 0; i < preview.size(); ++i) {
        EXPECT_EQ(preview[i].Source.Bad, reasons[i]) << i;
        EXPECT_EQ(preview[i].Ticked, std::string(reasons[i]).empty()) << i;
    }
}

TEST_F(StatementImport, WritesCreditsAndDebitsInOneCommit) {
    const std::int32_t first = Ledger.TransList.NewNumber();
    std::vector<TImportEntry> entries = {
        {Line(1, March1 + 10, 22000, "D-1", "Walk-in customer", "Cash sale"), {100, 1, 0}},
        {Line(2, March1 + 4, -12345, "000123", "Harbour Rentals", "harbour rentals"), {200, 1, 0}},
    };
    const TEditOutcome outcome = ImportStatement(Edit, 0, entries);
    ASSERT_EQ(outcome.Result, TEditResult::Done) << Prompts.LastText();
    EXPECT_EQ(outcome.Refresh, RefreshTransactions | RefreshTotals);
    // The tax follows the sub category's percentage (10 % for 100-1, none for 200-1).
    EXPECT_EQ(TransText(first), "kind 1 2026-03-11 book 0 100-1 G0 amount 2200000 gst 200000 ref D-1 notes Walk-in "
                                "customer - Cash sale reconciled 1");
    EXPECT_EQ(TransText(first + 1),
              "kind 2 2026-03-05 book 0 200-1 G0 amount 1234500 gst 0 ref 000123 notes Harbour Rentals reconciled 1");
    EXPECT_EQ(Ledger.TransList.IndexOf(Ledger.TransList.KeyList[outcome.Index]), outcome.Index);
    EXPECT_EQ(Ledger.TransList.KeyList[outcome.Index]->Number, first);
    EXPECT_TRUE(InOrder(Ledger.TransList.KeyList, 1));
    ExpectStoredAsInMemory();
}

// A long statement in no order lands in date order, as a few lines do.
TEST_F(StatementImport, ALongStatementKeepsTheKeyOrder) {
    for (const int count : {3, 300}) {
        SCOPED_TRACE(count);
        std::vector<TImportEntry> entries;
        for (int i = 0; i < count; ++i)
            entries.push_back(
                {Line(i + 1, March1 + (i * 37) % 120, -(100 + i), "", "Line " + std::to_string(i)), {200, 1, 0}});
        const std::int32_t first = Ledger.TransList.NewNumber();
        ASSERT_TRUE(ImportStatement(Edit, 1, entries).Done()) << Prompts.LastText();
        EXPECT_TRUE(InOrder(Ledger.TransList.KeyList, 1));
        int found = 0;
        for (const TTransRec* t : Ledger.TransList.KeyList)
            found += t->Number >= first;
        EXPECT_EQ(found, count);
    }
    ExpectStoredAsInMemory();
}

TEST_F(StatementImport, ARefusedImportWritesNothing) {
    TStatementLine bad = Line(9, March1 + 5, -100, "", "Bad");
    bad.Bad = "line 9: the amount \"EUR 1\" is not a number";
    struct Case {
        TImportEntry Entry;
        const char* Message;
    } cases[] = {
        {{bad, {200, 1, 0}}, "line 9: the amount \"EUR 1\" is not a number"},
        {{Line(3, March1 + 5, 100, "", "In"), {200, 1, 0}},
         "line 3: category 200 is a debit category; the line is money in"},
        {{Line(3, March1 + 5, -100, "", "Out"), {0, 0, 0}}, "line 3: there is no category 0"},
        {{Line(3, March1 + 5, -100, "", "Out"), {200, 7, 0}}, "line 3: there is no sub category 200-7"},
        {{Line(3, March1 + 5, -100, "", "Out"), {200, 1, 1}}, "line 3: there is no group 1"},
        {{Line(3, March1 - 5, -100, "", "Out"), {200, 1, 0}},
         "line 3: the date is before the account's opening balance"},
        {{Line(3, March1 + 5, 0, "", "Nothing"), {200, 1, 0}}, "line 3: the amount is 0"},
    };
    const std::string before = ListsText(Ledger);
    const TImportEntry good{Line(1, March1 + 5, -500, "", "Fine"), {200, 1, 0}};
    for (const Case& c : cases) {
        Prompts.Messages.clear();
        EXPECT_EQ(ImportStatement(Edit, 0, {good, c.Entry}).Result, TEditResult::Refused) << c.Message;
        EXPECT_EQ(Prompts.LastText(), c.Message);
    }
    EXPECT_EQ(ImportStatement(Edit, 7, {good}).Result, TEditResult::Refused);
    EXPECT_EQ(Prompts.LastText(), "There is no account 7.");
    Protect(TAccessArea::Adding);
    EXPECT_EQ(ImportStatement(Edit, 0, {good}).Result, TEditResult::Refused);
    EXPECT_EQ(PasswordsAsked, 1);
    EXPECT_EQ(ListsText(Ledger), before);
    ExpectStoredAsInMemory();
}

TEST_F(StatementImport, AFailedWriteGivenUpLeavesMemoryAndFileAsTheyWere) {
    const std::vector<TImportEntry> entries = {{Line(1, March1 + 5, -500, "", "One"), {200, 1, 0}},
                                               {Line(2, March1 + 6, 700, "", "Two"), {100, 1, 0}},
                                               {Line(3, March1 + 7, -900, "", "Three"), {200, 1, 0}}};
    const std::string before = ListsText(Ledger);
    const int writesBefore = Faults.Count(FaultOp::Write);
    ASSERT_TRUE(ImportStatement(Edit, 0, entries).Done());
    const int writes = Faults.Count(FaultOp::Write) - writesBefore;
    ASSERT_GT(writes, 1);
    for (int n = 1; n <= writes; ++n) {
        SCOPED_TRACE(n);
        Files.Close(true, false);
        Faults.Clear();
        Prompts = ScriptedPrompts();
        OpenShop();
        Faults.FailAt(FaultOp::Write, n, ENOSPC, true);
        Prompts.QueueAnswer(MsgResult::Cancel);
        const TEditOutcome given = ImportStatement(Edit, 0, entries);
        Faults.Clear();
        EXPECT_EQ(given.Result, TEditResult::NotStored);
        EXPECT_EQ(ListsText(Ledger), before);
        Files.Close(true, false);
        DocumentOnDisk disk(PathOf("Shop.kqk"));
        ASSERT_TRUE(disk.Opened);
        EXPECT_EQ(ListsText(disk.Ledger), before);
    }
}

// Every transaction of a book, without its number (the order of the records' creation), and
// the accounts' totals.
std::string BooksText(const TLedger& l) {
    std::vector<std::string> lines;
    for (const TTransRec* t : l.TransList.KeyList) {
        std::ostringstream line;
        line << IsoDateText(t->Date) << " kind " << int(t->Kind) << " book " << t->Book;
        if (t->IsTransfer()) {
            // Its partner as the transfer list pairs them: the other half, in the other account.
            const TTransRec* partner = nullptr;
            for (std::int32_t i = 0; i < l.TransferList.Count(); ++i) {
                const TTransferRec& pair = *l.TransferList.Item(i);
                if (pair.ToTrans == t || pair.FromTrans == t)
                    partner = pair.ToTrans == t ? pair.FromTrans : pair.ToTrans;
            }
            line << " with " << t->Group << " partner "
                 << (partner ? std::to_string(partner->Kind) + " in " + std::to_string(partner->Book) : "none");
        } else {
            line << ' ' << t->MainAct << '-' << t->SubAct;
        }
        line << " amount " << t->Amount.Raw() << " gst " << t->Gst.Raw() << " ref " << t->Reference.Str() << " notes "
             << t->Notes << " reconciled " << int(t->Reconciled);
        lines.push_back(line.str());
    }
    std::sort(lines.begin(), lines.end());
    std::ostringstream out;
    for (const std::string& line : lines)
        out << line << '\n';
    for (const TBookRec* b : l.BookList.KeyList)
        out << "account " << b->Number << " credits " << b->CreditTotal.Raw() << " debits " << b->DebitTotal.Raw()
            << '\n';
    out << l.TransferList.Count() << " transfers\n";
    return out.str();
}

// The shop's books exported as QIF and imported, account by account with transfers, into a
// document that holds only the opening balances: the same transactions, the same totals. (A
// split goes out as one entry of its total: the shop's split is left out of the books. A
// transfer's notes are kept on its "Transfer To" half only, so they come back when the
// account the money left is imported first, as here.)
TEST_F(StatementImport, QifExportImportsBackAsTheSameTransactions) {
    ASSERT_TRUE(ImportStatement(Edit, 0,
                                {{Line(1, March1 + 5, 22000, "D-1", "Walk-in customer", "Cash sale"), {100, 1, 0}},
                                 {Line(2, March1 + 6, -12345, "000123", "Harbour Rentals"), {200, 1, 0}},
                                 {Line(3, March1 + 9, -4200, "", "Tax office", "quarter 1"), {300, 1, 0}},
                                 {Line(4, March1 + 10, -7500, "T-2", "Float"), {}, 1}})
                    .Done());
    ASSERT_TRUE(ImportStatement(Edit, 1, {{Line(1, March1 + 7, 5000, "R-5", "Tax refund"), {400, 1, 0}}}).Done());
    std::vector<TTransRec*> unsplit;
    std::vector<std::unique_ptr<TTransRec>> splitParts;
    for (TTransRec* t : Ledger.TransList.KeyList)
        if (t->Split == '0')
            unsplit.push_back(t);
        else
            splitParts.emplace_back(t);
    Ledger.TransList.KeyList = unsplit; // memory only: the file is not written again
    Ledger.TransList.RowList = unsplit;
    RefreshAfterEdit(Ledger, RefreshTotals);
    AccountTotals(Ledger, true);
    Ledger.TransferList.Build(Ledger.TransList);
    std::ostringstream qif;
    ExportQif(Ledger, qif);
    const std::string exported = BooksText(Ledger);

    Files.Close(true, false);
    StreamMap openings = CurrentDocument();
    openings["Transactions"] = Image(Trans(0, March1, TransOpening, 1000, 0, 0, 0, 0)) +
                               Image(Trans(1, March1, TransOpening, 250, 0, 0, 0, 1));
    openings["KQ22FileInfo"] = CountsImage(CountsOf(openings));
    OpenShop(openings);
    const TStatement statement = TQifReader().Read(qif.str());
    ASSERT_TRUE(statement.Ok()) << statement.Error;
    for (const TBookRec* book : {Ledger.BookList.Find(0), Ledger.BookList.Find(1)}) {
        TStatement ofAccount;
        for (const TStatementLine& line : statement.Lines)
            if (line.Account == book->Name.Str())
                ofAccount.Lines.push_back(line);
        std::vector<TImportEntry> entries;
        for (const TImportLine& line : PreviewImport(Ledger, book->Number, ofAccount)) {
            if (!line.Ticked)
                continue;
            ASSERT_TRUE(line.Suggested || line.TransferAccount) << line.Source.Line;
            entries.push_back({line.Source, line.Suggested.value_or(TImportCategory{}), line.TransferAccount});
        }
        ASSERT_TRUE(ImportStatement(Edit, book->Number, entries).Done()) << Prompts.LastText();
    }
    RefreshAfterEdit(Ledger, RefreshTotals);
    AccountTotals(Ledger, true);
    EXPECT_EQ(BooksText(Ledger), exported);
    ExpectStoredAsInMemory();
}

TEST_F(StatementImport, ALineNamingAnotherAccountCanBeATransfer) {
    TStatementLine toCash = Line(1, March1 + 10, -7500, "T-9", "Float");
    toCash.Category = "[cash]";
    TStatementLine nowhere = toCash;
    nowhere.Category = "[Savings]";
    const std::vector<TImportLine> preview = PreviewImport(Ledger, 0, Statement({toCash, nowhere}));
    EXPECT_EQ(preview[0].TransferAccount, 1);
    EXPECT_FALSE(preview[1].TransferAccount);

    const std::int32_t first = Ledger.TransList.NewNumber();
    ASSERT_TRUE(ImportStatement(Edit, 0, {{toCash, {}, 1}}).Done()) << Prompts.LastText();
    const std::int32_t pair = Ledger.TransferList.Count() - 1;
    ASSERT_GE(pair, 0);
    std::int32_t found = -1;
    for (std::int32_t i = 0; i < Ledger.TransferList.Count(); ++i)
        if (Ledger.TransferList.Item(i)->ToTrans->Number == first)
            found = i;
    ASSERT_GE(found, 0);
    const TTransferRec& made = *Ledger.TransferList.Item(found);
    ASSERT_TRUE(made.FromTrans);
    EXPECT_EQ(made.FromTrans->Number, first + 1);
    EXPECT_EQ(std::make_tuple(made.ToTrans->Book, made.ToTrans->Group, made.ToTrans->MainAct),
              std::make_tuple(std::int16_t(0), std::uint16_t(1), first + 1));
    EXPECT_EQ(std::make_tuple(made.FromTrans->Book, made.FromTrans->Group, made.FromTrans->MainAct),
              std::make_tuple(std::int16_t(1), std::uint16_t(0), first));
    EXPECT_EQ(made.ToTrans->Notes, "Float");
    EXPECT_EQ(made.FromTrans->Notes, "");
    EXPECT_EQ(made.FromTrans->Amount, Money::FromCents(7500));

    // The cash account's statement shows the money coming in from the cheque account: the half
    // just made is its duplicate, whatever its payee text.
    TStatementLine fromCheque = Line(1, March1 + 11, 7500, "", "");
    fromCheque.Category = "[Cheque]";
    const std::vector<TImportLine> cash = PreviewImport(Ledger, 1, Statement({fromCheque}));
    EXPECT_EQ(cash[0].DuplicateOf, made.FromTrans);

    Prompts.Messages.clear();
    EXPECT_EQ(ImportStatement(Edit, 0, {{toCash, {}, 0}}).Result, TEditResult::Refused);
    EXPECT_EQ(Prompts.LastText(), "line 1: there is no other account 0 to transfer with");
    ExpectStoredAsInMemory();
}

} // namespace
} // namespace qz::testing
