#include "FileOLE.h"

#include "storage/cfb/CfbFormat.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <type_traits>

namespace qz {

using cfb::Get16;
using cfb::Get32;
using cfb::Get64;
using cfb::HResult;
using cfb::Put16;
using cfb::Put32;
using cfb::Put64;
using cfb::S_OK;

namespace {

// A short text: a length byte and `capacity` bytes, cut to the capacity, zero after the text.
void PutText(std::uint8_t* out, std::size_t capacity, std::string_view text) {
    const std::size_t length = std::min(text.size(), capacity);
    out[0] = static_cast<std::uint8_t>(length);
    std::memcpy(out + 1, text.data(), length);
    std::memset(out + 1 + length, 0, capacity - length);
}

// A stored length beyond the capacity is read as the capacity.
std::string GetText(const std::uint8_t* in, std::size_t capacity) {
    const std::size_t length = std::min<std::size_t>(in[0], capacity);
    return std::string(reinterpret_cast<const char*>(in + 1), length);
}

Money GetMoney(const std::uint8_t* in) {
    return Money::FromRaw(static_cast<std::int64_t>(Get64(in)));
}
void PutMoney(std::uint8_t* out, Money value) {
    Put64(out, static_cast<std::uint64_t>(value.Raw()));
}
double GetDate(const std::uint8_t* in) {
    const std::uint64_t bits = Get64(in);
    double date;
    std::memcpy(&date, &bits, sizeof date);
    return date;
}
void PutDate(std::uint8_t* out, double date) {
    std::uint64_t bits;
    std::memcpy(&bits, &date, sizeof bits);
    Put64(out, bits);
}
std::int32_t GetInt(const std::uint8_t* in) {
    return static_cast<std::int32_t>(Get32(in));
}
void PutInt(std::uint8_t* out, std::int32_t value) {
    Put32(out, static_cast<std::uint32_t>(value));
}

constexpr std::size_t FirstNotesPiece = 192;
constexpr std::size_t SecondNotesPiece = 247;

} // namespace

void EncodeTrans(const TTransRec& t, std::uint8_t* out) {
    std::memset(out, 0, TransRecordSize);
    PutInt(out, t.Number);
    PutDate(out + 4, t.Date);
    PutText(out + 12, 20, t.Reference.View());
    PutInt(out + 36, t.MainAct);
    PutInt(out + 40, t.SubAct);
    Put16(out + 44, t.Group);
    Put16(out + 46, static_cast<std::uint16_t>(t.Book));
    out[48] = t.Kind;
    PutMoney(out + 52, t.Amount);
    PutText(out + 60, 247, t.Notes);
    PutMoney(out + 308, t.Gst);
    out[316] = t.Reconciled;
    out[317] = static_cast<std::uint8_t>(t.Split);
}

void DecodeTransFields(const std::uint8_t* in, TTransRec& t) {
    t.Number = GetInt(in);
    t.Date = GetDate(in + 4);
    t.MainAct = GetInt(in + 36);
    t.SubAct = GetInt(in + 40);
    t.Group = Get16(in + 44);
    t.Book = static_cast<std::int16_t>(Get16(in + 46));
    t.Kind = in[48];
    t.Amount = GetMoney(in + 52);
    t.Gst = GetMoney(in + 308);
    t.Reconciled = in[316];
    t.Split = static_cast<char>(in[317]);
}

void DecodeTrans(const std::uint8_t* in, TTransRec& t) {
    DecodeTransFields(in, t);
    t.Reference = GetText(in + 12, 20);
    t.Notes = GetText(in + 60, 247);
}

void EncodeMainAct(const TMainActRec& c, std::uint8_t* out) {
    std::memset(out, 0, MainActRecordSize);
    PutInt(out, c.Number);
    PutText(out + 4, 40, c.Name.View());
    out[45] = c.Side;
    PutInt(out + 48, c.CatType);
}

void DecodeMainAct(const std::uint8_t* in, TMainActRec& c) {
    c.Number = GetInt(in);
    c.Name = GetText(in + 4, 40);
    c.Side = in[45];
    c.CatType = GetInt(in + 48);
}

void EncodeSubAct(const TSubActRec& s, std::uint8_t* out) {
    std::memset(out, 0, SubActRecordSize);
    PutInt(out, s.Number);
    PutText(out + 4, 40, s.Name.View());
    out[45] = s.Side;
    PutInt(out + 48, s.MainAct);
    const std::string_view notes = s.Notes;
    PutText(out + 52, FirstNotesPiece, notes.substr(0, std::min(notes.size(), FirstNotesPiece)));
    PutText(out + 245, SecondNotesPiece, notes.size() > FirstNotesPiece ? notes.substr(FirstNotesPiece) : "");
    PutMoney(out + 496, s.GstPercent);
}

std::string JoinOldSubActTexts(const std::uint8_t* record) {
    // Offsets and capacities of T1..T9, and what follows each one when it is not empty.
    struct Piece {
        std::size_t Offset;
        std::size_t Capacity;
        const char* After;
    };
    static const Piece pieces[] = {{150, 40, "\r\n"}, {52, 50, "\r\n"},  {103, 35, " "},
                                   {146, 3, " "},     {139, 6, "\r\n"},  {191, 18, "\r\n"},
                                   {210, 18, "\r\n"}, {229, 18, "\r\n"}, {248, 255, ""}};
    std::string notes;
    for (const Piece& p : pieces) {
        const std::string text = GetText(record + p.Offset, p.Capacity);
        if (!text.empty()) {
            notes += text;
            notes += p.After;
        }
    }
    return notes.substr(0, std::min(notes.size(), FirstNotesPiece));
}

void DecodeSubAct(const std::uint8_t* in, TSubActRec& s, bool oldNotes) {
    s.Number = GetInt(in);
    s.Name = GetText(in + 4, 40);
    s.Side = in[45];
    s.MainAct = GetInt(in + 48);
    if (oldNotes && in[52] != 0) {
        s.Notes = JoinOldSubActTexts(in);
        s.GstPercent = Money();
        return;
    }
    s.Notes = GetText(in + 52, FirstNotesPiece) + GetText(in + 245, SecondNotesPiece);
    s.GstPercent = GetMoney(in + 496);
}

void EncodeGroup(const TGroupRec& g, std::uint8_t* out) {
    std::memset(out, 0, GroupRecordSize);
    PutInt(out, g.Number);
    PutText(out + 4, 40, g.Name.View());
    PutText(out + 45, 255, g.Notes);
}

void DecodeGroup(const std::uint8_t* in, TGroupRec& g) {
    g.Number = GetInt(in);
    g.Name = GetText(in + 4, 40);
    g.Notes = GetText(in + 45, 255);
}

void EncodeCat(const TCatRec& c, std::uint8_t* out) {
    std::memset(out, 0, CatRecordSize);
    Put16(out, static_cast<std::uint16_t>(c.Number));
    Put16(out + 2, static_cast<std::uint16_t>(c.Kind));
    PutText(out + 4, 40, c.Name.View());
    out[45] = c.Side;
    out[46] = c.IsDefault;
}

void DecodeCat(const std::uint8_t* in, TCatRec& c) {
    c.Number = static_cast<std::int16_t>(Get16(in));
    c.Kind = static_cast<std::int16_t>(Get16(in + 2));
    c.Name = GetText(in + 4, 40);
    c.Side = in[45];
    c.IsDefault = in[46];
}

void EncodeBook(const TBookRec& b, std::uint8_t* out) {
    std::memset(out, 0, BookRecordSize);
    PutInt(out, b.Number);
    PutText(out + 4, 100, b.Name.View());
    PutInt(out + 108, b.OpeningTrans ? b.OpeningTrans->Number : b.OpeningTransNo);
    PutInt(out + 112, b.Colour);
}

void DecodeBook(const std::uint8_t* in, TBookRec& b) {
    b.Number = GetInt(in);
    b.Name = GetText(in + 4, 100);
    b.OpeningTransNo = GetInt(in + 108);
    b.Colour = GetInt(in + 112);
}

void EncodeCounts(const TCounts& counts, std::uint8_t* out) {
    for (std::size_t i = 0; i < counts.size(); ++i)
        PutInt(out + 4 * i, counts[i]);
}

TCounts DecodeCounts(const std::uint8_t* in) {
    TCounts counts{};
    for (std::size_t i = 0; i < counts.size(); ++i)
        counts[i] = GetInt(in + 4 * i);
    return counts;
}

void EncodeSettings(const TFileSettings& s, std::uint8_t* out) {
    std::memset(out, 0, SettingsSize);
    PutText(out, 8, s.Password);
    out[9] = s.ProtectOpen;
    out[10] = s.ProtectDelete;
    out[11] = s.ProtectAdd;
    out[12] = s.ProtectEdit;
    out[13] = s.ProtectReports;
    out[14] = s.ProtectPrint;
    out[15] = s.ProtectWorksheet;
    PutMoney(out + 16, s.GstPercent);
    PutText(out + 24, 6, s.TaxName);
    out[31] = s.TaxOn;
    PutInt(out + 32, s.GstPaymentCat);
    PutMoney(out + 36, s.GstOpeningBalance);
    PutText(out + 44, 255, s.BusinessName);
    PutText(out + 300, 255, s.BusinessNumber);
    out[556] = s.IsExample;
    PutText(out + 557, 252, s.ExampleDescFile);
    PutInt(out + 812, s.GstRefundCat);
}

void DecodeSettings(const std::uint8_t* in, TFileSettings& s) {
    s.Password = GetText(in, 8);
    s.ProtectOpen = in[9];
    s.ProtectDelete = in[10];
    s.ProtectAdd = in[11];
    s.ProtectEdit = in[12];
    s.ProtectReports = in[13];
    s.ProtectPrint = in[14];
    s.ProtectWorksheet = in[15];
    s.GstPercent = GetMoney(in + 16);
    s.TaxName = GetText(in + 24, 6);
    s.TaxOn = in[31];
    s.GstPaymentCat = GetInt(in + 32);
    s.GstOpeningBalance = GetMoney(in + 36);
    s.BusinessName = GetText(in + 44, 255);
    s.BusinessNumber = GetText(in + 300, 255);
    s.IsExample = in[556];
    s.ExampleDescFile = GetText(in + 557, 252);
    s.GstRefundCat = GetInt(in + 812);
}

bool IsTombstone(TRecordStream stream, const std::uint8_t* record) {
    return stream == StreamCats ? static_cast<std::int16_t>(Get16(record)) == -1 : GetInt(record) == -1;
}

void MarkTombstone(TRecordStream stream, std::uint8_t* record) {
    if (stream == StreamCats)
        Put16(record, 0xFFFF);
    else
        PutInt(record, -1);
}

const char* CountsStreamNameOf(TGeneration generation) {
    switch (generation) {
    case TGeneration::Version1:
        return Version1CountsName;
    case TGeneration::Version20:
        return Version20CountsName;
    case TGeneration::Version21:
        return Version21CountsName;
    case TGeneration::Current:
    default:
        return CountsStreamName;
    }
}

const char* GenerationText(TGeneration generation) {
    switch (generation) {
    case TGeneration::Version1:
        return "1";
    case TGeneration::Version20:
        return "2.0";
    case TGeneration::Version21:
        return "2.1";
    case TGeneration::Current:
    default:
        return "2.2";
    }
}

namespace FileOLE {

namespace {

// Reads records from the start until `count` live ones were read; `take` builds a record from
// each live image and its position. Reads in large pieces, so a big stream loads quickly.
template <class Take>
HResult LoadRecords(cfb::TStream& stream, TRecordStream kind, std::int32_t count, Take take,
                    const std::function<void(double)>& progress = {}) {
    if (count < 0)
        return cfb::STG_E_DOCFILECORRUPT;
    const std::uint32_t size = RecordSizes[kind];
    std::uint64_t streamSize = 0;
    if (HResult r = stream.Size(streamSize); cfb::Failed(r))
        return r;
    // Never more than the stream holds: a damaged count must not cost a large zeroed buffer.
    const std::uint64_t bufferRecords = std::clamp<std::uint64_t>(streamSize / size, 1, 4096);
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(size * bufferRecords));
    std::uint64_t position = 0;
    std::int32_t live = 0;
    std::int32_t reported = 0;
    while (live < count) {
        if (position + size > streamSize)
            return cfb::STG_E_DOCFILECORRUPT; // fewer live records than the count says
        const std::uint64_t left = (streamSize - position) / size;
        const auto records = static_cast<std::uint32_t>(std::min<std::uint64_t>(left, buffer.size() / size));
        std::uint32_t read = 0;
        if (HResult r = stream.ReadAt(position, buffer.data(), records * size, &read); cfb::Failed(r))
            return r;
        if (read < records * size)
            return cfb::STG_E_READFAULT;
        for (std::uint32_t i = 0; i < records && live < count; ++i, position += size) {
            const std::uint8_t* image = buffer.data() + std::size_t(i) * size;
            if (IsTombstone(kind, image))
                continue;
            take(image, static_cast<std::int64_t>(position));
            ++live;
        }
        if (progress && live - reported >= 65536) {
            reported = live;
            progress(static_cast<double>(live) / count);
        }
    }
    return S_OK;
}

// Loads into a scratch list first, so that a failure leaves the list as it was. A decoder
// that answers false keeps the record out of the list (`rejected` learns where it stood).
template <class List, class Rec, class Decode>
HResult LoadList(cfb::TStream& stream, TRecordStream kind, std::int32_t count, List& list, Decode decode,
                 const std::function<void(double)>& progress = {},
                 const std::function<void(std::int64_t)>& rejected = {}) {
    std::vector<Rec*> loaded;
    std::uint64_t streamSize = 0;
    if (cfb::Failed(stream.Size(streamSize)))
        streamSize = 0;
    const std::uint64_t fits = streamSize / RecordSizes[kind];
    loaded.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(std::max(0, count), fits)));
    const HResult result = LoadRecords(
        stream, kind, count,
        [&](const std::uint8_t* image, std::int64_t position) {
            auto record = std::make_unique<Rec>();
            bool taken = true;
            if constexpr (std::is_same_v<decltype(decode(image, *record)), bool>)
                taken = decode(image, *record);
            else
                decode(image, *record);
            if (!taken) {
                rejected(position);
                return;
            }
            record->FilePos = position;
            loaded.push_back(record.release());
        },
        progress);
    if (cfb::Failed(result)) {
        for (Rec* record : loaded)
            delete record;
        return result;
    }
    const std::uint8_t notify = list.Notify;
    list.Notify = 0;
    list.SetCapacity(list.Count() + static_cast<std::int32_t>(loaded.size()));
    for (Rec* record : loaded)
        list.Add(record);
    list.Notify = notify;
    return S_OK;
}

} // namespace

