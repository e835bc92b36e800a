#pragma once
// The transactions' orders one comparison at a time, and the records an edit added or changed
// put into an order that was sorted before the edit: the same list a full stable sort would
// give, for the cost of a few binary searches instead of sorting a million records.

#include "ledger/TransDB.h"

#include <cstdint>
#include <vector>

namespace qz {

// a before b in order `order` (0..11, the view orders; 1 is the key order), their places aside.
bool TransOrderLess(const TTransRec& a, const TTransRec& b, std::uint8_t order);

// `records` stood in `order` (as a stable sort leaves it) until an edit appended the records of
// `moved` that were new, changed those that stood there already, and removed others. Moves each
// of `moved` to where a stable sort of the whole list would put it (equal records keep their
// places relative to each other); the rest stay as they are. An order beyond 11 sorts nothing.
void PlaceInOrder(std::vector<TTransRec*>& records, const std::vector<TTransRec*>& moved, std::uint8_t order);

// Every neighbour in order; for tests and checks.
bool InOrder(const std::vector<TTransRec*>& records, std::uint8_t order);

} // namespace qz
