#include "ImportPreview.h"

#include "ledger/Cp1252.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <unordered_map>

namespace qz {

namespace {

constexpr TDateTime DuplicateDays = 3;
constexpr std::size_t ReferenceCapacity = 20;

// Money into the account positive.
Money SignedAmount(const TTransRec& t) {
    return t.Kind == TransDebit || t.Kind == TransTo ? -t.Amount : t.Amount;
}

bool IsLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0xC0;
}

// The part of the notes before " - ", where the import put the payee.
std::string PayeePart(const std::string& notes) {
    const std::size_t dash = notes.find(" - ");
    return dash == std::string::npos ? std::string() : notes.substr(0, dash);
}

class TDuplicateIndex {
public:
    TDuplicateIndex(const TLedger& ledger, std::int32_t account) {
        for (const TTransRec* t : ledger.TransList.KeyList)
            if (t->Book == account && t->Kind != TransOpening)
                ByAmount.emplace(SignedAmount(*t).Raw(), t);
    }

    const TTransRec* Take(const TStatementLine& line, std::optional<std::int32_t> transferAccount) {
        const std::string reference = ImportReference(line);
        const std::string notes = ImportNotes(line);
        const std::string payee = MatchKey(Utf8ToCp1252(line.Payee));
        const TTransRec* best = nullptr;
        const auto [from, to] = ByAmount.equal_range(Money::FromCents(line.Cents).Raw());
        for (auto it = from; it != to; ++it) {
            const TTransRec* t = it->second;
            const TDateTime distance = std::fabs(DayOf(t->Date) - line.Date);
            if (distance > DuplicateDays || Used.count(t))
                continue;
            const bool sameReference = !reference.empty() && t->Reference.Str() == reference;
            const bool samePayee =
                (!notes.empty() && SameTextIgnoringCase(t->Notes, notes)) ||
                (!payee.empty() && (MatchKey(t->Notes) == payee || MatchKey(PayeePart(t->Notes)) == payee)) ||
                (transferAccount && t->IsTransfer() && t->Group == *transferAccount);
            if ((sameReference || samePayee) && (!best || distance < std::fabs(DayOf(best->Date) - line.Date)))
                best = t;
        }
        if (best)
            Used.insert({best, true});
        return best;
    }

private:
    std::unordered_multimap<std::int64_t, const TTransRec*> ByAmount;
    std::unordered_map<const TTransRec*, bool> Used;
};

struct TChoiceCount {
    int Count = 0;
    TDateTime Latest = 0;
};

struct TChoiceLess {
    bool operator()(const TImportCategory& a, const TImportCategory& b) const {
        return std::tie(a.MainAct, a.SubAct, a.Group) < std::tie(b.MainAct, b.SubAct, b.Group);
    }
};

using TChoices = std::map<TImportCategory, TChoiceCount, TChoiceLess>;

class TSuggestionIndex {
public:
    explicit TSuggestionIndex(const TLedger& ledger) {
        for (const TTransRec* t : ledger.TransList.KeyList) {
            if (!t->IsOrdinary())
                continue;
            const TImportCategory choice{t->MainAct, t->SubAct, t->Group};
            std::string keys[3] = {MatchKey(t->Notes), MatchKey(PayeePart(t->Notes)), MatchKey(t->Reference.Str())};
            for (int k = 0; k < 3; ++k) {
                if (keys[k].empty() || (k > 0 && keys[k] == keys[0]) || (k == 2 && keys[2] == keys[1]))
                    continue;
                TChoiceCount& count = ByKey[t->Kind == TransCredit][keys[k]][choice];
                ++count.Count;
                count.Latest = std::max(count.Latest, t->Date);
            }
        }
    }

