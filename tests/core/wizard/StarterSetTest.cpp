// The document the new file wizard makes: categories numbered by side and typed, their sub
// categories, the accounts with their opening balances, the tax categories out of the way, a
// backup at once; and nothing at all left behind when any step fails.

#include "wizard/StarterSet.h"

#include "storage/DocumentFixture.h"

#include <filesystem>

namespace qz::testing {
namespace {

TStarterCategory Cat(const std::string& name, std::uint8_t side, const std::string& type,
                     std::vector<std::string> subs = {}) {
    return {name, side, type, std::move(subs)};
}

std::vector<TStarterCategory> Sides(int credits, int debits) {
    std::vector<TStarterCategory> categories;
    for (int i = 0; i < credits; ++i)
        categories.push_back(Cat("C" + std::to_string(100 + i), SideCredit, "General Income"));
    for (int i = 0; i < debits; ++i)
        categories.push_back(Cat("D" + std::to_string(100 + i), SideDebit, "Overheads"));
    return categories;
}

TEST(StarterNumbers, CountBySide) {
    struct Case {
        int Credits;
        int Debits;
        std::vector<std::int32_t> Numbers;
    } cases[] = {
        {3, 2, {100, 200, 300, 2000, 2100}},
        {0, 3, {1000, 1100, 1200}},
        {10, 1, {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 2000}},
        {11, 1, {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100, 3000}},
        {2, 0, {100, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Credits) + " credits, " + std::to_string(c.Debits) + " debits");
        EXPECT_EQ(StarterCategoryNumbers(Sides(c.Credits, c.Debits)), c.Numbers);
    }
}

TEST(WizardFileName, DropsWhatAFileNameCannotHold) {
    EXPECT_EQ(WizardFileNameText("My \"Shop\": 2026/27 <a*b?c|d\\e>.x"), "My Shop 202627 abcde.x");
}

class StarterSet : public DocumentFixture {
protected:
    StarterSet() { Questions.Tax = TTaxChoice{}; }

    TStarterSet Choices() const {
        TStarterSet set;
        set.BusinessName = "Wattle Plumbing";
        set.BusinessNumber = "51 824 753 556";
        // Given out of order: the document numbers credits by name, then debits by name.
        set.Categories = {
            Cat("Wages paid", SideDebit, "Wages", {"Apprentice"}),
            Cat("Call-out fees", SideCredit, "General Income", {"Weekend", "After hours"}),
            Cat("materials", SideDebit, "Stock Purchased", {"Pipe", "Fittings", "Copper"}),
            Cat("Interest", SideCredit, "Other Income"),
            Cat("A very long category name that goes past forty characters", SideCredit, "Funds Injection"),
        };
        set.Accounts = {{"Business Cheque", RGBColour(0, 0, 128), EncodeDate(2026, 7, 1), Money::FromCents(152050)},
                        {"Cash Tin", RGBColour(128, 0, 0), EncodeDate(2026, 7, 2), Money::FromCents(20000)},
                        {"Overdraft", RGBColour(0, 128, 0), EncodeDate(2026, 6, 30), Money::FromCents(-5000)}};
        return set;
    }

    bool Create(const TStarterSet& set) {
        return CreateStarterDocument(Convert, Files, Ledger, Prompts, PathOf("Plumbing.kqk"), set);
    }

