// The expression language: values, failures with the value read so far,
// names against a test descriptor, this tool's formulas and conditions, the
// nesting bound and the number reader against strtod.
#include "engine/expression.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "engine/descriptor.h"
#include "tests/support/over_limit_tools.h"
#include "tests/support/text.h"

namespace tarn {
namespace {

using testing::Repeat;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

#define TEN_CHARS "abcdefghij"
// The longest identifier a name can match, and one that is a character too long.
constexpr char kName63[] = TEN_CHARS TEN_CHARS TEN_CHARS TEN_CHARS TEN_CHARS TEN_CHARS "abc";
constexpr char kName64[] = "x" TEN_CHARS TEN_CHARS TEN_CHARS TEN_CHARS TEN_CHARS TEN_CHARS "abc";
#undef TEN_CHARS
static_assert(sizeof(kName63) == 64 && sizeof(kName64) == 65);

constexpr InputField kTestInputs[] = {
    {"w", u"", u"", 0.0},     {"k", u"", u"", 0.0},      {kName63, u"", u"", 0.0},
    {kName64, u"", u"", 0.0}, {"shared", u"", u"", 0.0}, {"_u1", u"", u"", 0.0},
};
constexpr OutputField kTestOutputs[] = {
    {"shared", u"", u"", "", "f1"},
    {"later", u"", u"", "", "f1"},
};
constexpr ToolDescriptor kTestTool = {
    1, u"", nullptr, u"", u"", nullptr, 6, kTestInputs, 2, kTestOutputs, 0, nullptr, kFormulaTool,
};
constexpr double kInputValues[] = {60.0, 6.800000190734863, 7.0, 8.0, 1.0, 2.0};
constexpr double kOutputValues[] = {99.0, 42.0};

struct Result {
    double value;
    int32_t error;
};

Result Evaluate(const char* text, const double* outputs = kOutputValues) {
    Result result{0.0, -1};
    result.value = EvaluateExpression(kTestTool, text, kInputValues, outputs, &result.error);
    return result;
}

Result Evaluate(const std::string& text) { return Evaluate(text.c_str()); }

// Equal values, NaN equal to NaN, and the sign of a zero counts.
::testing::AssertionResult SameValue(double actual, double expected) {
    const bool same = (std::isnan(actual) && std::isnan(expected)) ||
                      (actual == expected && std::signbit(actual) == std::signbit(expected));
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "value " << actual << ", expected " << expected;
}

struct Case {
    const char* text;
    double value;
};

void ExpectSuccess(const Case& c) {
    SCOPED_TRACE(std::string(c.text).substr(0, 60));
    const Result result = Evaluate(c.text);
    EXPECT_EQ(result.error, 0);
    EXPECT_TRUE(SameValue(result.value, c.value));
}

void ExpectFailure(const Case& c) {
    SCOPED_TRACE(std::string(c.text).substr(0, 60));
    const Result result = Evaluate(c.text);
    EXPECT_EQ(result.error, 1);
    EXPECT_TRUE(SameValue(result.value, c.value));
}

// w = 60 in every table below.

TEST(Expression, ArithmeticPrecedenceAndAssociativity) {
    const Case cases[] = {
        {"2^3^2", 512},   {"-2^2", 4},        {"2^-1", 0.5},        {"2*3^2", 18},
        {"2^3*2", 16},    {"-w^2", 3600},     {"-(2^2)", -4},       {"(-2)^3", -8},
        {"2^+1", 2},      {"- 2 ^ 2", 4},       {"1+2*3", 7},
        {"2^-1^2", 2},  // the exponent is (-1)^2: unary minus binds tighter than "^"
        {"(1+2)*3", 9},   {"10-4-3", 3},      {"100/10/5", 2},      {"2*3%4", 2},
        {"12/2*3", 18},   {"1-2+3", 2},       {"-7%3", -1},         {"7%-3", 1},
        {"7.5%2", 1.5},   {"-0", -0.0},       {"0*-1", -0.0},       {"--5", 5},
        {"+ + 5", 5},     {"-+-5", 5},        {"((((w))))", 60},    {"0.5*w/0.5", 60},
        {"1/1e999", 0},   {"1e999 > 1", 1},   {"w\t", 60},          {"w\n", 60},
        {"w\r", 60},      {" \t\r\n w \t\r\n ", 60},                {"1\n+\r2\t*\t3", 7},
    };
    for (const Case& c : cases) ExpectSuccess(c);
}

TEST(Expression, ComparisonsAndTruthValues) {
    // 1e999-1e999 is NaN.
    const Case cases[] = {
        {"1<2", 1},
        {"2<1", 0},
        {"2<2", 0},
        {"2>2", 0},
        {"2<=2", 1},
        {"3<=2", 0},
        {"2>1", 1},
        {"2>=3", 0},
        {"3>=3", 1},
        {"1==1", 1},
        {"1==2", 0},
        {"3!=3", 0},
        {"3!=4", 1},
        {"0==-0", 1},
        {"1+1==2", 1},  // additive binds tighter than comparison
        {"3<1+1", 0},
        {"(1e999-1e999)<1", 0},
        {"(1e999-1e999)<=1", 0},
        {"(1e999-1e999)>1", 0},
        {"(1e999-1e999)>=1", 0},
        {"(1e999-1e999)==(1e999-1e999)", 0},
        {"(1e999-1e999)!=(1e999-1e999)", 1},
        {"1 && 0 || 1", 1},
        {"1 || 0 && 0", 1},  // "&&" binds tighter than "||"
        {"0 && 1", 0},
        {"0 || 0", 0},
        {"-0 || 0", 0},
        {"2 && -3", 1},
        {"0.5 || 0", 1},
        {"1<2 && 2<3", 1},
        {"(1e999-1e999) && 1", 1},  // NaN is true
        {"1e999 || 0", 1},
        {"!0", 1},
        {"!5", 0},
        {"!!5", 1},
        {"!-0", 1},
        {"!0.0001", 0},
        {"!(1e999-1e999)", 0},
        {"!1-1", -1},
        {"!1 ^ 0", 1},  // "!" binds tighter than "^"
    };
    for (const Case& c : cases) ExpectSuccess(c);
}

TEST(Expression, Conditional) {
    const Case cases[] = {
        {"0 ? 1 : 2", 2},
        {"1 ? 1 : 2", 1},
        {"1 ? 2 : 3 ? 4 : 5", 2},
        {"0 ? 2 : 0 ? 4 : 5", 5},
        {"0 ? 2 : 1 ? 4 : 5", 4},
        {"1 ? 0 ? 7 : 8 : 9", 8},
        {"-0 ? 1 : 2", 2},
        {"0.1 ? 1 : 2", 1},
        {"(1e999-1e999) ? 1 : 2", 1},  // NaN chooses the first branch
        {"1 < 2 ? 10 : 20", 10},
        {"1 || 0 ? 3 : 4", 3},
        {"(0 ? 1 : 2) * 3", 6},
        {"0 ? 1e999 : 2", 2},  // an infinity that does not reach the result
    };
    for (const Case& c : cases) ExpectSuccess(c);
}

TEST(Expression, Functions) {
    const Case cases[] = {
        {"min(1,2)", 1},        {"min(2,1)", 1},          {"max(1,2)", 2},
        {"max(2,1)", 2},        {"min(0.5*w,20)", 20},    {"min(1+1, 2*3)", 2},
        {"max(1?2:3, 4)", 4},   {"min(max(1,2),3)", 2},   {"min((1),(2))", 1},
        {"max(1e999-1e999, 3)", 3},                       {"min(1e999-1e999, 3)", 3},
        {"pow(2,10)", 1024},    {"pow(2,-1)", 0.5},       {"mod(7.5,2)", 1.5},
        {"mod(-7,3)", -1},      {"sqrt(0)", 0},           {"sqrt(16)", 4},
        {"sqrt(-0)", -0.0},     {"abs (-3)", 3},          {"abs(-0)", 0},
        {"log10(100)", 2},      {"log(1)", 0},            {"exp(0)", 1},
        {"floor(2.7)", 2},      {"floor(-2.5)", -3},      {"ceil(2.1)", 3},
        {"ceil(-2.5)", -2},     {"round(2.5)", 3},        {"round(-2.5)", -2},
        {"round(-0.5)", 0},     {"round(2.4)", 2},
        // the sum x + 0.5 is rounded in double arithmetic first
        {"round(0.49999999999999994)", 1},
        {"cbrt(-8)", -2},       {"cbrt(8)", 2},           {"cbrt(0)", 0},
        {"sign(-3)", -1},       {"sign(0)", 0},           {"sign(2)", 1},
        {"sign(-0)", 0},        {"sign(1e999-1e999)", 0}, {"sqrt (4)", 2},
        {"sqrt\t(\n4\r)", 2},   {"mod(7,2) + min(1,2)", 2},
        // a NaN argument is passed on, not refused, and may vanish again
        {"sqrt(1e999-1e999) != 0", 1},
    };
    for (const Case& c : cases) ExpectSuccess(c);
}

TEST(Expression, ExponentAndLogarithmAgreeWithTheLibrary) {
    // Their last bits belong to the platform's mathematical library.
    const Case cases[] = {
        {"exp(1)", std::exp(1.0)}, {"log(10)", std::log(10.0)},     {"log10(2)", std::log10(2.0)},
        {"2^0.5", std::sqrt(2.0)}, {"cbrt(27)", 3.0},               {"pow(10, -2)", 0.01},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Result result = Evaluate(c.text);
        EXPECT_EQ(result.error, 0);
        EXPECT_DOUBLE_EQ(result.value, c.value);
    }
}

TEST(Expression, Numbers) {
    const Case cases[] = {
        {".5", 0.5},      {"5.", 5},         {"1e3", 1000},    {"1E3", 1000},   {"1e+3", 1000},
        {"1e-3", 0.001},  {".5e-1", 0.05},   {"007", 7},       {"0x10", 16},    {"0X1f", 31},
        {"0xAbC", 2748},  {"0x1p3", 8},      {"0x1P-2", 0.25}, {"0x.8", 0.5},   {"0x1.", 1},
        {"0x1.8", 1.5},   {"0e999", 0},      {"0x0p99999", 0}, {"1e-400", 0},   {"0.1", 0.1},
        {"1e00000000000000000000003", 1000},
    };
    for (const Case& c : cases) ExpectSuccess(c);
}

TEST(Expression, FailuresKeepTheValueReadSoFar) {
    const Case cases[] = {
        // unreadable texts
        {"", 0},
        {"   ", 0},
        {"\t\r\n", 0},
        {".", 0},
        {".e1", 0},
        {"()", 0},
        {"(", 0},
        {")", 0},
        {"-", -0.0},
        {"* 2", 0},
        // trailing text
        {"1=1", 1},
        {"1<2<3", 1},
        {"1 & 1", 1},
        {"1 | 0", 1},
        {"1 ! 0", 1},
        {"1 | | 0", 1},
        {"1 < = 2", 0},  // "<" then an operand that is missing
        {"w**2", 60},
        {"2 * *3", 0},
        {"2w", 2},
        {"2(3)", 2},
        {"w k", 60},
        {"1 2", 1},
        {"1..2", 1},
        {"1.2.3", 1.2},
        {"1e", 1},  // strtod reads the "1" alone
        {"1e+", 1},
        {"2.5E-", 2.5},
        {"1e3e3", 1000},
        {"0x1p", 1},
        {"0x1.8p+", 1.5},
        {"0x", 0},  // the "0" alone, then "x"
        {"0xg", 0},
        {"0x.p1", 0},
        {"3+0x", 3},
        {"min(1,2,3)", 1},
        // division and remainder by zero end their term with 0.0
        {"1/0", 0},
        {"5+1/0", 5},
        {"1/-0", 0},
        {"1/(1-1)", 0},
        {"7%0", 0},
        {"2+1/0*3+2", 2},  // "*3+2" is left unread
        {"1/0*3", 0},
        {"mod(7,0)", 0},
        {"1+mod(7,0)", 1},
        // missing ")" and ":" keep the value
        {"(1+2", 3},
        {"min(1,2", 1},
        {"sqrt(4", 2},
        {"1 ? 2 3", 2},
        {"0 ? 2 3", 3},
        {"1 ?", 0},
        // the branch not chosen and the other operand are still evaluated
        {"1 ? 1 : 1/0", 1},
        {"0 ? 1/0 : 2", 2},
        {"1 || sqrt(-1)", 1},
        {"0 && foo(1)", 0},
        // functions
        {"sqrt(-1)", 0},
        {"1+sqrt(-1)", 1},
        {"log(0)", 0},
        {"log(-1)", 0},
        {"log10(0)", 0},
        {"log10(-0)", 0},
        {"min(5)", 0},
        {"sqrt(4,1)", 0},
        {"foo(1)", 0},
        {"foo()", 0},
        {"min()", 0},
        {"Min(1,2)", 0},
        {"SQRT(4)", 0},
        {"w(2)", 0},  // a variable's name before "(" is a call
        {"sqrt", 0},
        // names
        {"W", 0},
        {"K", 0},
        {"abc", 0},
        {"_", 0},
        {"\xC3\xA9", 0},
        {"w\x80", 60},
        // non-finite results
        {"1e999", kInf},
        {"-1e999", -kInf},
        {"0x1p99999", kInf},
        {"1e999-1e999", kNaN},
        {"0^-1", kInf},
        {"(-8)^(1/3)", kNaN},
        {"min(3, 1e999-1e999)", kNaN},
        {"exp(1000)", kInf},
    };
    for (const Case& c : cases) ExpectFailure(c);
}

TEST(Expression, OnlyFourWhitespaceCharacters) {
    const Case cases[] = {
        {"\vw", 0},   {"w\v", 60}, {"w\v+1", 60}, {"1+\v2", 1}, {"\v", 0},
        {"\fw", 0},   {"w\f", 60}, {"w\f+1", 60}, {"1+\f2", 1}, {"min(\f1,2)", 0},
        {"1 \v< 2", 1},
    };
    for (const Case& c : cases) ExpectFailure(c);
}

TEST(Expression, AbsentTextFails) {
    int32_t error = -1;
    EXPECT_EQ(EvaluateExpression(kTestTool, nullptr, kInputValues, kOutputValues, &error), 0.0);
    EXPECT_EQ(error, 1);
}

TEST(Expression, ErrorOutputIsWrittenOnEveryCall) {
    int32_t error = 1;
    EvaluateExpression(kTestTool, "1", kInputValues, kOutputValues, &error);
    EXPECT_EQ(error, 0);
    error = 7;
    EvaluateExpression(kTestTool, "1/0", kInputValues, kOutputValues, &error);
    EXPECT_EQ(error, 1);
}

TEST(Expression, NamesUpToSixtyThreeCharacters) {
    const std::string name63 = kName63;
    ASSERT_EQ(name63.size(), 63u);
    ExpectSuccess({name63.c_str(), 7});
    ExpectSuccess({(name63 + " + 1").c_str(), 8});
    // The 64th character is left unread: trailing text after a known name.
    ExpectFailure({(name63 + "a").c_str(), 7});
    // A 64-character identifier can never be named; its 63-character prefix is unknown.
    ExpectFailure({kName64, 0});
    ExpectSuccess({"_u1", 2});
}

TEST(Expression, InputsHideOutputsAndOutputsAreReadAsHeld) {
    ExpectSuccess({"shared", 1});  // input 1, output 99
    ExpectSuccess({"later", 42});
    const double zeros[] = {0.0, 0.0};
    Result result = Evaluate("later + 1", zeros);
    EXPECT_EQ(result.error, 0);
    EXPECT_EQ(result.value, 1.0);
    const double notComputed[] = {0.0, kNaN};
    result = Evaluate("later == later", notComputed);
    EXPECT_EQ(result.error, 0);
    EXPECT_EQ(result.value, 0.0);
    result = Evaluate("later", notComputed);
    EXPECT_EQ(result.error, 1);
    EXPECT_TRUE(std::isnan(result.value));
}

TEST(Expression, MissingValueArraysFailInsteadOfBeingRead) {
    int32_t error = -1;
    EXPECT_EQ(EvaluateExpression(kTestTool, "1+1", nullptr, nullptr, &error), 2.0);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(EvaluateExpression(kTestTool, "w", nullptr, kOutputValues, &error), 0.0);
    EXPECT_EQ(error, 1);
    EXPECT_EQ(EvaluateExpression(kTestTool, "later", kInputValues, nullptr, &error), 0.0);
    EXPECT_EQ(error, 1);
    // Without an error output the value still comes back.
    EXPECT_EQ(EvaluateExpression(kTestTool, "2*w", kInputValues, kOutputValues, nullptr), 120.0);
}

TEST(EvaluateExpression, NamesPastTheClampFailAsUnknownNames) {
    const double inputs[kMaxInputs] = {};
    const double outputs[kMaxOutputs] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4.0};
    struct ClampCase {
        const ToolDescriptor* tool;
        const char* text;
        double value;
        int32_t error;
    };
    const ClampCase cases[] = {
        {&testing::kSeventeenOutputTool, "o15", 4.0, 0},
        {&testing::kSeventeenOutputTool, "q", 0.0, 1},
        {&testing::kSeventeenOutputTool, "o15+q", 4.0, 1},
        {&testing::kSeventeenInputTool, "i15", 0.0, 0},
        {&testing::kSeventeenInputTool, "r", 0.0, 1},
    };
    for (const ClampCase& c : cases) {
        int32_t error = -1;
        EXPECT_EQ(EvaluateExpression(*c.tool, c.text, inputs, outputs, &error), c.value) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

// This tool's own formulas, the conditions that show them and its verdict
// conditions, evaluated one by one as the computation evaluates them.

struct DoseCase {
    double weight;
    double calcium, insulin, glucoseGrams, glucose50, glucose10;
};

// The outputs in order, each seeing the values before it.
void EvaluateInOrder(const ToolDescriptor& tool, const double* inputs, double* outputs) {
    for (int32_t i = 0; i < tool.outputCount; ++i) {
        int32_t error = -1;
        outputs[i] = EvaluateExpression(tool, tool.outputs[i].expression, inputs, outputs, &error);
        EXPECT_EQ(error, 0) << tool.outputs[i].expression;
    }
}

TEST(Expression, ThisToolsOutputs) {
    const ToolDescriptor& tool = CurrentTool();
    ASSERT_EQ(tool.outputCount, 5);
    const DoseCase cases[] = {
        {3, 1.5, 0.1 * 3, 1.5, 3, 15},
        {8, 4, 0.8, 4, 8, 40},
        {30, 15, 3, 15, 30, 150},
        {39, 19.5, 0.1 * 39, 19.5, 39, 195},
        {40, 20, 4, 20, 40, 200},  // the calcium cap and the 50% form start here
        {60, 20, 6, 30, 60, 300},
        {100, 20, 10, 50, 100, 500},  // the insulin and glucose ceilings are reached here
        {100.1, 20, 10, 50, 100, 500},
        {120, 20, 10, 50, 100, 500},
        {250, 20, 10, 50, 100, 500},
    };
    for (const DoseCase& c : cases) {
        SCOPED_TRACE(c.weight);
        const double inputs[] = {c.weight, 7.0};
        double outputs[kMaxOutputs] = {};
        EvaluateInOrder(tool, inputs, outputs);
        const double expected[] = {c.calcium, c.insulin, c.glucoseGrams, c.glucose50, c.glucose10};
        for (int32_t i = 0; i < tool.outputCount; ++i) {
            EXPECT_DOUBLE_EQ(outputs[i], expected[i]) << tool.outputs[i].expression;
        }
        // 5 g of glucose for each unit of insulin at every weight.
        EXPECT_DOUBLE_EQ(outputs[2], 5 * outputs[1]);
    }
}

TEST(Expression, ThisToolsConditions) {
    const ToolDescriptor& tool = CurrentTool();
    ASSERT_EQ(tool.ruleCount, 5);
    ASSERT_EQ(tool.outputCount, 5);
    struct ConditionCase {
        double weight, potassium;
        // Rules: severe, moderate, mild, low; outputs: each dose, 50%, 10%.
        double severe, moderate, mild, low, dose, as50, as10;
    };
    const ConditionCase cases[] = {
        {60, 6.800000190734863, 1, 1, 1, 0, 1, 1, 0},
        {60, 6.5, 1, 1, 1, 0, 1, 1, 0},
        {60, 6.49, 0, 1, 1, 0, 1, 1, 0},
        {60, 6.0, 0, 1, 1, 0, 1, 1, 0},
        {60, 5.99, 0, 0, 1, 0, 1, 1, 0},
        {60, 5.5, 0, 0, 1, 0, 1, 1, 0},
        {60, 5.49, 0, 0, 0, 0, 0, 0, 0},
        {60, 3.5, 0, 0, 0, 0, 0, 0, 0},
        {60, 3.49, 0, 0, 0, 1, 0, 0, 0},
        {60, 0, 0, 0, 0, 1, 0, 0, 0},
        {40, 7.0, 1, 1, 1, 0, 1, 1, 0},
        {39.99, 7.0, 1, 1, 1, 0, 1, 0, 1},
        {8, 7.0, 1, 1, 1, 0, 1, 0, 1},
        {8, 5.49, 0, 0, 0, 0, 0, 0, 0},
    };
    for (const ConditionCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.weight << " kg, " << c.potassium << " mmol/L");
        const double inputs[] = {c.weight, c.potassium};
        const double outputs[kMaxOutputs] = {};
        const double rules[] = {c.severe, c.moderate, c.mild, c.low};
        for (int32_t i = 0; i < 4; ++i) {
            int32_t error = -1;
            EXPECT_EQ(EvaluateExpression(tool, tool.rules[i].condition, inputs, outputs, &error),
                      rules[i])
                << tool.rules[i].condition;
            EXPECT_EQ(error, 0);
        }
        EXPECT_STREQ(tool.rules[4].condition, "") << "the last rule is the catch-all";
        const double shown[] = {c.dose, c.dose, c.dose, c.as50, c.as10};
        for (int32_t i = 0; i < tool.outputCount; ++i) {
            int32_t error = -1;
            EXPECT_EQ(EvaluateExpression(tool, tool.outputs[i].condition, inputs, outputs, &error),
                      shown[i])
                << tool.outputs[i].identifier;
            EXPECT_EQ(error, 0);
        }
    }
}

// Nesting: up to kMaxExpressionDepth levels are read, deeper texts fail
// without exhausting the stack.

TEST(Expression, NestingUpToTheBound) {
    const int32_t n = kMaxExpressionDepth;
    ExpectSuccess({(Repeat("(", n) + "1" + Repeat(")", n)).c_str(), 1});
    ExpectSuccess({(Repeat("-", n) + "1").c_str(), 1});
    ExpectSuccess({(Repeat("!", n) + "1").c_str(), 1});
    ExpectSuccess({("1" + Repeat("^1", n)).c_str(), 1});
    ExpectSuccess({(Repeat("abs(", n - 1) + "-1" + Repeat(")", n - 1)).c_str(), 1});
    ExpectSuccess({(Repeat("0?0:", n / 2) + "5").c_str(), 5});  // two branches a level
    ExpectSuccess({(Repeat("-(", n / 2) + "1" + Repeat(")", n / 2)).c_str(), 1});
}

TEST(Expression, NestingBeyondTheBoundFails) {
    const int32_t n = kMaxExpressionDepth + 1;
    const std::string texts[] = {
        Repeat("(", n) + "1" + Repeat(")", n),
        Repeat("-", n) + "1",
        Repeat("!", n) + "1",
        "1" + Repeat("^1", n),
        Repeat("abs(", n) + "1" + Repeat(")", n),
        Repeat("0?0:", n) + "5",
        Repeat("-(", n / 2 + 1) + "1" + Repeat(")", n / 2 + 1),
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 8));
        EXPECT_EQ(Evaluate(text).error, 1);
    }
}

