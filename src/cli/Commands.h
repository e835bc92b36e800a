#pragma once
// The commands of zudeduze-cli. Each reads its parsed arguments, calls the core and answers
// the exit status: 0 done, 1 a user error (one line on stderr).

#include "Arguments.h"

#include "filters/DocumentReader.h"
#include "storage/DocumentQuestions.h"

#include <string>

namespace qz::cli {

int RunNew(const Arguments& args);
int RunInfo(const Arguments& args);
int RunCheck(const Arguments& args);
int RunWorksheet(const Arguments& args);
int RunExport(const Arguments& args);
int RunConvert(const Arguments& args);
int RunGenerate(const Arguments& args);

// Shared by the commands.

// Writes "zudeduze-cli: error: <message>" to stderr and answers 1.
int Fail(const std::string& message);

// Opens a document read-only; a document whose opening is guarded by a password opens only
// with that password in --password.
bool OpenForReading(const std::string& path, const Arguments& args, TDocumentReader& reader, std::string& error);

// --tax gst|vat|none and --percent P.
bool ReadTaxChoice(const Arguments& args, TTaxChoice& choice, std::string& error);

// A text typed on the command line (UTF-8) as the documents keep it (Windows-1252).
std::string DocumentText(const std::string& utf8);

bool FileExists(const std::string& path);
// A new file can be made at `path`: its folder exists and may be written to. The reason in
// `error` when not, so that the user reads one line instead of the storage-error dialog's.
bool CanCreate(const std::string& path, std::string& error);

// The file manager works with whole paths, as the window's file dialogs give them: the drive
// checks look the path up in the mount table.
std::string AbsolutePath(const std::string& path);

} // namespace qz::cli
