#pragma once
// The commands of zudeduze-cli. Each reads its parsed arguments, calls the core and answers
// the exit status: 0 done, 1 a user error (one line on stderr).

#include "Arguments.h"

#include "filters/DocumentReader.h"
#include "filters/WorksheetTable.h"
#include "storage/DocumentQuestions.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace qz::cli {

int RunNew(const Arguments& args);
int RunInfo(const Arguments& args);
int RunCheck(const Arguments& args);
int RunWorksheet(const Arguments& args);
int RunExport(const Arguments& args);
int RunConvert(const Arguments& args);
int RunGenerate(const Arguments& args);
int RunFind(const Arguments& args);
int RunAdd(const Arguments& args);
int RunDelete(const Arguments& args);
int RunTransfer(const Arguments& args);
int RunImport(const Arguments& args);
int RunReport(const Arguments& args);
int RunChart(const Arguments& args);

// Shared by the commands.

// Writes "zudeduze-cli: error: <message>" to stderr and answers 1.
int Fail(const std::string& message);

// Opens a document read-only; a document whose opening is guarded by a password opens only
// with that password in --password.
bool OpenForReading(const std::string& path, const Arguments& args, TDocumentReader& reader, std::string& error);

// The worksheet's filters and view options (--tab, --from, --to, --accounts, --categories,
// --groups, --sort...) into a request; the options a command does not take are never present.
bool ReadWorksheetRequest(const Arguments& args, TWorksheetRequest& request, std::string& error);
// The options of the worksheet's filters (--from, --to, --accounts, --categories, --groups,
// --include-unreconciled, --opening-balances-in-selections), followed by `more`.
std::vector<OptionSpec> FilterOptionsAnd(std::initializer_list<OptionSpec> more);

// Opens the document of the first positional argument and prints the rows `request` asks for,
// in --format text|csv|json with --regional system|fixed; the command's exit code.
int PrintWorksheet(const Arguments& args, const TWorksheetRequest& request);

// --tax gst|vat|none and --percent P.
bool ReadTaxChoice(const Arguments& args, TTaxChoice& choice, std::string& error);

// An amount such as 110.00 or -5 in the option `option`; false with one line in `error`.
bool ReadAmount(const std::string& option, const std::string& text, Money& amount, std::string& error);

// A text typed on the command line (UTF-8) as the documents keep it (Windows-1252).
std::string DocumentText(const std::string& utf8);

// Tells, on stderr, what reading the document set aside: a journal of another file found
// beside it, and the transactions too damaged to take into the books.
void WarnSetAside(const std::string& path, TDocumentReader& reader, const std::vector<TDamagedTrans>& damagedTrans);

// False, with the reason, when writing `output` would write over the document itself, its
// journal or its backup: compared by the file they name (device and inode, through links
// and other spellings of the path), and by name where they do not exist yet.
bool OutputSpares(const std::string& output, const std::string& document, std::string& error);

// What a storage failure means for a write, in words for one line of output.
std::string WriteFailureText(cfb::HResult result);

bool FileExists(const std::string& path);
// A new file can be made at `path`: its folder exists and may be written to. The reason in
// `error` when not, so that the user reads one line instead of the storage-error dialog's.
bool CanCreate(const std::string& path, std::string& error);

// A file name may have 255 bytes; the journal written beside a document adds "-journal".
inline constexpr std::size_t MaxDocumentNameBytes = 255 - 8;

// The file manager works with whole paths, as the window's file dialogs give them: the drive
// checks look the path up in the mount table.
std::string AbsolutePath(const std::string& path);

} // namespace qz::cli
