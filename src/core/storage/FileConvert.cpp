#include "FileConvert.h"

#include "engine/Engine.h"
#include "ledger/Cp1252.h"
#include "storage/cfb/CfbFormat.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace qz {

using cfb::HResult;
using cfb::S_OK;

namespace {

bool Denied(HResult result) {
    return result == cfb::STG_E_ACCESSDENIED || result == cfb::STG_E_SHAREVIOLATION ||
           result == cfb::STG_E_LOCKVIOLATION || result == cfb::STG_E_DISKISWRITEPROTECTED;
}

std::int32_t HighestCategory(const TMainActList& list) {
    std::int32_t highest = 0;
    for (const TMainActRec* c : list.KeyList)
        highest = std::max(highest, c->Number);
    return highest;
}

} // namespace

TFileConvert::TFileConvert(TFileManager& files, TLedger& ledger, Prompts& prompts, DocumentQuestions& questions,
                           const Clock& clock, cfb::TFileSystem& fs)
    : Files(files), Ledger(ledger), Ask(prompts), Questions(questions), Time(clock), Fs(fs) {}

// ---- Converting older documents ----------------------------------------------------------

namespace {

// The generation a container holds, by its counts stream; false when it is no document.
bool GenerationOf(cfb::TStorage root, TGeneration& generation) {
    cfb::TStream stream;
    if (cfb::Failed(root.OpenStream(RecordStreamNames[StreamTrans], stream)))
        return false;
    const bool books = cfb::Succeeded(root.OpenStream(RecordStreamNames[StreamBooks], stream));
    const TGeneration candidates[] = {TGeneration::Current, TGeneration::Version21, TGeneration::Version20};
    if (books) {
        for (TGeneration candidate : candidates)
            if (cfb::Succeeded(root.OpenStream(CountsStreamNameOf(candidate), stream))) {
                generation = candidate;
                return true;
            }
        return false;
    }
    // Without an accounts stream it is of the first generation, whose conversion finds out
    // whether its counts block is there.
    generation = TGeneration::Version1;
    return true;
}

} // namespace

// Opens a stream of the document being converted, noting the first failure.
struct TConversionStreams {
    cfb::TStorage Root;
    HResult Failure = S_OK;
    cfb::TStream Open(const char* name) {
        cfb::TStream stream;
        if (HResult r = Root.OpenStream(name, stream); cfb::Failed(r) && cfb::Succeeded(Failure))
            Failure = r;
        return stream;
    }
    bool Check(HResult result) {
        if (cfb::Failed(result) && cfb::Succeeded(Failure))
            Failure = result;
        return cfb::Succeeded(Failure);
    }
};

HResult TFileConvert::OpenExclusive(const std::string& path, std::unique_ptr<cfb::TCompoundFile>& file) {
    const HResult result = cfb::TCompoundFile::Open(path, cfb::StgAccess::ReadWrite, file, Fs);
    if (cfb::Succeeded(result))
        file->SetSync(Files.SyncWrites);
    return result;
}

