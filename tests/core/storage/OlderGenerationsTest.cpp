// Documents of every generation, written here stream by stream, opened the way the main window
// opens them: each is brought up to the current generation, once, and then opens as it is.
// Also new documents made from an existing one.

#include "DocumentFixture.h"

#include <filesystem>

namespace qz::testing {
namespace {

const TDateTime Day = OlderDocumentsDay;

// A conversion wizard that records which types it was asked about.
class WizardQuestions : public PreparedQuestions {
public:
    bool ConvertWizard(TCatList& types, std::string& accountName) override {
        ++Wizards;
        for (const TCatRec* type : types.KeyList)
            if (!type->IsDefault)
                Asked.push_back(type->Name.Str());
        return PreparedQuestions::ConvertWizard(types, accountName);
    }
    int Wizards = 0;
    std::vector<std::string> Asked;
};

class OlderGenerations : public DocumentFixture {
protected:
    OlderGenerations() : Wizard(), Convert2(Files, Ledger, Prompts, Wizard, Clock, Faults) {}

    // Opens through the fixture's file manager, with the recording wizard answering.
    TFileConvert::OpenResult Open(const std::string& name) { return Convert2.OpenDocument(PathOf(name)); }

    const TCatRec* TypeNamed(const std::string& name) const {
        for (const TCatRec* type : Ledger.CatList.KeyList)
            if (type->Name == std::string_view(name))
                return type;
        return nullptr;
    }
    const TTransRec* TransNumbered(std::int32_t number, char split = '0') const {
        for (const TTransRec* t : Ledger.TransList.KeyList)
            if (t->Number == number && t->Split == split)
                return t;
        return nullptr;
    }
    // Closes the document when nothing changed since it was opened: nothing is asked.
    void CloseQuietly() {
        Prompts.Messages.clear();
        ASSERT_TRUE(Files.Close(true, true));
        EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
    }
    // Closes a document the opening changed (a conversion, the tax categories' check): the
    // backup question comes, and is answered No.
    void CloseChanged() {
        Prompts.Messages.clear();
        Prompts.QueueAnswer(MsgResult::No);
        ASSERT_TRUE(Files.Close(true, true));
        EXPECT_EQ(Texts(), std::vector<std::string>{"The data in this file has changed.\rUpdate backup file?"});
    }

