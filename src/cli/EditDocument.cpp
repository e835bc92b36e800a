#include "EditDocument.h"

#include "Commands.h"

#include "ledger/Cp1252.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace qz::cli {

MsgResult CommandPrompts::MessageBox(const std::string& text, MsgKind kind, MsgButtons buttons) {
    if (!Confirmed.empty() && text == Confirmed && buttons != MsgButtons::Ok)
        return MsgResult::Yes;
    Last = text;
    return CliPrompts::MessageBox(text, kind, buttons);
}

TEditDocument::TEditDocument(const Arguments& args)
    : Files(Ledger, Prompts, Questions, Clock), Convert(Files, Ledger, Prompts, Questions, Clock),
      Access(Files.Settings, [this](const std::string& password) { return PasswordGiven && password == Password; }),
      Edit{Files, Ledger, Access, Prompts, Dialogs}, PasswordGiven(args.Has("password")),
      Password(DocumentText(args.Value("password"))) {
    Files.ConnectLists();
}

TEditDocument::~TEditDocument() {
    if (Files.IsOpen)
        Files.Close(true, false);
}

bool TEditDocument::Open(const std::string& path, std::string& error) {
    DocumentPath = path;
    // The reader lets go of the file before the file manager opens it for good.
    TGeneration generation = TGeneration::Current;
    {
        TDocumentReader reader;
        Arguments withPassword;
        if (PasswordGiven)
            withPassword.Values["password"] = Cp1252ToUtf8(Password);
        if (!OpenForReading(path, withPassword, reader, error))
            return false;
        generation = reader.Generation();
    }
    if (generation != TGeneration::Current) {
        error = path + ": a document of generation " + GenerationText(generation) +
                ": convert it first (zudeduze-cli convert)";
        return false;
    }
    const std::string folder = std::filesystem::path(AbsolutePath(path)).parent_path().string();
    if (::access(path.c_str(), W_OK) != 0) {
        error = path + ": cannot be changed: the file may not be written (" + std::strerror(errno) + ")";
        return false;
    }
    if (::access(folder.c_str(), W_OK) != 0) {
        error = path + ": cannot be changed: its folder may not be written, and a change writes a journal there (" +
                std::strerror(errno) + ")";
        return false;
    }
    Questions.PasswordAccepted = true; // checked above
    const TFileConvert::OpenResult opened = Convert.OpenDocument(AbsolutePath(path));
    if (!opened.Opened) {
        Prompts.PrintHeld();
        error = path + ": " +
                (opened.Check == 3 ? "the file is in use by another program" : "it is no document, or a damaged one");
        return false;
    }
    if (Files.ReadOnlyMode) {
        error = path + ": cannot be changed: the document opened read-only";
        return false;
    }
    return true;
}

bool TEditDocument::Allowed(TAccessArea area, const std::string& what, std::string& error) const {
    if (Access.Check(area))
        return true;
    error = DocumentPath + ": " + what + " is protected by the document's password: " +
            (PasswordGiven ? "wrong password" : "give it with --password");
    return false;
}

bool TEditDocument::Close() {
    return Files.Close(true, false);
}

std::string TEditDocument::LastMessage() const {
    std::string line = Cp1252ToUtf8(Prompts.Last);
    std::replace(line.begin(), line.end(), '\r', ' ');
    return line;
}

} // namespace qz::cli
