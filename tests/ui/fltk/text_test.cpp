// Text handling of the FLTK window that needs no display: UTF-8/UTF-16
// conversion with its cuts and line ends, line breaking, the end ellipsis
// and the control colours.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/unicode.h"
#include "ui/fltk/painting.h"
#include "ui/fltk/text_layout.h"
#include "ui/fltk/utf.h"

namespace tarn::fltk {
namespace {

// Every character is 10 pixels wide, blanks included.
double TenPerCharacter(const char* text, int32_t length) {
    int32_t characters = 0;
    for (int32_t index = 0; index < length;) {
        platform::NextUtf8CodePoint(text, length, &index);
        ++characters;
    }
    return 10.0 * characters;
}

std::vector<std::string> Lines(const std::string& text, double width) {
    LineSpan spans[32];
    const int32_t count = BreakLines(text.c_str(), static_cast<int32_t>(text.size()), width,
                                     TenPerCharacter, spans, 32);
    std::vector<std::string> lines;
    for (int32_t i = 0; i < count; ++i) {
        lines.push_back(text.substr(static_cast<size_t>(spans[i].start),
                                    static_cast<size_t>(spans[i].length)));
    }
    return lines;
}

struct BreakCase {
    const char* text;
    double width;
    std::vector<std::string> lines;
};

TEST(BreakLines, BreaksLikeTheStatics) {
    const BreakCase cases[] = {
        {"", 100, {}},
        {"short", 100, {"short"}},
        {"exactly10!", 100, {"exactly10!"}},
        {"one two three", 80, {"one two", "three"}},
        {"one two   three", 80, {"one two", "three"}},       // blanks at the break go
        {"abcdefghijkl", 50, {"abcde", "fghij", "kl"}},    // no break: cut
        {"a\r\nb\nc\rd", 100, {"a", "b", "c", "d"}},
        {"a\n\nb", 100, {"a", "", "b"}},
        {"  indented", 100, {"  indented"}},
        // Chinese breaks between characters, but not before closing marks.
        {"同时需排钾利尿", 30, {"同时需", "排钾利", "尿"}},
        {"排钾（利尿、树脂）", 40, {"排钾（利", "尿、树", "脂）"}},
        {"排钾，利尿", 25, {"排", "钾，", "利尿"}},
        {"剂量 0.5ml/kg、胰岛素", 100, {"剂量", "0.5ml/kg、胰", "岛素"}},
    };
    for (const BreakCase& c : cases) {
        EXPECT_EQ(Lines(c.text, c.width), c.lines) << c.text << " in " << c.width;
    }
}

TEST(BreakLines, StopsAtTheSpanCapacity) {
    LineSpan spans[2];
    const std::string text = "a\nb\nc\nd";
    EXPECT_EQ(BreakLines(text.c_str(), static_cast<int32_t>(text.size()), 100, TenPerCharacter,
                         spans, 2),
              2);
}

TEST(BreakAllowed, Pairs) {
    EXPECT_TRUE(BreakAllowed(U' ', U'a'));
    EXPECT_FALSE(BreakAllowed(U'a', U' '));
    EXPECT_FALSE(BreakAllowed(U'a', U'b'));
    EXPECT_TRUE(BreakAllowed(U'钾', U'利'));
    EXPECT_TRUE(BreakAllowed(U'a', U'钾'));
    EXPECT_FALSE(BreakAllowed(U'钾', U'，'));
    EXPECT_FALSE(BreakAllowed(U'（', U'利'));
    EXPECT_FALSE(BreakAllowed(U'钾', U'”'));
    EXPECT_FALSE(BreakAllowed(U'“', U'计'));
}

TEST(EllipsisPrefix, KeepsRoomForTheEllipsis) {
    const std::string text = "就绪：填写参数";  // 7 characters, 3 bytes each
    const int32_t length = static_cast<int32_t>(text.size());
    EXPECT_EQ(EllipsisPrefix(text.c_str(), length, 100, 30, TenPerCharacter), 21);
    EXPECT_EQ(EllipsisPrefix(text.c_str(), length, 59, 30, TenPerCharacter), 6);
    EXPECT_EQ(EllipsisPrefix(text.c_str(), length, 29, 30, TenPerCharacter), 0);
}

TEST(Utf, RoundTripsChineseAndAstralText) {
    const char16_t text[] = u"血钾 6.8 mmol/L \U0001F600 —— ·";
    char bytes[128];
    ToUtf8(text, bytes, 128);
    EXPECT_STREQ(bytes, "血钾 6.8 mmol/L \xF0\x9F\x98\x80 —— ·");
    char16_t back[64];
    ToUtf16(bytes, back, 64);
    EXPECT_EQ(std::u16string(back), std::u16string(text));
}

TEST(Utf, CutsAtWholeCharacters) {
    char bytes[8];
    // "血钾" needs 6 bytes and the terminator: a third character does not fit.
    EXPECT_EQ(ToUtf8(u"血钾血", bytes, 8), 6);
    EXPECT_STREQ(bytes, "血钾");
    EXPECT_EQ(ToUtf8(u"ab", bytes, 1), 0);
    EXPECT_STREQ(bytes, "");

    char16_t units[3];
    EXPECT_EQ(ToUtf16("ab\xF0\x9F\x98\x80", units, 3), 2);  // the pair is not split
    EXPECT_EQ(std::u16string(units), u"ab");
    EXPECT_EQ(ToUtf16("abc", units, 0), 0);
}

TEST(Utf, BadBytesBecomeReplacementCharacters) {
    const struct {
        const char* bytes;
        std::u16string text;
    } cases[] = {
        {"a\x80z", u"a\uFFFDz"},                  // stray continuation
        {"a\xC0\xAFz", u"a\uFFFD\uFFFDz"},        // overlong
        {"a\xED\xA0\x80z", u"a\uFFFD\uFFFD\uFFFDz"},  // encoded surrogate
        {"a\xE8\xA1z", u"a\uFFFD\uFFFDz"},        // cut short
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
    };
    for (const auto& c : cases) {
        char16_t units[16];
        ToUtf16(c.bytes, units, 16);
        EXPECT_EQ(std::u16string(units), c.text) << c.bytes;
    }
    char bytes[16];
    const char16_t lone[] = {u'a', 0xD800, u'b', 0};
    ToUtf8(lone, bytes, 16);
    EXPECT_STREQ(bytes, "a\xEF\xBF\xBD" "b");
}

TEST(Utf, UnpairedSurrogatesBecomeReplacementCharactersNotCuts) {
    constexpr char16_t kHigh = 0xD83D;
    constexpr char16_t kLow = 0xDE00;
    const struct {
        std::u16string text;
        const char* bytes;
    } cases[] = {
        {{u'a', kHigh}, "a\xEF\xBF\xBD"},                              // high at the end
        {{kLow, u'b'}, "\xEF\xBF\xBD" "b"},                            // low alone
        {{kLow, kHigh, u'c'}, "\xEF\xBF\xBD\xEF\xBF\xBD" "c"},          // pair reversed
        {{kHigh, kHigh, kLow}, "\xEF\xBF\xBD\xF0\x9F\x98\x80"},        // then a whole pair
    };
    for (const auto& c : cases) {
        char bytes[16];
        const auto size = static_cast<int32_t>(std::string(c.bytes).size());
        EXPECT_EQ(ToUtf8(c.text.c_str(), bytes, 16), size);
        EXPECT_STREQ(bytes, c.bytes);
    }
}

TEST(Utf, LineEndsBetweenCommandsAndWidgets) {
    char bytes[32];
    ToUtf8(u"a\r\nb\r\n", bytes, 32, LineEnds::CrLfToLf);
    EXPECT_STREQ(bytes, "a\nb\n");
    ToUtf8(u"a\rb", bytes, 32, LineEnds::CrLfToLf);
    EXPECT_STREQ(bytes, "a\rb");  // a lone CR stays
    char16_t units[32];
    ToUtf16("a\nb\n", units, 32, LineEnds::LfToCrLf);
    EXPECT_EQ(std::u16string(units), u"a\r\nb\r\n");
    // The CR LF pair is not split by a cut.
    ToUtf16("a\nb", units, 3, LineEnds::LfToCrLf);
    EXPECT_EQ(std::u16string(units), u"a");
}

TEST(StaticTextColour, ByRoleAndLevel) {
    EXPECT_EQ(ui::ControlTextColour(ui::ControlRole::Verdict, 0), 0x008060u);
    EXPECT_EQ(ui::ControlTextColour(ui::ControlRole::Verdict, 1), 0xB08400u);
    EXPECT_EQ(ui::ControlTextColour(ui::ControlRole::Verdict, 2), 0xD66C00u);
    EXPECT_EQ(ui::ControlTextColour(ui::ControlRole::Verdict, 3), 0xBE1E2Du);
    EXPECT_EQ(ui::ControlTextColour(ui::ControlRole::Verdict, 7), 0x008060u);
    EXPECT_EQ(ui::ControlTextColour(ui::ControlRole::Verdict, -1), 0x008060u);
    EXPECT_EQ(ui::ControlTextColour(ui::ControlRole::Note, 3), 0x2C3842u);
    for (ui::ControlRole role : {ui::ControlRole::InputLabel, ui::ControlRole::Unit, ui::ControlRole::Reference}) {
        EXPECT_EQ(ui::ControlTextColour(role, 3), 0x78848Eu);
    }
}

}  // namespace
}  // namespace tarn::fltk
