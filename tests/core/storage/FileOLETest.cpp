// The record layouts byte for byte, the stream operations on a real compound file, and a whole
// document read back by an independent reader.

#include "DocumentFixture.h"

#include <cstdio>
#include <cstring>
#include <functional>

#ifndef QZ_TEST_TOOLS
#define QZ_TEST_TOOLS "tests/tools"
#endif

namespace qz::testing {
namespace {

// An expected block, written field by field at the offsets of the layout tables. Bytes no
// field claims (padding, text beyond its length) stay zero; `Dirty` fills them with junk,
// which a reader must ignore.
class Layout {
public:
    explicit Layout(std::size_t size) : Bytes(size, '\0'), Defined(size, false) {}
    Layout& Int(std::size_t at, std::uint64_t value, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i) {
            Bytes.at(at + i) = static_cast<char>((value >> (8 * i)) & 0xFF);
            Defined.at(at + i) = true;
        }
        return *this;
    }
    Layout& I64(std::size_t at, std::int64_t value) { return Int(at, static_cast<std::uint64_t>(value), 8); }
    Layout& I32(std::size_t at, std::int32_t value) { return Int(at, static_cast<std::uint32_t>(value), 4); }
    Layout& I16(std::size_t at, std::int16_t value) { return Int(at, static_cast<std::uint16_t>(value), 2); }
    Layout& U16(std::size_t at, std::uint16_t value) { return Int(at, value, 2); }
    Layout& U8(std::size_t at, std::uint8_t value) { return Int(at, value, 1); }
    Layout& Date(std::size_t at, double value) {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return Int(at, bits, 8);
    }
    Layout& Text(std::size_t at, std::size_t capacity, const std::string& text) {
        EXPECT_LE(text.size(), capacity) << "the expected text must fit";
        U8(at, static_cast<std::uint8_t>(text.size()));
        for (std::size_t i = 0; i < text.size(); ++i) {
            Bytes.at(at + 1 + i) = text[i];
            Defined.at(at + 1 + i) = true;
        }
        EXPECT_LE(at + 1 + capacity, Bytes.size());
        return *this;
    }
    std::string Clean() const { return Bytes; }
    std::string Dirty() const {
        std::string dirty = Bytes;
        for (std::size_t i = 0; i < dirty.size(); ++i)
            if (!Defined[i])
                dirty[i] = static_cast<char>(0xEE);
        return dirty;
    }

private:
    std::string Bytes;
    std::vector<bool> Defined;
};

// "" when equal; otherwise the first differing offsets with both bytes.
std::string ByteDiff(const std::string& actual, const std::string& expected) {
    std::string report;
    if (actual.size() != expected.size())
        report += std::to_string(actual.size()) + " bytes for " + std::to_string(expected.size()) + "; ";
    int shown = 0;
    for (std::size_t i = 0; i < std::min(actual.size(), expected.size()) && shown < 8; ++i)
        if (actual[i] != expected[i]) {
            char text[64];
            std::snprintf(text, sizeof text, "@%zu: %02X for %02X; ", i, static_cast<unsigned char>(actual[i]),
                          static_cast<unsigned char>(expected[i]));
            report += text;
            ++shown;
        }
    return report;
}

template <class Rec>
std::string Reencode(const std::string& image, void (*decode)(const std::uint8_t*, Rec&),
                     void (*encode)(const Rec&, std::uint8_t*)) {
    Rec record;
    decode(reinterpret_cast<const std::uint8_t*>(image.data()), record);
    std::string out(image.size(), '\0');
    encode(record, reinterpret_cast<std::uint8_t*>(out.data()));
    return out;
}

void DecodeSubActCurrent(const std::uint8_t* in, TSubActRec& s) {
    DecodeSubAct(in, s);
}

struct LayoutCase {
    const char* Name;
    std::string Encoded;                                 // what the program writes for the record
    Layout Expected;                                     // the same record from the layout table
    std::function<std::string(const std::string&)> Back; // read an image and write it again
};

std::vector<LayoutCase> LayoutCases() {
    std::vector<LayoutCase> cases;

    TTransRec t;
    t.Number = 0x01020304;
    t.Date = 46204.75;
    t.Reference = "REF-7";
    t.MainAct = -5;
    t.SubAct = 0x0A0B0C0D;
    t.Group = 0xBEEF;
    t.Book = -2;
    t.Kind = TransTo;
    t.Amount = Money::FromRaw(-1234567890123);
    t.Notes = "a note";
    t.Gst = Money::FromRaw(987654321);
    t.Reconciled = 0;
    t.Split = 'C';
    cases.push_back({"transaction", Image(t),
                     Layout(320)
                         .I32(0, 0x01020304)
                         .Date(4, 46204.75)
                         .Text(12, 20, "REF-7")
                         .I32(36, -5)
                         .I32(40, 0x0A0B0C0D)
                         .U16(44, 0xBEEF)
                         .I16(46, -2)
                         .U8(48, 5)
                         .I64(52, -1234567890123)
                         .Text(60, 247, "a note")
                         .I64(308, 987654321)
                         .U8(316, 0)
                         .U8(317, 'C'),
                     [](const std::string& i) { return Reencode<TTransRec>(i, DecodeTrans, EncodeTrans); }});

    cases.push_back({"category", Image(Category(123456, "Sales", SideDebit, 0x01020304)),
                     Layout(52).I32(0, 123456).Text(4, 40, "Sales").U8(45, 2).I32(48, 0x01020304),
                     [](const std::string& i) { return Reencode<TMainActRec>(i, DecodeMainAct, EncodeMainAct); }});

    TSubActRec s = SubCategory(-100, 7, "Counter", SideCredit);
    s.Notes = "short notes";
    s.GstPercent = Money::FromRaw(125000);
    cases.push_back({"sub category", Image(s),
                     Layout(504)
                         .I32(0, 7)
                         .Text(4, 40, "Counter")
                         .U8(45, 1)
                         .I32(48, -100)
                         .Text(52, 192, "short notes")
                         .Text(245, 247, "")
                         .I64(496, 125000),
                     [](const std::string& i) { return Reencode<TSubActRec>(i, DecodeSubActCurrent, EncodeSubAct); }});

    TGroupRec g = Group(65538, "Branch");
    g.Notes = "north side";
    cases.push_back({"group", Image(g), Layout(304).I32(0, 65538).Text(4, 40, "Branch").Text(45, 255, "north side"),
                     [](const std::string& i) { return Reencode<TGroupRec>(i, DecodeGroup, EncodeGroup); }});

    cases.push_back({"category type", Image(CatType(300, "GST", SideDebit, KindGstSystem, 1)),
                     Layout(48).I16(0, 300).I16(2, 7).Text(4, 40, "GST").U8(45, 2).U8(46, 1),
                     [](const std::string& i) { return Reencode<TCatRec>(i, DecodeCat, EncodeCat); }});

    TBookRec b = Account(2, "Cash tin", 17);
    b.Colour = RGBColour(1, 2, 3);
    cases.push_back({"account", Image(b),
                     Layout(116).I32(0, 2).Text(4, 100, "Cash tin").I32(108, 17).I32(112, 0x030201),
                     [](const std::string& i) { return Reencode<TBookRec>(i, DecodeBook, EncodeBook); }});

    cases.push_back({"counts block", CountsImage({1, 2, 3, 4, 5, 0x7FFFFFFF}),
                     Layout(24).I32(0, 1).I32(4, 2).I32(8, 3).I32(12, 4).I32(16, 5).I32(20, 0x7FFFFFFF),
                     [](const std::string& i) {
                         return CountsImage(DecodeCounts(reinterpret_cast<const std::uint8_t*>(i.data())));
                     }});

    TFileSettings f;
    f.Password = "secret12";
    f.ProtectOpen = 1;
    f.ProtectDelete = 2;
    f.ProtectAdd = 3;
    f.ProtectEdit = 4;
    f.ProtectReports = 5;
    f.ProtectPrint = 6;
    f.ProtectWorksheet = 7;
    f.GstPercent = Money::FromRaw(125000);
    f.TaxName = "VAT";
    f.TaxOn = 1;
    f.GstPaymentCat = 0x0A0B0C0D;
    f.GstOpeningBalance = Money::FromRaw(-5000000);
    f.BusinessName = "Corner Shop";
    f.BusinessNumber = "ABN 42";
    f.IsExample = 1;
    f.ExampleDescFile = "Example.txt";
    f.GstRefundCat = 0x01020304;
    cases.push_back({"settings block", SettingsImage(f),
                     Layout(816)
                         .Text(0, 8, "secret12")
                         .U8(9, 1)
                         .U8(10, 2)
                         .U8(11, 3)
                         .U8(12, 4)
                         .U8(13, 5)
                         .U8(14, 6)
                         .U8(15, 7)
                         .I64(16, 125000)
                         .Text(24, 6, "VAT")
                         .U8(31, 1)
                         .I32(32, 0x0A0B0C0D)
                         .I64(36, -5000000)
                         .Text(44, 255, "Corner Shop")
                         .Text(300, 255, "ABN 42")
                         .U8(556, 1)
                         .Text(557, 252, "Example.txt")
                         .I32(812, 0x01020304),
                     [](const std::string& i) {
                         TFileSettings back;
                         DecodeSettings(reinterpret_cast<const std::uint8_t*>(i.data()), back);
                         return SettingsImage(back);
                     }});
    return cases;
}

// Every field at its offset, padding and unused text bytes zero; and reading ignores whatever
// stands in those bytes: what is read and written again is the clean image.
TEST(RecordLayout, EveryBlockMatchesItsLayoutAndRoundTrips) {
    for (const LayoutCase& c : LayoutCases()) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ByteDiff(c.Encoded, c.Expected.Clean()), "");
        EXPECT_EQ(ByteDiff(c.Back(c.Expected.Dirty()), c.Expected.Clean()), "");
    }
}

