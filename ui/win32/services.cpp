// The window services over the Win32 controls; the context is the
// MainWindow record.
#include <windows.h>

#include "engine/format.h"
#include "engine/text.h"
#include "ui/services.h"
#include "ui/win32/gdi.h"
#include "ui/win32/main_window.h"

namespace tarn::win32 {
namespace {

using ui::MessageIcon;

// A clipboard held by another program (a remote session's clipboard sync
// holds it briefly and often) is tried again: five tries over 200 ms.
constexpr int32_t kClipboardTries = 5;
constexpr DWORD kClipboardRetryMilliseconds = 50;

MainWindow& Of(void* context) { return *static_cast<MainWindow*>(context); }

HWND ControlOfSlot(MainWindow& window, int32_t slot) {
    HWND* kept = SlotHandle(window, slot);
    return kept ? *kept : nullptr;
}

void ReadControlText(void* context, int32_t slot, char16_t* buffer, int32_t capacity) {
    if (capacity <= 0) return;
    buffer[0] = 0;
    HWND control = ControlOfSlot(Of(context), slot);
    if (control) GetWindowTextW(control, Wide(buffer), capacity);
}

// The verdict is a live region: a change of it is announced.
void SetControlText(void* context, int32_t slot, const char16_t* text) {
    MainWindow& window = Of(context);
    HWND control = ControlOfSlot(window, slot);
    if (!control) return;
    const bool wasSetting = window.settingText;
    window.settingText = true;
    if (slot == ui::kVerdictLineSlot) {
        SetLiveRegionText(control, Wide(TextOrEmpty(text)));
    } else {
        SetWindowTextW(control, Wide(TextOrEmpty(text)));
    }
    window.settingText = wasSetting;
}

void FocusControl(void* context, int32_t slot) {
    HWND control = ControlOfSlot(Of(context), slot);
    if (!control) return;
    SetFocus(control);
    if (slot >= 0 && slot < kMaxInputs) SendMessageW(control, EM_SETSEL, 0, -1);
}

void FocusMainWindow(void* context) { SetFocus(Of(context).window); }

int32_t FocusedSlot(void* context) {
    MainWindow& window = Of(context);
    HWND focus = GetFocus();
    if (!focus) return ui::kNoSlot;
    if (focus == window.window) return ui::kMainWindowSlot;
    for (int32_t slot = 0; slot < ui::kFirstButtonSlot + ui::kButtonCount; ++slot) {
        if (focus == ControlOfSlot(window, slot)) return slot;
    }
    return ui::kNoSlot;
}

void ShowMessage(void* context, const char16_t* text, const char16_t* caption,
                 MessageIcon icon) {
    const UINT iconStyle = icon == MessageIcon::Warning ? MB_ICONWARNING : MB_ICONINFORMATION;
    MessageBoxW(Of(context).window, Wide(TextOrEmpty(text)), Wide(TextOrEmpty(caption)),
                MB_OK | iconStyle);
}

bool AskYesNo(void* context, const char16_t* text, const char16_t* caption) {
    return MessageBoxW(Of(context).window, Wide(TextOrEmpty(text)), Wide(TextOrEmpty(caption)),
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

// The status line may have changed with it.
void RepaintMainWindow(void* context) {
    InvalidateRect(Of(context).window, nullptr, FALSE);
    ShowStatusLine();
}

void RepaintVerdictLine(void* context) { InvalidateRect(Of(context).verdictLine, nullptr, TRUE); }

bool OpenClipboardPatiently(HWND owner) {
    for (int32_t attempt = 0; attempt < kClipboardTries; ++attempt) {
        if (attempt > 0) Sleep(kClipboardRetryMilliseconds);
        if (OpenClipboard(owner)) return true;
    }
    return false;
}

// The clipboard owns the block once SetClipboardData accepts it; until then
// every failure gives it back. The block is zero-filled, so nothing but
// terminators follows the text in its spare bytes.
bool PutClipboardText(void* context, const char16_t* text) {
    if (!OpenClipboardPatiently(Of(context).window)) return false;
    EmptyClipboard();
    const int32_t length = TextLength(text);
    const SIZE_T bytes = static_cast<SIZE_T>(length) * sizeof(char16_t) + 32;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
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

}  // namespace

const ui::WindowServices kWindowServices = {
    .readControlText = ReadControlText,
    .setControlText = SetControlText,
    .focusControl = FocusControl,
    .focusMainWindow = FocusMainWindow,
    .focusedSlot = FocusedSlot,
    .showMessage = ShowMessage,
    .askYesNo = AskYesNo,
    .repaintMainWindow = RepaintMainWindow,
    .repaintVerdictLine = RepaintVerdictLine,
    .putClipboardText = PutClipboardText,
    .localAppDataFolder = ui::PlatformAppDataFolder,
    .localTime = ui::PlatformLocalTime,
};

}  // namespace tarn::win32
