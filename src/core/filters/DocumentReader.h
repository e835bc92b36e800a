#pragma once
// A document opened read-only, of any generation: what its container holds, its counts,
// settings and comment, and its records loaded into a ledger. Nothing is written and nothing
// converted: the commands that only look at a document read it through this, not through the
// file manager, whose opening upgrades older documents in place.

#include "ledger/Ledger.h"
#include "storage/FileOLE.h"

#include <array>
#include <memory>
#include <string>

namespace qz {

// What one record stream holds.
struct TStreamTally {
    bool Present = false;
    std::uint64_t Bytes = 0;
    std::int32_t Live = 0;
    std::int32_t Deleted = 0;
    std::int32_t Counted = -1; // the counts block's figure; -1 where the generation keeps none
};

// What opening the container found wrong, in words for one line of output.
std::string ContainerErrorText(cfb::HResult result);

class TDocumentReader {
public:
    // Opens the container read-only and reads the counts block, the settings and the comment.
    // False with one line in `error` when the file is no document or cannot be read.
    bool Open(const std::string& path, std::string& error);

    TGeneration Generation() const { return Gen; }
    const TFileSettings& Settings() const { return FileSettings; }
    const std::string& Comment() const { return CommentText; }
    const TCounts& Counts() const { return CountsBlock; }
    // The first generation keeps the opening balance of its single account in the counts block.
    Money Version1OpeningBalance() const { return OpeningBalance; }

    // Reads every record stream through: its live and deleted records beside its count.
    bool Tally(std::array<TStreamTally, 6>& tallies, std::string& error);

    // Loads the six lists without linking them. Sub categories of generation 2.0 are read
    // with their old texts, and the tax rates of generation 2.1 become tax amounts, as the
    // conversion would make them; the file itself stays as it is.
    bool Load(TLedger& ledger, std::string& error);

    // Loads a current document and brings it to where the window shows it after opening:
    // linked, in key order, every account selected, no filter, recalculated.
    bool LoadForViews(TLedger& ledger, std::string& error);

    cfb::TCompoundFile* Container() { return File.get(); }

private:
    bool ReadCounts(std::string& error);

    std::unique_ptr<cfb::TCompoundFile> File;
    TGeneration Gen = TGeneration::Current;
    TFileSettings FileSettings;
    std::string CommentText;
    TCounts CountsBlock{};
    Money OpeningBalance;
};

} // namespace qz
