#include "engine/Engine.h"
#include "engine/Generator.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

namespace qz {
namespace {

TGeneratorOptions SmallBooks(std::uint64_t seed) {
    TGeneratorOptions options;
    options.Seed = seed;
    options.Transactions = 3000;
    options.Accounts = 4;
    options.Years = 4;
    return options;
}

// Every field that a document stores, in key order.
std::vector<std::tuple<std::int32_t, double, int, std::string, std::int32_t, std::int32_t, int, int, std::int64_t,
                       std::int64_t, std::string, int, char>>
Fingerprint(const TLedger& ledger) {
    std::vector<std::tuple<std::int32_t, double, int, std::string, std::int32_t, std::int32_t, int, int, std::int64_t,
                           std::int64_t, std::string, int, char>>
        rows;
    for (const TTransRec* t : ledger.TransList.KeyList)
        rows.emplace_back(t->Number, t->Date, t->Kind, t->Reference.Str(), t->MainAct, t->SubAct, t->Group, t->Book,
                          t->Gst.Raw(), t->Amount.Raw(), t->Notes, t->Reconciled, t->Split);
    return rows;
}

TEST(GeneratorTest, SameSeedSameBooksOtherSeedOtherBooks) {
    TLedger a, b, c;
    GenerateLedger(a, SmallBooks(7));
    GenerateLedger(b, SmallBooks(7));
    GenerateLedger(c, SmallBooks(8));
    EXPECT_EQ(Fingerprint(a), Fingerprint(b));
    EXPECT_NE(Fingerprint(a), Fingerprint(c));
    EXPECT_EQ(a.TransList.Count(), 3000);
}

TEST(GeneratorTest, BooksAreConsistentAndRealistic) {
    TLedger books;
    TGeneratorOptions options = SmallBooks(3);
    GenerateLedger(books, options);
    ASSERT_NO_THROW(LinkRecords(books));

    std::map<std::int32_t, std::string> splitLetters;
    std::map<std::uint8_t, int> kinds;
    std::set<std::int32_t> openings;
    int unreconciled = 0;
    TDateTime previous = -1e9;
    for (const TTransRec* t : books.TransList.KeyList) {
        ++kinds[t->Kind];
        unreconciled += !t->Reconciled;
        EXPECT_LE(DayOf(previous), DayOf(t->Date)) << "key order is date order";
        previous = t->Date;
        if (t->Split != '0')
            splitLetters[t->Number] += t->Split;
        if (t->Kind == TransOpening) {
            EXPECT_TRUE(openings.insert(t->Book).second) << "one opening balance per account";
        }
        if (t->IsOrdinary()) {
            EXPECT_EQ(t->SubActRec->Side, t->MainActRec->Side);
            EXPECT_EQ(t->Kind, t->MainActRec->Side) << "credits in credit categories, debits in debit ones";
            EXPECT_EQ(t->Gst, TaxOfGross(t->Amount, t->SubActRec->GstPercent));
            EXPECT_GT(t->Amount, Money());
        }
    }
    for (const auto& [number, letters] : splitLetters)
        EXPECT_EQ(letters, std::string("ABC").substr(0, letters.size())) << "split " << number;
    EXPECT_EQ(static_cast<int>(openings.size()), options.Accounts);
    EXPECT_GT(kinds[TransCredit], 300);
    EXPECT_GT(kinds[TransDebit], 1000);
    EXPECT_GT(kinds[TransTo], 20);
    EXPECT_EQ(kinds[TransTo], kinds[TransFrom]);
    EXPECT_FALSE(splitLetters.empty());
    EXPECT_GT(unreconciled, 10);
    EXPECT_LT(unreconciled, 600);
    EXPECT_GT(DayOf(books.TransList.DateTo) - DayOf(books.TransList.DateFrom), 3 * 365);

    books.TransferList.Build(books.TransList);
    for (std::int32_t i = 0; i < books.TransferList.Count(); ++i) {
        const TTransferRec* pair = books.TransferList.Item(i);
        ASSERT_NE(pair->FromTrans, nullptr);
        EXPECT_EQ(pair->FromTrans->Amount, pair->ToTrans->Amount);
        EXPECT_EQ(pair->FromTrans->Group, pair->ToTrans->Book);
    }
}

// The running balance at the end equals the sum of every counted movement, and the view
// totals equal what the category totals and the transfers and openings add up to.
TEST(GeneratorTest, RecalculatedFiguresReconcile) {
    TLedger books;
    GenerateLedger(books, SmallBooks(11));
    Recalculate(books);

    Money movements, credits, debits, transfersIn, transfersOut, openings, taxOffice;
    for (const TTransRec* t : books.TransList.KeyList) {
        if (!t->Reconciled)
            continue;
        if (t->MainAct == books.GstPaymentCat && t->IsOrdinary())
            taxOffice -= t->Amount;
        switch (t->Kind) {
        case TransCredit: movements += t->Amount; credits += t->Amount; break;
        case TransDebit: movements -= t->Amount; debits += t->Amount; break;
        case TransFrom: movements += t->Amount; transfersIn += t->Amount; break;
        case TransTo: movements -= t->Amount; transfersOut += t->Amount; break;
        case TransOpening: movements += t->Amount; openings += t->Amount; break;
        }
    }
    EXPECT_EQ(books.TransList.KeyList.back()->Balance, movements);
    EXPECT_EQ(books.MainActList.CreditTotal, credits);
    EXPECT_EQ(books.MainActList.DebitTotal, debits);
    EXPECT_EQ(books.GroupList.CreditTotal - books.GroupList.DebitTotal, credits - debits);
    // The tax office's categories belong to the system type, which the type list leaves out.
    EXPECT_LT(taxOffice, Money());
    EXPECT_EQ(books.CatList.CreditTotal - books.CatList.DebitTotal, credits - debits - taxOffice);
    EXPECT_EQ(books.TransList.CreditTotal - books.TransList.DebitTotal, movements);
    EXPECT_EQ(books.TransList.VisibleCount, books.TransList.Count());
    EXPECT_GT(openings, Money());
    EXPECT_EQ(transfersIn, transfersOut);
}

} // namespace
} // namespace qz