TEST(RecordLayout, DecodedFieldsAreTheWrittenOnes) {
    const TTransRec source = Trans(77, 46000.5, TransDebit, 12.34, 300, 2, 9, 3);
    TTransRec t;
    DecodeTrans(reinterpret_cast<const std::uint8_t*>(Image(source).data()), t);
    EXPECT_EQ(t.Number, 77);
    EXPECT_EQ(t.Date, 46000.5);
    EXPECT_EQ(t.Kind, TransDebit);
    EXPECT_EQ(t.Amount, Money::FromCents(1234));
    EXPECT_EQ(t.MainAct, 300);
    EXPECT_EQ(t.SubAct, 2);
    EXPECT_EQ(t.Group, 9);
    EXPECT_EQ(t.Book, 3);
    EXPECT_EQ(t.Reconciled, 1);
    EXPECT_EQ(t.Split, '0');

    // An account linked to its opening balance stores that transaction's number.
    TTransRec opening = Trans(42, 46000, TransOpening, 0);
    TBookRec linked = Account(0, "Cheque", 5);
    linked.OpeningTrans = &opening;
    EXPECT_EQ(ByteDiff(Image(linked).substr(108, 4), Layout(4).I32(0, 42).Clean()), "");
}

// A text of N characters: "a".."z" over and over, so a piece taken from the wrong place shows.
std::string Letters(std::size_t n, char first = 'a') {
    std::string text;
    for (std::size_t i = 0; i < n; ++i)
        text += static_cast<char>(first + i % 26);
    return text;
}

