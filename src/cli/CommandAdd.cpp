// add and delete: a credit or debit transaction entered, or one deleted with all its splits,
// through the transaction editor's own session, so that every check and message is the window's.

#include "Commands.h"
#include "EditDocument.h"

#include "edit/TransactionSession.h"
#include "ledger/MoneyFormat.h"

#include <iostream>
#include <limits>
#include <map>
#include <optional>

namespace qz::cli {

namespace {

constexpr std::size_t MaxSplits = 10;

// The options of one split, as given.
struct TSplitEntry {
    Money Amount;
    std::int32_t Category = 0;
    std::int32_t Sub = 0;
    std::optional<std::int32_t> Account;
    std::optional<std::int32_t> Group;
    std::optional<TDateTime> Date;
    std::optional<std::string> Reference;
    std::optional<std::string> Memo;
    std::optional<Money> Percent;
    std::optional<Money> Gst;
};

// The kind chooser answers with --kind; no name is asked for.
class KindAnswer : public TTransactionDialogs {
public:
    explicit KindAnswer(std::uint8_t kind) : Kind(kind) {}
    int ChooseKind(const std::string&, const std::string&) override { return Kind == TransDebit ? 1 : 0; }
    bool InputName(const std::string&, const std::string&, std::string&, Money&,
                   const std::function<bool(std::string&)>&) override {
        return false;
    }

private:
    std::uint8_t Kind;
};

bool ReadCategory(const std::string& text, std::int32_t& category, std::int32_t& sub, std::string& error) {
    const std::size_t dash = text.find('-');
    long long c = 0;
    long long s = 0;
    std::string ignored;
    if (dash == std::string::npos ||
        !ParseInteger("category", text.substr(0, dash), 1, std::numeric_limits<std::int32_t>::max(), c, ignored) ||
        !ParseInteger("category", text.substr(dash + 1), 1, std::numeric_limits<std::int32_t>::max(), s, ignored)) {
        error = "--category takes a category and sub category number such as 100-2, not \"" + text + "\"";
        return false;
    }
    category = static_cast<std::int32_t>(c);
    sub = static_cast<std::int32_t>(s);
    return true;
}

bool ReadOption(TSplitEntry& entry, const std::string& name, const std::string& value, std::string& error) {
    long long number = 0;
    if (name == "amount")
        return ReadAmount(name, value, entry.Amount, error);
    if (name == "category")
        return ReadCategory(value, entry.Category, entry.Sub, error);
    if (name == "account") {
        if (!ParseInteger(name, value, 0, std::numeric_limits<std::int16_t>::max(), number, error))
            return false;
        entry.Account = static_cast<std::int32_t>(number);
    } else if (name == "group") {
        if (!ParseInteger(name, value, 0, std::numeric_limits<std::uint16_t>::max(), number, error))
            return false;
        entry.Group = static_cast<std::int32_t>(number);
    } else if (name == "date") {
        TDateTime date = 0;
        if (!ParseIsoDate(value, date)) {
            error = "--date takes a date as YYYY-MM-DD, not \"" + value + "\"";
            return false;
        }
        entry.Date = date;
    } else if (name == "reference") {
        entry.Reference = DocumentText(value);
    } else if (name == "memo") {
        entry.Memo = DocumentText(value);
    } else if (name == "gst-percent") {
        const std::optional<Money> percent = ParseMoneyText(value, '.');
        if (!percent || value.empty() || value.find_first_not_of("0123456789.") != std::string::npos ||
            *percent > Money::FromUnits(100)) {
            error = "--gst-percent takes a percentage from 0 to 100, not \"" + value + "\"";
            return false;
        }
        entry.Percent = *percent;
    } else if (name == "gst") {
        Money gst;
        if (!ReadAmount(name, value, gst, error))
            return false;
        entry.Gst = gst;
    }
    return true;
}

// The options in order: those before the first --split are the first split's, each --split
// starts the next one's.
bool ReadSplits(const Arguments& args, std::vector<TSplitEntry>& splits, std::string& error) {
    splits.assign(1, {});
    std::vector<std::map<std::string, bool>> given(1);
    for (const auto& [name, value] : args.Ordered) {
        if (name == "kind" || name == "unreconciled" || name == "password")
            continue;
        if (name == "split") {
            splits.emplace_back();
            given.emplace_back();
            continue;
        }
        if (given.back()[name]) {
            error = "--" + name + " is given twice for split " + std::to_string(splits.size());
            return false;
        }
        given.back()[name] = true;
        if (!ReadOption(splits.back(), name, value, error))
            return false;
    }
    if (splits.size() > MaxSplits) {
        error = "a transaction has at most " + std::to_string(MaxSplits) + " splits";
        return false;
    }
    for (std::size_t i = 0; i < splits.size(); ++i) {
        const std::string which = splits.size() > 1 ? " for split " + std::to_string(i + 1) : "";
        for (const char* required : {"amount", "category"})
            if (!given[i][required]) {
                error = std::string("--") + required + " is missing" + which;
                return false;
            }
        if (given[i]["gst"] && given[i]["gst-percent"]) {
            error = "--gst and --gst-percent exclude each other" + which;
            return false;
        }
    }
    for (const char* required : {"date", "account"})
        if (!given[0][required]) {
            error = std::string("--") + required + " is missing";
            return false;
        }
    return true;
}

// One split's fields, entered as the user enters them in the window. Later splits take the
// first one's account unless they name their own (their date and reference come with them).
void Enter(TTransactionSession& s, const TSplitEntry& entry, const TSplitEntry& first, bool reconciled) {
    s.SetCategory(entry.Category, false);
    s.SetSubCategory(entry.Sub);
    s.SetGroup(entry.Group.value_or(0));
    s.SetAccount(entry.Account ? entry.Account : first.Account);
    if (entry.Date)
        s.SetDate(*entry.Date);
    if (entry.Reference)
        s.SetReference(*entry.Reference);
    if (entry.Memo)
        s.SetNotes(*entry.Memo);
    s.SetReconciled(reconciled);
    if (entry.Gst) {
        s.SetPercentMode(false);
        s.SetAmount(entry.Amount);
        s.SetGst(*entry.Gst);
        s.GstAmountExit();
    } else {
        // Without a tax of its own the split takes its sub category's percentage.
        s.SetPercentMode(true);
        if (entry.Percent)
            s.SetPercent(*entry.Percent);
        s.SetAmount(entry.Amount);
        s.AmountExit();
    }
}

// Refuses what the window cannot even offer: a group or account the document does not have,
// tax on a document that does not track it.
bool Offered(const TEditDocument& doc, const std::vector<TSplitEntry>& splits, std::string& error) {
    for (std::size_t i = 0; i < splits.size(); ++i) {
        const TSplitEntry& entry = splits[i];
        if (entry.Group && !doc.Ledger.GroupList.Find(*entry.Group))
            error = doc.Path() + ": there is no group " + std::to_string(*entry.Group);
        else if (entry.Account && !doc.Ledger.BookList.Find(*entry.Account))
            error = doc.Path() + ": there is no account " + std::to_string(*entry.Account);
        else if ((entry.Gst || entry.Percent) && !doc.Files.Settings.TaxOn)
            error = doc.Path() + ": the document does not track GST/VAT: --gst and --gst-percent do not apply";
        else
            continue;
        return false;
    }
    return true;
}

int CommitFailure(TEditDocument& doc, const char* what) {
    doc.Prompts.PrintHeld();
    return Fail(doc.Path() + ": the " + what + " could not be written; the file is as it was");
}

} // namespace

int RunAdd(const Arguments& args) {
    const std::string& path = args.Positional[0];
    std::string error;
    std::size_t kindIndex = 0;
    if (!args.Has("kind"))
        return Fail("--kind is missing");
    if (!ParseChoice("kind", args.Value("kind"), {"credit", "debit"}, kindIndex, error))
        return Fail(error);
    const std::uint8_t kind = kindIndex == 0 ? TransCredit : TransDebit;
    std::vector<TSplitEntry> splits;
    if (!ReadSplits(args, splits, error))
        return Fail(error);
    TEditDocument doc(args);
    if (!doc.Open(path, error) || !Offered(doc, splits, error) ||
        !doc.Allowed(TAccessArea::Adding, "adding transactions", error))
        return Fail(error);

    const bool reconciled = !args.Has("unreconciled");
    KindAnswer kindAnswer(kind);
    TTransactionSession session(doc.Edit, kindAnswer, doc.Formats, doc.Clock, {false, !reconciled, true, false});
    if (!session.Open(TTransMode::New, -1) || session.Kind() != kind)
        return Fail(doc.LastMessage());
    for (std::size_t i = 0; i < splits.size(); ++i) {
        if (i == 1)
            session.Split();
        else if (i > 1)
            session.AddSplit();
        Enter(session, splits[i], splits[0], reconciled);
    }
    if (!session.OK()) {
        if (session.Result().CommitGivenUp)
            return CommitFailure(doc, "transaction");
        return Fail(doc.LastMessage());
    }
    const std::int32_t number = session.Working().front().Record.Number;
    if (!doc.Close())
        return Fail(path + ": the transaction was stored, but the document could not be closed");
    std::cout << number << '\n';
    return 0;
}

int RunDelete(const Arguments& args) {
    const std::string& path = args.Positional[0];
    std::string error;
    long long number = 0;
    if (!ParseInteger("NUMBER", args.Positional[1], 1, std::numeric_limits<std::int32_t>::max(), number, error))
        return Fail("NUMBER takes a transaction number, not \"" + args.Positional[1] + "\"");
    TEditDocument doc(args);
    if (!doc.Open(path, error) || !doc.Allowed(TAccessArea::Deleting, "deleting transactions", error))
        return Fail(error);
    std::int32_t index = -1;
    for (std::int32_t i = 0; i < doc.Ledger.TransList.Count() && index < 0; ++i)
        if (const TTransRec* t = doc.Ledger.TransList.Items(i); t->Number == number && t->IsOrdinary())
            index = i;
    if (index < 0)
        return Fail(path + ": there is no credit or debit transaction numbered " + std::to_string(number));
    KindAnswer noKind(TransCredit);
    TTransactionSession session(doc.Edit, noKind, doc.Formats, doc.Clock);
    session.Open(TTransMode::Index, index);
    doc.Prompts.Confirmed = "Delete this Transaction.";
    if (!session.DeleteTransaction()) {
        if (session.Result().CommitGivenUp)
            return CommitFailure(doc, "deletion");
        return Fail(doc.LastMessage());
    }
    const std::int32_t records = session.Result().Deleted;
    if (!doc.Close())
        return Fail(path + ": the transaction was deleted, but the document could not be closed");
    std::cout << "transaction " << number << " deleted (" << records << (records == 1 ? " record" : " records")
              << ")\n";
    return 0;
}

} // namespace qz::cli
