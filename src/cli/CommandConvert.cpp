// convert: an older document brought to the current generation in place, with the answers
// the window would ask for given as options.

#include "CliPrompts.h"
#include "Commands.h"

#include "platform/Clock.h"
#include "storage/FileConvert.h"

#include <iostream>

namespace qz::cli {

namespace {

// A damaged document is refused before anything is changed in it.
bool Preflight(const std::string& path, const Arguments& args, TGeneration& generation, std::string& error) {
    TDocumentReader reader;
    if (!OpenForReading(path, args, reader, error))
        return false;
    generation = reader.Generation();
    TLedger scratch;
    if (!reader.Load(scratch, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

} // namespace

int RunConvert(const Arguments& args) {
    const std::string& path = args.Positional[0];
    std::string error;
    PreparedQuestions questions;
    if (!ReadTaxChoice(args, questions.Tax, error))
        return Fail(error);
    TGeneration generation = TGeneration::Current;
    if (!Preflight(path, args, generation, error))
        return Fail(error);
    if (generation == TGeneration::Current) {
        std::cout << path << ": already of the current generation; nothing to convert\n";
        return 0;
    }
    questions.AccountName = args.Has("account-name") ? DocumentText(args.Value("account-name")) : "Account 1";
    questions.CompanyName = DocumentText(args.Value("business"));
    questions.CompanyNumber = DocumentText(args.Value("number"));
    questions.PasswordAccepted = true; // checked above
    TLedger ledger;
    CliPrompts prompts;
    SystemClock clock;
    TFileManager files(ledger, prompts, questions, clock);
    files.ConnectLists();
    TFileConvert convert(files, ledger, prompts, questions, clock);
    const bool opened = convert.OpenDocument(AbsolutePath(path)).Opened;
    const bool closed = files.Close(true, true);
    if (!opened || !closed)
        return prompts.Shown > 0 ? 1 : Fail(path + ": the document could not be converted");
    std::cout << path << ": converted from generation " << GenerationText(generation) << " to "
              << GenerationText(TGeneration::Current) << '\n';
    return 0;
}

} // namespace qz::cli
