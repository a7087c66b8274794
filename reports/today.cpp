// Today's date from the platform's local time.
#include "engine/format.h"
#include "platform/platform.h"
#include "reports/generators.h"

namespace tarn {

int64_t TodayDayNumber() {
    const platform::LocalDateTime now = platform::LocalTime();
    return DaysFromCivil(now.year, now.month, now.day);
}

}  // namespace tarn