    WizardQuestions Wizard;
    TFileConvert Convert2;
};

// ---- Generation 1: one account, its opening balance in the counts block ----------------------

TEST_F(OlderGenerations, FirstGenerationGetsItsAccountOpeningBalanceAndTypes) {
    WriteDocument(PathOf("Old.kqk"), Version1Document(true));
    Wizard.AccountName = "  Till  ";
    Wizard.KindForCustomTypes = KindOther;
    Wizard.Tax.Name = "GST";
    const auto result = Open("Old.kqk");
    ASSERT_TRUE(result.Opened) << Prompts.LastText();
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
    EXPECT_EQ(Wizard.Wizards, 1);
    EXPECT_EQ(Wizard.Asked, std::vector<std::string>{"Vehicle"});
    EXPECT_EQ(Wizard.TaxQuestions, 1) << "the generation 2.0 step follows at once";

    ASSERT_EQ(Ledger.BookList.Count(), 1);
    const TBookRec& account = *Ledger.BookList.Items(0);
    EXPECT_EQ(account.Number, 0);
    EXPECT_EQ(account.Name, "Till");
    EXPECT_EQ(account.Colour, RGBColour(0, 0, 255));
    const TTransRec* opening = TransNumbered(0);
    ASSERT_NE(opening, nullptr);
    EXPECT_EQ(account.OpeningTrans, opening);
    EXPECT_EQ(opening->Kind, TransOpening);
    EXPECT_EQ(opening->Book, 0);
    EXPECT_EQ(opening->Amount, Money::FromCents(123456));
    EXPECT_EQ(opening->Date, Day + 2) << "the earliest live transaction; the deleted one is older";
    EXPECT_EQ(opening->Reconciled, 1);
    EXPECT_EQ(opening->Split, '0');
    EXPECT_EQ(Ledger.TransList.Count(), 4);

    struct Expected {
        const char* Name;
        std::int16_t Kind;
        std::uint8_t Side;
        std::uint8_t IsDefault;
    };
    const Expected types[] = {
        {"General Income", 1, 1, 1},  {"Other Income", 3, 1, 1},    {"Assets Purchased", 5, 2, 1},
        {"Overheads", 2, 2, 1},       {"Stock Purchased", 1, 2, 1}, {"Wages", 2, 2, 1},
        {"Company Tax", 4, 2, 1},     {"Other Expenses", 3, 2, 1},  {"Vehicle", KindOther, 2, 0},
        {"Assets Sold", 5, 1, 1},     {"Funds Injection", 6, 1, 1}, {"Funds Repayment", 6, 2, 1},
        {"GST", KindGstSystem, 2, 1},
    };
    EXPECT_EQ(Ledger.CatList.Count(), 13);
    for (const Expected& e : types) {
        SCOPED_TRACE(e.Name);
        const TCatRec* type = TypeNamed(e.Name);
        ASSERT_NE(type, nullptr);
        EXPECT_EQ(type->Kind, e.Kind);
        EXPECT_EQ(type->Side, e.Side);
        EXPECT_EQ(type->IsDefault, e.IsDefault);
    }
    EXPECT_EQ(TypeNamed("Equipment"), nullptr);
    EXPECT_EQ(TypeNamed("Tax"), nullptr);
    EXPECT_EQ(TypeNamed("Assets Sold")->Number, 9) << "the added types take new numbers";
    EXPECT_EQ(TypeNamed("Funds Repayment")->Number, 11);

    // On disk: the counts block under its current name, no older name left.
    CloseChanged();
    const auto contents = cfb::testing::ContentsOf(PathOf("Old.kqk"));
    EXPECT_EQ(contents.count("FileInfo") + contents.count("KQ2FileInfo") + contents.count("KQ21FileInfo"), 0u);
    ASSERT_EQ(contents.count("KQ22FileInfo"), 1u);
    ASSERT_EQ(contents.count("Books"), 1u);
    EXPECT_EQ(cfb::testing::OleCheck(PathOf("Old.kqk"), contents), "OK");

    // Converted once: opening again asks nothing and finds the same.
    Prompts.Messages.clear();
    ASSERT_TRUE(Open("Old.kqk").Opened) << Prompts.LastText();
    EXPECT_EQ(Wizard.Wizards, 1);
    EXPECT_EQ(Wizard.TaxQuestions, 1);
    EXPECT_EQ(Ledger.TransList.Count(), 4);
    EXPECT_EQ(Ledger.CatList.Count(), 13);
    EXPECT_EQ(Ledger.BookList.Items(0)->Name, "Till");
    EXPECT_EQ(TransNumbered(0)->Amount, Money::FromCents(123456));
}

TEST_F(OlderGenerations, FirstGenerationWithoutTransactionsOpensThreeThousandDaysAhead) {
    WriteDocument(PathOf("Empty.kqk"), Version1Document(false));
    Wizard.AccountName = "   ";
    ASSERT_TRUE(Open("Empty.kqk").Opened) << Prompts.LastText();
    ASSERT_EQ(Ledger.TransList.Count(), 1);
    EXPECT_EQ(Ledger.TransList.Items(0)->Date, Clock.Today() + 3000);
    EXPECT_EQ(Ledger.TransList.Items(0)->Amount, Money::FromCents(123456));
    EXPECT_EQ(Ledger.BookList.Items(0)->Name, "Account 1") << "a blank name";
}

TEST_F(OlderGenerations, CancellingTheWizardLeavesTheFileAsItWas) {
    WriteDocument(PathOf("Old.kqk"), Version1Document(true));
    const std::string before = FileBytes(PathOf("Old.kqk"));
    Wizard.WizardCancelled = true;
    EXPECT_FALSE(Open("Old.kqk").Opened);
    EXPECT_EQ(Texts(), std::vector<std::string>{"File conversion canceled"});
    EXPECT_EQ(Files.IsOpen, 0);
    EXPECT_EQ(Ledger.CatList.Count(), 0);
    EXPECT_EQ(Wizard.TaxQuestions, 0);
    EXPECT_EQ(FileBytes(PathOf("Old.kqk")), before);
    EXPECT_FALSE(std::filesystem::exists(cfb::TCompoundFile::JournalPath(PathOf("Old.kqk"))));
}

// The conversion is committed at once at its end: when that fails and the user gives up, the
// file holds what it held, and converts once the fault is gone.
TEST_F(OlderGenerations, FailedFirstGenerationConversionLeavesTheFileAsItWas) {
    const StreamMap original = Version1Document(true);
    const int errors[] = {ENOSPC, EIO};
    for (int error : errors) {
        SCOPED_TRACE(error);
        WriteDocument(PathOf("Old.kqk"), original);
        Prompts.Messages.clear();
        Faults.FailAt(cfb::FaultOp::Write, 2, error, true);
        Prompts.QueueAnswer(MsgResult::Cancel);
        EXPECT_FALSE(Open("Old.kqk").Opened);
        const std::string reason = error == ENOSPC ? ": Disk is full!" : ": There was a problem writing to the disk";
        EXPECT_EQ(Texts(), (std::vector<std::string>{"Unable to save file" + reason + "\rDo you want to retry?",
                                                     "Unable to convert file due to a file error."}));
        Faults.Clear();
        EXPECT_EQ(Files.IsOpen, 0);
        EXPECT_EQ(cfb::testing::Differences(cfb::testing::ContentsOf(PathOf("Old.kqk")), original), "");
    }
    Prompts.Messages.clear();
    ASSERT_TRUE(Open("Old.kqk").Opened) << Prompts.LastText();
    EXPECT_EQ(Ledger.BookList.Count(), 1);
    EXPECT_EQ(Ledger.TransList.Count(), 4);
}

// ---- Generation 2.0: no GST/VAT yet; sub categories hold nine texts --------------------------

struct TaxCase {
    const char* Name;
    TTaxChoice Choice;
    std::uint8_t TaxOn;
    Money Percent;
    std::string TaxName;      // in the settings block
    std::string CategoryName; // of the tax type and both tax categories
};

TTaxChoice Choice(bool tracking, Money percent, const char* name) {
    TTaxChoice choice;
    choice.Tracking = tracking;
    choice.Percent = percent;
    choice.Name = name;
    return choice;
}

// Built at run time: a constant table of these trips a false uninitialised-value alarm in GCC 12.
const std::vector<TaxCase>& TaxCases() {
    static const std::vector<TaxCase> cases = {
        {"VAT at 20 %", Choice(true, Money::FromUnits(20), "VAT"), 1, Money::FromUnits(20), "VAT", "VAT"},
        {"not tracked", Choice(false, Money::FromUnits(15), ""), 0, Money::FromUnits(10), "GST/VA", "GST/VAT"},
    };
    return cases;
}

TEST_F(OlderGenerations, GenerationTwoGetsTaxSettingsAndTaxCategoriesOnce) {
    for (const TaxCase& c : TaxCases()) {
        SCOPED_TRACE(c.Name);
        Ledger.Clear();
        Prompts.Messages.clear();
        Wizard.TaxQuestions = Wizard.CompanyQuestions = 0;
        Wizard.Tax = c.Choice;
        Wizard.CompanyName = "New Shop";
        Wizard.CompanyNumber = "77";
        WriteDocument(PathOf("Two.kqk"), Version20Document());
        ASSERT_TRUE(Open("Two.kqk").Opened) << Prompts.LastText();
        EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
        EXPECT_EQ(Wizard.Wizards, 0);
        EXPECT_EQ(Wizard.TaxQuestions, 1);
        EXPECT_EQ(Wizard.CompanyQuestions, 1) << "both names were empty";

        const TFileSettings& s = Files.Settings;
        EXPECT_EQ(s.TaxOn, c.TaxOn);
        EXPECT_EQ(s.GstPercent, c.Percent);
        EXPECT_EQ(s.TaxName, c.TaxName);
        EXPECT_EQ(s.BusinessName, "New Shop");
        EXPECT_EQ(s.BusinessNumber, "77");
        EXPECT_EQ(s.GstOpeningBalance, Money());
        EXPECT_EQ(s.GstPaymentCat, 500) << "the highest category + 100";
        EXPECT_EQ(s.GstRefundCat, 600) << "added by the check of the tax categories";

        const TCatRec* taxType = TypeNamed(c.CategoryName);
        ASSERT_NE(taxType, nullptr);
        EXPECT_EQ(taxType->Kind, KindGstSystem);
        EXPECT_EQ(taxType->Side, SideDebit);
        EXPECT_EQ(taxType->IsDefault, 1);
        EXPECT_EQ(Ledger.CatList.Count(), 12);
        const TMainActRec* payments = Ledger.MainActList.FindByNumber(500);
        const TMainActRec* refunds = Ledger.MainActList.FindByNumber(600);
        ASSERT_TRUE(payments && refunds);
        EXPECT_EQ(payments->Name, c.CategoryName);
        EXPECT_EQ(payments->Side, SideDebit);
        EXPECT_EQ(payments->CatType, taxType->Number);
        EXPECT_EQ(refunds->Name, c.CategoryName);
        EXPECT_EQ(refunds->Side, SideCredit);
        EXPECT_EQ(refunds->CatType, taxType->Number);
        const TSubActRec* payment = Ledger.SubActList.FindPair(500, 1);
        const TSubActRec* refund = Ledger.SubActList.FindPair(600, 1);
        ASSERT_TRUE(payment && refund);
        EXPECT_EQ(payment->Name, "Payment");
        EXPECT_EQ(payment->Side, SideDebit);
        EXPECT_TRUE(payment->GstPercent.IsZero());
        EXPECT_EQ(refund->Name, "Refund");
        EXPECT_EQ(refund->Side, SideCredit);

        // Sub categories: the percentage by their type, the notes from the nine texts.
        EXPECT_EQ(Ledger.SubActList.FindPair(100, 1)->GstPercent, c.Percent) << "sales";
        EXPECT_TRUE(Ledger.SubActList.FindPair(200, 1)->GstPercent.IsZero()) << "wages";
        EXPECT_TRUE(Ledger.SubActList.FindPair(300, 1)->GstPercent.IsZero()) << "company tax";
        EXPECT_EQ(Ledger.SubActList.FindPair(400, 1)->GstPercent, c.Percent) << "stock";
        EXPECT_EQ(Ledger.SubActList.FindPair(100, 1)->Notes,
                  "Joe Bloggs\r\n12 High St\r\nSpringfield VIC 3000\r\n555 1234\r\njoe@x\r\npays late");
        EXPECT_EQ(Ledger.SubActList.FindPair(400, 1)->Notes, "");

        // Transactions: no tax amounts yet; a split is reconciled whole or not at all.
        for (const TTransRec* t : Ledger.TransList.KeyList)
            EXPECT_TRUE(t->Gst.IsZero()) << t->Number;
        EXPECT_EQ(TransNumbered(2, 'A')->Reconciled, 0);
        EXPECT_EQ(TransNumbered(2, 'B')->Reconciled, 0);
        EXPECT_EQ(TransNumbered(3, 'A')->Reconciled, 1);
        EXPECT_EQ(TransNumbered(3, 'B')->Reconciled, 1);
        EXPECT_EQ(TransNumbered(1)->Reconciled, 1);

        // All of it is in the file: the next open asks nothing and finds the same.
        CloseChanged();
        ASSERT_TRUE(Open("Two.kqk").Opened) << Prompts.LastText();
        EXPECT_EQ(Wizard.TaxQuestions, 1);
        EXPECT_EQ(Wizard.CompanyQuestions, 1);
        EXPECT_EQ(Files.Settings.GstRefundCat, 600);
        EXPECT_EQ(Files.Settings.TaxName, c.TaxName);
        EXPECT_EQ(Ledger.MainActList.Count(), 6);
        EXPECT_EQ(Ledger.SubActList.Count(), 6);
        EXPECT_EQ(Ledger.CatList.Count(), 12);
        EXPECT_EQ(Ledger.TransList.Count(), 6);
        EXPECT_EQ(TransNumbered(2, 'A')->Reconciled, 0);
        EXPECT_EQ(Ledger.SubActList.FindPair(100, 1)->GstPercent, c.Percent);
        EXPECT_EQ(Ledger.SubActList.FindPair(100, 1)->Notes.substr(0, 10), "Joe Bloggs");
        CloseQuietly();
        const auto contents = cfb::testing::ContentsOf(PathOf("Two.kqk"));
        EXPECT_EQ(contents.count("KQ2FileInfo") + contents.count("KQ21FileInfo"), 0u);
        EXPECT_EQ(contents.count("KQ22FileInfo"), 1u);
    }
}

// The business names are asked for only when both are empty.
TEST_F(OlderGenerations, GenerationTwoWithANameKeepsIt) {
    StreamMap s = Version20Document();
    TFileSettings settings;
    settings.BusinessNumber = "ABN 1";
    s["FileSettings"] = SettingsImage(settings);
    WriteDocument(PathOf("Two.kqk"), s);
    ASSERT_TRUE(Open("Two.kqk").Opened) << Prompts.LastText();
    EXPECT_EQ(Wizard.CompanyQuestions, 0);
    EXPECT_EQ(Files.Settings.BusinessNumber, "ABN 1");
    EXPECT_EQ(Files.Settings.BusinessName, "");
}

// ---- Generation 2.1: the tax field of a transaction holds a rate ----------------------------

TEST_F(OlderGenerations, GenerationTwoOneTurnsRatesIntoAmounts) {
    struct Case {
        double Amount;
        Money Rate;
        Money Gst;
    };
    const Case cases[] = {
        {110, Money::FromUnits(10), Money::FromUnits(10)},
        {100, Money::FromRaw(125000), Money::FromCents(1111)}, // 12.5 %: 11.111...
        {33.33, Money::FromUnits(10), Money::FromCents(303)},
        {0.05, Money::FromUnits(10), Money::FromCents(0)}, // 0.004545...
        {0.11, Money::FromUnits(10), Money::FromCents(1)},
        {99, Money(), Money()},
    };
    StreamMap s = CurrentDocument();
    std::string records =
        Image(Trans(0, Day, TransOpening, 1000)) + Image(Trans(1, Day, TransOpening, 250, 0, 0, 0, 1));
    std::int32_t number = 2;
    for (const Case& c : cases) {
        TTransRec t = Trans(number++, Day + 1, TransCredit, c.Amount, 100, 1);
        t.Gst = c.Rate;
        records += Image(t);
        if (number == 4)
            records += Deleted(StreamTrans, t);
    }
    s["Transactions"] = records;
    s.erase("KQ22FileInfo");
    s["KQ21FileInfo"] = CountsImage(CountsOf(s));
    WriteDocument(PathOf("TwoOne.kqk"), s);

    ASSERT_TRUE(Open("TwoOne.kqk").Opened) << Prompts.LastText();
    EXPECT_EQ(Wizard.TaxQuestions, 0) << "the tax settings are already there";
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].Amount);
        const TTransRec* t = TransNumbered(static_cast<std::int32_t>(i) + 2);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->Gst, cases[i].Gst);
        EXPECT_EQ(t->Amount, Money::FromDouble(cases[i].Amount));
    }
    EXPECT_TRUE(TransNumbered(0)->Gst.IsZero());
    CloseQuietly();
    DocumentOnDisk disk(PathOf("TwoOne.kqk"));
    ASSERT_TRUE(disk.Opened);
    EXPECT_EQ(disk.Ledger.TransList.Count(), 2 + static_cast<std::int32_t>(std::size(cases)));
    for (const TTransRec* t : disk.Ledger.TransList.KeyList) {
        if (t->Number == 2) {
            EXPECT_EQ(t->Gst, Money::FromUnits(10)) << "the amounts are in the file";
        }
    }
}

