#include "ui/fltk/text_layout.h"

#include "platform/unicode.h"

namespace tarn::fltk {
namespace {

bool IsWide(char32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) ||
           (c >= 0x20000 && c <= 0x3FFFF);
}

bool Among(char32_t c, const char32_t* set) {
    for (; *set != 0; ++set) {
        if (*set == c) return true;
    }
    return false;
}

// Closing marks and punctuation that must stay on the line before them.
bool NoBreakBefore(char32_t c) {
    return Among(c, U"，。、；：！？）」』”’》〉】〕…—·,.;:!?)]}%");
}

// Opening marks that must stay with what follows them.
bool NoBreakAfter(char32_t c) { return Among(c, U"（「『“‘《〈【〔([{"); }

bool IsLineEnd(char32_t c) { return c == U'\n' || c == U'\r'; }

}  // namespace

bool BreakAllowed(char32_t before, char32_t after) {
    if (after == U' ') return false;
    if (before == U' ') return true;
    if (!IsWide(before) && !IsWide(after)) return false;
    return !NoBreakBefore(after) && !NoBreakAfter(before);
}

int32_t BreakLines(const char* text, int32_t length, double maxWidth, MeasureText measure,
                   LineSpan* lines, int32_t maxLines) {
    int32_t count = 0;
    int32_t position = 0;
    while (position < length && count < maxLines) {
        const int32_t lineStart = position;
        int32_t breakEnd = -1;           // end of the text at the last allowed break
        int32_t breakNext = -1;          // where the line after that break starts
        int32_t contentEnd = lineStart;  // end of the text less trailing blanks
        int32_t lineEnd = -1;
        int32_t next = length;
        bool soft = false;
        char32_t previous = 0;
        int32_t index = lineStart;
        while (index < length) {
            const int32_t at = index;
            const char32_t c = platform::NextUtf8CodePoint(text, length, &index);
            if (IsLineEnd(c)) {
                lineEnd = contentEnd;
                next = (c == U'\r' && index < length && text[index] == '\n') ? index + 1 : index;
                break;
            }
            if (at > lineStart && BreakAllowed(previous, c)) {
                breakEnd = contentEnd;
                breakNext = at;
            }
            if (c != U' ') {
                if (at > lineStart && measure(text + lineStart, index - lineStart) > maxWidth) {
                    soft = true;
                    if (breakEnd > lineStart) {
                        lineEnd = breakEnd;
                        next = breakNext;
                    } else {
                        // No break possible: the word is cut where it overflows.
                        lineEnd = at;
                        next = at;
                    }
                    break;
                }
                contentEnd = index;
            }
            previous = c;
        }
        if (lineEnd < 0) lineEnd = contentEnd;  // the text ended on this line
        lines[count++] = {lineStart, lineEnd - lineStart};
        position = next;
        if (soft) {
            while (position < length && text[position] == ' ') ++position;
        }
    }
    return count;
}

int32_t EllipsisPrefix(const char* text, int32_t length, double maxWidth, double ellipsisWidth,
                       MeasureText measure) {
    int32_t best = 0;
    int32_t index = 0;
    while (index < length) {
        platform::NextUtf8CodePoint(text, length, &index);
        if (measure(text, index) + ellipsisWidth > maxWidth) break;
        best = index;
    }
    return best;
}

}  // namespace tarn::fltk
