// What the main window remembers between commands, and the window services
// it was started with.
#pragma once

#include <cstdint>

#include "engine/descriptor.h"
#include "ui/palette.h"
#include "ui/services.h"

namespace tarn::ui {

inline constexpr int32_t kResultCopyCapacity = 8192;
inline constexpr int32_t kLastResultCapacity = 1024;
inline constexpr int32_t kStatusLineCapacity = 256;

struct WindowState {
    const ToolDescriptor* tool = nullptr;
    const WindowServices* services = nullptr;
    void* servicesContext = nullptr;
    int32_t currentLevel = 0;
    char16_t resultCopy[kResultCopyCapacity] = {};  // empty: no result yet
    char16_t lastResultText[kLastResultCapacity] = {};  // clipboard body
    char16_t statusLine[kStatusLineCapacity] = {};
    double lastInputs[kMaxInputs] = {};
    // Whether the user has typed into input i since the program last put a
    // value there (at start-up, by reset): an input not entered still holds
    // a default nobody chose, and compute asks before using it.
    bool entered[kMaxInputs] = {};
    // Whether a focused button shows its focus rectangle: from the first
    // Tab until the next mouse press, as Windows shows its focus cues.
    bool focusCues = false;
    // The scale the window is drawn at (ui/scale.h); 1 on a 96-DPI screen.
    double scale = 1.0;
    // While a High Contrast theme is on, the system's colours the window is
    // drawn in, owned by the front end; null: the palette.
    const SystemColours* systemColours = nullptr;
};

// True once InitializeWindowState (ui/commands.h) gave the state a tool and
// services; the commands do nothing before.
inline bool IsStarted(const WindowState& state) { return state.tool && state.services; }

// A result is on show (and copy and save have something to hand over).
inline bool HasResult(const WindowState& state) { return state.resultCopy[0] != 0; }

// The commands' calls into the window services of a state.
inline void ReadControlText(const WindowState& state, int32_t slot, char16_t* buffer,
                            int32_t capacity) {
    state.services->readControlText(state.servicesContext, slot, buffer, capacity);
}
inline void SetControlText(const WindowState& state, int32_t slot, const char16_t* text) {
    state.services->setControlText(state.servicesContext, slot, text);
}
inline void FocusControl(const WindowState& state, int32_t slot) {
    state.services->focusControl(state.servicesContext, slot);
}
inline void FocusMainWindow(const WindowState& state) {
    state.services->focusMainWindow(state.servicesContext);
}
inline int32_t FocusedSlot(const WindowState& state) {
    return state.services->focusedSlot(state.servicesContext);
}
inline void ShowMessage(const WindowState& state, const char16_t* text, const char16_t* caption,
                        MessageIcon icon) {
    state.services->showMessage(state.servicesContext, text, caption, icon);
}
inline bool AskYesNo(const WindowState& state, const char16_t* text, const char16_t* caption) {
    return state.services->askYesNo(state.servicesContext, text, caption);
}
inline void RepaintMainWindow(const WindowState& state) {
    state.services->repaintMainWindow(state.servicesContext);
}
inline void RepaintVerdictLine(const WindowState& state) {
    state.services->repaintVerdictLine(state.servicesContext);
}
inline bool PutClipboardText(const WindowState& state, const char16_t* text) {
    return state.services->putClipboardText(state.servicesContext, text);
}
inline bool LocalAppDataFolder(const WindowState& state, char16_t* buffer, int32_t capacity) {
    return state.services->localAppDataFolder(state.servicesContext, buffer, capacity);
}
inline platform::LocalDateTime LocalTime(const WindowState& state) {
    return state.services->localTime(state.servicesContext);
}

}  // namespace tarn::ui
