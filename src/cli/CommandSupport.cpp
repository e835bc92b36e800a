#include "Commands.h"

#include "ledger/Cp1252.h"
#include "ledger/MoneyFormat.h"

#include "storage/FileManager.h"

#include <filesystem>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace qz::cli {

int Fail(const std::string& message) {
    std::cerr << "zudeduze-cli: error: " << message << '\n';
    return 1;
}

bool OpenForReading(const std::string& path, const Arguments& args, TDocumentReader& reader, std::string& error) {
    if (!reader.Open(path, error)) {
        error = path + ": " + error;
        return false;
    }
    const TFileSettings& settings = reader.Settings();
    if (settings.ProtectOpen && !settings.Password.empty() &&
        DocumentText(args.Value("password")) != settings.Password) {
        error = path + ": " +
                (args.Has("password") ? "wrong password"
                                      : "the document is protected by a password: give it with --password");
        return false;
    }
    return true;
}

bool ReadTaxChoice(const Arguments& args, TTaxChoice& choice, std::string& error) {
    choice = TTaxChoice{};
    std::size_t tax = 0;
    if (args.Has("tax") && !ParseChoice("tax", args.Value("tax"), {"gst", "vat", "none"}, tax, error))
        return false;
    choice.Tracking = tax != 2;
    choice.Name = tax == 0 ? "GST" : tax == 1 ? "VAT" : "";
    if (args.Has("percent")) {
        const std::optional<Money> percent = ParseMoneyText(args.Value("percent"), '.');
        const std::string text = args.Value("percent");
        if (!percent || text.empty() || text.find_first_not_of("0123456789.") != std::string::npos ||
            *percent > Money::FromUnits(100)) {
            error = "--percent takes a percentage from 0 to 100, not \"" + text + "\"";
            return false;
        }
        choice.Percent = *percent;
    }
    return true;
}

bool ReadAmount(const std::string& option, const std::string& text, Money& amount, std::string& error) {
    const std::optional<Money> value = ParseMoneyText(text, '.');
    const std::size_t digits = text.rfind('-', 0) == 0 ? 1 : 0;
    if (!value || text.size() == digits || text.find_first_not_of("0123456789.", digits) != std::string::npos) {
        error = "--" + option + " takes an amount such as 110.00, not \"" + text + "\"";
        return false;
    }
    amount = *value;
    return true;
}

std::string DocumentText(const std::string& utf8) {
    return Utf8ToCp1252(utf8);
}

void WarnSetAside(const std::string& path, TDocumentReader& reader, const std::vector<TDamagedTrans>& damagedTrans) {
    if (const cfb::TCompoundFile* file = reader.Container(); file && !file->StrayJournal().empty())
        std::cerr << "zudeduze-cli: warning: " << path << ": the journal beside it, \"" << file->StrayJournal()
                  << "\", belongs to another file and was not applied\n";
    if (!WithinMaxAmount(reader.Settings().GstOpeningBalance))
        std::cerr << "zudeduze-cli: warning: " << path
                  << ": the tax opening balance is beyond the largest a document may hold; it is taken as 0\n";
    for (const TDamagedTrans& damaged : damagedTrans)
        std::cerr << "zudeduze-cli: warning: " << path << ": " << Cp1252ToUtf8(DamagedTransText(damaged))
                  << " is damaged and left out\n";
}

namespace {

// Two names of one file: the same device and inode when both exist, else the same
// normalised absolute path (links resolved as far as they exist).
bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    std::error_code error;
    const auto left = std::filesystem::weakly_canonical(AbsolutePath(a), error);
    const auto right = std::filesystem::weakly_canonical(AbsolutePath(b), error);
    return !error && left == right;
}

} // namespace

bool OutputSpares(const std::string& output, const std::string& document, std::string& error) {
    std::error_code ignored;
    const std::string real = std::filesystem::weakly_canonical(AbsolutePath(document), ignored).string();
    for (const std::string& name : {document, real}) {
        const std::pair<std::string, const char*> guarded[] = {
            {name, "the document itself"},
            {cfb::TCompoundFile::JournalPath(name), "the document's journal"},
            {TFileManager::BackupPathOf(AbsolutePath(name)), "the document's backup"},
        };
        for (const auto& [path, what] : guarded)
            if (SameFile(output, path)) {
                error = output + ": that is " + what + "; give another output file";
                return false;
            }
    }
    return true;
}

std::string WriteFailureText(cfb::HResult result) {
    if (result == cfb::STG_E_MEDIUMFULL)
        return "the disk is full";
    if (result == cfb::STG_E_DISKISWRITEPROTECTED)
        return "the disk is read-only";
    if (result == cfb::STG_E_ACCESSDENIED)
        return "the file or its folder may not be written";
    if (result == cfb::STG_E_SHAREVIOLATION || result == cfb::STG_E_LOCKVIOLATION)
        return "the file is in use by another program";
    if (result == cfb::STG_E_WRITEFAULT || result == cfb::STG_E_CANTSAVE)
        return "a write to the disk failed";
    if (result == cfb::STG_E_READFAULT)
        return "a read from the disk failed";
    if (result == cfb::STG_E_DOCFILETOOLARGE)
        return "the document would grow beyond the largest a document may be (2 GiB)";
    if (result == cfb::STG_E_DOCFILECORRUPT)
        return "the document is damaged";
    return ContainerErrorText(result);
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error) || std::filesystem::is_symlink(path, error);
}

} // namespace qz::cli

namespace qz::cli {

bool CanCreate(const std::string& path, std::string& error) {
    const std::filesystem::path folder = std::filesystem::path(AbsolutePath(path)).parent_path();
    std::error_code ignored;
    if (!std::filesystem::is_directory(folder, ignored))
        error = folder.string() + ": no such folder";
    else if (::access(folder.c_str(), W_OK) != 0)
        error = folder.string() + ": the folder cannot be written to";
    else if (std::filesystem::is_directory(path, ignored))
        error = path + ": a folder, not a file";
    else if (std::filesystem::path(path).filename().string().size() > MaxDocumentNameBytes)
        error = path + ": the file name is too long (at most " + std::to_string(MaxDocumentNameBytes) +
                " bytes, to leave room for the journal written beside it)";
    else
        return true;
    return false;
}

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path whole = std::filesystem::absolute(path, error);
    return error ? path : whole.lexically_normal().string();
}

} // namespace qz::cli
