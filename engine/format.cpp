// Bounded printf-style formatting into UTF-16 buffers, value text by format
// code, and day numbers of the proleptic Gregorian calendar.
//
// Number text comes from std::to_chars only: it is correctly rounded from the
// binary value (ties to even, like glibc's printf), needs no locale and gives
// the same digits on every platform we build for.
#include "engine/format.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

#include "engine/descriptor.h"
#include "engine/text.h"

namespace tarn {
namespace {

// Field widths and precisions beyond these are refused (-1) instead of being
// padded out or overflowing the number scratch.
constexpr int32_t kMaxFieldWidth = 4096;
constexpr int32_t kMaxPrecision = 100;
// Narrow text of one number: %.100f of the largest double is 1 + 309 + 1 + 100.
constexpr int32_t kNumberScratch = 512;
// FormatValue's narrow scratch: 79 characters and the terminator.
constexpr int32_t kValueScratch = 80;

// The wide result of one FormatBounded call. `length` counts every character
// of the complete text, also those that no longer fit.
struct Output {
    char16_t* buffer;
    int32_t capacity;
    int64_t length;
};

void Put(Output& out, char16_t character) {
    if (out.length < out.capacity - 1) out.buffer[out.length] = character;
    ++out.length;
}

void PutRepeated(Output& out, char16_t character, int64_t count) {
    for (int64_t i = 0; i < count; ++i) Put(out, character);
}

// One directive after its '%': flags, width, precision, 'l's, conversion.
struct Directive {
    bool leftAlign = false;
    bool zeroPad = false;
    int32_t width = 0;
    int32_t precision = -1;  // -1: none written
    int32_t longCount = 0;
    char16_t conversion = 0;
};

// Reads a run of decimal digits; false when it exceeds `limit`.
bool ReadCount(const char16_t*& cursor, int32_t limit, int32_t& value) {
    value = 0;
    while (*cursor >= u'0' && *cursor <= u'9') {
        value = value * 10 + (*cursor - u'0');
        if (value > limit) return false;
        ++cursor;
    }
    return true;
}

// `cursor` stands after the '%'; on success it ends after the conversion.
bool ReadDirective(const char16_t*& cursor, Directive& directive) {
    for (;; ++cursor) {
        if (*cursor == u'-') {
            directive.leftAlign = true;
        } else if (*cursor == u'0') {
            directive.zeroPad = true;
        } else {
            break;
        }
    }
    if (!ReadCount(cursor, kMaxFieldWidth, directive.width)) return false;
    if (*cursor == u'.') {
        ++cursor;
        if (!ReadCount(cursor, kMaxPrecision, directive.precision)) return false;
    }
    while (*cursor == u'l' && directive.longCount < 2) {
        ++directive.longCount;
        ++cursor;
    }
    if (*cursor == 0) return false;
    directive.conversion = *cursor++;
    if (directive.leftAlign) directive.zeroPad = false;  // '-' wins, as in printf
    return true;
}

// Writes narrow number text padded to the directive's width. Zero padding
// goes after the sign; infinities and NaN are padded with spaces only.
void PutNumber(Output& out, const Directive& directive, const char* text, int32_t length) {
    const int64_t padding = directive.width > length ? directive.width - length : 0;
    const bool negative = length > 0 && text[0] == '-';
    const char* digits = negative ? text + 1 : text;
    const bool finite = *digits >= '0' && *digits <= '9';
    if (directive.leftAlign) {
        for (int32_t i = 0; i < length; ++i) Put(out, static_cast<char16_t>(text[i]));
        PutRepeated(out, u' ', padding);
        return;
    }
    if (directive.zeroPad && finite) {
        if (negative) Put(out, u'-');
        PutRepeated(out, u'0', padding);
        for (const char* c = digits; c < text + length; ++c) Put(out, static_cast<char16_t>(*c));
        return;
    }
    PutRepeated(out, u' ', padding);
    for (int32_t i = 0; i < length; ++i) Put(out, static_cast<char16_t>(text[i]));
}

void PutText(Output& out, const Directive& directive, const char16_t* text, int32_t length) {
    const int64_t padding = directive.width > length ? directive.width - length : 0;
    if (!directive.leftAlign) PutRepeated(out, u' ', padding);
    for (int32_t i = 0; i < length; ++i) Put(out, text[i]);
    if (directive.leftAlign) PutRepeated(out, u' ', padding);
}

// Converts one directive with its argument; false when the directive is not
// one this formatter knows or the argument does not have its type.
bool Convert(Output& out, const Directive& directive, const FormatArgument& argument) {
    using Type = FormatArgument::Type;
    char scratch[kNumberScratch];
    switch (directive.conversion) {
        case u'd': {
            // %d is a 32-bit int and %lld a 64-bit one; a wider value given
            // to %d is a mismatch, not something to truncate.
            if (directive.precision >= 0 || directive.longCount == 1) return false;
            if (argument.type != Type::Integer) return false;
            if (directive.longCount == 0 &&
                (argument.integer < INT32_MIN || argument.integer > INT32_MAX)) {
                return false;
            }
            const std::to_chars_result result =
                std::to_chars(scratch, scratch + kNumberScratch, argument.integer);
            if (result.ec != std::errc()) return false;
            PutNumber(out, directive, scratch, static_cast<int32_t>(result.ptr - scratch));
            return true;
        }
        case u'f':
        case u'g': {
            if (directive.longCount != 0 || argument.type != Type::Real) return false;
            const int32_t precision = directive.precision >= 0 ? directive.precision : 6;
            const std::chars_format style =
                directive.conversion == u'f' ? std::chars_format::fixed : std::chars_format::general;
            const std::to_chars_result result =
                std::to_chars(scratch, scratch + kNumberScratch, argument.real, style, precision);
            if (result.ec != std::errc()) return false;
            PutNumber(out, directive, scratch, static_cast<int32_t>(result.ptr - scratch));
            return true;
        }
        case u'c': {
            // A NUL would end the text early; a negative value is a non-ASCII
            // narrow char, which has no single UTF-16 meaning.
            if (directive.precision >= 0 || directive.longCount != 0 || directive.zeroPad) return false;
            if (argument.type != Type::Character) return false;
            if (argument.integer < 1 || argument.integer > 0xFFFF) return false;
            const char16_t character = static_cast<char16_t>(argument.integer);
            PutText(out, directive, &character, 1);
            return true;
        }
        case u's': {
            if (directive.precision >= 0 || directive.longCount != 1 || directive.zeroPad) return false;
            if (argument.type != Type::WideText) return false;
            PutText(out, directive, TextOrEmpty(argument.text), TextLength(argument.text));
            return true;
        }
        default:
            return false;
    }
}

}  // namespace

// On a template it cannot process (unknown directive, missing argument,
// argument of the wrong type) the formatter stops at that directive: the text
// before it stays in the buffer, terminated, and the result is -1. Arguments
// left over after the last directive are ignored, as printf does.
int32_t FormatBoundedArguments(char16_t* buffer, int32_t capacity, const char16_t* format,
                               const FormatArgument* arguments, int32_t argumentCount) {
    if (buffer == nullptr || capacity <= 0) return -1;
    Output out{buffer, capacity, 0};
    bool failed = format == nullptr;
    int32_t nextArgument = 0;
    for (const char16_t* cursor = format; !failed && *cursor != 0;) {
        if (*cursor != u'%') {
            Put(out, *cursor++);
            continue;
        }
        ++cursor;
        if (*cursor == u'%') {
            Put(out, u'%');
            ++cursor;
            continue;
        }
        Directive directive;
        if (!ReadDirective(cursor, directive) || nextArgument >= argumentCount ||
            !Convert(out, directive, arguments[nextArgument])) {
            failed = true;
            break;
        }
        ++nextArgument;
    }
    const int64_t kept = out.length < capacity - 1 ? out.length : capacity - 1;
    buffer[kept] = 0;
    if (failed || out.length > capacity - 1) return -1;
    return static_cast<int32_t>(out.length);
}

void AppendLineArguments(char16_t* buffer, int32_t capacity, const char16_t* format,
                         const FormatArgument* arguments, int32_t argumentCount) {
    if (buffer == nullptr || capacity <= 0) return;
    char16_t line[kAppendLineScratch];
    FormatBoundedArguments(line, kAppendLineScratch, format, arguments, argumentCount);
    AppendBounded(buffer, capacity, line);
    // With one element left only the CR fits; AppendBounded keeps to that.
    AppendBounded(buffer, capacity, u"\r\n");
}

namespace {

struct ValueFormat {
    std::string_view code;
    int32_t decimals;
    bool percent;
};

// Tried in this order; codes are compared byte for byte, so "F1" or "f1 "
// fall through to the default like any unknown code.
constexpr ValueFormat kValueFormats[] = {
    {"f0", 0, false}, {"f1", 1, false}, {"f3", 3, false}, {"int", 0, false}, {"pct", 1, true},
};
constexpr ValueFormat kDefaultValueFormat = {"f2", 2, false};

void WritePlaceholder(char16_t* buffer, int32_t capacity) {
    CopyBounded(buffer, capacity, u"--");
    buffer[capacity - 1] = 0;
}

// Truncation toward zero of `value` fits int64 exactly for -2^63 <= value < 2^63.
bool FitsDayNumber(double value) {
    return value >= -9223372036854775808.0 && value < 9223372036854775808.0;
}

}  // namespace

// A number whose text would not fit the 79-character scratch (magnitude of
// about 1e74 and up) prints as "--" like a non-finite one: a cut number would
// show a wrong magnitude. So does a "date" value whose truncation is outside
// int64.
void FormatValue(const char* formatCode, double value, char16_t* buffer, int32_t capacity) {
    if (buffer == nullptr || capacity <= 0) return;
    if (!std::isfinite(value)) {
        WritePlaceholder(buffer, capacity);
        return;
    }
    const std::string_view code = formatCode != nullptr ? formatCode : "f2";
    if (code == "date") {
        if (!FitsDayNumber(value)) {
            WritePlaceholder(buffer, capacity);
            return;
        }
        FormatDayNumber(static_cast<int64_t>(value), buffer, capacity);
        return;
    }
    ValueFormat chosen = kDefaultValueFormat;
    for (const ValueFormat& candidate : kValueFormats) {
        if (code == candidate.code) {
            chosen = candidate;
            break;
        }
    }
    char scratch[kValueScratch];
    char* const last = scratch + (kValueScratch - 1);  // the terminator's place
    const std::to_chars_result result =
        std::to_chars(scratch, last, value, std::chars_format::fixed, chosen.decimals);
    char* end = result.ptr;
    if (result.ec != std::errc() || (chosen.percent && end == last)) {
        WritePlaceholder(buffer, capacity);
        return;
    }
    if (chosen.percent) *end++ = '%';
    *end = 0;
    // Widen: every byte is ASCII and becomes the code unit of the same value.
    int32_t length = 0;
    for (const char* c = scratch; *c != 0 && length < capacity - 1; ++c) {
        buffer[length++] = static_cast<char16_t>(static_cast<unsigned char>(*c));
    }
    buffer[length] = 0;
    buffer[capacity - 1] = 0;
}

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
    return FormatBounded(buffer, capacity, u"%04lld-%02lld-%02lld", date.year, date.month, date.day);
}

}  // namespace tarn
