// The DETAIL line's cap of 8000 characters. No report the product computes
// comes near it (the longest, a rota of 40 nurses over 31 days, has some
// 6300), so this binary links a computation of its own in place of the
// real one: its report is whatever the test sets.
#include <gtest/gtest.h>

#include <string>

#include "app/selftest.h"
#include "computation/computation.h"
#include "engine/text.h"

namespace {

std::u16string gReport;

}  // namespace

namespace tarn {

int32_t ToolComputation(const ToolDescriptor&, const double*, char16_t* report,
                        int32_t reportCapacity, char16_t* verdict, int32_t verdictCapacity,
                        int32_t* level, char16_t* copy, int32_t copyCapacity) {
    CopyBounded(report, reportCapacity, gReport.c_str());
    CopyBounded(verdict, verdictCapacity, u"v");
    CopyBounded(copy, copyCapacity, gReport.c_str());
    *level = 0;
    return 0;
}

}  // namespace tarn

namespace tarn::app {
namespace {

constexpr ToolDescriptor kReportKindTool = {
    9, u"Checklist", nullptr, u"Test", u"ref", nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 8};

// The text between "DETAIL|" and the CR LF that ends its line.
std::u16string DetailOf(const std::u16string& report) {
    gReport = report;
    static char16_t text[kSelfTestTextCapacity];
    BuildSelfTestReport(kReportKindTool, text, kSelfTestTextCapacity);
    const std::u16string whole = text;
    const size_t start = whole.find(u"\r\nDETAIL|");
    const size_t end = whole.find(u"\r\nERRORS|");
    if (start == std::u16string::npos || end == std::u16string::npos) return u"no DETAIL line";
    return whole.substr(start + 9, end - start - 9);
}

// `count` lines of `width` x's, each ended by CR LF.
std::u16string Lines(int count, size_t width) {
    std::u16string text;
    for (int i = 0; i < count; ++i) text += std::u16string(width, u'x') + u"\r\n";
    return text;
}

TEST(SelfTestDetail, KeepsAtMost8000CharactersNotCountingCarriageReturns) {
    struct Case {
        const char* what;
        std::u16string report;
        std::u16string detail;
    };
    const std::u16string line = std::u16string(79, u'x') + u" ";
    std::u16string hundredLines;
    for (int i = 0; i < 100; ++i) hundredLines += line;
    const Case cases[] = {
        {"7999 characters", std::u16string(7999, u'a'), std::u16string(7999, u'a')},
        {"8000 characters", std::u16string(8000, u'a'), std::u16string(8000, u'a')},
        {"8001 characters", std::u16string(8001, u'a'), std::u16string(8000, u'a')},
        // The report buffer's whole 8191 units.
        {"8191 characters", std::u16string(8191, u'a'), std::u16string(8000, u'a')},
        // 8100 units, 100 of them CRs: all of it fits.
        {"100 lines of 80", Lines(100, 79), hundredLines},
        {"101 lines of 80", Lines(101, 79), hundredLines},
    };
    for (const Case& c : cases) {
        const std::u16string detail = DetailOf(c.report);
        EXPECT_EQ(detail.size(), c.detail.size()) << c.what;
        EXPECT_TRUE(detail == c.detail) << c.what;
    }
}

}  // namespace
}  // namespace tarn::app
