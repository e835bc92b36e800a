#include "ledger/BookDB.h"
#include "ledger/TransDB.h"
#include "platform/ScriptedPrompts.h"
#include "support/LedgerFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qz {
namespace {

using test::AddBook;
using test::ChangeLog;
using test::Units;

std::vector<int> Rows(const TBookList& books) {
    std::vector<int> rows;
    for (const TBookRec* book : books.KeyList)
        rows.push_back(book->Row);
    return rows;
}

TEST(BookDBTest, NewNumberIsOneAboveTheHighestOrZero) {
    TBookList books;
    EXPECT_EQ(books.NewNumber(), 0);
    AddBook(books, 4, "Cash");
    AddBook(books, 1, "Cheque");
    EXPECT_EQ(books.NewNumber(), 5);
    AddBook(books, 0, "Card");
    EXPECT_EQ(books.NewNumber(), 5);
}

TEST(BookDBTest, FindByNumberFollowsPutAndDelete) {
    TBookList books;
    TBookRec* cash = AddBook(books, 4, "Cash");
    TBookRec* cheque = AddBook(books, 1, "Cheque");
    EXPECT_EQ(books.FindByNumber(1), cheque);

    // The accounts window swaps two accounts with Put.
    books.Put(0, cheque);
    books.Put(1, cash);
    EXPECT_EQ(books.Items(0), cheque);
    EXPECT_EQ(books.Items(1), cash);
    EXPECT_EQ(books.FindByNumber(4), cash);
    EXPECT_EQ(books.IndexOf(cash), 1);

    ChangeLog log;
    log.Attach(books);
    books.Delete(0);
    EXPECT_EQ(books.Find(1), nullptr);
    EXPECT_EQ(books.FindByNumber(4), cash);
    EXPECT_EQ(log.Calls, (std::vector<std::pair<int, int>>{{ActionDelete, 0}}));
}

TEST(BookDBTest, NumberRowsAndRecountRowsGiveAccountPositions) {
    TBookList books;
    AddBook(books, 9, "Cash");
    AddBook(books, 2, "Cheque")->Selected = 0;
    AddBook(books, 5, "Card");
    AddBook(books, 0, "Savings");

    books.NumberRows();
    EXPECT_EQ(Rows(books), (std::vector<int>{0, 1, 2, 3})) << "every account: its key index";
    EXPECT_FALSE(books.AllSelected());

    books.RecountRows();
    EXPECT_EQ(Rows(books), (std::vector<int>{0, -1, 1, 2}));
    EXPECT_EQ(books.VisibleCount, 3);

    books.Items(1)->Selected = 1;
    books.Items(3)->Selected = 0;
    books.RecountRows();
    EXPECT_EQ(Rows(books), (std::vector<int>{0, 1, 2, -1}));
    EXPECT_EQ(books.VisibleCount, 3);

    books.Items(3)->Selected = 1;
    EXPECT_TRUE(books.AllSelected());
}

TEST(BookDBTest, SortByKeyOrdersByNumber) {
    TBookList books;
    AddBook(books, 9, "Cash");
    AddBook(books, 2, "Cheque");
    AddBook(books, 5, "Card");
    books.SortByKey();
    EXPECT_EQ(books.Items(0)->Name, "Cheque");
    EXPECT_EQ(books.Items(1)->Name, "Card");
    EXPECT_EQ(books.Items(2)->Name, "Cash");
    EXPECT_EQ(books.Sorted, 1);
}

TEST(BookDBTest, ValidateNameTrimsAndRejectsEmptyAndDuplicateNames) {
    struct Case {
        std::string Typed;
        bool Valid;
        std::string Trimmed;
        std::string Message; // empty: no message
    };
    const Case cases[] = {
        {" Savings ", true, "Savings", ""},
        {"Cash box", true, "Cash box", ""},
        {"", false, "", "Account name ''' not valid!"},
        {"\t ", false, "", "Account name ''' not valid!"},
        {"Cash", false, "Cash", "Account name 'Cash' is already in use."},
        {"  cHEQUE ", false, "cHEQUE", "Account name 'cHEQUE' is already in use."},
    };
    TBookList books;
    AddBook(books, 0, "Cash");
    AddBook(books, 1, "Cheque");

    for (const Case& c : cases) {
        ScriptedPrompts prompts;
        std::string name = c.Typed;
        EXPECT_EQ(books.ValidateName(name, prompts), c.Valid) << "'" << c.Typed << "'";
        EXPECT_EQ(name, c.Trimmed) << "'" << c.Typed << "'";
        if (c.Message.empty()) {
            EXPECT_TRUE(prompts.Messages.empty()) << "'" << c.Typed << "'";
            continue;
        }
        ASSERT_EQ(prompts.Messages.size(), 1u) << "'" << c.Typed << "'";
        EXPECT_EQ(prompts.Messages[0].Text, c.Message);
        EXPECT_EQ(prompts.Messages[0].Kind, MsgKind::Warning);
        EXPECT_EQ(prompts.Messages[0].Buttons, MsgButtons::Ok);
    }
}

TEST(BookDBTest, BalanceAndOpeningBalanceTexts) {
    const TDisplayFormats formats;
    TBookList books;
    TBookRec* cash = AddBook(books, 0, "Cash");
    cash->CreditTotal = Units(1200);
    cash->DebitTotal = Money::FromCents(125050);

    EXPECT_EQ(cash->Balance(), Money::FromCents(-5050));
    EXPECT_EQ(books.BalanceText(*cash, formats), "-$50.50");
    EXPECT_EQ(books.OpeningBalanceText(*cash, formats), "$0.00") << "no opening balance";

    TTransRec opening;
    opening.Kind = TransOpening;
    opening.Amount = Units(-75);
    cash->OpeningTrans = &opening;
    EXPECT_EQ(cash->OpeningBalance(), Units(-75));
    EXPECT_EQ(books.OpeningBalanceText(*cash, formats), "-$75.00");
}

TEST(BookDBTest, ClearEmptiesTheList) {
    TBookList books;
    AddBook(books, 0, "Cash");
    AddBook(books, 1, "Cheque");
    books.RecountRows();
    books.Clear();
    EXPECT_EQ(books.Count(), 0);
    EXPECT_TRUE(books.RowList.empty());
    EXPECT_EQ(books.VisibleCount, 0);
    EXPECT_EQ(books.Find(0), nullptr);
    EXPECT_EQ(books.NewNumber(), 0);
}

} // namespace
} // namespace qz
