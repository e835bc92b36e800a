#include "Clock.h"

#include "ledger/DateTime.h"

#include <cmath>
#include <ctime>

namespace qz {

double Clock::Today() const { return std::floor(Now()); }

double SystemClock::Now() const {
    std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
}

} // namespace qz
