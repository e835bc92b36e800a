#pragma once
// A file manager and its conversions on a ledger, with scripted answers, a fixed clock and
// drive, and a file layer that can fail, in a folder of their own. Also: documents of any
// generation written stream by stream, for the conversions and the broken files.

#include "storage/FileConvert.h"
#include "storage/cfb/CfbTestSupport.h"
#include "storage/cfb/FaultyFileSystem.h"

#include "engine/Engine.h"
#include "ledger/DateTime.h"
#include "platform/ScriptedPrompts.h"

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

namespace qz::testing {

// A drive that can stop answering, or lose its network, for a number of checks.
class TestDrives : public FixedDrives {
public:
    int NotReadyFor = 0;    // IsReady answers false this many times, then `Ready`
    int NetworkLostFor = 0; // KindOf answers Fixed this many times, then `Kind`
    int ReadyChecks = 0;
    bool IsReady(const std::string& path) override {
        ++ReadyChecks;
        if (NotReadyFor > 0) {
            --NotReadyFor;
            return false;
        }
        return FixedDrives::IsReady(path);
    }
    TDriveKind KindOf(const std::string& path) override {
        if (NetworkLostFor > 0) {
            --NetworkLostFor;
            return TDriveKind::Fixed;
        }
        return FixedDrives::KindOf(path);
    }
};

// The bytes of a file on disk ("" when there is none).
inline std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What a document file holds, read by a file manager of its own (loaded, not linked).
struct DocumentOnDisk {
    explicit DocumentOnDisk(const std::string& path) { Opened = Files.Open(path, true); }
    ~DocumentOnDisk() { Files.Close(true, false); }
    TLedger Ledger;
    ScriptedPrompts Prompts;
    PreparedQuestions Questions;
    FixedClock Clock{0};
    FixedDrives Drive;
    TFileManager Files{Ledger, Prompts, Questions, Clock, Drive};
    bool Opened = false;
};

class DocumentFixture : public ::testing::Test {
protected:
    DocumentFixture()
        : Clock(EncodeDate(2026, 7, 1)), Files(Ledger, Prompts, Questions, Clock, Drive, Faults),
          Convert(Files, Ledger, Prompts, Questions, Clock, Faults) {
        Files.ConnectLists();
        Files.SyncWrites = false;
    }

    std::string PathOf(const std::string& name) const { return Folder.File(name); }

    // A new blank document, open, with GST tracked at 10 %.
    void NewDocument(const std::string& name = "Shop.kqk") {
        Questions.Tax = TTaxChoice{};
        ASSERT_TRUE(Convert.CreateNewDocument(PathOf(name), "Shop Pty Ltd", "123"));
        Prompts.Messages.clear();
    }

    TTransRec* AddSale(TDateTime date, double amount, std::int32_t number = 0) {
        auto* t = new TTransRec;
        t->Number = number ? number : Ledger.TransList.NewNumber();
        t->Kind = TransCredit;
        t->Date = date;
        t->Amount = Money::FromDouble(amount);
        t->MainAct = Ledger.GstRefundCat;
        t->SubAct = 1;
        t->Group = 0;
        t->Book = 0;
        LinkTransaction(Ledger, *t);
        Ledger.TransList.Add(t);
        return t;
    }

    // The texts of every message shown so far, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& m : Prompts.Messages)
            texts.push_back(m.Text);
        return texts;
    }

    cfb::testing::TempFolder Folder;
    TLedger Ledger;
    ScriptedPrompts Prompts;
    PreparedQuestions Questions;
    FixedClock Clock;
    TestDrives Drive;
    cfb::TFaultyFileSystem Faults;
    TFileManager Files;
    TFileConvert Convert;
};

// ---- Documents written stream by stream ------------------------------------------------------

// Stream name → the stream's bytes.
using StreamMap = std::map<std::string, std::string>;