// Longer texts are cut to their capacity; the byte after the text stays the next field's.
TEST(RecordLayout, LongTextsAreCutToTheirCapacity) {
    struct Case {
        const char* Field;
        std::string Image;
        std::size_t Offset;
        std::size_t Capacity;
        std::string Text;
    };
    TTransRec t = Trans(1, 46000, TransCredit, 1, 0x11223344);
    t.Gst = Money::FromRaw(0x0102030405060708);
    t.Reference = Letters(25);
    t.Notes = Letters(300);
    TGroupRec g = Group(1, Letters(45));
    g.Notes = Letters(300, 'A');
    TFileSettings f;
    f.Password = Letters(12);
    f.TaxName = "GST/VAT";
    f.BusinessName = Letters(300);
    f.BusinessNumber = Letters(300, 'A');
    f.ExampleDescFile = Letters(300);
    const Case cases[] = {
        {"reference", Image(t), 12, 20, Letters(25)},
        {"transaction notes", Image(t), 60, 247, Letters(300)},
        {"category name", Image(Category(1, Letters(45), SideCredit, 0)), 4, 40, Letters(45)},
        {"sub category name", Image(SubCategory(1, 1, Letters(45), SideCredit)), 4, 40, Letters(45)},
        {"group name", Image(g), 4, 40, Letters(45)},
        {"group notes", Image(g), 45, 255, Letters(300, 'A')},
        {"type name", Image(CatType(1, Letters(45), SideCredit, 1)), 4, 40, Letters(45)},
        {"account name", Image(Account(1, Letters(120), 0)), 4, 100, Letters(120)},
        {"password", SettingsImage(f), 0, 8, Letters(12)},
        {"tax name", SettingsImage(f), 24, 6, "GST/VAT"},
        {"business name", SettingsImage(f), 44, 255, Letters(300)},
        {"business number", SettingsImage(f), 300, 255, Letters(300, 'A')},
        {"example file", SettingsImage(f), 557, 252, Letters(300)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Field);
        EXPECT_EQ(static_cast<unsigned char>(c.Image[c.Offset]), c.Capacity);
        EXPECT_EQ(c.Image.substr(c.Offset + 1, c.Capacity), c.Text.substr(0, c.Capacity));
    }
    // What follows the cut texts is untouched by them.
    EXPECT_EQ(ByteDiff(Image(t).substr(33, 3), std::string(3, '\0')), "");
    EXPECT_EQ(ByteDiff(Image(t).substr(36, 4), Layout(4).I32(0, 0x11223344).Clean()), "");
    EXPECT_EQ(ByteDiff(Image(t).substr(308, 8), Layout(8).I64(0, 0x0102030405060708).Clean()), "");
    EXPECT_EQ(static_cast<unsigned char>(SettingsImage(f)[31]), 0) << "TaxOn after the cut tax name";
}

// Sub category notes are kept in two pieces: characters 1..192, then 193..439.
TEST(RecordLayout, SubCategoryNotesSpanBothPieces) {
    struct Case {
        std::size_t Length;
        std::size_t Second; // characters in the second piece
        std::size_t ReadBack;
    };
    const Case cases[] = {{0, 0, 0}, {192, 0, 192}, {193, 1, 193}, {300, 108, 300}, {439, 247, 439}, {500, 247, 439}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Length);
        TSubActRec s = SubCategory(1, 1, "Notes", SideCredit);
        s.Notes = Letters(c.Length);
        const std::string image = Image(s);
        const std::size_t first = std::min<std::size_t>(c.Length, 192);
        EXPECT_EQ(static_cast<unsigned char>(image[52]), first);
        EXPECT_EQ(image.substr(53, first), s.Notes.substr(0, first));
        EXPECT_EQ(static_cast<unsigned char>(image[245]), c.Second);
        EXPECT_EQ(image.substr(246, c.Second), s.Notes.substr(192 < c.Length ? 192 : 0, c.Second));
        EXPECT_EQ(image.substr(246 + c.Second, 247 - c.Second), std::string(247 - c.Second, '\0'));
        TSubActRec back;
        DecodeSubAct(reinterpret_cast<const std::uint8_t*>(image.data()), back);
        EXPECT_EQ(back.Notes, s.Notes.substr(0, c.ReadBack));
    }
}

// A sub category record of the generation before GST/VAT: nine short texts, joined into the
// notes in the order T1..T9 with a separator after each text that is not empty.
std::string OldSubCategory(const std::string (&texts)[9]) {
    const std::size_t offsets[9] = {150, 52, 103, 146, 139, 191, 210, 229, 248}; // T1..T9
    const std::size_t capacities[9] = {40, 50, 35, 3, 6, 18, 18, 18, 255};
    Layout layout(504);
    layout.I32(0, 4).Text(4, 40, "Old").U8(45, 2).I32(48, 200);
    for (int i = 0; i < 9; ++i)
        layout.Text(offsets[i], capacities[i], texts[i]);
    return layout.Clean();
}