TEST(Expression, VeryDeepNestingFailsCleanly) {
    const int32_t n = 100000;
    const std::string texts[] = {
        Repeat("(", n) + "1" + Repeat(")", n),
        Repeat("(", n),
        Repeat("-", n) + "1",
        Repeat("!", n) + "0",
        "2" + Repeat("^2", n),
        Repeat("min(", n),
        Repeat("1?", n),
        Repeat("0?0:", n) + "1",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 8));
        EXPECT_EQ(Evaluate(text).error, 1);
    }
}

TEST(Expression, UnaryPlusIsNoNesting) {
    const std::string text = Repeat("+", 100000) + "5";
    ExpectSuccess({text.c_str(), 5});
}

// Numbers are the longest prefix strtod takes and the same double.

void ExpectSameAsStrtod(const std::string& text) {
    char* end = nullptr;
    const double expected = std::strtod(text.c_str(), &end);
    ASSERT_EQ(end, text.c_str() + text.size()) << "not a whole literal: " << text;
    const Result result = Evaluate(text);
    EXPECT_EQ(std::bit_cast<uint64_t>(result.value), std::bit_cast<uint64_t>(expected))
        << text << " read as " << result.value << ", strtod gives " << expected;
    EXPECT_EQ(result.error, std::isfinite(expected) ? 0 : 1) << text;
}

