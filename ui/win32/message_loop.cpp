// The message loop and its keyboard shortcut for the compute command.
#include <windows.h>

#include "ui/commands.h"
#include "ui/win32/main_window.h"

namespace tarn::win32 {
namespace {

bool IsComputeKey(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.wParam != VK_RETURN && message.wParam != VK_F5) return false;
    return IsChild(Window().window, message.hwnd) != FALSE;
}

}  // namespace

// The key is consumed: no character message is made from it and the
// control never sees it.
void ProcessMessage(const MSG& message) {
    if (IsComputeKey(message)) {
        ui::ComputeCommand(Window().state);
        return;
    }
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