TEST(RecordLayout, OldSubCategoryTextsAreJoinedIntoNotes) {
    struct Case {
        std::string Texts[9];
        std::string Notes;
    };
    const Case cases[] = {
        {{"Joe Bloggs", "12 High St", "Springfield", "VIC", "3000", "555 1234", "555 9999", "joe@x", "pays late"},
         "Joe Bloggs\r\n12 High St\r\nSpringfield VIC 3000\r\n555 1234\r\n555 9999\r\njoe@x\r\npays late"},
        {{"", "b", "", "d", "", "", "g", "", "i"}, "b\r\nd g\r\ni"},
        {{"", "x", "", "", "", "", "", "", ""}, "x\r\n"},
        {{Letters(40), Letters(50), Letters(35), "abc", "abcdef", Letters(18), Letters(18), Letters(18), Letters(255)},
         (Letters(40) + "\r\n" + Letters(50) + "\r\n" + Letters(35) + " abc abcdef\r\n" + Letters(18) + "\r\n" +
          Letters(18) + "\r\n" + Letters(18) + "\r\n" + Letters(255))
             .substr(0, 192)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Notes);
        const std::string image = OldSubCategory(c.Texts);
        EXPECT_EQ(JoinOldSubActTexts(reinterpret_cast<const std::uint8_t*>(image.data())), c.Notes);
        TSubActRec s;
        s.GstPercent = Money::FromUnits(99);
        DecodeSubAct(reinterpret_cast<const std::uint8_t*>(image.data()), s, true);
        EXPECT_EQ(s.Notes, c.Notes);
        EXPECT_EQ(s.Number, 4);
        EXPECT_EQ(s.Name, "Old");
        EXPECT_EQ(s.Side, 2);
        EXPECT_EQ(s.MainAct, 200);
        EXPECT_TRUE(s.GstPercent.IsZero()) << "bytes 496..503 belong to the last text";
    }
    // Without the conversion the same bytes are read as the two notes pieces.
    const std::string image = OldSubCategory(cases[0].Texts);
    TSubActRec current;
    DecodeSubAct(reinterpret_cast<const std::uint8_t*>(image.data()), current, false);
    EXPECT_EQ(current.Notes.substr(0, 10), "12 High St");
}

TEST(RecordLayout, TombstonesAreMarkedInTheNumberField) {
    for (int kind = 0; kind < 6; ++kind) {
        SCOPED_TRACE(RecordStreamNames[kind]);
        std::string image(RecordSizes[kind], '\x11');
        auto* bytes = reinterpret_cast<std::uint8_t*>(image.data());
        EXPECT_FALSE(IsTombstone(static_cast<TRecordStream>(kind), bytes));
        MarkTombstone(static_cast<TRecordStream>(kind), bytes);
        EXPECT_TRUE(IsTombstone(static_cast<TRecordStream>(kind), bytes));
        const std::size_t width = kind == StreamCats ? 2 : 4;
        EXPECT_EQ(image.substr(0, width), std::string(width, '\xFF'));
        EXPECT_EQ(image.substr(width), std::string(RecordSizes[kind] - width, '\x11')) << "the rest stays";
    }
    // Only the whole number field marks a tombstone: number 65535 is a live record.
    const std::string live = Image(Group(65535, "Live"));
    EXPECT_FALSE(IsTombstone(StreamGroups, reinterpret_cast<const std::uint8_t*>(live.data())));
    const std::string type = Image(CatType(-1, "Gone", SideDebit, 2));
    EXPECT_TRUE(IsTombstone(StreamCats, reinterpret_cast<const std::uint8_t*>(type.data())));
}

// ---- Stream operations --------------------------------------------------------------------------

class StreamOps : public ::testing::Test {
protected:
    StreamOps() { EXPECT_S_OK(cfb::TCompoundFile::Create(Folder.File("ops.kqk"), File)); }

    cfb::TStream StreamOf(const std::string& name, const std::string& data) {
        cfb::TStream stream;
        EXPECT_S_OK(File->Root().CreateStream(name, stream));
        EXPECT_S_OK(stream.WriteAt(0, data.data(), static_cast<std::uint32_t>(data.size())));
        return stream;
    }
    static std::string Bytes(cfb::TStream& stream) {
        std::string data;
        EXPECT_S_OK(stream.ReadAll(data));
        return data;
    }
    static cfb::HResult Load(TRecordStream kind, cfb::TStream& stream, std::int32_t count, TLedger& ledger) {
        switch (kind) {
        case StreamTrans:
            return FileOLE::LoadTransactions(stream, count, ledger);
        case StreamMainActs:
            return FileOLE::LoadMainActs(stream, count, ledger.MainActList);
        case StreamSubActs:
            return FileOLE::LoadSubActs(stream, count, ledger.SubActList);
        case StreamGroups:
            return FileOLE::LoadGroups(stream, count, ledger.GroupList);
        case StreamCats:
            return FileOLE::LoadCats(stream, count, ledger.CatList);
        case StreamBooks:
        default:
            return FileOLE::LoadBooks(stream, count, ledger.BookList);
        }
    }
    static std::string RecordImage(const TLedger& ledger, TRecordStream kind, std::int32_t index) {
        std::string image(RecordSizes[kind], '\0');
        FileOLE::EncodeRecord(ledger, kind, index, reinterpret_cast<std::uint8_t*>(image.data()));
        return image;
    }

