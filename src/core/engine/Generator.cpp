#include "Generator.h"

#include "Engine.h"
#include "ledger/DateTime.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace qz {

namespace {

// SplitMix64: fully specified, so the books are the same with every standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) : State(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (State += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::int64_t Below(std::int64_t n) { return n <= 0 ? 0 : static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(n)); }
    double Unit() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }
    bool Chance(double p) { return Unit() < p; }
    // Whole cents between low and high, spread evenly on a logarithmic scale.
    Money Amount(double low, double high) {
        const double value = std::exp(std::log(low) + Unit() * (std::log(high) - std::log(low)));
        return Money::FromCents(std::llround(value * 100));
    }

private:
    std::uint64_t State;
};

struct CategoryPlan {
    const char* Name;
    std::uint8_t Side;
    const char* Type; // the default category type it belongs to
    double Weight;    // how often it is used
    double Low, High; // typical amounts
};

const CategoryPlan Plans[] = {
    {"Sales", SideCredit, "General Income", 30, 20, 4000},
    {"Rent", SideDebit, "Overheads", 2, 1200, 2600},
    {"Stock", SideDebit, "Stock Purchased", 10, 50, 6000},
    {"Wages", SideDebit, "Wages", 6, 600, 3500},
    {"Services Income", SideCredit, "General Income", 8, 80, 2500},
    {"Motor Vehicle", SideDebit, "Overheads", 5, 20, 400},
    {"Telephone & Internet", SideDebit, "Overheads", 2, 40, 250},
    {"Advertising", SideDebit, "Overheads", 3, 30, 1500},
    {"Bank Fees", SideDebit, "Other Expenses", 3, 2, 60},
    {"Interest Received", SideCredit, "Other Income", 1, 1, 90},
    {"Office Supplies", SideDebit, "Overheads", 4, 5, 300},
    {"Insurance", SideDebit, "Overheads", 1, 200, 2400},
    {"Equipment", SideDebit, "Assets Purchased", 0.5, 300, 9000},
    {"Electricity", SideDebit, "Overheads", 1.5, 150, 900},
    {"Loan Funds", SideCredit, "Funds Injection", 0.2, 2000, 20000},
    {"Loan Repayments", SideDebit, "Funds Repayment", 1, 300, 1500},
    {"Equipment Sold", SideCredit, "Assets Sold", 0.2, 100, 3000},
    {"Company Tax", SideDebit, "Company Tax", 0.3, 500, 8000},
    {"Repairs", SideDebit, "Overheads", 2, 40, 1200},
    {"Commission Income", SideCredit, "Other Income", 1, 50, 900},
};

const char* const SubNames[] = {"General", "Local", "Online", "Wholesale", "Retail", "Contract", "Other", "Misc"};
const char* const GroupNames[] = {"General", "Shop", "Online", "Projects", "Events", "Markets", "Export", "Staff"};
const char* const AccountNames[] = {"Cheque Account", "Savings Account", "Credit Card", "Cash", "Business Online",
                                    "Term Deposit", "PayPal", "Petty Cash"};
const TColour AccountColours[] = {RGBColour(0, 128, 255), RGBColour(0, 170, 80), RGBColour(220, 60, 60),
                                  RGBColour(200, 160, 0), RGBColour(140, 80, 200), RGBColour(0, 150, 150)};
const char* const Notes[] = {"Paid by direct debit", "Quarterly account", "See invoice file", "Cash sale",
                             "Deposit taken", "Refund expected", "Annual renewal", "Paid in advance"};

// The name again with a running number once the list of names is used up ("Sales 2").
template <std::size_t N> std::string NameFor(const char* const (&names)[N], std::size_t i) {
    std::string name = names[i % N];
    if (i >= N) {
        name += ' ';
        name += std::to_string(i / N + 1);
    }
    return name;
}

class Builder {
public:
    Builder(TLedger& ledger, const TGeneratorOptions& options)
        : L(ledger), O(options), R(options.Seed), Start(EncodeDate(options.StartYear, 7, 1)),
          Days(std::max(1, options.Years) * 365) {}

    void Run() {
        L.Clear();
        L.TransList.Notify = 0;
        Types();
        Categories();
        Groups();
        Accounts();
        Transactions();
        L.TransList.Notify = 1;
        L.BookList.NumberRows();
        LinkRecords(L);
        L.TransList.SortByKey();
        L.TransList.RowList = L.TransList.KeyList;
        L.TransList.ResetRange(2);
        L.TransferList.Build(L.TransList);
        L.TotalsHooksActive = true;
    }

private:
    void Types() {
        L.CatList.AddDefaults();
        L.CatList.AddType(O.GstPercent.IsZero() ? "GST/VAT" : "GST", SideDebit, KindGstSystem, 0);
    }

    std::int32_t TypeNumber(const char* name) const {
        for (const TCatRec* t : L.CatList.KeyList)
            if (t->Name == std::string_view(name))
                return t->Number;
        return 0;
    }

