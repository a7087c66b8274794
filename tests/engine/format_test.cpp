// Bounded formatting, value text by format code, and the day-number calendar.
#include "engine/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "tests/support/guarded_buffer.h"
#include "tests/support/text.h"

namespace tarn {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Buffers with a guard band after the capacity, so that any write past the
// capacity is seen.
using testing::GuardedBuffer;
using testing::kGuard;

FormatArgument Int(int64_t value) { return MakeFormatArgument(value); }
FormatArgument Real(double value) { return MakeFormatArgument(value); }
FormatArgument Wide(const char16_t* text) {
    FormatArgument argument;
    argument.type = FormatArgument::Type::WideText;
    argument.text = text;
    return argument;
}
FormatArgument Char(char16_t value) { return MakeFormatArgument(value); }

using testing::ValueText;

std::u16string DayText(int64_t dayNumber) {
    char16_t buffer[32];
    FormatDayNumber(dayNumber, buffer, 32);
    return std::u16string(buffer);
}

// ---------------------------------------------------------------- FormatValue

struct ValueCase {
    const char* code;
    double value;
    const char16_t* expected;
};

TEST(FormatValue, EachCodeRoundsTheBinaryValueWithTiesToEven) {
    const ValueCase cases[] = {
        {"f1", 20.0, u"20.0"},     {"f1", 6.0, u"6.0"},       {"f1", 0.05, u"0.1"},
        {"f1", 1.25, u"1.2"},      {"f1", 0.15, u"0.1"},      {"f1", -0.04, u"-0.0"},
        {"f1", -0.0, u"-0.0"},     {"f1", 0.0, u"0.0"},       {"f1", -1e-300, u"-0.0"},
        {"f1", -10.0, u"-10.0"},   {"f0", 2.5, u"2"},         {"f0", 3.5, u"4"},
        {"f0", 0.5, u"0"},         {"f0", -2.5, u"-2"},       {"f0", -0.5, u"-0"},
        {"int", 2.5, u"2"},        {"int", 3.5, u"4"},        {"int", 1e15 + 0.5, u"1000000000000000"},
        {"int", 2147483648.0, u"2147483648"},                 {"int", 1e20, u"100000000000000000000"},
        {"f3", 1.0, u"1.000"},     {"f3", 0.0005, u"0.001"},  {"f3", 2.0005, u"2.001"},
        {"f3", -0.0004, u"-0.000"},
        {"pct", 0.256, u"0.3%"},   {"pct", 12.34, u"12.3%"},  {"pct", 0.25, u"0.2%"},
        {"pct", -0.04, u"-0.0%"},  {"pct", 100.0, u"100.0%"},
        {"f2", 0.125, u"0.12"},    {"f2", 0.375, u"0.38"},    {"f2", 2.675, u"2.67"},
    };
    for (const ValueCase& c : cases) {
        EXPECT_EQ(ValueText(c.code, c.value), c.expected) << c.code << " " << c.value;
    }
}

TEST(FormatValue, UnknownAbsentAndNearMissCodesUseTwoDecimals) {
    const char* codes[] = {nullptr, "f2", "", "F1", "f1 ", " f1", "f", "f10", "INT", "pct%", "date ", "Date"};
    for (const char* code : codes) {
        EXPECT_EQ(ValueText(code, 7.0), u"7.00") << (code ? code : "(absent)");
    }
    EXPECT_EQ(ValueText(nullptr, 0.125), u"0.12");
}

TEST(FormatValue, DateTruncatesTowardZero) {
    const ValueCase cases[] = {
        {"date", 19782.0, u"2024-02-29"},   {"date", 19782.9, u"2024-02-29"},
        {"date", -0.5, u"1970-01-01"},      {"date", -0.0, u"1970-01-01"},
        {"date", -1.0, u"1969-12-31"},      {"date", -1.5, u"1969-12-31"},
        {"date", 2932897.0, u"10000-01-01"}, {"date", -719469.0, u"0000-02-29"},
        {"date", -1000000.0, u"-768-02-04"},
    };
    for (const ValueCase& c : cases) {
        EXPECT_EQ(ValueText(c.code, c.value), c.expected) << c.value;
    }
}

TEST(FormatValue, DateAtTheEndsOfTheDayNumberRange) {
    // -2^63 truncates to INT64_MIN itself; 2^63 and beyond do not fit.
    EXPECT_EQ(ValueText("date", -9223372036854775808.0), u"-25252734927764585-06-07");
    EXPECT_EQ(ValueText("date", 4611686018427387904.0), u"12626367463885247-04-15");
    const double outside[] = {9223372036854775808.0, -9223372036854777856.0, 1e19, -1e19, 1e300};
    for (double value : outside) {
        EXPECT_EQ(ValueText("date", value), u"--") << value;
    }
}

TEST(FormatValue, NotFiniteIsAPlaceholderForEveryCode) {
    const char* codes[] = {"f0", "f1", "f2", "f3", "int", "pct", "date", "", nullptr};
    for (const char* code : codes) {
        for (double value : {kNaN, -kNaN, kInf, -kInf}) {
            EXPECT_EQ(ValueText(code, value), u"--") << (code ? code : "(absent)") << " " << value;
        }
    }
}

TEST(FormatValue, NumbersTooLongForTheScratchArePlaceholders) {
    // The longest text that fits has 79 characters.
    EXPECT_EQ(ValueText("f0", 1e79).size(), 79u);
    EXPECT_EQ(ValueText("f0", -1e79), u"--");
    EXPECT_EQ(ValueText("f1", 1e77).size(), 79u);
    EXPECT_EQ(ValueText("f1", 1.5e77), u"--");
    EXPECT_EQ(ValueText("f1", 1e80), u"--");
    EXPECT_EQ(ValueText("f2", 1e76), u"--");
    EXPECT_EQ(ValueText("pct", 1e75).size(), 78u);
    EXPECT_EQ(ValueText("pct", 1e76), u"--");  // 79 digits and point, no room for '%'
    const std::u16string below = ValueText("f3", -9.99e73);
    EXPECT_EQ(below.size(), 79u);
    EXPECT_EQ(below.substr(0, 5), u"-9989");
    EXPECT_EQ(below.substr(75), u".000");
}

TEST(FormatValue, StaysInsideTheCallersCapacity) {
    GuardedBuffer small(4);
    FormatValue("f1", 20.0, small.data, small.capacity);
    EXPECT_EQ(small.Text(), u"20.");
    EXPECT_TRUE(small.GuardsIntact());

    GuardedBuffer one(1);
    FormatValue("pct", 12.34, one.data, one.capacity);
    EXPECT_EQ(one.Text(), u"");
    EXPECT_TRUE(one.GuardsIntact());

    GuardedBuffer placeholder(2);
    FormatValue("f1", kNaN, placeholder.data, placeholder.capacity);
    EXPECT_EQ(placeholder.Text(), u"-");
    EXPECT_TRUE(placeholder.GuardsIntact());

    GuardedBuffer date(5);
    FormatValue("date", 19782.0, date.data, date.capacity);
    EXPECT_EQ(date.Text(), u"2024");
    EXPECT_TRUE(date.GuardsIntact());

    GuardedBuffer none(0);
    FormatValue("f1", 1.0, none.data, none.capacity);
    EXPECT_EQ(none.data[0], kGuard);
}

TEST(FormatValue, LastElementOfTheBufferIsAlwaysZero) {
    GuardedBuffer buffer(kValueTextCapacity);
    FormatValue("f1", 6.0, buffer.data, buffer.capacity);
    EXPECT_EQ(buffer.Text(), u"6.0");
    EXPECT_EQ(buffer.data[kValueTextCapacity - 1], 0);
    EXPECT_TRUE(buffer.GuardsIntact());
}

// -------------------------------------------------------------- FormatBounded

TEST(FormatBounded, CutsAtTheCapacityAndAlwaysTerminates) {
    struct Case {
        int32_t capacity;
        const char16_t* expected;
        int32_t result;
    };
    const Case cases[] = {
        {64, u"abcdef", 6}, {7, u"abcdef", 6}, {6, u"abcde", -1}, {4, u"abc", -1}, {1, u"", -1},
    };
    for (const Case& c : cases) {
        GuardedBuffer buffer(c.capacity);
        EXPECT_EQ(FormatBounded(buffer.data, buffer.capacity, u"abcdef"), c.result) << c.capacity;
        EXPECT_EQ(buffer.Text(), c.expected) << c.capacity;
        EXPECT_TRUE(buffer.GuardsIntact()) << c.capacity;
    }
    GuardedBuffer none(0);
    EXPECT_EQ(FormatBounded(none.data, 0, u"abcdef"), -1);
    EXPECT_TRUE(none.GuardsIntact());
    EXPECT_EQ(none.data[0], kGuard);
}

TEST(FormatBounded, CutsInsideAConversion) {
    GuardedBuffer padded(3);
    EXPECT_EQ(FormatBounded(padded.data, padded.capacity, u"%04d", 12), -1);
    EXPECT_EQ(padded.Text(), u"00");
    EXPECT_TRUE(padded.GuardsIntact());

    GuardedBuffer text(4);
    EXPECT_EQ(FormatBounded(text.data, text.capacity, u"%ls：%ls", u"体重", u"60"), -1);
    EXPECT_EQ(text.Text(), u"体重：");
    EXPECT_TRUE(text.GuardsIntact());

    GuardedBuffer number(5);
    EXPECT_EQ(FormatBounded(number.data, number.capacity, u"%.3f", -12.5), -1);
    EXPECT_EQ(number.Text(), u"-12.");
    EXPECT_TRUE(number.GuardsIntact());
}

struct ConversionCase {
    const char16_t* format;
    FormatArgument argument;
    const char16_t* expected;
};

TEST(FormatBounded, IntegerConversionsWithWidthsAndSigns) {
    const ConversionCase cases[] = {
        {u"%d", Int(0), u"0"},
        {u"%d", Int(-5), u"-5"},
        {u"%d", Int(INT32_MIN), u"-2147483648"},
        {u"%d", Int(INT32_MAX), u"2147483647"},
        {u"%02d", Int(5), u"05"},
        {u"%02d", Int(123), u"123"},
        {u"%02d", Int(-5), u"-5"},
        {u"%03d", Int(-5), u"-05"},
        {u"%03d", Int(7), u"007"},
        {u"%04d", Int(-7), u"-007"},
        {u"%04d", Int(2024), u"2024"},
        {u"%5d|", Int(42), u"   42|"},
        {u"%-5d|", Int(42), u"42   |"},
        {u"%-05d|", Int(-42), u"-42  |"},
        {u"%lld", Int(INT64_MIN), u"-9223372036854775808"},
        {u"%lld", Int(INT64_MAX), u"9223372036854775807"},
        {u"%lld", Int(int64_t{1} << 40), u"1099511627776"},
        {u"%02lld", Int(3), u"03"},
        {u"%02lld", Int(0), u"00"},
        {u"%04lld", Int(-5), u"-005"},
        {u"%04lld", Int(5), u"0005"},
        {u"%04lld", Int(10000), u"10000"},
        {u"%04lld", Int(-10000), u"-10000"},
    };
    for (const ConversionCase& c : cases) {
        char16_t buffer[64];
        const int32_t result = FormatBoundedArguments(buffer, 64, c.format, &c.argument, 1);
        EXPECT_EQ(std::u16string(buffer), c.expected);
        EXPECT_EQ(result, static_cast<int32_t>(std::u16string(c.expected).size()));
    }
}

TEST(FormatBounded, RealConversionsMatchTheCLibrary) {
    const ConversionCase cases[] = {
        {u"%g", Real(1234567.0), u"1.23457e+06"},
        {u"%g", Real(0.00001), u"1e-05"},
        {u"%g", Real(0.000025), u"2.5e-05"},
        {u"%g", Real(0.0001), u"0.0001"},
        {u"%g", Real(100000.0), u"100000"},
        {u"%g", Real(1000000.0), u"1e+06"},
        {u"%g", Real(123456.5), u"123456"},
        {u"%g", Real(1234565.0), u"1.23456e+06"},
        {u"%g", Real(60.0), u"60"},
        {u"%g", Real(6.800000190734863), u"6.8"},
        {u"%g", Real(0.5), u"0.5"},
        {u"%g", Real(-0.0), u"-0"},
        {u"%g", Real(1e100), u"1e+100"},
        {u"%g", Real(1e-100), u"1e-100"},
        {u"%g", Real(kInf), u"inf"},
        {u"%g", Real(-kInf), u"-inf"},
        {u"%.6g", Real(6.800000190734863), u"6.8"},
        {u"%.1g", Real(2.5), u"2"},
        {u"%.1g", Real(3.5), u"4"},
        {u"%.0g", Real(2.5), u"2"},
        {u"%.2g", Real(0.125), u"0.12"},
        {u"%f", Real(1.5), u"1.500000"},
        {u"%.0f", Real(2.5), u"2"},
        {u"%.0f", Real(3.5), u"4"},
        {u"%.2f", Real(0.125), u"0.12"},
        {u"%.1f", Real(-0.04), u"-0.0"},
        {u"%.1f", Real(0.05), u"0.1"},
        {u"%.1f", Real(0.15), u"0.1"},
        {u"%.2f", Real(1e21), u"1000000000000000000000.00"},
        {u"%.1f", Real(kInf), u"inf"},
        {u"%06.1f", Real(-1.5), u"-001.5"},
        {u"%-6.1f|", Real(1.5), u"1.5   |"},
        {u"%6.1f", Real(-kInf), u"  -inf"},
        {u"%06.1f", Real(kInf), u"   inf"},
        {u"%.1f%%", Real(12.34), u"12.3%"},
    };
    for (const ConversionCase& c : cases) {
        char16_t buffer[64];
        const int32_t result = FormatBoundedArguments(buffer, 64, c.format, &c.argument, 1);
        EXPECT_EQ(std::u16string(buffer), c.expected);
        EXPECT_EQ(result, static_cast<int32_t>(std::u16string(c.expected).size()));
    }
}

TEST(FormatBounded, TextCharacterAndPercent) {
    const ConversionCase cases[] = {
        {u"%ls", Wide(u"体重"), u"体重"},
        {u"[%ls]", Wide(nullptr), u"[]"},
        {u"%-4ls|", Wide(u"ab"), u"ab  |"},
        {u"%4ls|", Wide(u"ab"), u"  ab|"},
        {u"%1ls", Wide(u"abc"), u"abc"},
        {u"%c", Char(u'D'), u"D"},
        {u"%c", Char(u'日'), u"日"},
        // The first and the last code unit a %c takes.
        {u"%c", Char(u'\u0001'), u"\u0001"},
        {u"%c", Char(u'\uFFFF'), u"\uFFFF"},
        {u"%3c", Char(u'N'), u"  N"},
        {u"100%%", Int(0), u"100%"},
        {u"%%d", Int(0), u"%d"},
    };
    for (const ConversionCase& c : cases) {
        char16_t buffer[64];
        const int32_t result = FormatBoundedArguments(buffer, 64, c.format, &c.argument, 1);
        EXPECT_EQ(std::u16string(buffer), c.expected);
        EXPECT_EQ(result, static_cast<int32_t>(std::u16string(c.expected).size()));
    }
}

TEST(FormatBounded, LongNumbersAreWrittenInFull) {
    char16_t buffer[512];
    EXPECT_EQ(FormatBounded(buffer, 512, u"%.0f", 1e300), 301);
    EXPECT_EQ(buffer[0], u'1');
    EXPECT_EQ(FormatBounded(buffer, 512, u"%.100f", -1.7976931348623157e308), 1 + 309 + 1 + 100);
    EXPECT_EQ(FormatBounded(buffer, 512, u"%.100f", 0.1), 102);
    EXPECT_EQ(std::u16string(buffer).substr(0, 22), u"0.10000000000000000555");
}

TEST(FormatBounded, ArgumentTypesFollowTheCallersTypes) {
    char16_t buffer[64];
    const int64_t wide = -5;
    const std::u16string expected = u"1|-005|x|日|y|1.5|2.2";
    EXPECT_EQ(FormatBounded(buffer, 64, u"%d|%04lld|%c|%c|%ls|%g|%.1f", 1, wide, 'x', u'日', u"y", 1.5f, 2.25),
              static_cast<int32_t>(expected.size()));
    EXPECT_EQ(std::u16string(buffer), expected);
    EXPECT_EQ(FormatBounded(buffer, 64, u"[%ls]", nullptr), 2);
    EXPECT_EQ(std::u16string(buffer), u"[]");
}

// Processing stops at the directive it cannot handle; the text before it stays.
TEST(FormatBounded, RefusesMismatchedMissingAndUnknownDirectives) {
    struct Case {
        const char16_t* format;
        FormatArgument argument;
        int32_t argumentCount;
        const char16_t* kept;
    };
    const Case cases[] = {
        {u"a%db", Real(1.0), 1, u"a"},          {u"a%db", Char(u'1'), 1, u"a"},
        {u"a%lldb", Wide(u"1"), 1, u"a"},       {u"a%d", Int(int64_t{1} << 31), 1, u"a"},
        {u"a%d", Int(-(int64_t{1} << 31) - 1), 1, u"a"},
        {u"a%lsb", Int(1), 1, u"a"},            {u"a%cb", Int(68), 1, u"a"},
        {u"a%cb", Char(0), 1, u"a"},            {u"a%fb", Int(1), 1, u"a"},
        {u"a%gb", Wide(u"1"), 1, u"a"},         {u"a%.1fb", Char(u'1'), 1, u"a"},
        {u"a%d", Int(1), 0, u"a"},              {u"a%ls", Wide(u"x"), 0, u"a"},
        {u"a%x", Int(1), 1, u"a"},              {u"a%s", Wide(u"x"), 1, u"a"},
        {u"a%ld", Int(1), 1, u"a"},             {u"a%lld", Real(1.0), 1, u"a"},
        {u"a%llld", Int(1), 1, u"a"},           {u"a%lf", Real(1.0), 1, u"a"},
        {u"a%lls", Wide(u"x"), 1, u"a"},        {u"a%u", Int(1), 1, u"a"},
        {u"a%e", Real(1.0), 1, u"a"},           {u"a%+d", Int(1), 1, u"a"},
        {u"a% d", Int(1), 1, u"a"},             {u"a%#g", Real(1.0), 1, u"a"},
        {u"a%.2d", Int(1), 1, u"a"},            {u"a%05ls", Wide(u"x"), 1, u"a"},
        {u"a%.2ls", Wide(u"x"), 1, u"a"},       {u"a%5", Int(1), 1, u"a"},
        {u"a%", Int(1), 1, u"a"},               {u"a%5000d", Int(1), 1, u"a"},
        {u"a%.101f", Real(1.0), 1, u"a"},       {u"a%*d", Int(1), 1, u"a"},
    };
    for (const Case& c : cases) {
        GuardedBuffer buffer(64);
        EXPECT_EQ(FormatBoundedArguments(buffer.data, buffer.capacity, c.format, &c.argument, c.argumentCount),
                  -1);
        EXPECT_EQ(buffer.Text(), c.kept);
        EXPECT_TRUE(buffer.GuardsIntact());
    }
    char16_t buffer[8] = u"xxxxxxx";
    EXPECT_EQ(FormatBoundedArguments(buffer, 8, nullptr, nullptr, 0), -1);
    EXPECT_EQ(buffer[0], 0);
    // A second directive without its argument.
    EXPECT_EQ(FormatBounded(buffer, 8, u"%d %d", 1), -1);
    EXPECT_EQ(std::u16string(buffer), u"1 ");
}

TEST(FormatBounded, ArgumentsLeftOverAreIgnored) {
    char16_t buffer[8];
    EXPECT_EQ(FormatBounded(buffer, 8, u"x%dy", 1, 2, 3), 3);
    EXPECT_EQ(std::u16string(buffer), u"x1y");
}

// ----------------------------------------------------------------- AppendLine

TEST(AppendLine, CutsTheLineFirstThenTheLineBreak) {
    struct Case {
        const char16_t* before;
        const char16_t* line;
        const char16_t* after;
    };
    const Case cases[] = {
        {u"abcdef", u"xy", u"abcdefxy\r"},        // one element left: CR only
        {u"abcdefg", u"xyz", u"abcdefgxy"},       // no room for a line break
        {u"abcdefgh", u"x", u"abcdefghx"},
        {u"abcdefghi", u"x", u"abcdefghi"},       // already full
        {u"abcde", u"xy", u"abcdexy\r\n"},        // exactly fits
        {u"", u"", u"\r\n"},
    };
    for (const Case& c : cases) {
        GuardedBuffer buffer(10);
        const std::u16string before(c.before);
        before.copy(buffer.data, before.size());
        buffer.data[before.size()] = 0;
        AppendLine(buffer.data, buffer.capacity, u"%ls", c.line);
        EXPECT_EQ(buffer.Text(), c.after) << std::string(before.begin(), before.end());
        EXPECT_TRUE(buffer.GuardsIntact());
    }
}

TEST(AppendLine, FormatsTheLineAndAppendsCrLf) {
    char16_t buffer[64] = u"";
    AppendLine(buffer, 64, u"%d日%c ", 3, 'D');
    AppendLine(buffer, 64, u"");
    AppendLine(buffer, 64, u"%02d 床：SpO2＿%%", 7);
    EXPECT_EQ(std::u16string(buffer), u"3日D \r\n\r\n07 床：SpO2＿%\r\n");
}

TEST(AppendLine, CutsTheLineAt511Characters) {
    const std::u16string longText(600, u'x');
    static char16_t buffer[1024];
    buffer[0] = 0;
    AppendLine(buffer, 1024, u"%ls", longText.c_str());
    EXPECT_EQ(std::u16string(buffer), std::u16string(511, u'x') + u"\r\n");
}

TEST(AppendLine, KeepsTheTextBeforeAFailedDirective) {
    char16_t buffer[16] = u"";
    AppendLine(buffer, 16, u"a%db", 1.5);
    EXPECT_EQ(std::u16string(buffer), u"a\r\n");
}

TEST(AppendLine, CapacityZeroTouchesNothing) {
    GuardedBuffer buffer(0);
    AppendLine(buffer.data, 0, u"x");
    EXPECT_TRUE(buffer.GuardsIntact());
    EXPECT_EQ(buffer.data[0], kGuard);
}

// ------------------------------------------------------------------- Calendar

struct CalendarCase {
    int32_t year;
    int32_t month;
    int32_t day;
    int64_t dayNumber;
    const char16_t* text;
};

constexpr CalendarCase kWorkedDates[] = {
    {1970, 1, 1, 0, u"1970-01-01"},          {1969, 12, 31, -1, u"1969-12-31"},
    {1970, 3, 1, 59, u"1970-03-01"},         {2000, 1, 1, 10957, u"2000-01-01"},
    {2000, 2, 29, 11016, u"2000-02-29"},     {2000, 3, 1, 11017, u"2000-03-01"},
    {2024, 2, 29, 19782, u"2024-02-29"},     {2025, 1, 1, 20089, u"2025-01-01"},
    {1900, 3, 1, -25508, u"1900-03-01"},     {1, 1, 1, -719162, u"0001-01-01"},
    {0, 3, 1, -719468, u"0000-03-01"},       {0, 2, 29, -719469, u"0000-02-29"},
    {9999, 12, 31, 2932896, u"9999-12-31"},  {10000, 1, 1, 2932897, u"10000-01-01"},
    {-768, 2, 4, -1000000, u"-768-02-04"},
};

TEST(Calendar, WorkedDatesAgreeBothWays) {
    for (const CalendarCase& c : kWorkedDates) {
        EXPECT_EQ(DaysFromCivil(c.year, c.month, c.day), c.dayNumber) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(DayText(c.dayNumber), c.text) << c.dayNumber;
    }
}

TEST(Calendar, DaysAndMonthsOutsideTheirRangesCarryOver) {
    struct Case {
        int32_t year, month, day;
        int32_t sameYear, sameMonth, sameDay;
    };
    const Case cases[] = {
        {2024, 3, 0, 2024, 2, 29},   {2023, 3, 0, 2023, 2, 28},  {2024, 13, 1, 2025, 1, 1},
        {2024, 14, 1, 2025, 2, 1},   {2024, 1, 32, 2024, 2, 1},  {2024, 0, 1, 2023, 12, 1},
        {2024, -1, 1, 2023, 11, 1},  {2024, 1, 0, 2023, 12, 31}, {2024, 12, 32, 2025, 1, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DaysFromCivil(c.year, c.month, c.day), DaysFromCivil(c.sameYear, c.sameMonth, c.sameDay))
            << c.year << "-" << c.month << "-" << c.day;
    }
    EXPECT_EQ(DaysFromCivil(2024, 3, 0), 19782);
    EXPECT_EQ(DaysFromCivil(2024, 13, 1), 20089);
}

TEST(Calendar, YearsArePaddedAfterTheSign) {
    EXPECT_EQ(DayText(DaysFromCivil(5, 6, 7)), u"0005-06-07");
    EXPECT_EQ(DayText(DaysFromCivil(-5, 3, 1)), u"-005-03-01");
    EXPECT_EQ(DayText(DaysFromCivil(-1, 12, 31)), u"-001-12-31");
    EXPECT_EQ(DayText(DaysFromCivil(0, 1, 1)), u"0000-01-01");
}

TEST(Calendar, ExtremeArgumentsStayDefined) {
    // Every 32-bit argument is accepted; the day numbers of the extreme
    // 64-bit values have years of 17 digits.
    EXPECT_EQ(DaysFromCivil(INT32_MAX, 12, 31) - DaysFromCivil(INT32_MAX, 12, 30), 1);
    EXPECT_EQ(DaysFromCivil(INT32_MIN, 1, 1) - DaysFromCivil(INT32_MIN, 1, 2), -1);
    EXPECT_EQ(DaysFromCivil(2000, 1, INT32_MAX) - DaysFromCivil(2000, 1, INT32_MAX - 1), 1);
    EXPECT_LT(DaysFromCivil(2000, INT32_MIN, INT32_MIN), 0);
    EXPECT_EQ(DayText(INT64_MAX), u"25252734927768524-07-27");
    EXPECT_EQ(DayText(INT64_MIN), u"-25252734927764585-06-07");
    char16_t small[5];
    EXPECT_EQ(FormatDayNumber(0, small, 5), -1);
    EXPECT_EQ(std::u16string(small), u"1970");
    char16_t exact[11];
    EXPECT_EQ(FormatDayNumber(0, exact, 11), 10);
}

bool IsLeap(int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int32_t DaysInMonth(int32_t year, int32_t month) {
    constexpr int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

std::u16string CivilText(int32_t year, int32_t month, int32_t day) {
    char narrow[32];
    std::snprintf(narrow, sizeof narrow, "%04d-%02d-%02d", year, month, day);
    return std::u16string(narrow, narrow + std::char_traits<char>::length(narrow));
}

// Walks every day from -1200-01-01 to 2800-12-31 (several 400-year eras on
// both sides of year 0) with an independent calendar counter. The start is
// three eras of 146097 days before 0000-01-01, which lies 60 days before
// 0000-03-01 (day -719468).
TEST(Calendar, EveryDayOfAWideRangeRoundTrips) {
    int64_t expected = -719468 - 60 - 3 * 146097;
    int32_t failures = 0;
    for (int32_t year = -1200; year <= 2800 && failures < 10; ++year) {
        for (int32_t month = 1; month <= 12; ++month) {
            for (int32_t day = 1; day <= DaysInMonth(year, month); ++day) {
                const int64_t dayNumber = DaysFromCivil(year, month, day);
                const std::u16string text = DayText(expected);
                if (dayNumber != expected || text != CivilText(year, month, day)) {
                    ADD_FAILURE() << year << "-" << month << "-" << day << " gives " << dayNumber
                                  << ", expected " << expected;
                    ++failures;
                }
                ++expected;  // consecutive dates differ by one day number
            }
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(expected, DaysFromCivil(2801, 1, 1));
}

}  // namespace
}  // namespace tarn
