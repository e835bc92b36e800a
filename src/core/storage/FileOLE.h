#pragma once
// The document format: nine streams in a compound file, fixed-size records with tombstones,
// a counts block, a settings block and a comment; and the stream operations the file manager
// uses to load, append, rewrite, delete and compact records.

#include "ledger/Ledger.h"
#include "storage/cfb/CompoundFile.h"

#include <array>
#include <cstdint>
#include <string>

namespace qz {

inline constexpr std::uint32_t TransRecordSize = 320;
inline constexpr std::uint32_t MainActRecordSize = 52;
inline constexpr std::uint32_t SubActRecordSize = 504;
inline constexpr std::uint32_t GroupRecordSize = 304;
inline constexpr std::uint32_t CatRecordSize = 48;
inline constexpr std::uint32_t BookRecordSize = 116;
inline constexpr std::uint32_t CountsSize = 24;
inline constexpr std::uint32_t Version1CountsSize = 28;
inline constexpr std::uint32_t SettingsSize = 816;

// The six record streams, in the order of the counts block and of the written flags.
enum TRecordStream { StreamTrans, StreamMainActs, StreamSubActs, StreamGroups, StreamCats, StreamBooks };
inline constexpr const char* RecordStreamNames[6] = {"Transactions", "MainActs",   "SubActs",
                                                     "Groups",       "Categories", "Books"};
inline constexpr std::uint32_t RecordSizes[6] = {TransRecordSize, MainActRecordSize, SubActRecordSize,
                                                 GroupRecordSize, CatRecordSize,     BookRecordSize};
inline constexpr const char* CountsStreamName = "KQ22FileInfo";
inline constexpr const char* SettingsStreamName = "FileSettings";
inline constexpr const char* CommentsStreamName = "Comments";
// The counts stream's name tells the generation of a document.
inline constexpr const char* Version1CountsName = "FileInfo";
inline constexpr const char* Version20CountsName = "KQ2FileInfo";
inline constexpr const char* Version21CountsName = "KQ21FileInfo";

// The generations, named by their counts stream.
enum class TGeneration : std::uint8_t { Version1, Version20, Version21, Current };
const char* CountsStreamNameOf(TGeneration generation);
// "1", "2.0", "2.1", "2.2".
const char* GenerationText(TGeneration generation);

using TCounts = std::array<std::int32_t, 6>;

// The document settings block.
struct TFileSettings {
    std::string Password; // at most 8 characters; empty = none
    std::uint8_t ProtectOpen = 0;
    std::uint8_t ProtectDelete = 0;
    std::uint8_t ProtectAdd = 0;
    std::uint8_t ProtectEdit = 0;
    std::uint8_t ProtectReports = 0;
    std::uint8_t ProtectPrint = 0;
    std::uint8_t ProtectWorksheet = 0;
    Money GstPercent;
    std::string TaxName; // "GST" or "VAT" while tracked; at most 6 characters
    std::uint8_t TaxOn = 0;
    std::int32_t GstPaymentCat = -1;
    Money GstOpeningBalance;
    std::string BusinessName;   // at most 255 characters
    std::string BusinessNumber; // at most 255 characters
    std::uint8_t IsExample = 0;
    std::string ExampleDescFile; // at most 252 characters
    std::int32_t GstRefundCat = -1;
};

// Record images. Texts are cut to their capacity; unused text bytes and padding are zero.
void EncodeTrans(const TTransRec& t, std::uint8_t* out);
void DecodeTrans(const std::uint8_t* in, TTransRec& t);
void EncodeMainAct(const TMainActRec& c, std::uint8_t* out);
void DecodeMainAct(const std::uint8_t* in, TMainActRec& c);
void EncodeSubAct(const TSubActRec& s, std::uint8_t* out);
// `oldNotes`: the record may hold the nine texts of an older generation instead of notes.
void DecodeSubAct(const std::uint8_t* in, TSubActRec& s, bool oldNotes = false);
void EncodeGroup(const TGroupRec& g, std::uint8_t* out);
void DecodeGroup(const std::uint8_t* in, TGroupRec& g);
void EncodeCat(const TCatRec& c, std::uint8_t* out);
void DecodeCat(const std::uint8_t* in, TCatRec& c);
void EncodeBook(const TBookRec& b, std::uint8_t* out);
void DecodeBook(const std::uint8_t* in, TBookRec& b);
void EncodeCounts(const TCounts& counts, std::uint8_t* out);
TCounts DecodeCounts(const std::uint8_t* in);
void EncodeSettings(const TFileSettings& settings, std::uint8_t* out);
void DecodeSettings(const std::uint8_t* in, TFileSettings& settings);
// The notes of an older sub category record's nine texts, as they are joined on conversion.
std::string JoinOldSubActTexts(const std::uint8_t* record);

// A record's number field: -1 marks a tombstone.
bool IsTombstone(TRecordStream stream, const std::uint8_t* record);
void MarkTombstone(TRecordStream stream, std::uint8_t* record);

// The stream operations. Each answers the container's result code.
namespace FileOLE {

// Reads records from the start until `count` live ones are read, skipping tombstones, and
// adds them to the list with its Notify off. A stream that ends first fails with
// STG_E_DOCFILECORRUPT and leaves the list as it was. `progress` (may be empty) receives
// the share of the count read so far, 0 to 1.
// Transactions go into the ledger's list, those too damaged to take into the books (see
// TransDamage) into its DamagedTrans, which the rewrites keep in the stream.
cfb::HResult LoadTransactions(cfb::TStream& stream, std::int32_t count, TLedger& ledger,
                              TTaxField taxField = TTaxField::Amount, const std::function<void(double)>& progress = {});
// Reads the live transactions as LoadTransactions does, without their texts and without
// keeping them: each is handed to `visit` (a check of a whole document, say).
cfb::HResult VisitTransactions(cfb::TStream& stream, std::int32_t count,
                               const std::function<void(const TTransRec&)>& visit);
// Moves the transactions of the list that are too damaged to take into the books (after a
// conversion has worked out their tax) to the ledger's DamagedTrans. Answers how many.
std::int32_t SetAsideDamaged(TLedger& ledger, TTaxField taxField = TTaxField::Amount);
cfb::HResult LoadMainActs(cfb::TStream& stream, std::int32_t count, TMainActList& list);
cfb::HResult LoadSubActs(cfb::TStream& stream, std::int32_t count, TSubActList& list, bool oldNotes = false);
cfb::HResult LoadGroups(cfb::TStream& stream, std::int32_t count, TGroupList& list);
cfb::HResult LoadCats(cfb::TStream& stream, std::int32_t count, TCatList& list);
cfb::HResult LoadBooks(cfb::TStream& stream, std::int32_t count, TBookList& list);

// The record image of key index `index` of that list.
void EncodeRecord(const TLedger& ledger, TRecordStream stream, std::int32_t index, std::uint8_t* out);
std::int64_t& FilePosOf(TLedger& ledger, TRecordStream stream, std::int32_t index);
std::int32_t CountOf(const TLedger& ledger, TRecordStream stream);
// The live records the stream holds for the list: its count, and the damaged transactions.
std::int32_t StoredCountOf(const TLedger& ledger, TRecordStream stream);

cfb::HResult WriteRecord(cfb::TStream& stream, const TLedger& ledger, TRecordStream kind, std::int32_t index,
                         std::int64_t position);
cfb::HResult WriteTombstone(cfb::TStream& stream, const TLedger& ledger, TRecordStream kind, std::int32_t index,
                            std::int64_t position);
// Writes every record of the list in key order from position 0, cuts the stream after the
// last one and sets each record's FilePos to where it now stands.
cfb::HResult RewriteStream(cfb::TStream& stream, TLedger& ledger, TRecordStream kind);

// The generation of a document, by its counts stream, and its counts block (the first
// generation's holds five counts and the single account's opening balance, which goes to
// `openingBalance`). STG_E_FILENOTFOUND when there is no counts stream.
cfb::HResult ReadDocumentCounts(cfb::TStorage root, TGeneration& generation, TCounts& counts,
                                Money* openingBalance = nullptr);
// Loads the six lists of a document of any generation, unlinked, with the tax amounts as the
// conversion would make them (the file itself is not changed). `failed` names the stream
// that failed.
// `withTransactions` false leaves the transactions unread.
cfb::HResult LoadDocumentLists(cfb::TStorage root, TGeneration generation, const TCounts& counts, TLedger& ledger,
                               int& failed, bool withTransactions = true);

cfb::HResult WriteCounts(cfb::TStream& stream, const TCounts& counts);
cfb::HResult ReadCounts(cfb::TStream& stream, TCounts& counts);
cfb::HResult WriteSettings(cfb::TStream& stream, const TFileSettings& settings);
cfb::HResult ReadSettings(cfb::TStream& stream, TFileSettings& settings);
cfb::HResult WriteComment(cfb::TStream& stream, const std::string& comment);
cfb::HResult ReadComment(cfb::TStream& stream, std::string& comment);

} // namespace FileOLE

} // namespace qz