// ---- Every generation's conversion under faults ---------------------------------------------

struct GenerationCase {
    const char* Name;
    StreamMap (*Document)();
};
const GenerationCase Generations[] = {
    {"generation 1", [] { return Version1Document(true); }},
    {"generation 2.0", Version20Document},
    {"generation 2.1", Version21Document},
};

class ConversionSweep : public OlderGenerations {
protected:
    using Contents = std::map<std::string, std::string>;

    // The file's streams once a crash's journal has been played back.
    Contents Recovered() {
        {
            std::unique_ptr<cfb::TCompoundFile> file;
            EXPECT_EQ(cfb::ResultName(cfb::TCompoundFile::Open(PathOf("Old.kqk"), cfb::StgAccess::ReadWrite, file)),
                      "S_OK");
        }
        return cfb::testing::ContentsOf(PathOf("Old.kqk"));
    }
    // Opens the document as the window does, then drops it without writing anything more.
    bool OpenAndDrop() {
        const bool opened = Open("Old.kqk").Opened;
        Files.Close(true, false);
        return opened;
    }
    // The states a conversion may leave: the file as it was, converted, and converted with the
    // refunds category the opening adds.
    void References(const StreamMap& document) {
        WriteDocument(PathOf("Old.kqk"), document);
        Original = cfb::testing::ContentsOf(PathOf("Old.kqk"));
        ASSERT_EQ(Convert2.ConvertDocument(PathOf("Old.kqk")), 0);
        Converted = cfb::testing::ContentsOf(PathOf("Old.kqk"));
        WriteDocument(PathOf("Old.kqk"), document);
        ASSERT_TRUE(OpenAndDrop()) << Prompts.LastText();
        Opened = cfb::testing::ContentsOf(PathOf("Old.kqk"));
        ASSERT_TRUE(Converted != Original);
    }
    std::string Which(const Contents& contents) const {
        return contents == Original ? "untouched" : contents == Converted || contents == Opened ? "converted" : "half";
    }

