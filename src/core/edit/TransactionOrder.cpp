#include "TransactionOrder.h"

#include "ledger/TransOrderParts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace qz {

namespace {

// One record's place in an order, compared field by field: the leading numbers, a text, a
// date and the numbers that follow. Each order fills in the fields its sort compares, in the
// same sequence, so that two keys compare as the sort compares their records.
struct TOrderKey {
    std::array<std::int64_t, 3> Lead{};
    std::string_view Text;
    double When = 0;
    std::array<std::int64_t, 4> Rest{};
    auto operator<=>(const TOrderKey&) const = default;
};

TOrderKey Leading(std::int64_t first, std::int64_t second = 0, std::int64_t third = 0) {
    TOrderKey key;
    key.Lead = {first, second, third};
    return key;
}

using namespace orderparts;

// Orders 3 to 8: opening balances by account, transfers by kind and account, ordinary ones by
// the field (a name: no record first, then by the name) and number.
template <class Rec> TOrderKey ByName(const TTransRec& t, const Rec* record) {
    TOrderKey key;
    key.Lead = {1, record ? 1 : 0, 0};
    if (record)
        key.Text = record->Name.View();
    key.Rest[0] = t.Number;
    return key;
}

TOrderKey Classification(const TTransRec& t, std::uint8_t order) {
    if (t.Kind == TransOpening)
        return Leading(0, Position(t));
    if (t.IsTransfer())
        return Leading(2, t.Kind, Position(t));
    switch (order) {
    case 3:
        return Leading(1, t.MainAct, t.Number);
    case 4:
        return ByName(t, t.MainActRec);
    case 5:
        return Leading(1, t.SubAct, t.Number);
    case 6:
        return ByName(t, t.SubActRec);
    case 7:
        return Leading(1, t.Group, t.Number);
    default:
        return ByName(t, t.GroupRec);
    }
}

TOrderKey KeyOf(const TTransRec& t, std::uint8_t order) {
    const bool opening = t.Kind == TransOpening;
    TOrderKey key;
    switch (order) {
    case 0:
        return Leading(RankOpening(t), opening ? Position(t) : t.Number, opening ? 0 : Letter(t));
    case 1:
        key = Leading(Day(t), Position(t), RankOpening(t));
        key.Rest = {t.Number, Letter(t)};
        return key;
    case 2:
        key = Leading(RankKind(t));
        if (!opening)
            key.Text = t.Reference.View();
        key.Rest[0] = opening ? Position(t) : t.Number;
        return key;
    case 9:
        return Leading(RankOpening(t), opening ? Position(t) : t.Amount.Raw(), opening ? 0 : t.Number);
    case 10:
        return Leading(Letter(t));
    case 11:
        key.Text = t.Notes;
        key.When = SortableDate(t.Date);
        key.Rest = {Position(t), RankOpening(t), t.Number, Letter(t)};
        return key;
    default:
        return Classification(t, order);
    }
}

} // namespace

bool TransOrderLess(const TTransRec& a, const TTransRec& b, std::uint8_t order) {
    return KeyOf(a, order) < KeyOf(b, order);
}

bool InOrder(const std::vector<TTransRec*>& records, std::uint8_t order) {
    for (std::size_t i = 1; i < records.size(); ++i)
        if (TransOrderLess(*records[i], *records[i - 1], order))
            return false;
    return true;
}

// A stable sort orders by (key, place before the sort). The records that did not move are in
// that order already; the moved ones are taken out, ordered the same way, and each put before
// the first record that follows it.
void PlaceInOrder(std::vector<TTransRec*>& records, const std::vector<TTransRec*>& moved, std::uint8_t order) {
    if (order > 11 || moved.empty())
        return;
    struct Moving {
        TTransRec* Record;
        std::size_t Place; // before the sort
        TOrderKey Key;
    };
    std::vector<Moving> moving;
    for (TTransRec* record : moved) {
        // From the end: new records stand there.
        auto at = std::find(records.rbegin(), records.rend(), record);
        if (at != records.rend() &&
            std::none_of(moving.begin(), moving.end(), [&](const Moving& m) { return m.Record == record; }))
            moving.push_back({record, static_cast<std::size_t>(records.rend() - at) - 1, KeyOf(*record, order)});
    }
    std::sort(moving.begin(), moving.end(), [](const Moving& a, const Moving& b) { return a.Place < b.Place; });
    // The list without them; the place a staying record had is its index plus the moved
    // records that stood before it.
    for (std::size_t i = moving.size(); i-- > 0;)
        records.erase(records.begin() + static_cast<std::ptrdiff_t>(moving[i].Place));
    auto placeBefore = [&](std::size_t index) {
        std::size_t place = index;
        for (std::size_t i = 0; i < moving.size() && moving[i].Place - i <= index; ++i)
            ++place;
        return place;
    };
    auto before = [](const TOrderKey& a, std::size_t placeA, const TOrderKey& b, std::size_t placeB) {
        const auto compared = a <=> b;
        return compared < 0 || (compared == 0 && placeA < placeB);
    };
    std::vector<std::size_t> targets;
    for (const Moving& m : moving) {
        std::size_t low = 0;
        std::size_t high = records.size();
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            if (before(KeyOf(*records[middle], order), placeBefore(middle), m.Key, m.Place))
                low = middle + 1;
            else
                high = middle;
        }
        targets.push_back(low);
    }
    // Moved records bound for the same gap follow each other as the sort would order them.
    std::vector<std::size_t> sequence(moving.size());
    for (std::size_t i = 0; i < sequence.size(); ++i)
        sequence[i] = i;
    std::sort(sequence.begin(), sequence.end(), [&](std::size_t a, std::size_t b) {
        if (targets[a] != targets[b])
            return targets[a] < targets[b];
        return before(moving[a].Key, moving[a].Place, moving[b].Key, moving[b].Place);
    });
    for (std::size_t i = sequence.size(); i-- > 0;)
        records.insert(records.begin() + static_cast<std::ptrdiff_t>(targets[sequence[i]]), moving[sequence[i]].Record);
}

} // namespace qz
