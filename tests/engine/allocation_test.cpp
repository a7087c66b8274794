// The engine core allocates nothing and throws nothing. The allocation counter
// of the test support replaces the global operator new and delete and, on
// glibc without AddressSanitizer, malloc and its relatives, so that
// allocations made inside the C and C++ runtime libraries count as well.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string>

#include "engine/descriptor.h"
#include "engine/expression.h"
#include "engine/format.h"
#include "tests/support/allocation_counter.h"

namespace tarn {
namespace {

using allocation::Measure;
using allocation::Measured;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Keeps the optimiser from removing a control allocation.
void* volatile sink = nullptr;

TEST(Allocation, TheCountersSeeAllocationsAndExceptions) {
    const Measured byNew = Measure([] {
        int* value = new int(7);
        sink = value;
        delete value;
    });
    EXPECT_GE(byNew.allocations, 1);

    const Measured byLibrary = Measure([] {
        std::string text(200, 'x');
        sink = text.data();
    });
    EXPECT_GE(byLibrary.allocations, 1);

    const Measured thrown = Measure([] { throw 1; });
    EXPECT_EQ(thrown.exceptions, 1);

#if ORDAVEL_COUNT_MALLOC
    const Measured byMalloc = Measure([] {
        void* (*volatile allocate)(std::size_t) = std::malloc;
        void* block = allocate(64);
        sink = block;
        std::free(block);
    });
    EXPECT_GE(byMalloc.allocations, 1);

    // An allocation made inside the C library itself.
    const Measured insideLibc = Measure([] {
        char* copy = strdup("ordavel");
        sink = copy;
        std::free(copy);
    });
    EXPECT_GE(insideLibc.allocations, 1);
#endif

    const Measured nothing = Measure([] { sink = nullptr; });
    EXPECT_EQ(nothing.allocations, 0);
}

constexpr const char* kExpressions[] = {
    "min(0.5*w,20)", "0.1*w", "0.5*w", "0.5*w/0.5", "k>=6.5", "k>=5.5",
    "2^3^2", "-2^2", "1 && 0 || 1", "0 ? 2 : 0 ? 4 : 5", "1 ? 1 : 1/0",
    "sqrt(-1)", "log10(100)", "round(-2.5)", "cbrt(-8)", "mod(7.5,2)", "sign(-3)",
    "min(1,2,3)", "foo(1)", "w**2", "1<2<3", "1e999", "1/1e999", "0x10", ".",
    "", "   ", "calcium>=20", "W", "w\tk", "(((((((((w)))))))))",
    "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijklmnop",
};

constexpr const char* kCodes[] = {"f0", "f1", "f2", "f3", "int", "pct", "date", "", "F1", nullptr};

TEST(Allocation, EngineCallsNeitherAllocateNorThrow) {
    const ToolDescriptor& tool = CurrentTool();
    // Deep nesting, deeper than the evaluator follows.
    char deep[1200];
    for (int32_t i = 0; i < 600; ++i) deep[i] = '(';
    deep[600] = '1';
    for (int32_t i = 601; i < 1199; ++i) deep[i] = ')';
    deep[1199] = 0;

    const double values[] = {0.0, -0.0, 0.05, 2.5, -0.04, 12.34, 19782.9, 1e20, 1e80, -1e300,
                             9.3e18, kInf, -kInf, kNaN};
    double sum = 0.0;
    const Measured measured = Measure([&] {
        for (int32_t round = 0; round < 20; ++round) {
            const double inputs[] = {static_cast<double>(round * 7 - 20), 4.0 + 0.2 * round};
            const double outputs[kMaxOutputs] = {};
            for (const char* text : kExpressions) {
                int32_t error = 0;
                sum += EvaluateExpression(tool, text, inputs, outputs, &error);
            }
            int32_t error = 0;
            sum += EvaluateExpression(tool, deep, inputs, outputs, &error);
            sum += EvaluateExpression(tool, nullptr, inputs, outputs, &error);

            char16_t text[kValueTextCapacity];
            for (const char* code : kCodes) {
                for (double value : values) FormatValue(code, value, text, kValueTextCapacity);
            }
            FormatValue("f1", 123.25, text, 3);

            char16_t line[64];
            FormatBounded(line, 64, u"%ls：%ls %ls\r\n", u"胰岛素", u"6.0", u"U");
            FormatBounded(line, 64, u"%04lld-%02lld-%02lld", int64_t{-5}, int64_t{3}, int64_t{1});
            FormatBounded(line, 64, u"%-5d|%03d|%c|%g|%.6g|%.1f%%", -42, 7, 'D', 1234567.0, 6.8, 12.34);
            FormatBounded(line, 64, u"%.100f", 1e300);  // cut
            FormatBounded(line, 64, u"%d %x", 1.5);      // refused
            FormatBounded(line, 4, u"abcdef");

            char16_t report[600] = u"";
            for (int32_t i = 0; i < 8; ++i) AppendLine(report, 600, u"第 %d 次：%ls", i, u"2024-02-29");
            AppendLine(report, 600, u"%ls", report);  // a line longer than the room

            sum += static_cast<double>(DaysFromCivil(2000 + round, round - 3, 40 - round));
            FormatDayNumber(INT64_MIN + round, line, 64);
        }
    });
    EXPECT_EQ(measured.allocations, 0);
    EXPECT_EQ(measured.exceptions, 0);
    EXPECT_EQ(sum, sum);  // the results are used
}

}  // namespace
}  // namespace tarn
