#include "ReportOptions.h"

#include <cmath>
#include <cstdio>

namespace qz {

std::string ReportFileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

std::string ReportSubtitle(TDateTime from, TDateTime to, bool selectionActive, const std::string& shortDateFormat) {
    std::string text = selectionActive ? "Selected Transactions - " : "";
    text += FormatDate(from, shortDateFormat);
    text += " Through ";
    text += FormatDate(to, shortDateFormat);
    return text;
}

std::string PrintedDateTimeText(TDateTime now, const std::string& shortDateFormat) {
    const double fraction = now - std::floor(now);
    const long seconds = std::lround(fraction * 86400.0) % 86400;
    char time[16];
    std::snprintf(time, sizeof time, " %02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return FormatDate(now, shortDateFormat) + time;
}

} // namespace qz