    cfb::testing::TempFolder Folder;
    std::unique_ptr<cfb::TCompoundFile> File;
};

// Three images of each kind: two live records (the first numbered 65535 where the number has
// 32 bits) and a deleted one.
struct KindImages {
    TRecordStream Kind;
    std::string First, Deleted, Second;
};
std::vector<KindImages> ImagesOfEveryKind() {
    return {
        {StreamTrans, Image(Trans(65535, 46000, TransCredit, 5)), Deleted(StreamTrans, Trans(3, 46000, TransDebit, 1)),
         Image(Trans(2, 46001, TransDebit, 7))},
        {StreamMainActs, Image(Category(65535, "A", SideCredit, 0)), Deleted(StreamMainActs, Category(3, "X", 1, 0)),
         Image(Category(200, "B", SideDebit, 1))},
        {StreamSubActs, Image(SubCategory(100, 65535, "A", SideCredit)),
         Deleted(StreamSubActs, SubCategory(100, 3, "X", SideCredit)), Image(SubCategory(100, 2, "B", SideCredit))},
        {StreamGroups, Image(Group(65535, "A")), Deleted(StreamGroups, Group(3, "X")), Image(Group(2, "B"))},
        {StreamCats, Image(CatType(7, "A", SideCredit, 1)), Deleted(StreamCats, CatType(3, "X", SideDebit, 2)),
         Image(CatType(2, "B", SideDebit, 2))},
        {StreamBooks, Image(Account(65535, "A", 0)), Deleted(StreamBooks, Account(3, "X", -1)),
         Image(Account(2, "B", 1))},
    };
}

TEST_F(StreamOps, LoadSkipsDeletedRecordsAndNotesEachPosition) {
    for (const KindImages& k : ImagesOfEveryKind()) {
        SCOPED_TRACE(RecordStreamNames[k.Kind]);
        const std::uint32_t size = RecordSizes[k.Kind];
        cfb::TStream stream = StreamOf(RecordStreamNames[k.Kind], k.First + k.Deleted + k.Second + k.First);
        TLedger ledger;
        int reports = 0;
        auto count = [&](std::uint8_t, std::int32_t) { ++reports; };
        ledger.TransList.OnChange = count;
        ledger.MainActList.OnChange = count;
        ledger.SubActList.OnChange = count;
        ledger.GroupList.OnChange = count;
        ledger.CatList.OnChange = count;
        ledger.BookList.OnChange = count;
        ASSERT_S_OK(Load(k.Kind, stream, 2, ledger));
        ASSERT_EQ(FileOLE::CountOf(ledger, k.Kind), 2) << "the fourth record lies past the count";
        EXPECT_EQ(FileOLE::FilePosOf(ledger, k.Kind, 0), 0);
        EXPECT_EQ(FileOLE::FilePosOf(ledger, k.Kind, 1), 2 * size);
        EXPECT_EQ(ByteDiff(RecordImage(ledger, k.Kind, 0), k.First), "");
        EXPECT_EQ(ByteDiff(RecordImage(ledger, k.Kind, 1), k.Second), "");
        EXPECT_EQ(reports, 0) << "loading reports nothing to the document";
        EXPECT_EQ(ledger.GroupList.Notify, 1) << "Notify is back on after the load";
    }
}

// A count larger than the live records, or a record cut short: the load fails at the end of
// the stream, and the list keeps exactly what it held.
TEST_F(StreamOps, LoadFailsWhenTheStreamEndsFirstAndLeavesTheListAlone) {
    for (const KindImages& k : ImagesOfEveryKind()) {
        SCOPED_TRACE(RecordStreamNames[k.Kind]);
        const std::string cases[] = {k.First + k.Deleted + k.Second,
                                     k.First + k.Second.substr(0, RecordSizes[k.Kind] - 1), k.Deleted + k.Deleted};
        for (const std::string& data : cases) {
            cfb::TStream stream = StreamOf(RecordStreamNames[k.Kind], data);
            TLedger ledger;
            cfb::TStream one = StreamOf("One", k.Second);
            ASSERT_S_OK(Load(k.Kind, one, 1, ledger));
            const std::string before = RecordImage(ledger, k.Kind, 0);
            EXPECT_EQ(cfb::ResultName(Load(k.Kind, stream, 3, ledger)), "STG_E_DOCFILECORRUPT");
            ASSERT_EQ(FileOLE::CountOf(ledger, k.Kind), 1);
            EXPECT_EQ(RecordImage(ledger, k.Kind, 0), before);
        }
    }
    TLedger ledger;
    cfb::TStream empty = StreamOf("Empty", "");
    EXPECT_S_OK(FileOLE::LoadGroups(empty, 0, ledger.GroupList));
    EXPECT_EQ(cfb::ResultName(FileOLE::LoadGroups(empty, -1, ledger.GroupList)), "STG_E_DOCFILECORRUPT");
}

