// Small helpers over caller-owned, NUL-terminated UTF-16 buffers. Every
// write keeps at most capacity - 1 characters and a terminator. Texts built
// up piece by piece use TextBuilder (engine/text_builder.h).
#pragma once

#include <cstdint>

namespace tarn {

inline int32_t TextLength(const char16_t* text) {
    if (!text) return 0;
    int32_t length = 0;
    while (text[length] != 0) ++length;
    return length;
}

// Copies `source` into `buffer`, cut to capacity - 1 characters.
inline void CopyBounded(char16_t* buffer, int32_t capacity, const char16_t* source) {
    if (capacity <= 0) return;
    int32_t length = 0;
    if (source) {
        while (length < capacity - 1 && source[length] != 0) {
            buffer[length] = source[length];
            ++length;
        }
    }
    buffer[length] = 0;
}

}  // namespace tarn
