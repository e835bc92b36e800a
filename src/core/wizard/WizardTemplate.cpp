#include "WizardTemplate.h"

#include "ledger/Cp1252.h"

#include <fstream>

namespace qz {

namespace {

constexpr std::uint8_t Credit = 1;
constexpr std::uint8_t Debit = 2;

std::vector<std::string> SplitFields(const std::string& text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        fields.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return fields;
        start = comma + 1;
    }
}

std::string Field(const std::vector<std::string>& fields, std::size_t index) {
    return index < fields.size() ? Trim(fields[index]) : std::string();
}

// The template's number: any integer but the two the wizard keeps for the user's categories.
std::int32_t OriginOf(const std::string& field) {
    try {
        std::size_t used = 0;
        const long value = std::stol(field, &used);
        if (used != field.size() || value < INT32_MIN || value > INT32_MAX || value == TMainActInfo::UserOrigin ||
            value == TMainActInfo::RemovedOrigin)
            return 0;
        return static_cast<std::int32_t>(value);
    } catch (...) {
        return 0;
    }
}

// Tabs, and the line ends removed before this, are the only control characters of a text line.
bool IsText(const std::string& line) {
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && byte != '\t') || byte == 0x7F)
            return false;
    }
    return true;
}

bool HasSub(const TMainActInfo& category, const std::string& name) {
    for (const std::string& sub : category.SubNames)
        if (SameTextIgnoringCase(sub, name))
            return true;
    return false;
}

TMainActInfo CategoryLine(const std::string& text) {
    const std::vector<std::string> fields = SplitFields(text);
    TMainActInfo entry;
    entry.Name = Field(fields, 0);
    entry.Origin = OriginOf(Field(fields, 1));
    entry.Side = Field(fields, 2) == "I" ? Credit : Debit;
    entry.Flag = Field(fields, 3);
    entry.TypeName = TemplateTypeName(Field(fields, 4), entry.Side);
    return entry;
}

// Reads one line without its "\n", stopping once it is longer than the limit (so a file of
// binary garbage without line ends is never taken in whole). False at the end of the input.
bool ReadLine(std::istream& in, std::string& line) {
    line.clear();
    std::streambuf* buffer = in.rdbuf();
    for (;;) {
        const int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            return !line.empty();
        }
        if (c == '\n')
            return true;
        line.push_back(static_cast<char>(c));
        if (line.size() > WizardLineLimit + 1) // room for a "\r"
            return true;
    }
}

TWizardTemplate Refused(std::string error) {
    TWizardTemplate result;
    result.Error = std::move(error);
    return result;
}

} // namespace

const std::vector<std::string>& WizardTypeNames(std::uint8_t side) {
    static const std::vector<std::string> credit{"General Income", "Other Income", "Assets Sold", "Funds Injection"};
    static const std::vector<std::string> debit{"Assets Purchased", "Overheads",      "Stock Purchased", "Wages",
                                                "Company Tax",      "Other Expenses", "Funds Repayment"};
    return side == Credit ? credit : debit;
}

std::int32_t DefaultTypeNumber(const std::string& typeName) {
    static const char* const numbered[] = {"General Income",   "Other Income",    "Assets Sold",    "Funds Injection",
                                           "Assets Purchased", "Stock Purchased", "Overheads",      "Wages",
                                           "Company Tax",      "Other Expenses",  "Funds Repayment"};
    for (std::int32_t number = 0; number < 11; ++number)
        if (typeName == numbered[number])
            return number;
    return -1;
}

std::string TemplateTypeName(const std::string& field, std::uint8_t side) {
    for (const std::string& name : WizardTypeNames(side))
        if (field == name)
            return name;
    return side == Credit ? "General Income" : "Other Expenses";
}

TWizardTemplate ReadWizardTemplate(std::istream& in) {
    TWizardTemplate result;
    std::string line;
    std::size_t lineNumber = 0;
    std::size_t total = 0;
    bool utf8 = false;
    bool skipping = false; // sub category lines of a category that was left out
    while (ReadLine(in, line)) {
        ++lineNumber;
        total += line.size() + 1;
        if (total > WizardFileLimit)
            return Refused("The file is larger than a template can be.");
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > WizardLineLimit)
            return Refused("Line " + std::to_string(lineNumber) + " is longer than " + std::to_string(WizardLineLimit) +
                           " characters.");
        if (lineNumber == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) {
            // Saved by an editor as UTF-8 with its mark: the texts become Windows-1252 all the same.
            utf8 = true;
            line.erase(0, 3);
        }
        if (!line.empty() && line[0] == '~')
            return result;
        if (!IsText(line))
            return Refused("Line " + std::to_string(lineNumber) + " holds characters that are not text.");
        if (utf8)
            line = Utf8ToCp1252(line);
        if (!line.empty() && line[0] == '*') {
            TMainActInfo entry = CategoryLine(line.substr(1));
            skipping = entry.Name.empty();
            if (!skipping)
                result.Entries.push_back(std::move(entry));
            continue;
        }
        const std::string name = Trim(line);
        if (name.empty() || skipping || result.Entries.empty() || HasSub(result.Entries.back(), name))
            continue;
        result.Entries.back().SubNames.push_back(name);
    }
    result.Warning = "The file has no end mark (a line starting with \"~\"): it may be cut short.";
    return result;
}

TWizardTemplate ReadWizardTemplateFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Refused("The file \"" + path + "\" could not be opened.");
    return ReadWizardTemplate(in);
}

} // namespace qz
