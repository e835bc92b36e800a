#pragma once
// Small builders for ledger tests: records with the fields a test cares about, a recorder of
// the storage hook, and a linked sample ledger whose transactions carry readable labels.

#include "engine/Engine.h"
#include "ledger/Ledger.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace qz::test {

inline Money Units(std::int64_t units) {
    return Money::FromUnits(units);
}
inline Money Cents(std::int64_t cents) {
    return Money::FromCents(cents);
}

// Records every OnChange call of a list as (action, index).
struct ChangeLog {
    std::vector<std::pair<int, int>> Calls;

    template <class List> void Attach(List& list) {
        list.OnChange = [this](std::uint8_t action, std::int32_t index) { Calls.emplace_back(action, index); };
    }
};

inline TCatRec* AddCatType(TCatList& list, std::int16_t number, const std::string& name, std::uint8_t side,
                           std::int16_t kind, Money total = Money()) {
    auto* type = new TCatRec;
    type->Number = number;
    type->Name = name;
    type->Side = side;
    type->Kind = kind;
    type->Total = total;
    list.Add(type);
    return type;
}

inline TMainActRec* AddCategory(TMainActList& list, std::int32_t number, const std::string& name, std::uint8_t side,
                                Money total = Money(), std::int32_t catType = 0) {
    auto* category = new TMainActRec;
    category->Number = number;
    category->Name = name;
    category->Side = side;
    category->Total = total;
    category->CatType = catType;
    list.Add(category);
    return category;
}

inline TSubActRec* AddSub(TSubActList& list, std::int32_t mainAct, std::int32_t number, const std::string& name,
                          std::uint8_t side, Money total = Money()) {
    auto* sub = new TSubActRec;
    sub->MainAct = mainAct;
    sub->Number = number;
    sub->Name = name;
    sub->Side = side;
    sub->Total = total;
    list.Add(sub);
    return sub;
}

inline TGroupRec* AddGroup(TGroupList& list, std::int32_t number, const std::string& name, Money credit = Money(),
                           Money debit = Money()) {
    auto* group = new TGroupRec;
    group->Number = number;
    group->Name = name;
    group->CreditTotal = credit;
    group->DebitTotal = debit;
    list.Add(group);
    return group;
}

inline TBookRec* AddBook(TBookList& list, std::int32_t number, const std::string& name) {
    auto* book = new TBookRec;
    book->Number = number;
    book->Name = name;
    list.Add(book);
    return book;
}

inline TTransRec* NewTrans(std::uint8_t kind, std::int32_t number, TDateTime date, Money amount) {
    auto* t = new TTransRec;
    t->Kind = kind;
    t->Number = number;
    t->Date = date;
    t->Amount = amount;
    return t;
}

inline TTransRec* AddTrans(TTransList& list, std::uint8_t kind, std::int32_t number, TDateTime date, Money amount) {
    TTransRec* t = NewTrans(kind, number, date, amount);
    list.Add(t);
    return t;
}

// Two accounts whose positions run against their numbers (Cash: number 7, position 0;
// Cheque: number 3, position 1), three categories, four sub categories, three groups and
// eight transactions over two days, added in a scrambled order, linked and all in the selection.
//
//   label     kind  account  number  date      category     sub          group     amount  ref    notes
//   OpCash    3     Cash     50      45000.0                                       500
//   OpCheque  3     Cheque   1       45000.0                                       -20
//   T13       1     Cash     13      45000.9   100 Sales    100-1 Retail G0 Shop   40      r0     m
//   T11       2     Cheque   11      45001.2   300 Materials 300-2 Bricks G2 Jobs  30      R10    a
//   T12A      1     Cash     12A     45001.5   100 Sales    100-1 Retail G1 Office 40      R1b    a
//   T12B      2     Cash     12B     45001.5   200 Advert.  200-3 Print  G0 Shop   5       R1     a
//   T20       5     Cheque   20      45001.0   (to Cash, partner 21)               35      X      B
//   T21       4     Cash     21      45001.0   (from Cheque, partner 20)           35      X
struct SampleLedger {
    TLedger Ledger;
    std::map<const TTransRec*, std::string> Labels;

