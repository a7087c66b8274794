// The compute operation. A formula tool is evaluated by the engine: one
// report line per output and the verdict of the first rule that holds; any
// other kind is handed to its built-in report generator (reports/).
#include "computation/computation.h"

#include "engine/expression.h"
#include "engine/format.h"
#include "engine/text_builder.h"
#include "reports/reports.h"

namespace tarn {
namespace {

constexpr int32_t kReportLineCapacity = 256;

// Rules the descriptor really has: a missing array counts as none.
int32_t RuleCount(const ToolDescriptor& tool) {
    return tool.rules == nullptr || tool.ruleCount <= 0 ? 0 : tool.ruleCount;
}

// One report line of at most 255 characters: "label：value unit" or,
// without a unit, "label：value".
void AppendOutputLine(TextBuilder& report, const OutputField& output, double value) {
    char16_t valueText[kValueTextCapacity];
    FormatValue(output.formatCode, value, valueText, kValueTextCapacity);
    if (output.unit != nullptr && output.unit[0] != 0) {
        AppendFormattedPart(report, kReportLineCapacity, u"%ls：%ls %ls\r\n", output.label,
                            valueText, output.unit);
    } else {
        AppendFormattedPart(report, kReportLineCapacity, u"%ls：%ls\r\n", output.label, valueText);
    }
}

// The empty condition is the catch-all; any other holds when it evaluates
// without error to a value other than 0. A missing condition cannot be
// evaluated and is passed over like a failing one.
bool RuleHolds(const ToolDescriptor& tool, const VerdictRule& rule, const double* inputs,
               const double* values) {
    if (rule.condition != nullptr && rule.condition[0] == 0) return true;
    int32_t error = 0;
    const double value = EvaluateExpression(tool, rule.condition, inputs, values, &error);
    return error == 0 && value != 0.0;
}

}  // namespace

int32_t ToolComputation(const ToolDescriptor& tool, const double* inputs,
                        char16_t* report, int32_t reportCapacity,
                        char16_t* verdict, int32_t verdictCapacity, int32_t* level,
                        char16_t* copy, int32_t copyCapacity) {
    TextBuilder copyText = StartText(copy, copyCapacity);
    TextBuilder verdictText = StartText(verdict, verdictCapacity);
    TextBuilder reportText = StartText(report, reportCapacity);
    int32_t chosenLevel = kLevelNormal;
    if (level != nullptr) *level = chosenLevel;

    if (tool.kind != kFormulaTool) {
        // The generator's report and verdict are final, an empty verdict too.
        chosenLevel = GenerateReport(tool.kind, tool, inputs, report, reportCapacity, verdict,
                                     verdictCapacity);
        if (level != nullptr) *level = chosenLevel;
        AppendText(copyText, reportText.buffer);
        return chosenLevel;
    }

    // Every output is evaluated before any text is written. A failed output
    // keeps its line, showing the value the evaluator returned; a hidden one
    // has no line and its failure is not told.
    OutputValues outputs;
    EvaluateOutputs(tool, inputs, outputs);
    const double* values = outputs.values;
    bool anyShown = false;
    bool anyFailure = false;
    for (int32_t i = 0; i < outputs.count; ++i) {
        if (!outputs.shown[i]) continue;
        anyShown = true;
        anyFailure = anyFailure || outputs.failed[i];
        AppendOutputLine(reportText, tool.outputs[i], values[i]);
    }
    if (!anyShown && tool.nothingShownLine != nullptr && tool.nothingShownLine[0] != 0) {
        AppendFormattedPart(reportText, kReportLineCapacity, u"%ls\r\n", tool.nothingShownLine);
    }
    if (anyFailure) AppendText(reportText, kFailedOutputsNote);

    const int32_t ruleCount = RuleCount(tool);
    for (int32_t i = 0; i < ruleCount; ++i) {
        const VerdictRule& rule = tool.rules[i];
        if (RuleHolds(tool, rule, inputs, values)) {
            AppendText(verdictText, rule.verdict);
            chosenLevel = rule.level;
            break;
        }
    }
    // No rule held, or the chosen one has no text: never leave the verdict
    // blank. The level stays the chosen rule's (0 when none held).
    if (verdictText.length == 0) AppendText(verdictText, kDefaultVerdict);

    AppendText(copyText, reportText.buffer);
    if (level != nullptr) *level = chosenLevel;
    return chosenLevel;
}

}  // namespace tarn