HResult LoadTransactions(cfb::TStream& stream, std::int32_t count, TLedger& ledger, TTaxField taxField,
                         const std::function<void(double)>& progress) {
    std::vector<TDamagedTrans> damaged;
    const HResult result = LoadList<TTransList, TTransRec>(
        stream, StreamTrans, count, ledger.TransList,
        [&](const std::uint8_t* in, TTransRec& t) {
            DecodeTrans(in, t);
            std::string reason = TransDamage(t, taxField);
            if (reason.empty())
                return true;
            damaged.push_back({0, t.Number, t.Split, std::move(reason),
                               std::string(reinterpret_cast<const char*>(in), TransRecordSize)});
            return false;
        },
        progress, [&](std::int64_t position) { damaged.back().FilePos = position; });
    if (cfb::Succeeded(result))
        ledger.DamagedTrans.insert(ledger.DamagedTrans.end(), damaged.begin(), damaged.end());
    return result;
}

HResult VisitTransactions(cfb::TStream& stream, std::int32_t count,
                          const std::function<void(const TTransRec&)>& visit) {
    TTransRec t;
    return LoadRecords(stream, StreamTrans, count, [&](const std::uint8_t* image, std::int64_t) {
        DecodeTransFields(image, t);
        visit(t);
    });
}