int TFileConvert::ConvertDocument(const std::string& path) {
    LastFailure = S_OK;
    Converted.reset();
    if (Files.IsOpen && path == Files.Path) {
        Ask.MessageBox("File already open", MsgKind::Information, MsgButtons::Ok);
        return 3;
    }
    std::unique_ptr<cfb::TCompoundFile> file;
    const HResult opened = OpenExclusive(path, file);
    // A current document on read-only media needs no conversion and opens read-only; only an
    // older one that cannot be written to is refused.
    TGeneration generation = TGeneration::Current;
    if ((opened == cfb::STG_E_ACCESSDENIED || opened == cfb::STG_E_DISKISWRITEPROTECTED) &&
        cfb::Succeeded(cfb::TCompoundFile::Open(path, cfb::StgAccess::ReadOnly, file, Fs))) {
        const bool current = GenerationOf(file->Root(), generation) && generation == TGeneration::Current;
        file.reset();
        if (current)
            return 0;
    }
    if (Denied(opened)) {
        LastFailure = opened;
        Ask.MessageBox("Unable to access this file.  It may be a read only file or in use by another application.",
                       MsgKind::Information, MsgButtons::Ok);
        return 3;
    }
    if (cfb::Failed(opened)) {
        LastFailure = opened;
        return 2;
    }
    if (!GenerationOf(file->Root(), generation))
        return 2;
    if (generation == TGeneration::Current)
        return 0;
    Converted = generation;
    int result = ConvertStreams(*file, generation);
    if (result == 0 && !Files.StorageCall("file", false, [&] {
            const HResult committed = file->Commit();
            LastFailure = committed;
            return committed;
        }))
        result = 4;
    file.reset();
    if (result != 0) {
        Converted.reset();
        RollBack(path);
    }
    return result;
}

// After a conversion that failed, the file is opened once for writing, so that a commit it
// left half written is rolled back now rather than at its next opening.
void TFileConvert::RollBack(const std::string& path) {
    if (!Fs.Exists(cfb::TCompoundFile::JournalPath(path)))
        return;
    std::unique_ptr<cfb::TCompoundFile> file;
    cfb::TCompoundFile::Open(path, cfb::StgAccess::ReadWrite, file, Fs);
}

// Every question first, then every change in the storage, generation by generation; nothing
// is committed here. 0, 4 (LastFailure says why) or 5.
int TFileConvert::ConvertStreams(cfb::TCompoundFile& file, TGeneration generation) {
    TConversionStreams streams{file.Root()};
    TCatList firstTypes;
    std::string accountName;
    std::uint8_t firstInfo[Version1CountsSize] = {};
    if (generation == TGeneration::Version1) {
        cfb::TStream info = streams.Open(Version1CountsName);
        cfb::TStream types = streams.Open(RecordStreamNames[StreamCats]);
        std::uint32_t read = 0;
        if (!streams.Check(info.ReadAt(0, firstInfo, Version1CountsSize, &read)) ||
            !streams.Check(read < Version1CountsSize ? cfb::STG_E_DOCFILECORRUPT : S_OK) ||
            !streams.Check(FileOLE::LoadCats(types, static_cast<std::int32_t>(cfb::Get32(firstInfo + 16)), firstTypes)))
            return Fail(streams.Failure);
        if (!Questions.ConvertWizard(firstTypes, accountName))
            return 5;
        accountName = Trim(accountName);
        if (accountName.empty())
            accountName = "Account 1";
    }
    TFileSettings settings;
    cfb::TStream settingsStream = streams.Open(SettingsStreamName);
    if (!streams.Check(FileOLE::ReadSettings(settingsStream, settings)))
        return Fail(streams.Failure);
    if (generation != TGeneration::Version21)
        AskTaxSettings(settings);

    if (generation == TGeneration::Version1 && !ConvertFirstGeneration(streams, firstInfo, firstTypes, accountName))
        return Fail(streams.Failure);
    if (generation != TGeneration::Version21 && !ConvertSecondGeneration(streams, settings))
        return Fail(streams.Failure);
    if (generation == TGeneration::Version21 && !ConvertTaxRates(streams))
        return Fail(streams.Failure);
    // The generation's mark changes with the last of the converted records.
    if (!streams.Check(file.Root().RenameElement(Version21CountsName, CountsStreamName)))
        return Fail(streams.Failure);
    return 0;
}

int TFileConvert::Fail(HResult result) {
    LastFailure = cfb::Failed(result) ? result : cfb::STG_E_DOCFILECORRUPT;
    return 4;
}

