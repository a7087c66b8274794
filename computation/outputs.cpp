// A formula tool's outputs: every expression, then every condition that
// says whether its output is shown.
#include "computation/computation.h"

#include "engine/expression.h"

namespace tarn {
namespace {

// A missing or empty condition always holds.
bool IsShown(const ToolDescriptor& tool, const OutputField& output, const double* inputs,
             const double* values, bool* failed) {
    if (output.condition == nullptr || output.condition[0] == 0) return true;
    int32_t error = 0;
    const double value = EvaluateExpression(tool, output.condition, inputs, values, &error);
    if (error != 0) {
        *failed = true;
        return true;
    }
    return value != 0.0;
}

}  // namespace

void EvaluateOutputs(const ToolDescriptor& tool, const double* inputs, OutputValues& outputs) {
    outputs.count = ClampedOutputCount(tool);
    for (int32_t i = 0; i < kMaxOutputs; ++i) {
        outputs.values[i] = 0.0;
        outputs.shown[i] = false;
        outputs.failed[i] = false;
    }
    // Every expression before any condition: output i sees the values of
    // outputs 0..i-1 and 0.0 for itself and all later ones.
    for (int32_t i = 0; i < outputs.count; ++i) {
        int32_t error = 0;
        outputs.values[i] =
            EvaluateExpression(tool, tool.outputs[i].expression, inputs, outputs.values, &error);
        outputs.failed[i] = error != 0;
    }
    for (int32_t i = 0; i < outputs.count; ++i) {
        outputs.shown[i] =
            IsShown(tool, tool.outputs[i], inputs, outputs.values, &outputs.failed[i]);
    }
}

}  // namespace tarn
