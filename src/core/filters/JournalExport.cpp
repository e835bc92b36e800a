#include "JournalExport.h"

#include "ExportText.h"
#include "ledger/Cp1252.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace qz {

std::string JournalAccountName(const std::string& cp1252Name) {
    const std::string utf8 = OneLine(Cp1252ToUtf8(cp1252Name));
    std::string name;
    for (char c : utf8) {
        if (c == ':')
            c = '-';
        else if (c == '\t' || c == ';')
            c = c == ';' ? ',' : ' ';
        if (c == ' ' && (name.empty() || name.back() == ' '))
            continue;
        name += c;
    }
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    // A bracket first would make the posting virtual.
    while (!name.empty() && (name.front() == '(' || name.front() == '['))
        name.erase(0, 1);
    return name.empty() ? "Unnamed" : name;
}

namespace {

constexpr const char* OpeningAccount = "Equity:Opening Balances";
constexpr const char* UnmatchedAccount = "Equity:Unmatched Transfers";

// A description or a code on the transaction's first line, where ';' would open a comment.
std::string LineText(const std::string& cp1252) {
    std::string text = OneLine(Cp1252ToUtf8(cp1252));
    std::replace(text.begin(), text.end(), ';', ',');
    std::replace(text.begin(), text.end(), '\t', ' ');
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

class JournalWriter {
public:
    JournalWriter(const TLedger& ledger, const TJournalOptions& options, std::ostream& out)
        : L(ledger), O(options), Out(out),
          TaxAccount("Liabilities:" + JournalAccountName(options.TaxName.empty() ? "GST-VAT" : options.TaxName)) {
        NameAccounts();
        PairTransfers();
    }

    void Run() {
        if (!O.Title.empty())
            Out << "; " << LineText(O.Title) << "\n";
        Out << "; every amount in " << O.Commodity << "\n";
        const auto& records = L.TransList.KeyList;
        if (!O.TaxOpeningBalance.IsZero() && !records.empty())
            TaxOpening(records.front()->Date);
        for (std::size_t i = 0; i < records.size(); ++i) {
            const TTransRec* t = records[i];
            switch (t->Kind) {
            case TransOpening:
                Opening(*t);
                break;
            case TransTo:
                if (auto pair = InOf.find(t); pair != InOf.end())
                    Transfer(*t, *pair->second);
                else
                    Unmatched(*t);
                break;
            case TransFrom:
                if (!PairedIns.count(t))
                    Unmatched(*t);
                break;
            default:
                Ordinary(SplitParts(records, i));
            }
        }
    }

private:
    void NameAccounts() {
        std::set<std::string> taken;
        for (const TBookRec* book : L.BookList.KeyList) {
            std::string name = "Assets:" + JournalAccountName(book->Name.Str());
            if (!taken.insert(name).second) {
                name += " #" + std::to_string(book->Number);
                taken.insert(name);
            }
            AssetNames[book] = name;
        }
    }

    std::string Asset(const TBookRec* book) const {
        auto it = AssetNames.find(book);
        return it == AssetNames.end() ? std::string("Assets:Unknown") : it->second;
    }

    bool IsTaxCategory(const TTransRec& t) const {
        if (t.MainAct == L.GstPaymentCat || t.MainAct == L.GstRefundCat)
            return true;
        const TCatRec* type = t.MainActRec ? L.CatList.Find(t.MainActRec->CatType) : nullptr;
        return type && type->Kind == KindGstSystem;
    }

    std::string CategoryAccount(const TTransRec& t) const {
        if (IsTaxCategory(t))
            return TaxAccount;
        const TMainActRec* category = t.MainActRec;
        std::string name = category && category->Side == SideCredit ? "Income:" : "Expenses:";
        name += category ? JournalAccountName(category->Name.Str()) : std::to_string(t.MainAct);
        if (t.SubActRec) {
            name += ':';
            name += JournalAccountName(t.SubActRec->Name.Str());
        }
        return name;
    }

    std::string Amount(Money value) const {
        const std::string digits = PlainAmount(value.Abs());
        return (value < Money() ? "-" : "") + O.Commodity + digits;
    }

    void Header(TDateTime date, bool cleared, const std::string& code, std::string description) {
        if (!description.empty() && description.front() == '(')
            description.front() = '[';
        Out << '\n' << IsoDateText(date) << (cleared ? " * " : " ! ");
        std::string reference = LineText(code);
        std::replace(reference.begin(), reference.end(), ')', ']');
        if (!reference.empty())
            Out << '(' << reference << ") ";
        Out << description << '\n';
    }

    void Posting(const std::string& account, Money value) {
        std::string line = "    " + account;
        // Aligned by characters, not by the bytes of their UTF-8.
        const auto width = static_cast<std::size_t>(std::count_if(
            line.begin(), line.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
        line.append(width < 50 ? 50 - width : 2, ' ');
        Out << line << Amount(value) << '\n';
    }

    void TaxOpening(TDateTime date) {
        Header(date, true, "", "Tax owed at the start of the books");
        Posting(TaxAccount, -O.TaxOpeningBalance);
        Posting(OpeningAccount, O.TaxOpeningBalance);
    }

    void Opening(const TTransRec& t) {
        Header(t.Date, t.Reconciled, t.Reference.Str(), "Opening balance");
        Posting(Asset(t.BookRec), t.Amount);
        Posting(OpeningAccount, -t.Amount);
    }

    // The two halves of each transfer, as the transfer list pairs them; halves whose amounts
    // differ are written as two unmatched halves.
    void PairTransfers() {
        for (std::int32_t i = 0; i < L.TransferList.Count(); ++i) {
            const TTransferRec* pair = L.TransferList.Item(i);
            const TTransRec* in = pair->FromTrans;
            if (in && in->Amount == pair->ToTrans->Amount && PairedIns.insert(in).second)
                InOf[pair->ToTrans] = in;
        }
    }

    void Transfer(const TTransRec& out, const TTransRec& in) {
        const std::string notes = LineText(out.Notes);
        Header(out.Date, out.Reconciled && in.Reconciled, out.Reference.Str(), notes.empty() ? "Transfer" : notes);
        Posting(Asset(in.BookRec), in.Amount);
        Posting(Asset(out.BookRec), -out.Amount);
    }

    // A transfer half whose other half is missing: against an equity account, so every
    // account still shows what the document says.
    void Unmatched(const TTransRec& t) {
        const Money value = t.Kind == TransFrom ? t.Amount : -t.Amount;
        Header(t.Date, t.Reconciled, t.Reference.Str(), "Transfer without its other half");
        Posting(Asset(t.BookRec), value);
        Posting(UnmatchedAccount, -value);
    }

    static std::vector<const TTransRec*> SplitParts(const std::vector<TTransRec*>& records, std::size_t& i) {
        std::vector<const TTransRec*> parts{records[i]};
        const TTransRec* first = records[i];
        while (first->Split != '0' && i + 1 < records.size() && records[i + 1]->Number == first->Number &&
               records[i + 1]->Split != '0' && records[i + 1]->Book == first->Book)
            parts.push_back(records[++i]);
        return parts;
    }

    void Ordinary(const std::vector<const TTransRec*>& parts) {
        const TTransRec& first = *parts.front();
        std::string description = LineText(first.Notes);
        if (description.empty() && first.MainActRec)
            description = LineText(first.MainActRec->Name.Str());
        bool cleared = true;
        Money total, tax;
        for (const TTransRec* part : parts) {
            cleared = cleared && part->Reconciled;
            total += part->Kind == TransCredit ? part->Amount : -part->Amount;
        }
        Header(first.Date, cleared, first.Reference.Str(), description);
        Posting(Asset(first.BookRec), total);
        for (const TTransRec* part : parts) {
            const int sign = part->Kind == TransCredit ? -1 : 1;
            if (IsTaxCategory(*part)) {
                Posting(TaxAccount, sign > 0 ? part->Amount : -part->Amount);
                continue;
            }
            Posting(CategoryAccount(*part), sign > 0 ? part->Net() : -part->Net());
            tax += sign > 0 ? part->Gst : -part->Gst;
        }
        if (!tax.IsZero())
            Posting(TaxAccount, tax);
    }

    const TLedger& L;
    const TJournalOptions& O;
    std::ostream& Out;
    std::string TaxAccount;
    std::unordered_map<const TBookRec*, std::string> AssetNames;
    std::unordered_map<const TTransRec*, const TTransRec*> InOf; // a transfer's out half → its in half
    std::unordered_set<const TTransRec*> PairedIns;
};

} // namespace

void ExportJournal(const TLedger& ledger, const TJournalOptions& options, std::ostream& out) {
    JournalWriter(ledger, options, out).Run();
}

} // namespace qz
