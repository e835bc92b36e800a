// find: the transaction search of the window's "Transaction Selection", on the fields given,
// and the Transactions tab's rows it leaves, with their totals.

#include "Commands.h"

#include "ledger/MoneyFormat.h"
#include "platform/SystemRegional.h"

#include <iostream>

namespace qz::cli {

namespace {

const char* const QuickOptions[] = {"number", "reference", "amount", "unreconciled-only", "transfers-only"};
const char* const DetailedOptions[] = {
    "kind",         "state",        "transfers",       "number-equal",    "number-above",     "number-below",
    "number-from",  "number-to",    "reference-equal", "reference-after", "reference-before", "reference-from",
    "reference-to", "amount-equal", "amount-above",    "amount-below",    "amount-from",      "amount-to"};

template <std::size_t N> bool AnyOf(const Arguments& args, const char* const (&names)[N]) {
    for (const char* name : names)
        if (args.Has(name))
            return true;
    return false;
}

// A number box: digits only, at most nine of them.
bool ReadNumber(const std::string& option, const std::string& text, std::int32_t& number, std::string& error) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) {
        error = "--" + option + " takes a transaction number (digits, at most 9), not \"" + text + "\"";
        return false;
    }
    number = static_cast<std::int32_t>(std::stol(text));
    return true;
}

// A reference box: at most 20 characters, kept as the documents keep them.
bool ReadReference(const std::string& option, const std::string& text, std::string& reference, std::string& error) {
    reference = DocumentText(text);
    if (reference.size() > 20) {
        error = "--" + option + " holds at most 20 characters";
        return false;
    }
    return true;
}

// A currency box: digits, a decimal point and a sign; letters are refused.
bool ReadAmount(const std::string& option, const std::string& text, Money& amount, std::string& error) {
    const std::optional<Money> parsed = ParseMoneyText(text, '.');
    if (!parsed || text.find_first_not_of("0123456789.-") != std::string::npos) {
        error = "--" + option + " takes an amount such as 12.50, not \"" + text + "\"";
        return false;
    }
    amount = *parsed;
    return true;
}

template <class T>
using Reader = bool (*)(const std::string& option, const std::string& text, T& value, std::string& error);

// One list of the detailed page: --F-equal, --F-above (after), --F-below (before), or
// --F-from with --F-to for "Between" (both ends included).
template <class T>
bool ReadRange(const Arguments& args, const std::string& field, const char* above, const char* below, Reader<T> read,
               TSearchRange<T>& range, std::string& error) {
    const std::string equal = field + "-equal", greater = field + "-" + above, less = field + "-" + below,
                      from = field + "-from", to = field + "-to";
    const int given = args.Has(equal) + args.Has(greater) + args.Has(less) + (args.Has(from) || args.Has(to));
    if (given > 1) {
        error = "give one of --" + equal + ", --" + greater + ", --" + less + " or --" + from + " with --" + to;
        return false;
    }
    if (args.Has(from) != args.Has(to)) {
        error = "--" + from + " and --" + to + " go together";
        return false;
    }
    const std::pair<const std::string*, TSearchCompare> ones[] = {
        {&equal, TSearchCompare::EqualTo}, {&greater, TSearchCompare::GreaterThan}, {&less, TSearchCompare::LessThan}};
    for (const auto& [name, compare] : ones)
        if (args.Has(*name)) {
            range.Compare = compare;
            return read(*name, args.Value(*name), range.First, error);
        }
    if (args.Has(from)) {
        range.Compare = TSearchCompare::Between;
        return read(from, args.Value(from), range.First, error) && read(to, args.Value(to), range.Second, error);
    }
    return true;
}

bool ReadQuick(const Arguments& args, TQuickSearch& quick, std::string& error) {
    quick.NumberOn = args.Has("number");
    quick.ReferenceOn = args.Has("reference");
    quick.AmountOn = args.Has("amount");
    quick.UnreconciledOnly = args.Has("unreconciled-only");
    quick.TransfersOnly = args.Has("transfers-only");
    if (quick.UnreconciledOnly && quick.TransfersOnly) {
        error = "--unreconciled-only and --transfers-only exclude each other";
        return false;
    }
    return (!quick.NumberOn || ReadNumber("number", args.Value("number"), quick.Number, error)) &&
           (!quick.ReferenceOn || ReadReference("reference", args.Value("reference"), quick.Reference, error)) &&
           (!quick.AmountOn || ReadAmount("amount", args.Value("amount"), quick.Amount, error));
}

bool ReadDetailed(const Arguments& args, TDetailedSearch& detailed, std::string& error) {
    std::size_t kind = 0, state = 0, transfers = 0;
    if ((args.Has("kind") && !ParseChoice("kind", args.Value("kind"), {"all", "credit", "debit"}, kind, error)) ||
        (args.Has("state") &&
         !ParseChoice("state", args.Value("state"), {"all", "reconciled", "unreconciled"}, state, error)) ||
        (args.Has("transfers") &&
         !ParseChoice("transfers", args.Value("transfers"), {"include", "exclude", "only"}, transfers, error)))
        return false;
    detailed.Kind = static_cast<TKindChoice>(kind);
    detailed.State = static_cast<TStateChoice>(state);
    detailed.Transfers = static_cast<TTransfersChoice>(transfers);
    return ReadRange<std::int32_t>(args, "number", "above", "below", ReadNumber, detailed.Number, error) &&
           ReadRange<std::string>(args, "reference", "after", "before", ReadReference, detailed.Reference, error) &&
           ReadRange<Money>(args, "amount", "above", "below", ReadAmount, detailed.Amount, error);
}

// The fields into the criteria of one page; the checks of "&OK" come after.
bool ReadSearch(const Arguments& args, TSearchCriteria& criteria, std::string& error) {
    const bool quick = AnyOf(args, QuickOptions);
    const bool detailed = AnyOf(args, DetailedOptions);
    if (quick && detailed) {
        error = "the quick fields (--number, --reference, --amount, --unreconciled-only, --transfers-only) and "
                "the detailed ones cannot be given together";
        return false;
    }
    criteria.Page = detailed ? TSearchPage::Detailed : TSearchPage::Quick;
    if (!(detailed ? ReadDetailed(args, criteria.Detailed, error) : ReadQuick(args, criteria.Quick, error)))
        return false;
    if (!SearchCanApply(criteria)) {
        error = "the search asks for nothing: give a search field (see zudeduze-cli find --help)";
        return false;
    }
    return true;
}

} // namespace

int RunFind(const Arguments& args) {
    std::string error;
    TWorksheetRequest request;
    TSearchCriteria criteria;
    if (!ReadSearch(args, criteria, error) || !ReadWorksheetRequest(args, request, error))
        return Fail(error);
    // The window's own refusals, before the document is opened.
    if (const std::optional<TSearchRefusal> refusal = ValidateSearch(criteria))
        return Fail(refusal->Message);
    request.Search = criteria;
    return PrintWorksheet(args, request);
}

} // namespace qz::cli