    TMainActRec* AddCategory(std::int32_t number, const std::string& name, std::uint8_t side, std::int32_t type) {
        auto* c = new TMainActRec;
        c->Number = number;
        c->Name = name;
        c->Side = side;
        c->CatType = type;
        L.MainActList.Add(c);
        return c;
    }

    void AddSub(const TMainActRec& c, std::int32_t number, const std::string& name, bool taxed) {
        auto* s = new TSubActRec;
        s->Number = number;
        s->Name = name;
        s->Side = c.Side;
        s->MainAct = c.Number;
        s->GstPercent = taxed ? O.GstPercent : Money();
        L.SubActList.Add(s);
    }

    void Categories() {
        const std::int32_t count = std::max(2, O.Categories);
        const std::int32_t subs = std::max(1, O.SubCategoriesPerCategory);
        for (std::int32_t i = 0; i < count; ++i) {
            const CategoryPlan& plan = Plans[i % std::size(Plans)];
            std::string name = plan.Name;
            if (i >= static_cast<std::int32_t>(std::size(Plans))) {
                name += ' ';
                name += std::to_string(i / std::size(Plans) + 1);
            }
            const std::int32_t typeNumber = TypeNumber(plan.Type);
            TMainActRec* c = AddCategory((i + 1) * 100, name, plan.Side, typeNumber);
            const bool taxed = !TCatList::NoGstByDefault(*L.CatList.FindByNumber(typeNumber)) && !O.GstPercent.IsZero();
            for (std::int32_t s = 0; s < subs; ++s)
                AddSub(*c, s + 1, SubNames[s % std::size(SubNames)], taxed && !(s == 0 && plan.Weight < 2));
            Weights.push_back(plan.Weight);
            Ranges.push_back({plan.Low, plan.High});
            Ordinary.push_back(c);
            WeightSum += plan.Weight;
        }
        const std::int32_t gstType = TypeNumber("GST") ? TypeNumber("GST") : TypeNumber("GST/VAT");
        const char* tax = O.GstPercent.IsZero() ? "GST/VAT" : "GST";
        TMainActRec* payments = AddCategory((count + 1) * 100, tax, SideDebit, gstType);
        AddSub(*payments, 1, "Payments", false);
        TMainActRec* refunds = AddCategory((count + 2) * 100, tax, SideCredit, gstType);
        AddSub(*refunds, 1, "Refunds", false);
        L.GstPaymentCat = payments->Number;
        L.GstRefundCat = refunds->Number;
    }

    void Groups() {
        for (std::int32_t i = 0; i < std::max(1, O.Groups); ++i) {
            L.GroupList.AddNamed(NameFor(GroupNames, static_cast<std::size_t>(i)));
        }
    }

    void Accounts() {
        for (std::int32_t i = 0; i < std::max(1, O.Accounts); ++i) {
            auto* b = new TBookRec;
            b->Number = i;
            b->Name = NameFor(AccountNames, static_cast<std::size_t>(i));
            b->Colour = AccountColours[i % std::size(AccountColours)];
            L.BookList.Add(b);
        }
    }

    TTransRec* NewTrans(std::uint8_t kind, TDateTime date, std::int16_t book) {
        auto* t = new TTransRec;
        t->Kind = kind;
        t->Date = date;
        t->Book = book;
        return t;
    }

    void Append(TTransRec* t) {
        // The recent past is where unreconciled items gather: a bank statement has not come yet.
        const double age = (Start + Days - t->Date) / Days;
        t->Reconciled = R.Chance(O.UnreconciledShare * (age < 0.05 ? 12 : 0.4)) ? 0 : 1;
        L.TransList.Add(t);
        ++Made;
    }

    std::size_t PickCategory() {
        double pick = R.Unit() * WeightSum;
        for (std::size_t i = 0; i < Weights.size(); ++i) {
            pick -= Weights[i];
            if (pick < 0)
                return i;
        }
        return Weights.size() - 1;
    }

    std::int16_t PickAccount() {
        // Most business runs through the first account.
        const std::int32_t accounts = L.BookList.Count();
        return static_cast<std::int16_t>(accounts == 1 || R.Chance(0.7) ? 0 : R.Below(accounts));
    }

    void FillOrdinary(TTransRec& t, std::size_t category, Money amount) {
        const TMainActRec& c = *Ordinary[category];
        t.Kind = c.Side == SideCredit ? TransCredit : TransDebit;
        t.MainAct = c.Number;
        t.SubAct = static_cast<std::int32_t>(1 + R.Below(std::max(1, O.SubCategoriesPerCategory)));
        t.Group = static_cast<std::uint16_t>(R.Below(std::max(1, O.Groups)));
        t.Amount = amount;
        const TSubActRec* sub = L.SubActList.FindPair(t.MainAct, t.SubAct);
        t.Gst = sub ? TaxOfGross(amount, sub->GstPercent) : Money();
    }

