// The compute operation allocates nothing and throws nothing, for formula
// tools and every report kind, the follow-up dates' clock included. The
// allocation counter of the test support counts inside the C and C++
// runtime libraries too (tests/support/allocation_counter.h).
#include <gtest/gtest.h>

#include <cstdint>

#include "computation/computation.h"
#include "engine/descriptor.h"
#include "tests/support/allocation_counter.h"

namespace tarn {
namespace {

using allocation::Measure;
using allocation::Measured;

constexpr InputField kInputs[] = {{"w", u"体重", u"kg", 60.0}, {"k", u"血钾", u"mmol/L", 5.0}};
constexpr OutputField kOutputs[] = {
    {"a", u"甲", u"ml", "w/0", "f1"}, {"b", u"乙", u"", "a+c", "date"}, {"c", u"丙", nullptr, "1e308*10", "pct"},
};
constexpr VerdictRule kRules[] = {{"1/0", 3, u"重"}, {"a>1", 2, u"中"}, {"", 1, u""}};

TEST(Allocation, ToolComputationNeitherAllocatesNorThrows) {
    static char16_t report[8192];
    static char16_t verdict[512];
    static char16_t copy[8192];
    ToolDescriptor other = {99, u"测试", nullptr, u"测试", u"—", nullptr, 2, kInputs,
                            3, kOutputs, 3, kRules, kFormulaTool};
    int32_t levels = 0;
    const Measured measured = Measure([&] {
        for (int32_t round = 0; round < 50; ++round) {
            const double inputs[] = {static_cast<double>(round * 3 - 30), 4.0 + 0.1 * round};
            int32_t level = 0;
            levels += ToolComputation(CurrentTool(), inputs, report, 4096, verdict, 512, &level, copy, 8192);
            levels += ToolComputation(CurrentTool(), inputs, report, 25, verdict, 5, &level, copy, 10);
            levels += ToolComputation(other, inputs, report, 8192, verdict, 512, &level, copy, 8192);
            for (int32_t kind = 1; kind <= 12; ++kind) {
                if (kind == 7) continue;  // reads the local clock; below
                other.kind = kind;
                levels += ToolComputation(other, inputs, report, 8192, verdict, 512, &level, copy, 8192);
            }
            other.kind = kFormulaTool;
        }
    });
    EXPECT_EQ(measured.allocations, 0);
    EXPECT_EQ(measured.exceptions, 0);
    EXPECT_GE(levels, 0);
}

TEST(Allocation, FollowUpDatesAllocateNothingOnceTheClockIsSetUp) {
    static char16_t report[8192];
    static char16_t verdict[512];
    static char16_t copy[8192];
    ToolDescriptor followUp = {99, u"测试", nullptr, u"测试", u"—", nullptr, 2, kInputs,
                               0, nullptr, 0, nullptr, 7};
    const double inputs[] = {3.0, 7.0};
    int32_t level = 0;
    // The C library reads the time-zone data on its first local-time call.
    ToolComputation(followUp, inputs, report, 8192, verdict, 512, &level, copy, 8192);
    const Measured measured = Measure([&] {
        for (int32_t round = 0; round < 50; ++round) {
            ToolComputation(followUp, inputs, report, 8192, verdict, 512, &level, copy, 8192);
        }
    });
    EXPECT_EQ(measured.allocations, 0);
    EXPECT_EQ(measured.exceptions, 0);
}

}  // namespace
}  // namespace tarn
