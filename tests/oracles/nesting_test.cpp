// Deep nesting: texts of 100,000 parentheses, minus signs, "^", "!", calls
// and conditionals must fail cleanly with the error flag (the evaluator
// follows at most kMaxExpressionDepth open nestings), quickly and without
// exhausting the stack, while any nesting up to that depth evaluates. On
// Linux the stack that the deepest accepted text needs is measured on a
// thread of known stack.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/expression.h"
#include "tests/support/text.h"

#if defined(__linux__)
#include <pthread.h>
#if __has_include(<valgrind/valgrind.h>)
#include <valgrind/valgrind.h>
#endif
#endif
#ifndef RUNNING_ON_VALGRIND
#define RUNNING_ON_VALGRIND 0
#endif

namespace {

constexpr int kDeep = 100000;

const tarn::ToolDescriptor& Tool() { return tarn::CurrentTool(); }
const double kInputs[2] = {60.0, 6.800000190734863};
const double kOutputs[16] = {};

struct Result {
    double value;
    int32_t error;
};

Result Evaluate(const std::string& text) {
    Result result{0.0, -1};
    result.value = tarn::EvaluateExpression(Tool(), text.c_str(), kInputs, kOutputs, &result.error);
    return result;
}

using tarn::testing::Repeat;

std::string Parentheses(int depth) { return Repeat("(", depth) + "w" + Repeat(")", depth); }
std::string Minus(int depth) { return Repeat("-", depth) + "w"; }
std::string Powers(int depth) { return Repeat("1^", depth) + "1"; }
std::string Nots(int depth) { return Repeat("!", depth) + "0"; }
std::string Calls(int depth) { return Repeat("abs(", depth) + "w" + Repeat(")", depth); }
std::string Conditionals(int depth) { return Repeat("1?", depth) + "w" + Repeat(":0", depth); }
std::string Mixed(int depth) { return Repeat("-(2^!(", depth) + "0" + Repeat("))", depth); }

struct Shape {
    const char* name;
    std::string (*text)(int);
    int levels;  // open nestings per repeated piece
};

const Shape kShapes[] = {
    {"parentheses", Parentheses, 1}, {"minus signs", Minus, 1}, {"powers", Powers, 1},
    {"nots", Nots, 1},               {"calls", Calls, 1},       {"conditionals", Conditionals, 1},
    {"mixed", Mixed, 5},
};

// The most pieces of a shape that stay within the limit.
int Deepest(const Shape& shape) { return tarn::kMaxExpressionDepth / shape.levels; }

TEST(Nesting, HundredThousandLevelsFailCleanlyAndQuickly) {
    for (const Shape& shape : kShapes) {
        const std::string text = shape.text(kDeep);
        const auto start = std::chrono::steady_clock::now();
        const Result result = Evaluate(text);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(result.error, 1) << shape.name;
        // One pass over the text at most: well under a second even under Wine.
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 1000) << shape.name;
    }
    // Unclosed openings only, and closings only.
    EXPECT_EQ(Evaluate(Repeat("(", kDeep)).error, 1);
    EXPECT_EQ(Evaluate(Repeat("abs(", kDeep)).error, 1);
    EXPECT_EQ(Evaluate("w" + Repeat(")", kDeep)).error, 1);
}

TEST(Nesting, UnaryPlusIsNoNestingHoweverLong) {
    const Result result = Evaluate(Repeat("+", kDeep) + "5");
    EXPECT_EQ(result.error, 0);
    EXPECT_EQ(result.value, 5.0);
    const Result spaced = Evaluate(Repeat("+ ", kDeep) + "w");
    EXPECT_EQ(spaced.error, 0);
    EXPECT_EQ(spaced.value, 60.0);
}

TEST(Nesting, EveryDepthUpToTheLimitEvaluates) {
    for (int depth = 1; depth <= tarn::kMaxExpressionDepth; ++depth) {
        const Result parentheses = Evaluate(Parentheses(depth));
        ASSERT_EQ(parentheses.error, 0) << depth;
        EXPECT_EQ(parentheses.value, 60.0);
        const Result minus = Evaluate(Minus(depth));
        ASSERT_EQ(minus.error, 0) << depth;
        EXPECT_EQ(minus.value, depth % 2 == 0 ? 60.0 : -60.0);
        const Result calls = Evaluate(Calls(depth));
        ASSERT_EQ(calls.error, 0) << depth;
        EXPECT_EQ(calls.value, 60.0);
    }
    // Long flat texts are no nesting: a sum of 100,000 terms.
    const Result sum = Evaluate("0" + Repeat("+w", kDeep));
    EXPECT_EQ(sum.error, 0);
    EXPECT_EQ(sum.value, 60.0 * kDeep);
}

TEST(Nesting, OnePiecePastTheLimitFails) {
    for (const Shape& shape : kShapes) {
        EXPECT_EQ(Evaluate(shape.text(Deepest(shape))).error, 0) << shape.name;
        EXPECT_EQ(Evaluate(shape.text(Deepest(shape) + 1)).error, 1) << shape.name;
    }
}

#if defined(__linux__)
// Runs the deepest accepted texts on a thread whose stack is a buffer filled
// with a pattern; the part of the pattern that is gone is the stack used.
constexpr size_t kStackBytes = 4u << 20;
constexpr unsigned char kPattern = 0x5C;

void* RunDeepest(void* resultSlot) {
    int32_t worst = 0;
    for (const Shape& shape : kShapes) worst |= Evaluate(shape.text(Deepest(shape))).error;
    for (const Shape& shape : kShapes) worst |= 1 - Evaluate(shape.text(kDeep)).error;
    *static_cast<int32_t*>(resultSlot) = worst;
    return nullptr;
}

TEST(Nesting, StackOfTheDeepestAcceptedNesting) {
    // Valgrind runs the thread on its own terms and forbids reading its
    // stack afterwards; the figure belongs to a real run.
    if (RUNNING_ON_VALGRIND) GTEST_SKIP() << "under Valgrind";
    static unsigned char stack[kStackBytes] __attribute__((aligned(4096)));
    std::memset(stack, kPattern, sizeof stack);
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstack(&attributes, stack, sizeof stack), 0);
    int32_t errors = -1;
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attributes, RunDeepest, &errors), 0);
    ASSERT_EQ(pthread_join(thread, nullptr), 0);
    pthread_attr_destroy(&attributes);
    EXPECT_EQ(errors, 0) << "the deepest accepted texts evaluate, the deeper ones fail";

    // The stack grows down from the end of the buffer.
    size_t untouched = 0;
    while (untouched < sizeof stack && stack[untouched] == kPattern) ++untouched;
    const size_t used = sizeof stack - untouched;
    std::printf("stack used by nesting %d: %zu bytes (%zu per level)\n", tarn::kMaxExpressionDepth, used,
                used / static_cast<size_t>(tarn::kMaxExpressionDepth));
    RecordProperty("stack_bytes", static_cast<int>(used));
    // Optimised, far below the 2 MiB that ordavel.exe's main thread reserves
    // (1 MiB is the least any Windows program gets); the unoptimised
    // sanitizer build needs about five times more.
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(used, size_t{2} << 20);
#else
    EXPECT_LT(used, size_t{512} << 10);
#endif
}
#endif

}  // namespace
