#include "GeneratedDocument.h"

#include "platform/Clock.h"
#include "storage/FileManager.h"

#include <array>

namespace qz {

namespace {

// The tax system type and the two tax categories carry the tax's name.
void NameTax(TLedger& ledger, const std::string& taxName) {
    for (TCatRec* type : ledger.CatList.KeyList)
        if (type->Kind == KindGstSystem)
            type->Name = taxName;
    for (TMainActRec* category : ledger.MainActList.KeyList)
        if (category->Number == ledger.GstPaymentCat || category->Number == ledger.GstRefundCat)
            category->Name = taxName;
}

void TaxSettings(const TLedger& ledger, Money percent, const std::string& taxName, TFileSettings& settings) {
    settings.TaxOn = percent.IsZero() ? 0 : 1;
    settings.TaxName = percent.IsZero() ? std::string() : taxName;
    // A document that tracks no tax keeps the percentage its tax questions would offer.
    settings.GstPercent = percent.IsZero() ? Money::FromUnits(10) : percent;
    settings.GstPaymentCat = ledger.GstPaymentCat;
    settings.GstRefundCat = ledger.GstRefundCat;
}

// The café's names for the generator's first sixteen categories, each with its three sub categories.
struct CafeCategory {
    const char* Name;
    std::array<const char*, 3> Subs;
};

const CafeCategory CafeCategories[] = {
    {"Caf\xE9 Takings", {"Counter", "Takeaway", "Catering Orders"}},
    {"Shop Rent", {"Rent", "Outgoings", "Storage"}},
    {"Food & Coffee Stock", {"Coffee Beans", "Milk & Dairy", "Bakery"}},
    {"Wages", {"Baristas", "Kitchen", "Casual Staff"}},
    {"Catering & Events", {"Functions", "Office Catering", "Markets"}},
    {"Delivery Van", {"Fuel", "Servicing", "Registration"}},
    {"Telephone & Internet", {"Phone", "Internet", "Point of Sale"}},
    {"Advertising", {"Social Media", "Flyers", "Signage"}},
    {"Bank & Card Fees", {"Account Fees", "Card Terminal", "Merchant Fees"}},
    {"Interest Received", {"Savings", "Term Deposit", "Other"}},
    {"Cups & Packaging", {"Cups & Lids", "Napkins", "Bags"}},
    {"Insurance", {"Public Liability", "Contents", "Workers Compensation"}},
    {"Kitchen Equipment", {"Espresso Machine", "Grinders", "Furniture"}},
    {"Electricity & Gas", {"Electricity", "Gas", "Water"}},
    {"Owner's Loan", {"Owner", "Family", "Other"}},
    {"Loan Repayments", {"Owner", "Bank", "Other"}},
};

const char* const CafeGroups[] = {"General", "Counter", "Catering", "Markets"};

void NameForCafe(TLedger& ledger) {
    for (std::size_t i = 0; i < std::size(CafeCategories); ++i) {
        const auto number = static_cast<std::int32_t>((i + 1) * 100);
        if (TMainActRec* category = ledger.MainActList.FindByNumber(number))
            category->Name = CafeCategories[i].Name;
        for (std::int32_t sub = 1; sub <= 3; ++sub)
            if (TSubActRec* record = ledger.SubActList.FindPair(number, sub))
                record->Name = CafeCategories[i].Subs[static_cast<std::size_t>(sub - 1)];
    }
    for (std::size_t i = 0; i < std::size(CafeGroups); ++i)
        if (TGroupRec* group = ledger.GroupList.Find(static_cast<std::int32_t>(i)))
            group->Name = CafeGroups[i];
}

// A café's takings carry it: the generator's general mix of sales and costs would leave it
// losing money, so the counter's takings grow by four fifths, their tax worked out again.
void RaiseTakings(TLedger& ledger) {
    for (TTransRec* t : ledger.TransList.KeyList) {
        if (t->Kind != TransCredit || t->MainAct != 100)
            continue;
        t->Amount = RoundCents(MulDiv(t->Amount, Money::FromUnits(9), Money::FromUnits(5)));
        t->Gst = t->SubActRec ? TaxOfGross(t->Amount, t->SubActRec->GstPercent) : Money();
    }
}

// The file manager needs someone to ask; generated documents have nothing to ask about.
class NoQuestions : public DocumentQuestions {
public:
    bool AskPassword(const std::string&) override { return false; }
    TTaxChoice AskTaxChoice() override { return {}; }
    bool AskCompanyDetails(std::string&, std::string&) override { return false; }
    bool ConvertWizard(TCatList&, std::string&) override { return false; }
};

} // namespace

void GenerateDocument(TLedger& ledger, const TGeneratorOptions& options, const std::string& taxName,
                      TDocumentContent& content) {
    GenerateLedger(ledger, options);
    if (!options.GstPercent.IsZero())
        NameTax(ledger, taxName);
    content = TDocumentContent{};
    TaxSettings(ledger, options.GstPercent, taxName, content.Settings);
    content.Settings.BusinessName = "Generated Books";
    content.Comment = "Generated books: " + std::to_string(options.Transactions) + " transactions, seed " +
                      std::to_string(options.Seed) + ".";
}

void ExampleDocument(TLedger& ledger, TDocumentContent& content) {
    TGeneratorOptions options;
    options.Seed = 20240701;
    options.Transactions = 480;
    options.Accounts = 3;
    options.Categories = static_cast<std::int32_t>(std::size(CafeCategories));
    options.SubCategoriesPerCategory = 3;
    options.Groups = static_cast<std::int32_t>(std::size(CafeGroups));
    options.Years = 1;
    options.StartYear = 2024;
    options.GstPercent = Money::FromUnits(10);
    GenerateLedger(ledger, options);
    NameForCafe(ledger);
    RaiseTakings(ledger);
    content = TDocumentContent{};
    TaxSettings(ledger, options.GstPercent, "GST", content.Settings);
    content.Settings.BusinessName = "Wattle Lane Caf\xE9";
    content.Settings.BusinessNumber = "12 345 678 901";
    content.Settings.IsExample = 1;
    content.Settings.ExampleDescFile = ExampleDescFileName;
    content.Comment = "Example books: the first year of a small caf\xE9, from July 2024 to June 2025, with GST at "
                      "10%. Try the worksheet tabs, the date range and the reports on it; save your own books in a "
                      "new file.";
}

bool WriteGeneratedDocument(const std::string& path, TLedger& ledger, const TDocumentContent& content,
                            Prompts& prompts) {
    NoQuestions questions;
    SystemClock clock;
    TFileManager files(ledger, prompts, questions, clock);
    files.Settings = content.Settings;
    files.SetComment(content.Comment);
    const bool written = files.WriteDocument(path);
    files.Close(false, false);
    return written;
}

} // namespace qz
