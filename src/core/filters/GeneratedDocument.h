#pragma once
// Documents made by the program itself: generated books of any size, and the shipped examples
// (the first year of a small café, a year of a plumber's business), written as the program
// writes every document.

#include "engine/Generator.h"
#include "platform/Prompts.h"
#include "storage/FileOLE.h"

#include <string>

namespace qz {

// The document beside its records: the settings block and the comment.
struct TDocumentContent {
    TFileSettings Settings;
    std::string Comment;
};

// Generated books with tax tracked under `taxName` ("GST" or "VAT") at the options' percentage,
// or not tracked at all when the percentage is 0.
void GenerateDocument(TLedger& ledger, const TGeneratorOptions& options, const std::string& taxName,
                      TDocumentContent& content);

// The example: a café's first year, July 2024 to June 2025, with GST at 10 %.
void ExampleDocument(TLedger& ledger, TDocumentContent& content);

// The example's file name in the folder of example files, and its description's.
inline constexpr const char* ExampleFileName = "Wattle Lane Cafe.kqk";
inline constexpr const char* ExampleDescFileName = "Wattle Lane Cafe.htm";

// The second example: a year of a sole trader's plumbing and heating business in the UK, July
// 2024 to June 2025, registered for VAT at 20 %.
void PlumberExampleDocument(TLedger& ledger, TDocumentContent& content);
inline constexpr const char* PlumberExampleFileName = "Ashby Plumbing.kqk";
inline constexpr const char* PlumberExampleDescFileName = "Ashby Plumbing.htm";

// An example by its short name, "cafe" or "plumber"; false for any other name.
bool ExampleDocumentNamed(const std::string& name, TLedger& ledger, TDocumentContent& content);

// Writes the lists, settings and comment as a complete current document at `path` through the
// file manager (replacing what was there). Storage errors reach `prompts`; false when it failed.
bool WriteGeneratedDocument(const std::string& path, TLedger& ledger, const TDocumentContent& content,
                            Prompts& prompts);

} // namespace qz
