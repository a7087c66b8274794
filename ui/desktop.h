// Start-up of the desktop window, defined by the linked front end.
#pragma once

#include <cstdint>

#include "engine/descriptor.h"

namespace tarn::ui {

// Runs the main window until it is closed: 0, or 1 when it cannot be created.
int32_t RunDesktopWindow(void* instance, const ToolDescriptor& tool);

}  // namespace tarn::ui
