// The window services the commands use: a table of functions that each front
// end (Win32, FLTK) fills over its own window record, and tests over a fake.
// The table and its context travel in the WindowState; the commands call
// them through the wrappers of ui/window_state.h.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace tarn::ui {

// Controls the commands read, write and focus. Input edit i is slot i
// (0..15); the five buttons follow the three texts, in the order compute,
// save, copy, reset, about.
inline constexpr int32_t kResultBoxSlot = 16;
inline constexpr int32_t kVerdictLineSlot = 17;
inline constexpr int32_t kNoteTextSlot = 18;
inline constexpr int32_t kFirstButtonSlot = 19;
inline constexpr int32_t kButtonCount = 5;
// Where the focus is when no control of the window has it: the main window
// itself (as after a computation), or somewhere else altogether.
inline constexpr int32_t kMainWindowSlot = kFirstButtonSlot + kButtonCount;
inline constexpr int32_t kNoSlot = -1;

enum class MessageIcon { Information, Warning };

// Every function gets the context the table was installed with.
struct WindowServices {
    // At most capacity - 1 units and a terminator, as GetWindowTextW.
    void (*readControlText)(void* context, int32_t slot, char16_t* buffer, int32_t capacity);
    void (*setControlText)(void* context, int32_t slot, const char16_t* text);
    // An input edit gets the focus with its whole text selected, so that
    // typing replaces it.
    void (*focusControl)(void* context, int32_t slot);
    void (*focusMainWindow)(void* context);
    // The slot of the control that has the keyboard focus, kMainWindowSlot
    // for the main window itself, kNoSlot for anything else.
    int32_t (*focusedSlot)(void* context);
    // Modal, owned by the main window.
    void (*showMessage)(void* context, const char16_t* text, const char16_t* caption,
                        MessageIcon icon);
    // A modal question with a warning icon, owned by the main window: true
    // for Yes. No is the default, taken by Enter; the keys Y and N answer.
    bool (*askYesNo)(void* context, const char16_t* text, const char16_t* caption);
    // Repaint without erasing (status line changes).
    void (*repaintMainWindow)(void* context);
    // Repaint with erasing, in the colour of the current level.
    void (*repaintVerdictLine)(void* context);
    // Puts `text` on the clipboard as Unicode text; false when it could not.
    bool (*putClipboardText)(void* context, const char16_t* text);
    // The per-user local application-data folder; false when there is none.
    bool (*localAppDataFolder)(void* context, char16_t* buffer, int32_t capacity);
    platform::LocalDateTime (*localTime)(void* context);
};

// The platform's folder and clock as table entries: every front end's
// table uses these; a test's fake gives fixed ones.
inline bool PlatformAppDataFolder(void*, char16_t* buffer, int32_t capacity) {
    return platform::LocalAppDataFolder(buffer, capacity);
}
inline platform::LocalDateTime PlatformLocalTime(void*) { return platform::LocalTime(); }

}  // namespace tarn::ui