// The tax settings of a document of generation 2.0 or older: asked now, before anything is
// changed, with the company details when it has none.
void TFileConvert::AskTaxSettings(TFileSettings& settings) {
    TTaxChoice tax = Questions.AskTaxChoice();
    if (!tax.Tracking) {
        tax.Percent = Money::FromUnits(10);
        tax.Name.clear();
    }
    if (settings.BusinessName.empty() && settings.BusinessNumber.empty())
        Questions.AskCompanyDetails(settings.BusinessName, settings.BusinessNumber);
    settings.TaxOn = tax.Tracking ? 1 : 0;
    settings.GstPercent = tax.Percent;
    settings.TaxName = tax.Name.empty() ? std::string("GST/VAT").substr(0, 6) : tax.Name;
    settings.GstPaymentCat = -1;
    settings.GstRefundCat = -1;
    settings.GstOpeningBalance = Money();
}

// Generation 1 to 2.0: the single account gets a stream, its opening balance a transaction,
// and the category types their kinds and new names.
bool TFileConvert::ConvertFirstGeneration(TConversionStreams& streams, const std::uint8_t* info, TCatList& types,
                                          const std::string& accountName) {
    std::int32_t counts[5];
    for (int i = 0; i < 5; ++i)
        counts[i] = static_cast<std::int32_t>(cfb::Get32(info + 4 * i));
    const Money openingBalance = Money::FromRaw(static_cast<std::int64_t>(cfb::Get64(info + 20)));
    cfb::TStream infoStream = streams.Open(Version1CountsName);
    cfb::TStream transactions = streams.Open(RecordStreamNames[StreamTrans]);
    cfb::TStream cats = streams.Open(RecordStreamNames[StreamCats]);
    cfb::TStream books;
    std::uint8_t countsImage[CountsSize];
    EncodeCounts(TCounts{counts[0] + 1, counts[1], counts[2], counts[3], counts[4] + 3, 1}, countsImage);
    if (!streams.Check(infoStream.WriteAt(0, countsImage, CountsSize)) ||
        !streams.Check(streams.Root.RenameElement(Version1CountsName, Version20CountsName)) ||
        !streams.Check(streams.Root.CreateStream(RecordStreamNames[StreamBooks], books)))
        return false;

    TBookRec account;
    account.Number = 0;
    account.Name = accountName;
    account.OpeningTransNo = 0;
    account.Colour = RGBColour(0, 0, 255);
    std::uint8_t bookImage[BookRecordSize];
    EncodeBook(account, bookImage);
    TLedger loaded;
    std::uint64_t end = 0;
    if (!streams.Check(books.WriteAt(0, bookImage, BookRecordSize)) ||
        !streams.Check(FileOLE::LoadTransactions(transactions, counts[0], loaded, TTaxField::Unset)) ||
        !streams.Check(transactions.Size(end)))
        return false;
    TTransRec opening;
    opening.Number = 0;
    opening.Kind = TransOpening;
    opening.Book = 0;
    opening.Amount = openingBalance;
    opening.Date = Time.Today() + 3000;
    for (const TTransRec* t : loaded.TransList.KeyList)
        opening.Date = t == loaded.TransList.KeyList.front() ? t->Date : std::min(opening.Date, t->Date);
    std::uint8_t transImage[TransRecordSize];
    EncodeTrans(opening, transImage);
    if (!streams.Check(transactions.WriteAt(end, transImage, TransRecordSize)))
        return false;

    struct Rename {
        const char* From;
        const char* To;
        std::int16_t Kind;
    };
    static const Rename renames[] = {
        {"General Income", "General Income", KindSales}, {"Other Income", "Other Income", KindOther},
        {"Equipment", "Assets Purchased", KindAssets},   {"Overheads", "Overheads", KindOperating},
        {"Stock", "Stock Purchased", KindSales},         {"Wages", "Wages", KindOperating},
        {"Tax", "Company Tax", KindCompanyTax},          {"Other", "Other Expenses", KindOther},
    };
    for (TCatRec* type : types.KeyList)
        for (const Rename& r : renames)
            if (type->Name == std::string_view(r.From)) {
                type->Name = r.To;
                type->Kind = r.Kind;
            }
    types.Notify = 0;
    types.AddType("Assets Sold", SideCredit, KindAssets, 1);
    types.AddType("Funds Injection", SideCredit, KindFunds, 1);
    types.AddType("Funds Repayment", SideDebit, KindFunds, 1);
    types.SortByKey();
    TLedger scratch;
    scratch.CatList.Notify = 0;
    for (TCatRec* type : types.KeyList)
        scratch.CatList.Add(new TCatRec(*type));
    return streams.Check(FileOLE::RewriteStream(cats, scratch, StreamCats));
}

