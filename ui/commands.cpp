// PLACEHOLDER: replaced by the commands.
#include "ui/commands.h"
namespace tarn::ui {
void InitializeWindowState(WindowState& state, const ToolDescriptor& tool) { state.tool = &tool; }
bool ParseInputField(const char16_t*, double* value) { *value = 0; return false; }
void ComputeCommand(WindowState&) {}
void CopyCommand(WindowState&) {}
void ResetCommand(WindowState&) {}
void AboutCommand(WindowState&) {}
bool RunCommandForId(WindowState&, int32_t) { return false; }
void FormatDefaultValue(double, char16_t* buffer, int32_t capacity) { if (capacity > 0) buffer[0] = 0; }
}  // namespace tarn::ui
