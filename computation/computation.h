// The compute operation: a tool's inputs to its report, verdict and level.
#pragma once

#include <cstdint>

#include "engine/descriptor.h"

namespace tarn {

inline constexpr char16_t kDefaultVerdict[] = u"请核对输入参数后重新计算";
inline constexpr char16_t kFailedOutputsNote[] = u"（部分结果无法计算，请检查输入是否合理）\r\n";

int32_t ToolComputation(const ToolDescriptor& tool, const double* inputs,
                        char16_t* report, int32_t reportCapacity,
                        char16_t* verdict, int32_t verdictCapacity, int32_t* level,
                        char16_t* copy, int32_t copyCapacity);

}  // namespace tarn
