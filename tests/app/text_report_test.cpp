// The text mode: finding "--report" and its values in the raw command line,
// and the texts of standard output and standard error for them.
#include "app/text_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/text.h"

namespace tarn::app {
namespace {

struct Found {
    bool requested = false;
    int32_t count = 0;
    std::vector<std::u16string> values;  // the kept ones
    std::vector<bool> cut;
};

Found Find(const char16_t* commandLine) {
    static ReportArguments arguments;
    Found found;
    found.requested = FindReportRequest(commandLine, arguments);
    found.count = arguments.count;
    for (int32_t i = 0; i < arguments.count && i < kMaxInputs; ++i) {
        found.values.emplace_back(arguments.values[i]);
        found.cut.push_back(arguments.cut[i]);
    }
    return found;
}

TEST(TextReportCommandLine, FindsTheMarkerAfterTheProgramAndTakesEveryArgumentAfterIt) {
    using Values = std::vector<std::u16string>;
    const struct {
        const char16_t* line;
        bool requested;
        Values values;
    } cases[] = {
        {u"ordavel", false, {}},
        {u"ordavel --report 8 7.0", true, {u"8", u"7.0"}},
        {u"ordavel --report   8    7   ", true, {u"8", u"7"}},
        {u"\"C:\\Program Files\\Ordavel\\ordavel.exe\" --report 60 6.8", true, {u"60", u"6.8"}},
        {u"ordavel --report \"8\" \" 7 \"", true, {u"8", u" 7 "}},
        {u"ordavel --report \"\" 7", true, {u"", u"7"}},
        {u"ordavel --report 6\".\"8 7", true, {u"6.8", u"7"}},
        {u"ordavel --report \"open ended", true, {u"open ended"}},
        {u"ordavel --report", true, {}},
        {u"ordavel --report 8", true, {u"8"}},
        {u"ordavel --report 8 7 9", true, {u"8", u"7", u"9"}},
        // Only blanks part arguments.
        {u"ordavel --report 8\t7", true, {u"8\t7"}},
        {u"ordavel extra --report 8 7", true, {u"8", u"7"}},
        {u"ordavel --report --report 8", true, {u"--report", u"8"}},
        {u"ordavel \"--report\" 8 7", true, {u"8", u"7"}},
        // Not the marker: another spelling, or part of the program's path.
        {u"ordavel --REPORT 8 7", false, {}},
        {u"ordavel --reports 8 7", false, {}},
        {u"ordavel --report=8 7", false, {}},
        {u"C:\\tools\\x--report.exe 8 7", false, {}},
        {u"--report 8 7", false, {}},
        {u"", false, {}},
        {nullptr, false, {}},
    };
    for (const auto& c : cases) {
        const Found found = Find(c.line);
        const std::u16string line = c.line ? c.line : u"(none)";
        EXPECT_EQ(found.requested, c.requested) << testing::PrintToString(line);
        if (!c.requested) continue;
        EXPECT_EQ(found.count, static_cast<int32_t>(c.values.size()));
        EXPECT_EQ(found.values, c.values) << "case " << (&c - cases);
        for (const bool cut : found.cut) EXPECT_FALSE(cut);
    }
}

TEST(TextReportCommandLine, KeepsSixteenValuesAndMarksALongOneAsCut) {
    std::u16string line = u"ordavel --report";
    for (int i = 0; i < 20; ++i) line += u" " + std::u16string(1, static_cast<char16_t>(u'a' + i));
    Found found = Find(line.c_str());
    EXPECT_EQ(found.count, 20);
    ASSERT_EQ(found.values.size(), 16u);
    EXPECT_EQ(found.values[15], u"p");

    const std::u16string fits(kArgumentCapacity - 1, u'9');
    found = Find((u"ordavel --report " + fits + u" " + fits + u"9").c_str());
    ASSERT_EQ(found.count, 2);
    EXPECT_EQ(found.values[0], fits);
    EXPECT_FALSE(found.cut[0]);
    EXPECT_EQ(found.values[1], fits) << "kept as far as it fits";
    EXPECT_TRUE(found.cut[1]);
}

// A tool of the test's own: the first input with a unit and a usual range,
// the second with neither; a level for each band of the sum.
constexpr InputField kInputs[] = {
    {"a", u"甲", u"kg", 1.0, 0.5, 10.0},
    {"b", u"乙", nullptr, 2.5},
};
constexpr OutputField kOutputs[] = {{"s", u"和", u"ml", "a+b", "f1"}};
constexpr VerdictRule kRules[] = {
    {"s>=1000", 7, u"超出"}, {"s>=100", 3, u"很大"}, {"s>=20", 2, u"大"},
    {"s>=10", 1, u"偏大"},   {"", 0, u"正常"},
};
constexpr ToolDescriptor kTool = {
    5, u"Test", nullptr, u"测试", u"书", u"小心", 2, kInputs, 1, kOutputs, 5, kRules, 0};

struct Texts {
    int32_t status;
    std::u16string output;
    std::u16string error;
};

Texts Build(const ToolDescriptor& tool, const char16_t* commandLine,
            int32_t outputCapacity = 8192) {
    static ReportArguments arguments;
    static char16_t output[8192];
    static char16_t error[1024];
    FindReportRequest(commandLine, arguments);
    TextBuilder outputText = StartText(output, outputCapacity);
    TextBuilder errorText = StartText(error, 1024);
    const int32_t status = BuildTextReport(tool, arguments, outputText, errorText);
    return {status, output, error};
}

TEST(TextReportText, EchoesTheValuesThenTheReportVerdictLevelNoteAndReference) {
    const Texts texts = Build(kTool, u"t --report 2 ８.5");
    EXPECT_EQ(texts.status, kTextReportWritten);
    EXPECT_EQ(texts.output,
              u"Test\r\n"
              u"甲：2 kg\r\n"
              u"乙：8.5\r\n"
              u"和：10.5 ml\r\n"
              u"结论：偏大\r\n"
              u"等级：轻度\r\n"
              u"注意：小心\r\n"
              u"参考依据：书\r\n");
    EXPECT_EQ(texts.error, u"");
}

TEST(TextReportText, NamesEachLevelInWords) {
    const struct {
        const char16_t* line;
        const char16_t* verdict;
    } cases[] = {
        {u"t --report 1 2", u"结论：正常\r\n等级：正常\r\n"},
        {u"t --report 1 9", u"结论：偏大\r\n等级：轻度\r\n"},
        {u"t --report 1 19", u"结论：大\r\n等级：中度\r\n"},
        {u"t --report 1 99", u"结论：很大\r\n等级：重度\r\n"},
        {u"t --report 1 999", u"结论：超出\r\n等级：7\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_NE(Build(kTool, c.line).output.find(c.verdict), std::u16string::npos)
            << testing::PrintToString(std::u16string(c.line));
}

// The echo is the value computed with, to the last digit: 5.4999999 is no 5.5.
TEST(TextReportText, EchoesEachValueExactly) {
    const struct {
        const char16_t* argument;
        const char16_t* echo;
    } cases[] = {
        {u"7.0", u"乙：7\r\n"},           {u"5.4999999", u"乙：5.4999999\r\n"},
        {u"0.1", u"乙：0.1\r\n"},         {u"1e2", u"乙：100\r\n"},
        {u"\" 6.8 \"", u"乙：6.8\r\n"},
        {u"1e-7", u"乙：1e-07\r\n"},      {u"123456789.25", u"乙：123456789.25\r\n"},
        {u"-0", u"乙：0\r\n和：1.0 ml\r\n"},
    };
    for (const auto& c : cases) {
        const std::u16string line = std::u16string(u"t --report 1 ") + c.argument;
        const Texts texts = Build(kTool, line.c_str());
        EXPECT_EQ(texts.status, kTextReportWritten);
        EXPECT_NE(texts.output.find(std::u16string(u"\r\n甲：1 kg\r\n") + c.echo),
                  std::u16string::npos)
            << testing::PrintToString(line);
    }
}

TEST(TextReportText, StatesEachValueOutsideItsUsualRangeFirstAndStillComputes) {
    Texts texts = Build(kTool, u"t --report 760 1");
    EXPECT_EQ(texts.status, kTextReportWritten);
    EXPECT_EQ(texts.output.rfind(
                  u"第 1 项“甲”为 760 kg，超出常见范围 0.5–10 kg。\r\nTest\r\n甲：760 kg\r\n", 0),
              0u);
    EXPECT_NE(texts.output.find(u"和：761.0 ml\r\n"), std::u16string::npos);

    // Ordavel: both fields, in their order, each its first line alone.
    texts = Build(CurrentTool(), u"ordavel --report 0.2 13");
    EXPECT_EQ(texts.status, kTextReportWritten);
    EXPECT_EQ(texts.output.rfind(u"第 1 项“体重”为 0.2 kg，超出常见范围 0.5–250 kg。\r\n"
                                 u"第 2 项“血钾”为 13 mmol/L，超出常见范围 1.5–12 mmol/L。\r\n"
                                 u"Ordavel\r\n",
                                 0),
              0u);
    EXPECT_EQ(texts.output.find(u"仍按"), std::u16string::npos);
    // At the ends of the range nothing is said.
    EXPECT_EQ(Build(CurrentTool(), u"o --report 250 1.5").output.rfind(u"Ordavel\r\n", 0), 0u);
    EXPECT_EQ(Build(CurrentTool(), u"o --report 0.5 12").output.rfind(u"Ordavel\r\n", 0), 0u);
}

// The window's parser has its own tests; here, that the message names the
// field refused, the first of two, and that an argument too long for a
// field is refused though every character is a digit.
TEST(TextReportText, RefusesTheFirstValueTheWindowWouldRefuseWithItsMessage) {
    const std::u16string digits(kArgumentCapacity + 10, u'1');
    const struct {
        std::u16string line;
        const char16_t* message;
    } cases[] = {
        {u"o --report 60 7mmol", u"第 2 项“血钾”请输入数字（如 6.8，不带单位）。\r\n"},
        {u"o --report 60 -0.1", u"第 2 项“血钾”不能为负数。\r\n"},
        {u"o --report x -1", u"第 1 项“体重”请输入数字（如 6.8，不带单位）。\r\n"},
        {u"o --report 60 " + digits, u"第 2 项“血钾”请输入数字（如 6.8，不带单位）。\r\n"},
        // No question can be asked about an empty value, as the window asks
        // about an empty field: it is refused.
        {u"o --report \"\" 7", u"第 1 项“体重”请输入数字（如 6.8，不带单位）。\r\n"},
        {u"o --report 60 \"  \"", u"第 2 项“血钾”请输入数字（如 6.8，不带单位）。\r\n"},
    };
    for (const auto& c : cases) {
        const Texts texts = Build(CurrentTool(), c.line.c_str());
        EXPECT_EQ(texts.status, kTextReportRefused);
        EXPECT_EQ(texts.error, c.message) << testing::PrintToString(c.line.substr(0, 40));
        EXPECT_EQ(texts.output, u"");
    }
}

// Ordavel's usage line is checked through the program; this one is made
// from another tool's inputs.
TEST(TextReportText, AsksForOneValuePerInputWithAUsageLine) {
    const Texts texts = Build(kTool, u"t --report 1");
    EXPECT_EQ(texts.status, kTextReportRefused);
    EXPECT_EQ(texts.error, u"用法：ordavel --report 甲(kg) 乙，例如 ordavel --report 1 2.5\r\n");
    EXPECT_EQ(texts.output, u"");
}

// A report cut by its buffer is not written at all.
TEST(TextReportText, ACutReportIsNotWritten) {
    const Texts whole = Build(kTool, u"t --report 2 3");
    const int32_t fits = static_cast<int32_t>(whole.output.size()) + 1;
    EXPECT_EQ(Build(kTool, u"t --report 2 3", fits).status, kTextReportWritten);
    EXPECT_EQ(Build(kTool, u"t --report 2 3", fits - 1).status, kTextReportNotWritten);
}

}  // namespace
}  // namespace tarn::app