template <class Rec>
std::string ImageOf(const Rec& record, void (*encode)(const Rec&, std::uint8_t*), std::size_t size) {
    std::string image(size, '\0');
    encode(record, reinterpret_cast<std::uint8_t*>(image.data()));
    return image;
}
inline std::string Image(const TTransRec& r) {
    return ImageOf(r, EncodeTrans, TransRecordSize);
}
inline std::string Image(const TMainActRec& r) {
    return ImageOf(r, EncodeMainAct, MainActRecordSize);
}
inline std::string Image(const TSubActRec& r) {
    return ImageOf(r, EncodeSubAct, SubActRecordSize);
}
inline std::string Image(const TGroupRec& r) {
    return ImageOf(r, EncodeGroup, GroupRecordSize);
}
inline std::string Image(const TCatRec& r) {
    return ImageOf(r, EncodeCat, CatRecordSize);
}
inline std::string Image(const TBookRec& r) {
    return ImageOf(r, EncodeBook, BookRecordSize);
}

// A deleted record as the program leaves it: the record with its number set to -1.
template <class Rec> std::string Deleted(TRecordStream kind, const Rec& record) {
    std::string image = Image(record);
    MarkTombstone(kind, reinterpret_cast<std::uint8_t*>(image.data()));
    return image;
}

inline std::string CountsImage(const TCounts& counts) {
    std::string image(CountsSize, '\0');
    EncodeCounts(counts, reinterpret_cast<std::uint8_t*>(image.data()));
    return image;
}

inline std::string SettingsImage(const TFileSettings& settings) {
    std::string image(SettingsSize, '\0');
    EncodeSettings(settings, reinterpret_cast<std::uint8_t*>(image.data()));
    return image;
}

// The live records of a record stream's bytes.
inline std::int32_t LiveRecords(TRecordStream kind, const std::string& data) {
    std::int32_t live = 0;
    for (std::size_t at = 0; at + RecordSizes[kind] <= data.size(); at += RecordSizes[kind])
        live += IsTombstone(kind, reinterpret_cast<const std::uint8_t*>(data.data() + at)) ? 0 : 1;
    return live;
}

// The counts block that matches the record streams of `streams`.
inline TCounts CountsOf(const StreamMap& streams) {
    TCounts counts{};
    for (int i = 0; i < 6; ++i) {
        auto it = streams.find(RecordStreamNames[i]);
        counts[i] = it == streams.end() ? 0 : LiveRecords(static_cast<TRecordStream>(i), it->second);
    }
    return counts;
}

// Writes a compound file holding exactly these streams.
inline void WriteDocument(const std::string& path, const StreamMap& streams) {
    std::unique_ptr<cfb::TCompoundFile> file;
    ASSERT_S_OK(cfb::TCompoundFile::Create(path, file));
    cfb::TStorage root = file->Root();
    for (const auto& [name, data] : streams)
        cfb::testing::PutStream(root, name, data);
    ASSERT_S_OK(file->Commit());
}

// Record makers with the fields documents use.
inline TTransRec Trans(std::int32_t number, TDateTime date, std::uint8_t kind, double amount, std::int32_t mainAct = 0,
                       std::int32_t subAct = 0, std::uint16_t group = 0, std::int16_t book = 0) {
    TTransRec t;
    t.Number = number;
    t.Date = date;
    t.Kind = kind;
    t.Amount = Money::FromDouble(amount);
    t.MainAct = mainAct;
    t.SubAct = subAct;
    t.Group = group;
    t.Book = book;
    return t;
}
inline TMainActRec Category(std::int32_t number, const std::string& name, std::uint8_t side, std::int32_t type) {
    TMainActRec c;
    c.Number = number;
    c.Name = name;
    c.Side = side;
    c.CatType = type;
    return c;
}
inline TSubActRec SubCategory(std::int32_t mainAct, std::int32_t number, const std::string& name, std::uint8_t side) {
    TSubActRec s;
    s.MainAct = mainAct;
    s.Number = number;
    s.Name = name;
    s.Side = side;
    return s;
}
inline TGroupRec Group(std::int32_t number, const std::string& name) {
    TGroupRec g;
    g.Number = number;
    g.Name = name;
    return g;
}
inline TCatRec CatType(std::int16_t number, const std::string& name, std::uint8_t side, std::int16_t kind,
                       std::uint8_t isDefault = 1) {
    TCatRec c;
    c.Number = number;
    c.Name = name;
    c.Side = side;
    c.Kind = kind;
    c.IsDefault = isDefault;
    return c;
}
inline TBookRec Account(std::int32_t number, const std::string& name, std::int32_t openingTransNo) {
    TBookRec b;
    b.Number = number;
    b.Name = name;
    b.OpeningTransNo = openingTransNo;
    b.Colour = RGBColour(0, 128, 0);
    return b;
}

