#pragma once
// A look-up of records by number that is rebuilt only when the list changed, so that finding
// a record by its number is not a search. A hit is checked against the record itself, and a
// miss rebuilds once, so a number changed without notice is still found.

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace qz {

template <class Rec, class KeyOf> class NumberIndex {
public:
    void Invalidate() { Valid = false; }

    Rec* Find(std::int64_t key, const std::vector<Rec*>& records) const {
        if (Valid) {
            auto it = Map.find(key);
            if (it != Map.end() && KeyOf{}(*it->second) == key)
                return it->second;
        }
        Rebuild(records);
        auto it = Map.find(key);
        return it == Map.end() ? nullptr : it->second;
    }

private:
    void Rebuild(const std::vector<Rec*>& records) const {
        Map.clear();
        Map.reserve(records.size());
        for (Rec* record : records)
            Map.emplace(KeyOf{}(*record), record); // the first in key order wins
        Valid = true;
    }

    mutable std::unordered_map<std::int64_t, Rec*> Map;
    mutable bool Valid = false;
};

struct ByNumber {
    template <class Rec> std::int64_t operator()(const Rec& r) const { return r.Number; }
};

} // namespace qz
