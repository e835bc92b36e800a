#pragma once
// A read-only check of a document: the container (every storage walked, every stream read
// through) and then every record (its fields, its number, the records it names, split
// letters, transfer pairs and the counts block). Nothing is changed; each problem found is
// one line of text.

#include "FileOLE.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qz {

class TDocumentCheck {
public:
    // Checks the file; true when no problem was found.
    bool Run(const std::string& path);

    std::vector<std::string> Problems;
    // Why the file could not be read at all (in use by another program, not permitted);
    // S_OK when it could. No check was made then, and no problem is listed.
    cfb::HResult Unreadable = cfb::S_OK;
    std::int64_t StreamsRead = 0;
    std::int64_t RecordsChecked = 0;

private:
    struct TransFacts;
    struct Decoded;

    bool WalkContainer(const std::string& path);
    void WalkStorage(cfb::TStorage& storage, const std::string& prefix, int depth);
    void ReadStream(cfb::TStorage& storage, const std::string& name, const std::string& shownName, bool keep);
    bool CheckStreamsPresent();
    void CheckBlocks();
    void DecodeRecords(Decoded& d);
    void CheckTexts(TRecordStream kind, const std::uint8_t* image, std::int64_t pos);
    void CheckCounts(const Decoded& d);
    void CheckClassification(const Decoded& d);
    void CheckAccounts(const Decoded& d);
    void CheckTransactions(const Decoded& d);
    void CheckTransactionReferences(const Decoded& d, const TransFacts& t);
    void CheckSplits(const Decoded& d);
    void CheckTransfers(const Decoded& d);
    void CheckTaxCategories(const Decoded& d);
    void Problem(const std::string& text) { Problems.push_back(text); }

    std::unique_ptr<cfb::TCompoundFile> File;
    std::map<std::string, std::string> RootStreams; // name → bytes, of the streams read whole
    std::string CountsName;
    bool Version1 = false;
    bool BeforeTax = false; // generation 2.0 or older: the tax fields are not set yet
    TTaxField TaxField = TTaxField::Amount;
};

} // namespace qz
