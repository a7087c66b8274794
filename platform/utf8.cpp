// UTF-16 to UTF-8, the same on every platform.
#include "platform/platform.h"

namespace tarn::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

char32_t NextUtf16CodePoint(const char16_t* text, int32_t* index) {
    const char16_t unit = text[*index];
    ++*index;
    if (IsHighSurrogate(unit) && IsLowSurrogate(text[*index])) {
        const char16_t low = text[*index];
        ++*index;
        return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00);
    }
    if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) return kReplacement;
    return unit;
}

int32_t Utf8EncodedSize(char32_t codePoint) {
    if (codePoint < 0x80) return 1;
    if (codePoint < 0x800) return 2;
    if (codePoint < 0x10000) return 3;
    return 4;
}

void EncodeUtf8(char32_t codePoint, char* out) {
    switch (Utf8EncodedSize(codePoint)) {
        case 1: out[0] = static_cast<char>(codePoint); break;
        case 2:
            out[0] = static_cast<char>(0xC0 | (codePoint >> 6));
            out[1] = static_cast<char>(0x80 | (codePoint & 0x3F));
            break;
        case 3:
            out[0] = static_cast<char>(0xE0 | (codePoint >> 12));
            out[1] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
            out[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
            break;
        default:
            out[0] = static_cast<char>(0xF0 | (codePoint >> 18));
            out[1] = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
            out[2] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
            out[3] = static_cast<char>(0x80 | (codePoint & 0x3F));
            break;
    }
}

int32_t Utf8Size(const char16_t* text) {
    int32_t size = 1;
    int32_t index = 0;
    while (text && text[index] != 0) size += Utf8EncodedSize(NextUtf16CodePoint(text, &index));
    return size;
}

int32_t Utf16ToUtf8(const char16_t* text, char* bytes, int32_t capacity) {
    if (capacity <= 0) return -1;
    int32_t written = 0;
    int32_t index = 0;
    while (text && text[index] != 0) {
        const char32_t codePoint = NextUtf16CodePoint(text, &index);
        const int32_t size = Utf8EncodedSize(codePoint);
        if (written + size + 1 > capacity) {
            bytes[0] = 0;
            return -1;
        }
        EncodeUtf8(codePoint, bytes + written);
        written += size;
    }
    bytes[written] = 0;
    return written;
}

}  // namespace tarn::platform