    Contents Original, Converted, Opened;
};

// A crash at any point of opening an older document leaves it either as it was or wholly
// converted: the generation's mark changes in the one commit that writes every converted
// record.
TEST_F(ConversionSweep, ACrashAtAnyPointLeavesTheFileUntouchedOrConverted) {
    for (const GenerationCase& generation : Generations) {
        SCOPED_TRACE(generation.Name);
        ASSERT_NO_FATAL_FAILURE(References(generation.Document()));
        int crashes = 0;
        for (int n = 1;; ++n) {
            SCOPED_TRACE(n);
            WriteDocument(PathOf("Old.kqk"), generation.Document());
            Faults.CrashAfterWrite(n);
            OpenAndDrop();
            const bool crashed = Faults.Crashed();
            Faults.Clear();
            const std::string state = Which(Recovered());
            EXPECT_NE(state, "half");
            if (!crashed) {
                EXPECT_EQ(state, "converted");
                break;
            }
            ++crashes;
        }
        EXPECT_GT(crashes, 3) << "the sweep passed through the conversion's writes";
    }
}

// A write that fails, and is not retried, fails the conversion: the open says so and the file
// is as it was. Past the conversion, a failure can only cost the refunds category the opening
// adds, and the document opens (read-only, its autosave off).
TEST_F(ConversionSweep, AFailedWriteAtAnyPointFailsTheConversionAndLeavesTheFile) {
    for (const GenerationCase& generation : Generations) {
        SCOPED_TRACE(generation.Name);
        ASSERT_NO_FATAL_FAILURE(References(generation.Document()));
        int failures = 0;
        for (int n = 1;; ++n) {
            SCOPED_TRACE(n);
            WriteDocument(PathOf("Old.kqk"), generation.Document());
            for (int i = 0; i < 8; ++i)
                Prompts.QueueAnswer(MsgResult::Cancel);
            Prompts.Messages.clear();
            const int writes = Faults.Count(cfb::FaultOp::Write);
            Faults.FailAt(cfb::FaultOp::Write, n, ENOSPC, true);
            const bool opened = OpenAndDrop();
            const bool failed = Faults.Count(cfb::FaultOp::Write) - writes >= n;
            Faults.Clear();
            Prompts = ScriptedPrompts();
            const std::string state = Which(Recovered());
            if (!failed) {
                EXPECT_TRUE(opened);
                EXPECT_EQ(state, "converted");
                break;
            }
            ++failures;
            EXPECT_EQ(state, opened ? "converted" : "untouched");
        }
        EXPECT_GT(failures, 3);
    }
}

