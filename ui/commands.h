// The compute, copy, reset and about commands, written once over the window
// services the state was started with.
#pragma once

#include <cstdint>

#include "engine/descriptor.h"
#include "ui/window_state.h"

namespace tarn::ui {

// Start-up state: level 0, no result, the ready status, and the window
// services every command of this state calls with `servicesContext`.
void InitializeWindowState(WindowState& state, const ToolDescriptor& tool,
                           const WindowServices& services, void* servicesContext);

// Reads one input field. Blank or empty reads as 0; otherwise the text, less
// leading and trailing blanks, must be one finite number, read whole.
bool ParseInputField(const char16_t* text, double* value);

// Why a field's text cannot be used: it is no number, or it is negative
// where the field's usual range starts at 0 or above (a weight, a
// potassium; a field whose range admits negatives, or has no lower limit,
// takes them).
enum class FieldRefusal { None, NotANumber, Negative };
// Reads a field of `input` as compute does; on refusal `*value` is left as
// it was.
FieldRefusal ReadInputValue(const InputField& input, const char16_t* text, double* value);
// The message compute shows for a refused field (1-based `position`).
void FormatRefusal(FieldRefusal refusal, int32_t position, const char16_t* label,
                   char16_t* buffer, int32_t capacity);
// A value outside its field's usual range, which compute asks about.
bool OutsideUsualRange(const InputField& input, double value);
// The question asked about a value outside its field's usual range
// (`position` 1-based), as compute asks it.
void FormatUnusualValueQuestion(const InputField& input, int32_t position, double value,
                                char16_t* buffer, int32_t capacity);

void ComputeCommand(WindowState& state);
void CopyCommand(WindowState& state);
void ResetCommand(WindowState& state);
void AboutCommand(WindowState& state);

// The user changed the text of input field `input` (texts the program sets
// are not edits): the field counts as entered. A result on show no longer
// belongs to the fields: it is dropped, and copy and save prompt until the
// next computation.
void InputEdited(WindowState& state, int32_t input);

// Runs the command of a button id; false for any other id.
bool RunCommandForId(WindowState& state, int32_t id);

// The default value of an input as its edit text ("%.6g").
void FormatDefaultValue(double value, char16_t* buffer, int32_t capacity);

}  // namespace tarn::ui
