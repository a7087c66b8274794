// The one UTF-8/UTF-16 codec of the program, the same on every platform.
// One rule in both directions: what is not a well-formed scalar value is
// refused and read as U+FFFD. In UTF-8 that is a stray continuation byte,
// an impossible lead byte, a sequence cut short, an overlong form, an
// encoded surrogate and anything above U+10FFFF (one U+FFFD per byte that
// cannot start a well-formed sequence); in UTF-16 an unpaired surrogate.
#pragma once

#include <cstdint>

namespace tarn::platform {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

constexpr bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
constexpr bool IsSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// Reads the code point of UTF-16 `text` at text[*index] and advances past it.
char32_t NextUtf16CodePoint(const char16_t* text, int32_t* index);

// Reads the code point of the `length` bytes at bytes[*index] and advances
// past it (past the lead byte alone when it is refused); 0 at the end.
char32_t NextUtf8CodePoint(const char* bytes, int32_t length, int32_t* index);

// UTF-8 bytes of a code point: 1..4; and the bytes themselves.
int32_t Utf8EncodedSize(char32_t codePoint);
void EncodeUtf8(char32_t codePoint, char* out);

// UTF-16 units of a code point: 1 or 2; and the units themselves.
int32_t Utf16EncodedSize(char32_t codePoint);
void EncodeUtf16(char32_t codePoint, char16_t* out);

// UTF-16 to UTF-8, terminator included. Returns the byte count without the
// terminator, or -1 when the whole text and its terminator do not fit
// `capacity` bytes (nothing usable is left then).
int32_t Utf16ToUtf8(const char16_t* text, char* bytes, int32_t capacity);

// How a text's CR LF line ends are written: as they are, or as LF alone.
enum class LineEnds { AsGiven, LineFeed };

// The next piece of `text`, from text[*index], as UTF-8 for a stream: as
// many whole code points as fit `capacity` bytes (no terminator), *index
// moved past them. With LineEnds::LineFeed a CR right before an LF is left
// out. Returns the bytes written: 0 at the end of the text, or when
// `capacity` is below 4, the most one code point needs.
int32_t NextUtf8Piece(const char16_t* text, int32_t* index, char* bytes, int32_t capacity,
                      LineEnds ends);

// Bytes needed for the UTF-8 form of `text`, terminator included.
int32_t Utf8Size(const char16_t* text);

// Bytes of the NUL-terminated narrow text before its terminator; 0 for
// no text.
int32_t NarrowLength(const char* text);

// Appends UTF-8 `bytes` as UTF-16 to the text of `*length` units in `text`,
// as far as whole code points fit before the terminator's place; returns
// false when something did not fit. The text is terminated either way.
bool AppendUtf8AsUtf16(const char* bytes, char16_t* text, int32_t capacity, int32_t* length);

}  // namespace tarn::platform
