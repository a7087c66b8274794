// The compute operation: report lines, failure note, verdict walk, bounded
// buffers, and the hand-over of report kinds to their generators.
#include "computation/computation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "engine/descriptor.h"
#include "reports/reports.h"
#include "tests/support/guarded_buffer.h"
#include "tests/support/over_limit_tools.h"

namespace tarn {
namespace {

constexpr double kDefaultWeight = 60.0;
constexpr double kDefaultPotassium = 6.800000190734863;
constexpr char16_t kSevere[] = u"重度高钾，立即处理并持续心电监护";
constexpr char16_t kModerate[] = u"中度高钾：立即做心电图，有改变按重度处理";
constexpr char16_t kMild[] = u"轻度高钾：做心电图，停用升钾药物，复查血钾";
constexpr char16_t kNotRaised[] = u"血钾未升高，无需降钾急救用药";
constexpr char16_t kLow[] = u"血钾偏低，不宜使用胰岛素，请复核血钾";
// The report when no dose is shown.
constexpr char16_t kNoDoses[] = u"血钾 <5.5 mmol/L：不计算降钾急救用药\r\n";

// The three caller buffers, each with room for the largest capacity and a
// guard band after it, filled with garbage so that clearing is seen; what
// lies at or past a buffer's capacity must stay untouched.
struct Buffers {
    static constexpr int32_t kRoom = 8192;
    testing::GuardedBuffer reportBuffer{kRoom};
    testing::GuardedBuffer verdictBuffer{kRoom};
    testing::GuardedBuffer copyBuffer{kRoom};
    char16_t* report = reportBuffer.data;
    char16_t* verdict = verdictBuffer.data;
    char16_t* copy = copyBuffer.data;
    int32_t reportCapacity = 4096;
    int32_t verdictCapacity = 512;
    int32_t copyCapacity = 8192;
    int32_t level = -7;