    void Ordinary1(TDateTime date, std::int32_t number) {
        const std::int16_t book = PickAccount();
        const std::size_t category = PickCategory();
        const std::int32_t parts = R.Chance(0.05) ? static_cast<std::int32_t>(2 + R.Below(2)) : 1;
        std::string reference;
        if (R.Chance(0.6))
            reference = (Ordinary[category]->Side == SideCredit ? "INV" : "CHQ") + std::to_string(1000 + number % 9000);
        std::string note = R.Chance(0.1) ? Notes[R.Below(std::size(Notes))] : "";
        TTransRec* first = nullptr;
        std::int32_t made = 0;
        for (std::int32_t part = 0; part < parts && Made < O.Transactions; ++part, ++made) {
            TTransRec* t = NewTrans(TransCredit, date, book);
            t->Number = number;
            t->Split = parts == 1 ? '0' : static_cast<char>('A' + part);
            const std::size_t c = part == 0 ? category : SameSide(category);
            FillOrdinary(*t, c, R.Amount(Ranges[c].first, Ranges[c].second));
            t->Reference = reference;
            t->Notes = note;
            Append(t);
            first = first ? first : t;
        }
        // A split cut short by the count to a single part is no split.
        if (made == 1)
            first->Split = '0';
    }

    std::size_t SameSide(std::size_t category) {
        for (int tries = 0; tries < 8; ++tries) {
            const std::size_t c = PickCategory();
            if (Ordinary[c]->Side == Ordinary[category]->Side)
                return c;
        }
        return category;
    }

    void Transfer(TDateTime date, std::int32_t number) {
        const std::int32_t accounts = L.BookList.Count();
        const auto from = static_cast<std::int16_t>(R.Below(accounts));
        auto to = static_cast<std::int16_t>(R.Below(accounts - 1));
        if (to >= from)
            ++to;
        const Money amount = R.Amount(50, 5000);
        TTransRec* out = NewTrans(TransTo, date, from);
        out->Number = number;
        out->MainAct = number + 1;
        out->Group = static_cast<std::uint16_t>(to);
        out->Amount = amount;
        out->Reference = "TFR";
        out->Notes = "Transfer";
        TTransRec* in = NewTrans(TransFrom, date, to);
        in->Number = number + 1;
        in->MainAct = number;
        in->Group = static_cast<std::uint16_t>(from);
        in->Amount = amount;
        in->Reference = "TFR";
        Append(out);
        in->Reconciled = out->Reconciled;
        L.TransList.Add(in);
        ++Made;
    }

    void TaxPayment(TDateTime date, std::int32_t number) {
        TTransRec* t = NewTrans(TransDebit, date, 0);
        t->Number = number;
        t->MainAct = L.GstPaymentCat;
        t->SubAct = 1;
        t->Amount = R.Amount(300, 4000);
        t->Reference = "BAS";
        Append(t);
    }

    void Transactions() {
        std::int32_t number = 1;
        for (TBookRec* b : L.BookList.KeyList) {
            if (Made >= O.Transactions)
                break;
            TTransRec* t = NewTrans(TransOpening, Start, static_cast<std::int16_t>(b->Number));
            t->Number = number++;
            t->Amount = b->Name == "Credit Card" ? -R.Amount(100, 2000) : R.Amount(500, 20000);
            b->OpeningTransNo = t->Number;
            Append(t);
            t->Reconciled = 1;
        }
        const std::int64_t remaining = std::max<std::int64_t>(1, O.Transactions - Made);
        // Splits and transfers make more than one record a step; spread the steps over the whole span.
        const double step = 1.1 * static_cast<double>(Days) / static_cast<double>(remaining);
        double clock = 0;
        std::int32_t lastQuarter = 0;
        const bool twoAccounts = L.BookList.Count() > 1;
        while (Made < O.Transactions) {
            const TDateTime date = Start + std::min<double>(Days - 1, std::floor(clock));
            const auto quarter = static_cast<std::int32_t>((date - Start) / 91);
            if (quarter != lastQuarter && !O.GstPercent.IsZero()) {
                lastQuarter = quarter;
                TaxPayment(date, number++);
            } else if (twoAccounts && Made + 1 < O.Transactions && R.Chance(0.05)) {
                Transfer(date, number);
                number += 2;
            } else {
                Ordinary1(date, number++);
            }
            clock += step * (0.5 + R.Unit());
        }
    }

    TLedger& L;
    const TGeneratorOptions& O;
    Random R;
    TDateTime Start;
    std::int32_t Days;
    std::int32_t Made = 0;
    std::vector<double> Weights;
    std::vector<std::pair<double, double>> Ranges;
    std::vector<TMainActRec*> Ordinary;
    double WeightSum = 0;
};

} // namespace

void GenerateLedger(TLedger& ledger, const TGeneratorOptions& options) { Builder(ledger, options).Run(); }

} // namespace qz
