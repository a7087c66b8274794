// A text built up in a caller's UTF-16 buffer with a hard cap, after
// SQLite's StrAccum: the buffer, its capacity, the length written so far and
// whether anything was left out. Appends stop at the cap without writing
// past it, the text is terminated after every append, and the length is
// carried along instead of being measured again.
#pragma once

#include <cstdint>

namespace tarn {

struct TextBuilder {
    char16_t* buffer;
    int32_t capacity;  // code units, terminator included; 0: no room at all
    int32_t length;    // units written, terminator excluded
    bool cut;          // something appended did not fit and was left out
};

// An empty text over `buffer`, terminated at once when there is room. A
// missing buffer or a capacity below 1 gives a builder that writes nothing
// and marks every non-empty append as cut.
inline TextBuilder StartText(char16_t* buffer, int32_t capacity) {
    if (buffer == nullptr || capacity <= 0) return {nullptr, 0, 0, false};
    buffer[0] = 0;
    return {buffer, capacity, 0, false};
}

// Goes on from the text already in `buffer`, measured once. A text that
// fills the whole buffer unterminated is cut to capacity - 1 units.
inline TextBuilder ContinueText(char16_t* buffer, int32_t capacity) {
    if (buffer == nullptr || capacity <= 0) return {nullptr, 0, 0, false};
    int32_t length = 0;
    while (length < capacity - 1 && buffer[length] != 0) ++length;
    buffer[length] = 0;
    return {buffer, capacity, length, false};
}

inline void AppendChar(TextBuilder& text, char16_t character) {
    if (text.length < text.capacity - 1) {
        text.buffer[text.length++] = character;
        text.buffer[text.length] = 0;
    } else {
        text.cut = true;
    }
}

// Appends the terminated `source` (null: nothing) as far as it fits.
inline void AppendText(TextBuilder& text, const char16_t* source) {
    if (source == nullptr) return;
    const int32_t last = text.capacity - 1;
    int32_t length = text.length;
    while (*source != 0 && length < last) text.buffer[length++] = *source++;
    if (length != text.length) {
        text.buffer[length] = 0;
        text.length = length;
    }
    if (*source != 0) text.cut = true;
}

// A part of `text` with a width of its own: a builder over the room left at
// the end of `text` that holds at most `limit` - 1 units, like a line
// formatted into a scratch of `limit` units and then appended. EndPart adds
// what the part wrote to `text`; `text` counts as cut only when the part ran
// out of the room of `text`, not of its own width.
inline TextBuilder StartPart(TextBuilder& text, int32_t limit) {
    const int32_t room = text.capacity - text.length;
    if (room <= 0 || limit <= 0) return {nullptr, 0, 0, false};
    return {text.buffer + text.length, room < limit ? room : limit, 0, false};
}

inline void EndPart(TextBuilder& text, const TextBuilder& part) {
    const int32_t room = text.capacity - text.length;
    if (part.cut && part.capacity >= room) text.cut = true;
    text.length += part.length;
}

}  // namespace tarn
