// Number text of FormatValue and FormatBounded against the C library's
// snprintf in the "C" locale, for a million pseudo-random doubles (fixed
// seed, fewer where scale.h says so; doubles.h says what they cover). Both
// must give the correctly rounded text, exact ties to the even digit.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "engine/format.h"
#include "tests/oracles/c_library.h"
#include "tests/oracles/doubles.h"
#include "tests/oracles/scale.h"
#include "tests/support/text.h"

namespace {

const int kValues = oracle::Scaled(1000000);
constexpr int kReportedMismatches = 10;
// FormatValue's narrow scratch holds 79 characters; a longer number shows
// as "--" rather than as a cut number of the wrong size.
constexpr size_t kValueScratchCharacters = 79;

struct CodeCase {
    const char* code;
    const char* cFormat;
};

// "int" is "f0", and every unknown code is "f2"; they are checked on fewer
// values below since they share the conversions.
constexpr CodeCase kCodes[] = {
    {"f0", "%.0f"}, {"f1", "%.1f"}, {"f2", "%.2f"}, {"f3", "%.3f"}, {"pct", "%.1f%%"},
};

std::string ExpectedValueText(const char* cFormat, double value) {
    if (!std::isfinite(value)) return "--";
    if (std::fabs(value) >= 1e80) return "--";  // 81 digits before the point
    const std::string text = oracle::CFormat(cFormat, value);
    return text.size() <= kValueScratchCharacters ? text : "--";
}

using tarn::testing::ValueText;

TEST(NumberTextOracle, FormatValueMatchesSnprintf) {
    oracle::DoubleStream stream;
    int mismatches = 0;
    for (int i = 0; i < kValues; ++i) {
        const double value = stream.Next();
        for (const CodeCase& c : kCodes) {
            const std::string expected = ExpectedValueText(c.cFormat, value);
            const std::u16string text = ValueText(c.code, value);
            if (text != oracle::Widen(expected) && mismatches++ < kReportedMismatches) {
                ADD_FAILURE() << c.code << " of " << oracle::CFormat("%a", value) << " ("
                              << oracle::CFormat("%.17g", value) << "): \"" << oracle::Narrow(text)
                              << "\", snprintf \"" << expected << "\"";
            }
        }
        if (i % 16 == 0) {
            EXPECT_EQ(ValueText("int", value), ValueText("f0", value));
            EXPECT_EQ(ValueText("F1", value), ValueText("f2", value));
            EXPECT_EQ(ValueText(nullptr, value), ValueText("f2", value));
        }
    }
    EXPECT_EQ(mismatches, 0);
}

struct ConversionCase {
    const char16_t* wide;
    const char* narrow;
    bool fixed;  // hundreds of digits for large values
};

// The system's templates use %g and %.Nf; widths, flags and other
// precisions are part of the same conversions.
constexpr ConversionCase kConversions[] = {
    {u"%g", "%g", false},          {u"%f", "%f", true},         {u"%.0f", "%.0f", true},
    {u"%.1f", "%.1f", true},       {u"%.2f", "%.2f", true},     {u"%.3f", "%.3f", true},
    {u"%.6f", "%.6f", true},       {u"%.3g", "%.3g", false},    {u"%.17g", "%.17g", false},
    {u"%08.2f", "%08.2f", true},   {u"%-10.1f|", "%-10.1f|", true}, {u"%12g", "%12g", false},
};

TEST(NumberTextOracle, FormatBoundedMatchesSnprintf) {
    oracle::DoubleStream stream(0xF0F0u);
    constexpr int32_t kCapacity = 1024;  // %f of the largest double is 316 characters
    int mismatches = 0;
    for (int i = 0; i < kValues; ++i) {
        const double value = stream.Next();
        // Every eighth large value is enough for the long fixed-point texts.
        const bool longFixed = std::fabs(value) >= 1e30 && i % 8 != 0;
        // The C libraries disagree on the sign of NaN (glibc "-nan", mingw
        // "nan"); the engine writes the sign it has, checked below.
        if (std::isnan(value)) continue;
        for (const ConversionCase& c : kConversions) {
            if (c.fixed && longFixed) continue;
            const std::string expected = oracle::CFormat(c.narrow, value);
            char16_t buffer[kCapacity];
            const int32_t result = tarn::FormatBounded(buffer, kCapacity, c.wide, value);
            const std::u16string text = buffer;
            if ((text != oracle::Widen(expected) || result != static_cast<int32_t>(expected.size())) &&
                mismatches++ < kReportedMismatches) {
                ADD_FAILURE() << oracle::Narrow(c.wide) << " of " << oracle::CFormat("%a", value) << ": \""
                              << oracle::Narrow(text) << "\" (" << result << "), snprintf \"" << expected << "\"";
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Infinities are "inf" and "-inf" like printf; NaN shows its sign bit.
TEST(NumberTextOracle, InfinityAndNanTexts) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double value;
        const char16_t* text;
    } kCases[] = {
        {HUGE_VAL, u"inf|inf|inf"}, {-HUGE_VAL, u"-inf|-inf|-inf"},
        {std::copysign(nan, 1.0), u"nan|nan|nan"}, {std::copysign(nan, -1.0), u"-nan|-nan|-nan"},
    };
    for (const auto& c : kCases) {
        char16_t buffer[64];
        tarn::FormatBounded(buffer, 64, u"%g|%.1f|%f", c.value, c.value, c.value);
        EXPECT_EQ(std::u16string(buffer), c.text);
        EXPECT_EQ(ValueText("f1", c.value), u"--");
        EXPECT_EQ(ValueText("date", c.value), u"--");
    }
}

// The integer conversions of the date and count templates, with their widths.
TEST(NumberTextOracle, IntegerConversionsMatchSnprintf) {
    oracle::DoubleStream stream(0x1234u);
    int mismatches = 0;
    for (int i = 0; i < kValues / 4; ++i) {
        const uint64_t bits = stream.Bits();
        const int shift = static_cast<int>(bits % 64);
        const auto wide = static_cast<int64_t>(stream.Bits()) >> shift;
        const auto narrow = static_cast<int32_t>(wide);
        const struct {
            const char16_t* wide;
            std::string expected;
        } checks[] = {
            {u"%d", oracle::CFormat("%d", narrow)},
            {u"%02d", oracle::CFormat("%02d", narrow)},
            {u"%03d", oracle::CFormat("%03d", narrow)},
            {u"%04d", oracle::CFormat("%04d", narrow)},
            {u"%-5d|", oracle::CFormat("%-5d|", narrow)},
        };
        for (const auto& c : checks) {
            char16_t buffer[64];
            tarn::FormatBounded(buffer, 64, c.wide, narrow);
            if (std::u16string(buffer) != oracle::Widen(c.expected) && mismatches++ < kReportedMismatches)
                ADD_FAILURE() << oracle::Narrow(c.wide) << " of " << narrow << ": \"" << oracle::Narrow(buffer)
                              << "\", snprintf \"" << c.expected << "\"";
        }
        for (const char* format : {"%lld", "%02lld", "%04lld"}) {
            const std::string expected = oracle::CFormat(format, static_cast<long long>(wide));
            char16_t buffer[64];
            tarn::FormatBounded(buffer, 64, oracle::Widen(format).c_str(), wide);
            if (std::u16string(buffer) != oracle::Widen(expected) && mismatches++ < kReportedMismatches)
                ADD_FAILURE() << format << " of " << wide << ": \"" << oracle::Narrow(buffer) << "\", snprintf \""
                              << expected << "\"";
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
