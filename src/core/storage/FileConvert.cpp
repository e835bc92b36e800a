#include "FileConvert.h"

#include "engine/Engine.h"
#include "ledger/Cp1252.h"
#include "storage/cfb/CfbFormat.h"

#include <algorithm>

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

HResult TFileConvert::OpenExclusive(const std::string& path, std::unique_ptr<cfb::TCompoundFile>& file) {
    const HResult result = cfb::TCompoundFile::Open(path, cfb::StgAccess::ReadWrite, file, Fs);
    if (cfb::Succeeded(result))
        file->SetSync(Files.SyncWrites);
    return result;
}

// ---- The first generation -----------------------------------------------------------------

int TFileConvert::ConvertVersion1(const std::string& path) {
    if (Files.IsOpen && path == Files.Path) {
        Ask.MessageBox("File already open", MsgKind::Information, MsgButtons::Ok);
        return 3;
    }
    std::unique_ptr<cfb::TCompoundFile> file;
    const HResult opened = OpenExclusive(path, file);
    // A current document on read-only media (a CD-ROM) needs no conversion and opens
    // read-only; only an older one that cannot be written to is refused.
    if ((opened == cfb::STG_E_ACCESSDENIED || opened == cfb::STG_E_DISKISWRITEPROTECTED) &&
        cfb::Succeeded(cfb::TCompoundFile::Open(path, cfb::StgAccess::ReadOnly, file, Fs))) {
        cfb::TStream books;
        const bool current = cfb::Succeeded(file->Root().OpenStream(RecordStreamNames[StreamBooks], books));
        file.reset();
        if (current)
            return 0;
    }
    if (Denied(opened)) {
        Ask.MessageBox("Unable to access this file.  It may be a read only file or in use by another application.",
                       MsgKind::Information, MsgButtons::Ok);
        return 3;
    }
    if (cfb::Failed(opened))
        return 2;
    cfb::TStorage root = file->Root();
    cfb::TStream transactions, books, info, cats;
    if (cfb::Failed(root.OpenStream(RecordStreamNames[StreamTrans], transactions)))
        return 2;
    const HResult booksResult = root.OpenStream(RecordStreamNames[StreamBooks], books);
    if (cfb::Succeeded(booksResult))
        return 0;
    if (booksResult != cfb::STG_E_FILENOTFOUND)
        return 2;

    std::uint8_t block[Version1CountsSize];
    std::uint32_t read = 0;
    if (cfb::Failed(root.OpenStream(Version1CountsName, info)) ||
        cfb::Failed(info.ReadAt(0, block, Version1CountsSize, &read)) || read < Version1CountsSize ||
        cfb::Failed(root.OpenStream(RecordStreamNames[StreamCats], cats)))
        return 4;
    std::int32_t counts[5];
    for (int i = 0; i < 5; ++i)
        counts[i] = static_cast<std::int32_t>(cfb::Get32(block + 4 * i));
    const Money openingBalance = Money::FromRaw(static_cast<std::int64_t>(cfb::Get64(block + 20)));

    TCatList types;
    if (cfb::Failed(FileOLE::LoadCats(cats, counts[4], types)))
        return 4;
    std::string accountName;
    if (!Questions.ConvertWizard(types, accountName))
        return 5;
    accountName = Trim(accountName);
    if (accountName.empty())
        accountName = "Account 1";

    // Every change below is committed at once at the end: a failure leaves the file as it was.
    TCounts newCounts{counts[0] + 1, counts[1], counts[2], counts[3], counts[4] + 3, 1};
    std::uint8_t countsImage[CountsSize];
    EncodeCounts(newCounts, countsImage);
    if (cfb::Failed(info.WriteAt(0, countsImage, CountsSize)) ||
        cfb::Failed(root.RenameElement(Version1CountsName, Version20CountsName)))
        return 4;

    TBookRec account;
    account.Number = 0;
    account.Name = accountName;
    account.OpeningTransNo = 0;
    account.Colour = RGBColour(0, 0, 255);
    std::uint8_t bookImage[BookRecordSize];
    EncodeBook(account, bookImage);
    if (cfb::Failed(root.CreateStream(RecordStreamNames[StreamBooks], books)) ||
        cfb::Failed(books.WriteAt(0, bookImage, BookRecordSize)))
        return 4;

    TTransList loaded;
    if (cfb::Failed(FileOLE::LoadTransactions(transactions, counts[0], loaded)))
        return 4;
    TTransRec opening;
    opening.Number = 0;
    opening.Kind = TransOpening;
    opening.Book = 0;
    opening.Amount = openingBalance;
    opening.Date = Time.Today() + 3000;
    for (const TTransRec* t : loaded.KeyList)
        opening.Date = t == loaded.KeyList.front() ? t->Date : std::min(opening.Date, t->Date);
    std::uint8_t transImage[TransRecordSize];
    EncodeTrans(opening, transImage);
    std::uint64_t end = 0;
    if (cfb::Failed(transactions.Size(end)) || cfb::Failed(transactions.WriteAt(end, transImage, TransRecordSize)))
        return 4;

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
    for (TCatRec* type : types.KeyList) {
        auto* copy = new TCatRec(*type);
        scratch.CatList.Notify = 0;
        scratch.CatList.Add(copy);
    }
    if (cfb::Failed(FileOLE::RewriteStream(cats, scratch, StreamCats)))
        return 4;
    bool committed = Files.StorageCall("file", false, [&] { return file->Commit(); });
    return committed ? 0 : 4;
}

