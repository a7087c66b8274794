#include "tests/support/text.h"

#include <cstdint>

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
