#pragma once
// A CSV statement's column mapping as the import window's panel sets it, and the mappings
// remembered per bank file layout in the program's settings store: under "Import Layouts",
// one value per layout key (the header row's names, or the number of columns).

#include "filters/CsvReader.h"
#include "platform/Registry.h"

#include <optional>
#include <string>

namespace qz::gui {

struct TCsvMapping {
    TCsvColumns Columns;
    char Separator = ',';
    char DecimalMark = 0; // 0: told from the amounts
    TDateOrder Order = TDateOrder::Unknown;

    bool operator==(const TCsvMapping&) const = default;
    TCsvOptions Options() const;
    // The date and either the amount or both the debit and the credit are chosen.
    bool Complete() const;
};

// The mapping a file of `layout` starts with: the one remembered for its key, else the columns
// its header names, else none chosen.
TCsvMapping InitialMapping(Registry& values, const TCsvLayout& layout);

std::optional<TCsvMapping> RememberedMapping(Registry& values, const std::string& layoutKey);
void RememberMapping(Registry& values, const std::string& layoutKey, const TCsvMapping& mapping);

// The settings value a layout's mapping is stored under.
std::string MappingValueName(const std::string& layoutKey);

} // namespace qz::gui
