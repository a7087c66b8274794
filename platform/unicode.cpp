// The UTF-8/UTF-16 codec, the same on every platform.
#include "platform/unicode.h"

namespace tarn::platform {
namespace {

constexpr uint8_t Byte(const char* bytes, int32_t index) { return static_cast<uint8_t>(bytes[index]); }

// What a lead byte starts: how many continuation bytes follow, the bits it
// carries and the smallest code point that needs this many bytes (below it
// the form is overlong). C0, C1 and F5..FF lead nothing.
struct Lead {
    int32_t continuation;
    char32_t bits;
    char32_t smallest;
};

constexpr Lead ReadLead(uint8_t lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return {1, lead & 0x1Fu, 0x80};
    if (lead >= 0xE0 && lead <= 0xEF) return {2, lead & 0x0Fu, 0x800};
    if (lead >= 0xF0 && lead <= 0xF4) return {3, lead & 0x07u, 0x10000};
    return {0, 0, 0};
}

}  // namespace

char32_t NextUtf16CodePoint(const char16_t* text, int32_t* index) {
    const char16_t unit = text[*index];
    ++*index;
    if (IsHighSurrogate(unit) && IsLowSurrogate(text[*index])) {
        const char16_t low = text[*index];
        ++*index;
        return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00u);
    }
    if (IsSurrogate(unit)) return kReplacementCharacter;
    return unit;
}

char32_t NextUtf8CodePoint(const char* bytes, int32_t length, int32_t* index) {
    if (*index >= length) return 0;
    const uint8_t lead = Byte(bytes, *index);
    ++*index;
    if (lead < 0x80) return lead;
    const Lead form = ReadLead(lead);
    if (form.continuation == 0) return kReplacementCharacter;  // stray or impossible
    const int32_t start = *index;
    char32_t codePoint = form.bits;
    for (int32_t i = 0; i < form.continuation; ++i) {
        // Cut short: the lead byte alone is consumed.
        if (start + i >= length || (Byte(bytes, start + i) & 0xC0) != 0x80) return kReplacementCharacter;
        codePoint = (codePoint << 6) | (Byte(bytes, start + i) & 0x3Fu);
    }
    if (codePoint < form.smallest || codePoint > 0x10FFFF || IsSurrogate(codePoint)) {
        return kReplacementCharacter;
    }
    *index = start + form.continuation;
    return codePoint;
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

int32_t Utf16EncodedSize(char32_t codePoint) { return codePoint >= 0x10000 ? 2 : 1; }

void EncodeUtf16(char32_t codePoint, char16_t* out) {
    if (codePoint >= 0x10000) {
        const char32_t offset = codePoint - 0x10000;
        out[0] = static_cast<char16_t>(0xD800 + (offset >> 10));
        out[1] = static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
    } else {
        out[0] = static_cast<char16_t>(codePoint);
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

int32_t NextUtf8Piece(const char16_t* text, int32_t* index, char* bytes, int32_t capacity,
                      LineEnds ends) {
    if (!text || capacity < 4) return 0;
    int32_t written = 0;
    while (text[*index] != 0) {
        if (ends == LineEnds::LineFeed && text[*index] == u'\r' && text[*index + 1] == u'\n') {
            ++*index;
            continue;
        }
        int32_t next = *index;
        const char32_t codePoint = NextUtf16CodePoint(text, &next);
        const int32_t size = Utf8EncodedSize(codePoint);
        if (written + size > capacity) break;
        EncodeUtf8(codePoint, bytes + written);
        written += size;
        *index = next;
    }
    return written;
}

int32_t NarrowLength(const char* text) {
    int32_t length = 0;
    while (text && text[length] != 0) ++length;
    return length;
}

bool AppendUtf8AsUtf16(const char* bytes, char16_t* text, int32_t capacity, int32_t* length) {
    if (capacity <= 0 || *length >= capacity) return false;
    const int32_t byteCount = NarrowLength(bytes);
    bool whole = true;
    for (int32_t index = 0; index < byteCount;) {
        const char32_t codePoint = NextUtf8CodePoint(bytes, byteCount, &index);
        const int32_t units = Utf16EncodedSize(codePoint);
        if (*length + units + 1 > capacity) {
            whole = false;
            break;
        }
        EncodeUtf16(codePoint, text + *length);
        *length += units;
    }
    text[*length] = 0;
    return whole;
}

}  // namespace tarn::platform