// A current document with two accounts, every kind of transaction and deleted records in
// every stream. Categories: 100 Sales (credit), 200 Rent (debit), 300 GST payments, 400 GST
// refunds; each with sub category 1.
inline StreamMap CurrentDocument() {
    StreamMap s;
    const TDateTime day = EncodeDate(2026, 3, 1);
    TTransRec sale = Trans(2, day + 1, TransCredit, 110, 100, 1, 0, 0);
    sale.Gst = Money::FromUnits(10);
    sale.Reference = "INV-1";
    sale.Notes = "first sale";
    TTransRec rent = Trans(3, day + 2, TransDebit, 500, 200, 1, 0, 1);
    rent.Reconciled = 0;
    TTransRec out = Trans(4, day + 3, TransTo, 50, 5, 0, 1, 0); // to account 1, partner 5
    TTransRec in = Trans(5, day + 3, TransFrom, 50, 4, 0, 0, 1);
    TTransRec splitA = Trans(6, day + 4, TransCredit, 30, 100, 1, 0, 0);
    splitA.Split = 'A';
    TTransRec splitB = Trans(6, day + 4, TransDebit, 20, 200, 1, 0, 0);
    splitB.Split = 'B';
    s["Transactions"] = Image(Trans(0, day, TransOpening, 1000, 0, 0, 0, 0)) +
                        Deleted(StreamTrans, Trans(9, day, TransCredit, 1)) +
                        Image(Trans(1, day, TransOpening, 250, 0, 0, 0, 1)) + Image(sale) + Image(rent) + Image(out) +
                        Deleted(StreamTrans, Trans(8, day, TransDebit, 7)) + Image(in) + Image(splitA) + Image(splitB);
    s["MainActs"] = Image(Category(100, "Sales", SideCredit, 0)) +
                    Deleted(StreamMainActs, Category(150, "Gone", SideCredit, 0)) +
                    Image(Category(200, "Rent", SideDebit, 6)) + Image(Category(300, "GST", SideDebit, 11)) +
                    Image(Category(400, "GST", SideCredit, 11));
    TSubActRec salesSub = SubCategory(100, 1, "Counter", SideCredit);
    salesSub.GstPercent = Money::FromUnits(10);
    salesSub.Notes = "shop counter sales";
    s["SubActs"] = Image(salesSub) + Deleted(StreamSubActs, SubCategory(100, 2, "Gone", SideCredit)) +
                   Image(SubCategory(200, 1, "Office", SideDebit)) + Image(SubCategory(300, 1, "Payment", SideDebit)) +
                   Image(SubCategory(400, 1, "Refund", SideCredit));
    TGroupRec general = Group(0, "General");
    general.Notes = "everything";
    s["Groups"] = Image(general) + Deleted(StreamGroups, Group(1, "Gone"));
    const char* names[] = {"General Income",   "Other Income",    "Assets Sold",    "Funds Injection",
                           "Assets Purchased", "Stock Purchased", "Overheads",      "Wages",
                           "Company Tax",      "Other Expenses",  "Funds Repayment"};
    const std::uint8_t sides[] = {1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2};
    const std::int16_t kinds[] = {1, 3, 5, 6, 5, 1, 2, 2, 4, 3, 6};
    std::string types;
    for (std::int16_t i = 0; i < 11; ++i) {
        types += Image(CatType(i, names[i], sides[i], kinds[i]));
        if (i == 4)
            types += Deleted(StreamCats, CatType(20, "Gone", SideDebit, 2, 0));
    }
    s["Categories"] = types + Image(CatType(11, "GST", SideDebit, KindGstSystem));
    s["Books"] =
        Image(Account(0, "Cheque", 0)) + Deleted(StreamBooks, Account(7, "Gone", -1)) + Image(Account(1, "Cash", 1));
    TFileSettings settings;
    settings.TaxOn = 1;
    settings.TaxName = "GST";
    settings.GstPercent = Money::FromUnits(10);
    settings.GstPaymentCat = 300;
    settings.GstRefundCat = 400;
    settings.BusinessName = "Corner Shop";
    settings.BusinessNumber = "42";
    s["FileSettings"] = SettingsImage(settings);
    s["Comments"] = std::string("books of the corner shop") + '\0';
    s["KQ22FileInfo"] = CountsImage(CountsOf(s));
    return s;
}

