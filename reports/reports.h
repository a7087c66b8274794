// The built-in report kinds a descriptor selects by its kind number.
#pragma once

#include <cstdint>

#include "engine/descriptor.h"

namespace tarn {

// Runs the generator of `kind` (1..11), or writes the fixed text of a tool
// without a custom report. Clears both buffers first; returns the level.
int32_t GenerateReport(int32_t kind, const ToolDescriptor& tool, const double* inputs,
                       char16_t* report, int32_t reportCapacity,
                       char16_t* verdict, int32_t verdictCapacity);

// The value of the first input named `identifier`, or 0.0 when none is.
double InputByIdentifier(const ToolDescriptor& tool, const double* inputs, const char* identifier);

}  // namespace tarn
