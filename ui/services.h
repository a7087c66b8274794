// The window services the commands use. Each front end (Win32, FLTK) defines
// these functions over its own widgets; tests link a fake set instead.
#pragma once

#include <cstdint>

namespace tarn::ui {

// Controls the commands read and write. Input edit i is slot i (0..15).
inline constexpr int32_t kResultBoxSlot = 16;
inline constexpr int32_t kVerdictLineSlot = 17;
inline constexpr int32_t kNoteTextSlot = 18;

enum class MessageIcon { Information, Warning };

void ReadControlText(int32_t slot, char16_t* buffer, int32_t capacity);
void SetControlText(int32_t slot, const char16_t* text);
void FocusControl(int32_t slot);
void FocusMainWindow();
// Modal, owned by the main window.
void ShowMessage(const char16_t* text, const char16_t* caption, MessageIcon icon);
// Repaint without erasing (status line changes).
void RepaintMainWindow();
// Repaint with erasing, in the colour of the current level.
void RepaintVerdictLine();
// Puts `text` on the clipboard as Unicode text; false when it could not.
bool PutClipboardText(const char16_t* text);

}  // namespace tarn::ui