// While tax is not tracked, stray tax amounts are cleared in memory only.
TEST_F(OlderGenerations, TaxAmountsAreIgnoredWhileTaxIsNotTracked) {
    StreamMap s = CurrentDocument();
    TFileSettings settings;
    DecodeSettings(reinterpret_cast<const std::uint8_t*>(s["FileSettings"].data()), settings);
    settings.TaxOn = 0;
    settings.TaxName.clear();
    s["FileSettings"] = SettingsImage(settings);
    WriteDocument(PathOf("NoTax.kqk"), s);
    const std::string before = FileBytes(PathOf("NoTax.kqk"));
    ASSERT_TRUE(Open("NoTax.kqk").Opened) << Prompts.LastText();
    for (const TTransRec* t : Ledger.TransList.KeyList)
        EXPECT_TRUE(t->Gst.IsZero()) << t->Number;
    EXPECT_EQ(Ledger.MainActList.Count(), 4) << "the document has its refunds category";
    CloseQuietly();
    EXPECT_EQ(FileBytes(PathOf("NoTax.kqk")), before);
}

// A current document without a refunds category gets one, named after the tax.
StreamMap NoRefundsDocument() {
    StreamMap s = CurrentDocument();
    TFileSettings settings;
    DecodeSettings(reinterpret_cast<const std::uint8_t*>(s["FileSettings"].data()), settings);
    settings.GstRefundCat = -1;
    settings.TaxName = "VAT";
    s["FileSettings"] = SettingsImage(settings);
    s["MainActs"] = Image(Category(100, "Sales", SideCredit, 0)) + Image(Category(200, "Rent", SideDebit, 6)) +
                    Image(Category(300, "VAT", SideDebit, 11));
    s["SubActs"] = Image(SubCategory(100, 1, "Counter", SideCredit)) + Image(SubCategory(200, 1, "Office", SideDebit)) +
                   Image(SubCategory(300, 1, "Payment", SideDebit));
    s["KQ22FileInfo"] = CountsImage(CountsOf(s));
    return s;
}

