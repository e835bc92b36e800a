// convert: an older document brought to the current generation in place, with the answers
// the window would ask for given as options.

#include "CliPrompts.h"
#include "Commands.h"

#include "platform/Clock.h"
#include "storage/FileConvert.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace qz::cli {

namespace {

// A damaged document is refused before anything is changed in it, and so is one that may not
// be written: the conversion writes it and a journal beside it.
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
    WarnSetAside(path, reader, scratch.DamagedTrans);
    if (generation == TGeneration::Current)
        return true;
    const std::string folder = std::filesystem::path(AbsolutePath(path)).parent_path().string();
    if (::access(path.c_str(), W_OK) != 0)
        error = path + ": cannot be converted: the file may not be written (" + std::strerror(errno) + ")";
    else if (::access(folder.c_str(), W_OK) != 0)
        error = path +
                ": cannot be converted: its folder may not be written, and the conversion writes a journal "
                "there (" +
                std::strerror(errno) + ")";
    else
        return true;
    return false;
}

// Why opening for the conversion failed, as far as the conversion could tell.
std::string ConvertFailure(const TFileConvert& convert, const TFileConvert::OpenResult& opened) {
    if (opened.Check == 3)
        return "the file is in use by another program";
    if (opened.Check == 2)
        return "it is no document, or a damaged one";
    if (cfb::Failed(convert.LastFailure))
        return WriteFailureText(convert.LastFailure);
    return "the document could not be opened after the conversion";
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
    CliPrompts prompts(args.Has("verbose"));
    SystemClock clock;
    TFileManager files(ledger, prompts, questions, clock);
    files.ConnectLists();
    TFileConvert convert(files, ledger, prompts, questions, clock);
    const TFileConvert::OpenResult opened = convert.OpenDocument(AbsolutePath(path));
    const bool converted = opened.Opened || convert.Converted.has_value();
    const bool closed = files.Close(true, true);
    if (!opened.Opened || !closed) {
        prompts.PrintHeld();
        if (!converted)
            return Fail(path + ": cannot be converted: " + ConvertFailure(convert, opened) + "; the file is as it was");
        return Fail(path + ": converted, but the document could not be opened or closed afterwards");
    }
    std::cout << path << ": converted from generation " << GenerationText(generation) << " to "
              << GenerationText(TGeneration::Current) << '\n';
    return 0;
}

} // namespace qz::cli
