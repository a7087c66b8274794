// UTF-8 (what FLTK widgets hold) to and from the UTF-16 texts of the
// commands, into caller-owned buffers that are never overrun.
#pragma once

#include <cstdint>

namespace tarn::fltk {

// How line ends travel between the commands (CR LF) and FLTK (LF).
enum class LineEnds { Keep, CrLfToLf, LfToCrLf };

// UTF-16 to UTF-8, cut at a whole code point so that the text and its
// terminator fit `capacity` bytes. Unpaired surrogates become U+FFFD.
// Returns the byte count without the terminator.
int32_t ToUtf8(const char16_t* text, char* bytes, int32_t capacity,
               LineEnds lineEnds = LineEnds::Keep);

// UTF-8 to UTF-16, cut so that the text and its terminator fit `capacity`
// units (a surrogate pair is never split). Malformed bytes, overlong forms
// and encoded surrogates become U+FFFD, one per bad byte (the platform's
// codec, platform/unicode.h).
// Returns the unit count without the terminator.
int32_t ToUtf16(const char* bytes, char16_t* text, int32_t capacity,
                LineEnds lineEnds = LineEnds::Keep);

}  // namespace tarn::fltk