std::int32_t SetAsideDamaged(TLedger& ledger, TTaxField taxField) {
    TTransList& list = ledger.TransList;
    std::int32_t moved = 0;
    const std::uint8_t notify = list.Notify;
    list.Notify = 0;
    for (std::int32_t i = list.Count() - 1; i >= 0; --i) {
        TTransRec* t = list.Items(i);
        std::string reason = TransDamage(*t, taxField);
        if (reason.empty())
            continue;
        std::string image(TransRecordSize, '\0');
        EncodeTrans(*t, reinterpret_cast<std::uint8_t*>(image.data()));
        ledger.DamagedTrans.push_back({t->FilePos, t->Number, t->Split, std::move(reason), std::move(image)});
        list.Delete(i);
        ++moved;
    }
    list.Notify = notify;
    return moved;
}

std::int32_t StoredCountOf(const TLedger& ledger, TRecordStream stream) {
    const std::int32_t count = CountOf(ledger, stream);
    return stream == StreamTrans ? count + static_cast<std::int32_t>(ledger.DamagedTrans.size()) : count;
}
HResult LoadMainActs(cfb::TStream& stream, std::int32_t count, TMainActList& list) {
    return LoadList<TMainActList, TMainActRec>(stream, StreamMainActs, count, list, DecodeMainAct);
}
HResult LoadSubActs(cfb::TStream& stream, std::int32_t count, TSubActList& list, bool oldNotes) {
    return LoadList<TSubActList, TSubActRec>(
        stream, StreamSubActs, count, list,
        [oldNotes](const std::uint8_t* in, TSubActRec& s) { DecodeSubAct(in, s, oldNotes); });
}
HResult LoadGroups(cfb::TStream& stream, std::int32_t count, TGroupList& list) {
    return LoadList<TGroupList, TGroupRec>(stream, StreamGroups, count, list, DecodeGroup);
}
HResult LoadCats(cfb::TStream& stream, std::int32_t count, TCatList& list) {
    return LoadList<TCatList, TCatRec>(stream, StreamCats, count, list, DecodeCat);
}
HResult LoadBooks(cfb::TStream& stream, std::int32_t count, TBookList& list) {
    return LoadList<TBookList, TBookRec>(stream, StreamBooks, count, list, DecodeBook);
}

