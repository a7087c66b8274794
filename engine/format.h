// Bounded printf-style formatting into caller-owned UTF-16 buffers and text
// builders, and value text by format code. The calendar's functions come
// with it (engine/calendar.h).
//
// FormatBounded is a type-checked variadic template: each argument becomes
// a tagged FormatArgument, and a conversion that does not match its argument
// makes the call fail (-1) instead of reading the wrong type.
// Conversions: %ls %c %d %lld (flags '0' and '-', width) %g %f %.Nf %%.
#pragma once

#include <cstdint>
#include <type_traits>

#include "engine/calendar.h"
#include "engine/text_builder.h"

namespace tarn {

struct FormatArgument {
    enum class Type : uint8_t { None, Integer, Real, WideText, Character };
    Type type = Type::None;
    int64_t integer = 0;
    double real = 0.0;
    const char16_t* text = nullptr;
};

template <class T>
constexpr FormatArgument MakeFormatArgument(const T& value) {
    FormatArgument argument;
    using Plain = std::remove_cv_t<T>;
    if constexpr (std::is_same_v<Plain, char> || std::is_same_v<Plain, char16_t>) {
        argument.type = FormatArgument::Type::Character;
        argument.integer = static_cast<int64_t>(value);
    } else if constexpr (std::is_integral_v<Plain> || std::is_enum_v<Plain>) {
        argument.type = FormatArgument::Type::Integer;
        argument.integer = static_cast<int64_t>(value);
    } else if constexpr (std::is_floating_point_v<Plain>) {
        argument.type = FormatArgument::Type::Real;
        argument.real = static_cast<double>(value);
    } else if constexpr (std::is_convertible_v<T, const char16_t*>) {
        argument.type = FormatArgument::Type::WideText;
        argument.text = value;
    } else {
        static_assert(std::is_convertible_v<T, const char16_t*>,
                      "FormatBounded takes integers, doubles, characters and char16_t texts");
    }
    return argument;
}

// The non-template core: appends the formatted text to `text`, as far as
// it fits. False when the template could not be processed (unknown
// directive, missing argument, argument of the wrong type): the text before
// that directive stays, terminated.
bool AppendFormattedArguments(TextBuilder& text, const char16_t* format,
                              const FormatArgument* arguments, int32_t argumentCount);
// One formatted line of at most 511 characters, then CR LF.
void AppendFormattedLineArguments(TextBuilder& text, const char16_t* format,
                                  const FormatArgument* arguments, int32_t argumentCount);

template <class... Arguments>
bool AppendFormatted(TextBuilder& text, const char16_t* format, const Arguments&... arguments) {
    const FormatArgument list[sizeof...(Arguments) + 1] = {MakeFormatArgument(arguments)...,
                                                           FormatArgument{}};
    return AppendFormattedArguments(text, format, list, static_cast<int32_t>(sizeof...(Arguments)));
}

// Appends a part formatted as into a scratch of `limit` units: the part is
// cut at `limit` - 1 characters on its own.
template <class... Arguments>
bool AppendFormattedPart(TextBuilder& text, int32_t limit, const char16_t* format,
                         const Arguments&... arguments) {
    TextBuilder part = StartPart(text, limit);
    const bool processed = AppendFormatted(part, format, arguments...);
    EndPart(text, part);
    return processed;
}

template <class... Arguments>
void AppendFormattedLine(TextBuilder& text, const char16_t* format, const Arguments&... arguments) {
    const FormatArgument list[sizeof...(Arguments) + 1] = {MakeFormatArgument(arguments)...,
                                                           FormatArgument{}};
    AppendFormattedLineArguments(text, format, list, static_cast<int32_t>(sizeof...(Arguments)));
}

// The same over a bare buffer: FormatBounded starts the text, AppendLine
// goes on from the text already in the buffer.
int32_t FormatBoundedArguments(char16_t* buffer, int32_t capacity, const char16_t* format,
                               const FormatArgument* arguments, int32_t argumentCount);
void AppendLineArguments(char16_t* buffer, int32_t capacity, const char16_t* format,
                         const FormatArgument* arguments, int32_t argumentCount);

// Formats into `buffer`; returns the length written when the whole text fit,
// -1 when it was cut or the template could not be processed.
template <class... Arguments>
int32_t FormatBounded(char16_t* buffer, int32_t capacity, const char16_t* format,
                      const Arguments&... arguments) {
    const FormatArgument list[sizeof...(Arguments) + 1] = {MakeFormatArgument(arguments)...,
                                                           FormatArgument{}};
    return FormatBoundedArguments(buffer, capacity, format, list,
                                  static_cast<int32_t>(sizeof...(Arguments)));
}

// Appends one formatted line (cut at 511 characters) and CR LF to the text
// already terminated in `buffer`, both cut at the capacity.
template <class... Arguments>
void AppendLine(char16_t* buffer, int32_t capacity, const char16_t* format,
                const Arguments&... arguments) {
    const FormatArgument list[sizeof...(Arguments) + 1] = {MakeFormatArgument(arguments)...,
                                                           FormatArgument{}};
    AppendLineArguments(buffer, capacity, format, list,
                        static_cast<int32_t>(sizeof...(Arguments)));
}

inline constexpr int32_t kAppendLineScratch = 512;
inline constexpr int32_t kValueTextCapacity = 128;

// Value text by format code: "f0" "f1" "f3" "int" "pct" "date", else "%.2f".
// Not finite, or too long for the 79-character scratch: "--".
void FormatValue(const char* formatCode, double value, char16_t* buffer, int32_t capacity);
void AppendValue(TextBuilder& text, const char* formatCode, double value);

}  // namespace tarn