TEST_F(OlderGenerations, MissingRefundsCategoryIsAdded) {
    WriteDocument(PathOf("NoRefunds.kqk"), NoRefundsDocument());
    ASSERT_TRUE(Open("NoRefunds.kqk").Opened) << Prompts.LastText();
    EXPECT_EQ(Files.Settings.GstRefundCat, 400);
    const TMainActRec* refunds = Ledger.MainActList.FindByNumber(400);
    ASSERT_NE(refunds, nullptr);
    EXPECT_EQ(refunds->Name, "VAT");
    EXPECT_EQ(refunds->Side, SideCredit);
    EXPECT_EQ(refunds->CatType, 11);
    ASSERT_NE(Ledger.SubActList.FindPair(400, 1), nullptr);
    EXPECT_EQ(Ledger.SubActList.FindPair(400, 1)->Name, "Refund");
    EXPECT_EQ(Ledger.SubActList.FindPair(400, 1)->Side, SideCredit);
    CloseChanged();
    DocumentOnDisk disk(PathOf("NoRefunds.kqk"));
    EXPECT_EQ(disk.Files.Settings.GstRefundCat, 400);
    EXPECT_EQ(disk.Ledger.MainActList.Count(), 4);
    EXPECT_EQ(disk.Ledger.SubActList.Count(), 4);
}

// A document that lost its tax type as well: the refunds category is filed under a new one,
// and the document still opens once closed.
TEST_F(OlderGenerations, MissingRefundsCategoryWithoutATaxTypeGetsOne) {
    StreamMap s = NoRefundsDocument();
    TFileSettings settings;
    DecodeSettings(reinterpret_cast<const std::uint8_t*>(s["FileSettings"].data()), settings);
    settings.GstPaymentCat = -1;
    s["FileSettings"] = SettingsImage(settings);
    s["Categories"].resize(s["Categories"].size() - CatRecordSize);
    s["MainActs"] = Image(Category(100, "Sales", SideCredit, 0)) + Image(Category(200, "Rent", SideDebit, 6));
    s["SubActs"] = Image(SubCategory(100, 1, "Counter", SideCredit)) + Image(SubCategory(200, 1, "Office", SideDebit));
    s["KQ22FileInfo"] = CountsImage(CountsOf(s));
    WriteDocument(PathOf("NoTaxType.kqk"), s);
    ASSERT_TRUE(Open("NoTaxType.kqk").Opened) << Prompts.LastText();
    const TMainActRec* refunds = Ledger.MainActList.FindByNumber(Files.Settings.GstRefundCat);
    ASSERT_NE(refunds, nullptr);
    const TCatRec* type = Ledger.CatList.Find(refunds->CatType);
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->Kind, KindGstSystem);
    EXPECT_TRUE(type->Name == std::string_view("VAT"));
    CloseChanged();
    ASSERT_TRUE(Open("NoTaxType.kqk").Opened) << Prompts.LastText();
    EXPECT_EQ(Ledger.CatList.Count(), 12);
    EXPECT_NE(Ledger.MainActList.FindByNumber(Files.Settings.GstRefundCat), nullptr);
}

