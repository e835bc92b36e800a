#pragma once
// The list base shared by every record list: two orders of the same records (the key order
// `KeyList`, read through Items, and the worksheet's view order `RowList`), and the storage
// hook `OnChange` through which every add, change and delete reaches the document.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qz {

// Raised only for a list index out of range; each list has its own class and message.
class EListIndexError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

enum ChangeAction : std::uint8_t { ActionAdd = 0, ActionChange = 1, ActionDelete = 2 };

template <class Rec> class TBaseDBList {
public:
    using ChangeHook = std::function<void(std::uint8_t action, std::int32_t index)>;

    ChangeHook OnChange;
    std::uint8_t Notify = 1;   // 0 while the file manager loads the list
    std::vector<Rec*> RowList; // view order (the worksheet's)
    std::vector<Rec*> KeyList; // key order; Items(i) reads it
    std::uint8_t Sorted = 0;

    TBaseDBList() = default;
    TBaseDBList(const TBaseDBList&) = delete;
    TBaseDBList& operator=(const TBaseDBList&) = delete;
    virtual ~TBaseDBList() { FreeAll(); }

    std::int32_t Count() const { return static_cast<std::int32_t>(KeyList.size()); }

    Rec* Items(std::int32_t index) const {
        if (index < 0 || index >= Count())
            RaiseIndexError(index);
        return KeyList[static_cast<std::size_t>(index)];
    }

    // Takes ownership of `record`, appends it to both orders and reports the add.
    virtual std::int32_t Add(Rec* record) {
        RowList.push_back(record);
        KeyList.push_back(record);
        Sorted = 0;
        RecordsChanged();
        const std::int32_t index = Count() - 1;
        Report(ActionAdd, index);
        return index;
    }

    // Reports the delete while the record is still at `index`, then removes and frees it.
    virtual void Delete(std::int32_t index) {
        Rec* record = Items(index);
        auto row = std::find(RowList.begin(), RowList.end(), record);
        if (row != RowList.end())
            RowList.erase(row);
        Report(ActionDelete, index);
        KeyList.erase(KeyList.begin() + index);
        RecordsChanged();
        delete record;
    }

    void Changed(std::int32_t index) {
        RecordsChanged();
        Report(ActionChange, index);
    }

    template <class Less> void Sort(Less less) {
        std::stable_sort(KeyList.begin(), KeyList.end(), less);
        Sorted = 1;
    }

    // Puts back orders kept earlier (the records stay owned by the list): an edit whose changes
    // the document did not take returns the list to what the document holds.
    void ReplaceOrders(std::vector<Rec*> keys, std::vector<Rec*> rows) {
        KeyList = std::move(keys);
        RowList = std::move(rows);
        RecordsChanged();
    }

    std::int32_t IndexOf(const Rec* record) const {
        auto it = std::find(KeyList.begin(), KeyList.end(), record);
        return it == KeyList.end() ? -1 : static_cast<std::int32_t>(it - KeyList.begin());
    }

    void SetCapacity(std::int32_t capacity) {
        if (capacity > 0) {
            RowList.reserve(static_cast<std::size_t>(capacity));
            KeyList.reserve(static_cast<std::size_t>(capacity));
        }
    }

protected:
    [[noreturn]] virtual void RaiseIndexError(std::int32_t index) const = 0;

    // Called whenever records come, go or change, so derived lists can drop look-up caches.
    virtual void RecordsChanged() {}

    void Report(std::uint8_t action, std::int32_t index) {
        if (Notify && OnChange)
            OnChange(action, index);
    }

    void FreeAll() {
        for (Rec* record : KeyList)
            delete record;
        KeyList.clear();
        RowList.clear();
        RecordsChanged();
    }

    // The record whose Row is `row`: first the one at that view position, then a search forward.
    Rec* FindRow(std::int32_t row) const {
        if (row < 0 || row >= Count())
            return nullptr;
        for (std::size_t i = static_cast<std::size_t>(row); i < RowList.size(); ++i)
            if (RowList[i]->Row == row)
                return RowList[i];
        return nullptr;
    }
};

} // namespace qz
