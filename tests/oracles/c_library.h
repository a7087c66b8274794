// The C library as the reference the engine's number texts are held to: its
// printf and strtod in the "C" locale (the tests never call setlocale). On
// MinGW these are the correctly rounded mingw-w64 implementations, not
// msvcrt's, which rounds from at most 17 significant digits.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/text.h"

namespace oracle {

#if defined(__GNUC__) && !defined(_WIN32)
__attribute__((format(printf, 1, 2)))
#endif
inline std::string CFormat(const char* format, ...) {
    char text[2048];
    va_list arguments;
    va_start(arguments, format);
#ifdef _WIN32
    const int length = __mingw_vsnprintf(text, sizeof text, format, arguments);
#else
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
#endif
    va_end(arguments);
    if (length < 0 || static_cast<size_t>(length) >= sizeof text) return "<too long>";
    return std::string(text, static_cast<size_t>(length));
}

inline double CStrtod(const char* text, char** end) {
#ifdef _WIN32
    return __mingw_strtod(text, end);
#else
    return std::strtod(text, end);
#endif
}

using tarn::testing::Widen;

inline std::string Narrow(const std::u16string& wide) {
    std::string narrow;
    for (const char16_t c : wide) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return narrow;
}

}  // namespace oracle