// Generation 2.0 to 2.1: the tax settings, sub category notes from their old texts, and the
// tax records (see AddGstRecords).
bool TFileConvert::ConvertSecondGeneration(TConversionStreams& streams, TFileSettings& settings) {
    cfb::TStream counts = streams.Open(Version20CountsName);
    TCounts stored{};
    if (!streams.Check(streams.Root.RenameElement(Version20CountsName, Version21CountsName)) ||
        !streams.Check(FileOLE::ReadCounts(counts, stored)))
        return false;
    cfb::TStream trans = streams.Open(RecordStreamNames[StreamTrans]);
    cfb::TStream mainActs = streams.Open(RecordStreamNames[StreamMainActs]);
    cfb::TStream subActs = streams.Open(RecordStreamNames[StreamSubActs]);
    cfb::TStream cats = streams.Open(RecordStreamNames[StreamCats]);
    cfb::TStream settingsStream = streams.Open(SettingsStreamName);
    TLedger scratch;
    if (!streams.Check(FileOLE::LoadTransactions(trans, stored[StreamTrans], scratch, TTaxField::Unset)) ||
        !streams.Check(FileOLE::LoadMainActs(mainActs, stored[StreamMainActs], scratch.MainActList)) ||
        !streams.Check(FileOLE::LoadSubActs(subActs, stored[StreamSubActs], scratch.SubActList, true)) ||
        !streams.Check(FileOLE::LoadCats(cats, stored[StreamCats], scratch.CatList)))
        return false;
    AddGstRecords(scratch, settings);
    scratch.TransList.SortByKey();
    for (TRecordStream kind : {StreamMainActs, StreamSubActs, StreamCats})
        stored[kind] = FileOLE::StoredCountOf(scratch, kind);
    return streams.Check(FileOLE::RewriteStream(trans, scratch, StreamTrans)) &&
           streams.Check(FileOLE::RewriteStream(mainActs, scratch, StreamMainActs)) &&
           streams.Check(FileOLE::RewriteStream(subActs, scratch, StreamSubActs)) &&
           streams.Check(FileOLE::RewriteStream(cats, scratch, StreamCats)) &&
           streams.Check(FileOLE::WriteSettings(settingsStream, settings)) &&
           streams.Check(FileOLE::WriteCounts(counts, stored));
}

// Generation 2.1 to 2.2: the tax field held a rate; it becomes the tax amount.
bool TFileConvert::ConvertTaxRates(TConversionStreams& streams) {
    cfb::TStream counts = streams.Open(Version21CountsName);
    cfb::TStream trans = streams.Open(RecordStreamNames[StreamTrans]);
    TCounts stored{};
    TLedger scratch;
    if (!streams.Check(FileOLE::ReadCounts(counts, stored)) ||
        !streams.Check(FileOLE::LoadTransactions(trans, stored[StreamTrans], scratch, TTaxField::Rate)))
        return false;
    ComputeGstAmounts(scratch);
    FileOLE::SetAsideDamaged(scratch);
    scratch.TransList.SortByKey();
    return streams.Check(FileOLE::RewriteStream(trans, scratch, StreamTrans));
}

std::string TFileConvert::TaxCategoryName(const TFileSettings& settings) {
    return settings.TaxOn ? settings.TaxName : std::string("GST/VAT");
}

