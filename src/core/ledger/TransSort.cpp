// The view orders of the transactions. Each record's sort key is built once, so a sort of a
// million records compares small values instead of chasing references on every comparison.

#include "TransDB.h"
#include "TransOrderParts.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace qz {

namespace {

struct SortKey {
    std::int64_t Lead = 0;
    std::string_view Text;
    double When = 0;
    std::int64_t Rest[4] = {};
    auto operator<=>(const SortKey&) const = default;
};

struct Keyed {
    SortKey Key;
    TTransRec* Record;
};

using namespace orderparts;

// The orders by free texts: 2 (reference) and 11 (notes).
SortKey KeyOf(const TTransRec& t, std::uint8_t order) {
    SortKey key;
    if (order == 2) {
        key.Lead = RankKind(t);
        if (t.Kind == TransOpening) {
            key.Rest[0] = Position(t);
        } else {
            key.Text = t.Reference.View();
            key.Rest[0] = t.Number;
        }
    } else {
        key.Text = t.Notes;
        key.When = SortableDate(t.Date);
        key.Rest[0] = Position(t);
        key.Rest[1] = RankOpening(t);
        key.Rest[2] = t.Number;
        key.Rest[3] = Letter(t);
    }
    return key;
}

// Orders without free texts pack their key into three words; the names of categories, sub
// categories and groups enter as their rank among the names, so those orders pack too.
struct Packed {
    std::uint64_t K[3];
    std::uint32_t Position; // the place before the sort: equal keys keep their order
    TTransRec* Record;
    bool operator<(const Packed& other) const {
        if (K[0] != other.K[0])
            return K[0] < other.K[0];
        if (K[1] != other.K[1])
            return K[1] < other.K[1];
        if (K[2] != other.K[2])
            return K[2] < other.K[2];
        return Position < other.Position;
    }
};

// Maps a signed value onto an unsigned one of the same order.
std::uint64_t Biased(std::int64_t value) {
    return static_cast<std::uint64_t>(value) ^ (1ull << 63);
}
std::uint64_t Biased32(std::int64_t value) {
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(value)) ^ (1u << 31);
}

// The rank of each record's name among the distinct names, for the orders by name.
template <class Rec> class NameRanks {
public:
    template <class Get> NameRanks(const std::vector<TTransRec*>& records, Get get) {
        std::vector<const Rec*> distinct;
        for (const TTransRec* t : records)
            if (const Rec* r = get(*t); r && Ranks.try_emplace(r, 0).second)
                distinct.push_back(r);
        std::sort(distinct.begin(), distinct.end(), [](const Rec* a, const Rec* b) { return a->Name < b->Name; });
        std::uint64_t rank = 1;
        for (std::size_t i = 0; i < distinct.size(); ++i) {
            if (i > 0 && !(distinct[i - 1]->Name == distinct[i]->Name))
                ++rank;
            Ranks[distinct[i]] = rank;
        }
    }
    // No record, or one the ranking did not see, reads as the empty name.
    std::uint64_t Of(const Rec* r) const {
        auto it = Ranks.find(r);
        return it == Ranks.end() ? 0 : it->second;
    }

private:
    std::unordered_map<const Rec*, std::uint64_t> Ranks;
};

// Orders 3 to 8 packed: openings by position, transfers by kind then position, ordinary
// ones by `field`, then number.
Packed PackClassification(const TTransRec& t, std::uint64_t field) {
    Packed p{};
    p.K[0] = static_cast<std::uint64_t>(RankKind(t));
    if (t.Kind == TransOpening) {
        p.K[1] = Biased(Position(t));
    } else if (t.IsTransfer()) {
        p.K[1] = t.Kind;
        p.K[2] = Biased(Position(t));
    } else {
        p.K[1] = field;
        p.K[2] = Biased(t.Number);
    }
    return p;
}

template <class Field> void PackedSort(std::vector<TTransRec*>& records, Field pack) {
    std::vector<Packed> keyed(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        keyed[i] = pack(*records[i]);
        keyed[i].Position = static_cast<std::uint32_t>(i);
        keyed[i].Record = records[i];
    }
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 0; i < keyed.size(); ++i)
        records[i] = keyed[i].Record;
}

