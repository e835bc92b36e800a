#pragma once
// What `info` tells about a document: its generation, business, tax settings, the records of
// each stream, its accounts with their balances and the dates its transactions span.

#include "DocumentReader.h"
#include "ledger/DisplayFormats.h"

#include <array>
#include <string>
#include <vector>

namespace qz {

struct TAccountSummary {
    std::int32_t Number = 0;
    std::string Name;
    Money OpeningBalance;
    Money Balance; // every transaction of the account, reconciled or not
};

struct TDocumentSummary {
    TGeneration Generation = TGeneration::Current;
    TFileSettings Settings;
    std::string Comment;
    std::array<TStreamTally, 6> Streams;
    std::vector<TAccountSummary> Accounts;
    Money Version1OpeningBalance; // the single account of a first-generation document
    bool HasTransactions = false;
    TDateTime FirstDate = 0;
    TDateTime LastDate = 0;
};

// `ledger` receives the loaded records; the balances are the engine's account totals over
// every transaction.
bool SummariseDocument(TDocumentReader& reader, TLedger& ledger, TDocumentSummary& summary, std::string& error);

// The summary as lines of text (Windows-1252, like the names in it); dates as YYYY-MM-DD.
std::string SummaryText(const TDocumentSummary& summary, const TDisplayFormats& formats);

} // namespace qz
