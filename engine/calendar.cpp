// Day numbers of the proleptic Gregorian calendar, after Howard Hinnant's
// days_from_civil and civil_from_days.
#include "engine/calendar.h"

#include <cstdint>

#include "engine/format.h"

namespace tarn {
namespace {

// days_from_civil. The year is counted from 1 March, so that the leap day is
// the last day of its year. The ranges hold for months 1..12 and days 1..31;
// other arguments run through the same arithmetic (day 0 is the last day of
// the month before, month 13 January of the next year). 64-bit throughout, so
// that no 32-bit argument can overflow an intermediate.
constexpr int64_t DaysFromCivilValue(int64_t year, int64_t month, int64_t day) {
    const int64_t y = month <= 2 ? year - 1 : year;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;                   // floor(y / 400)
    const int64_t yoe = y - era * 400;                                  // [0, 399]
    const int64_t mp = month > 2 ? month - 3 : month + 9;               // [0, 11], March is 0
    const int64_t doy = (153 * mp + 2) / 5 + day - 1;                   // [0, 365]
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;          // [0, 146096]
    return era * 146097 + doe - 719468;  // 719468: days from 0000-03-01 to 1970-01-01
}

constexpr char16_t kDateTemplate[] = u"%04lld-%02lld-%02lld";

struct CivilDate {
    int64_t year;
    int64_t month;
    int64_t day;
};

// civil_from_days. z = dayNumber + 719468 is split into era * 146097 + doe
// without forming the sum, which would overflow near the ends of int64.
constexpr CivilDate CivilFromDays(int64_t dayNumber) {
    int64_t era = dayNumber / 146097;
    int64_t doe = dayNumber % 146097;                                   // (-146097, 146097)
    if (doe < 0) {
        doe += 146097;
        --era;
    }                                                                   // [0, 146096]
    era += 4;
    doe += 719468 - 4 * 146097;                                         // [135080, 281176]
    if (doe >= 146097) {
        doe -= 146097;
        ++era;
    }                                                                   // [0, 146096]
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                // [0, 365]
    const int64_t mp = (5 * doy + 2) / 153;                                     // [0, 11]
    const int64_t day = doy - (153 * mp + 2) / 5 + 1;                           // [1, 31]
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;                            // [1, 12]
    const int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);  // |era * 400| < 2^55
    return {year, month, day};
}

constexpr bool RoundTrips(int64_t year, int64_t month, int64_t day, int64_t dayNumber) {
    const CivilDate date = CivilFromDays(dayNumber);
    return DaysFromCivilValue(year, month, day) == dayNumber && date.year == year &&
           date.month == month && date.day == day;
}

static_assert(RoundTrips(1970, 1, 1, 0));
static_assert(RoundTrips(1969, 12, 31, -1));
static_assert(RoundTrips(2000, 2, 29, 11016));
static_assert(RoundTrips(2000, 3, 1, 11017));
static_assert(RoundTrips(0, 3, 1, -719468));
static_assert(RoundTrips(0, 2, 29, -719469));
static_assert(RoundTrips(1, 1, 1, -719162));
static_assert(RoundTrips(9999, 12, 31, 2932896));
static_assert(CivilFromDays(INT64_MAX).month >= 1 && CivilFromDays(INT64_MIN).month >= 1);

}  // namespace

int64_t DaysFromCivil(int32_t year, int32_t month, int32_t day) {
    return DaysFromCivilValue(year, month, day);
}

int32_t FormatDayNumber(int64_t dayNumber, char16_t* buffer, int32_t capacity) {
    const CivilDate date = CivilFromDays(dayNumber);
    return FormatBounded(buffer, capacity, kDateTemplate, date.year, date.month, date.day);
}

void AppendDayNumber(TextBuilder& text, int64_t dayNumber) {
    const CivilDate date = CivilFromDays(dayNumber);
    AppendFormatted(text, kDateTemplate, date.year, date.month, date.day);
}

}  // namespace tarn
