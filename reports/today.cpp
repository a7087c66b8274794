// Today's date from the C library's local time.
#include <ctime>

#include "engine/format.h"
#include "reports/generators.h"

namespace tarn {

int64_t TodayDayNumber() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    const bool converted = localtime_s(&local, &now) == 0;
#else
    const bool converted = localtime_r(&now, &local) != nullptr;
#endif
    if (converted) return DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    // Without a local time the UTC day is the closest there is.
    const int64_t seconds = now == static_cast<std::time_t>(-1) ? 0 : static_cast<int64_t>(now);
    const int64_t days = seconds / 86400;
    return seconds % 86400 < 0 ? days - 1 : days;
}

}  // namespace tarn
