#include "tests/ui/win32/window_fixture.h"

#include "ui/win32/gdi.h"

namespace tarn::win32::testing {

std::wstring HelperPath(const char* path) {
    std::wstring wide = L"Z:";
    for (const char* c = path; *c; ++c) wide += *c == '/' ? L'\\' : wchar_t(*c);
    return wide;
}

std::wstring ProgramPath() { return HelperPath(ORDAVEL_EXE_PATH); }

std::wstring TextOf(HWND window) {
    wchar_t buffer[8192] = {};
    GetWindowTextW(window, buffer, 8192);
    return buffer;
}

std::wstring ClassOf(HWND window) {
    wchar_t buffer[64] = {};
    GetClassNameW(window, buffer, 64);
    return buffer;
}

RECT ClientRectInParent(HWND child) {
    RECT box;
    GetWindowRect(child, &box);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&box), 2);
    return box;
}

COLORREF VerdictTextColour() {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(Window().window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(Window().verdictLine));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
}

std::wstring StatusLine() { return Wide(Window().state.statusLine); }

MessageBoxWatcher* MessageBoxWatcher::current_ = nullptr;

MessageBoxWatcher::MessageBoxWatcher(WPARAM answerKey) : answerKey_(answerKey) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 40, &MessageBoxWatcher::OnTimer);
}

MessageBoxWatcher::~MessageBoxWatcher() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
}

void CALLBACK MessageBoxWatcher::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (current_) EnumThreadWindows(GetCurrentThreadId(), &MessageBoxWatcher::OnThreadWindow, 0);
}

BOOL CALLBACK MessageBoxWatcher::OnThreadWindow(HWND window, LPARAM) {
    if (ClassOf(window) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    // Closing is posted, so the same box may still be up at the next tick.
    if (window == current_->lastClosed_ && IsWindow(window)) return TRUE;
    SeenMessageBox box;
    box.caption = TextOf(window);
    wchar_t text[1400] = {};
    GetDlgItemTextW(window, 0xFFFF, text, 1400);  // the message box's text control
    box.text = text;
    box.owner = GetWindow(window, GW_OWNER);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == L"Button" || ClassOf(child) == L"BUTTON") {
            box.buttons.push_back(TextOf(child));
            if ((GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                box.defaultButton = GetDlgCtrlID(child);
            }
        }
        if (ClassOf(child) == L"Static" || ClassOf(child) == L"STATIC") {
            if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                box.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            }
        }
    }
    current_->boxes_.push_back(box);
    current_->lastClosed_ = window;
    const WPARAM key = current_->answerKey_;
    HWND focus = GetFocus();
    if (key != 0 && focus && (focus == window || IsChild(window, focus))) {
        const UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
        PostMessageW(focus, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
        PostMessageW(focus, WM_KEYUP, key, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
    } else {
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}

void MainWindowTest::SetUp() {
    ASSERT_NE(CreateMainWindow(GetModuleHandleW(nullptr), CurrentTool()), nullptr);
    Pump();
    seen_.clear();
}

void MainWindowTest::TearDown() {
    if (IsWindow(Window().window)) DestroyWindow(Window().window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }  // also takes the quit message that WM_DESTROY posted
}

void MainWindowTest::Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        seen_.push_back(message);
        ProcessMessage(message);
    }
}

void MainWindowTest::PostKey(HWND target, WPARAM key) {
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
    Pump();
}

void MainWindowTest::SetInput(int32_t row, const wchar_t* text) {
    ui::SetControlText(Window().state, row, reinterpret_cast<const char16_t*>(text));
}

void MainWindowTest::Type(const wchar_t* text) {
    for (; *text != 0; ++text) PostMessageW(GetFocus(), WM_CHAR, *text, 1);
    Pump();
}

void MainWindowTest::TypeInto(int32_t row, const wchar_t* text) {
    HWND edit = Window().inputEdits[row];
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    if (*text != 0) {
        Type(text);
        return;
    }
    PostMessageW(edit, WM_CHAR, VK_BACK, 1);
    Pump();
}

void MainWindowTest::Click(int32_t buttonId) {
    SendMessageW(button(buttonId), BM_CLICK, 0, 0);
    Pump();
}

void MainWindowTest::ComputeWith(const wchar_t* weight, const wchar_t* potassium) {
    TypeInto(0, weight);
    TypeInto(1, potassium);
    PostKey(Window().inputEdits[0], VK_F5);
}

void MainWindowTest::Reopen() {
    DestroyWindow(main());
    Pump();
    ASSERT_NE(CreateMainWindow(GetModuleHandleW(nullptr), CurrentTool()), nullptr);
    Pump();
}

bool MainWindowTest::SawMessage(UINT message) const {
    for (const MSG& one : seen_) {
        if (one.message == message) return true;
    }
    return false;
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

bool WholeTextSelected(HWND edit) {
    const std::pair<DWORD, DWORD> selection = Selection(edit);
    return selection.first == 0 && selection.second == TextOf(edit).size() &&
           selection.second > 0;
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return L"<clipboard not opened>";
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data) {
        const auto* chars = static_cast<const wchar_t*>(GlobalLock(data));
        if (chars) text = chars;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

}  // namespace tarn::win32::testing