    std::optional<TImportCategory> Suggest(const TStatementLine& line) const {
        std::string key = MatchKey(Utf8ToCp1252(line.Payee));
        if (key.empty())
            key = MatchKey(Utf8ToCp1252(line.Memo));
        const auto& side = ByKey[line.Cents > 0];
        const auto found = side.find(key);
        if (key.empty() || found == side.end())
            return std::nullopt;
        const TImportCategory* best = nullptr;
        const TChoiceCount* bestCount = nullptr;
        for (const auto& [choice, count] : found->second)
            if (!best || count.Count > bestCount->Count ||
                (count.Count == bestCount->Count && count.Latest > bestCount->Latest)) {
                best = &choice;
                bestCount = &count;
            }
        return *best;
    }

private:
    std::unordered_map<std::string, TChoices> ByKey[2]; // [0] debits, [1] credits
};

// The category a QIF file names ("Cat" or "Cat:Sub"), when the document has it on the side of
// the line; the group is the default group.
std::optional<TImportCategory> NamedCategory(const TLedger& ledger, const TStatementLine& line) {
    if (line.Category.empty() || line.Category.front() == '[')
        return std::nullopt;
    const std::string named = Utf8ToCp1252(line.Category);
    const std::size_t colon = named.find(':');
    const std::string main = named.substr(0, colon);
    const std::string sub = colon == std::string::npos ? std::string() : named.substr(colon + 1);
    const std::uint8_t side = line.Cents > 0 ? SideCredit : SideDebit;
    for (const TSubActRec* s : ledger.SubActList.KeyList) {
        const TMainActRec* c = s->MainActRec;
        if (!c || c->Side != side || !SameTextIgnoringCase(c->Name.Str(), main))
            continue;
        if (sub.empty() || SameTextIgnoringCase(s->Name.Str(), sub))
            return TImportCategory{c->Number, s->Number, 0};
    }
    return std::nullopt;
}

// The account other than `account` that a QIF category "[Name]" names.
std::optional<std::int32_t> NamedAccount(const TLedger& ledger, std::int32_t account, const TStatementLine& line) {
    const std::string& named = line.Category;
    if (named.size() < 3 || named.front() != '[' || named.back() != ']')
        return std::nullopt;
    const std::string name = Utf8ToCp1252(named.substr(1, named.size() - 2));
    for (const TBookRec* book : ledger.BookList.KeyList)
        if (book->Number != account && SameTextIgnoringCase(book->Name.Str(), name))
            return book->Number;
    return std::nullopt;
}

// Why the account cannot take a good line; empty when it can.
std::string AccountRefusal(const TBookRec& book, const TStatementLine& line) {
    const Money amount = Money::FromCents(line.Cents).Abs();
    if (line.Cents == 0)
        return "the amount is 0";
    if (!WithinMaxAmount(amount))
        return "the amount is beyond the largest a transaction may hold (10,000,000.00)";
    if (book.OpeningTrans && line.Date < DayOf(book.OpeningTrans->Date))
        return "the date is before the account's opening balance (" + IsoDateText(book.OpeningTrans->Date) + ")";
    return {};
}

} // namespace

std::string MatchKey(const std::string& cp1252) {
    std::string key;
    bool gap = false;
    for (const char c : cp1252) {
        const auto u = static_cast<unsigned char>(c);
        if (!IsLetter(u)) {
            gap = !key.empty();
            continue;
        }
        if (gap)
            key += ' ';
        gap = false;
        key += u < 0x80 ? static_cast<char>(std::tolower(u)) : c;
    }
    return key;
}

std::string ImportReference(const TStatementLine& line) {
    std::string reference = Utf8ToCp1252(line.Reference);
    if (reference.size() > ReferenceCapacity)
        reference.resize(ReferenceCapacity);
    return reference;
}

std::string ImportNotes(const TStatementLine& line) {
    const std::string payee = Utf8ToCp1252(line.Payee);
    const std::string memo = Utf8ToCp1252(line.Memo);
    std::string notes = payee;
    if (!memo.empty() && !SameTextIgnoringCase(memo, payee))
        notes = payee.empty() ? memo : payee + " - " + memo;
    if (notes.size() > TTransList::NotesCapacity)
        notes.resize(TTransList::NotesCapacity);
    return notes;
}

std::vector<TImportLine> PreviewImport(const TLedger& ledger, std::int32_t account, const TStatement& statement) {
    std::vector<TImportLine> lines;
    const TBookRec* book = ledger.BookList.Find(account);
    if (!book)
        return lines;
    TDuplicateIndex duplicates(ledger, account);
    const TSuggestionIndex suggestions(ledger);
    lines.reserve(statement.Lines.size());
    for (const TStatementLine& source : statement.Lines) {
        TImportLine line;
        line.Source = source;
        if (source.Good()) {
            if (const std::string refusal = AccountRefusal(*book, source); !refusal.empty())
                line.Source.Bad = "line " + std::to_string(source.Line) + ": " + refusal;
        }
        if (line.Source.Good()) {
            line.TransferAccount = NamedAccount(ledger, account, source);
            line.DuplicateOf = duplicates.Take(source, line.TransferAccount);
            line.Suggested = suggestions.Suggest(source);
            if (!line.Suggested)
                line.Suggested = NamedCategory(ledger, source);
            line.Ticked = !line.Duplicate();
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace qz
