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

// An example's names for the generator's first sixteen categories, each with its three sub
// categories, and for its groups and accounts.
struct ExampleCategory {
    const char* Name;
    std::array<const char*, 3> Subs;
};

const ExampleCategory CafeCategories[] = {
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

// A sole trader's plumbing and heating business: the generator's sales are the jobs, its
// services income the heating work, its loan funds the owner's capital and its loan
// repayments the owner's drawings. The first sub category of a category used seldom carries
// no VAT, which suits insurance (exempt) and drawings.
const ExampleCategory PlumberCategories[] = {
    {"Plumbing Jobs", {"Call-outs & Repairs", "Bathroom Installs", "Emergency Work"}},
    {"Workshop Rent", {"Rent", "Business Rates", "Storage Unit"}},
    {"Materials & Parts", {"Pipe & Fittings", "Boilers & Radiators", "Bathroom Suites"}},
    {"Apprentice Wages", {"Wages", "Employer's NI", "Pension"}},
    {"Heating Services", {"Boiler Servicing", "Gas Safety Certificates", "Power Flushing"}},
    {"Van Costs", {"Diesel", "Servicing & Tyres", "Parking & Tolls"}},
    {"Phone & Internet", {"Mobile", "Broadband", "Job Booking App"}},
    {"Advertising", {"Trade Directories", "Website", "Van Signwriting"}},
    {"Bank & Card Fees", {"Account Fees", "Card Reader", "Payment Links"}},
    {"Interest Received", {"Savings", "Notice Account", "Other"}},
    {"Consumables & Workwear", {"Sealants & Fixings", "Workwear", "Small Tools"}},
    {"Insurance", {"Public Liability", "Van Insurance", "Tools Cover"}},
    {"Equipment", {"Power Tools", "Drain Camera", "Pipe Freezing Kit"}},
    {"Workshop Utilities", {"Electricity", "Gas", "Water"}},
    {"Owner's Capital", {"Owner", "Van Loan", "Other"}},
    {"Owner's Drawings", {"Drawings", "Van Loan", "Other"}},
};

const char* const PlumberGroups[] = {"General", "Domestic", "Landlords", "Commercial"};
const char* const PlumberAccounts[] = {"Business Current", "Business Savings", "Credit Card"};

template <std::size_t C, std::size_t G>
void NameCategories(TLedger& ledger, const ExampleCategory (&categories)[C], const char* const (&groups)[G]) {
    for (std::size_t i = 0; i < C; ++i) {
        const auto number = static_cast<std::int32_t>((i + 1) * 100);
        if (TMainActRec* category = ledger.MainActList.FindByNumber(number))
            category->Name = categories[i].Name;
        for (std::int32_t sub = 1; sub <= 3; ++sub)
            if (TSubActRec* record = ledger.SubActList.FindPair(number, sub))
                record->Name = categories[i].Subs[static_cast<std::size_t>(sub - 1)];
    }
    for (std::size_t i = 0; i < G; ++i)
        if (TGroupRec* group = ledger.GroupList.Find(static_cast<std::int32_t>(i)))
            group->Name = groups[i];
}

// Every amount of one category times numerator / denominator, its tax worked out again.
void ScaleCategory(TLedger& ledger, std::int32_t category, std::int64_t numerator, std::int64_t denominator) {
    for (TTransRec* t : ledger.TransList.KeyList) {
        if (!t->IsOrdinary() || t->MainAct != category)
            continue;
        t->Amount = RoundCents(MulDiv(t->Amount, Money::FromUnits(numerator), Money::FromUnits(denominator)));
        t->Gst = t->SubActRec ? TaxOfGross(t->Amount, t->SubActRec->GstPercent) : Money();
    }
}

// A café lives on its takings: the generator's general mix of sales and costs would leave it
// losing money, so the takings grow by four fifths.
void RaiseMainIncome(TLedger& ledger) {
    ScaleCategory(ledger, 100, 9, 5);
}

// Each quarter's VAT payment settles what the quarter before it collected less what it paid on
// purchases; a quarter that paid out more is a refund.
void SettleVatQuarters(TLedger& ledger) {
    Money owed;
    for (TTransRec* t : ledger.TransList.KeyList) {
        if (!t->IsOrdinary())
            continue;
        if (t->MainAct == ledger.GstPaymentCat) {
            const bool refund = owed < Money();
            t->Kind = refund ? TransCredit : TransDebit;
            t->MainAct = refund ? ledger.GstRefundCat : ledger.GstPaymentCat;
            t->MainActRec = ledger.MainActList.FindByNumber(t->MainAct);
            t->SubActRec = ledger.SubActList.FindPair(t->MainAct, 1);
            t->Amount = refund ? -owed : owed;
            t->Gst = Money();
            owed = Money();
            continue;
        }
        owed += t->Kind == TransCredit ? t->Gst : -t->Gst;
    }
}

// The plumber's accounts, and the quarterly VAT return as the reference of each payment.
void NameForPlumber(TLedger& ledger) {
    NameCategories(ledger, PlumberCategories, PlumberGroups);
    for (std::size_t i = 0; i < std::size(PlumberAccounts); ++i)
        if (TBookRec* account = ledger.BookList.Find(static_cast<std::int32_t>(i)))
            account->Name = PlumberAccounts[i];
    for (TTransRec* t : ledger.TransList.KeyList)
        if (t->Kind == TransDebit && t->MainAct == ledger.GstPaymentCat)
            t->Reference = "VAT Return";
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
    NameCategories(ledger, CafeCategories, CafeGroups);
    RaiseMainIncome(ledger);
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

void PlumberExampleDocument(TLedger& ledger, TDocumentContent& content) {
    TGeneratorOptions options;
    options.Seed = 20240702;
    options.Transactions = 420;
    options.Accounts = static_cast<std::int32_t>(std::size(PlumberAccounts));
    options.Categories = static_cast<std::int32_t>(std::size(PlumberCategories));
    options.SubCategoriesPerCategory = 3;
    options.Groups = static_cast<std::int32_t>(std::size(PlumberGroups));
    options.Years = 1;
    options.StartYear = 2024;
    options.GstPercent = Money::FromUnits(20);
    GenerateLedger(ledger, options);
    NameTax(ledger, "VAT");
    NameForPlumber(ledger);
    // One apprentice, not a payroll; and a sole trader lives on his drawings.
    ScaleCategory(ledger, 400, 1, 3);
    ScaleCategory(ledger, 1600, 4, 1);
    SettleVatQuarters(ledger);
    content = TDocumentContent{};
    TaxSettings(ledger, options.GstPercent, "VAT", content.Settings);
    content.Settings.BusinessName = "Ashby Plumbing & Heating";
    content.Settings.BusinessNumber = "GB 284 6193 57";
    content.Settings.IsExample = 1;
    content.Settings.ExampleDescFile = PlumberExampleDescFileName;
    content.Comment = "Example books: a year of a sole trader's plumbing and heating business, from July 2024 to "
                      "June 2025, registered for VAT at 20%. Try the worksheet tabs, the date range and the reports "
                      "on it; save your own books in a new file.";
}

bool ExampleDocumentNamed(const std::string& name, TLedger& ledger, TDocumentContent& content) {
    if (name == "cafe")
        ExampleDocument(ledger, content);
    else if (name == "plumber")
        PlumberExampleDocument(ledger, content);
    else
        return false;
    return true;
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