// ---- Documents of the older generations -------------------------------------------------------

// The day the older documents' transactions are dated from.
inline const TDateTime OlderDocumentsDay = EncodeDate(2025, 2, 1);

// Generation 1: one account, its opening balance in the counts block.
inline std::string Version1Info(const StreamMap& s, Money openingBalance) {
    const TCounts counts = CountsOf(s);
    std::string info = CountsImage({counts[0], counts[1], counts[2], counts[3], counts[4], 0}).substr(0, 20);
    const auto raw = static_cast<std::uint64_t>(openingBalance.Raw());
    for (int i = 0; i < 8; ++i)
        info += static_cast<char>((raw >> (8 * i)) & 0xFF);
    return info;
}

inline StreamMap Version1Document(bool withTransactions) {
    StreamMap s;
    TTransRec sale = Trans(1, OlderDocumentsDay + 5, TransCredit, 110, 100, 1);
    sale.Gst = Money::FromUnits(10);
    // The earliest live transaction stands neither first nor last; a deleted one is older still.
    s["Transactions"] =
        withTransactions ? Image(sale) + Deleted(StreamTrans, Trans(3, OlderDocumentsDay - 10, TransDebit, 5, 200, 1)) +
                               Image(Trans(2, OlderDocumentsDay + 2, TransDebit, 40, 200, 1)) +
                               Image(Trans(4, OlderDocumentsDay + 7, TransCredit, 20, 100, 1))
                         : std::string();
    s["MainActs"] = Image(Category(100, "Sales", SideCredit, 0)) + Image(Category(200, "Van costs", SideDebit, 8)) +
                    Deleted(StreamMainActs, Category(250, "Gone", SideDebit, 3)) +
                    Image(Category(300, "Tools", SideDebit, 2));
    s["SubActs"] = Image(SubCategory(100, 1, "Counter", SideCredit)) + Image(SubCategory(200, 1, "Fuel", SideDebit)) +
                   Image(SubCategory(300, 1, "Hand tools", SideDebit));
    s["Groups"] = Image(Group(0, "General"));
    const char* names[] = {"General Income", "Other Income", "Equipment", "Overheads",
                           "Stock",          "Wages",        "Tax",       "Other"};
    std::string types;
    for (std::int16_t i = 0; i < 8; ++i)
        types += Image(CatType(i, names[i], i < 2 ? SideCredit : SideDebit, 0));
    s["Categories"] = types + Deleted(StreamCats, CatType(20, "Gone", SideDebit, 0, 0)) +
                      Image(CatType(8, "Vehicle", SideDebit, 0, 0));
    TFileSettings settings;
    settings.BusinessName = "Old Shop";
    settings.GstPaymentCat = 0;
    settings.GstRefundCat = 0;
    s["FileSettings"] = SettingsImage(settings);
    s["Comments"] = std::string("first generation") + '\0';
    s["FileInfo"] = Version1Info(s, Money::FromCents(123456));
    return s;
}

// Generation 2.0: no GST/VAT yet; sub categories hold nine texts.
// A 2.0 sub category: the current fields up to offset 52, then T1..T9.
inline std::string Version20SubCategory(std::int32_t mainAct, std::int32_t number, const std::string& name,
                                        std::uint8_t side, const std::string (&texts)[9]) {
    std::string image = Image(SubCategory(mainAct, number, name, side)).substr(0, 52);
    image.resize(SubActRecordSize, '\0');
    const std::size_t offsets[9] = {150, 52, 103, 146, 139, 191, 210, 229, 248};
    for (int i = 0; i < 9; ++i) {
        image[offsets[i]] = static_cast<char>(texts[i].size());
        image.replace(offsets[i] + 1, texts[i].size(), texts[i]);
    }
    return image;
}

