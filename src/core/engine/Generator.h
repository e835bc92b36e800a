#pragma once
// A deterministic synthetic ledger: the same options always give the same books, on every
// machine. The example document, the benchmarks and the command-line tool build on it.

#include "ledger/Ledger.h"

#include <cstdint>

namespace qz {

struct TGeneratorOptions {
    std::uint64_t Seed = 1;
    std::int32_t Transactions = 1000;   // transaction records, counting split parts and transfer halves
    std::int32_t Accounts = 3;
    std::int32_t Categories = 16;       // besides the two tax categories
    std::int32_t SubCategoriesPerCategory = 3;
    std::int32_t Groups = 4;
    std::int32_t Years = 3;
    std::int32_t StartYear = 2021;      // the books open on 1 July of this year
    Money GstPercent = Money::FromUnits(10); // 0: no tax tracked
    double UnreconciledShare = 0.03;    // of the transactions, mostly the recent ones
};

// Replaces whatever `ledger` held with generated books, linked, numbered, in key order, with
// the date range spanning every transaction. Nothing is reported through OnChange.
void GenerateLedger(TLedger& ledger, const TGeneratorOptions& options);

} // namespace qz
