#pragma once
// The new file wizard's template: "Wizdata.dat", a plain text file of categories, each followed
// by its sub categories, up to the end mark. Texts stay Windows-1252 bytes, as in documents.

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace qz {

// One category of the wizard: from the template, or added by the user.
struct TMainActInfo {
    static constexpr std::int32_t UserOrigin = -1;    // the user added it
    static constexpr std::int32_t RemovedOrigin = -2; // the user added it and removed it again

    std::string Name;
    std::uint8_t Side = 1; // 1 credit, 2 debit
    std::string TypeName;  // a default category type's name; empty until chosen
    bool Selected = false; // in the "Selected Categories" tree
    std::vector<std::string> SubNames;
    std::int32_t Origin = 0; // the template's number, or one of the two above
    std::string Flag;        // the template's fourth field, kept as read

    bool IsUser() const { return Origin == UserOrigin; }
    bool IsTemplate() const { return Origin != UserOrigin && Origin != RemovedOrigin; }
};

struct TWizardTemplate {
    std::vector<TMainActInfo> Entries;
    // Why the file could not be used (the entries are then empty), or what is wrong with a
    // file that was used all the same; empty when it was read cleanly.
    std::string Error;
    std::string Warning;
};

// Lines longer than this are not a template's: the file is refused.
inline constexpr std::size_t WizardLineLimit = 1024;
// Neither is a file larger than this.
inline constexpr std::size_t WizardFileLimit = 1 << 20;

TWizardTemplate ReadWizardTemplate(std::istream& in);
// A missing file gives no entries and an Error naming the file.
TWizardTemplate ReadWizardTemplateFile(const std::string& path);

// The default category types of a side, in the order the wizard lists them.
const std::vector<std::string>& WizardTypeNames(std::uint8_t side);
// The number a default type's name has in every new document; -1 for any other name.
std::int32_t DefaultTypeNumber(const std::string& typeName);

// The type a template category gets from its type field: the name itself when it is one of
// the default types of the category's side; otherwise "General Income" for a credit category
// and "Other Expenses" for a debit one (a debit category never gets an income type).
std::string TemplateTypeName(const std::string& field, std::uint8_t side);

} // namespace qz
