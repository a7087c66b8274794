// The expression language of output formulas and verdict conditions.
#pragma once

#include <cstdint>

#include "engine/descriptor.h"

namespace tarn {

// Deepest nesting the evaluator follows; deeper texts fail instead of
// exhausting the stack.
inline constexpr int32_t kMaxExpressionDepth = 256;

// Evaluates `text` over the tool's inputs and outputs. `*error` becomes 0 on
// success and 1 on failure; the value read so far is returned either way.
// Names are those of the first 16 inputs and outputs (the clamped counts of
// descriptor.h), the only ones with values: a name past them is unknown and
// fails like any unknown name.
double EvaluateExpression(const ToolDescriptor& tool, const char* text,
                          const double* inputs, const double* outputs, int32_t* error);

}  // namespace tarn