    std::vector<std::string> FilesInFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Folder.Path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(StarterSet, IsWrittenAndReadBackFromDisk) {
    ASSERT_TRUE(Create(Choices())) << Prompts.LastText();
    EXPECT_FALSE(Files.IsOpen);
    // The backup is made at once.
    EXPECT_EQ(FilesInFolder(), (std::vector<std::string>{"Plumbing.kqk", "Plumbing.~bk"}));

    DocumentOnDisk disk(PathOf("Plumbing.kqk"));
    ASSERT_TRUE(disk.Opened);
    const TLedger& l = disk.Ledger;
    EXPECT_EQ(disk.Files.Settings.BusinessName, "Wattle Plumbing");
    EXPECT_EQ(disk.Files.Settings.BusinessNumber, "51 824 753 556");

    std::vector<std::string> categories;
    for (const TMainActRec* c : l.MainActList.KeyList) {
        const TCatRec* type = l.CatList.Find(c->CatType);
        categories.push_back(std::to_string(c->Number) + " " + c->Name.Str() + " " + std::to_string(c->Side) + " " +
                             (type ? type->Name.Str() : "?"));
    }
    EXPECT_EQ(categories, (std::vector<std::string>{
                              "100 A very long category name that goes past 1 Funds Injection",
                              "200 Call-out fees 1 General Income",
                              "300 Interest 1 Other Income",
                              "2000 materials 2 Stock Purchased",
                              "2100 Wages paid 2 Wages",
                              "2200 GST 2 GST",
                              "2300 GST 1 GST",
                          }));
    EXPECT_EQ(disk.Files.Settings.GstPaymentCat, 2200);
    EXPECT_EQ(disk.Files.Settings.GstRefundCat, 2300);

    std::vector<std::string> subs;
    for (const TSubActRec* s : l.SubActList.KeyList)
        subs.push_back(std::to_string(s->MainAct) + "." + std::to_string(s->Number) + " " + s->Name.Str() + " " +
                       std::to_string(s->Side) + " " + std::to_string(s->GstPercent.Raw()) + " [" + s->Notes + "]");
    EXPECT_EQ(subs, (std::vector<std::string>{
                        "200.1 After hours 1 100000 []",
                        "200.2 Weekend 1 100000 []",
                        "2000.1 Copper 2 100000 []",
                        "2000.2 Fittings 2 100000 []",
                        "2000.3 Pipe 2 100000 []",
                        "2100.1 Apprentice 2 0 []",
                        "2200.1 Payment 2 0 []",
                        "2300.1 Refund 1 0 []",
                    }));

    // The first account is the one every new document starts with, renamed.
    std::vector<std::string> accounts;
    for (const TBookRec* b : l.BookList.KeyList) {
        const TTransRec* opening = nullptr;
        for (const TTransRec* t : l.TransList.KeyList)
            if (t->Number == b->OpeningTransNo)
                opening = t;
        ASSERT_NE(opening, nullptr) << b->Name.Str();
        accounts.push_back(std::to_string(b->Number) + " " + b->Name.Str() + " " + std::to_string(b->Colour) + " " +
                           std::to_string(static_cast<int>(opening->Kind)) + " " + std::to_string(opening->Book) + " " +
                           IsoDateText(opening->Date) + " " + std::to_string(opening->Amount.Raw()));
    }
    EXPECT_EQ(accounts, (std::vector<std::string>{
                            "0 Business Cheque " + std::to_string(RGBColour(0, 0, 128)) + " 3 0 2026-07-01 15205000",
                            "1 Cash Tin " + std::to_string(RGBColour(128, 0, 0)) + " 3 1 2026-07-02 2000000",
                            "2 Overdraft " + std::to_string(RGBColour(0, 128, 0)) + " 3 2 2026-06-30 -500000",
                        }));
    EXPECT_EQ(l.TransList.Count(), 3);
}

TEST_F(StarterSet, AnExistingFileIsNeverTouched) {
    WriteDocument(PathOf("Plumbing.kqk"), {{"Anything", "kept"}});
    const std::string before = FileBytes(PathOf("Plumbing.kqk"));
    EXPECT_FALSE(Create(Choices()));
    EXPECT_EQ(FileBytes(PathOf("Plumbing.kqk")), before);
}

TEST_F(StarterSet, ANameTakenByTheTaxCategoryLeavesNoFile) {
    TStarterSet set = Choices();
    set.Categories.push_back(Cat("gst", SideDebit, "Overheads"));
    EXPECT_FALSE(Create(set));
    EXPECT_EQ(Prompts.LastText(),
              "The name 'GST' is already being used by the GST/VAT category.  Please rename your 'gst' Category.");
    EXPECT_TRUE(FilesInFolder().empty());
}

// A write that fails anywhere, given up: no file is left. Once no write fails, the whole set
// is there.
TEST_F(StarterSet, AFailureAnywhereLeavesNoFile) {
    for (int n = 1;; ++n) {
        SCOPED_TRACE(n);
        Ledger.Clear();
        Faults.Clear();
        Faults.FailAt(cfb::FaultOp::Write, n, ENOSPC, true);
        for (int i = 0; i < 40; ++i)
            Prompts.QueueAnswer(MsgResult::Cancel);
        const bool created = Create(Choices());
        Faults.Clear();
        Prompts = ScriptedPrompts();
        if (!created) {
            EXPECT_TRUE(FilesInFolder().empty());
            continue;
        }
        EXPECT_GT(n, 10);
        DocumentOnDisk disk(PathOf("Plumbing.kqk"));
        ASSERT_TRUE(disk.Opened);
        EXPECT_EQ(disk.Ledger.MainActList.Count(), 7);
        EXPECT_EQ(disk.Ledger.SubActList.Count(), 8);
        EXPECT_EQ(disk.Ledger.BookList.Count(), 3);
        break;
    }
}

} // namespace
} // namespace qz::testing