TEST_F(StreamOps, DeleteLeavesATombstoneAndRewritingRemovesIt) {
    for (TRecordStream kind : {StreamGroups, StreamCats}) {
        SCOPED_TRACE(RecordStreamNames[kind]);
        const std::uint32_t size = RecordSizes[kind];
        TLedger ledger;
        cfb::TStream stream = StreamOf(RecordStreamNames[kind], "");
        ledger.GroupList.Notify = ledger.CatList.Notify = 0;
        for (int i = 0; i < 3; ++i) {
            if (kind == StreamGroups)
                ledger.GroupList.Add(new TGroupRec(Group(10 - i, "G" + std::to_string(i))));
            else
                ledger.CatList.Add(new TCatRec(CatType(static_cast<std::int16_t>(10 - i), "T", SideDebit, 2)));
        }
        ASSERT_S_OK(FileOLE::RewriteStream(stream, ledger, kind));
        const std::string written = Bytes(stream);
        ASSERT_EQ(written.size(), 3 * size);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(FileOLE::FilePosOf(ledger, kind, i), i * size);
            EXPECT_EQ(written.substr(i * size, size), RecordImage(ledger, kind, i));
        }

        ASSERT_S_OK(FileOLE::WriteTombstone(stream, ledger, kind, 1, size));
        std::string marked = RecordImage(ledger, kind, 1);
        MarkTombstone(kind, reinterpret_cast<std::uint8_t*>(marked.data()));
        const std::string afterDelete = Bytes(stream);
        EXPECT_EQ(afterDelete.substr(size, size), marked);
        EXPECT_EQ(afterDelete.substr(0, size), written.substr(0, size));
        EXPECT_EQ(afterDelete.substr(2 * size), written.substr(2 * size));

        const std::string last = RecordImage(ledger, kind, 2);
        if (kind == StreamGroups)
            ledger.GroupList.Delete(1);
        else
            ledger.CatList.Delete(1);
        ASSERT_S_OK(FileOLE::RewriteStream(stream, ledger, kind));
        EXPECT_EQ(Bytes(stream), written.substr(0, size) + last) << "the stream is cut after the last record";
        EXPECT_EQ(FileOLE::FilePosOf(ledger, kind, 1), size) << "later in-place writes land on the moved record";
    }
}

TEST_F(StreamOps, CountsSettingsAndCommentBlocks) {
    cfb::TStream counts = StreamOf("KQ22FileInfo", "");
    ASSERT_S_OK(FileOLE::WriteCounts(counts, {3, 2, 1, 0, 12, 1}));
    EXPECT_EQ(Bytes(counts), CountsImage({3, 2, 1, 0, 12, 1}));
    TCounts read{};
    ASSERT_S_OK(FileOLE::ReadCounts(counts, read));
    EXPECT_EQ(read, (TCounts{3, 2, 1, 0, 12, 1}));
    cfb::TStream shortCounts = StreamOf("Short", std::string(20, '\1'));
    EXPECT_TRUE(cfb::Failed(FileOLE::ReadCounts(shortCounts, read)));

    TFileSettings settings;
    settings.BusinessName = "Corner Shop";
    cfb::TStream block = StreamOf("FileSettings", "");
    ASSERT_S_OK(FileOLE::WriteSettings(block, settings));
    EXPECT_EQ(Bytes(block), SettingsImage(settings));
    TFileSettings back;
    ASSERT_S_OK(FileOLE::ReadSettings(block, back));
    EXPECT_EQ(back.BusinessName, "Corner Shop");
    EXPECT_EQ(back.GstPaymentCat, -1);
    cfb::TStream shortBlock = StreamOf("ShortSettings", SettingsImage(settings).substr(0, 815));
    EXPECT_TRUE(cfb::Failed(FileOLE::ReadSettings(shortBlock, back)));

    struct CommentCase {
        std::string Before, Text, Stored;
    };
    const CommentCase comments[] = {
        {"", "", std::string(1, '\0')},
        {std::string("a much longer comment") + '\0', "short", std::string("short") + '\0'},
        {"", "two\r\nlines", std::string("two\r\nlines") + '\0'},
    };
    for (const CommentCase& c : comments) {
        cfb::TStream comment = StreamOf("Comments", c.Before);
        ASSERT_S_OK(FileOLE::WriteComment(comment, c.Text));
        EXPECT_EQ(Bytes(comment), c.Stored);
        std::string text = "stale";
        ASSERT_S_OK(FileOLE::ReadComment(comment, text));
        EXPECT_EQ(text, c.Text);
    }
    const std::pair<std::string, std::string> reads[] = {
        {"", ""}, {std::string("abc") + '\0' + "junk", "abc"}, {"no terminator", "no terminator"}};
    for (const auto& [stored, text] : reads) {
        cfb::TStream comment = StreamOf("Comments", stored);
        std::string got = "stale";
        ASSERT_S_OK(FileOLE::ReadComment(comment, got));
        EXPECT_EQ(got, text);
    }
}

// ---- A whole document, read by olefile ------------------------------------------------------

std::string RunDocDump(const std::string& path) {
    const std::string command = "/usr/bin/python3 " QZ_TEST_TOOLS "/docdump.py '" + path + "' 2>&1";
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        ::pclose(pipe);
    }
    return output;
}

std::string Cut(const std::string& text, std::size_t capacity) {
    return text.substr(0, std::min(text.size(), capacity));
}
std::string Bracket(std::string_view text) {
    return "[" + std::string(text) + "]";
}
std::string DateText(double date) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", date);
    return text;
}

