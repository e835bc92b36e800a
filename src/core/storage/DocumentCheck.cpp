#include "DocumentCheck.h"

#include "ledger/NumberTexts.h"
#include "storage/cfb/CfbFormat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <set>
#include <unordered_map>

namespace qz {

using cfb::HResult;

namespace {

template <class Rec> struct Placed {
    Rec R;
    std::int64_t Pos = 0;
};

std::string Where(TRecordStream stream, std::int64_t pos, const std::string& number) {
    return std::string(RecordStreamNames[stream]) + " record at byte " + std::to_string(pos) + " (no. " + number + ")";
}

// Where a transaction stands (a template, as its record type is the check's own).
template <class Facts> std::string Where(const Facts& t) {
    return Where(StreamTrans, t.Pos, TransNumberText(t.Number, t.Split));
}

std::string SplitText(char split) {
    const auto byte = static_cast<unsigned char>(split);
    return byte >= 0x20 && byte < 0x7F ? std::string(1, split) : "byte " + std::to_string(byte);
}

// The length byte of a short text beyond its capacity.
bool TextTooLong(const std::string& image, std::size_t offset, std::size_t capacity) {
    return static_cast<unsigned char>(image[offset]) > capacity;
}

constexpr std::size_t ChunkSize = 1 << 20;

} // namespace

// The fields of a transaction the checks read; a million of them must fit in memory.
struct TDocumentCheck::TransFacts {
    std::int64_t Pos = 0;
    TDateTime Date = 0;
    Money Amount;
    Money Gst;
    std::int32_t Number = 0;
    std::int32_t MainAct = 0;
    std::int32_t SubAct = 0;
    std::uint16_t Group = 0;
    std::int16_t Book = 0;
    std::uint8_t Kind = 0;
    std::uint8_t Reconciled = 0;
    char Split = '0';
};

struct TDocumentCheck::Decoded {
    std::vector<TransFacts> Trans;
    std::vector<Placed<TMainActRec>> Categories;
    std::vector<Placed<TSubActRec>> Subs;
    std::vector<Placed<TGroupRec>> Groups;
    std::vector<Placed<TCatRec>> Types;
    std::vector<Placed<TBookRec>> Accounts;
    std::array<bool, 6> Present{};
    std::array<std::int32_t, 6> Live{};
    TCounts Counts{};
    bool CountsKnown = false;
    // The numbers that exist, for the references of the transactions.
    std::set<std::int32_t> CategoryNumbers, GroupNumbers, AccountNumbers;
    std::set<std::pair<std::int32_t, std::int32_t>> SubPairs;
};

bool TDocumentCheck::Run(const std::string& path) {
    Problems.clear();
    Unreadable = cfb::S_OK;
    RootStreams.clear();
    StreamsRead = RecordsChecked = 0;
    if (!WalkContainer(path))
        return false;
    if (CheckStreamsPresent()) {
        CheckBlocks();
        Decoded d;
        DecodeRecords(d);
        CheckCounts(d);
        CheckClassification(d);
        CheckAccounts(d);
        CheckTransactions(d);
        CheckSplits(d);
        CheckTransfers(d);
        CheckTaxCategories(d);
    }
    File.reset();
    return Problems.empty();
}

// ---- The container ----------------------------------------------------------------------------

bool TDocumentCheck::WalkContainer(const std::string& path) {
    File.reset();
    if (std::error_code ignored; std::filesystem::is_directory(path, ignored)) {
        Problem("a folder, not a document");
        return false;
    }
    if (HResult r = cfb::TCompoundFile::Open(path, cfb::StgAccess::ReadOnly, File); cfb::Failed(r)) {
        if (r == cfb::STG_E_SHAREVIOLATION || r == cfb::STG_E_LOCKVIOLATION || r == cfb::STG_E_ACCESSDENIED)
            Unreadable = r;
        else if (r == cfb::STG_E_FILENOTFOUND || r == cfb::STG_E_PATHNOTFOUND)
            Problem("no such file");
        else if (r == cfb::STG_E_INVALIDHEADER)
            Problem("not a compound file");
        else if (r == cfb::STG_E_INVALIDFUNCTION)
            Problem("not a regular file");
        else
            Problem("the container cannot be opened (" + cfb::ResultName(r) + ")");
        return false;
    }
    if (!File->StrayJournal().empty())
        Problem("the journal beside the file, \"" + File->StrayJournal() +
                "\", belongs to another file; it was not applied");
    for (const std::string& oddity : File->Oddities())
        Problem("the container: " + oddity);
    cfb::TStorage root = File->Root();
    WalkStorage(root, "", 0);
    return true;
}

void TDocumentCheck::WalkStorage(cfb::TStorage& storage, const std::string& prefix, int depth) {
    std::vector<cfb::TStatStg> elements;
    if (HResult r = storage.EnumElements(elements); cfb::Failed(r)) {
        Problem("storage \"" + prefix + "\" cannot be listed (" + cfb::ResultName(r) + ")");
        return;
    }
    for (const cfb::TStatStg& element : elements) {
        const std::string shown = prefix + element.Name;
        if (element.Type == cfb::EntryType::Stream) {
            ReadStream(storage, element.Name, shown, depth == 0);
        } else if (element.Type == cfb::EntryType::Storage) {
            cfb::TStorage child;
            if (depth >= 32)
                Problem("storage \"" + shown + "\" is nested too deeply");
            else if (HResult r = storage.OpenStorage(element.Name, child); cfb::Failed(r))
                Problem("storage \"" + shown + "\" cannot be opened (" + cfb::ResultName(r) + ")");
            else
                WalkStorage(child, shown + "/", depth + 1);
        }
    }
}

// Reads the stream through in pieces, so that a damaged size cannot ask for gigabytes at once.
void TDocumentCheck::ReadStream(cfb::TStorage& storage, const std::string& name, const std::string& shownName,
                                bool keep) {
    cfb::TStream stream;
    std::uint64_t size = 0;
    HResult r = storage.OpenStream(name, stream);
    if (cfb::Succeeded(r))
        r = stream.Size(size);
    std::string data;
    std::string chunk(ChunkSize, '\0');
    for (std::uint64_t at = 0; cfb::Succeeded(r) && at < size;) {
        const auto want = static_cast<std::uint32_t>(std::min<std::uint64_t>(ChunkSize, size - at));
        std::uint32_t read = 0;
        r = stream.ReadAt(at, chunk.data(), want, &read);
        if (cfb::Succeeded(r) && read < want)
            r = cfb::STG_E_READFAULT;
        if (cfb::Succeeded(r) && keep)
            data.append(chunk, 0, read);
        at += read;
    }
    if (cfb::Failed(r)) {
        Problem("stream \"" + shownName + "\" cannot be read (" + cfb::ResultName(r) + ")");
        return;
    }
    ++StreamsRead;
    if (keep)
        RootStreams[name] = std::move(data);
}

// ---- The streams of a document ----------------------------------------------------------------

bool TDocumentCheck::CheckStreamsPresent() {
    auto has = [&](const std::string& name) { return RootStreams.count(name) != 0; };
    if (!has(RecordStreamNames[StreamTrans]) || !has(SettingsStreamName)) {
        Problem(std::string("not a document: no readable \"") +
                (has(RecordStreamNames[StreamTrans]) ? SettingsStreamName : RecordStreamNames[StreamTrans]) +
                "\" stream");
        return false;
    }
    const char* countsNames[] = {CountsStreamName, Version21CountsName, Version20CountsName, Version1CountsName};
    std::vector<std::string> found;
    for (const char* name : countsNames)
        if (has(name))
            found.push_back(name);
    if (found.empty()) {
        Problem("no counts stream (\"KQ22FileInfo\" or an older one)");
        return false;
    }
    if (found.size() > 1)
        Problem("more than one counts stream: \"" + found[0] + "\" and \"" + found[1] + "\"");
    CountsName = found[0];
    Version1 = CountsName == Version1CountsName;
    BeforeTax = Version1 || CountsName == Version20CountsName;
    TaxField = BeforeTax ? TTaxField::Unset : CountsName == Version21CountsName ? TTaxField::Rate : TTaxField::Amount;
    for (int i = 1; i < 6; ++i)
        if (!has(RecordStreamNames[i]) && !(i == StreamBooks && Version1))
            Problem(std::string("the \"") + RecordStreamNames[i] + "\" stream is missing");
    if (Version1 && has(RecordStreamNames[StreamBooks]))
        Problem("a first-generation document with a \"Books\" stream");
    if (!has(CommentsStreamName))
        Problem("the \"Comments\" stream is missing");
    return true;
}

void TDocumentCheck::CheckBlocks() {
    const std::string& counts = RootStreams[CountsName];
    const std::size_t countsSize = Version1 ? Version1CountsSize : CountsSize;
    if (counts.size() < countsSize)
        Problem("the \"" + CountsName + "\" stream holds " + std::to_string(counts.size()) + " bytes, not " +
                std::to_string(countsSize));
    const std::string& settings = RootStreams[SettingsStreamName];
    if (settings.size() < SettingsSize) {
        Problem("the \"FileSettings\" stream holds " + std::to_string(settings.size()) + " bytes, not " +
                std::to_string(SettingsSize));
    } else {
        if (TextTooLong(settings, 0, 8) || TextTooLong(settings, 24, 6) || TextTooLong(settings, 44, 255) ||
            TextTooLong(settings, 300, 255) || TextTooLong(settings, 557, 252))
            Problem("the \"FileSettings\" stream: a text is longer than its field");
        if (static_cast<unsigned char>(settings[31]) > 1)
            Problem("the \"FileSettings\" stream: the tax switch is neither on nor off");
    }
    if (auto it = RootStreams.find(CommentsStreamName);
        it != RootStreams.end() && !it->second.empty() && it->second.find('\0') == std::string::npos)
        Problem("the \"Comments\" stream does not end its text with a zero byte");
}

// ---- Records ----------------------------------------------------------------------------------

void TDocumentCheck::DecodeRecords(Decoded& d) {
    const std::string& counts = RootStreams[CountsName];
    if (counts.size() >= (Version1 ? Version1CountsSize : CountsSize)) {
        d.Counts = DecodeCounts(reinterpret_cast<const std::uint8_t*>(counts.data()));
        if (Version1)
            d.Counts[StreamBooks] = 0;
        d.CountsKnown = true;
    }
    for (int i = 0; i < 6; ++i) {
        const auto kind = static_cast<TRecordStream>(i);
        auto it = RootStreams.find(RecordStreamNames[i]);
        if (it == RootStreams.end())
            continue;
        d.Present[static_cast<std::size_t>(i)] = true;
        const std::string& data = it->second;
        const std::size_t size = RecordSizes[i];
        if (data.size() % size != 0)
            Problem(std::string("the \"") + RecordStreamNames[i] + "\" stream ends with " +
                    std::to_string(data.size() % size) + " bytes that make no whole record");
        for (std::size_t at = 0; at + size <= data.size(); at += size) {
            const auto* image = reinterpret_cast<const std::uint8_t*>(data.data() + at);
            if (IsTombstone(kind, image))
                continue;
            ++d.Live[static_cast<std::size_t>(i)];
            ++RecordsChecked;
            const auto pos = static_cast<std::int64_t>(at);
            CheckTexts(kind, image, pos);
            switch (kind) {
            case StreamTrans: {
                TTransRec t;
                DecodeTrans(image, t);
                d.Trans.push_back({pos, t.Date, t.Amount, t.Gst, t.Number, t.MainAct, t.SubAct, t.Group, t.Book, t.Kind,
                                   t.Reconciled, t.Split});
                break;
            }
            case StreamMainActs:
                d.Categories.push_back({{}, pos});
                DecodeMainAct(image, d.Categories.back().R);
                break;
            case StreamSubActs:
                d.Subs.push_back({{}, pos});
                DecodeSubAct(image, d.Subs.back().R, CountsName == Version20CountsName);
                break;
            case StreamGroups:
                d.Groups.push_back({{}, pos});
                DecodeGroup(image, d.Groups.back().R);
                break;
            case StreamCats:
                d.Types.push_back({{}, pos});
                DecodeCat(image, d.Types.back().R);
                break;
            case StreamBooks:
                d.Accounts.push_back({{}, pos});
                DecodeBook(image, d.Accounts.back().R);
                break;
            }
        }
    }
    for (const auto& c : d.Categories)
        d.CategoryNumbers.insert(c.R.Number);
    for (const auto& sub : d.Subs)
        d.SubPairs.insert({sub.R.MainAct, sub.R.Number});
    for (const auto& g : d.Groups)
        d.GroupNumbers.insert(g.R.Number);
    for (const auto& b : d.Accounts)
        d.AccountNumbers.insert(b.R.Number);
}

// The length byte of every text field against its capacity: a reader cuts a text there,
// and whatever lay beyond it would be shown as part of it.
void TDocumentCheck::CheckTexts(TRecordStream kind, const std::uint8_t* image, std::int64_t pos) {
    struct Field {
        std::size_t Offset;
        std::size_t Capacity;
    };
    static const std::vector<Field> fields[6] = {
        {{12, 20}, {60, 247}},            // reference, notes
        {{4, 40}},                        // name
        {{4, 40}, {52, 192}, {245, 247}}, // name, the two pieces of the notes
        {{4, 40}, {45, 255}},             // name, notes
        {{4, 40}},                        // name
        {{4, 100}},                       // name
    };
    const bool oldSubActs = kind == StreamSubActs && BeforeTax; // nine short texts of their own
    for (const Field& field : fields[kind])
        if ((!oldSubActs || field.Offset == 4) && image[field.Offset] > field.Capacity) {
            const std::int32_t number = kind == StreamCats ? static_cast<std::int16_t>(cfb::Get16(image))
                                                           : static_cast<std::int32_t>(cfb::Get32(image));
            std::string numberText = std::to_string(number);
            if (kind == StreamTrans)
                numberText = TransNumberText(number, static_cast<char>(image[317]));
            Problem(Where(kind, pos, numberText) + ": a text is longer than its field");
            return;
        }
}

void TDocumentCheck::CheckCounts(const Decoded& d) {
    if (!d.CountsKnown)
        return;
    for (std::size_t i = 0; i < 6; ++i) {
        if (!d.Present[i] || (Version1 && i == StreamBooks))
            continue;
        if (d.Counts[i] != d.Live[i])
            Problem("the counts block gives " + std::to_string(d.Counts[i]) + " live " + RecordStreamNames[i] +
                    " records; the stream holds " + std::to_string(d.Live[i]));
    }
}

void TDocumentCheck::CheckClassification(const Decoded& d) {
    auto side = [&](std::uint8_t value, const std::string& where) {
        if (value != SideCredit && value != SideDebit)
            Problem(where + ": side " + std::to_string(value) + " is neither credit (1) nor debit (2)");
    };
    std::set<std::int32_t> types, categories, groups;
    std::set<std::pair<std::int32_t, std::int32_t>> subs;
    for (const auto& [t, pos] : d.Types) {
        const std::string where = Where(StreamCats, pos, std::to_string(t.Number));
        if (!types.insert(t.Number).second)
            Problem(where + ": the number is used twice");
        if (t.Kind < 0 || t.Kind > KindGstSystem)
            Problem(where + ": kind " + std::to_string(t.Kind) + " is unknown");
        side(t.Side, where);
    }
    for (const auto& [c, pos] : d.Categories) {
        const std::string where = Where(StreamMainActs, pos, std::to_string(c.Number));
        if (!categories.insert(c.Number).second)
            Problem(where + ": the number is used twice");
        if (!types.count(c.CatType))
            Problem(where + ": category type " + std::to_string(c.CatType) + " does not exist");
        side(c.Side, where);
    }
    for (const auto& [s, pos] : d.Subs) {
        const std::string where = Where(StreamSubActs, pos, SubActNumberText(s.MainAct, s.Number));
        if (!subs.insert({s.MainAct, s.Number}).second)
            Problem(where + ": the number is used twice in its category");
        if (!categories.count(s.MainAct))
            Problem(where + ": category " + std::to_string(s.MainAct) + " does not exist");
        side(s.Side, where);
    }
    for (const auto& [g, pos] : d.Groups) {
        const std::string where = Where(StreamGroups, pos, GroupNumberText(g.Number));
        if (!groups.insert(g.Number).second)
            Problem(where + ": the number is used twice");
        if (g.Number < 0 || g.Number > 0xFFFF)
            Problem(where + ": the number does not fit a transaction's group field");
    }
}

void TDocumentCheck::CheckAccounts(const Decoded& d) {
    std::set<std::int32_t> numbers;
    std::unordered_map<std::int32_t, const TransFacts*> openings; // by transaction number
    for (const TransFacts& t : d.Trans)
        if (t.Kind == TransOpening)
            openings[t.Number] = &t;
    for (const auto& [b, pos] : d.Accounts) {
        const std::string where = Where(StreamBooks, pos, std::to_string(b.Number));
        if (!numbers.insert(b.Number).second)
            Problem(where + ": the number is used twice");
        if (b.Number < 0 || b.Number > 0x7FFF)
            Problem(where + ": the number does not fit a transaction's account field");
        if (b.OpeningTransNo == -1)
            continue;
        auto it = openings.find(b.OpeningTransNo);
        if (it == openings.end())
            Problem(where + ": its opening balance, transaction " + std::to_string(b.OpeningTransNo) +
                    ", does not exist");
        else if (it->second->Book != b.Number)
            Problem(where + ": its opening balance, transaction " + std::to_string(b.OpeningTransNo) +
                    ", belongs to account " + std::to_string(it->second->Book));
    }
}

void TDocumentCheck::CheckTransactions(const Decoded& d) {
    std::set<std::pair<std::int32_t, char>> seen;
    std::set<std::int16_t> openingAccounts;
    for (const TransFacts& t : d.Trans) {
        const std::string where = Where(t);
        if (!seen.insert({t.Number, t.Split}).second)
            Problem(where + ": the number is used twice");
        if (t.Number < 0)
            Problem(where + ": the number is negative");
        if (t.Number == 0 && t.Kind != TransOpening)
            Problem(where + ": number 0 belongs to an opening balance");
        TTransRec record;
        record.Date = t.Date;
        record.Kind = t.Kind;
        record.Amount = t.Amount;
        record.Gst = t.Gst;
        const std::string damage = TransDamage(record, TaxField);
        if (!damage.empty())
            Problem(where + ": " + damage + "; it is left out of the books");
        if (t.Kind < TransCredit || t.Kind > TransTo)
            continue;
        if (t.Split != '0' && (t.Split < 'A' || t.Split > 'Z'))
            Problem(where + ": split letter " + SplitText(t.Split) + " is neither 0 nor A to Z");
        if (t.Split != '0' && !(t.Kind == TransCredit || t.Kind == TransDebit))
            Problem(where + ": only credits and debits can be split");
        if (t.Reconciled > 1)
            Problem(where + ": the reconciled flag is " + std::to_string(t.Reconciled));
        if (t.Kind != TransOpening && t.Amount < Money())
            Problem(where + ": the amount is negative");
        if (t.Kind == TransOpening && !openingAccounts.insert(t.Book).second)
            Problem(where + ": a second opening balance for account " + std::to_string(t.Book));
        CheckTransactionReferences(d, t);
    }
}

void TDocumentCheck::CheckTransactionReferences(const Decoded& d, const TransFacts& t) {
    const std::string where = Where(t);
    if (!Version1 && !d.AccountNumbers.count(t.Book))
        Problem(where + ": account " + std::to_string(t.Book) + " does not exist");
    if (t.Kind == TransCredit || t.Kind == TransDebit) {
        if (!d.CategoryNumbers.count(t.MainAct))
            Problem(where + ": category " + std::to_string(t.MainAct) + " does not exist");
        else if (!d.SubPairs.count({t.MainAct, t.SubAct}))
            Problem(where + ": sub category " + SubActNumberText(t.MainAct, t.SubAct) + " does not exist");
        if (!d.GroupNumbers.count(t.Group))
            Problem(where + ": group " + GroupNumberText(t.Group) + " does not exist");
    } else if (t.Kind == TransFrom || t.Kind == TransTo) {
        if (!Version1 && !d.AccountNumbers.count(t.Group))
            Problem(where + ": the other account, " + std::to_string(t.Group) + ", does not exist");
        if (t.Group == static_cast<std::uint16_t>(t.Book))
            Problem(where + ": a transfer from an account to itself");
    }
}

void TDocumentCheck::CheckSplits(const Decoded& d) {
    std::unordered_map<std::int32_t, std::vector<const TransFacts*>> byNumber;
    for (const TransFacts& t : d.Trans)
        byNumber[t.Number].push_back(&t);
    std::vector<std::int32_t> numbers;
    for (const auto& [number, parts] : byNumber)
        if (parts.size() > 1 || parts.front()->Split != '0')
            numbers.push_back(number);
    std::sort(numbers.begin(), numbers.end());
    for (std::int32_t number : numbers) {
        const std::vector<const TransFacts*>& parts = byNumber[number];
        const std::string where = "transaction " + std::to_string(number);
        if (std::any_of(parts.begin(), parts.end(), [](const TransFacts* t) { return t->Split == '0'; })) {
            Problem(where + ": an unsplit transaction shares its number with other records");
            continue;
        }
        std::string letters;
        for (const TransFacts* t : parts)
            letters += t->Split;
        std::sort(letters.begin(), letters.end());
        bool consecutive = true;
        for (std::size_t k = 0; k < letters.size(); ++k)
            consecutive = consecutive && letters[k] == static_cast<char>('A' + k);
        // Each part has its own account and date (the transaction editor lets the user choose
        // them per part), so parts in other accounts or on other days are no fault.
        if (parts.size() == 1)
            Problem(where + ": a split with the single part " + SplitText(letters[0]));
        else if (!consecutive)
            Problem(where + ": split letters " + letters + " do not run A, B, C... without a gap");
    }
}

void TDocumentCheck::CheckTransfers(const Decoded& d) {
    std::unordered_map<std::int32_t, const TransFacts*> unsplit;
    for (const TransFacts& t : d.Trans)
        if (t.Split == '0')
            unsplit.emplace(t.Number, &t);
    auto find = [&](std::int32_t number) -> const TransFacts* {
        auto it = unsplit.find(number);
        return it == unsplit.end() ? nullptr : it->second;
    };
    for (const TransFacts& t : d.Trans) {
        const std::string where = Where(t);
        if (t.Kind == TransFrom) {
            const TransFacts* out = find(t.Number - 1);
            if (!out || out->Kind != TransTo || out->MainAct != t.Number)
                Problem(where + ": a transfer-in without its transfer-out, " + std::to_string(t.Number - 1));
            continue;
        }
        if (t.Kind != TransTo)
            continue;
        if (t.MainAct != t.Number + 1) {
            Problem(where + ": names transaction " + std::to_string(t.MainAct) + " as its other half, not " +
                    std::to_string(t.Number + 1));
            continue;
        }
        const TransFacts* in = find(t.Number + 1);
        if (!in || in->Kind != TransFrom) {
            Problem(where + ": its transfer-in, " + std::to_string(t.Number + 1) + ", does not exist");
            continue;
        }
        if (in->Amount != t.Amount)
            Problem(where + ": its transfer-in carries another amount");
        if (in->Date != t.Date)
            Problem(where + ": its transfer-in has another date");
        if (in->Book != static_cast<std::int16_t>(t.Group) || in->Group != static_cast<std::uint16_t>(t.Book))
            Problem(where + ": its transfer-in names other accounts");
    }
}

void TDocumentCheck::CheckTaxCategories(const Decoded& d) {
    const std::string& image = RootStreams[SettingsStreamName];
    if (BeforeTax || image.size() < SettingsSize)
        return;
    TFileSettings settings;
    DecodeSettings(reinterpret_cast<const std::uint8_t*>(image.data()), settings);
    const std::pair<std::int32_t, const char*> taxCategories[] = {{settings.GstPaymentCat, "payments"},
                                                                  {settings.GstRefundCat, "refunds"}};
    for (const auto& [number, what] : taxCategories)
        if (number != -1 && !d.CategoryNumbers.count(number))
            Problem(std::string("the settings name category ") + std::to_string(number) + " for tax " + what +
                    "; it does not exist");
    if (settings.TaxOn && settings.TaxName.empty())
        Problem("tax is tracked without a tax name");
    if (!WithinMaxAmount(settings.GstOpeningBalance))
        Problem("the settings: the tax opening balance is beyond the largest a document may hold (10,000,000.00)");
}

} // namespace qz
