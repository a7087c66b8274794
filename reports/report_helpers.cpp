// The helpers every report kind shares: reading inputs by identifier, whole
// numbers and clamps, selector rows and fixed lines.
#include <cstring>

#include "engine/format.h"
#include "reports/generators.h"
#include "reports/reports.h"

namespace tarn {

int32_t WholeNumber(double value) {
    // Both bounds are exact doubles; everything strictly between them
    // truncates into the 32-bit range. NaN fails both comparisons.
    if (value > -2147483649.0 && value < 2147483648.0) return static_cast<int32_t>(value);
    return kNotAWholeNumber;
}

int32_t WholeInput(const ToolDescriptor& tool, const double* inputs, const char* identifier) {
    return WholeNumber(InputByIdentifier(tool, inputs, identifier));
}

int32_t Clamp(int32_t value, int32_t lowest, int32_t highest) {
    if (value < lowest) return lowest;
    if (value > highest) return highest;
    return value;
}

void AppendFixedLine(TextBuilder& report, const char16_t* text) {
    AppendFormattedLine(report, u"%ls", text);
}

void AppendEmptyLine(TextBuilder& report) { AppendFormattedLine(report, u""); }

int32_t SelectorRow(int32_t selector, int32_t rowCount) {
    if (selector >= 1 && selector < rowCount) return selector - 1;
    return rowCount - 1;
}

double InputByIdentifier(const ToolDescriptor& tool, const double* inputs, const char* identifier) {
    if (!identifier || !inputs) return 0.0;
    const int32_t inputCount = ClampedInputCount(tool);
    for (int32_t i = 0; i < inputCount; ++i) {
        const char* name = tool.inputs[i].identifier;
        if (name && std::strcmp(name, identifier) == 0) return inputs[i];
    }
    return 0.0;
}

}  // namespace tarn
