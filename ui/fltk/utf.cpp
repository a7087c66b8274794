#include "ui/fltk/utf.h"

#include "platform/platform.h"

namespace tarn::fltk {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

uint8_t Byte(const char* bytes, int32_t index) { return static_cast<uint8_t>(bytes[index]); }

int32_t LengthOf(const char* bytes) {
    int32_t length = 0;
    while (bytes[length] != 0) ++length;
    return length;
}

}  // namespace

char32_t NextUtf8CodePoint(const char* bytes, int32_t length, int32_t* index) {
    if (*index >= length) return 0;
    const uint8_t lead = Byte(bytes, *index);
    ++*index;
    if (lead < 0x80) return lead;
    int32_t continuation;
    char32_t codePoint;
    char32_t smallest;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuation = 1; codePoint = lead & 0x1Fu; smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuation = 2; codePoint = lead & 0x0Fu; smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuation = 3; codePoint = lead & 0x07u; smallest = 0x10000;
    } else {
        return kReplacement;  // stray continuation byte or impossible lead
    }
    const int32_t start = *index;
    for (int32_t i = 0; i < continuation; ++i) {
        if (start + i >= length || (Byte(bytes, start + i) & 0xC0) != 0x80) {
            return kReplacement;  // the lead byte alone is consumed
        }
        codePoint = (codePoint << 6) | (Byte(bytes, start + i) & 0x3Fu);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF || IsHighSurrogate(codePoint) ||
        IsLowSurrogate(codePoint)) {
        return kReplacement;
    }
    *index = start + continuation;
    return codePoint;
}

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
    const int32_t length = bytes ? LengthOf(bytes) : 0;
    for (int32_t index = 0; index < length;) {
        const char32_t codePoint = NextUtf8CodePoint(bytes, length, &index);
        if (lineEnds == LineEnds::CrLfToLf && codePoint == U'\r' && index < length &&
            bytes[index] == '\n') {
            continue;
        }
        const bool widenLf = lineEnds == LineEnds::LfToCrLf && codePoint == U'\n';
        const int32_t units = (codePoint >= 0x10000 ? 2 : 1) + (widenLf ? 1 : 0);
        if (written + units + 1 > capacity) break;
        if (widenLf) text[written++] = u'\r';
        if (codePoint >= 0x10000) {
            const char32_t offset = codePoint - 0x10000;
            text[written++] = static_cast<char16_t>(0xD800 + (offset >> 10));
            text[written++] = static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
        } else {
            text[written++] = static_cast<char16_t>(codePoint);
        }
    }
    text[written] = 0;
    return written;
}

}  // namespace tarn::fltk