inline StreamMap Version20Document() {
    StreamMap s;
    TTransRec sale = Trans(1, OlderDocumentsDay + 1, TransCredit, 110, 100, 1);
    sale.Gst = Money::FromRaw(777); // nothing yet: whatever stands here is cleared
    TTransRec mixedA = Trans(2, OlderDocumentsDay + 2, TransCredit, 30, 100, 1);
    mixedA.Split = 'A';
    TTransRec mixedB = Trans(2, OlderDocumentsDay + 2, TransDebit, 20, 400, 1);
    mixedB.Split = 'B';
    mixedB.Reconciled = 0;
    TTransRec wholeA = Trans(3, OlderDocumentsDay + 3, TransCredit, 12, 100, 1);
    wholeA.Split = 'A';
    TTransRec wholeB = Trans(3, OlderDocumentsDay + 3, TransCredit, 8, 100, 1);
    wholeB.Split = 'B';
    s["Transactions"] = Image(Trans(0, OlderDocumentsDay, TransOpening, 500)) + Image(sale) +
                        Deleted(StreamTrans, Trans(9, OlderDocumentsDay, TransCredit, 1)) + Image(mixedB) +
                        Image(wholeA) + Image(mixedA) + Image(wholeB);
    s["MainActs"] = Image(Category(100, "Sales", SideCredit, 0)) + Image(Category(200, "Staff", SideDebit, 7)) +
                    Image(Category(300, "Income tax", SideDebit, 8)) +
                    Deleted(StreamMainActs, Category(900, "Gone", SideDebit, 6)) +
                    Image(Category(400, "Stock", SideDebit, 5));
    const std::string address[9] = {"Joe Bloggs", "12 High St", "Springfield", "VIC",      "3000",
                                    "555 1234",   "",           "joe@x",       "pays late"};
    const std::string none[9] = {};
    s["SubActs"] = Version20SubCategory(100, 1, "Counter", SideCredit, address) +
                   Version20SubCategory(200, 1, "Wages", SideDebit, none) +
                   Version20SubCategory(300, 1, "Company", SideDebit, none) +
                   Deleted(StreamSubActs, SubCategory(900, 1, "Gone", SideDebit)) +
                   Version20SubCategory(400, 1, "Goods", SideDebit, none);
    s["Groups"] = Image(Group(0, "General"));
    const char* names[] = {"General Income",   "Other Income",    "Assets Sold",    "Funds Injection",
                           "Assets Purchased", "Stock Purchased", "Overheads",      "Wages",
                           "Company Tax",      "Other Expenses",  "Funds Repayment"};
    const std::uint8_t sides[] = {1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2};
    const std::int16_t kinds[] = {1, 3, 5, 6, 5, 1, 2, 2, 4, 3, 6};
    std::string types;
    for (std::int16_t i = 0; i < 11; ++i)
        types += Image(CatType(i, names[i], sides[i], kinds[i]));
    s["Categories"] = types;
    s["Books"] = Image(Account(0, "Cheque", 0));
    s["FileSettings"] = std::string(SettingsSize, '\0'); // no names, no GST/VAT fields
    s["Comments"] = std::string(1, '\0');
    s["KQ2FileInfo"] = CountsImage(CountsOf(s));
    return s;
}

// Generation 2.1: the tax field of a transaction holds a rate.
inline StreamMap Version21Document() {
    StreamMap s = CurrentDocument();
    TTransRec sale = Trans(2, OlderDocumentsDay + 1, TransCredit, 110, 100, 1);
    sale.Gst = Money::FromUnits(10); // the rate
    TTransRec other = Trans(3, OlderDocumentsDay + 2, TransCredit, 33.33, 100, 1);
    other.Gst = Money::FromRaw(125000);
    s["Transactions"] = Image(Trans(0, OlderDocumentsDay, TransOpening, 1000)) +
                        Image(Trans(1, OlderDocumentsDay, TransOpening, 250, 0, 0, 0, 1)) + Image(sale) +
                        Deleted(StreamTrans, sale) + Image(other);
    s.erase("KQ22FileInfo");
    s["KQ21FileInfo"] = CountsImage(CountsOf(s));
    return s;
}

} // namespace qz::testing