// The refunds category, its sub category and the settings that name it are one change: a
// crash at any of its writes leaves all of them or none.
TEST_F(OlderGenerations, TheRefundsCategoryIsAddedWhole) {
    int crashes = 0;
    for (int n = 1;; ++n) {
        SCOPED_TRACE(n);
        WriteDocument(PathOf("NoRefunds.kqk"), NoRefundsDocument());
        Faults.CrashAfterWrite(n);
        Open("NoRefunds.kqk");
        Files.Close(true, false);
        const bool crashed = Faults.Crashed();
        Faults.Clear();
        DocumentOnDisk disk(PathOf("NoRefunds.kqk"));
        ASSERT_TRUE(disk.Opened);
        const bool added = disk.Files.Settings.GstRefundCat == 400;
        EXPECT_EQ(disk.Ledger.MainActList.Count(), added ? 4 : 3);
        EXPECT_EQ(disk.Ledger.SubActList.Count(), added ? 4 : 3);
        if (!added) {
            EXPECT_EQ(disk.Files.Settings.GstRefundCat, -1);
        }
        if (!crashed) {
            EXPECT_TRUE(added);
            break;
        }
        ++crashes;
    }
    EXPECT_GT(crashes, 1);
}

// ---- The current generation ---------------------------------------------------------------

TEST_F(OlderGenerations, CurrentDocumentOpensAsItIsAndClosingUnchangedWritesNothing) {
    StreamMap s = CurrentDocument();
    TFileSettings settings;
    DecodeSettings(reinterpret_cast<const std::uint8_t*>(s["FileSettings"].data()), settings);
    settings.IsExample = 1;
    settings.ExampleDescFile = "Corner.txt";
    s["FileSettings"] = SettingsImage(settings);
    WriteDocument(PathOf("Now.kqk"), s);
    const std::string before = FileBytes(PathOf("Now.kqk"));
    const int writes = Faults.Count(cfb::FaultOp::Write);

    const auto result = Open("Now.kqk");
    ASSERT_TRUE(result.Opened) << Prompts.LastText();
    EXPECT_TRUE(result.ShowExample);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
    EXPECT_EQ(Wizard.TaxQuestions + Wizard.CompanyQuestions + Wizard.Wizards, 0);
    EXPECT_EQ(Ledger.TransList.Count(), 8);
    EXPECT_EQ(Ledger.MainActList.Count(), 4);
    EXPECT_EQ(Ledger.SubActList.Count(), 4);
    EXPECT_EQ(Ledger.GroupList.Count(), 1);
    EXPECT_EQ(Ledger.CatList.Count(), 12);
    ASSERT_EQ(Ledger.BookList.Count(), 2);
    EXPECT_EQ(Ledger.BookList.Items(1)->Name, "Cash");
    EXPECT_EQ(Ledger.BookList.Items(1)->OpeningTrans, TransNumbered(1));
    EXPECT_EQ(Files.Comment(), "books of the corner shop");
    EXPECT_EQ(TransNumbered(2)->Reference, "INV-1");
    EXPECT_EQ(TransNumbered(2)->Gst, Money::FromUnits(10));
    EXPECT_EQ(TransNumbered(6, 'B')->Amount, Money::FromUnits(20));
    EXPECT_EQ(Ledger.TransferList.Count(), 1);

    CloseQuietly();
    EXPECT_EQ(Faults.Count(cfb::FaultOp::Write), writes) << "nothing was written";
    EXPECT_EQ(FileBytes(PathOf("Now.kqk")), before);
}

// ---- New from an existing document ----------------------------------------------------------

