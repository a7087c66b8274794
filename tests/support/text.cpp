#include "tests/support/text.h"

#include <cstdint>

#include "engine/format.h"
#include "platform/unicode.h"

namespace tarn::testing {

std::string Utf8(std::u16string_view text) {
    const std::u16string terminated(text);
    std::string bytes(static_cast<size_t>(platform::Utf8Size(terminated.c_str())), '\0');
    const int32_t size =
        platform::Utf16ToUtf8(terminated.c_str(), bytes.data(), static_cast<int32_t>(bytes.size()));
    bytes.resize(size < 0 ? 0 : static_cast<size_t>(size));
    return bytes;
}

std::string Repeat(std::string_view piece, int32_t count) {
    std::string text;
    text.reserve(piece.size() * static_cast<size_t>(count > 0 ? count : 0));
    for (int32_t i = 0; i < count; ++i) text += piece;
    return text;
}

std::u16string ValueText(const char* code, double value) {
    char16_t buffer[kValueTextCapacity];
    FormatValue(code, value, buffer, kValueTextCapacity);
    return buffer;
}

std::vector<std::string> Lines(std::u16string_view report) {
    std::vector<std::string> lines;
    size_t begin = 0;
    while (begin < report.size()) {
        const size_t end = report.find(u"\r\n", begin);
        if (end == std::u16string_view::npos) {
            lines.push_back(Utf8(report.substr(begin)));
            break;
        }
        lines.push_back(Utf8(report.substr(begin, end - begin)));
        begin = end + 2;
    }
    return lines;
}

}  // namespace tarn::testing
