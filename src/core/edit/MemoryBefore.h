#pragma once
// What an operation is about to change in memory, kept so that a change the document did not
// take can be taken back: after a commit given up, memory holds exactly what the file holds.
// Orders are kept whole (pointers only); records by value, only those touched.

#include "edit/EditContext.h"
#include "ledger/Ledger.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace qz {

template <class Rec> class TListBefore {
public:
    template <class List> void KeepOrders(const List& list) {
        if (Kept)
            return;
        Keys = list.KeyList;
        Rows = list.RowList;
        Kept = true;
    }
    // Before a record changes (or is deleted: call Deleting as well).
    template <class List> void Keep(const List& list, Rec* record) {
        KeepOrders(list);
        if (Values.find(record) == Values.end())
            Values.emplace(record, *record);
    }
    template <class List> void Deleting(const List& list, Rec* record) {
        Keep(list, record);
        Deleted.insert(record);
    }

    // Puts the list back: changed records take their old values, deleted ones come back (as
    // new objects), added ones go. Answers whether any record came back.
    template <class List> bool Restore(List& list) {
        if (!Kept)
            return false;
        std::unordered_set<Rec*> before;
        for (Rec* record : Keys)
            if (Deleted.find(record) == Deleted.end())
                before.insert(record);
        for (Rec* record : list.KeyList)
            if (before.find(record) == before.end())
                delete record; // added by the operation
        std::unordered_map<Rec*, Rec*> back;
        for (auto& [record, value] : Values) {
            if (Deleted.count(record))
                back[record] = new Rec(value);
            else
                *record = value;
        }
        auto mapped = [&](std::vector<Rec*> order) {
            for (Rec*& record : order)
                if (auto it = back.find(record); it != back.end())
                    record = it->second;
            return order;
        };
        list.ReplaceOrders(mapped(Keys), mapped(Rows));
        return !back.empty();
    }

private:
    bool Kept = false;
    std::vector<Rec*> Keys;
    std::vector<Rec*> Rows;
    std::unordered_map<Rec*, Rec> Values;
    std::unordered_set<Rec*> Deleted;
};

class TMemoryBefore {
public:
    explicit TMemoryBefore(TLedger& ledger)
        : Ledger(ledger), DateFrom(ledger.TransList.DateFrom), DateTo(ledger.TransList.DateTo) {}

    void Keep(TCatRec* r) { Types.Keep(Ledger.CatList, r); }
    void Keep(TMainActRec* r) { Categories.Keep(Ledger.MainActList, r); }
    void Keep(TSubActRec* r) { Subs.Keep(Ledger.SubActList, r); }
    void Keep(TGroupRec* r) { Groups.Keep(Ledger.GroupList, r); }
    void Keep(TBookRec* r) { Books.Keep(Ledger.BookList, r); }
    void Keep(TTransRec* r) { Trans.Keep(Ledger.TransList, r); }
    void Deleting(TCatRec* r) { Types.Deleting(Ledger.CatList, r); }
    void Deleting(TMainActRec* r) { Categories.Deleting(Ledger.MainActList, r); }
    void Deleting(TSubActRec* r) { Subs.Deleting(Ledger.SubActList, r); }
    void Deleting(TGroupRec* r) { Groups.Deleting(Ledger.GroupList, r); }
    void Deleting(TBookRec* r) { Books.Deleting(Ledger.BookList, r); }
    void Deleting(TTransRec* r) { Trans.Deleting(Ledger.TransList, r); }
    // Before records are added to (or reordered in) a list.
    void KeepOrders(const TCatList& l) { Types.KeepOrders(l); }
    void KeepOrders(const TMainActList& l) { Categories.KeepOrders(l); }
    void KeepOrders(const TSubActList& l) { Subs.KeepOrders(l); }
    void KeepOrders(const TGroupList& l) { Groups.KeepOrders(l); }
    void KeepOrders(const TBookList& l) { Books.KeepOrders(l); }
    void KeepOrders(const TTransList& l) { Trans.KeepOrders(l); }

    // Everything back as it was, with the references between records resolved again.
    void Restore();

private:
    TLedger& Ledger;
    TDateTime DateFrom; // an added transaction may have widened the worksheet's range
    TDateTime DateTo;
    TListBefore<TCatRec> Types;
    TListBefore<TMainActRec> Categories;
    TListBefore<TSubActRec> Subs;
    TListBefore<TGroupRec> Groups;
    TListBefore<TBookRec> Books;
    TListBefore<TTransRec> Trans;
};

// Commits the group of an operation's changes. When the commit was given up, memory goes back
// to what the file holds and the outcome says nothing was stored (and that everything is to be
// drawn again).
TEditOutcome FinishEdit(TChangeGroup& group, TMemoryBefore& before, TEditOutcome outcome);

} // namespace qz