void TFileConvert::AddGstRecords(TLedger& ledger, TFileSettings& settings) {
    TTransList& trans = ledger.TransList;
    // A split is reconciled as a whole or not at all.
    std::unordered_map<std::int32_t, std::pair<bool, bool>> splits; // number → (some reconciled, some not)
    for (TTransRec* t : trans.KeyList) {
        t->Gst = Money();
        if (t->Split != '0')
            (t->Reconciled ? splits[t->Number].first : splits[t->Number].second) = true;
    }
    for (TTransRec* t : trans.KeyList)
        if (t->Split != '0') {
            const auto& [reconciled, unreconciled] = splits[t->Number];
            if (reconciled && unreconciled)
                t->Reconciled = 0;
        }
    for (TSubActRec* sub : ledger.SubActList.KeyList) {
        const TMainActRec* category = ledger.MainActList.FindByNumber(sub->MainAct);
        const TCatRec* type = category ? ledger.CatList.Find(category->CatType) : nullptr;
        sub->GstPercent = type && TCatList::NoGstByDefault(*type) ? Money() : settings.GstPercent;
    }
    const std::string name = TaxCategoryName(settings);
    ledger.CatList.Notify = 0;
    TCatRec* type = ledger.CatList.AddType(name, SideDebit, KindGstSystem, 1);
    auto* category = new TMainActRec;
    category->Number = HighestCategory(ledger.MainActList) + 100;
    category->Name = name;
    category->CatType = type->Number;
    category->Side = SideDebit;
    ledger.MainActList.Notify = 0;
    ledger.MainActList.Add(category);
    settings.GstPaymentCat = category->Number;
    auto* payment = new TSubActRec;
    payment->Number = 1;
    payment->Name = "Payment";
    payment->Side = SideDebit;
    payment->MainAct = category->Number;
    ledger.SubActList.Notify = 0;
    ledger.SubActList.Add(payment);
}

void TFileConvert::ComputeGstAmounts(TLedger& ledger) {
    // The field held the rate in that generation.
    for (TTransRec* t : ledger.TransList.KeyList)
        t->Gst = TaxOfGross(t->Amount, t->Gst);
}

void TFileConvert::CheckTaxCategories() {
    // The refunds category, its sub category and the settings that name it reach the disk together.
    TChangeGroup group(Files);
    if (!Files.Settings.TaxOn) {
        const bool stray = std::any_of(Ledger.TransList.KeyList.begin(), Ledger.TransList.KeyList.end(),
                                       [](const TTransRec* t) { return !t->Gst.IsZero(); });
        if (stray) {
            for (TTransRec* t : Ledger.TransList.KeyList)
                if (t->Row != -1)
                    t->Gst = Money();
            Recalculate(Ledger);
        }
    }
    if (Files.Settings.GstRefundCat >= 1)
        return;
    auto* refunds = new TMainActRec;
    refunds->Number = HighestCategory(Ledger.MainActList) + 100;
    refunds->Name = TaxCategoryName(Files.Settings);
    const TCatRec* type = nullptr;
    if (const TMainActRec* payments = Ledger.MainActList.FindByNumber(Files.Settings.GstPaymentCat))
        type = Ledger.CatList.Find(payments->CatType);
    for (const TCatRec* other : Ledger.CatList.KeyList)
        if (!type && other->Kind == KindGstSystem)
            type = other;
    // A document without the tax type gets it back: the category must have a type to total in.
    if (!type)
        type = Ledger.CatList.AddType(TaxCategoryName(Files.Settings), SideDebit, KindGstSystem, 1);
    refunds->CatType = type->Number;
    refunds->Side = SideCredit;
    Ledger.MainActList.Add(refunds);
    Files.Settings.GstRefundCat = refunds->Number;
    Files.WriteSettings();
    auto* refund = new TSubActRec;
    refund->Number = 1;
    refund->Name = "Refund";
    refund->Side = SideCredit;
    refund->MainAct = refunds->Number;
    refund->MainActRec = refunds;
    Ledger.SubActList.Add(refund);
}

