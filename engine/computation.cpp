// The engine's compute operation. A formula tool evaluates every output,
// writes one report line per output and takes the verdict of the first rule
// that holds; any other kind is handed to its built-in report generator.
#include "engine/computation.h"

#include "engine/expression.h"
#include "engine/format.h"
#include "engine/text.h"
#include "reports/reports.h"

namespace tarn {
namespace {

constexpr int32_t kReportLineCapacity = 256;

void ClearText(char16_t* buffer, int32_t capacity) {
    if (buffer != nullptr && capacity > 0) buffer[0] = 0;
}

// Rules the descriptor really has: a missing array counts as none.
int32_t RuleCount(const ToolDescriptor& tool) {
    return tool.rules == nullptr || tool.ruleCount <= 0 ? 0 : tool.ruleCount;
}

// One report line: "label：value unit" or, without a unit, "label：value".
void AppendOutputLine(const OutputField& output, double value, char16_t* report,
                      int32_t reportCapacity) {
    char16_t valueText[kValueTextCapacity];
    FormatValue(output.formatCode, value, valueText, kValueTextCapacity);
    char16_t line[kReportLineCapacity];
    if (output.unit != nullptr && output.unit[0] != 0) {
        FormatBounded(line, kReportLineCapacity, u"%ls：%ls %ls\r\n", output.label, valueText,
                      output.unit);
    } else {
        FormatBounded(line, kReportLineCapacity, u"%ls：%ls\r\n", output.label, valueText);
    }
    AppendBounded(report, reportCapacity, line);
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
    ClearText(copy, copyCapacity);
    ClearText(verdict, verdictCapacity);
    ClearText(report, reportCapacity);
    int32_t chosenLevel = kLevelNormal;
    if (level != nullptr) *level = chosenLevel;

    if (tool.kind != kFormulaTool) {
        // The generator's report and verdict are final, an empty verdict too.
        chosenLevel = GenerateReport(tool.kind, tool, inputs, report, reportCapacity, verdict,
                                     verdictCapacity);
        if (level != nullptr) *level = chosenLevel;
        CopyBounded(copy, copyCapacity, report);
        return chosenLevel;
    }

    // Every output is evaluated before any text is written: output i sees the
    // values of outputs 0..i-1 and 0.0 for itself and all later ones.
    double values[kMaxOutputs] = {};
    bool anyFailure = false;
    const int32_t outputCount = ClampedOutputCount(tool);
    for (int32_t i = 0; i < outputCount; ++i) {
        int32_t error = 0;
        values[i] = EvaluateExpression(tool, tool.outputs[i].expression, inputs, values, &error);
        if (error != 0) anyFailure = true;
    }

    // A failed output keeps its line, showing the value the evaluator returned.
    for (int32_t i = 0; i < outputCount; ++i) {
        AppendOutputLine(tool.outputs[i], values[i], report, reportCapacity);
    }
    if (anyFailure) AppendBounded(report, reportCapacity, kFailedOutputsNote);

    const int32_t ruleCount = RuleCount(tool);
    for (int32_t i = 0; i < ruleCount; ++i) {
        const VerdictRule& rule = tool.rules[i];
        if (RuleHolds(tool, rule, inputs, values)) {
            CopyBounded(verdict, verdictCapacity, rule.verdict);
            chosenLevel = rule.level;
            break;
        }
    }
    // No rule held, or the chosen one has no text: never leave the verdict
    // blank. The level stays the chosen rule's (0 when none held).
    if (verdict != nullptr && verdictCapacity > 0 && verdict[0] == 0) {
        CopyBounded(verdict, verdictCapacity, kDefaultVerdict);
    }

    CopyBounded(copy, copyCapacity, report);
    if (level != nullptr) *level = chosenLevel;
    return chosenLevel;
}

}  // namespace tarn