TEST_F(OlderGenerations, NewFromExistingStartsWhereTheOldDocumentEnds) {
    StreamMap s = CurrentDocument();
    // The accounts in the user's order: Cash first.
    s["Books"] =
        Image(Account(1, "Cash", 1)) + Deleted(StreamBooks, Account(7, "Gone", -1)) + Image(Account(0, "Cheque", 0));
    TFileSettings settings;
    DecodeSettings(reinterpret_cast<const std::uint8_t*>(s["FileSettings"].data()), settings);
    settings.IsExample = 1;
    settings.ExampleDescFile = "Corner.txt";
    settings.GstOpeningBalance = Money::FromUnits(5);
    s["FileSettings"] = SettingsImage(settings);
    WriteDocument(PathOf("Old.kqk"), s);
    ASSERT_TRUE(Open("Old.kqk").Opened);

    std::vector<TTransRec> carried;
    for (const TTransRec* t : Ledger.TransList.KeyList)
        if (t->Number == 3 || t->Number == 6) {
            carried.push_back(*t);
            carried.back().Reconciled = 0;
        }
    ASSERT_EQ(carried.size(), 3u);
    const TDateTime start = EncodeDate(2026, 7, 1);
    const std::vector<Money> balances = {Money::FromCents(25050), Money::FromUnits(100)};

    EXPECT_FALSE(
        Convert2.NewFromExisting(PathOf("New.kqk"), PathOf("Old.kqk"), carried, balances, Money::FromUnits(30), start));
    EXPECT_EQ(Prompts.LastText(), "Can't execute New From Exisitng while a file is open");
    EXPECT_FALSE(std::filesystem::exists(PathOf("New.kqk")));
    CloseQuietly();

    ASSERT_TRUE(
        Convert2.NewFromExisting(PathOf("New.kqk"), PathOf("Old.kqk"), carried, balances, Money::FromUnits(30), start));
    EXPECT_EQ(Files.IsOpen, 0) << "nothing stays open";
    const auto result = Open("New.kqk");
    ASSERT_TRUE(result.Opened) << Prompts.LastText();
    EXPECT_FALSE(result.ShowExample);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();

    ASSERT_EQ(Ledger.TransList.Count(), 5);
    struct Expected {
        std::int32_t Number;
        char Split;
        std::uint8_t Kind;
        std::int16_t Book;
        Money Amount;
        std::uint8_t Reconciled;
    };
    const Expected expected[] = {
        {0, '0', TransOpening, 1, Money::FromCents(25050), 1}, // Cash comes first
        {1, '0', TransOpening, 0, Money::FromUnits(100), 1},
        {2, '0', TransDebit, 1, Money::FromUnits(500), 0}, // the rent
        {3, 'A', TransCredit, 0, Money::FromUnits(30), 0}, // the split keeps one number
        {3, 'B', TransDebit, 0, Money::FromUnits(20), 0},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(std::to_string(e.Number) + e.Split);
        const TTransRec* t = TransNumbered(e.Number, e.Split);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->Kind, e.Kind);
        EXPECT_EQ(t->Book, e.Book);
        EXPECT_EQ(t->Amount, e.Amount);
        EXPECT_EQ(t->Reconciled, e.Reconciled);
        EXPECT_EQ(t->Date, start);
    }
    EXPECT_EQ(TransNumbered(0)->MainAct, 0);
    EXPECT_EQ(TransNumbered(3, 'B')->MainAct, 200);
    ASSERT_EQ(Ledger.BookList.Count(), 2);
    EXPECT_EQ(Ledger.BookList.Items(0)->Name, "Cash");
    EXPECT_EQ(Ledger.BookList.Items(0)->OpeningTransNo, 0);
    EXPECT_EQ(Ledger.BookList.Items(0)->OpeningTrans, TransNumbered(0));
    EXPECT_EQ(Ledger.BookList.Items(1)->OpeningTransNo, 1);
    EXPECT_EQ(Files.Settings.GstOpeningBalance, Money::FromUnits(30));
    EXPECT_EQ(Files.Settings.IsExample, 0);
    EXPECT_EQ(Files.Settings.ExampleDescFile, "");
    EXPECT_EQ(Files.Settings.BusinessName, "Corner Shop");
    EXPECT_EQ(Files.Settings.GstRefundCat, 400);
    EXPECT_EQ(Files.Comment(), "books of the corner shop");
    EXPECT_EQ(Ledger.MainActList.Count(), 4);
    EXPECT_EQ(Ledger.SubActList.Count(), 4);
    EXPECT_EQ(Ledger.CatList.Count(), 12);
    CloseQuietly();
    EXPECT_EQ(cfb::testing::OleCheck(PathOf("New.kqk"), cfb::testing::ContentsOf(PathOf("New.kqk"))), "OK");
}

TEST_F(OlderGenerations, NewFromExistingNeedsAnAccountsStream) {
    WriteDocument(PathOf("Old.kqk"), Version1Document(true));
    const std::string before = FileBytes(PathOf("Old.kqk"));
    EXPECT_FALSE(Convert2.NewFromExisting(PathOf("New.kqk"), PathOf("Old.kqk"), {}, {}, Money(), Day));
    EXPECT_EQ(Texts(),
              std::vector<std::string>{"New files can only be created from Quillmar Zudeduze version 2.1 files."});
    EXPECT_FALSE(std::filesystem::exists(PathOf("New.kqk")));
    EXPECT_FALSE(std::filesystem::exists(cfb::TCompoundFile::JournalPath(PathOf("New.kqk"))));
    EXPECT_EQ(FileBytes(PathOf("Old.kqk")), before);
}

} // namespace
} // namespace qz::testing
