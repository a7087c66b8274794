// The program's one decision: headless self-test, text report or desktop
// window.
#pragma once

#include <cstdint>

#include "engine/descriptor.h"

namespace tarn::app {

// The front end's window: runs it until it is closed, 0, or 1 when it
// cannot be created.
using DesktopWindow = int32_t (*)(void* instance, const ToolDescriptor& tool);

// The self-test when the command line asks for it, else the text report
// when it asks for that, else `desktopWindow`.
int32_t RunProgram(void* instance, const char16_t* commandLine, DesktopWindow desktopWindow);

}  // namespace tarn::app
