// A new document made from an existing one: the figures read from the existing document
// (reconciled transactions only) and the new document they make.

#include "DocumentFixture.h"

#include "filters/GeneratedDocument.h"
#include "storage/EndingFigures.h"

#include <gtest/gtest.h>

#include <map>

namespace qz::testing {
namespace {

class EndingFigures : public DocumentFixture {
protected:
    // Generated books with plenty of unreconciled transactions, transfers and splits among them.
    void WriteOld() {
        TGeneratorOptions options;
        options.Seed = 77;
        options.Transactions = 400;
        options.Accounts = 3;
        options.Years = 1;
        options.UnreconciledShare = 0.25;
        TDocumentContent content;
        GenerateDocument(Source, options, "VAT", content);
        ASSERT_TRUE(WriteGeneratedDocument(PathOf("Old.kqk"), Source, content, Prompts));
    }

    // Each account's reconciled credits less debits, its opening balance included, summed
    // here from the records rather than through the recalculation.
    std::map<std::int32_t, Money> ReconciledBalances() const {
        std::map<std::int32_t, Money> balances;
        for (const TTransRec* t : Source.TransList.KeyList) {
            if (!t->Reconciled)
                continue;
            const bool in = t->Kind == TransCredit || t->Kind == TransFrom || t->Kind == TransOpening;
            balances[t->Book] += in ? t->Amount : -t->Amount;
        }
        return balances;
    }

