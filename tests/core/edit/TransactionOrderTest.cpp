// Placing the records an edit added or changed into a sorted order gives exactly the list a
// full stable sort gives, in every view order and in the key order, after random edits that
// make many records equal in the order (shared references, notes, amounts, split letters).

#include "edit/TransactionOrder.h"
#include "engine/Engine.h"
#include "engine/Generator.h"

#include <gtest/gtest.h>

#include <random>

namespace qz::testing {
namespace {

class Editor {
public:
    Editor(TLedger& ledger, std::uint32_t seed) : L(ledger), Random(seed) {}

    int Pick(int n) { return static_cast<int>(Random() % static_cast<unsigned>(n)); }
    TTransRec* Any() { return L.TransList.Items(Pick(L.TransList.Count())); }

    // New records, changed ones and deleted ones, as an editor's session leaves them; the
    // records added or changed.
    std::vector<TTransRec*> Edit() {
        std::vector<TTransRec*> moved;
        for (int i = Pick(4); i > 0; --i) {
            auto* added = new TTransRec(*Any());
            added->Number = L.TransList.NewNumber();
            added->Split = "0AB"[Pick(3)];
            added->FilePos = 0;
            L.TransList.Add(added);
            moved.push_back(added);
        }
        for (int i = Pick(4); i > 0; --i) {
            TTransRec* changed = Any();
            const TTransRec* other = Any();
            switch (Pick(6)) {
            case 0:
                changed->Date = other->Date + Pick(3);
                break;
            case 1:
                changed->Amount = other->Amount;
                break;
            case 2:
                changed->Reference = other->Reference;
                break;
            case 3:
                changed->Notes = other->Notes;
                break;
            case 4:
                if (changed->IsOrdinary() && other->IsOrdinary()) {
                    changed->MainAct = other->MainAct;
                    changed->SubAct = other->SubAct;
                    changed->Group = other->Group;
                    LinkTransaction(L, *changed);
                }
                break;
            default:
                changed->Split = "0ABC"[Pick(4)];
                break;
            }
            moved.push_back(changed);
        }
        for (int i = Pick(3); i > 0; --i) {
            const std::int32_t index = Pick(L.TransList.Count());
            TTransRec* deleted = L.TransList.Items(index);
            if (deleted->Kind == TransOpening)
                continue;
            std::erase(moved, deleted);
            L.TransList.Delete(index);
        }
        return moved;
    }

private:
    TLedger& L;
    std::mt19937 Random;
};

TEST(TransactionOrder, PlacingTheEditedRecordsGivesTheFullSort) {
    for (std::uint8_t order = 0; order <= 12; ++order) {
        SCOPED_TRACE(int(order));
        TLedger ledger;
        TGeneratorOptions options;
        options.Seed = 7 + order;
        options.Transactions = 1500;
        GenerateLedger(ledger, options);
        Editor editor(ledger, order);
        // Many records equal in the order: shared references, notes and amounts.
        for (int i = 0; i < 600; ++i) {
            TTransRec* t = editor.Any();
            const TTransRec* other = editor.Any();
            t->Reference = other->Reference;
            t->Notes = other->Notes;
            t->Amount = other->Amount;
        }
        TTransList& list = ledger.TransList;
        list.SortRows(order);
        list.SortByKey();
        for (int round = 0; round < 40; ++round) {
            SCOPED_TRACE(round);
            const std::vector<TTransRec*> moved = editor.Edit();
            std::vector<TTransRec*> rows = list.RowList;
            std::vector<TTransRec*> keys = list.KeyList;
            PlaceInOrder(rows, moved, order);
            PlaceInOrder(keys, moved, 1);
            list.SortRows(order);
            list.SortByKey();
            ASSERT_EQ(rows, list.RowList);
            ASSERT_EQ(keys, list.KeyList);
            if (order <= 11) {
                ASSERT_TRUE(InOrder(rows, order));
            }
        }
    }
}

} // namespace
} // namespace qz::testing