void SortByKeyOf(std::vector<TTransRec*>& records, std::uint8_t order) {
    std::vector<Keyed> keyed;
    keyed.reserve(records.size());
    for (TTransRec* t : records)
        keyed.push_back({KeyOf(*t, order), t});
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.Key < b.Key; });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        records[i] = keyed[i].Record;
}

void SortByOrder(std::vector<TTransRec*>& records, std::uint8_t order) {
    switch (order) {
    case 0:
        return PackedSort(records, [](const TTransRec& t) {
            Packed p{};
            p.K[0] = static_cast<std::uint64_t>(RankOpening(t));
            if (t.Kind == TransOpening) {
                p.K[1] = Biased(Position(t));
            } else {
                p.K[1] = Biased(t.Number);
                p.K[2] = static_cast<std::uint64_t>(Letter(t));
            }
            return p;
        });
    case 1:
        return PackedSort(records, [](const TTransRec& t) {
            Packed p{};
            p.K[0] = Biased(Day(t));
            p.K[1] = Biased(Position(t));
            p.K[2] = static_cast<std::uint64_t>(RankOpening(t)) << 40 | Biased32(t.Number) << 8 |
                     static_cast<std::uint64_t>(Letter(t));
            return p;
        });
    case 3:
        return PackedSort(records, [](const TTransRec& t) { return PackClassification(t, Biased(t.MainAct)); });
    case 4: {
        const NameRanks<TMainActRec> ranks(records,
                                           [](const TTransRec& t) { return t.IsOrdinary() ? t.MainActRec : nullptr; });
        return PackedSort(records, [&](const TTransRec& t) { return PackClassification(t, ranks.Of(t.MainActRec)); });
    }
    case 5:
        return PackedSort(records, [](const TTransRec& t) { return PackClassification(t, Biased(t.SubAct)); });
    case 6: {
        const NameRanks<TSubActRec> ranks(records,
                                          [](const TTransRec& t) { return t.IsOrdinary() ? t.SubActRec : nullptr; });
        return PackedSort(records, [&](const TTransRec& t) { return PackClassification(t, ranks.Of(t.SubActRec)); });
    }
    case 7:
        return PackedSort(records, [](const TTransRec& t) { return PackClassification(t, t.Group); });
    case 8: {
        const NameRanks<TGroupRec> ranks(records,
                                         [](const TTransRec& t) { return t.IsOrdinary() ? t.GroupRec : nullptr; });
        return PackedSort(records, [&](const TTransRec& t) { return PackClassification(t, ranks.Of(t.GroupRec)); });
    }
    case 9:
        return PackedSort(records, [](const TTransRec& t) {
            Packed p{};
            p.K[0] = static_cast<std::uint64_t>(RankOpening(t));
            if (t.Kind == TransOpening) {
                p.K[1] = Biased(Position(t));
            } else {
                p.K[1] = Biased(t.Amount.Raw());
                p.K[2] = Biased(t.Number);
            }
            return p;
        });
    case 10:
        return PackedSort(records, [](const TTransRec& t) {
            Packed p{};
            p.K[0] = static_cast<std::uint64_t>(Letter(t));
            return p;
        });
    default:
        return SortByKeyOf(records, order); // the orders by reference and by notes
    }
}

} // namespace

void TTransList::SortRows(std::uint8_t order) {
    if (order <= 11)
        SortByOrder(RowList, order);
    FilterAndTotal();
}

void TTransList::SortByKey() {
    SortByOrder(KeyList, 1);
    Sorted = 1;
}

void TTransList::SortByKeyAndRows(std::uint8_t order) {
    // A list just loaded shows its records in key order: when the view order is the key's
    // too, one sort serves both (equal keys keep their places, so the results are the same).
    const bool same = order == 1 && RowList == KeyList;
    SortByKey();
    if (same)
        RowList = KeyList;
    else if (order <= 11)
        SortByOrder(RowList, order);
    FilterAndTotal();
}

} // namespace qz
