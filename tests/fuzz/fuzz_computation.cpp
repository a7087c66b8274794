// ToolComputation and GenerateReport with arbitrary kinds, inputs and
// capacities, within the documented minimums (report at least 13; verdict at
// least 21 where a report kind writes it, 13 for a formula tool's default).
//
// Input: mode byte (bit 0: GenerateReport instead of ToolComputation; bits
// 1-2: the descriptor: this tool, the report-inputs one, one scripted from
// the input, the wide one), kind (1 byte, or 4 raw), three capacities, the
// input values, a shape word, then the scripted formulas and conditions.
//
// Checked besides memory errors: every text is terminated within its
// capacity; the level is 0..3 and is the one returned; the copy is the report
// cut to the copy's capacity; a small report is the start of the report
// written with room, with the same verdict and level; a formula tool always
// has a verdict. For this tool with finite inputs of ordinary size the whole
// report, verdict and level are also worked out here, from the doses and
// thresholds of hyperkalaemia treatment.
#include <cmath>
#include <cstdio>
#include <string>

#include "computation/computation.h"
#include "reports/reports.h"
#include "tests/support/descriptors.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr int32_t kRoomy = 8192;  // the longest report (a rota of 40 for 31 days) has 6390
constexpr int32_t kRoomyVerdict = 512;

struct Outcome {
    std::u16string report, verdict, copy;
    int32_t level;
};

Outcome RunComputation(const tarn::ToolDescriptor& tool, const double* inputs, int32_t reportCapacity,
                       int32_t verdictCapacity, int32_t copyCapacity) {
    fuzz::WideBuffer report(reportCapacity), verdict(verdictCapacity), copy(copyCapacity);
    int32_t level = 0x5A5A;
    const int32_t returned = tarn::ToolComputation(tool, inputs, report.data(), reportCapacity, verdict.data(),
                                                   verdictCapacity, &level, copy.data(), copyCapacity);
    fuzz::Require(returned == level, "ToolComputation returns the level it stores");
    fuzz::Require(level >= 0 && level <= 3, "level is 0..3");
    Outcome outcome{report.Text("report terminated within capacity-1"),
                    verdict.Text("verdict terminated within capacity-1"),
                    copy.Text("copy terminated within capacity-1"), level};
    fuzz::Require(outcome.copy == fuzz::CutTo(outcome.report, copyCapacity), "the copy is the report, cut");
    if (tool.kind == tarn::kFormulaTool) fuzz::Require(!outcome.verdict.empty(), "a formula tool has a verdict");
    return outcome;
}

Outcome RunReport(int32_t kind, const tarn::ToolDescriptor& tool, const double* inputs, int32_t reportCapacity,
                  int32_t verdictCapacity) {
    fuzz::WideBuffer report(reportCapacity), verdict(verdictCapacity);
    const int32_t level = tarn::GenerateReport(kind, tool, inputs, report.data(), reportCapacity, verdict.data(),
                                               verdictCapacity);
    fuzz::Require(level >= 0 && level <= 3, "GenerateReport level is 0..3");
    Outcome outcome{report.Text("report terminated within capacity-1"),
                    verdict.Text("verdict terminated within capacity-1"), u"", level};
    fuzz::Require(!outcome.verdict.empty() && outcome.verdict.size() <= 20, "a report kind's verdict is whole");
    if (kind < 1 || kind > 11) {
        fuzz::Require(outcome.report == u"（该工具暂无自定义报告）" && outcome.verdict == u"暂无报告内容" && level == 0,
                      "a kind without a report gives the fixed text");
    }
    return outcome;
}

// Small buffers cut the texts and change nothing else.
void CompareWithRoomy(int32_t kind, const Outcome& small, const Outcome& roomy, int32_t reportCapacity,
                      int32_t verdictCapacity) {
    // Follow-up dates read the clock; the two calls may straddle midnight.
    if (kind != 7)
        fuzz::Require(small.report == fuzz::CutTo(roomy.report, reportCapacity), "a cut report is the start of the whole");
    fuzz::Require(small.verdict == fuzz::CutTo(roomy.verdict, verdictCapacity), "a cut verdict is the start of the whole");
    fuzz::Require(small.level == roomy.level, "the level does not depend on the capacities");
}

std::u16string DoseText(double value) {
    if (!std::isfinite(value)) return u"--";
    char narrow[128];
    std::snprintf(narrow, sizeof narrow, "%.1f", value);
    return fuzz::Widen(narrow);
}

