// The window services of ui/services.h over the Win32 controls.
#include "ui/services.h"

#include <windows.h>

#include "engine/format.h"
#include "engine/text.h"
#include "ui/win32/gdi.h"
#include "ui/win32/main_window.h"

namespace tarn::ui {
namespace {

HWND ControlOfSlot(int32_t slot) {
    const win32::MainWindow& window = win32::Window();
    if (slot >= 0 && slot < kMaxInputs) return window.inputEdits[slot];
    switch (slot) {
        case kResultBoxSlot: return window.resultBox;
        case kVerdictLineSlot: return window.verdictLine;
        case kNoteTextSlot: return window.noteText;
        default: return nullptr;
    }
}

}  // namespace

void ReadControlText(int32_t slot, char16_t* buffer, int32_t capacity) {
    if (capacity <= 0) return;
    buffer[0] = 0;
    HWND control = ControlOfSlot(slot);
    if (control) GetWindowTextW(control, win32::Wide(buffer), capacity);
}

void SetControlText(int32_t slot, const char16_t* text) {
    HWND control = ControlOfSlot(slot);
    if (control) SetWindowTextW(control, win32::Wide(TextOrEmpty(text)));
}

void FocusControl(int32_t slot) {
    HWND control = ControlOfSlot(slot);
    if (control) SetFocus(control);
}

void FocusMainWindow() { SetFocus(win32::Window().window); }

void ShowMessage(const char16_t* text, const char16_t* caption, MessageIcon icon) {
    const UINT iconStyle = icon == MessageIcon::Warning ? MB_ICONWARNING : MB_ICONINFORMATION;
    MessageBoxW(win32::Window().window, win32::Wide(TextOrEmpty(text)),
                win32::Wide(TextOrEmpty(caption)), MB_OK | iconStyle);
}

void RepaintMainWindow() { InvalidateRect(win32::Window().window, nullptr, FALSE); }

void RepaintVerdictLine() { InvalidateRect(win32::Window().verdictLine, nullptr, TRUE); }

// The clipboard owns the block once SetClipboardData accepts it; until then
// every failure gives it back.
bool PutClipboardText(const char16_t* text) {
    if (!OpenClipboard(win32::Window().window)) return false;
    EmptyClipboard();
    const int32_t length = TextLength(text);
    const SIZE_T bytes = static_cast<SIZE_T>(length) * sizeof(char16_t) + 32;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) {
        CloseClipboard();
        return false;
    }
    auto* target = static_cast<char16_t*>(GlobalLock(block));
    if (!target) {
        GlobalFree(block);
        CloseClipboard();
        return false;
    }
    CopyBounded(target, static_cast<int32_t>(bytes / sizeof(char16_t)), text);
    GlobalUnlock(block);
    const bool handedOver = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    if (!handedOver) GlobalFree(block);
    CloseClipboard();
    return handedOver;
}

}  // namespace tarn::ui
