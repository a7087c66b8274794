// UTF-8 and UTF-16 between FLTK and the commands, through the platform's
// codec, with the line-end conversions FLTK needs.
#include "ui/fltk/utf.h"

#include "platform/unicode.h"

namespace tarn::fltk {

int32_t ToUtf8(const char16_t* text, char* bytes, int32_t capacity, LineEnds lineEnds) {
    if (capacity <= 0) return 0;
    int32_t written = 0;
    for (int32_t index = 0; text && text[index] != 0;) {
        const char32_t codePoint = platform::NextUtf16CodePoint(text, &index);
        if (lineEnds == LineEnds::CrLfToLf && codePoint == u'\r' && text[index] == u'\n') continue;
        const bool widenLf = lineEnds == LineEnds::LfToCrLf && codePoint == u'\n';
        const int32_t size = platform::Utf8EncodedSize(codePoint) + (widenLf ? 1 : 0);
        if (written + size + 1 > capacity) break;
        if (widenLf) bytes[written++] = '\r';
        platform::EncodeUtf8(codePoint, bytes + written);
        written += platform::Utf8EncodedSize(codePoint);
    }
    bytes[written] = 0;
    return written;
}

int32_t ToUtf16(const char* bytes, char16_t* text, int32_t capacity, LineEnds lineEnds) {
    if (capacity <= 0) return 0;
    int32_t written = 0;
    const int32_t length = platform::NarrowLength(bytes);
    for (int32_t index = 0; index < length;) {
        const char32_t codePoint = platform::NextUtf8CodePoint(bytes, length, &index);
        if (lineEnds == LineEnds::CrLfToLf && codePoint == U'\r' && index < length &&
            bytes[index] == '\n') {
            continue;
        }
        const bool widenLf = lineEnds == LineEnds::LfToCrLf && codePoint == U'\n';
        const int32_t units = platform::Utf16EncodedSize(codePoint) + (widenLf ? 1 : 0);
        if (written + units + 1 > capacity) break;
        if (widenLf) text[written++] = u'\r';
        platform::EncodeUtf16(codePoint, text + written);
        written += platform::Utf16EncodedSize(codePoint);
    }
    text[written] = 0;
    return written;
}

}  // namespace tarn::fltk
