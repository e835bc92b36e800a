#pragma once
// A small set of books built by hand: two accounts, a credit and a debit category with
// sub categories, two groups, and transactions added one line each.

#include "engine/Engine.h"
#include "ledger/DateTime.h"

#include <gtest/gtest.h>

namespace qz::testing {

inline TDateTime Day(int year, int month, int day) { return EncodeDate(year, month, day); }
inline Money Cash(double value) { return Money::FromDouble(value); }

class EngineFixture : public ::testing::Test {
protected:
    static constexpr std::int32_t Sales = 100;   // credit category, type 0 ("General Income")
    static constexpr std::int32_t Rent = 200;    // debit category, type 6 ("Overheads")
    static constexpr std::int32_t TaxPaid = 900; // GST payments
    static constexpr std::int32_t TaxBack = 901; // GST refunds

    void SetUp() override {
        L.CatList.AddDefaults();
        Category(Sales, "Sales", SideCredit, 0);
        Category(Rent, "Rent", SideDebit, 6);
        Category(TaxPaid, "GST", SideDebit, 6);
        Category(TaxBack, "GST", SideCredit, 0);
        for (std::int32_t c : {Sales, Rent, TaxPaid, TaxBack}) {
            Sub(c, 1, "One");
            Sub(c, 2, "Two");
        }
        L.GroupList.AddNamed("General");
        L.GroupList.AddNamed("Shop");
        Account(0, "Cheque");
        Account(1, "Savings");
        L.GstPaymentCat = TaxPaid;
        L.GstRefundCat = TaxBack;
    }

    void Category(std::int32_t number, const char* name, std::uint8_t side, std::int32_t type) {
        auto* c = new TMainActRec;
        c->Number = number;
        c->Name = name;
        c->Side = side;
        c->CatType = type;
        L.MainActList.Add(c);
    }
    void Sub(std::int32_t mainAct, std::int32_t number, const char* name) {
        auto* s = new TSubActRec;
        s->MainAct = mainAct;
        s->Number = number;
        s->Name = name;
        s->Side = L.MainActList.FindByNumber(mainAct)->Side;
        L.SubActList.Add(s);
    }
    void Account(std::int32_t number, const char* name) {
        auto* b = new TBookRec;
        b->Number = number;
        b->Name = name;
        L.BookList.Add(b);
    }

    TTransRec* Add(std::uint8_t kind, TDateTime date, double amount, std::int32_t mainAct = 0, std::int32_t subAct = 1,
                   std::uint16_t group = 0, std::int16_t book = 0) {
        auto* t = new TTransRec;
        t->Number = NextNumber++;
        t->Kind = kind;
        t->Date = date;
        t->Amount = Cash(amount);
        t->MainAct = mainAct;
        t->SubAct = subAct;
        t->Group = group;
        t->Book = book;
        L.TransList.Add(t);
        return t;
    }
    TTransRec* Credit(TDateTime date, double amount, std::int32_t mainAct = Sales, std::uint16_t group = 0,
                      std::int16_t book = 0) {
        return Add(TransCredit, date, amount, mainAct, 1, group, book);
    }
    TTransRec* Debit(TDateTime date, double amount, std::int32_t mainAct = Rent, std::uint16_t group = 0,
                     std::int16_t book = 0) {
        return Add(TransDebit, date, amount, mainAct, 1, group, book);
    }
    TTransRec* Opening(TDateTime date, double amount, std::int16_t book = 0) {
        return Add(TransOpening, date, amount, 0, 0, 0, book);
    }
    // A transfer out of `from` into `to`: the Kind 5 half and its Kind 4 partner.
    std::pair<TTransRec*, TTransRec*> Transfer(TDateTime date, double amount, std::int16_t from, std::int16_t to) {
        TTransRec* out = Add(TransTo, date, amount, 0, 0, static_cast<std::uint16_t>(to), from);
        TTransRec* in = Add(TransFrom, date, amount, 0, 0, static_cast<std::uint16_t>(from), to);
        out->MainAct = in->Number;
        in->MainAct = out->Number;
        return {out, in};
    }

    // Links, puts both orders in date order and opens the date range over everything.
    void Finish() {
        L.BookList.NumberRows();
        LinkRecords(L);
        L.TransList.SortByKey();
        L.TransList.RowList = L.TransList.KeyList;
        L.TransList.ResetRange(2);
    }

    // The transactions that have a row, in row order.
    std::vector<const TTransRec*> Rows() const {
        std::vector<const TTransRec*> rows;
        for (const TTransRec* t : L.TransList.RowList)
            if (t->Row != -1)
                rows.push_back(t);
        return rows;
    }

    TLedger L;
    std::int32_t NextNumber = 1;
};

} // namespace qz::testing