// ---- Generations 2.0 and 2.1 --------------------------------------------------------------

bool TFileConvert::UpgradeTo21(const std::string& path) {
    std::unique_ptr<cfb::TCompoundFile> file;
    if (cfb::Failed(OpenExclusive(path, file)))
        return false;
    cfb::TStorage root = file->Root();
    cfb::TStream counts, settingsStream;
    if (cfb::Failed(root.OpenStream(Version20CountsName, counts)))
        return false;
    if (cfb::Failed(root.RenameElement(Version20CountsName, Version21CountsName)))
        return false;
    TTaxChoice tax = Questions.AskTaxChoice();
    if (!tax.Tracking) {
        tax.Percent = Money::FromUnits(10);
        tax.Name.clear();
    }
    TFileSettings settings;
    if (cfb::Failed(root.OpenStream(SettingsStreamName, settingsStream)) ||
        cfb::Failed(FileOLE::ReadSettings(settingsStream, settings)))
        return false;
    if (settings.BusinessName.empty() && settings.BusinessNumber.empty())
        Questions.AskCompanyDetails(settings.BusinessName, settings.BusinessNumber);
    settings.TaxOn = tax.Tracking ? 1 : 0;
    settings.GstPercent = tax.Percent;
    settings.TaxName = tax.Name.empty() ? std::string("GST/VAT").substr(0, 6) : tax.Name;
    settings.GstPaymentCat = -1;
    settings.GstRefundCat = -1;
    settings.GstOpeningBalance = Money();
    if (!Files.StorageCall("file", false, [&] {
            HResult result = FileOLE::WriteSettings(settingsStream, settings);
            return cfb::Succeeded(result) ? file->Commit() : result;
        }))
        return false;
    Files.ConvertNotes = 1;
    return true;
}

bool TFileConvert::UpgradeTo22(const std::string& path) {
    std::unique_ptr<cfb::TCompoundFile> file;
    if (cfb::Failed(OpenExclusive(path, file)))
        return false;
    cfb::TStream counts;
    if (cfb::Failed(file->Root().OpenStream(Version21CountsName, counts)))
        return false;
    return Files.StorageCall("file", false, [&] {
        HResult result = file->Root().RenameElement(Version21CountsName, CountsStreamName);
        return cfb::Succeeded(result) ? file->Commit() : result;
    });
}

bool TFileConvert::Rewrite(TRecordStream stream) {
    return Files.Storage() && Files.RewriteWholeStream(stream);
}

std::string TFileConvert::TaxCategoryName() const {
    return Files.Settings.TaxOn ? Files.Settings.TaxName : std::string("GST/VAT");
}

bool TFileConvert::AddGstRecords() {
    TTransList& trans = Ledger.TransList;
    for (TTransRec* t : trans.KeyList)
        t->Gst = Money();
    // A split is reconciled as a whole or not at all.
    for (std::size_t i = 0; i < trans.KeyList.size();) {
        std::size_t j = i + 1;
        if (trans.KeyList[i]->Split != '0')
            while (j < trans.KeyList.size() && trans.KeyList[j]->Number == trans.KeyList[i]->Number &&
                   trans.KeyList[j]->Split != '0')
                ++j;
        const bool mixed = std::any_of(trans.KeyList.begin() + i, trans.KeyList.begin() + j, [&](const TTransRec* t) {
            return t->Reconciled != trans.KeyList[i]->Reconciled;
        });
        if (mixed)
            for (std::size_t k = i; k < j; ++k)
                trans.KeyList[k]->Reconciled = 0;
        i = j;
    }
    if (!Rewrite(StreamTrans))
        return false;
    for (TSubActRec* sub : Ledger.SubActList.KeyList) {
        const TMainActRec* category = Ledger.MainActList.FindByNumber(sub->MainAct);
        const TCatRec* type = category ? Ledger.CatList.Find(category->CatType) : nullptr;
        sub->GstPercent = type && TCatList::NoGstByDefault(*type) ? Money() : Files.Settings.GstPercent;
    }
    const std::string name = TaxCategoryName();
    Ledger.CatList.Notify = 0;
    TCatRec* type = Ledger.CatList.AddType(name, SideDebit, KindGstSystem, 1);
    Ledger.CatList.Notify = 1;
    if (!Rewrite(StreamCats))
        return false;
    auto* category = new TMainActRec;
    category->Number = HighestCategory(Ledger.MainActList) + 100;
    category->Name = name;
    category->CatType = type->Number;
    category->Side = SideDebit;
    Ledger.MainActList.Notify = 0;
    Ledger.MainActList.Add(category);
    Ledger.MainActList.Notify = 1;
    if (!Rewrite(StreamMainActs))
        return false;
    Files.Settings.GstPaymentCat = category->Number;
    if (!Files.WriteSettings())
        return false;
    auto* payment = new TSubActRec;
    payment->Number = 1;
    payment->Name = "Payment";
    payment->Side = SideDebit;
    payment->MainAct = category->Number;
    Ledger.SubActList.Notify = 0;
    Ledger.SubActList.Add(payment);
    Ledger.SubActList.Notify = 1;
    if (!Rewrite(StreamSubActs))
        return false;
    Files.ConvertNotes = 0;
    // The lists grew: the counts block must say so, or the new records would not load.
    return Files.WriteCounts();
}

