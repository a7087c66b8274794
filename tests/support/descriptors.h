// Descriptors the tests and fuzz targets run besides this tool's own: one
// without names, one at the limits of the data model (16 inputs, 16 outputs,
// long names, names of 63 and of 64 characters), one declaring every input
// the built-in report kinds read, and one whose formulas and conditions come
// from the fuzz input.
#pragma once

#include <cstdint>
#include <string>

#include "engine/descriptor.h"

namespace tarn::testing {

// 63 characters: the longest identifier the evaluator can read.
extern const char kName63[];
// kName63 and one more character: never found, because only 63 are read.
extern const char kName64[];

// A tool without inputs or outputs: every name is unknown to it.
const ToolDescriptor& NoVariablesTool();
const ToolDescriptor& WideTool();
const ToolDescriptor& ReportInputsTool();

// A formula tool built from fuzz data: the expressions and conditions point
// into `texts`, which must outlive the descriptor.
struct ScriptedTool {
    static constexpr int32_t kTexts = 16 + 8;
    std::string texts[kTexts];
    OutputField outputs[kMaxOutputs];
    VerdictRule rules[8];
    ToolDescriptor tool;
};

// Splits `script` at NUL bytes into up to 16 expressions and 8 conditions;
// `shape` picks how many of each there are, the rule levels (0..3), which
// outputs are shown by a condition, and whether the tool has a line for
// nothing shown.
void BuildScriptedTool(ScriptedTool& scripted, uint32_t shape, const std::string& script);

}  // namespace tarn::testing