    TLedger Source;
};

TEST_F(EndingFigures, NewDocumentStartsFromTheReconciledEndOfTheOldOne) {
    WriteOld();
    const std::string before = FileBytes(PathOf("Old.kqk"));
    TEndingFigures figures;
    ASSERT_EQ(ReadEndingFigures(PathOf("Old.kqk"), Prompts, Questions, Clock, figures, Drive), TEndingRead::Read);
    EXPECT_EQ(FileBytes(PathOf("Old.kqk")), before) << "reading wrote nothing";

    const auto expected = ReconciledBalances();
    ASSERT_EQ(figures.AccountNumbers.size(), 3u);
    for (std::size_t i = 0; i < figures.AccountNumbers.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(figures.AccountNumbers[i], Source.BookList.Items(static_cast<std::int32_t>(i))->Number);
        EXPECT_EQ(figures.Balances[i], expected.at(figures.AccountNumbers[i]));
    }
    std::size_t unreconciled = 0, transfers = 0, splitParts = 0;
    for (const TTransRec* t : Source.TransList.KeyList)
        if (!t->Reconciled && t->Kind != TransOpening) {
            ++unreconciled;
            transfers += t->IsTransfer() ? 1 : 0;
            splitParts += t->Split != '0' ? 1 : 0;
        }
    ASSERT_EQ(figures.Unreconciled.size(), unreconciled);
    ASSERT_GT(transfers, 0u) << "the books must carry transfers for this test to mean anything";
    ASSERT_GT(splitParts, 0u);
    EXPECT_FALSE(figures.GstBalance.IsZero());

    const TDateTime start = EncodeDate(2027, 7, 1);
    ASSERT_TRUE(Convert.NewFromExisting(PathOf("New.kqk"), PathOf("Old.kqk"), figures.Unreconciled, figures.Balances,
                                        figures.GstBalance, start));
    DocumentOnDisk made(PathOf("New.kqk"));
    ASSERT_TRUE(made.Opened);
    ASSERT_NO_THROW(LinkRecords(made.Ledger));
    TLedger& ledger = made.Ledger;
    EXPECT_EQ(made.Files.Settings.GstOpeningBalance, figures.GstBalance);
    EXPECT_EQ(ledger.TransList.Count(), static_cast<std::int32_t>(3 + unreconciled));
    for (const TBookRec* book : ledger.BookList.KeyList) {
        SCOPED_TRACE(book->Number);
        ASSERT_NE(book->OpeningTrans, nullptr);
        EXPECT_EQ(book->OpeningTrans->Amount, expected.at(book->Number));
        EXPECT_EQ(book->OpeningTrans->Date, start);
    }
    // Every carried transfer still has its partner: the other half, of the same amount,
    // between the same two accounts, naming it back.
    std::map<std::int32_t, const TTransRec*> byNumber;
    for (const TTransRec* t : ledger.TransList.KeyList)
        if (t->IsTransfer())
            byNumber[t->Number] = t;
    for (const auto& [number, t] : byNumber) {
        SCOPED_TRACE(number);
        const auto partner = byNumber.find(t->MainAct);
        if (partner == byNumber.end()) {
            EXPECT_EQ(t->MainAct, -1) << "a half carried alone names no partner";
            continue;
        }
        const TTransRec* other = partner->second;
        EXPECT_NE(other->Kind, t->Kind);
        EXPECT_EQ(other->MainAct, t->Number);
        EXPECT_EQ(other->Amount, t->Amount);
        EXPECT_EQ(other->Book, static_cast<std::int16_t>(t->Group));
    }
}

TEST_F(EndingFigures, AnswersOfNoStartTheNewDocumentFromNothing) {
    WriteOld();
    TEndingFigures figures;
    ASSERT_EQ(ReadEndingFigures(PathOf("Old.kqk"), Prompts, Questions, Clock, figures, Drive), TEndingRead::Read);
    const struct {
        bool Gst, Balances, Transactions;
    } cases[] = {{false, true, true}, {true, false, true}, {true, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Gst) + std::to_string(c.Balances) + std::to_string(c.Transactions));
        TEndingFigures kept = figures;
        kept.KeepOnly(c.Gst, c.Balances, c.Transactions);
        EXPECT_EQ(kept.GstBalance, c.Gst ? figures.GstBalance : Money());
        EXPECT_EQ(kept.Balances, c.Balances ? figures.Balances : std::vector<Money>(3));
        EXPECT_EQ(kept.Unreconciled.size(), c.Transactions ? figures.Unreconciled.size() : 0u);
        EXPECT_EQ(kept.AccountNumbers, figures.AccountNumbers);
    }
}

TEST_F(EndingFigures, OnlyADocumentThatOpensGivesFigures) {
    WriteOld();
    std::ofstream(PathOf("Garbage.kqk"), std::ios::binary) << std::string(3000, '\x5A');
    // A document protected by a password that is then not given.
    {
        DocumentOnDisk locked(PathOf("Old.kqk"));
        ASSERT_TRUE(locked.Opened);
        locked.Files.Settings.ProtectOpen = 1;
        locked.Files.Settings.Password = "secret";
        ASSERT_TRUE(locked.Files.WriteSettings());
    }
    const struct {
        const char* Name;
        bool PasswordGiven;
        TEndingRead Answer;
    } cases[] = {
        {"Missing.kqk", true, TEndingRead::NotADocument},
        {"Garbage.kqk", true, TEndingRead::NotADocument},
        {"Old.kqk", false, TEndingRead::NoPassword},
        {"Old.kqk", true, TEndingRead::Read},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Questions.PasswordAccepted = c.PasswordGiven;
        TEndingFigures figures;
        EXPECT_EQ(ReadEndingFigures(PathOf(c.Name), Prompts, Questions, Clock, figures, Drive), c.Answer);
        EXPECT_EQ(figures.AccountNumbers.size(), c.Answer == TEndingRead::Read ? 3u : 0u);
    }
    // A document on a medium that cannot be written is read all the same, without a word
    // about opening it read-only.
    Drive.Writable = false;
    Prompts.Messages.clear();
    TEndingFigures figures;
    EXPECT_EQ(ReadEndingFigures(PathOf("Old.kqk"), Prompts, Questions, Clock, figures, Drive), TEndingRead::Read);
    EXPECT_EQ(Texts(), std::vector<std::string>{});
}

} // namespace
} // namespace qz::testing
