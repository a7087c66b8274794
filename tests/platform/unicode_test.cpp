// The one UTF-8/UTF-16 codec: every scalar value round-trips, and what is
// not one (overlong forms, encoded and lone surrogates, code points above
// U+10FFFF, sequences cut short, stray bytes) reads as U+FFFD.
#include "platform/unicode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tarn::platform {
namespace {

std::u16string FromUtf8(const std::string& bytes, int32_t capacity = 64) {
    std::u16string text(static_cast<size_t>(capacity), u'#');
    int32_t length = 0;
    AppendUtf8AsUtf16(bytes.c_str(), text.data(), capacity, &length);
    text.resize(static_cast<size_t>(length));
    return text;
}

std::string ToUtf8(const std::u16string& text) {
    char bytes[64];
    const int32_t size = Utf16ToUtf8(text.c_str(), bytes, 64);
    return size < 0 ? std::string("<does not fit>") : std::string(bytes, static_cast<size_t>(size));
}

constexpr char16_t kBad = 0xFFFD;

TEST(Unicode, Utf8DecodesWellFormedSequencesAtTheirBoundaries) {
    const struct {
        const char* bytes;
        std::u16string text;
    } cases[] = {
        {"az", u"az"},
        {"\x7F", u"\u007F"},
        {"\xC2\x80", u"\u0080"},
        {"\xDF\xBF", u"\u07FF"},
        {"\xE0\xA0\x80", u"\u0800"},
        {"\xED\x9F\xBF", u"\uD7FF"},  // last before the surrogates
        {"\xEE\x80\x80", u"\uE000"},  // first after them
        {"\xEF\xBF\xBF", u"\uFFFF"},
        {"\xF0\x90\x80\x80", u"\U00010000"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"\xE8\xA1\x80\xE9\x92\xBE", u"血钾"},
    };
    for (const auto& c : cases) EXPECT_EQ(FromUtf8(c.bytes), c.text) << c.bytes;
}

TEST(Unicode, Utf8RefusesEachMalformedByteAsOneReplacement) {
    const struct {
        const char* what;
        const char* bytes;
        std::u16string text;
    } cases[] = {
        {"stray continuation", "a\x80z", {u'a', kBad, u'z'}},
        {"impossible lead", "\xFF\xFE", {kBad, kBad}},
        {"overlong of '/' in two", "a\xC0\xAFz", {u'a', kBad, kBad, u'z'}},
        {"overlong in two, C1", "\xC1\xBF", {kBad, kBad}},
        {"overlong in three", "\xE0\x80\xAF", {kBad, kBad, kBad}},
        {"overlong U+07FF in three", "\xE0\x9F\xBF", {kBad, kBad, kBad}},
        {"overlong in four", "\xF0\x80\x80\xAF", {kBad, kBad, kBad, kBad}},
        {"encoded high surrogate", "a\xED\xA0\x80z", {u'a', kBad, kBad, kBad, u'z'}},
        {"encoded low surrogate", "\xED\xBF\xBF", {kBad, kBad, kBad}},
        {"above U+10FFFF", "\xF4\x90\x80\x80", {kBad, kBad, kBad, kBad}},
        {"lead of above U+10FFFF", "\xF5\x80\x80\x80", {kBad, kBad, kBad, kBad}},
        {"cut short before a letter", "a\xE8\xA1z", {u'a', kBad, kBad, u'z'}},
        {"cut short at the end", "\xF0\x9F\x98", {kBad, kBad, kBad}},
        {"lead alone at the end", "\xE8", {kBad}},
    };
    for (const auto& c : cases) EXPECT_EQ(FromUtf8(c.bytes), c.text) << c.what;
}

TEST(Unicode, Utf16RefusesUnpairedSurrogates) {
    const struct {
        const char* what;
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {"pair", {0xD83D, 0xDE00}, "\xF0\x9F\x98\x80"},
        {"last pair", {0xDBFF, 0xDFFF}, "\xF4\x8F\xBF\xBF"},
        {"lone high", {u'a', 0xD800, u'b'}, "a\xEF\xBF\xBD" "b"},
        {"lone low", {0xDC00}, "\xEF\xBF\xBD"},
        {"high at the end", {u'a', 0xDBFF}, "a\xEF\xBF\xBD"},
        {"reversed pair", {0xDC00, 0xD800}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"two highs then a low", {0xD800, 0xD800, 0xDC00}, "\xEF\xBF\xBD\xF0\x90\x80\x80"},
        {"U+FFFF", {0xFFFF}, "\xEF\xBF\xBF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToUtf8(c.text), c.bytes) << c.what;
        EXPECT_EQ(Utf8Size(c.text.c_str()), static_cast<int32_t>(c.bytes.size()) + 1) << c.what;
    }
}

TEST(Unicode, EveryScalarValueRoundTripsThroughBothForms) {
    for (char32_t codePoint = 1; codePoint <= 0x10FFFF; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF) continue;
        char bytes[4];
        EncodeUtf8(codePoint, bytes);
        const int32_t size = Utf8EncodedSize(codePoint);
        int32_t index = 0;
        ASSERT_EQ(NextUtf8CodePoint(bytes, size, &index), codePoint);
        ASSERT_EQ(index, size);

        char16_t units[3] = {};
        EncodeUtf16(codePoint, units);
        index = 0;
        ASSERT_EQ(NextUtf16CodePoint(units, &index), codePoint);
        ASSERT_EQ(index, Utf16EncodedSize(codePoint));
    }
}

// Whatever two bytes hold, the decoder either takes a well-formed sequence
// whose own encoding is exactly the bytes it consumed, or refuses one byte.
TEST(Unicode, AnyTwoBytesDecodeToTheirOwnEncodingOrOneRefusal) {
    for (int first = 1; first < 256; ++first) {
        for (int second = 1; second < 256; ++second) {
            const char bytes[2] = {static_cast<char>(first), static_cast<char>(second)};
            int32_t index = 0;
            const char32_t codePoint = NextUtf8CodePoint(bytes, 2, &index);
            if (codePoint == kReplacementCharacter) {
                ASSERT_EQ(index, 1) << first << " " << second;
                continue;
            }
            char encoded[4];
            EncodeUtf8(codePoint, encoded);
            ASSERT_EQ(Utf8EncodedSize(codePoint), index) << first << " " << second;
            ASSERT_EQ(std::string(encoded, static_cast<size_t>(index)), std::string(bytes, static_cast<size_t>(index)));
        }
    }
}

TEST(Unicode, ConversionsStopAtWholeCodePoints) {
    // Room for "ab" and the terminator: the pair after it is not split.
    char16_t units[4] = {u'#', u'#', u'#', u'#'};
    int32_t length = 0;
    EXPECT_FALSE(AppendUtf8AsUtf16("ab\xF0\x9F\x98\x80", units, 4, &length));
    EXPECT_EQ(length, 2);
    EXPECT_EQ(std::u16string(units), u"ab");
    EXPECT_EQ(units[3], u'#');
    // Going on from a text: the next append fits or says it did not.
    EXPECT_TRUE(AppendUtf8AsUtf16("c", units, 4, &length));
    EXPECT_EQ(std::u16string(units), u"abc");
    EXPECT_FALSE(AppendUtf8AsUtf16("d", units, 4, &length));
    EXPECT_FALSE(AppendUtf8AsUtf16("d", units, 0, &length));

    char bytes[4];
    EXPECT_EQ(Utf16ToUtf8(u"血", bytes, 4), 3);
    EXPECT_EQ(Utf16ToUtf8(u"血", bytes, 3), -1);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(Utf16ToUtf8(u"", bytes, 0), -1);
}

TEST(Unicode, NarrowLengthCountsBytesUpToTheTerminator) {
    const struct {
        const char* text;
        int32_t length;
    } cases[] = {
        {nullptr, 0}, {"", 0}, {"a", 1}, {"60 kg", 5}, {"\xE8\xA1\x80\xE9\x92\xBE", 6}, {"ab\0cd", 2},
    };
    for (const auto& c : cases) EXPECT_EQ(NarrowLength(c.text), c.length) << (c.text ? c.text : "(none)");
}

// The pieces a stream is written in: whole code points only, each piece as
// full as the room allows, and CR LF made LF only when asked.
TEST(Unicode, Utf8PiecesSplitOnlyBetweenCodePoints) {
    const struct {
        const char* what;
        std::u16string text;
        int32_t capacity;
        LineEnds ends;
        std::vector<std::string> pieces;
    } cases[] = {
        {"all in one", u"a血\r\n", 16, LineEnds::AsGiven, {"a\xE8\xA1\x80\r\n"}},
        {"line feeds", u"a\r\nb\r\n", 16, LineEnds::LineFeed, {"a\nb\n"}},
        {"lone CR kept", u"a\r\rb\n\r", 16, LineEnds::LineFeed, {"a\r\rb\n\r"}},
        {"three-byte character not split", u"ab血c", 4, LineEnds::AsGiven,
         {"ab", "\xE8\xA1\x80" "c"}},
        {"pair not split", u"x\U0001F600", 4, LineEnds::AsGiven, {"x", "\xF0\x9F\x98\x80"}},
        {"unpaired surrogate", std::u16string{u'\xD800', u'z'}, 8, LineEnds::AsGiven,
         {"\xEF\xBF\xBDz"}},
        {"dropped CR takes no room", u"abc\r\nd", 4, LineEnds::LineFeed, {"abc\n", "d"}},
        {"empty", u"", 8, LineEnds::LineFeed, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> pieces;
        int32_t index = 0;
        char bytes[16];
        int32_t size = 0;
        while ((size = NextUtf8Piece(c.text.c_str(), &index, bytes, c.capacity, c.ends)) > 0)
            pieces.emplace_back(bytes, static_cast<size_t>(size));
        EXPECT_EQ(pieces, c.pieces) << c.what;
        EXPECT_EQ(index, static_cast<int32_t>(c.text.size())) << c.what;
    }
    // Below the four bytes a code point may need, nothing is taken.
    char bytes[3];
    int32_t index = 0;
    EXPECT_EQ(NextUtf8Piece(u"abc", &index, bytes, 3, LineEnds::AsGiven), 0);
    EXPECT_EQ(index, 0);
}

}  // namespace
}  // namespace tarn::platform
