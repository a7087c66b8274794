// The constant description of one tool of the suite: identity, inputs,
// outputs with their formulas and formats, verdict rules, report kind.
#pragma once

#include <cstdint>
#include <limits>

namespace tarn {

inline constexpr int32_t kMaxInputs = 16;
inline constexpr int32_t kMaxOutputs = 16;
inline constexpr int32_t kMaxIdentifierLength = 63;

// Severity carried by verdict rules: 0 normal .. 3 most severe.
inline constexpr int32_t kLevelNormal = 0;

// Report kind 0: outputs and rules are computed; 1..11 select a built-in report.
inline constexpr int32_t kFormulaTool = 0;

struct InputField {
    const char* identifier;
    const char16_t* label;
    const char16_t* unit;  // may be null or empty
    double defaultValue;
    // The range a value usually lies in, both ends inclusive; NaN: no limit
    // on that side. Only the window asks about a value outside it.
    double plausibleLow = std::numeric_limits<double>::quiet_NaN();
    double plausibleHigh = std::numeric_limits<double>::quiet_NaN();
};

struct OutputField {
    const char* identifier;
    const char16_t* label;
    const char16_t* unit;  // may be null or empty
    const char* expression;
    const char* formatCode;
    // The output is shown (in the report, the copy, the record and the
    // self-test) while this holds; null or empty: always. It is evaluated
    // like a rule's condition, after every output's expression; one that
    // cannot be evaluated counts as the output failing, and it is shown.
    const char* condition = nullptr;
};

struct VerdictRule {
    const char* condition;  // empty: catch-all
    int32_t level;
    const char16_t* verdict;
};

struct ToolDescriptor {
    int32_t id;
    const char16_t* title;
    const char16_t* subtitle;  // may be null
    const char16_t* category;
    const char16_t* reference;
    const char16_t* note;  // may be null
    int32_t inputCount;
    const InputField* inputs;
    int32_t outputCount;
    const OutputField* outputs;
    int32_t ruleCount;
    const VerdictRule* rules;
    int32_t kind;
    // A formula tool's report when none of its outputs is shown, one line;
    // null: the report is then empty.
    const char16_t* nothingShownLine = nullptr;
};

// How many inputs and outputs of a descriptor are used: its counts cut to
// 0..16. Everything that walks the fields walks these counts, so that a
// descriptor with more never reaches past a caller's 16 values.
constexpr int32_t ClampedInputCount(const ToolDescriptor& tool) {
    if (tool.inputCount < 0 || !tool.inputs) return 0;
    return tool.inputCount < kMaxInputs ? tool.inputCount : kMaxInputs;
}
constexpr int32_t ClampedOutputCount(const ToolDescriptor& tool) {
    if (tool.outputCount < 0 || !tool.outputs) return 0;
    return tool.outputCount < kMaxOutputs ? tool.outputCount : kMaxOutputs;
}

// The one tool this program is; defined with its clinical content in tool/.
const ToolDescriptor& CurrentTool();

// Absent optional texts read as the empty text.
inline const char16_t* TextOrEmpty(const char16_t* text) { return text ? text : u""; }

}  // namespace tarn