void EncodeRecord(const TLedger& ledger, TRecordStream stream, std::int32_t index, std::uint8_t* out) {
    switch (stream) {
    case StreamTrans:
        return EncodeTrans(*ledger.TransList.Items(index), out);
    case StreamMainActs:
        return EncodeMainAct(*ledger.MainActList.Items(index), out);
    case StreamSubActs:
        return EncodeSubAct(*ledger.SubActList.Items(index), out);
    case StreamGroups:
        return EncodeGroup(*ledger.GroupList.Items(index), out);
    case StreamCats:
        return EncodeCat(*ledger.CatList.Items(index), out);
    case StreamBooks:
        return EncodeBook(*ledger.BookList.Items(index), out);
    }
}

std::int64_t& FilePosOf(TLedger& ledger, TRecordStream stream, std::int32_t index) {
    switch (stream) {
    case StreamTrans:
        return ledger.TransList.Items(index)->FilePos;
    case StreamMainActs:
        return ledger.MainActList.Items(index)->FilePos;
    case StreamSubActs:
        return ledger.SubActList.Items(index)->FilePos;
    case StreamGroups:
        return ledger.GroupList.Items(index)->FilePos;
    case StreamCats:
        return ledger.CatList.Items(index)->FilePos;
    case StreamBooks:
    default:
        return ledger.BookList.Items(index)->FilePos;
    }
}

