#pragma once
// What a transaction save or deletion changes in the transaction list, kept so that a commit
// given up leaves memory as the file holds it. Unlike keeping the list's orders whole, it keeps
// only the records touched and their places: a million-record list is not copied for one save.
// The categories, groups and accounts are not touched by these edits; the figures derived from
// transactions are worked out again by the caller.

#include "ledger/TransDB.h"

#include <utility>
#include <vector>

namespace qz {

class TTransUndo {
public:
    explicit TTransUndo(TTransList& list) : List(list), DateFrom(list.DateFrom), DateTo(list.DateTo) {}

    // Before a stored record takes new values.
    void Changing(TTransRec* record) { Changed.emplace_back(record, *record); }
    // After a record was added (at the end of both orders).
    void Added(TTransRec* record) { AddedRecords.push_back(record); }
    // Before the record at key index `index` is deleted.
    void Deleting(std::int32_t index);

    // Everything back as it was: deleted records return to their places (as new objects),
    // added ones go, changed ones take their old values, the worksheet's span as it was.
    void Restore();

private:
    struct TDeleted {
        TTransRec Value;
        std::size_t Key;
        std::ptrdiff_t Row; // -1: not in the view order
    };
    TTransList& List;
    TDateTime DateFrom;
    TDateTime DateTo;
    std::vector<std::pair<TTransRec*, TTransRec>> Changed;
    std::vector<TTransRec*> AddedRecords;
    std::vector<TDeleted> Deleted;
};

} // namespace qz
