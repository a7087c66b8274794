// The save command: appends the last result to the tool's record log.
#pragma once

#include "ui/window_state.h"

namespace tarn::ui {

void SaveCommand(WindowState& state);

}  // namespace tarn::ui
