// transfer: money moved from one account to another through the transfer window's own
// operation, so that every check and message is the window's.

#include "Commands.h"
#include "EditDocument.h"

#include "edit/TransferEdit.h"

#include <iostream>
#include <limits>

namespace qz::cli {

namespace {

bool ReadAccount(const Arguments& args, const char* option, std::optional<std::int32_t>& account, std::string& error) {
    long long number = 0;
    if (!args.Has(option)) {
        error = std::string("--") + option + " is missing";
        return false;
    }
    if (!ParseInteger(option, args.Value(option), 0, std::numeric_limits<std::int16_t>::max(), number, error))
        return false;
    account = static_cast<std::int32_t>(number);
    return true;
}

bool ReadFields(const Arguments& args, TTransferFields& fields, std::string& error) {
    if (!ReadAccount(args, "from-account", fields.FromAccount, error) ||
        !ReadAccount(args, "to-account", fields.ToAccount, error))
        return false;
    for (const char* required : {"date", "amount"})
        if (!args.Has(required)) {
            error = std::string("--") + required + " is missing";
            return false;
        }
    if (!ParseIsoDate(args.Value("date"), fields.Date)) {
        error = "--date takes a date as YYYY-MM-DD, not \"" + args.Value("date") + "\"";
        return false;
    }
    if (!ReadAmount("amount", args.Value("amount"), fields.Amount, error))
        return false;
    fields.Reference = DocumentText(args.Value("reference"));
    fields.Notes = DocumentText(args.Value("memo"));
    return true;
}

} // namespace

int RunTransfer(const Arguments& args) {
    const std::string& path = args.Positional[0];
    std::string error;
    TTransferFields fields;
    if (!ReadFields(args, fields, error))
        return Fail(error);
    TEditDocument doc(args);
    if (!doc.Open(path, error))
        return Fail(error);
    for (const std::int32_t account : {*fields.FromAccount, *fields.ToAccount})
        if (!doc.Ledger.BookList.Find(account))
            return Fail(path + ": there is no account " + std::to_string(account));
    if (!doc.Allowed(TAccessArea::Adding, "adding transfers", error))
        return Fail(error);
    const TEditOutcome outcome = AddTransfer(doc.Edit, fields, doc.Formats);
    if (outcome.Result == TEditResult::NotStored) {
        doc.Prompts.PrintHeld();
        return Fail(path + ": the transfer could not be written; the file is as it was");
    }
    if (!outcome.Done())
        return Fail(doc.LastMessage());
    const TTransferRec& pair = *doc.Ledger.TransferList.Item(outcome.Index);
    const std::int32_t out = pair.ToTrans->Number;
    const std::int32_t in = pair.FromTrans->Number;
    if (!doc.Close())
        return Fail(path + ": the transfer was stored, but the document could not be closed");
    std::cout << out << ' ' << in << '\n';
    return 0;
}

} // namespace qz::cli
