// Line breaking and end ellipsis for text drawn in a box, the way the
// Windows statics do it: words break at blanks, Chinese text between any two
// characters except before closing and after opening punctuation.
// Widths come from a caller-given measure so that the rules can be checked
// without a display.
#pragma once

#include <cstdint>

namespace tarn::fltk {

// Width in pixels of `length` bytes of UTF-8 text.
using MeasureText = double (*)(const char* text, int32_t length);

struct LineSpan {
    int32_t start;   // byte offset
    int32_t length;  // bytes, without the blanks or line end that ended it
};

// Splits `length` bytes of UTF-8 into lines no wider than `maxWidth` where a
// break is allowed; CR LF, LF and a lone CR end a line. A line always holds
// at least one character, so a word wider than the box is cut where it
// overflows. Blanks at a soft break are dropped. Fills at most `maxLines`
// spans and returns how many it filled.
int32_t BreakLines(const char* text, int32_t length, double maxWidth, MeasureText measure,
                   LineSpan* lines, int32_t maxLines);

// Bytes of the longest prefix of `text` (cut at a character boundary) that
// leaves room for an ellipsis of `ellipsisWidth` within `maxWidth`.
int32_t EllipsisPrefix(const char* text, int32_t length, double maxWidth, double ellipsisWidth,
                       MeasureText measure);

// True when a line may break between `before` and `after`.
bool BreakAllowed(char32_t before, char32_t after);

}  // namespace tarn::fltk
