// Bounded printf-style formatting into caller-owned UTF-16 buffers, value
// text by format code, and proleptic Gregorian day numbers.
//
// FormatBounded is a type-checked variadic template: each argument becomes
// a tagged FormatArgument, and a conversion that does not match its argument
// makes the call fail (-1) instead of reading the wrong type.
// Conversions: %ls %c %d %lld (flags '0' and '-', width) %g %f %.Nf %%.
#pragma once

#include <cstdint>
#include <type_traits>

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

// Non-template cores of the two formatters.
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

// Days since 1970-01-01 in the proleptic Gregorian calendar.
int64_t DaysFromCivil(int32_t year, int32_t month, int32_t day);

// Writes the civil date of `dayNumber` as "%04lld-%02lld-%02lld".
int32_t FormatDayNumber(int64_t dayNumber, char16_t* buffer, int32_t capacity);

}  // namespace tarn
