// Reports cut at small capacities: the text is the start of the whole
// report, and nothing is written at or after the capacity.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "reports/reports.h"
#include "tests/reports/report_test_support.h"

namespace tarn {
namespace {

using testing::NamedInput;
using testing::ReportTool;

constexpr char16_t kGuard = 0xBEEF;
constexpr char16_t kGarbage = u'#';
constexpr size_t kGuardCount = 16;

struct Guarded {
    std::vector<char16_t> storage;
    int32_t capacity;
};

Guarded MakeGuarded(int32_t capacity) {
    Guarded g{std::vector<char16_t>(static_cast<size_t>(capacity) + kGuardCount, kGuard), capacity};
    std::fill(g.storage.begin(), g.storage.begin() + capacity, kGarbage);
    return g;
}

// The guards are intact and the text is terminated inside the capacity.
std::u16string CheckedText(const Guarded& g) {
    for (size_t i = static_cast<size_t>(g.capacity); i < g.storage.size(); ++i) {
        EXPECT_EQ(g.storage[i], kGuard) << "written past capacity " << g.capacity << " at " << i;
    }
    const auto end = g.storage.begin() + g.capacity;
    const auto terminator = std::find(g.storage.begin(), end, char16_t{0});
    EXPECT_NE(terminator, end) << "not terminated within capacity " << g.capacity;
    return std::u16string(g.storage.begin(), terminator);
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
        Guarded fullReport = MakeGuarded(8192);
        Guarded fullVerdict = MakeGuarded(64);
        const int32_t level = RunInto(c, fullReport.storage.data(), 8192, fullVerdict.storage.data(), 64);
        const std::u16string full = CheckedText(fullReport);
        const std::u16string verdict = CheckedText(fullVerdict);
        ASSERT_GT(full.size(), 10u);

        const int32_t longest = static_cast<int32_t>(full.size()) + 3;
        for (int32_t capacity = 1; capacity <= longest; ++capacity) {
            Guarded report = MakeGuarded(capacity);
            Guarded verdictBuffer = MakeGuarded(64);
            ASSERT_EQ(RunInto(c, report.storage.data(), capacity, verdictBuffer.storage.data(), 64), level);
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
        Guarded fullVerdict = MakeGuarded(64);
        std::vector<char16_t> report(8192);
        const int32_t level = RunInto(c, report.data(), 8192, fullVerdict.storage.data(), 64);
        const std::u16string verdict = CheckedText(fullVerdict);
        for (int32_t capacity = 1; capacity <= 24; ++capacity) {
            Guarded small = MakeGuarded(capacity);
            ASSERT_EQ(RunInto(c, report.data(), 8192, small.storage.data(), capacity), level);
            const size_t kept = std::min(verdict.size(), static_cast<size_t>(capacity - 1));
            ASSERT_EQ(CheckedText(small), verdict.substr(0, kept)) << "capacity " << capacity;
        }
    }
}

TEST(ReportBounds, ZeroCapacityBuffersAreLeftAlone) {
    for (const ToolCase& c : kTools) {
        SCOPED_TRACE(c.kind);
        Guarded report = MakeGuarded(0);
        Guarded verdict = MakeGuarded(0);
        RunInto(c, report.storage.data(), 0, verdict.storage.data(), 0);
        for (char16_t element : report.storage) EXPECT_EQ(element, kGuard);
        for (char16_t element : verdict.storage) EXPECT_EQ(element, kGuard);
    }
}

TEST(ReportBounds, LargestRotaAroundItsExactLength) {
    const ToolCase rota = {1, {{"nurses", 40}, {"days", 31}}};
    Guarded fullReport = MakeGuarded(8192);
    char16_t verdict[64];
    RunInto(rota, fullReport.storage.data(), 8192, verdict, 64);
    const std::u16string full = CheckedText(fullReport);
    ASSERT_EQ(full.size(), 6390u);
    for (int32_t capacity : {2, 100, 4096, 6389, 6390, 6391, 6392}) {
        Guarded report = MakeGuarded(capacity);
        RunInto(rota, report.storage.data(), capacity, verdict, 64);
        const size_t kept = std::min(full.size(), static_cast<size_t>(capacity - 1));
        EXPECT_EQ(CheckedText(report), full.substr(0, kept)) << "capacity " << capacity;
    }
}

}  // namespace
}  // namespace tarn