std::int32_t CountOf(const TLedger& ledger, TRecordStream stream) {
    switch (stream) {
    case StreamTrans:
        return ledger.TransList.Count();
    case StreamMainActs:
        return ledger.MainActList.Count();
    case StreamSubActs:
        return ledger.SubActList.Count();
    case StreamGroups:
        return ledger.GroupList.Count();
    case StreamCats:
        return ledger.CatList.Count();
    case StreamBooks:
    default:
        return ledger.BookList.Count();
    }
}

HResult WriteRecord(cfb::TStream& stream, const TLedger& ledger, TRecordStream kind, std::int32_t index,
                    std::int64_t position) {
    std::uint8_t image[SubActRecordSize];
    EncodeRecord(ledger, kind, index, image);
    return stream.WriteAt(static_cast<std::uint64_t>(position), image, RecordSizes[kind]);
}

HResult WriteTombstone(cfb::TStream& stream, const TLedger& ledger, TRecordStream kind, std::int32_t index,
                       std::int64_t position) {
    std::uint8_t image[SubActRecordSize];
    EncodeRecord(ledger, kind, index, image);
    MarkTombstone(kind, image);
    return stream.WriteAt(static_cast<std::uint64_t>(position), image, RecordSizes[kind]);
}

HResult RewriteStream(cfb::TStream& stream, TLedger& ledger, TRecordStream kind) {
    const std::uint32_t size = RecordSizes[kind];
    const std::int32_t count = CountOf(ledger, kind);
    // Damaged transactions follow the others, byte for byte as they were read.
    std::uint64_t damagedAt = std::uint64_t(count) * size;
    if (kind == StreamTrans)
        for (const TDamagedTrans& damaged : ledger.DamagedTrans) {
            if (HResult r = stream.WriteAt(damagedAt, damaged.Image.data(), size); cfb::Failed(r))
                return r;
            damagedAt += size;
        }
    std::vector<std::uint8_t> buffer(std::size_t(size) * std::clamp<std::int32_t>(count, 1, 4096));
    std::uint64_t position = 0;
    for (std::int32_t first = 0; first < count;) {
        const std::int32_t batch = std::min<std::int32_t>(4096, count - first);
        for (std::int32_t i = 0; i < batch; ++i)
            EncodeRecord(ledger, kind, first + i, buffer.data() + std::size_t(i) * size);
        if (HResult r = stream.WriteAt(position, buffer.data(), static_cast<std::uint32_t>(batch) * size);
            cfb::Failed(r))
            return r;
        first += batch;
        position += std::uint64_t(batch) * size;
    }
    if (HResult r = stream.SetSize(std::max(position, damagedAt)); cfb::Failed(r))
        return r;
    // The records stand where they were written only once the stream is written.
    for (std::int32_t i = 0; i < count; ++i)
        FilePosOf(ledger, kind, i) = static_cast<std::int64_t>(std::uint64_t(i) * size);
    if (kind == StreamTrans)
        for (std::size_t i = 0; i < ledger.DamagedTrans.size(); ++i)
            ledger.DamagedTrans[i].FilePos = static_cast<std::int64_t>(std::uint64_t(count + i) * size);
    return S_OK;
}

