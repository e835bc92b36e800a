#pragma once
// The number texts of sub categories ("3-6"), groups ("G4") and transactions ("12B").

#include <cstdint>
#include <string>

namespace qz {

inline std::string SubActNumberText(std::int32_t mainAct, std::int32_t subAct) {
    return std::to_string(mainAct) + "-" + std::to_string(subAct);
}
inline std::string GroupNumberText(std::int32_t group) { return "G" + std::to_string(group); }
inline std::string TransNumberText(std::int32_t number, char split) {
    std::string text = std::to_string(number);
    if (split != '0')
        text += split;
    return text;
}

} // namespace qz
