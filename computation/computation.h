// The compute operation: a tool's inputs to its report, verdict and level.
#pragma once

#include <cstdint>

#include "engine/descriptor.h"

namespace tarn {

inline constexpr char16_t kDefaultVerdict[] = u"请核对输入参数后重新计算";
inline constexpr char16_t kFailedOutputsNote[] = u"（部分结果无法计算，请检查输入是否合理）\r\n";

// A formula tool's outputs for some inputs, as its report shows them: output
// i's value (0.0 past the count), whether it is shown and whether it failed.
// The expressions are evaluated in order, each seeing the values before it
// and 0.0 for itself and those after; then each condition, seeing them all.
// A condition that cannot be evaluated fails its output, which is shown.
struct OutputValues {
    int32_t count;
    double values[kMaxOutputs];
    bool shown[kMaxOutputs];
    bool failed[kMaxOutputs];
};
void EvaluateOutputs(const ToolDescriptor& tool, const double* inputs, OutputValues& outputs);

int32_t ToolComputation(const ToolDescriptor& tool, const double* inputs,
                        char16_t* report, int32_t reportCapacity,
                        char16_t* verdict, int32_t verdictCapacity, int32_t* level,
                        char16_t* copy, int32_t copyCapacity);

}  // namespace tarn