TEST(ExpressionNumbers, TrickyLiteralsAsStrtod) {
    const std::string longOne = "1" + std::string(400, '0');
    const std::string tinyOne = "0." + std::string(400, '0') + "1";
    const char* texts[] = {
        "0.1", "0.3", "3.14159", "123.456", "9007199254740991", "9007199254740992",
        "9007199254740993", "9007199254740994", "9007199254740995", "9007199254740993e-22",
        "9007199254740992e22", "1e22", "1e23", "1e-22", "1e-23", "4.35e22", "18446744073709551615",
        "18446744073709551616", "9999999999999999999", "99999999999999999999", "1234567890123456789",
        "12345678901234567890", "0.000000000000000000000000000000000001",
        // exactly between 1 and the next double, and a hair to either side
        "1.00000000000000011102230246251565404236316680908203125",
        "1.00000000000000011102230246251565404236316680908203124",
        "1.00000000000000011102230246251565404236316680908203126",
        "2.2250738585072011e-308", "2.2250738585072012e-308", "2.2250738585072014e-308",
        "4.9406564584124654e-324", "2.4703282292062327e-324", "2.4703282292062328e-324",
        "3e-324", "1e-324", "1e-310", "1.7976931348623157e308", "1.7976931348623158e308",
        "1.7976931348623159e308", "1e308", "1e309", "1e400", "1e-400",
        "1e2147483648", "1e-2147483649", "1e99999999999999999999999", "0e99999999999999999999",
        "1e-0000000000000000000022", "7.2057594037927933e16", "3.0517578125e-05",
        "2.2204460492503131e-16", "6.800000190734863", "0.5", "20", "60", "5.", ".5",
        "0x10", "0x1p3", "0x1p-1074", "0x1p-1075", "0x1.8p-1075", "0x1p1023", "0x1p1024",
        "0x1.fffffffffffff7p1023", "0x1.fffffffffffff8p1023", "0x1.00000000000008p0",
        "0x1.00000000000018p0", "0x1.000000000000080000000001p0", "0x123456789abcdefABCDEF",
        "0x.0000000000001p-1022", "0x0.00000000000000000000001p-1000", "0X1P+3",
        "0x00000000000000000000001",
    };
    for (const char* text : texts) ExpectSameAsStrtod(text);
    ExpectSameAsStrtod(longOne);
    ExpectSameAsStrtod(longOne + "e-400");
    ExpectSameAsStrtod(longOne + ".5e-401");
    // Zeros after the leading digit do not move its place: too large.
    ExpectSameAsStrtod("1." + std::string(400, '0') + "e309");
    ExpectSameAsStrtod("0x1." + std::string(400, '0') + "p1024");
    // A hex digit's place is four bits: 2^1097, too large; 2^-1500, too small.
    ExpectSameAsStrtod("0x1" + std::string(1100, '0') + "p-3303");
    ExpectSameAsStrtod("0x0." + std::string(1999, '0') + "1p6500");
    ExpectSameAsStrtod(tinyOne);
    ExpectSameAsStrtod(tinyOne + "e400");
    ExpectSameAsStrtod(tinyOne + "e700");
    ExpectSameAsStrtod("1" + std::string(1000, '0') + "e-1000");
}