// The lines the dump should print for a record stream: each live record at its FilePos, every
// other record position a deleted record.
template <class Rec>
std::vector<std::string> StreamLines(const char* name, std::uint32_t size, std::uint64_t streamSize,
                                     const std::vector<Rec*>& records,
                                     const std::function<std::string(const Rec&)>& fields) {
    std::map<std::int64_t, std::string> lines;
    for (std::uint64_t at = 0; at < streamSize; at += size)
        lines[static_cast<std::int64_t>(at)] = std::string(name) + "@" + std::to_string(at) + " deleted";
    for (const Rec* r : records)
        lines[r->FilePos] = std::string(name) + "@" + std::to_string(r->FilePos) + " " + fields(*r);
    std::vector<std::string> out;
    for (auto& [at, line] : lines)
        out.push_back(line);
    return out;
}

using WholeDocument = DocumentFixture;

// Every stream of a document the program wrote, deleted records included, decoded by the
// independent reader at the layouts' offsets.
TEST_F(WholeDocument, TheIndependentReaderFindsEveryFieldAtItsOffset) {
    NewDocument();
    TTransRec* first = AddSale(EncodeDate(2026, 7, 2) + 0.25, 110);
    first->Reference = Letters(25);
    first->Notes = Letters(300);
    first->Gst = Money::FromUnits(10);
    first->Split = 'A';
    Ledger.TransList.Changed(Ledger.TransList.IndexOf(first));
    AddSale(EncodeDate(2026, 7, 3), 55.55);
    TTransRec* third = AddSale(EncodeDate(2026, 7, 4), 20);
    third->Reconciled = 0;
    Ledger.TransList.Changed(Ledger.TransList.IndexOf(third));
    Ledger.TransList.Delete(Ledger.TransList.Count() - 2); // the 55.55: its tombstone stays
    AddSale(EncodeDate(2026, 7, 5), 1);                    // after the last record, not in the gap

    auto* category = new TMainActRec(Category(900, Letters(45), SideDebit, 6));
    Ledger.MainActList.Add(category);
    TSubActRec* sub = new TSubActRec(SubCategory(900, 3, "Long notes", SideDebit));
    sub->Notes = Letters(300, 'A');
    sub->GstPercent = Money::FromUnits(10);
    Ledger.SubActList.Add(sub);
    TGroupRec* branch = Ledger.GroupList.AddNamed("Branch");
    branch->Notes = Letters(280);
    Ledger.GroupList.Changed(Ledger.GroupList.IndexOf(branch));
    Ledger.GroupList.AddNamed("Short lived");
    Ledger.GroupList.Delete(Ledger.GroupList.Count() - 1);
    Ledger.CatList.AddType("Custom", SideDebit, KindOther, 0);
    auto* savings = new TBookRec(Account(1, Letters(120), -1));
    Ledger.BookList.Add(savings);
    auto* gone = new TBookRec(Account(2, "Gone", -1));
    Ledger.BookList.Add(gone);
    Ledger.BookList.Delete(Ledger.BookList.Count() - 1);
    Files.SetComment("The corner shop's books");
    Files.Settings.ProtectEdit = 1;
    Files.Settings.Password = "pw";
    ASSERT_TRUE(Files.WriteSettings());
    ASSERT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();

    std::vector<std::string> expected;
    auto add = [&](std::vector<std::string> lines) { expected.insert(expected.end(), lines.begin(), lines.end()); };
    auto sizeOf = [&](TRecordStream kind) {
        std::uint64_t size = 0;
        EXPECT_S_OK(Files.RecordStream(kind).Size(size));
        return size;
    };
    auto number = [](auto v) { return std::to_string(v); };
    add(StreamLines<TTransRec>(
        "Transactions", 320, sizeOf(StreamTrans), Ledger.TransList.KeyList, [&](const TTransRec& t) {
            return "Number=" + number(t.Number) + " Date=" + DateText(t.Date) +
                   " Reference=" + Bracket(t.Reference.View()) + " MainAct=" + number(t.MainAct) +
                   " SubAct=" + number(t.SubAct) + " Group=" + number(t.Group) + " Book=" + number(t.Book) +
                   " Kind=" + number(int(t.Kind)) + " Amount=" + number(t.Amount.Raw()) +
                   " Notes=" + Bracket(Cut(t.Notes, 247)) + " Gst=" + number(t.Gst.Raw()) +
                   " Reconciled=" + number(int(t.Reconciled)) + " Split=" + std::string(1, t.Split);
        }));
    add(StreamLines<TMainActRec>("MainActs", 52, sizeOf(StreamMainActs), Ledger.MainActList.KeyList,
                                 [&](const TMainActRec& c) {
                                     return "Number=" + number(c.Number) + " Name=" + Bracket(c.Name.View()) +
                                            " Side=" + number(int(c.Side)) + " CatType=" + number(c.CatType);
                                 }));
    add(StreamLines<TSubActRec>(
        "SubActs", 504, sizeOf(StreamSubActs), Ledger.SubActList.KeyList, [&](const TSubActRec& s) {
            const std::string notes = Cut(s.Notes, 439);
            return "Number=" + number(s.Number) + " Name=" + Bracket(s.Name.View()) + " Side=" + number(int(s.Side)) +
                   " MainAct=" + number(s.MainAct) + " Notes1=" + Bracket(Cut(notes, 192)) +
                   " Notes2=" + Bracket(notes.size() > 192 ? notes.substr(192) : "") +
                   " GstPercent=" + number(s.GstPercent.Raw());
        }));
    add(StreamLines<TGroupRec>("Groups", 304, sizeOf(StreamGroups), Ledger.GroupList.KeyList, [&](const TGroupRec& g) {
        return "Number=" + number(g.Number) + " Name=" + Bracket(g.Name.View()) +
               " Notes=" + Bracket(Cut(g.Notes, 255));
    }));
    add(StreamLines<TCatRec>("Categories", 48, sizeOf(StreamCats), Ledger.CatList.KeyList, [&](const TCatRec& c) {
        return "Number=" + number(c.Number) + " Kind=" + number(c.Kind) + " Name=" + Bracket(c.Name.View()) +
               " Side=" + number(int(c.Side)) + " IsDefault=" + number(int(c.IsDefault));
    }));
    add(StreamLines<TBookRec>("Books", 116, sizeOf(StreamBooks), Ledger.BookList.KeyList, [&](const TBookRec& b) {
        std::int32_t opening = -1;
        for (const TTransRec* t : Ledger.TransList.KeyList)
            if (t->Kind == TransOpening && t->Book == b.Number)
                opening = t->Number;
        return "Number=" + number(b.Number) + " Name=" + Bracket(b.Name.View()) + " OpeningTransNo=" + number(opening) +
               " Colour=" + number(b.Colour);
    }));
    expected.push_back("KQ22FileInfo " + number(Ledger.TransList.Count()) + " " + number(Ledger.MainActList.Count()) +
                       " " + number(Ledger.SubActList.Count()) + " " + number(Ledger.GroupList.Count()) + " " +
                       number(Ledger.CatList.Count()) + " " + number(Ledger.BookList.Count()));
    const TFileSettings& s = Files.Settings;
    expected.push_back(
        "FileSettings Password=" + Bracket(s.Password) + " ProtectOpen=" + number(int(s.ProtectOpen)) +
        " ProtectDelete=" + number(int(s.ProtectDelete)) + " ProtectAdd=" + number(int(s.ProtectAdd)) +
        " ProtectEdit=" + number(int(s.ProtectEdit)) + " ProtectReports=" + number(int(s.ProtectReports)) +
        " ProtectPrint=" + number(int(s.ProtectPrint)) + " ProtectWorksheet=" + number(int(s.ProtectWorksheet)) +
        " GstPercent=" + number(s.GstPercent.Raw()) + " TaxName=" + Bracket(s.TaxName) +
        " TaxOn=" + number(int(s.TaxOn)) + " GstPaymentCat=" + number(s.GstPaymentCat) +
        " GstOpeningBalance=" + number(s.GstOpeningBalance.Raw()) + " BusinessName=" + Bracket(s.BusinessName) +
        " BusinessNumber=" + Bracket(s.BusinessNumber) + " IsExample=" + number(int(s.IsExample)) +
        " ExampleDescFile=" + Bracket(s.ExampleDescFile) + " GstRefundCat=" + number(s.GstRefundCat));
    expected.push_back("Comments [The corner shop's books]");
    std::string joined;
    for (const std::string& line : expected)
        joined += line + "\n";

    // The lines that matter most, spelled out rather than derived.
    EXPECT_NE(joined.find("Transactions@640 deleted\n"), std::string::npos) << joined;
    EXPECT_NE(joined.find("Transactions@1280 Number=4 "), std::string::npos) << joined;
    EXPECT_NE(joined.find(" Reference=[" + Letters(20) + "] "), std::string::npos);
    EXPECT_NE(joined.find("Groups@608 deleted\n"), std::string::npos) << joined;
    EXPECT_NE(joined.find("Books@232 deleted\n"), std::string::npos) << joined;

    const std::string path = Files.Path;
    Files.Close(true, false);
    EXPECT_EQ(RunDocDump(path), joined);
}