HResult ReadDocumentCounts(cfb::TStorage root, TGeneration& generation, TCounts& counts, Money* openingBalance) {
    const TGeneration generations[] = {TGeneration::Current, TGeneration::Version21, TGeneration::Version20,
                                       TGeneration::Version1};
    for (TGeneration candidate : generations) {
        cfb::TStream stream;
        if (cfb::Failed(root.OpenStream(CountsStreamNameOf(candidate), stream)))
            continue;
        generation = candidate;
        const std::uint32_t size = candidate == TGeneration::Version1 ? Version1CountsSize : CountsSize;
        std::uint8_t image[Version1CountsSize] = {};
        std::uint32_t read = 0;
        if (HResult r = stream.ReadAt(0, image, size, &read); cfb::Failed(r))
            return r;
        if (read < size)
            return cfb::STG_E_DOCFILECORRUPT;
        counts = DecodeCounts(image);
        if (openingBalance)
            *openingBalance = Money();
        if (candidate == TGeneration::Version1) {
            // Five counts, then the single account's opening balance.
            counts[StreamBooks] = 0;
            if (openingBalance)
                *openingBalance = Money::FromRaw(static_cast<std::int64_t>(cfb::Get64(image + 20)));
        }
        return S_OK;
    }
    return cfb::STG_E_FILENOTFOUND;
}

