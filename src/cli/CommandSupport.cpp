#include "Commands.h"

#include "ledger/Cp1252.h"
#include "ledger/MoneyFormat.h"

#include <filesystem>
#include <iostream>
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

std::string DocumentText(const std::string& utf8) {
    return Utf8ToCp1252(utf8);
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