// The order of the accounts is the user's, and is the order of their stream: reordered, the
// accounts are written again at close.
TEST_F(WholeDocument, TheAccountsStreamKeepsTheUsersOrder) {
    NewDocument();
    Ledger.BookList.Add(new TBookRec(Account(1, "Savings", -1)));
    TBookRec* first = Ledger.BookList.Items(0);
    TBookRec* second = Ledger.BookList.Items(1);
    Ledger.BookList.Put(0, second);
    Ledger.BookList.Put(1, first);
    Files.MarkAccountsChanged();
    Prompts.QueueAnswer(MsgResult::No);
    ASSERT_TRUE(Files.Close(true, true));
    const std::string books = cfb::testing::ContentsOf(PathOf("Shop.kqk")).at("Books");
    ASSERT_EQ(books.size(), 2u * BookRecordSize);
    TBookRec stored;
    DecodeBook(reinterpret_cast<const std::uint8_t*>(books.data()), stored);
    EXPECT_EQ(stored.Name, "Savings");
    ASSERT_TRUE(Files.Open(PathOf("Shop.kqk"), true));
    EXPECT_EQ(Ledger.BookList.Items(0)->Name, "Savings");
    EXPECT_EQ(Ledger.BookList.Items(0)->Row, 0);
    EXPECT_EQ(Ledger.BookList.Items(1)->Name, "Zudeduze 1");
    EXPECT_EQ(Ledger.BookList.Items(1)->Row, 1);
}

} // namespace
} // namespace qz::testing
