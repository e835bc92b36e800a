#pragma once
// The number texts of sub categories ("3-6"), groups ("G4") and transactions ("12B").

#include <cstdint>
#include <string>

namespace qz {

// Appending piece by piece also keeps GCC 12's false -Wrestrict alarm on `"G" + text` away.
inline std::string SubActNumberText(std::int32_t mainAct, std::int32_t subAct) {
    std::string text = std::to_string(mainAct);
    text += '-';
    text += std::to_string(subAct);
    return text;
}
inline std::string GroupNumberText(std::int32_t group) {
    std::string text(1, 'G');
    text += std::to_string(group);
    return text;
}
inline std::string TransNumberText(std::int32_t number, char split) {
    std::string text = std::to_string(number);
    if (split != '0')
        text += split;
    return text;
}

} // namespace qz
