// generate: synthetic books of a chosen size, or one of the shipped example documents.

#include "CliPrompts.h"
#include "Commands.h"

#include "filters/GeneratedDocument.h"

#include <iostream>

namespace qz::cli {

namespace {

bool ReadGeneratorOptions(const Arguments& args, TGeneratorOptions& options, std::string& taxName, std::string& error) {
    long long transactions = 0, accounts = 3, seed = 1;
    if (!args.Has("transactions")) {
        error = "--transactions N is missing";
        return false;
    }
    if (!ParseInteger("transactions", args.Value("transactions"), 1, 10'000'000, transactions, error) ||
        (args.Has("accounts") && !ParseInteger("accounts", args.Value("accounts"), 1, 100, accounts, error)) ||
        (args.Has("seed") && !ParseInteger("seed", args.Value("seed"), 0, 1'000'000'000'000'000'000, seed, error)))
        return false;
    TTaxChoice tax;
    if (!ReadTaxChoice(args, tax, error))
        return false;
    options.Transactions = static_cast<std::int32_t>(transactions);
    options.Accounts = static_cast<std::int32_t>(accounts);
    options.Seed = static_cast<std::uint64_t>(seed);
    options.GstPercent = tax.Tracking ? tax.Percent : Money();
    taxName = tax.Name;
    return true;
}

} // namespace

int RunGenerate(const Arguments& args) {
    const std::string& path = args.Positional[0];
    const bool example = args.Has("example");
    std::string error;
    TLedger ledger;
    TDocumentContent content;
    if (example) {
        for (const char* option : {"transactions", "accounts", "seed", "tax", "percent"})
            if (args.Has(option))
                return Fail(std::string("--example takes no --") + option);
    } else if (args.Has("which")) {
        return Fail("--which names an example: give --example too");
    }
    const std::string which = args.Has("which") ? args.Value("which") : "cafe";
    TGeneratorOptions options;
    std::string taxName;
    if (!example && !ReadGeneratorOptions(args, options, taxName, error))
        return Fail(error);
    if (!CanCreate(path, error))
        return Fail(error);
    if (FileExists(path) && !args.Has("force"))
        return Fail(path + ": the file exists (give --force to replace it)");
    if (example) {
        if (!ExampleDocumentNamed(which, ledger, content))
            return Fail("--which " + which + ": the examples are cafe and plumber");
    } else
        GenerateDocument(ledger, options, taxName, content);
    CliPrompts prompts(args.Has("verbose"));
    if (!WriteGeneratedDocument(AbsolutePath(path), ledger, content, prompts)) {
        prompts.PrintHeld();
        return Fail(path + ": the document could not be written");
    }
    std::cout << path << ": " << ledger.TransList.Count() << " transactions in " << ledger.BookList.Count()
              << " accounts\n";
    return 0;
}

} // namespace qz::cli
