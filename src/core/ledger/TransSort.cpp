// The view orders of the transactions. Each record's sort key is built once, so a sort of a
// million records compares small values instead of chasing references on every comparison.

#include "TransDB.h"

#include <cmath>

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

// R1: opening balances before everything else.
std::int64_t RankOpening(const TTransRec& t) { return t.Kind == TransOpening ? 0 : 1; }
// R3: opening balances, then ordinary transactions, then transfers.
std::int64_t RankKind(const TTransRec& t) { return t.Kind == TransOpening ? 0 : t.IsOrdinary() ? 1 : 2; }
// P: the account's position.
std::int64_t Position(const TTransRec& t) { return t.BookRec ? t.BookRec->Row : -1; }
// A damaged date must not break the ordering: a value that is not finite sorts as day 0.
double SortableDate(double date) { return std::isfinite(date) ? std::clamp(date, -1e9, 1e9) : 0.0; }
std::int64_t Day(const TTransRec& t) { return static_cast<std::int64_t>(std::trunc(SortableDate(t.Date))); }
std::int64_t Letter(const TTransRec& t) { return static_cast<unsigned char>(t.Split); }

std::string_view CategoryName(const TTransRec& t) { return t.MainActRec ? t.MainActRec->Name.View() : std::string_view(); }
std::string_view SubName(const TTransRec& t) { return t.SubActRec ? t.SubActRec->Name.View() : std::string_view(); }
std::string_view GroupName(const TTransRec& t) { return t.GroupRec ? t.GroupRec->Name.View() : std::string_view(); }

// Orders 3 to 8: openings by position, transfers by kind then position, ordinary ones by `field`.
template <class Field> SortKey ClassificationKey(const TTransRec& t, Field field) {
    SortKey key;
    key.Lead = RankKind(t);
    if (t.Kind == TransOpening) {
        key.Rest[0] = Position(t);
    } else if (t.IsTransfer()) {
        key.Rest[0] = t.Kind;
        key.Rest[1] = Position(t);
    } else {
        field(t, key);
        key.Rest[1] = t.Number;
    }
    return key;
}

SortKey KeyOf(const TTransRec& t, std::uint8_t order) {
    SortKey key;
    switch (order) {
    case 0:
        key.Lead = RankOpening(t);
        if (t.Kind == TransOpening) {
            key.Rest[0] = Position(t);
        } else {
            key.Rest[0] = t.Number;
            key.Rest[1] = Letter(t);
        }
        return key;
    case 1:
        key.Lead = Day(t);
        key.Rest[0] = Position(t);
        key.Rest[1] = RankOpening(t);
        key.Rest[2] = t.Number;
        key.Rest[3] = Letter(t);
        return key;
    case 2:
        key.Lead = RankKind(t);
        if (t.Kind == TransOpening) {
            key.Rest[0] = Position(t);
        } else {
            key.Text = t.Reference.View();
            key.Rest[0] = t.Number;
        }
        return key;
    case 3:
        return ClassificationKey(t, [](const TTransRec& r, SortKey& k) { k.Rest[0] = r.MainAct; });
    case 4:
        return ClassificationKey(t, [](const TTransRec& r, SortKey& k) { k.Text = CategoryName(r); });
    case 5:
        return ClassificationKey(t, [](const TTransRec& r, SortKey& k) { k.Rest[0] = r.SubAct; });
    case 6:
        return ClassificationKey(t, [](const TTransRec& r, SortKey& k) { k.Text = SubName(r); });
    case 7:
        return ClassificationKey(t, [](const TTransRec& r, SortKey& k) { k.Rest[0] = r.Group; });
    case 8:
        return ClassificationKey(t, [](const TTransRec& r, SortKey& k) { k.Text = GroupName(r); });
    case 9:
        key.Lead = RankOpening(t);
        if (t.Kind == TransOpening) {
            key.Rest[0] = Position(t);
        } else {
            key.Rest[0] = t.Amount.Raw();
            key.Rest[1] = t.Number;
        }
        return key;
    case 10:
        key.Lead = Letter(t);
        return key;
    case 11:
        key.Text = t.Notes;
        key.When = SortableDate(t.Date);
        key.Rest[0] = Position(t);
        key.Rest[1] = RankOpening(t);
        key.Rest[2] = t.Number;
        key.Rest[3] = Letter(t);
        return key;
    default:
        return key;
    }
}

void SortByOrder(std::vector<TTransRec*>& records, std::uint8_t order) {
    std::vector<Keyed> keyed;
    keyed.reserve(records.size());
    for (TTransRec* t : records)
        keyed.push_back({KeyOf(*t, order), t});
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.Key < b.Key; });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        records[i] = keyed[i].Record;
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

} // namespace qz
