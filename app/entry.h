// The program's one decision: headless self-test or desktop window.
#pragma once

#include <cstdint>

namespace tarn::app {

int32_t RunProgram(void* instance, const char16_t* commandLine);

}  // namespace tarn::app
