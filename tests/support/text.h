// Reading the engine's UTF-16 texts in test expectations.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarn::testing {

// ASCII text widened unit by unit (bytes from 0x80 keep their value).
inline std::u16string Widen(std::string_view ascii) {
    std::u16string wide;
    for (const char c : ascii) wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return wide;
}

// UTF-8 by the platform's codec (unpaired surrogates become U+FFFD).
std::string Utf8(std::u16string_view text);

// `piece` written `count` times, for deep and long texts.
std::string Repeat(std::string_view piece, int32_t count);

// The text FormatValue writes for `value` under `code` into a buffer of
// kValueTextCapacity.
std::u16string ValueText(const char* code, double value);

// The text's lines without their CR LF, as UTF-8; a text after the last
// CR LF, if any, is the last line.
std::vector<std::string> Lines(std::u16string_view report);

}  // namespace tarn::testing
