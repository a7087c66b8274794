// What the main window remembers between commands.
#pragma once

#include <cstdint>

#include "engine/descriptor.h"

namespace tarn::ui {

inline constexpr int32_t kResultCopyCapacity = 8192;
inline constexpr int32_t kLastResultCapacity = 1024;
inline constexpr int32_t kStatusLineCapacity = 256;

struct WindowState {
    const ToolDescriptor* tool = nullptr;
    int32_t currentLevel = 0;
    char16_t resultCopy[kResultCopyCapacity] = {};  // empty: no result yet
    char16_t lastResultText[kLastResultCapacity] = {};  // clipboard body
    char16_t statusLine[kStatusLineCapacity] = {};
    double lastInputs[kMaxInputs] = {};
};

}  // namespace tarn::ui