std::string RandomDigits(std::mt19937_64& rng, int32_t count) {
    std::uniform_int_distribution<int> digit(0, 9);
    std::string text;
    for (int32_t i = 0; i < count; ++i) text += static_cast<char>('0' + digit(rng));
    return text;
}

// Digits with a point somewhere (or none) and an exponent sometimes.
std::string RandomDecimal(std::mt19937_64& rng) {
    std::uniform_int_distribution<int> shortOrLong(0, 3);
    const bool isShort = shortOrLong(rng) != 0;
    std::uniform_int_distribution<int> count(1, isShort ? 19 : 45);
    std::string text = RandomDigits(rng, count(rng));
    std::uniform_int_distribution<size_t> point(0, text.size() + 1);
    const size_t at = point(rng);
    if (at <= text.size()) text.insert(at, ".");
    std::uniform_int_distribution<int> exponentKind(0, 3);
    const int kind = exponentKind(rng);
    if (kind == 0) return text;
    std::uniform_int_distribution<int> exponent(kind == 1 ? -25 : -345, kind == 1 ? 25 : 330);
    const int value = exponent(rng);
    text += kind == 3 ? "E" : "e";
    if (value >= 0 && kind == 2) text += "+";
    text += std::to_string(value);
    return text;
}

std::string RandomHex(std::mt19937_64& rng) {
    static const char kHexDigits[] = "0123456789abcdefABCDEF";
    std::uniform_int_distribution<int> count(1, 24);
    std::uniform_int_distribution<int> digit(0, 21);
    std::string digits;
    for (int i = count(rng); i > 0; --i) digits += kHexDigits[digit(rng)];
    std::uniform_int_distribution<size_t> point(0, digits.size() + 1);
    const size_t at = point(rng);
    if (at <= digits.size()) digits.insert(at, ".");
    std::uniform_int_distribution<int> exponent(-1200, 1100);
    std::string text = "0x" + digits;
    if (rng() % 2) text += "p" + std::to_string(exponent(rng));
    return text;
}