HResult LoadDocumentLists(cfb::TStorage root, TGeneration generation, const TCounts& counts, TLedger& ledger,
                          int& failed, bool withTransactions) {
    for (int i = withTransactions ? 0 : 1; i < 6; ++i) {
        failed = i;
        if (i == StreamBooks && generation == TGeneration::Version1)
            continue; // the first generation has one account and no stream for it
        cfb::TStream stream;
        HResult r = root.OpenStream(RecordStreamNames[i], stream);
        if (cfb::Failed(r))
            return r;
        const std::int32_t count = counts[static_cast<std::size_t>(i)];
        const bool before21 = generation == TGeneration::Version1 || generation == TGeneration::Version20;
        switch (i) {
        case StreamTrans:
            r = LoadTransactions(stream, count, ledger,
                                 before21                               ? TTaxField::Unset
                                 : generation == TGeneration::Version21 ? TTaxField::Rate
                                                                        : TTaxField::Amount);
            break;
        case StreamMainActs:
            r = LoadMainActs(stream, count, ledger.MainActList);
            break;
        case StreamSubActs:
            r = LoadSubActs(stream, count, ledger.SubActList, before21);
            break;
        case StreamGroups:
            r = LoadGroups(stream, count, ledger.GroupList);
            break;
        case StreamCats:
            r = LoadCats(stream, count, ledger.CatList);
            break;
        default:
            r = LoadBooks(stream, count, ledger.BookList);
        }
        if (cfb::Failed(r))
            return r;
    }
    // The tax fields as the conversion makes them: none before generation 2.1, amounts from
    // that generation's rates.
    if (generation != TGeneration::Current) {
        for (TTransRec* t : ledger.TransList.KeyList)
            t->Gst = generation == TGeneration::Version21 ? TaxOfGross(t->Amount, t->Gst) : Money();
        SetAsideDamaged(ledger);
    }
    return S_OK;
}

HResult WriteCounts(cfb::TStream& stream, const TCounts& counts) {
    std::uint8_t image[CountsSize];
    EncodeCounts(counts, image);
    return stream.WriteAt(0, image, CountsSize);
}

HResult ReadCounts(cfb::TStream& stream, TCounts& counts) {
    std::uint8_t image[CountsSize];
    std::uint32_t read = 0;
    if (HResult r = stream.ReadAt(0, image, CountsSize, &read); cfb::Failed(r))
        return r;
    if (read < CountsSize)
        return cfb::STG_E_DOCFILECORRUPT;
    counts = DecodeCounts(image);
    return S_OK;
}

HResult WriteSettings(cfb::TStream& stream, const TFileSettings& settings) {
    std::uint8_t image[SettingsSize];
    EncodeSettings(settings, image);
    return stream.WriteAt(0, image, SettingsSize);
}

HResult ReadSettings(cfb::TStream& stream, TFileSettings& settings) {
    std::uint8_t image[SettingsSize];
    std::uint32_t read = 0;
    if (HResult r = stream.ReadAt(0, image, SettingsSize, &read); cfb::Failed(r))
        return r;
    if (read < SettingsSize)
        return cfb::STG_E_DOCFILECORRUPT;
    DecodeSettings(image, settings);
    return S_OK;
}

HResult WriteComment(cfb::TStream& stream, const std::string& comment) {
    std::string bytes = comment;
    bytes += '\0';
    if (HResult r = stream.WriteAt(0, bytes.data(), static_cast<std::uint32_t>(bytes.size())); cfb::Failed(r))
        return r;
    return stream.SetSize(bytes.size());
}

HResult ReadComment(cfb::TStream& stream, std::string& comment) {
    if (HResult r = stream.ReadAll(comment); cfb::Failed(r))
        return r;
    comment.resize(std::min(comment.size(), comment.find('\0')));
    return S_OK;
}

} // namespace FileOLE

} // namespace qz
