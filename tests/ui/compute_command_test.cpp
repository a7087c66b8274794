// The compute command and the reading of input fields.
#include <cmath>
#include <limits>
#include <string>

#include "tests/support/over_limit_tools.h"
#include "tests/ui/command_fixture.h"
#include "ui/texts.h"

namespace tarn::ui {
namespace {

using fake::kMainWindowFocus;

// --- ParseInputField ----------------------------------------------------

struct Accepted {
    const char16_t* text;
    double value;
};

class AcceptedField : public ::testing::TestWithParam<Accepted> {};

TEST_P(AcceptedField, ReadsTheWholeTextAsOneNumber) {
    double value = -999.0;
    ASSERT_TRUE(ParseInputField(GetParam().text, &value));
    EXPECT_EQ(value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, AcceptedField,
    ::testing::Values(Accepted{u"60", 60.0}, Accepted{u"6.8", 6.8}, Accepted{u".5", 0.5},
                      Accepted{u"5.", 5.0}, Accepted{u"1e2", 100.0}, Accepted{u"1E2", 100.0},
                      Accepted{u"2.5e-1", 0.25}, Accepted{u"-5", -5.0}, Accepted{u"007", 7.0},
                      Accepted{u" 6.8 ", 6.8}, Accepted{u"   60", 60.0},
                      Accepted{u"60   ", 60.0}, Accepted{u"0", 0.0},
                      Accepted{u"1.7976931348623157e308", 1.7976931348623157e308}));

// What a Chinese input method types in full-width mode (digits and full
// stop) or punctuation mode (the ideographic full stop for ".").
INSTANTIATE_TEST_SUITE_P(
    FullWidth, AcceptedField,
    ::testing::Values(Accepted{u"\uFF16\uFF10", 60.0}, Accepted{u"6\uFF0E8", 6.8},
                      Accepted{u"\uFF16.\uFF18", 6.8}, Accepted{u"6\u30028", 6.8},
                      Accepted{u"\uFF10\uFF11\uFF12\uFF13\uFF14\uFF15\uFF16\uFF17\uFF18\uFF19",
                               123456789.0},
                      Accepted{u" \uFF17\uFF10\u3002\uFF14 ", 70.4}));

INSTANTIATE_TEST_SUITE_P(Blank, AcceptedField,
                         ::testing::Values(Accepted{u"", 0.0}, Accepted{u" ", 0.0},
                                           Accepted{u"      ", 0.0}));

class RefusedField : public ::testing::TestWithParam<const char16_t*> {};

TEST_P(RefusedField, IsNotANumber) {
    double value = 42.0;
    EXPECT_FALSE(ParseInputField(GetParam(), &value));
    EXPECT_EQ(value, 42.0) << "a refused text leaves the value alone";
}

// Prefixes that would once have been read as a number, words for infinity
// and NaN, out-of-range values, signs, hexadecimal, other blanks.
INSTANTIATE_TEST_SUITE_P(
    Texts, RefusedField,
    ::testing::Values(u"abc", u"6,8", u"6.8kg", u"kg6.8", u"--5", u"+5", u"-+5", u"6 8",
                      u"6..8", u"1e", u"1e+", u".", u"-", u"e5", u"0x10", u"0x1p3",
                      u"inf", u"-inf", u"INF", u"infinity", u"nan", u"NaN", u"nan(1)",
                      u"1e999", u"-1e999", u"\t6.8", u"6.8\t", u"6.8\r\n",
                      u"\u00A06.8", u"6.8\u3000", u"\uFF16\uFF0C\uFF18", u"\uFF0D5",
                      u"\uFF16\uFF18\uFF4B\uFF47", u"6\u3002\u30028", u"\u3002", u"\uFF0F5",
                      u"\uFF1A5"));

TEST(ParseInputField, NullTextIsBlank) {
    double value = 1.0;
    EXPECT_TRUE(ParseInputField(nullptr, &value));
    EXPECT_EQ(value, 0.0);
}

TEST(ParseInputField, AcceptsUpTo127CharactersWithBlanks) {
    // "0." and 124 zeros and "5": 127 characters, one number.
    const std::u16string longest = u"0." + std::u16string(124, u'0') + u"5";
    double value = 0.0;
    ASSERT_EQ(longest.size(), 127u);
    EXPECT_TRUE(ParseInputField(longest.c_str(), &value));
    EXPECT_DOUBLE_EQ(value, 5e-125);
    EXPECT_FALSE(ParseInputField((longest + u"1").c_str(), &value));
}

// --- Compute --------------------------------------------------------------

class ComputeCommandTest : public CommandTest {};

TEST_F(ComputeCommandTest, DefaultsGiveTheSevereVerdict) {
    ResetCommand(state);
    ForgetCalls();
    ComputeCommand(state);

    EXPECT_EQ(window().questions.size(), 2u) << "both defaults confirmed first";
    EXPECT_EQ(window().controls[kResultBoxSlot], kDefaultReport);
    EXPECT_EQ(window().controls[kVerdictLineSlot], kSevereVerdict);
    EXPECT_EQ(state.currentLevel, 3);
    EXPECT_EQ(std::u16string(state.resultCopy), kDefaultReport);
    EXPECT_EQ(std::u16string(state.lastResultText),
              std::u16string(kDefaultReport) + u"\u2014\u2014 " + kSevereVerdict);
    EXPECT_EQ(std::u16string(state.statusLine), u"计算完成  Ordavel");
    EXPECT_EQ(state.lastInputs[0], 60.0);
    EXPECT_EQ(state.lastInputs[1], 6.8) << "the typed text, not the stored default";
    EXPECT_TRUE(window().messages.empty());
}

TEST_F(ComputeCommandTest, RepaintsAfterTheNewLevelAndStatusThenFocusesTheResult) {
    TypeInputs(u"60", u"6.0");
    ComputeCommand(state);

    ASSERT_EQ(window().levelAtVerdictRepaint.size(), 1u);
    EXPECT_EQ(window().levelAtVerdictRepaint[0], 2);
    ASSERT_FALSE(window().statusAtMainRepaint.empty());
    EXPECT_EQ(window().statusAtMainRepaint.back(), u"计算完成  Ordavel");
    // Last, once everything a screen reader reads from it is in place.
    EXPECT_EQ(window().focusedSlot, kResultBoxSlot);
    EXPECT_EQ(window().calls.back(), "focus 16");
}

struct Graded {
    const char16_t* weight;
    const char16_t* potassium;
    int32_t level;
    const char16_t* verdict;
};

// Names the case by its inputs instead of dumping the struct's bytes.
void PrintTo(const Graded& graded, std::ostream* out) {
    *out << "potassium case, level " << graded.level;
}

class GradedCompute : public CommandTest, public ::testing::WithParamInterface<Graded> {};

TEST_P(GradedCompute, GradesThePotassium) {
    TypeInputs(GetParam().weight, GetParam().potassium);
    ComputeCommand(state);
    EXPECT_EQ(state.currentLevel, GetParam().level);
    EXPECT_EQ(window().controls[kVerdictLineSlot], GetParam().verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Potassium, GradedCompute,
    ::testing::Values(Graded{u"60", u"6.5", 3, kSevereVerdict},
                      Graded{u"60", u"6.49", 2, kModerateVerdict},
                      Graded{u"60", u"6.0", 2, kModerateVerdict},
                      Graded{u"60", u"5.99", 1, kMildVerdict},
                      Graded{u"60", u"5.5", 1, kMildVerdict},
                      Graded{u"60", u"5.49", 0, kNormalVerdict},
                      Graded{u"60", u"3.5", 0, kNormalVerdict},
                      Graded{u"60", u"3.49", 2, kLowVerdict},
                      Graded{u"60", u"2.0", 2, kLowVerdict},
                      Graded{u"60", u"", 2, kLowVerdict},  // read as 0 once confirmed
                      Graded{u"60", u"\uFF16\uFF0E\uFF18", 3, kSevereVerdict},
                      Graded{u"60", u"6\u30028", 3, kSevereVerdict},
                      Graded{u" 45 ", u" 6.2 ", 2, kModerateVerdict}));

TEST_F(ComputeCommandTest, EmptyAndBlankFieldsCountAsZero) {
    TypeInputs(u"", u"    ");
    ComputeCommand(state);
    EXPECT_TRUE(window().messages.empty());
    EXPECT_EQ(state.lastInputs[0], 0.0);
    EXPECT_EQ(state.lastInputs[1], 0.0);
    EXPECT_EQ(window().controls[kResultBoxSlot], kNoDoseReport);
    EXPECT_EQ(state.currentLevel, 2) << "a potassium of 0 is low";
    EXPECT_EQ(window().controls[kVerdictLineSlot], kLowVerdict);
}

class RefusedCompute : public CommandTest, public ::testing::WithParamInterface<const char16_t*> {};

TEST_P(RefusedCompute, NamesTheFieldAndChangesNothing) {
    TypeInputs(u"60", u"6.8");
    ComputeCommand(state);
    TypeInputs(u"50", GetParam());
    ForgetCalls();
    const Snapshot before = TakeSnapshot(state);

    ComputeCommand(state);

    ASSERT_EQ(window().messages.size(), 1u);
    EXPECT_EQ(window().messages[0].text, u"第 2 项“血钾”请输入数字（如 6.8，不带单位）。");
    EXPECT_EQ(window().messages[0].caption, u"输入有误");
    EXPECT_EQ(window().messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(window().focusedSlot, 1);
    EXPECT_EQ(window().calls.back(), "focus 1");
    EXPECT_EQ(window().mainRepaints, 0);
    EXPECT_EQ(window().verdictRepaints, 0);
    ExpectSameState(before, TakeSnapshot(state));
    EXPECT_EQ(state.lastInputs[0], 60.0) << "the valid first field is not kept either";
}

INSTANTIATE_TEST_SUITE_P(Texts, RefusedCompute,
                         ::testing::Values(u"abc", u"6,8", u"6.8kg", u"--5", u"inf", u"nan",
                                           u"1e999", u"+5", u"0x10", u"6.8\t"));

TEST_F(ComputeCommandTest, RefusesAFieldTooLongToReadWhole) {
    // Cut at 127 characters, blanks and all, this would read as 1e122.
    TypeInputs(u"    1" + std::u16string(130, u'0'), u"6.8");
    ComputeCommand(state);
    ASSERT_EQ(window().messages.size(), 1u);
    EXPECT_EQ(window().messages[0].text, u"第 1 项“体重”请输入数字（如 6.8，不带单位）。");
    EXPECT_EQ(window().focusedSlot, 0);
    EXPECT_EQ(state.resultCopy[0], 0);
}

TEST_F(ComputeCommandTest, StopsReadingAtTheFirstRefusedField) {
    StartWith(ThreeInputTool());
    Type(0, u"1");
    Type(1, u"x");
    Type(2, u"y");
    ComputeCommand(state);
    EXPECT_EQ(window().readSlots, (std::vector<int32_t>{0, 1}));
    ASSERT_EQ(window().messages.size(), 1u);
    EXPECT_EQ(window().messages[0].text, u"第 2 项“乙”请输入数字（如 6.8，不带单位）。");
    EXPECT_EQ(state.resultCopy[0], 0);
    EXPECT_EQ(std::u16string(state.statusLine), kReadyStatus);
}

TEST_F(ComputeCommandTest, ReadsEveryFieldOfTheTool) {
    StartWith(ThreeInputTool());
    Type(0, u"1");
    Type(1, u"2.5");
    Type(2, u"0.25");
    ComputeCommand(state);
    EXPECT_EQ(window().readSlots, (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(window().controls[kResultBoxSlot], u"和：3.75\r\n");
    EXPECT_EQ(std::u16string(state.lastResultText), u"和：3.75\r\n\u2014\u2014 正常");
    EXPECT_EQ(std::u16string(state.statusLine), u"计算完成  三项");
}

// A tool that declares more inputs than the window has fields: the sixteen
// fields are read and kept, and nothing of the state after them is written.
TEST_F(ComputeCommandTest, KeepsSixteenInputsOfAToolThatDeclaresMore) {
    StartWith(testing::kSeventeenInputTool);
    for (int32_t slot = 0; slot < kMaxInputs; ++slot) Type(slot, u"2");
    state.focusCues = true;
    state.scale = 1.5;
    ComputeCommand(state);
    EXPECT_EQ(window().readSlots.size(), static_cast<size_t>(kMaxInputs));
    for (const double value : state.lastInputs) EXPECT_EQ(value, 2.0);
    EXPECT_EQ(window().controls[kVerdictLineSlot], u"caught");
    EXPECT_TRUE(state.focusCues);
    EXPECT_EQ(state.scale, 1.5);
}

TEST_F(ComputeCommandTest, ReportKindKeepsTheReportAloneForTheClipboard) {
    StartWith(RotaTool());
    Type(0, u"1");
    Type(1, u"1");
    ComputeCommand(state);
    const std::u16string report = state.resultCopy;
    EXPECT_NE(report.find(u"护士01："), std::u16string::npos);
    EXPECT_EQ(window().controls[kResultBoxSlot], report);
    EXPECT_EQ(window().controls[kVerdictLineSlot], u"已生成轮转排班表，可复制到排班本或表格");
    EXPECT_EQ(std::u16string(state.lastResultText), report);
}

TEST_F(ComputeCommandTest, ReportKindClipboardBodyIsCutAt1023) {
    StartWith(RotaTool());
    Type(0, u"40");
    Type(1, u"31");
    ComputeCommand(state);
    const std::u16string report = state.resultCopy;
    EXPECT_EQ(report.size(), 4095u) << "the window's report buffer holds 4095 characters";
    EXPECT_EQ(std::u16string(state.lastResultText), report.substr(0, 1023));
}

TEST_F(ComputeCommandTest, FormulaToolClipboardBodyIsCutAt1023) {
    StartWith(LongReportTool());
    ComputeCommand(state);
    const std::u16string report = state.resultCopy;
    ASSERT_GT(report.size(), 1023u);
    EXPECT_EQ(std::u16string(state.lastResultText),
              (report + u"\u2014\u2014 长报告").substr(0, 1023));
    EXPECT_EQ(state.currentLevel, 1);
}

// --- Values outside their usual range ---------------------------------------

constexpr char16_t kConfirmCaption[] = u"请确认输入";

std::u16string WeightQuestion(const std::u16string& value) {
    return u"第 1 项“体重”为 " + value + u"，超出常见范围 0.5\u2013250 kg。\r\n仍按此数值计算吗？";
}
std::u16string PotassiumQuestion(const std::u16string& value) {
    return u"第 2 项“血钾”为 " + value +
           u"，超出常见范围 1.5\u201312 mmol/L。\r\n仍按此数值计算吗？";
}

struct Unusual {
    const char16_t* weight;
    const char16_t* potassium;
    std::vector<std::u16string> questions;  // asked in this order, each answered Yes
};

void PrintTo(const Unusual& unusual, std::ostream* out) {
    *out << unusual.questions.size() << " question(s)";
}

class UnusualValues : public CommandTest, public ::testing::WithParamInterface<Unusual> {};

TEST_P(UnusualValues, AreAskedAboutInFieldOrderThenComputed) {
    TypeInputs(GetParam().weight, GetParam().potassium);
    ComputeCommand(state);
    std::vector<std::u16string> asked;
    for (const fake::Message& question : window().questions) {
        EXPECT_EQ(question.caption, kConfirmCaption);
        asked.push_back(question.text);
    }
    EXPECT_EQ(asked, GetParam().questions);
    EXPECT_TRUE(window().messages.empty());
    EXPECT_NE(state.resultCopy[0], 0) << "confirmed values are computed";
}

INSTANTIATE_TEST_SUITE_P(
    Ordavel, UnusualValues,
    ::testing::Values(
        Unusual{u"60", u"6.8", {}}, Unusual{u"0.5", u"1.5", {}}, Unusual{u"250", u"12", {}},
        Unusual{u"760", u"6.8", {WeightQuestion(u"760 kg")}},
        Unusual{u"", u"6.8", {WeightQuestion(u"0 kg")}},
        Unusual{u"   ", u"6.8", {WeightQuestion(u"0 kg")}},
        Unusual{u"0.49", u"6.8", {WeightQuestion(u"0.49 kg")}},
        Unusual{u"250.5", u"6.8", {WeightQuestion(u"250.5 kg")}},
        Unusual{u"1e7", u"6.8", {WeightQuestion(u"1e+07 kg")}},
        Unusual{u"60", u"68", {PotassiumQuestion(u"68 mmol/L")}},
        Unusual{u"60", u"1.49", {PotassiumQuestion(u"1.49 mmol/L")}},
        Unusual{u"760", u"68", {WeightQuestion(u"760 kg"), PotassiumQuestion(u"68 mmol/L")}},
        Unusual{u"", u"", {WeightQuestion(u"0 kg"), PotassiumQuestion(u"0 mmol/L")}}));

struct Answered {
    std::vector<bool> answers;
    size_t asked;
    int32_t focused;  // the field the focus goes to; -1: the computation ran
};

class AnsweredQuestions : public CommandTest, public ::testing::WithParamInterface<Answered> {};

TEST_P(AnsweredQuestions, NoEndsTheCommandAtThatField) {
    ComputeCommand(state);  // an earlier result, which a No must leave alone
    TypeInputs(u"760", u"68");
    ForgetCalls();
    const Snapshot before = TakeSnapshot(state);
    window().answers = GetParam().answers;

    ComputeCommand(state);

    EXPECT_EQ(window().questions.size(), GetParam().asked);
    EXPECT_TRUE(window().messages.empty());
    if (GetParam().focused < 0) {
        EXPECT_EQ(state.lastInputs[0], 760.0);
        EXPECT_EQ(state.lastInputs[1], 68.0);
        EXPECT_NE(window().controls[kResultBoxSlot].find(u"胰岛素：10.0 U"), std::u16string::npos)
            << "the ceiling holds for a confirmed weight too";
        EXPECT_EQ(window().focusedSlot, kResultBoxSlot);
        return;
    }
    EXPECT_EQ(window().focusedSlot, GetParam().focused);
    EXPECT_EQ(window().calls.back(), "focus " + std::to_string(GetParam().focused));
    EXPECT_EQ(window().mainRepaints, 0);
    EXPECT_EQ(window().verdictRepaints, 0);
    ExpectSameState(before, TakeSnapshot(state));
}

INSTANTIATE_TEST_SUITE_P(Answers, AnsweredQuestions,
                         ::testing::Values(Answered{{false}, 1, 0}, Answered{{true, false}, 2, 1},
                                           Answered{{true, true}, 2, -1}));

TEST_F(ComputeCommandTest, AnInputErrorComesBeforeAnyQuestion) {
    TypeInputs(u"760", u"abc");
    ComputeCommand(state);
    EXPECT_TRUE(window().questions.empty());
    ASSERT_EQ(window().messages.size(), 1u);
    EXPECT_EQ(window().messages[0].text, u"第 2 项“血钾”请输入数字（如 6.8，不带单位）。");
}

// Limits on one side, on none, and fields without a unit.
const ToolDescriptor& OneSidedTool() {
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    static constexpr InputField inputs[] = {
        {"a", u"甲", u"mg", 1.0, 1.0, kNone},
        {"b", u"乙", u"%", 1.0, kNone, 100.0},
        {"c", u"丙", u"", 1.0},
        {"d", u"丁", u"", 1.0, -1.0, 1.0},
    };
    static constexpr OutputField outputs[] = {{"sum", u"和", nullptr, "a+b+c+d", "f2"}};
    static constexpr VerdictRule rules[] = {{"", 0, u"正常"}};
    static constexpr ToolDescriptor tool = {
        904, u"单边", nullptr, u"测试", u"无", nullptr,
        4, inputs, 1, outputs, 1, rules, kFormulaTool,
    };
    return tool;
}

struct Sided {
    const char16_t* values[4];
    std::vector<std::u16string> questions;
};

void PrintTo(const Sided& sided, std::ostream* out) { *out << sided.questions.size() << " asked"; }

class OneSidedLimits : public CommandTest, public ::testing::WithParamInterface<Sided> {};

TEST_P(OneSidedLimits, NameTheEndThatWasPassed) {
    StartWith(OneSidedTool());
    for (int32_t i = 0; i < 4; ++i) Type(i, GetParam().values[i]);
    ComputeCommand(state);
    std::vector<std::u16string> asked;
    for (const fake::Message& question : window().questions) asked.push_back(question.text);
    EXPECT_EQ(asked, GetParam().questions);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, OneSidedLimits,
    ::testing::Values(
        // Negatives are taken where the range admits them (c, d).
        Sided{{u"1", u"100", u"-1e300", u"-1"}, {}},
        Sided{{u"1e300", u"-1e300", u"1e300", u"1"}, {}},
        Sided{{u"0.5", u"1", u"1", u"1"},
              {u"第 1 项“甲”为 0.5 mg，低于常见下限 1 mg。\r\n仍按此数值计算吗？"}},
        Sided{{u"1", u"100.5", u"1", u"1"},
              {u"第 2 项“乙”为 100.5 %，高于常见上限 100 %。\r\n仍按此数值计算吗？"}},
        Sided{{u"1", u"1", u"1", u"2"},
              {u"第 4 项“丁”为 2，超出常见范围 -1\u20131。\r\n仍按此数值计算吗？"}}));


// --- Negative values ------------------------------------------------------

struct Refused {
    const char16_t* weight;
    const char16_t* potassium;
    int32_t field;  // the field named and focused
    const char16_t* message;
};

void PrintTo(const Refused& refused, std::ostream* out) { *out << "field " << refused.field; }

class RefusedNegative : public CommandTest, public ::testing::WithParamInterface<Refused> {};

// As a text that is no number: named, focused with its text selected, and
// nothing computed or changed.
TEST_P(RefusedNegative, NamesTheFieldAndComputesNothing) {
    TypeInputs(u"60", u"6.8");
    ComputeCommand(state);
    TypeInputs(GetParam().weight, GetParam().potassium);
    ForgetCalls();
    const Snapshot before = TakeSnapshot(state);

    ComputeCommand(state);

    ASSERT_EQ(window().messages.size(), 1u);
    EXPECT_EQ(window().messages[0].text, GetParam().message);
    EXPECT_EQ(window().messages[0].caption, u"输入有误");
    EXPECT_EQ(window().messages[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(window().questions.empty()) << "refused before any question";
    EXPECT_EQ(window().focusedSlot, GetParam().field);
    EXPECT_TRUE(window().selectedAll[GetParam().field]);
    EXPECT_EQ(window().mainRepaints, 0);
    ExpectSameState(before, TakeSnapshot(state));
}

INSTANTIATE_TEST_SUITE_P(
    Negative, RefusedNegative,
    ::testing::Values(Refused{u"-5", u"6.8", 0, u"第 1 项“体重”不能为负数。"},
                      Refused{u" -60 ", u"6.8", 0, u"第 1 项“体重”不能为负数。"},
                      Refused{u"-\uFF15", u"6.8", 0, u"第 1 项“体重”不能为负数。"},
                      Refused{u"60", u"-0.1", 1, u"第 2 项“血钾”不能为负数。"},
                      Refused{u"-5", u"abc", 0, u"第 1 项“体重”不能为负数。"},
                      Refused{u"abc", u"-5", 0,
                              u"第 1 项“体重”请输入数字（如 6.8，不带单位）。"}));

// Only where the usual range starts at 0 or above: a field whose range
// admits negatives, or that has no lower limit, takes them.
TEST_F(ComputeCommandTest, ANegativeIsRefusedWhereTheRangeStartsAtZero) {
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    static constexpr InputField inputs[] = {
        {"a", u"甲", u"", 1.0, -1.0, 1.0},
        {"b", u"乙", u"", 1.0},
        {"c", u"丙", u"", 1.0, 0.0, kNone},
    };
    static constexpr OutputField outputs[] = {{"sum", u"和", nullptr, "a+b+c", "f2"}};
    static constexpr ToolDescriptor tool = {
        905, u"负数", nullptr, u"测试", u"无", nullptr, 3, inputs, 1, outputs, 0, nullptr,
        kFormulaTool,
    };
    StartWith(tool);
    Type(0, u"-1");
    Type(1, u"-1e6");
    Type(2, u"-0.001");
    ComputeCommand(state);
    ASSERT_EQ(window().messages.size(), 1u);
    EXPECT_EQ(window().messages[0].text, u"第 3 项“丙”不能为负数。");
    Type(2, u"0");
    ComputeCommand(state);
    EXPECT_EQ(window().controls[kResultBoxSlot], u"和：-1000001.00\r\n");
}

TEST_F(ComputeCommandTest, MinusZeroIsNoNegative) {
    TypeInputs(u"-0", u"6.8");
    ComputeCommand(state);
    EXPECT_TRUE(window().messages.empty());
    ASSERT_EQ(window().questions.size(), 1u) << "0 kg is still asked about";
    EXPECT_EQ(window().questions[0].text, WeightQuestion(u"0 kg"));
    EXPECT_EQ(std::signbit(state.lastInputs[0]), false) << "kept as +0: no dose shows \"-0.0\"";
}

// --- Defaults nobody typed ------------------------------------------------

// The window as it opens: the defaults the program put in the fields.
class NotEntered : public CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        Prefill(0, u"60");
        Prefill(1, u"6.8");
    }
    std::vector<std::u16string> Asked() const {
        std::vector<std::u16string> asked;
        for (const fake::Message& question : fake::WindowOf(state).questions) {
            EXPECT_EQ(question.caption, kConfirmCaption);
            asked.push_back(question.text);
        }
        return asked;
    }
};

constexpr char16_t kWeightNotEntered[] = u"“体重”仍是预填的 60 kg，尚未输入。按 60 计算吗？";
constexpr char16_t kPotassiumNotEntered[] =
    u"“血钾”仍是预填的 6.8 mmol/L，尚未输入。按 6.8 计算吗？";

TEST_F(NotEntered, EachUntouchedDefaultIsAskedAboutNoTheDefault) {
    window().answers = {false};
    ComputeCommand(state);
    EXPECT_EQ(Asked(), (std::vector<std::u16string>{kWeightNotEntered}));
    EXPECT_EQ(window().focusedSlot, 0) << "No: back in the field";
    EXPECT_TRUE(window().selectedAll[0]) << "its text selected, so typing replaces it";
    EXPECT_EQ(state.resultCopy[0], 0);
    EXPECT_EQ(window().verdictRepaints, 0);

    // The weight typed: only the potassium is asked about, and No leaves it
    // focused and selected.
    ForgetCalls();
    window().answers = {false};
    FocusControl(state, 0);
    fake::user::Type(state, u"8");
    fake::user::Enter(state);
    EXPECT_EQ(Asked(), (std::vector<std::u16string>{kPotassiumNotEntered}));
    EXPECT_EQ(window().focusedSlot, 1);
    EXPECT_TRUE(window().selectedAll[1]);
    EXPECT_EQ(state.resultCopy[0], 0);

    // Yes computes with it.
    ForgetCalls();
    window().answers = {true};
    FocusControl(state, 0);
    fake::user::Enter(state);
    EXPECT_EQ(Asked(), (std::vector<std::u16string>{kPotassiumNotEntered}));
    EXPECT_EQ(state.lastInputs[0], 8.0);
    EXPECT_EQ(state.lastInputs[1], 6.8);
    EXPECT_EQ(state.currentLevel, 3);
}

TEST_F(NotEntered, TheyAreAskedBeforeAnUnusualValue) {
    Type(1, u"68");
    ComputeCommand(state);
    EXPECT_EQ(Asked(), (std::vector<std::u16string>{kWeightNotEntered,
                                                     PotassiumQuestion(u"68 mmol/L")}));
}

TEST_F(NotEntered, AYesCountsAsEnteringIt) {
    ComputeCommand(state);
    EXPECT_EQ(Asked().size(), 2u);
    ForgetCalls();
    ComputeCommand(state);
    EXPECT_TRUE(Asked().empty()) << "confirmed once, not asked again";
    EXPECT_NE(state.resultCopy[0], 0);
}

TEST_F(NotEntered, TypingTheSameValueCountsAsEntered) {
    FocusControl(state, 0);
    fake::user::Type(state, u"60");
    fake::user::Tab(state);
    fake::user::Type(state, u"6.8");
    fake::user::Enter(state);
    EXPECT_TRUE(Asked().empty());
    EXPECT_EQ(state.currentLevel, 3);
    EXPECT_EQ(window().controls[kResultBoxSlot], kDefaultReport);
}

TEST_F(NotEntered, ResetMakesTheDefaultsUntouchedAgain) {
    TypeInputs(u"8", u"7");
    ComputeCommand(state);
    ASSERT_TRUE(Asked().empty());
    ResetCommand(state);
    ForgetCalls();
    window().answers = {true, false};
    ComputeCommand(state);
    EXPECT_EQ(Asked(), (std::vector<std::u16string>{kWeightNotEntered, kPotassiumNotEntered}));
    EXPECT_EQ(window().focusedSlot, 1);
    EXPECT_EQ(state.resultCopy[0], 0);
}

// Only a field the user typed in counts: the program's own texts (the
// default at start-up or reset) do not, whatever they hold.
TEST_F(NotEntered, AnEditOfOneFieldEntersThatFieldOnly) {
    InputEdited(state, 1);
    InputEdited(state, 7);    // past the tool's fields: nothing
    InputEdited(state, -1);
    EXPECT_FALSE(state.entered[0]);
    EXPECT_TRUE(state.entered[1]);
    for (int32_t i = 2; i < kMaxInputs; ++i) EXPECT_FALSE(state.entered[i]) << i;
}

}  // namespace
}  // namespace tarn::ui