// The midpoint of two neighbouring doubles, printed exactly or cut short:
// the hardest texts to round.
std::string RandomHalfway(std::mt19937_64& rng) {
    double x = 0.0;
    do {
        x = std::bit_cast<double>(rng() & 0x7FFFFFFFFFFFFFFFu);
    } while (!std::isfinite(x) || !std::isfinite(std::nextafter(x, kInf)));
    const long double midpoint = (static_cast<long double>(x) + std::nextafter(x, kInf)) / 2;
    const int precisions[] = {15, 16, 17, 18, 19, 20, 25, 40, 800};
    std::uniform_int_distribution<int> choice(0, 8);
    char text[1000];
    std::snprintf(text, sizeof text, "%.*Le", precisions[choice(rng)], midpoint);
    return text;
}

TEST(ExpressionNumbers, RandomLiteralsAsStrtod) {
    std::mt19937_64 rng(20260422);
    for (int i = 0; i < 20000; ++i) ExpectSameAsStrtod(RandomDecimal(rng));
    for (int i = 0; i < 5000; ++i) ExpectSameAsStrtod(RandomHex(rng));
    for (int i = 0; i < 5000; ++i) ExpectSameAsStrtod(RandomHalfway(rng));
    for (int i = 0; i < 5000; ++i) {
        char text[40];
        const double x = std::bit_cast<double>(rng() & 0x7FFFFFFFFFFFFFFFu);
        if (!std::isfinite(x)) continue;
        std::snprintf(text, sizeof text, "%.17g", x);
        ExpectSameAsStrtod(text);
    }
}

}  // namespace
}  // namespace tarn
