// The message loop and its keys: Enter presses the focused button or
// computes, F5 computes, Tab and Shift+Tab move the focus, Ctrl+A selects
// an edit's text; a mouse press hides the focus rectangle.
#include <windows.h>

#include "ui/commands.h"
#include "ui/keyboard.h"
#include "ui/win32/main_window.h"

namespace tarn::win32 {
namespace {

bool IsInMainWindow(HWND target) {
    HWND window = Window().window;
    return target == window || IsChild(window, target) != FALSE;
}

bool IsKeyDown(const MSG& message, WPARAM key) {
    return message.message == WM_KEYDOWN && message.wParam == key;
}

bool IsHeld(int key) { return GetKeyState(key) < 0; }

// Enter or F5 aimed at a control, not at the main window itself.
bool IsControlKey(const MSG& message, WPARAM key) {
    return IsKeyDown(message, key) && IsChild(Window().window, message.hwnd) != FALSE;
}

// Ctrl+Tab and Alt+Tab are no moves within the window.
bool IsTabKey(const MSG& message) {
    return IsKeyDown(message, VK_TAB) && !IsHeld(VK_CONTROL) && !IsHeld(VK_MENU) &&
           IsInMainWindow(message.hwnd);
}

// An input edit or the result box.
bool IsEditOfWindow(HWND target) {
    const MainWindow& window = Window();
    if (target && target == window.resultBox) return true;
    for (HWND edit : window.inputEdits) {
        if (edit && edit == target) return true;
    }
    return false;
}

// Ctrl+A, not AltGr+A (Ctrl and Alt): edits before Windows 10 1809 know no
// such key and only beep at the character it makes.
bool IsSelectAllKey(const MSG& message) {
    return IsKeyDown(message, 'A') && IsHeld(VK_CONTROL) && !IsHeld(VK_MENU) &&
           IsEditOfWindow(message.hwnd);
}

bool IsPointerPress(const MSG& message) {
    switch (message.message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: return IsInMainWindow(message.hwnd);
        default: return false;
    }
}

// A button that has the focus drops its rectangle at once.
void RepaintFocusedControl() {
    HWND focus = GetFocus();
    if (focus && IsChild(Window().window, focus)) InvalidateRect(focus, nullptr, FALSE);
}

}  // namespace

// The keys are consumed: no character message is made from them and the
// control never sees them.
void ProcessMessage(const MSG& message) {
    ui::WindowState& state = Window().state;
    if (IsControlKey(message, VK_RETURN)) {
        ui::EnterKey(state);
        return;
    }
    if (IsControlKey(message, VK_F5)) {
        ui::F5Key(state);
        return;
    }
    if (IsTabKey(message)) {
        ui::TabKey(state, !IsHeld(VK_SHIFT));
        return;
    }
    if (IsSelectAllKey(message)) {
        SendMessageW(message.hwnd, EM_SETSEL, 0, -1);
        return;
    }
    if (IsPointerPress(message) && ui::PointerPressed(state)) RepaintFocusedControl();
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int32_t RunMessageLoop() {
    MSG message;
    // GetMessageW gives -1 on an invalid call; that ends the loop too rather
    // than spinning on it.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) ProcessMessage(message);
    return 0;
}

}  // namespace tarn::win32
