// Reports cut at small capacities: the text is the start of the whole
// report, and nothing is written at or after the capacity.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "reports/reports.h"
#include "tests/support/guarded_buffer.h"
#include "tests/support/report_tool.h"

namespace tarn {
namespace {

using testing::NamedInput;
using testing::ReportTool;

using testing::GuardedBuffer;
using testing::kGuard;

// The guards are intact and the text is terminated inside the capacity.
std::u16string CheckedText(const GuardedBuffer& g) {
    EXPECT_TRUE(g.GuardsIntact()) << "written past capacity " << g.capacity << " at "
                                  << g.FirstWrittenGuard();
    EXPECT_TRUE(g.Terminated()) << "not terminated within capacity " << g.capacity;
    return g.Text();
}

struct ToolCase {
    int32_t kind;
    std::vector<NamedInput> inputs;
};

const ToolCase kTools[] = {
    {1, {{"nurses", 4}, {"days", 5}}},
    {2, {{"start", 8}, {"interval", 6}, {"times", 4}}},
    {3, {{"kind", 2}}},
    {4, {{"kind", 1}}},
    {5, {{"kind", 1}}},
    {6, {{"drugA", 6}, {"drugB", 7}}},
    {7, {{"start", 3}, {"gap", 14}, {"times", 4}}},
    {8, {}},
    {9, {{"beds", 3}}},
    {10, {{"bed", 7}, {"dose", 1.5}, {"volume", 100}, {"gtt", 30}}},
    {11, {{"panel", 2}}},
    {12, {}},
};

// ReportTool takes an initializer list; rebuild it from the case's vector.
int32_t RunInto(const ToolCase& c, char16_t* report, int32_t reportCapacity, char16_t* verdict,
                int32_t verdictCapacity) {
    const NamedInput none = {"", 0.0};
    const auto at = [&](size_t i) { return i < c.inputs.size() ? c.inputs[i] : none; };
    const ReportTool tool(c.kind, {at(0), at(1), at(2), at(3)});
    return GenerateReport(c.kind, tool.Descriptor(), tool.Values(), report, reportCapacity, verdict,
                          verdictCapacity);
}

TEST(ReportBounds, EveryCapacityGivesThePrefixAndNeverOverruns) {
    for (const ToolCase& c : kTools) {
        SCOPED_TRACE(c.kind);
        GuardedBuffer fullReport(8192);
        GuardedBuffer fullVerdict(64);
        const int32_t level = RunInto(c, fullReport.data, 8192, fullVerdict.data, 64);
        const std::u16string full = CheckedText(fullReport);
        const std::u16string verdict = CheckedText(fullVerdict);
        ASSERT_GT(full.size(), 10u);

        const int32_t longest = static_cast<int32_t>(full.size()) + 3;
        for (int32_t capacity = 1; capacity <= longest; ++capacity) {
            GuardedBuffer report(capacity);
            GuardedBuffer verdictBuffer(64);
            ASSERT_EQ(RunInto(c, report.data, capacity, verdictBuffer.data, 64), level);
            const std::u16string text = CheckedText(report);
            const size_t kept = std::min(full.size(), static_cast<size_t>(capacity - 1));
            ASSERT_EQ(text, full.substr(0, kept)) << "capacity " << capacity;
            ASSERT_EQ(CheckedText(verdictBuffer), verdict) << "capacity " << capacity;
        }
    }
}

TEST(ReportBounds, SmallVerdictBuffersAreCutNotOverrun) {
    for (const ToolCase& c : kTools) {
        SCOPED_TRACE(c.kind);
        GuardedBuffer fullVerdict(64);
        std::vector<char16_t> report(8192);
        const int32_t level = RunInto(c, report.data(), 8192, fullVerdict.data, 64);
        const std::u16string verdict = CheckedText(fullVerdict);
        for (int32_t capacity = 1; capacity <= 24; ++capacity) {
            GuardedBuffer small(capacity);
            ASSERT_EQ(RunInto(c, report.data(), 8192, small.data, capacity), level);
            const size_t kept = std::min(verdict.size(), static_cast<size_t>(capacity - 1));
            ASSERT_EQ(CheckedText(small), verdict.substr(0, kept)) << "capacity " << capacity;
        }
    }
}

TEST(ReportBounds, ZeroCapacityBuffersAreLeftAlone) {
    for (const ToolCase& c : kTools) {
        SCOPED_TRACE(c.kind);
        GuardedBuffer report(0);
        GuardedBuffer verdict(0);
        RunInto(c, report.data, 0, verdict.data, 0);
        for (char16_t element : report.storage) EXPECT_EQ(element, kGuard);
        for (char16_t element : verdict.storage) EXPECT_EQ(element, kGuard);
    }
}

TEST(ReportBounds, LargestRotaAroundItsExactLength) {
    const ToolCase rota = {1, {{"nurses", 40}, {"days", 31}}};
    GuardedBuffer fullReport(8192);
    char16_t verdict[64];
    RunInto(rota, fullReport.data, 8192, verdict, 64);
    const std::u16string full = CheckedText(fullReport);
    ASSERT_EQ(full.size(), 6390u);
    for (int32_t capacity : {2, 100, 4096, 6389, 6390, 6391, 6392}) {
        GuardedBuffer report(capacity);
        RunInto(rota, report.data, capacity, verdict, 64);
        const size_t kept = std::min(full.size(), static_cast<size_t>(capacity - 1));
        EXPECT_EQ(CheckedText(report), full.substr(0, kept)) << "capacity " << capacity;
    }
}

}  // namespace
}  // namespace tarn
