#pragma once
// A document opened for a change from the command line, as the window opens it: the file
// manager writes every change through in one commit, the core's operations run with their
// access checks answered from --password, and their messages are held back (the last warning
// is what a refused command reports).

#include "Arguments.h"
#include "CliPrompts.h"

#include "edit/EditContext.h"
#include "ledger/DisplayFormats.h"
#include "platform/Clock.h"
#include "storage/FileConvert.h"

#include <string>

namespace qz::cli {

// The command's own confirmation is answered Yes (the user asked for the change by running
// it); every other question as CliPrompts answers it.
class CommandPrompts : public CliPrompts {
public:
    std::string Confirmed; // the question answered Yes
    std::string Last;      // the last message shown
    MsgResult MessageBox(const std::string& text, MsgKind kind, MsgButtons buttons) override;
};

// The deletion confirmation: the command was the user's confirmation.
class CommandEditDialogs : public TEditDialogs {
public:
    bool ConfirmDelete() override { return true; }
};

class TEditDocument {
public:
    explicit TEditDocument(const Arguments& args);
    ~TEditDocument();
    TEditDocument(const TEditDocument&) = delete;
    TEditDocument& operator=(const TEditDocument&) = delete;

    // Opens the current-generation document at `path` for changing. False with one line in
    // `error`: not a document, a password for opening not given, an older generation, a file or
    // folder that may not be written.
    bool Open(const std::string& path, std::string& error);
    // The access check of `area` ("adding transactions"); false with one line in `error`.
    bool Allowed(TAccessArea area, const std::string& what, std::string& error) const;
    // Closes the document (the changes are on disk already); false when that failed.
    bool Close();
    // The last message of the core as one line (line breaks become blanks), in UTF-8.
    std::string LastMessage() const;

    const std::string& Path() const { return DocumentPath; }

    TLedger Ledger;
    CommandPrompts Prompts;
    PreparedQuestions Questions;
    SystemClock Clock;
    TFileManager Files;
    TFileConvert Convert;
    TAccessCheck Access;
    CommandEditDialogs Dialogs;
    TEditContext Edit;
    TDisplayFormats Formats;

private:
    bool PasswordGiven;
    std::string Password;
    std::string DocumentPath;
};

} // namespace qz::cli