// ---- New from an existing document ---------------------------------------------------------

bool TFileConvert::NewFromExisting(const std::string& newPath, const std::string& sourcePath,
                                   const std::vector<TTransRec>& carried, const std::vector<Money>& balances,
                                   Money gstBalance, TDateTime startDate) {
    if (Files.IsOpen) {
        Ask.MessageBox("Can't execute New From Exisitng while a file is open", MsgKind::Warning, MsgButtons::Ok);
        return false;
    }
    std::unique_ptr<cfb::TCompoundFile> target, source;
    // A creation that fails part way leaves a file of its own making; it goes, never one that
    // was there before.
    const bool existed = Fs.Exists(newPath);
    if (!Files.StorageCall("new file", false, [&] { return cfb::TCompoundFile::Create(newPath, target, Fs); })) {
        target.reset();
        if (!existed)
            Fs.Remove(newPath);
        return false;
    }
    target->SetSync(Files.SyncWrites);
    auto fail = [&] {
        target.reset();
        Fs.Remove(newPath);
        return false;
    };
    if (cfb::Failed(cfb::TCompoundFile::Open(sourcePath, cfb::StgAccess::ReadOnly, source, Fs)))
        return fail();
    cfb::TStorage from = source->Root();
    cfb::TStorage to = target->Root();
    const char* copied[] = {"MainActs", "SubActs",          "Groups",          "Categories",
                            "Books",    SettingsStreamName, CommentsStreamName};
    for (const char* name : copied) {
        cfb::TStream in, out;
        std::string data;
        const bool ok = cfb::Succeeded(from.OpenStream(name, in)) && cfb::Succeeded(in.ReadAll(data)) &&
                        cfb::Succeeded(to.CreateStream(name, out)) &&
                        cfb::Succeeded(out.WriteAt(0, data.data(), static_cast<std::uint32_t>(data.size())));
        if (!ok) {
            if (std::string_view(name) == "Books")
                Ask.MessageBox("New files can only be created from Quillmar Zudeduze version 2.1 files.",
                               MsgKind::Error, MsgButtons::Ok);
            return fail();
        }
    }
    cfb::TStream sourceCounts, transactions, books, counts, settingsStream;
    TCounts existing{};
    if (cfb::Failed(from.OpenStream(CountsStreamName, sourceCounts)) ||
        cfb::Failed(FileOLE::ReadCounts(sourceCounts, existing)) ||
        cfb::Failed(to.CreateStream(RecordStreamNames[StreamTrans], transactions)) ||
        cfb::Failed(to.OpenStream(RecordStreamNames[StreamBooks], books)))
        return fail();
    TLedger scratch;
    if (cfb::Failed(FileOLE::LoadBooks(books, existing[StreamBooks], scratch.BookList)))
        return fail();
    scratch.TransList.Notify = 0;
    std::int32_t next = 0;
    for (std::int32_t i = 0; i < scratch.BookList.Count(); ++i) {
        auto* opening = new TTransRec;
        opening->Number = next++;
        opening->Date = startDate;
        opening->Kind = TransOpening;
        TBookRec* account = scratch.BookList.Items(i);
        opening->Book = static_cast<std::int16_t>(account->Number);
        opening->Amount =
            static_cast<std::size_t>(i) < balances.size() ? balances[static_cast<std::size_t>(i)] : Money();
        account->OpeningTransNo = opening->Number;
        scratch.TransList.Add(opening);
    }
    std::int32_t splitNumber = next;
    std::map<std::int32_t, std::int32_t> renumbered;
    std::vector<TTransRec*> transfers;
    for (const TTransRec& original : carried) {
        auto* copy = new TTransRec(original);
        copy->FilePos = 0;
        if (copy->Split == '0' || copy->Split == 'A')
            splitNumber = next++;
        renumbered.emplace(copy->Number, splitNumber);
        copy->Number = splitNumber;
        copy->Date = startDate;
        if (copy->IsTransfer())
            transfers.push_back(copy);
        scratch.TransList.Add(copy);
    }
    // The two halves of a transfer name each other by number: carried together, they must
    // name each other's new numbers. A half carried alone names no partner rather than
    // whichever transaction took its old partner's number.
    for (TTransRec* transfer : transfers) {
        const auto partner = renumbered.find(transfer->MainAct);
        transfer->MainAct = partner == renumbered.end() ? -1 : partner->second;
    }
    TFileSettings settings;
    TCounts newCounts = existing;
    newCounts[StreamTrans] = scratch.TransList.Count();
    const bool ok = cfb::Succeeded(FileOLE::RewriteStream(transactions, scratch, StreamTrans)) &&
                    cfb::Succeeded(FileOLE::RewriteStream(books, scratch, StreamBooks)) &&
                    cfb::Succeeded(to.CreateStream(CountsStreamName, counts)) &&
                    cfb::Succeeded(FileOLE::WriteCounts(counts, newCounts)) &&
                    cfb::Succeeded(to.OpenStream(SettingsStreamName, settingsStream)) &&
                    cfb::Succeeded(FileOLE::ReadSettings(settingsStream, settings));
    if (!ok)
        return fail();
    settings.GstOpeningBalance = gstBalance;
    settings.IsExample = 0;
    settings.ExampleDescFile.clear();
    if (!Files.StorageCall("new file", false, [&] {
            HResult result = FileOLE::WriteSettings(settingsStream, settings);
            return cfb::Succeeded(result) ? target->Commit() : result;
        }))
        return fail();
    return true;
}

