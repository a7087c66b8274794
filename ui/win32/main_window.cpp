// Start-up, the child controls and the window procedure of the main window.
#include "ui/win32/main_window.h"

#include <windows.h>

#include "engine/text.h"
#include "ui/commands.h"
#include "ui/control_tree.h"
#include "ui/desktop.h"
#include "ui/paint.h"
#include "ui/win32/gdi.h"

namespace tarn::win32 {

// The layout table carries the Win32 style values as numbers.
static_assert(ui::kMainWindowStyle == (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
static_assert(ui::kClientEdge == WS_EX_CLIENTEDGE);
static_assert(ui::kInputLabelStyle == (WS_CHILD | WS_VISIBLE | SS_RIGHT));
static_assert(ui::kInputEditStyle == (WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL));
static_assert(ui::kStaticStyle == (WS_CHILD | WS_VISIBLE));
static_assert(ui::kResultBoxStyle ==
              (WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_READONLY | ES_AUTOVSCROLL | ES_MULTILINE));
static_assert(ui::kButtonStyle == (WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW));

namespace {

MainWindow gWindow;

constexpr int32_t kIconResource = 1;
constexpr int32_t kControlTextCapacity = 512;

const wchar_t* ClassNameOf(ui::ControlKind kind) {
    switch (kind) {
        case ui::ControlKind::Edit:
        case ui::ControlKind::Report: return L"EDIT";
        case ui::ControlKind::Button: return L"BUTTON";
        case ui::ControlKind::Static: break;
    }
    return L"STATIC";
}

// One child from the control tree, with the text it starts with and its
// role kept in its user data for the colour hook. Owner-drawn buttons paint
// their own caption and get no font. The text is the program's, not an edit.
HWND CreateControl(const ui::ControlLayout& layout, const ToolDescriptor& tool) {
    char16_t text[kControlTextCapacity];
    ui::InitialControlText(layout, tool, text, kControlTextCapacity);
    gWindow.settingText = true;
    HWND control = CreateWindowExW(layout.exStyle, ClassNameOf(layout.kind), Wide(text), layout.style,
                                   layout.box.x, layout.box.y, layout.box.width, layout.box.height,
                                   gWindow.window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
                                   gWindow.instance, nullptr);
    gWindow.settingText = false;
    SetWindowLongPtrW(control, GWLP_USERDATA, RoleTag(layout.role));
    if (layout.kind != ui::ControlKind::Button) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font(layout.font)), TRUE);
    }
    return control;
}

LRESULT OnCreate(HWND window) {
    gWindow.window = window;
    const ToolDescriptor& tool = *gWindow.state.tool;
    ui::ControlLayout tree[ui::kMaxControls];
    const int32_t count = ui::BuildControlTree(tool, gWindow.state.scale, tree, ui::kMaxControls);
    for (int32_t i = 0; i < count; ++i) {
        HWND control = CreateControl(tree[i], tool);
        if (HWND* kept = SlotHandle(gWindow, tree[i].slot)) *kept = control;
    }
    return 0;
}

LRESULT OnDestroy() {
    PostQuitMessage(0);
    return 0;
}

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    PaintContent(dc, client);
    EndPaint(window, &paint);
    return 0;
}

// Pinned to the frame of the fixed client area. A larger tracking size
// (such as 1036 x 780) would make CreateWindowExW grow the window and leave
// a strip of bare background below the footer.
LRESULT OnGetMinMaxInfo(MINMAXINFO& info) {
    info.ptMinTrackSize = {gWindow.frame.cx, gWindow.frame.cy};
    info.ptMaxTrackSize = {gWindow.frame.cx, gWindow.frame.cy};
    return 0;
}

// The window or the control of it that has the focus, when one has it.
void RememberFocus(HWND window) {
    HWND focus = GetFocus();
    if (focus && (focus == window || IsChild(window, focus))) gWindow.lastFocus = focus;
}

// Deactivated, the window remembers where its focus was; activated again it
// puts the focus back there (DefWindowProc would give it to the window).
// Minimised, it leaves the focus alone until it is restored.
LRESULT OnActivate(HWND window, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        RememberFocus(window);
        return 0;
    }
    const bool minimised = HIWORD(wParam) != 0;
    if (!minimised && gWindow.lastFocus && IsWindow(gWindow.lastFocus)) {
        SetFocus(gWindow.lastFocus);
        return 0;
    }
    return DefWindowProcW(window, WM_ACTIVATE, wParam, lParam);
}

// Minimised while no other window takes the activation, the window is not
// deactivated: the focus is remembered here for the restore.
LRESULT OnSize(HWND window, WPARAM wParam) {
    if (wParam == SIZE_MINIMIZED) RememberFocus(window);
    return 0;
}

// Minimising takes the focus from the window itself, to no window, before
// WM_SIZE: the window is remembered as the place of the focus.
LRESULT OnKillFocus(HWND window, HWND next) {
    if (!next) gWindow.lastFocus = window;
    return 0;
}

LRESULT OnDrawItem(const DRAWITEMSTRUCT& item) {
    DrawButton(item);
    return 1;
}

LRESULT BrushResult(HBRUSH brush) { return reinterpret_cast<LRESULT>(brush); }