    int32_t Run(const ToolDescriptor& tool, const double* inputs) {
        return ToolComputation(tool, inputs, report, reportCapacity, verdict, verdictCapacity, &level,
                               copy, copyCapacity);
    }
    std::u16string Report() const { return report; }
    std::u16string Verdict() const { return verdict; }
    std::u16string Copy() const { return copy; }
    bool GuardsIntact() const {
        return reportBuffer.UntouchedFrom(reportCapacity) &&
               verdictBuffer.UntouchedFrom(verdictCapacity) && copyBuffer.UntouchedFrom(copyCapacity);
    }
};

// The dose lines; glucose in millilitres as 50% (from 40 kg) or as 10%
// (under 40 kg): the other one is null.
std::u16string Lines(const char16_t* calcium, const char16_t* insulin, const char16_t* glucose,
                     const char16_t* glucose50, const char16_t* glucose10 = nullptr) {
    std::u16string lines = std::u16string(u"10% 葡萄糖酸钙：") + calcium + u" ml\r\n" + u"胰岛素：" +
                           insulin + u" U\r\n" + u"葡萄糖：" + glucose + u" g\r\n";
    if (glucose50) lines += std::u16string(u"50% 葡萄糖：") + glucose50 + u" ml\r\n";
    if (glucose10) lines += std::u16string(u"10% 葡萄糖：") + glucose10 + u" ml\r\n";
    return lines;
}

// ------------------------------------------------------------ this tool

TEST(ToolComputation, DefaultInputsGiveTheFourLinesAndTheSevereVerdict) {
    Buffers buffers;
    const double inputs[] = {kDefaultWeight, kDefaultPotassium};
    EXPECT_EQ(buffers.Run(CurrentTool(), inputs), 3);
    EXPECT_EQ(buffers.level, 3);
    const std::u16string expected = u"10% 葡萄糖酸钙：20.0 ml\r\n胰岛素：6.0 U\r\n葡萄糖：30.0 g\r\n50% 葡萄糖：60.0 ml\r\n";
    EXPECT_EQ(expected.size(), 59u);
    EXPECT_EQ(buffers.Report(), expected);
    EXPECT_EQ(buffers.Copy(), expected);
    EXPECT_EQ(buffers.Verdict(), kSevere);
    EXPECT_TRUE(buffers.GuardsIntact());
}

struct DoseRow {
    double weight;
    double potassium;
    std::u16string report;
    const char16_t* verdict;
    int32_t level;
};

void PrintTo(const DoseRow& row, std::ostream* out) {
    *out << row.weight << " kg, " << row.potassium << " mmol/L";
}

void ExpectRow(const DoseRow& row) {
    Buffers buffers;
    const double inputs[] = {row.weight, row.potassium};
    EXPECT_EQ(buffers.Run(CurrentTool(), inputs), row.level);
    EXPECT_EQ(buffers.level, row.level);
    EXPECT_EQ(buffers.Report(), row.report);
    EXPECT_EQ(buffers.Copy(), row.report);
    EXPECT_EQ(buffers.Verdict(), row.verdict);
}

// By weight, at a potassium that calls for every dose: calcium 0.5 ml/kg up
// to 20 ml, insulin 0.1 U/kg up to 10 U, glucose 5 g a unit up to 50 g, as
// 10% glucose under 40 kg and as 50% glucose from 40 kg.
class OrdavelWeight : public ::testing::TestWithParam<DoseRow> {};

TEST_P(OrdavelWeight, GivesTheDosesAndTheGlucoseForm) { ExpectRow(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Weights, OrdavelWeight,
    ::testing::Values(
        DoseRow{3, 7.0, Lines(u"1.5", u"0.3", u"1.5", nullptr, u"15.0"), kSevere, 3},
        DoseRow{8, 7.0, Lines(u"4.0", u"0.8", u"4.0", nullptr, u"40.0"), kSevere, 3},
        DoseRow{20, 7.0, Lines(u"10.0", u"2.0", u"10.0", nullptr, u"100.0"), kSevere, 3},
        DoseRow{39, 7.0, Lines(u"19.5", u"3.9", u"19.5", nullptr, u"195.0"), kSevere, 3},
        DoseRow{40, 7.0, Lines(u"20.0", u"4.0", u"20.0", u"40.0"), kSevere, 3},
        DoseRow{100, 7.0, Lines(u"20.0", u"10.0", u"50.0", u"100.0"), kSevere, 3},
        DoseRow{120, 6.5, Lines(u"20.0", u"10.0", u"50.0", u"100.0"), kSevere, 3},
        DoseRow{250, 7.0, Lines(u"20.0", u"10.0", u"50.0", u"100.0"), kSevere, 3}));

// By potassium, at 60 kg: the bands of 5.5, 6.0 and 6.5, no dose below 5.5,
// and below 3.5 the low-potassium verdict.
class OrdavelPotassium : public ::testing::TestWithParam<DoseRow> {};

TEST_P(OrdavelPotassium, GradesAndShowsDosesFromHyperkalaemia) { ExpectRow(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Potassium, OrdavelPotassium,
    ::testing::Values(DoseRow{60, 3.49, kNoDoses, kLow, 2},
                      DoseRow{60, 3.5, kNoDoses, kNotRaised, 0},
                      DoseRow{60, 5.49, kNoDoses, kNotRaised, 0},
                      DoseRow{60, 5.5, Lines(u"20.0", u"6.0", u"30.0", u"60.0"), kMild, 1},
                      DoseRow{60, 5.99, Lines(u"20.0", u"6.0", u"30.0", u"60.0"), kMild, 1},
                      DoseRow{60, 6.0, Lines(u"20.0", u"6.0", u"30.0", u"60.0"), kModerate, 2},
                      DoseRow{60, 6.49, Lines(u"20.0", u"6.0", u"30.0", u"60.0"), kModerate, 2},
                      DoseRow{60, 6.5, Lines(u"20.0", u"6.0", u"30.0", u"60.0"), kSevere, 3}));

TEST(ToolComputation, WeightAndPotassiumTable) {
    const DoseRow rows[] = {
        {50.0, 5.0, kNoDoses, kNotRaised, 0},
        {45.0, 5.5, Lines(u"20.0", u"4.5", u"22.5", u"45.0"), kMild, 1},
        {30.0, kDefaultPotassium, Lines(u"15.0", u"3.0", u"15.0", nullptr, u"150.0"), kSevere, 3},
        {0.0, kDefaultPotassium, Lines(u"0.0", u"0.0", u"0.0", nullptr, u"0.0"), kSevere, 3},
        // The computation does not judge inputs; the window refuses a negative.
        {-10.0, kDefaultPotassium, Lines(u"-5.0", u"-1.0", u"-5.0", nullptr, u"-50.0"), kSevere, 3},
        {60.0, 2.0, kNoDoses, kLow, 2},
        {60.0, 0.0, kNoDoses, kLow, 2},  // an empty field
        {8.0, 3.0, kNoDoses, kLow, 2},
        {99.0, 6.0, Lines(u"20.0", u"9.9", u"49.5", u"99.0"), kModerate, 2},
        {100.1, 6.0, Lines(u"20.0", u"10.0", u"50.0", u"100.0"), kModerate, 2},
        {150.0, 6.0, Lines(u"20.0", u"10.0", u"50.0", u"100.0"), kModerate, 2},
        // One decimal is coarse for infants: 0.05 U shows as 0.1 U, and a
        // confirmed 0.49 kg as 0.0 U.
        {0.5, 7.0, Lines(u"0.2", u"0.1", u"0.2", nullptr, u"2.5"), kSevere, 3},
        {0.49, 7.0, Lines(u"0.2", u"0.0", u"0.2", nullptr, u"2.4"), kSevere, 3},
    };
    for (const DoseRow& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row));
        ExpectRow(row);
    }
}

TEST(ToolComputation, ReportIsCutAtItsCapacity) {
    struct Case {
        int32_t capacity;
        const char16_t* report;
    };
    const Case cases[] = {
        {20, u"10% 葡萄糖酸钙：20.0 ml\r\n"},
        {19, u"10% 葡萄糖酸钙：20.0 ml\r"},  // cut between CR and LF
        {25, u"10% 葡萄糖酸钙：20.0 ml\r\n胰岛素：6"},
        {10, u"10% 葡萄糖酸钙"},
        {1, u""},
    };
    for (const Case& c : cases) {
        Buffers buffers;
        buffers.reportCapacity = c.capacity;
        const double inputs[] = {kDefaultWeight, kDefaultPotassium};
        EXPECT_EQ(buffers.Run(CurrentTool(), inputs), 3);
        EXPECT_EQ(buffers.Report(), c.report) << c.capacity;
        EXPECT_EQ(buffers.Copy(), c.report) << c.capacity;
        EXPECT_EQ(buffers.Verdict(), kSevere);
        EXPECT_EQ(buffers.level, 3);
        EXPECT_TRUE(buffers.GuardsIntact()) << c.capacity;
    }
}

TEST(ToolComputation, CopyIsCutWhileTheReportStaysWhole) {
    Buffers buffers;
    buffers.copyCapacity = 12;
    const double inputs[] = {kDefaultWeight, kDefaultPotassium};
    buffers.Run(CurrentTool(), inputs);
    EXPECT_EQ(buffers.Report().size(), 59u);
    EXPECT_EQ(buffers.Copy(), buffers.Report().substr(0, 11));
    EXPECT_TRUE(buffers.GuardsIntact());
}

TEST(ToolComputation, VerdictIsCutToItsCapacity) {
    Buffers buffers;
    buffers.verdictCapacity = 5;
    const double inputs[] = {kDefaultWeight, kDefaultPotassium};
    EXPECT_EQ(buffers.Run(CurrentTool(), inputs), 3);
    EXPECT_EQ(buffers.Verdict(), std::u16string(kSevere).substr(0, 4));
    EXPECT_TRUE(buffers.GuardsIntact());
}

TEST(ToolComputation, KeepsNothingBetweenCalls) {
    const double failing[] = {1e308, 5.0};
    const double inputs[] = {kDefaultWeight, kDefaultPotassium};
    Buffers first;
    first.Run(CurrentTool(), inputs);
    Buffers between;
    between.Run(CurrentTool(), failing);
    Buffers second;
    second.Run(CurrentTool(), inputs);
    EXPECT_EQ(first.Report(), second.Report());
    EXPECT_EQ(first.Verdict(), second.Verdict());
    EXPECT_EQ(first.level, second.level);
}

// ------------------------------------------------------ other descriptors

constexpr InputField kInputs[] = {
    {"w", u"体重", u"kg", 60.0},
    {"k", u"血钾", u"mmol/L", 5.0},
};

ToolDescriptor MakeTool(const OutputField* outputs, int32_t outputCount, const VerdictRule* rules,
                        int32_t ruleCount, int32_t kind = kFormulaTool) {
    return ToolDescriptor{99, u"测试", nullptr, u"测试", u"—", nullptr, 2, kInputs,
                          outputCount, outputs, ruleCount, rules, kind};
}

constexpr OutputField kOneOutput[] = {{"dose", u"剂量", u"ml", "0.5*w", "f1"}};

TEST(ToolComputation, CatchAllWithoutTextGivesTheDefaultVerdictAtItsLevel) {
    const VerdictRule rules[] = {{"k>=6.5", 3, u"重"}, {"", 2, u""}, {"", 1, u"never reached"}};
    const ToolDescriptor tool = MakeTool(kOneOutput, 1, rules, 3);
    Buffers buffers;
    const double inputs[] = {60.0, 5.0};
    EXPECT_EQ(buffers.Run(tool, inputs), 2);
    EXPECT_EQ(buffers.level, 2);
    EXPECT_EQ(buffers.Verdict(), kDefaultVerdict);
}

TEST(ToolComputation, NoRuleHoldingGivesTheDefaultVerdictAtLevelZero) {
    const VerdictRule rules[] = {{"k>=6.5", 3, u"重"}, {"k>=5.5", 2, u"中"}};
    const ToolDescriptor tools[] = {MakeTool(kOneOutput, 1, nullptr, 0), MakeTool(kOneOutput, 1, rules, 2)};
    for (const ToolDescriptor& tool : tools) {
        Buffers buffers;
        const double inputs[] = {60.0, 5.0};
        EXPECT_EQ(buffers.Run(tool, inputs), 0);
        EXPECT_EQ(buffers.level, 0);
        EXPECT_EQ(buffers.Verdict(), kDefaultVerdict);
        EXPECT_EQ(buffers.Report(), u"剂量：30.0 ml\r\n");
    }
}

TEST(ToolComputation, DefaultVerdictRespectsASmallVerdictBuffer) {
    const ToolDescriptor tool = MakeTool(kOneOutput, 1, nullptr, 0);
    Buffers buffers;
    buffers.verdictCapacity = 4;
    const double inputs[] = {60.0, 5.0};
    buffers.Run(tool, inputs);
    EXPECT_EQ(buffers.Verdict(), std::u16string(kDefaultVerdict).substr(0, 3));
    EXPECT_TRUE(buffers.GuardsIntact());
}

TEST(ToolComputation, WithoutOutputsTheReportIsEmptyAndRulesAreStillTried) {
    const VerdictRule rules[] = {{"k>=6.5", 3, u"重"}, {"", 0, u"正常"}};
    const ToolDescriptor tool = MakeTool(nullptr, 0, rules, 2);
    Buffers buffers;
    const double inputs[] = {60.0, 7.0};
    EXPECT_EQ(buffers.Run(tool, inputs), 3);
    EXPECT_EQ(buffers.Report(), u"");
    EXPECT_EQ(buffers.Copy(), u"");
    EXPECT_EQ(buffers.Verdict(), u"重");
}

TEST(ToolComputation, ConditionMayNameAnOutput) {
    const OutputField outputs[] = {{"calcium", u"钙", u"ml", "min(0.5*w,20)", "f1"}};
    const VerdictRule rules[] = {{"calcium>=20", 1, u"封顶"}};
    const ToolDescriptor tool = MakeTool(outputs, 1, rules, 1);
    struct Case {
        double weight;
        int32_t level;
        const char16_t* verdict;
    };
    const Case cases[] = {{40.0, 1, u"封顶"}, {80.0, 1, u"封顶"}, {39.0, 0, kDefaultVerdict}};
    for (const Case& c : cases) {
        Buffers buffers;
        const double inputs[] = {c.weight, 5.0};
        EXPECT_EQ(buffers.Run(tool, inputs), c.level) << c.weight;
        EXPECT_EQ(buffers.Verdict(), c.verdict) << c.weight;
    }
}

TEST(ToolComputation, FailedOutputsKeepTheirLinesAndAddTheNoteOnce) {
    const OutputField outputs[] = {
        {"d", u"丁", u"U", "0.1*w", "f1"},
        {"a", u"甲", u"ml", "w/0", "f1"},
        {"b", u"乙", u"", "1e308*10", "f1"},
        {"c", u"丙", nullptr, "sqrt(-1)", "f2"},
    };
    const VerdictRule rules[] = {{"", 0, u"正常"}};
    const ToolDescriptor tool = MakeTool(outputs, 4, rules, 1);
    Buffers buffers;
    const double inputs[] = {60.0, 5.0};
    EXPECT_EQ(buffers.Run(tool, inputs), 0);
    EXPECT_EQ(buffers.Report(),
              std::u16string(u"丁：6.0 U\r\n甲：0.0 ml\r\n乙：--\r\n丙：0.00\r\n") + kFailedOutputsNote);
    EXPECT_EQ(buffers.Copy(), buffers.Report());
    EXPECT_EQ(buffers.Verdict(), u"正常");
}

TEST(ToolComputation, TheNoteIsDroppedWhenTheReportIsFull) {
    const OutputField outputs[] = {{"a", u"甲", u"ml", "w/0", "f1"}};
    const ToolDescriptor tool = MakeTool(outputs, 1, nullptr, 0);
    Buffers buffers;
    buffers.reportCapacity = 11;
    const double inputs[] = {60.0, 5.0};
    buffers.Run(tool, inputs);
    EXPECT_EQ(buffers.Report(), u"甲：0.0 ml\r\n");
    EXPECT_TRUE(buffers.GuardsIntact());
}

TEST(ToolComputation, AnOutputNamingALaterOneSeesZero) {
    const OutputField outputs[] = {
        {"a", u"甲", u"", "b+1", "f1"},
        {"b", u"乙", u"", "2", "f1"},
        {"c", u"丙", u"", "a+b+c", "f1"},
    };
    const ToolDescriptor tool = MakeTool(outputs, 3, nullptr, 0);
    Buffers buffers;
    const double inputs[] = {60.0, 5.0};
    buffers.Run(tool, inputs);
    EXPECT_EQ(buffers.Report(), u"甲：1.0\r\n乙：2.0\r\n丙：3.0\r\n");
}

TEST(ToolComputation, FailingConditionsArePassedOver) {
    // Each failing condition here returns a value other than 0 with its error.
    const VerdictRule rules[] = {
        {"1 ? 1 : 1/0", 3, u"分支"}, {"5+1/0", 3, u"除零"}, {"2w", 3, u"尾随"},
        {"(1", 3, u"缺括号"}, {nullptr, 3, u"缺条件"}, {"w>k", 2, u"成立"},
    };
    const ToolDescriptor tool = MakeTool(kOneOutput, 1, rules, 6);
    Buffers buffers;
    const double inputs[] = {60.0, 5.0};
    EXPECT_EQ(buffers.Run(tool, inputs), 2);
    EXPECT_EQ(buffers.Verdict(), u"成立");
}

TEST(ToolComputation, LinesAreCutAt255Characters) {
    const std::u16string label(300, u'标');
    const OutputField outputs[] = {
        {"a", label.c_str(), u"ml", "1", "f1"},
        {"b", u"乙", u"U", "2", "f1"},
    };
    const ToolDescriptor tool = MakeTool(outputs, 2, nullptr, 0);
    Buffers buffers;
    const double inputs[] = {60.0, 5.0};
    buffers.Run(tool, inputs);
    EXPECT_EQ(buffers.Report(), std::u16string(255, u'标') + u"乙：2.0 U\r\n");
}

TEST(ToolComputation, FormatCodesOfTheOutputsAreApplied) {
    const OutputField outputs[] = {
        {"a", u"甲", u"", "19782.9", "date"},
        {"b", u"乙", u"", "12.34", "pct"},
        {"c", u"丙", u"", "2.5", "int"},
        {"d", u"丁", u"", "1", nullptr},
    };
    const ToolDescriptor tool = MakeTool(outputs, 4, nullptr, 0);
    Buffers buffers;
    const double inputs[] = {60.0, 5.0};
    buffers.Run(tool, inputs);
    EXPECT_EQ(buffers.Report(), u"甲：2024-02-29\r\n乙：12.3%\r\n丙：2\r\n丁：1.00\r\n");
}

// ------------------------------------------------------- shown by condition

// a: shown while w > 50; b: hidden while k < 6, and failing; c: names a and
// b, shown always.
constexpr OutputField kConditionalOutputs[] = {
    {"a", u"甲", u"ml", "0.5*w", "f1", "w>50"},
    {"b", u"乙", u"U", "w/0", "f1", "k>=6"},
    {"c", u"丙", u"", "a+1", "f1", ""},
};

TEST(ToolComputation, AHiddenOutputHasNoLineAndNoFailure) {
    const VerdictRule rules[] = {{"a>20", 1, u"a 已算"}};
    const ToolDescriptor tool = MakeTool(kConditionalOutputs, 3, rules, 1);
    struct Case {
        double weight, potassium;
        std::u16string report;
        int32_t level;
    };
    const Case cases[] = {
        // A hidden a is still computed: c and the rule use its value.
        {40, 5.0, u"丙：21.0\r\n", 0},
        {60, 5.0, u"甲：30.0 ml\r\n丙：31.0\r\n", 1},
        // Shown, b fails and the note follows the lines.
        {60, 6.0, std::u16string(u"甲：30.0 ml\r\n乙：0.0 U\r\n丙：31.0\r\n") + kFailedOutputsNote, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.weight);
        Buffers buffers;
        const double inputs[] = {c.weight, c.potassium};
        EXPECT_EQ(buffers.Run(tool, inputs), c.level);
        EXPECT_EQ(buffers.Report(), c.report);
        EXPECT_EQ(buffers.Copy(), c.report);
    }
}

TEST(ToolComputation, AFailingConditionShowsItsOutputAsFailed) {
    const OutputField outputs[] = {
        {"a", u"甲", u"", "1", "f0", "nowhere>1"},  // an unknown name
        {"b", u"乙", u"", "2", "f0", "1/0"},
        {"c", u"丙", u"", "3", "f0", "0"},
        {"d", u"丁", u"", "4", "f0", nullptr},
    };
    const ToolDescriptor tool = MakeTool(outputs, 4, nullptr, 0);
    Buffers buffers;
    const double inputs[] = {60.0, 5.0};
    buffers.Run(tool, inputs);
    EXPECT_EQ(buffers.Report(), std::u16string(u"甲：1\r\n乙：2\r\n丁：4\r\n") + kFailedOutputsNote);

    OutputValues values;
    EvaluateOutputs(tool, inputs, values);
    EXPECT_EQ(values.count, 4);
    const bool shown[] = {true, true, false, true};
    const bool failed[] = {true, true, false, false};
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(values.shown[i], shown[i]) << i;
        EXPECT_EQ(values.failed[i], failed[i]) << i;
        EXPECT_EQ(values.values[i], i + 1) << i;
    }
}

TEST(ToolComputation, NothingShownGivesTheToolsOneLine) {
    const OutputField outputs[] = {{"a", u"甲", u"ml", "0.5*w", "f1", "k>=5.5"}};
    ToolDescriptor tool = MakeTool(outputs, 1, nullptr, 0);
    const double low[] = {60.0, 5.0};
    const double high[] = {60.0, 6.0};
    {
        Buffers buffers;
        buffers.Run(tool, low);
        EXPECT_EQ(buffers.Report(), u"") << "a tool without the line leaves the report empty";
    }
    tool.nothingShownLine = u"无需用药";
    Buffers hidden;
    hidden.Run(tool, low);
    EXPECT_EQ(hidden.Report(), u"无需用药\r\n");
    EXPECT_EQ(hidden.Copy(), u"无需用药\r\n");
    Buffers shown;
    shown.Run(tool, high);
    EXPECT_EQ(shown.Report(), u"甲：30.0 ml\r\n") << "only when nothing is shown";
    Buffers cut;
    cut.reportCapacity = 4;
    cut.Run(tool, low);
    EXPECT_EQ(cut.Report(), u"无需用");
    EXPECT_TRUE(cut.GuardsIntact());
}

// ----------------------------------------------------- other report kinds

TEST(ToolComputation, OtherKindsHandTheWholeJobToTheirGenerator) {
    // Outputs and rules that would show if they were used.
    const OutputField outputs[] = {{"a", u"甲", u"", "w/0", "f1"}};
    const VerdictRule rules[] = {{"", 3, u"不应出现"}};
    for (int32_t kind : {1, 3, 6, 8, 11, 12, -1}) {
        const ToolDescriptor tool = MakeTool(outputs, 1, rules, 1, kind);
        const double inputs[] = {2.0, 9.0};
        char16_t report[4096];
        char16_t verdict[512];
        const int32_t generated = GenerateReport(kind, tool, inputs, report, 4096, verdict, 512);

        Buffers buffers;
        EXPECT_EQ(buffers.Run(tool, inputs), generated) << kind;
        EXPECT_EQ(buffers.level, generated) << kind;
        EXPECT_EQ(buffers.Report(), report) << kind;
        EXPECT_EQ(buffers.Verdict(), verdict) << kind;
        EXPECT_EQ(buffers.Copy(), report) << kind;
        EXPECT_EQ(buffers.Report().find(kFailedOutputsNote), std::u16string::npos);
        EXPECT_NE(buffers.Verdict(), u"不应出现");
        EXPECT_TRUE(buffers.GuardsIntact());
    }
}

TEST(ToolComputation, OtherKindsCopyTheGeneratedReportCut) {
    const ToolDescriptor tool = MakeTool(nullptr, 0, nullptr, 0, 8);
    const double inputs[] = {0.0, 0.0};
    Buffers whole;
    whole.Run(tool, inputs);
    ASSERT_GT(whole.Report().size(), 6u);
    Buffers cut;
    cut.copyCapacity = 7;
    cut.Run(tool, inputs);
    EXPECT_EQ(cut.Report(), whole.Report());
    EXPECT_EQ(cut.Copy(), whole.Report().substr(0, 6));
    EXPECT_TRUE(cut.GuardsIntact());
}

// ------------------------------------------------------------ past the clamp

// Only the first 16 outputs are computed, and only they have names: an
// output or input past the sixteenth is an unknown name, never a read past
// the caller's 16 values.
TEST(ToolComputation, AnOutputPastTheSixteenthIsNeitherComputedNorNamed) {
    Buffers buffers;
    EXPECT_EQ(buffers.Run(testing::kSeventeenOutputTool, nullptr), 1);
    EXPECT_EQ(buffers.level, 1);
    const std::u16string expected = u"o0：0\r\no1：0\r\no2：0\r\no3：0\r\no4：0\r\no5：0\r\no6：0\r\no7：0\r\n"
                                     u"o8：0\r\no9：0\r\no10：0\r\no11：0\r\no12：0\r\no13：0\r\no14：0\r\no15：0\r\n";
    EXPECT_EQ(buffers.Report(), expected + kFailedOutputsNote);
    EXPECT_EQ(buffers.Verdict(), u"caught");
    EXPECT_TRUE(buffers.GuardsIntact());
}

TEST(ToolComputation, AnInputPastTheSixteenthIsNotNamed) {
    Buffers buffers;
    double inputs[kMaxInputs];
    for (double& value : inputs) value = 1.0;
    inputs[kMaxInputs - 1] = 2.0;
    EXPECT_EQ(buffers.Run(testing::kSeventeenInputTool, inputs), 1);
    EXPECT_EQ(buffers.Report(), std::u16string(u"last：2\r\npast：0\r\n") + kFailedOutputsNote);
    EXPECT_EQ(buffers.Verdict(), u"caught");
}

}  // namespace
}  // namespace tarn
