// The bounded text builder: appends stop at the cap without writing past
// it, the text stays terminated, the length is carried and `cut` tells
// whether anything was left out; the formatted appends keep the formatter's
// type checks.
#include "engine/text_builder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "engine/calendar.h"
#include "engine/format.h"
#include "engine/text.h"
#include "tests/support/guarded_buffer.h"

namespace tarn {
namespace {

using testing::GuardedBuffer;

// Every builder state a test ends in is checked the same way.
void ExpectText(const GuardedBuffer& buffer, const TextBuilder& text, const std::u16string& expected,
                bool cut) {
    EXPECT_TRUE(buffer.GuardsIntact()) << "guard written at " << buffer.FirstWrittenGuard();
    if (buffer.capacity > 0) {
        EXPECT_EQ(buffer.Terminator(), text.length);
        EXPECT_EQ(buffer.Text(), expected);
    }
    EXPECT_EQ(text.length, static_cast<int32_t>(expected.size()));
    EXPECT_EQ(text.cut, cut);
}

TEST(TextBuilder, AppendsStopAtTheCapAndSayWhetherAnythingWasLost) {
    struct Case {
        int32_t capacity;
        const char16_t* first;
        const char16_t* second;
        std::u16string expected;
        bool cut;
    };
    const Case cases[] = {
        {16, u"血钾", u" 6.8", u"血钾 6.8", false},
        {7, u"血钾", u" 6.8", u"血钾 6.8", false},  // exactly full
        {6, u"血钾", u" 6.8", u"血钾 6.", true},
        {3, u"血钾", u" 6.8", u"血钾", true},
        {2, u"血钾", u"", u"血", true},
        {1, u"血钾", u" 6.8", u"", true},
        {1, u"", nullptr, u"", false},  // nothing asked, nothing lost
        {0, u"血钾", u"", u"", true},
        {0, u"", u"", u"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.capacity);
        GuardedBuffer buffer(c.capacity);
        TextBuilder text = StartText(buffer.data, c.capacity);
        AppendText(text, c.first);
        AppendText(text, c.second);
        ExpectText(buffer, text, c.expected, c.cut);
    }
}

TEST(TextBuilder, AppendCharFillsToCapacityMinusOne) {
    GuardedBuffer buffer(4);
    TextBuilder text = StartText(buffer.data, 4);
    for (char16_t c : std::u16string(u"abcde")) AppendChar(text, c);
    ExpectText(buffer, text, u"abc", true);
}

TEST(TextBuilder, NoBufferTakesNothingAndCountsEveryTextAsCut) {
    TextBuilder text = StartText(nullptr, 64);
    EXPECT_EQ(text.capacity, 0);
    AppendText(text, u"");
    EXPECT_FALSE(text.cut);
    AppendChar(text, u'x');
    EXPECT_TRUE(text.cut);
    EXPECT_EQ(text.length, 0);
}

TEST(TextBuilder, ContinueTextGoesOnFromTheTerminatedText) {
    GuardedBuffer buffer(8);
    std::u16string(u"abc").copy(buffer.data, 3);
    buffer.data[3] = 0;
    TextBuilder text = ContinueText(buffer.data, 8);
    EXPECT_EQ(text.length, 3);
    AppendText(text, u"defgh");
    ExpectText(buffer, text, u"abcdefg", true);

    // A full buffer without a terminator is cut to capacity - 1 and ended.
    GuardedBuffer full(4);
    TextBuilder rest = ContinueText(full.data, 4);
    ExpectText(full, rest, u"###", false);
}

TEST(TextBuilder, FormattedAppendsKeepTheTypeChecks) {
    struct Case {
        int32_t capacity;
        bool processed;
        std::u16string expected;
        bool cut;
    };
    // "K %d / %ls" with 6 and a text; then "%d" given a text (mismatch).
    const Case cases[] = {
        {32, true, u"K 6 / 钾", false},
        {6, true, u"K 6 /", true},
        {1, true, u"", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.capacity);
        GuardedBuffer buffer(c.capacity);
        TextBuilder text = StartText(buffer.data, c.capacity);
        EXPECT_EQ(AppendFormatted(text, u"K %d / %ls", 6, u"钾"), c.processed);
        ExpectText(buffer, text, c.expected, c.cut);
    }
    GuardedBuffer buffer(32);
    TextBuilder text = StartText(buffer.data, 32);
    EXPECT_FALSE(AppendFormatted(text, u"ab%dcd", u"not a number"));
    ExpectText(buffer, text, u"ab", false);
    EXPECT_TRUE(AppendFormatted(text, u"%%%c", u'!'));
    ExpectText(buffer, text, u"ab%!", false);
}

TEST(TextBuilder, APartIsCutAtItsOwnWidthWithoutCuttingTheText) {
    GuardedBuffer buffer(32);
    TextBuilder text = StartText(buffer.data, 32);
    AppendText(text, u"[");
    EXPECT_TRUE(AppendFormattedPart(text, 4, u"%d", 123456));
    ExpectText(buffer, text, u"[123", false);
    // Past the room of the text the part cuts the text too.
    GuardedBuffer small(6);
    TextBuilder cut = StartText(small.data, 6);
    AppendText(cut, u"[");
    AppendFormattedPart(cut, 64, u"%d", 123456);
    ExpectText(small, cut, u"[1234", true);
}

TEST(TextBuilder, LinesAreCutAt511CharactersAndEndInCrLf) {
    static GuardedBuffer buffer(2048);
    TextBuilder text = StartText(buffer.data, 2048);
    const std::u16string longLine(600, u'x');
    AppendFormattedLine(text, u"%ls", longLine.c_str());
    AppendFormattedLine(text, u"%d", 7);
    ExpectText(buffer, text, std::u16string(511, u'x') + u"\r\n7\r\n", false);

    // With one element left, only the CR fits.
    GuardedBuffer tight(5);
    TextBuilder line = StartText(tight.data, 5);
    AppendFormattedLine(line, u"abc");
    ExpectText(tight, line, u"abc\r", true);
}

TEST(TextBuilder, ValuesAppendAsTheirFormatCodeSays) {
    struct Case {
        int32_t capacity;
        const char* code;
        double value;
        std::u16string expected;
        bool cut;
    };
    const double nan = __builtin_nan("");
    const Case cases[] = {
        {32, "f1", 6.8, u"K 6.8", false},
        {32, "pct", 0.125, u"K 0.1%", false},  // the value is printed as given
        {32, "date", 0.0, u"K 1970-01-01", false},
        {32, "f1", nan, u"K --", false},
        {32, "f3", 1e80, u"K --", false},
        {5, "f2", 123.456, u"K 12", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        GuardedBuffer buffer(c.capacity);
        TextBuilder text = StartText(buffer.data, c.capacity);
        AppendText(text, u"K ");
        AppendValue(text, c.code, c.value);
        ExpectText(buffer, text, c.expected, c.cut);
    }
}

TEST(TextBuilder, DayNumbersAppendAsTheirDateText) {
    GuardedBuffer buffer(32);
    TextBuilder text = StartText(buffer.data, 32);
    AppendText(text, u"on ");
    AppendDayNumber(text, DaysFromCivil(2028, 2, 29));
    ExpectText(buffer, text, u"on 2028-02-29", false);
    GuardedBuffer small(8);
    TextBuilder cut = StartText(small.data, 8);
    AppendDayNumber(cut, 0);
    ExpectText(small, cut, u"1970-01", true);
}

// CopyBounded stops at the source's terminator: what follows it in memory
// is neither read nor written into the buffer.
TEST(CopyBounded, StopsAtTheSourceTerminatorAndAtTheCapacity) {
    struct Case {
        int32_t capacity;
        const char16_t* source;
        std::u16string expected;
    };
    const Case cases[] = {
        {8, u"血钾", u"血钾"}, {8, u"", u""},      {4, u"abc", u"abc"}, {4, u"abcdef", u"abc"},
        {1, u"abc", u""},      {0, u"abc", u""},   {4, nullptr, u""},
    };
    for (const Case& c : cases) {
        // The source's terminator, then units that are no part of it.
        std::u16string source = c.source ? c.source : u"";
        source += std::u16string(1, u'\0') + u"~~~~~~~~";
        GuardedBuffer buffer(c.capacity);
        CopyBounded(buffer.data, c.capacity, c.source ? source.data() : nullptr);
        const std::string what = "capacity " + std::to_string(c.capacity);
        EXPECT_EQ(buffer.Text(), c.expected) << what;
        const int32_t written = c.capacity > 0 ? static_cast<int32_t>(c.expected.size()) + 1 : 0;
        EXPECT_TRUE(buffer.UntouchedFrom(written)) << what << ": written past the terminator";
    }
}

}  // namespace
}  // namespace tarn
