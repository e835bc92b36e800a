#pragma once
// The generated books the report and chart benchmarks run on: four accounts, forty categories
// with four sub categories each, eight groups, `transactions` spread over `years` from
// `startYear`, recalculated as a freshly opened document.

#include "engine/Engine.h"
#include "engine/Generator.h"

namespace qz::bench {

inline void GenerateBenchBooks(TLedger& ledger, std::int32_t transactions, int years, int startYear) {
    TGeneratorOptions options;
    options.Seed = 42;
    options.Transactions = transactions;
    options.Accounts = 4;
    options.Categories = 40;
    options.SubCategoriesPerCategory = 4;
    options.Groups = 8;
    options.Years = years;
    options.StartYear = startYear;
    GenerateLedger(ledger, options);
    Recalculate(ledger);
}

} // namespace qz::bench