// This tool worked out by hand: the doses by weight from a potassium of
// 5.5 (glucose as 50% from 40 kg, as 10% below), the grade by potassium.
// min(a, b) is a when a < b, else b, as the expression language has it.
void CheckAgainstTreatment(const double* inputs, const Outcome& outcome) {
    const double w = inputs[0];
    const double k = inputs[1];
    if (!(std::fabs(w) < 1e60) && std::isfinite(w)) return;  // value text longer than its scratch
    const double half = 0.5 * w;
    const double insulin = 0.1 * w;
    const double glucose = half < 50 ? half : 50;
    const double doses[5] = {half < 20 ? half : 20, insulin < 10 ? insulin : 10, glucose,
                             glucose / 0.5, glucose / 0.1};
    const bool raised = k >= 5.5;
    const bool shown[5] = {raised, raised, raised, raised && w >= 40, raised && w < 40};
    const char16_t* const lines[5][2] = {{u"10% 葡萄糖酸钙：", u" ml\r\n"}, {u"胰岛素：", u" U\r\n"},
                                         {u"葡萄糖：", u" g\r\n"}, {u"50% 葡萄糖：", u" ml\r\n"},
                                         {u"10% 葡萄糖：", u" ml\r\n"}};
    std::u16string report;
    bool failed = false;
    for (int32_t i = 0; i < 5; ++i) {
        if (!shown[i]) continue;
        report += lines[i][0] + DoseText(doses[i]) + lines[i][1];
        failed = failed || !std::isfinite(doses[i]);
    }
    if (report.empty()) report = u"血钾 <5.5 mmol/L：不计算降钾急救用药\r\n";
    if (failed) report += u"（部分结果无法计算，请检查输入是否合理）\r\n";
    int32_t level = 0;
    std::u16string verdict = u"血钾未升高，无需降钾急救用药";
    if (k >= 6.5) {
        level = 3;
        verdict = u"重度高钾，立即处理并持续心电监护";
    } else if (k >= 6) {
        level = 2;
        verdict = u"中度高钾：立即做心电图，有改变按重度处理";
    } else if (k >= 5.5) {
        level = 1;
        verdict = u"轻度高钾：做心电图，停用升钾药物，复查血钾";
    } else if (k < 3.5) {
        level = 2;
        verdict = u"血钾偏低，不宜使用胰岛素，请复核血钾";
    }
    fuzz::Require(outcome.report == report, "this tool's report equals the worked-out doses");
    fuzz::Require(outcome.verdict == verdict && outcome.level == level, "this tool's grade follows the potassium");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ByteReader reader(data, size);
    const uint8_t mode = reader.Byte();
    const uint8_t kindByte = reader.Byte();
    int32_t kind = static_cast<int32_t>(kindByte % 16) - 2;  // -2..13
    if (kindByte >= 0xF0) kind = static_cast<int32_t>(reader.U32());
    const bool generate = (mode & 1) != 0;
    const int32_t reportCapacity = 13 + static_cast<int32_t>(reader.U16() % 9000);
    const int32_t verdictMinimum = generate || kind != tarn::kFormulaTool ? 21 : 13;
    const int32_t verdictCapacity = verdictMinimum + static_cast<int32_t>(reader.Byte() % 40);
    const int32_t copyCapacity = 1 + static_cast<int32_t>(reader.U16() % 9000);

    double inputs[tarn::kMaxInputs];
    for (double& input : inputs) input = fuzz::InterestingDouble(reader);
    const uint32_t shape = reader.U32();

    tarn::testing::ScriptedTool scripted;
    const tarn::ToolDescriptor* tool = &tarn::CurrentTool();
    switch ((mode >> 1) & 3) {
        case 1: tool = &tarn::testing::ReportInputsTool(); break;
        case 2:
            tarn::testing::BuildScriptedTool(scripted, shape,
                                    std::string(reinterpret_cast<const char*>(reader.Rest()), reader.Remaining()));
            tool = &scripted.tool;
            break;
        case 3: tool = &tarn::testing::WideTool(); break;
        default: break;
    }
    tarn::ToolDescriptor withKind = *tool;
    withKind.kind = kind;

    if (generate) {
        const Outcome small = RunReport(kind, withKind, inputs, reportCapacity, verdictCapacity);
        const Outcome roomy = RunReport(kind, withKind, inputs, kRoomy, kRoomyVerdict);
        CompareWithRoomy(kind, small, roomy, reportCapacity, verdictCapacity);
        return 0;
    }

    const Outcome small = RunComputation(withKind, inputs, reportCapacity, verdictCapacity, copyCapacity);
    const Outcome roomy = RunComputation(withKind, inputs, kRoomy, kRoomyVerdict, kRoomy);
    CompareWithRoomy(kind, small, roomy, reportCapacity, verdictCapacity);
    if (tool == &tarn::CurrentTool() && kind == tarn::kFormulaTool) CheckAgainstTreatment(inputs, roomy);
    return 0;
}
