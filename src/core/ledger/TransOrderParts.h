#pragma once
// The parts of a transaction that its view orders compare, shared by the sorts of whole lists
// and by the placing of one record among the sorted ones.

#include "TransDB.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qz::orderparts {

// Opening balances before everything else.
inline std::int64_t RankOpening(const TTransRec& t) {
    return t.Kind == TransOpening ? 0 : 1;
}
// Opening balances, then ordinary transactions, then transfers.
inline std::int64_t RankKind(const TTransRec& t) {
    return t.Kind == TransOpening ? 0 : t.IsOrdinary() ? 1 : 2;
}
// The account's position.
inline std::int64_t Position(const TTransRec& t) {
    return t.BookRec ? t.BookRec->Row : -1;
}
// A damaged date must not break the ordering: a value that is not finite sorts as day 0.
inline double SortableDate(double date) {
    return std::isfinite(date) ? std::clamp(date, -1e9, 1e9) : 0.0;
}
inline std::int64_t Day(const TTransRec& t) {
    return static_cast<std::int64_t>(std::trunc(SortableDate(t.Date)));
}
inline std::int64_t Letter(const TTransRec& t) {
    return static_cast<unsigned char>(t.Split);
}

} // namespace qz::orderparts