bool TFileConvert::ComputeGstAmounts() {
    // The field held the rate in that generation.
    for (TTransRec* t : Ledger.TransList.KeyList)
        t->Gst = TaxOfGross(t->Amount, t->Gst);
    return Rewrite(StreamTrans);
}

void TFileConvert::CheckTaxCategories() {
    if (!Files.Settings.TaxOn) {
        const bool stray =
            std::any_of(Ledger.TransList.KeyList.begin(), Ledger.TransList.KeyList.end(),
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
    refunds->Name = TaxCategoryName();
    if (const TMainActRec* payments = Ledger.MainActList.FindByNumber(Files.Settings.GstPaymentCat))
        refunds->CatType = payments->CatType;
    else
        for (const TCatRec* type : Ledger.CatList.KeyList)
            if (type->Kind == KindGstSystem) {
                refunds->CatType = type->Number;
                break;
            }
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
    if (!Files.StorageCall("new file", false, [&] { return cfb::TCompoundFile::Create(newPath, target, Fs); }))
        return false;
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
    const char* copied[] = {"MainActs", "SubActs", "Groups", "Categories", "Books", SettingsStreamName,
                            CommentsStreamName};
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
        opening->Amount = static_cast<std::size_t>(i) < balances.size() ? balances[static_cast<std::size_t>(i)] : Money();
        account->OpeningTransNo = opening->Number;
        scratch.TransList.Add(opening);
    }
    std::int32_t splitNumber = next;
    for (const TTransRec& original : carried) {
        auto* copy = new TTransRec(original);
        copy->FilePos = 0;
        if (copy->Split == '0' || copy->Split == 'A')
            splitNumber = next++;
        copy->Number = splitNumber;
        copy->Date = startDate;
        scratch.TransList.Add(copy);
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
    } catch (const EListIndexError&) {
        // A record names a category, group or account the document does not have.
        Files.Close(true, false);
        Ask.MessageBox(NotADocumentText, MsgKind::Warning, MsgButtons::Ok);
        return false;
    }
    Ledger.TotalsHooksActive = true;
    Ledger.TransList.SortRows(1);
    Ledger.TransList.SortByKey();
    Ledger.MainActList.SortRows(0);
    Ledger.SubActList.SortRows(1);
    Ledger.GroupList.SortRows(0);
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

TFileConvert::OpenResult TFileConvert::OpenDocument(const std::string& path) {
    OpenResult result;
    const int check = result.Check = Files.CheckFile(path);
    if (check == 2)
        Ask.MessageBox(NotADocumentText, MsgKind::Warning, MsgButtons::Ok);
    if (check != 0)
        return result;
    if (!CloseOpenDocument())
        return result;
    switch (ConvertVersion1(path)) {
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
    const bool first = UpgradeTo21(path);
    const bool second = UpgradeTo22(path);
    if (!LoadAndShow(path))
        return result;
    if (first && AddGstRecords())
        Recalculate(Ledger);
    if (second && ComputeGstAmounts())
        Recalculate(Ledger);
    CheckTaxCategories();
    result.Opened = true;
    result.ShowExample = Files.Settings.IsExample != 0;
    return result;
}

bool TFileConvert::CreateNewDocument(const std::string& path, const std::string& businessName,
                                     const std::string& businessNumber, bool announce) {
    if (!CloseOpenDocument())
        return false;
    if (!Files.CreateNew(path, businessName, businessNumber))
        return false;
    UpgradeTo21(path);
    UpgradeTo22(path);
    if (!LoadAndShow(path))
        return false;
    AddGstRecords();
    Ledger.TransList.FilterAndTotal();
    LinkRecords(Ledger);
    Recalculate(Ledger);
    CheckTaxCategories();
    if (announce)
        Ask.MessageBox("New file created.", MsgKind::Information, MsgButtons::Ok);
    return true;
}

} // namespace qz