// ---- Opening --------------------------------------------------------------------------------

bool TFileConvert::LoadAndShow(const std::string& path) {
    if (!Files.Open(path, true)) {
        Ask.MessageBox(NotADocumentText, MsgKind::Warning, MsgButtons::Ok);
        return false;
    }
    try {
        LinkRecords(Ledger);
        CheckCategoryTypes(Ledger);
    } catch (const EListIndexError&) {
        // A record names a category, group or account the document does not have.
        Files.Close(true, false);
        Ask.MessageBox(NotADocumentText, MsgKind::Warning, MsgButtons::Ok);
        return false;
    }
    Ledger.TotalsHooksActive = true;
    Ledger.OrderAsOpened();
    if (Ledger.TransList.Count() > 0) {
        Ledger.TransList.ResetRange(2);
        Recalculate(Ledger);
    }
    return true;
}

bool TFileConvert::CloseOpenDocument() {
    if (!Files.IsOpen)
        return true;
    if (!Files.Close(true, true))
        return false;
    if (DocumentClosed)
        DocumentClosed();
    return true;
}

// Whatever can be found out about a document before the open one is closed: that it loads
// whole and its records name what it has. A document that cannot be opened must not cost the
// user the one that is open.
bool TFileConvert::Loadable(const std::string& path, TGeneration& generation) {
    std::unique_ptr<cfb::TCompoundFile> file;
    if (cfb::Failed(cfb::TCompoundFile::Open(path, cfb::StgAccess::ReadOnly, file, Fs)))
        return false;
    TCounts counts{};
    TLedger scratch;
    int failed = 0;
    if (!GenerationOf(file->Root(), generation))
        return false;
    if (generation != TGeneration::Current)
        return true; // its conversion tells what is wrong with it, and links it once current
    // Every stream the opening reads, read as it reads them.
    cfb::TStream stream;
    TFileSettings settings;
    std::string comment;
    for (const char* name : {CommentsStreamName, SettingsStreamName})
        if (cfb::Failed(file->Root().OpenStream(name, stream)) ||
            cfb::Failed(name == SettingsStreamName ? FileOLE::ReadSettings(stream, settings)
                                                   : FileOLE::ReadComment(stream, comment)))
            return false;
    if (cfb::Failed(FileOLE::ReadDocumentCounts(file->Root(), generation, counts)))
        return false;
    // The classification and the accounts loaded; the transactions, the bulk of a document,
    // only read through, each checked for what it names, as the linking after loading would.
    cfb::TStream trans;
    if (cfb::Failed(file->Root().OpenStream(RecordStreamNames[StreamTrans], trans)) ||
        cfb::Failed(FileOLE::LoadDocumentLists(file->Root(), generation, counts, scratch, failed, false)))
        return false;
    try {
        LinkRecords(scratch);
        CheckCategoryTypes(scratch);
    } catch (const EListIndexError&) {
        return false;
    }
    bool linked = true;
    const HResult read = FileOLE::VisitTransactions(trans, counts[StreamTrans], [&](const TTransRec& t) {
        TTransRec copy = t;
        linked = linked && (!TransDamage(t).empty() || LinkTransaction(scratch, copy));
    });
    return cfb::Succeeded(read) && linked;
}

