// new: a blank document, as the window's "New blank file" makes it.

#include "CliPrompts.h"
#include "Commands.h"

#include "platform/Clock.h"
#include "storage/FileConvert.h"

namespace qz::cli {

int RunNew(const Arguments& args) {
    const std::string& path = args.Positional[0];
    std::string error;
    PreparedQuestions questions;
    if (!ReadTaxChoice(args, questions.Tax, error))
        return Fail(error);
    if (!CanCreate(path, error))
        return Fail(error);
    if (FileExists(path) && !args.Has("force"))
        return Fail(path + ": the file exists (give --force to replace it)");
    questions.CompanyName = DocumentText(args.Value("business"));
    questions.CompanyNumber = DocumentText(args.Value("number"));
    questions.PasswordAccepted = false;
    TLedger ledger;
    CliPrompts prompts(args.Has("verbose"));
    SystemClock clock;
    TFileManager files(ledger, prompts, questions, clock);
    files.ConnectLists();
    TFileConvert convert(files, ledger, prompts, questions, clock);
    const bool created = convert.CreateNewDocument(AbsolutePath(path), questions.CompanyName, questions.CompanyNumber);
    const bool closed = files.Close(true, true);
    if (!created || !closed) {
        prompts.PrintHeld();
        return Fail(path + ": the document could not be created");
    }
    return 0;
}

} // namespace qz::cli
