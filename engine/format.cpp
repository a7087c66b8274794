// Bounded printf-style formatting into UTF-16 text builders, and value text
// by format code.
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

// The text being formatted; terminated once when the template is done.
using Output = TextBuilder;

void Put(Output& out, char16_t character) {
    if (out.length < out.capacity - 1) {
        out.buffer[out.length++] = character;
    } else {
        out.cut = true;
    }
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
// before it stays, terminated, and the result is false. Arguments left over
// after the last directive are ignored, as printf does.
bool AppendFormattedArguments(TextBuilder& text, const char16_t* format,
                              const FormatArgument* arguments, int32_t argumentCount) {
    bool failed = format == nullptr;
    int32_t nextArgument = 0;
    for (const char16_t* cursor = format; !failed && *cursor != 0;) {
        if (*cursor != u'%') {
            Put(text, *cursor++);
            continue;
        }
        ++cursor;
        if (*cursor == u'%') {
            Put(text, u'%');
            ++cursor;
            continue;
        }
        Directive directive;
        if (!ReadDirective(cursor, directive) || nextArgument >= argumentCount ||
            !Convert(text, directive, arguments[nextArgument])) {
            failed = true;
            break;
        }
        ++nextArgument;
    }
    if (text.capacity > 0) text.buffer[text.length] = 0;
    return !failed;
}

void AppendFormattedLineArguments(TextBuilder& text, const char16_t* format,
                                  const FormatArgument* arguments, int32_t argumentCount) {
    TextBuilder line = StartPart(text, kAppendLineScratch);
    AppendFormattedArguments(line, format, arguments, argumentCount);
    EndPart(text, line);
    // With one element left only the CR fits.
    AppendText(text, u"\r\n");
}

int32_t FormatBoundedArguments(char16_t* buffer, int32_t capacity, const char16_t* format,
                               const FormatArgument* arguments, int32_t argumentCount) {
    if (buffer == nullptr || capacity <= 0) return -1;
    TextBuilder text = StartText(buffer, capacity);
    if (!AppendFormattedArguments(text, format, arguments, argumentCount) || text.cut) return -1;
    return text.length;
}

void AppendLineArguments(char16_t* buffer, int32_t capacity, const char16_t* format,
                         const FormatArgument* arguments, int32_t argumentCount) {
    if (buffer == nullptr || capacity <= 0) return;
    TextBuilder text = ContinueText(buffer, capacity);
    AppendFormattedLineArguments(text, format, arguments, argumentCount);
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

constexpr char16_t kPlaceholder[] = u"--";

// Truncation toward zero of `value` fits int64 exactly for -2^63 <= value < 2^63.
bool FitsDayNumber(double value) {
    return value >= -9223372036854775808.0 && value < 9223372036854775808.0;
}

}  // namespace

// A number whose text would not fit the 79-character scratch (magnitude of
// about 1e74 and up) prints as "--" like a non-finite one: a cut number would
// show a wrong magnitude. So does a "date" value whose truncation is outside
// int64.
void AppendValue(TextBuilder& text, const char* formatCode, double value) {
    if (!std::isfinite(value)) {
        AppendText(text, kPlaceholder);
        return;
    }
    const std::string_view code = formatCode != nullptr ? formatCode : "f2";
    if (code == "date") {
        if (!FitsDayNumber(value)) {
            AppendText(text, kPlaceholder);
            return;
        }
        AppendDayNumber(text, static_cast<int64_t>(value));
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
        AppendText(text, kPlaceholder);
        return;
    }
    if (chosen.percent) *end++ = '%';
    // Widen: every byte is ASCII and becomes the code unit of the same value.
    for (const char* c = scratch; c < end; ++c) {
        AppendChar(text, static_cast<char16_t>(static_cast<unsigned char>(*c)));
    }
}

void FormatValue(const char* formatCode, double value, char16_t* buffer, int32_t capacity) {
    if (buffer == nullptr || capacity <= 0) return;
    TextBuilder text = StartText(buffer, capacity);
    AppendValue(text, formatCode, value);
    // The value buffer's last element is zero whatever the text's length.
    buffer[capacity - 1] = 0;
}

}  // namespace tarn