    SampleLedger() {
        AddBook(Ledger.BookList, 7, "Cash");
        AddBook(Ledger.BookList, 3, "Cheque");
        Ledger.BookList.NumberRows();

        AddCategory(Ledger.MainActList, 100, "Sales", SideCredit);
        AddCategory(Ledger.MainActList, 200, "Advertising", SideDebit);
        AddCategory(Ledger.MainActList, 300, "Materials", SideDebit);
        AddSub(Ledger.SubActList, 100, 1, "Retail", SideCredit);
        AddSub(Ledger.SubActList, 200, 3, "Print", SideDebit);
        AddSub(Ledger.SubActList, 300, 2, "Bricks", SideDebit);
        AddSub(Ledger.SubActList, 300, 1, "Timber", SideDebit);
        AddGroup(Ledger.GroupList, 0, "Shop");
        AddGroup(Ledger.GroupList, 1, "Office");
        AddGroup(Ledger.GroupList, 2, "Jobs");

        Transfer("T21", TransFrom, 21, 45001.0, 7, 3, 20, Units(35), "X", "");
        Ordinary("T12B", TransDebit, 12, 'B', 45001.5, 7, 200, 3, 0, Units(5), "R1", "a");
        Ordinary("T11", TransDebit, 11, '0', 45001.2, 3, 300, 2, 2, Units(30), "R10", "a");
        Opening("OpCash", 50, 45000.0, 7, Units(500));
        Transfer("T20", TransTo, 20, 45001.0, 3, 7, 21, Units(35), "X", "B");
        Ordinary("T13", TransCredit, 13, '0', 45000.9, 7, 100, 1, 0, Units(40), "r0", "m");
        Ordinary("T12A", TransCredit, 12, 'A', 45001.5, 7, 100, 1, 1, Units(40), "R1b", "a");
        Opening("OpCheque", 1, 45000.0, 3, Units(-20));

        LinkRecords(Ledger);
        for (TTransRec* t : Ledger.TransList.KeyList)
            t->InSelection = 1;
    }

    TTransRec* operator[](const std::string& label) const {
        for (const auto& [record, name] : Labels)
            if (name == label)
                return const_cast<TTransRec*>(record);
        return nullptr;
    }

    std::vector<std::string> LabelsOf(const std::vector<TTransRec*>& records) const {
        std::vector<std::string> names;
        for (const TTransRec* t : records)
            names.push_back(Labels.at(t));
        return names;
    }

    // The labels of the records with a row, in row order, looked up through RowItem.
    std::vector<std::string> RowLabels() const {
        std::vector<std::string> names;
        for (std::int32_t row = 0; row < Ledger.TransList.VisibleCount; ++row) {
            const TTransRec* t = Ledger.TransList.RowItem(row);
            names.push_back(t ? Labels.at(t) : "<none>");
        }
        return names;
    }

private:
    TTransRec* Labelled(const std::string& label, std::uint8_t kind, std::int32_t number, TDateTime date,
                        std::int16_t book, Money amount) {
        TTransRec* t = NewTrans(kind, number, date, amount);
        t->Book = book;
        Labels[t] = label;
        return t;
    }

    void Ordinary(const std::string& label, std::uint8_t kind, std::int32_t number, char split, TDateTime date,
                  std::int16_t book, std::int32_t mainAct, std::int32_t subAct, std::uint16_t group, Money amount,
                  const std::string& reference, const std::string& notes) {
        TTransRec* t = Labelled(label, kind, number, date, book, amount);
        t->Split = split;
        t->MainAct = mainAct;
        t->SubAct = subAct;
        t->Group = group;
        t->Reference = reference;
        t->Notes = notes;
        Ledger.TransList.Add(t);
    }

    void Transfer(const std::string& label, std::uint8_t kind, std::int32_t number, TDateTime date, std::int16_t book,
                  std::uint16_t otherBook, std::int32_t partner, Money amount, const std::string& reference,
                  const std::string& notes) {
        TTransRec* t = Labelled(label, kind, number, date, book, amount);
        t->MainAct = partner;
        t->Group = otherBook;
        t->Reference = reference;
        t->Notes = notes;
        Ledger.TransList.Add(t);
    }

    void Opening(const std::string& label, std::int32_t number, TDateTime date, std::int16_t book, Money amount) {
        Ledger.TransList.Add(Labelled(label, TransOpening, number, date, book, amount));
    }
};

} // namespace qz::test