bool IsInputEditId(int32_t id) {
    return id >= ui::kFirstInputEditId &&
           id < ui::kFirstInputEditId + ClampedInputCount(*gWindow.state.tool);
}

// An input edit's change is looked at first: the user's edit drops a result
// on show. Otherwise only the id is looked at: a button click and an edit's
// notification with the same id would be alike, and the edits' ids are
// outside 1001..1005.
LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const auto id = static_cast<int32_t>(LOWORD(wParam));
    if (HIWORD(wParam) == EN_CHANGE && IsInputEditId(id)) {
        if (!gWindow.settingText) ui::InputEdited(gWindow.state);
        return 0;
    }
    if (ui::RunCommandForId(gWindow.state, id)) return 0;
    return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

void CreateFonts() {
    for (int32_t i = 0; i < ui::kFontCount; ++i) {
        const ui::FontStyle& font = ui::kFonts[i];
        const int32_t height = ui::FontHeight(i + 1, gWindow.state.scale);
        gWindow.fonts[i] = CreateFontW(-height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE,
                                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                       CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                       Wide(font.face));
    }
}

void RegisterWindowClass() {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = gWindow.instance;
    windowClass.hIcon = LoadIconW(gWindow.instance, MAKEINTRESOURCEW(kIconResource));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = gWindow.backgroundBrush;
    windowClass.lpszClassName = kWindowClassName;
    RegisterClassExW(&windowClass);  // a second registration in one process fails harmlessly
}

}  // namespace

MainWindow& Window() { return gWindow; }

HWND* SlotHandle(MainWindow& window, int32_t slot) {
    if (slot >= 0 && slot < kMaxInputs) return &window.inputEdits[slot];
    if (slot >= ui::kFirstButtonSlot && slot < ui::kFirstButtonSlot + ui::kButtonCount) {
        return &window.buttons[slot - ui::kFirstButtonSlot];
    }
    switch (slot) {
        case ui::kResultBoxSlot: return &window.resultBox;
        case ui::kVerdictLineSlot: return &window.verdictLine;
        case ui::kNoteTextSlot: return &window.noteText;
        default: return nullptr;
    }
}

LONG_PTR RoleTag(ui::ControlRole role) { return static_cast<LONG_PTR>(role) + 1; }

ui::ControlRole RoleOf(HWND control) {
    const LONG_PTR tag = GetWindowLongPtrW(control, GWLP_USERDATA);
    // A control of no role of ours (none has) would read as a label.
    return tag > 0 ? static_cast<ui::ControlRole>(tag - 1) : ui::ControlRole::InputLabel;
}

HFONT Font(int32_t number) {
    if (number < 1 || number > ui::kFontCount) return nullptr;
    return gWindow.fonts[number - 1];
}

HWND CreateMainWindow(HINSTANCE instance, const ToolDescriptor& tool) {
    gWindow = MainWindow{};
    gWindow.instance = instance;
    ui::InitializeWindowState(gWindow.state, tool, kWindowServices, &gWindow);

    CreateFonts();
    gWindow.whiteBrush = CreateSolidBrush(ToColorRef(ui::kControlBackground));
    gWindow.backgroundBrush = CreateSolidBrush(ToColorRef(ui::kWindowBackground));
    RegisterWindowClass();

    RECT frame = {0, 0, ui::kClientWidth, ui::kClientHeight};
    AdjustWindowRect(&frame, ui::kMainWindowStyle, FALSE);
    const int32_t width = frame.right - frame.left;
    const int32_t height = frame.bottom - frame.top;
    gWindow.frame = {width, height};
    // Centred in the primary screen less its taskbar.
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int32_t x = ui::CentredOrigin(area.left, area.right - area.left, width);
    const int32_t y = ui::CentredOrigin(area.top, area.bottom - area.top, height);

    HWND window = CreateWindowExW(0, kWindowClassName, Wide(TextOrEmpty(tool.title)),
                                  ui::kMainWindowStyle, x, y, width, height, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return nullptr;
    gWindow.window = window;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    // The first input, its text selected: typing replaces the default.
    ui::FocusControl(gWindow.state, 0);
    return window;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return OnCreate(window);
        case WM_DESTROY: return OnDestroy();
        case WM_PAINT: return OnPaint(window);
        case WM_ERASEBKGND: return 1;  // the paint covers the whole client area
        case WM_ACTIVATE: return OnActivate(window, wParam, lParam);
        case WM_SIZE: return OnSize(window, wParam);
        case WM_KILLFOCUS: return OnKillFocus(window, reinterpret_cast<HWND>(wParam));
        case WM_GETMINMAXINFO: return OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_CTLCOLOREDIT: return BrushResult(EditColours(reinterpret_cast<HDC>(wParam)));
        case WM_CTLCOLORSTATIC:
            return BrushResult(
                StaticColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        case WM_COMMAND: return OnCommand(window, wParam, lParam);
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace tarn::win32

namespace tarn::ui {

int32_t RunDesktopWindow(void* instance, const ToolDescriptor& tool) {
    if (!win32::CreateMainWindow(static_cast<HINSTANCE>(instance), tool)) return 1;
    return win32::RunMessageLoop();
}

}  // namespace tarn::ui
