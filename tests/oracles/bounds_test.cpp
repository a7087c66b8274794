// Every operation that writes into a caller's buffer, at every small
// capacity: it writes nothing at or past the capacity (a guard band after
// the buffer must stay untouched, so an overrun shows without a sanitizer,
// under Wine too), leaves a terminated text within capacity - 1, and a
// capacity of 0 gets nothing written at all.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/selftest.h"
#include "computation/computation.h"
#include "engine/format.h"
#include "engine/text.h"
#include "records/record_log.h"
#include "reports/reports.h"
#include "tests/support/guarded_buffer.h"
#include "ui/commands.h"

namespace {

constexpr int32_t kLargestCapacity = 80;

using Writer = std::function<void(char16_t* buffer, int32_t capacity)>;

struct Case {
    const char* name;
    int32_t smallestCapacity;  // the documented minimum
    Writer write;
};

// Runs `write` at capacity and checks the buffer and the guard band after it.
void CheckCapacity(const Case& c, int32_t capacity) {
    tarn::testing::GuardedBuffer buffer(capacity);
    c.write(buffer.data, capacity);
    ASSERT_TRUE(buffer.GuardsIntact()) << c.name << " wrote past a capacity of " << capacity
                                       << " at index " << buffer.FirstWrittenGuard();
    if (capacity == 0) return;
    EXPECT_TRUE(buffer.Terminated()) << c.name << " left no terminator within a capacity of " << capacity;
}

const double kDefaults[tarn::kMaxInputs] = {60.0, 6.800000190734863};

const char* RequestName(tarn::app::SelfTestRequest request) {
    switch (request) {
        case tarn::app::SelfTestRequest::Absent: return "Absent";
        case tarn::app::SelfTestRequest::Path: return "Path";
        case tarn::app::SelfTestRequest::PathTooLong: return "PathTooLong";
    }
    return "?";
}

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"FormatBounded", 0, [](char16_t* b, int32_t n) { tarn::FormatBounded(b, n, u"%ls：%.1f %d", u"体重", 60.0, 22); }},
        {"FormatBounded with a bad template", 0, [](char16_t* b, int32_t n) { tarn::FormatBounded(b, n, u"abc%q", 1); }},
        {"AppendLine", 0,
         [](char16_t* b, int32_t n) {
             if (n > 0) b[0] = 0;
             tarn::AppendLine(b, n, u"%ls", u"第一行");
             tarn::AppendLine(b, n, u"%04lld", static_cast<int64_t>(-5));
         }},
        {"FormatValue", 1, [](char16_t* b, int32_t n) { tarn::FormatValue("f3", -123456.789, b, n); }},
        {"FormatValue of NaN", 1, [](char16_t* b, int32_t n) { tarn::FormatValue("f1", __builtin_nan(""), b, n); }},
        {"FormatValue date", 1, [](char16_t* b, int32_t n) { tarn::FormatValue("date", -1000000.0, b, n); }},
        {"FormatDayNumber", 0, [](char16_t* b, int32_t n) { tarn::FormatDayNumber(INT64_MIN, b, n); }},
        {"CopyBounded", 0, [](char16_t* b, int32_t n) { tarn::CopyBounded(b, n, u"血钾在可接受范围"); }},
        {"TextBuilder", 0,
         [](char16_t* b, int32_t n) {
             tarn::TextBuilder text = tarn::StartText(b, n);
             tarn::AppendText(text, u"血钾");
             tarn::AppendChar(text, u'：');
             tarn::AppendFormatted(text, u"%.1f %ls", 6.8, u"mmol/L");
             tarn::AppendFormattedPart(text, 4, u"%d", 123456);
             tarn::AppendFormattedLine(text, u"%ls", u"第一行");
             tarn::AppendDayNumber(text, INT64_MIN);
         }},
        {"BuildSelfTestReport", 0, [](char16_t* b, int32_t n) { tarn::app::BuildSelfTestReport(tarn::CurrentTool(), b, n); }},
        {"ToolComputation report", 1,
         [](char16_t* b, int32_t n) {
             char16_t verdict[512], copy[8192];
             int32_t level = 0;
             tarn::ToolComputation(tarn::CurrentTool(), kDefaults, b, n, verdict, 512, &level, copy, 8192);
         }},
        {"ToolComputation verdict", 13,
         [](char16_t* b, int32_t n) {
             char16_t report[4096], copy[8192];
             int32_t level = 0;
             tarn::ToolComputation(tarn::CurrentTool(), kDefaults, report, 4096, b, n, &level, copy, 8192);
         }},
        {"ToolComputation copy", 1,
         [](char16_t* b, int32_t n) {
             char16_t report[4096], verdict[512];
             int32_t level = 0;
             tarn::ToolComputation(tarn::CurrentTool(), kDefaults, report, 4096, verdict, 512, &level, b, n);
         }},
        {"GenerateReport report", 13,
         [](char16_t* b, int32_t n) {
             char16_t verdict[64];
             for (int32_t kind = 0; kind <= 12; ++kind) tarn::GenerateReport(kind, tarn::CurrentTool(), kDefaults, b, n, verdict, 64);
         }},
        {"GenerateReport verdict", 21,
         [](char16_t* b, int32_t n) {
             char16_t report[4096];
             for (int32_t kind = 0; kind <= 12; ++kind) tarn::GenerateReport(kind, tarn::CurrentTool(), kDefaults, report, 4096, b, n);
         }},
        {"BuildHeaderLine", 0, [](char16_t* b, int32_t n) { tarn::records::BuildHeaderLine(tarn::CurrentTool(), b, n); }},
        {"BuildRecordLine", 0,
         [](char16_t* b, int32_t n) {
             tarn::records::BuildRecordLine(tarn::CurrentTool(), kDefaults, u"胰岛素：6.0 U\r\n", {2026, 12, 7, 10, 15, 25}, b, n);
         }},
        {"FormatRecordsFolder", 0, [](char16_t* b, int32_t n) { tarn::records::FormatRecordsFolder(u"/home/数据", b, n); }},
        {"FormatRecordFilePath", 0, [](char16_t* b, int32_t n) { tarn::records::FormatRecordFilePath(u"/home/records", 22, b, n); }},
        {"FormatDefaultValue", 0, [](char16_t* b, int32_t n) { tarn::ui::FormatDefaultValue(6.800000190734863, b, n); }},
        {"FindSelfTestRequest", 0,
         [](char16_t* b, int32_t n) { tarn::app::FindSelfTestRequest(u"ordavel --selftest", b, n); }},
        {"FindSelfTestRequest with a path", 0,
         [](char16_t* b, int32_t n) { tarn::app::FindSelfTestRequest(u"ordavel --selftest \"报告.txt\"", b, n); }},
    };
    return cases;
}

TEST(Bounds, NoWriterGoesPastItsCapacity) {
    for (const Case& c : Cases()) {
        for (int32_t capacity = c.smallestCapacity; capacity <= kLargestCapacity; ++capacity) {
            SCOPED_TRACE(c.name);
            CheckCapacity(c, capacity);
            if (HasFatalFailure()) break;
        }
    }
}

// A path that does not fit is refused rather than cut, and so is the
// default path: a cut name would write the report somewhere else.
TEST(Bounds, SelfTestPathThatDoesNotFitIsRefused) {
    for (int32_t capacity = 1; capacity <= 12; ++capacity) {
        tarn::testing::GuardedBuffer path(capacity);
        const auto request = tarn::app::FindSelfTestRequest(u"ordavel --selftest", path.data, capacity);
        EXPECT_STREQ(RequestName(request), "PathTooLong") << "\"selftest.txt\" into a capacity of " << capacity;
    }
    char16_t path[13];
    EXPECT_STREQ(RequestName(tarn::app::FindSelfTestRequest(u"ordavel --selftest", path, 13)), "Path");
    EXPECT_EQ(std::u16string(path), u"selftest.txt");
}

}  // namespace
