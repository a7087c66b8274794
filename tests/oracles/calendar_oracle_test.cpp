// DaysFromCivil and FormatDayNumber against the standard library's calendar
// (std::chrono::year_month_day <-> sys_days) for every day from -10000-01-01
// to 10000-12-31, and the texts against the C library's "%04lld-%02lld-%02lld".
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "engine/format.h"
#include "tests/oracles/c_library.h"
#include "tests/oracles/scale.h"

namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year;
using std::chrono::year_month_day;

// The whole range, around 1970 when scale.h asks for less.
const int kFirstYear = 1970 - oracle::Scaled(11970);
const int kLastYear = 1970 + oracle::Scaled(8030);
constexpr int kReportedMismatches = 10;

std::string DateText(int64_t dayNumber) {
    char16_t buffer[32];
    tarn::FormatDayNumber(dayNumber, buffer, 32);
    return oracle::Narrow(buffer);
}

// Reads "Y-MM-DD" back, Y with an optional minus sign; false for anything else.
bool ParseDate(const std::string& text, int64_t& y, int64_t& m, int64_t& d) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    auto number = [&](int64_t& value, size_t minimumDigits) {
        const size_t start = i;
        value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') value = value * 10 + (text[i++] - '0');
        return i - start >= minimumDigits;
    };
    if (!number(y, negative ? 3 : 4)) return false;  // the sign counts in the width of 4
    if (negative) y = -y;
    if (i >= text.size() || text[i++] != '-' || !number(m, 2)) return false;
    if (i >= text.size() || text[i++] != '-' || !number(d, 2)) return false;
    return i == text.size();
}

TEST(CalendarOracle, EveryDayOfTwentyThousandYearsAgreesWithChrono) {
    const sys_days first = sys_days(year(kFirstYear) / 1 / 1);
    const sys_days last = sys_days(year(kLastYear) / 12 / 31);
    int mismatches = 0;
    int64_t checked = 0;
    for (sys_days day = first; day <= last; day += days(1)) {
        const year_month_day civil(day);
        const int64_t expected = day.time_since_epoch().count();
        const int y = static_cast<int>(civil.year());
        const auto m = static_cast<unsigned>(civil.month());
        const auto d = static_cast<unsigned>(civil.day());
        const int64_t number = tarn::DaysFromCivil(y, static_cast<int32_t>(m), static_cast<int32_t>(d));
        const std::string text = DateText(expected);
        const std::string expectedText = oracle::CFormat("%04lld-%02lld-%02lld", static_cast<long long>(y),
                                                         static_cast<long long>(m), static_cast<long long>(d));
        int64_t py = 0, pm = 0, pd = 0;
        const bool parsed = ParseDate(text, py, pm, pd);
        const bool roundTrip = parsed && tarn::DaysFromCivil(static_cast<int32_t>(py), static_cast<int32_t>(pm),
                                                             static_cast<int32_t>(pd)) == expected;
        if ((number != expected || text != expectedText || !roundTrip) && mismatches++ < kReportedMismatches) {
            ADD_FAILURE() << expectedText << ": DaysFromCivil " << number << ", chrono " << expected
                          << "; FormatDayNumber \"" << text << "\"" << (roundTrip ? "" : ", no round trip");
        }
        ++checked;
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(checked, (last - first).count() + 1);
    if (kFirstYear == -10000 && kLastYear == 10000) {
        EXPECT_EQ(checked, 50 * 146097 + 366);  // 50 cycles of 400 years, and the leap year 10000
    }
}

// Negative years keep the sign inside the width of four; five digits need
// no padding.
TEST(CalendarOracle, YearWidthAroundZeroAndTenThousand) {
    const struct {
        int year;
        const char* text;
    } kCases[] = {
        {-10000, "-10000-01-01"}, {-1000, "-1000-01-01"}, {-768, "-768-01-01"}, {-5, "-005-01-01"},
        {-1, "-001-01-01"},       {0, "0000-01-01"},      {5, "0005-01-01"},   {999, "0999-01-01"},
        {9999, "9999-01-01"},     {10000, "10000-01-01"},
    };
    for (const auto& c : kCases) {
        const int64_t number = sys_days(year(c.year) / 1 / 1).time_since_epoch().count();
        EXPECT_EQ(DateText(number), c.text) << c.year;
    }
}

// Day 0 and days past the month's end run on into the neighbouring months,
// and months -9..14 are the months of the years around (13 is January of
// the next year, 0 December of the one before), exactly as chrono counts.
TEST(CalendarOracle, DaysAndMonthsOutsideTheCalendarRunOn) {
    using std::chrono::months;
    using std::chrono::year_month;
    int mismatches = 0;
    for (int y = -500; y <= 2500; y += 7) {
        for (int m = -9; m <= 14; ++m) {
            const year_month month = year_month(year(y), std::chrono::January) + months(m - 1);
            const sys_days firstOfMonth = sys_days(month / 1);
            for (int d = 0; d <= 40; ++d) {
                const int64_t expected = (firstOfMonth + days(d - 1)).time_since_epoch().count();
                const int64_t number = tarn::DaysFromCivil(y, m, d);
                if (number != expected && mismatches++ < kReportedMismatches)
                    ADD_FAILURE() << "DaysFromCivil(" << y << ", " << m << ", " << d << ") = " << number
                                  << ", chrono " << expected;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Beyond chrono's years: the Gregorian calendar repeats every 400 years of
// 146097 days, up to the ends of the 32-bit year and the 64-bit day number.
TEST(CalendarOracle, FourHundredYearCycleHoldsToTheEndsOfTheRange) {
    constexpr int64_t kCycleDays = 146097;
    constexpr int32_t kCycles = 5368709;  // 400 * kCycles < 2^31
    const int32_t years[] = {INT32_MAX, INT32_MAX - 399, INT32_MIN + 400 * kCycles, 2024};
    for (const int32_t y : years) {
        for (const int32_t m : {1, 2, 3, 12}) {
            const int64_t later = tarn::DaysFromCivil(y, m, 28);
            const int64_t earlier = tarn::DaysFromCivil(y - 400 * kCycles, m, 28);
            EXPECT_EQ(later - earlier, kCycleDays * kCycles) << y << "-" << m;
        }
    }
    EXPECT_EQ(DateText(tarn::DaysFromCivil(INT32_MAX, 12, 31)), "2147483647-12-31");
    EXPECT_EQ(DateText(tarn::DaysFromCivil(INT32_MIN, 1, 1)), "-2147483648-01-01");

    // The day numbers at the ends of int64 still give a real date, and the
    // next day is the following date.
    for (const int64_t n : {INT64_MIN, INT64_MIN + 1, INT64_MAX - 1, INT64_MAX}) {
        int64_t y = 0, m = 0, d = 0;
        const std::string text = DateText(n);
        ASSERT_TRUE(ParseDate(text, y, m, d)) << text;
        EXPECT_TRUE(m >= 1 && m <= 12 && d >= 1 && d <= 31) << text;
    }
    int64_t y1 = 0, m1 = 0, d1 = 0, y2 = 0, m2 = 0, d2 = 0;
    ASSERT_TRUE(ParseDate(DateText(INT64_MAX - 1), y1, m1, d1));
    ASSERT_TRUE(ParseDate(DateText(INT64_MAX), y2, m2, d2));
    EXPECT_TRUE((y1 == y2 && m1 == m2 && d2 == d1 + 1) || (d2 == 1 && (m2 == m1 + 1 || (m2 == 1 && y2 == y1 + 1))))
        << DateText(INT64_MAX - 1) << " then " << DateText(INT64_MAX);
}

}  // namespace
