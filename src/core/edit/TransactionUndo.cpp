#include "TransactionUndo.h"

#include <algorithm>

namespace qz {

void TTransUndo::Deleting(std::int32_t index) {
    TTransRec* record = List.Items(index);
    const auto row = std::find(List.RowList.begin(), List.RowList.end(), record);
    Deleted.push_back(
        {*record, static_cast<std::size_t>(index), row == List.RowList.end() ? -1 : row - List.RowList.begin()});
}

// Undone in the reverse order of the edit: each deleted record goes back where it stood when it
// was deleted, and the records added stand after all of them, at the ends of both orders.
void TTransUndo::Restore() {
    std::vector<TTransRec*> keys = std::move(List.KeyList);
    std::vector<TTransRec*> rows = std::move(List.RowList);
    for (auto deleted = Deleted.rbegin(); deleted != Deleted.rend(); ++deleted) {
        auto* back = new TTransRec(deleted->Value);
        keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(deleted->Key), back);
        if (deleted->Row >= 0)
            rows.insert(rows.begin() + deleted->Row, back);
    }
    for (TTransRec* added : AddedRecords) {
        for (std::vector<TTransRec*>* order : {&keys, &rows}) {
            auto at = std::find(order->rbegin(), order->rend(), added);
            if (at != order->rend())
                order->erase(std::next(at).base());
        }
        delete added;
    }
    for (auto changed = Changed.rbegin(); changed != Changed.rend(); ++changed)
        *changed->first = changed->second;
    List.ReplaceOrders(std::move(keys), std::move(rows));
    List.DateFrom = DateFrom;
    List.DateTo = DateTo;
    Deleted.clear();
    AddedRecords.clear();
    Changed.clear();
}

} // namespace qz
