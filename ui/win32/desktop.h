// The desktop window of this front end, as the program's entry starts it.
#pragma once

#include <cstdint>

#include "engine/descriptor.h"

namespace tarn::win32 {

// Runs the main window until it is closed: 0, or 1 when it cannot be created.
int32_t RunDesktopWindow(void* instance, const ToolDescriptor& tool);

}  // namespace tarn::win32
