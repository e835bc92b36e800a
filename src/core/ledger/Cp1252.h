#pragma once
// Texts in documents are Windows-1252 bytes; the command-line tool speaks UTF-8.

#include <string>
#include <string_view>

namespace qz {

std::string Cp1252ToUtf8(std::string_view text);
// Characters that Windows-1252 cannot hold, and malformed UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view text);

// Trims blanks and control characters from both ends, as the editors do with names.
std::string Trim(std::string_view text);
// Compares ignoring letter case (ASCII and the Windows-1252 accented letters).
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

} // namespace qz