TFileConvert::OpenResult TFileConvert::OpenDocument(const std::string& path) {
    OpenResult result;
    int check = result.Check = Files.CheckFile(path);
    TGeneration generation = TGeneration::Current;
    if (check == 0 && !Loadable(path, generation))
        check = result.Check = 2;
    if (check == 2)
        Ask.MessageBox(NotADocumentText, MsgKind::Warning, MsgButtons::Ok);
    if (check != 0)
        return result;
    if (!CloseOpenDocument())
        return result;
    // A current document, found so just now, has nothing to convert.
    switch (generation == TGeneration::Current ? 0 : ConvertDocument(path)) {
    case 0:
        break;
    case 2:
        Ask.MessageBox(NotADocumentText, MsgKind::Warning, MsgButtons::Ok);
        return result;
    case 4:
        Ask.MessageBox("Unable to convert file due to a file error.", MsgKind::Warning, MsgButtons::Ok);
        return result;
    case 5:
        Ask.MessageBox("File conversion canceled", MsgKind::Warning, MsgButtons::Ok);
        return result;
    default:
        return result;
    }
    if (!LoadAndShow(path))
        return result;
    CheckTaxCategories();
    result.Opened = true;
    result.ShowExample = Files.Settings.IsExample != 0;
    return result;
}

bool TFileConvert::CreateNewDocument(const std::string& path, const std::string& businessName,
                                     const std::string& businessNumber, bool announce) {
    if (!CloseOpenDocument())
        return false;
    // What a failure leaves of a file that did not exist before goes: nobody has used it. A
    // file that was there is never removed.
    const bool existed = Fs.Exists(path);
    const auto fail = [&] {
        if (Files.IsOpen)
            Files.Close(true, false);
        if (!existed)
            for (const std::string& file :
                 {path, cfb::TCompoundFile::JournalPath(path), TFileManager::BackupPathOf(path)})
                Fs.Remove(file);
        return false;
    };
    if (!Files.CreateNew(path, businessName, businessNumber))
        return fail();
    // A new document is written in an older generation and brought up to date at once.
    if (ConvertDocument(path) != 0) {
        Ask.MessageBox("Unable to convert file due to a file error.", MsgKind::Warning, MsgButtons::Ok);
        return fail();
    }
    if (!LoadAndShow(path))
        return fail();
    CheckTaxCategories();
    // A commit given up leaves the refunds category in memory only (read-only mode): the file
    // would lack it, so it was not created.
    if (Files.ReadOnlyMode)
        return fail();
    if (announce)
        Ask.MessageBox("New file created.", MsgKind::Information, MsgButtons::Ok);
    return true;
}

} // namespace qz
