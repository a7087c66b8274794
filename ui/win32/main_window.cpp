// Start-up, the child controls and the window procedure of the main window.
#include "ui/win32/main_window.h"

#include <windows.h>

#include "engine/text.h"
#include "ui/commands.h"
#include "ui/control_tree.h"
#include "ui/paint.h"
#include "ui/scale.h"
#include "ui/win32/desktop.h"
#include "ui/win32/dpi.h"
#include "ui/win32/gdi.h"

namespace tarn::win32 {

// The layout table carries the Win32 style values as numbers.
static_assert(ui::kMainWindowStyle == (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
static_assert(ui::kClientEdge == WS_EX_CLIENTEDGE);
static_assert(ui::kInputLabelStyle == (WS_CHILD | WS_VISIBLE | SS_RIGHT | SS_NOPREFIX));
static_assert(ui::kInputEditStyle == (WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL));
static_assert(ui::kStaticStyle == (WS_CHILD | WS_VISIBLE | SS_NOPREFIX));
static_assert(ui::kResultBoxStyle == (WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_READONLY |
                                      ES_AUTOVSCROLL | ES_MULTILINE));
static_assert(ui::kButtonStyle == (WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW));

namespace {

MainWindow gWindow;

constexpr int32_t kIconResource = 1;
constexpr int32_t kControlTextCapacity = 512;
// The status line draws itself through the shared painter (DrawStatusLine),
// pixel for pixel as the client area paints it; its text is its name.
constexpr DWORD kStatusLineStyle = WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOPREFIX;

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

// What a screen reader needs beyond a control's text: an input's unit as
// its description (its name is the label created just before it), the
// verdict as a live region (it also names the result box created after it).
void Annotate(const ui::ControlLayout& layout, HWND control, const ToolDescriptor& tool) {
    const AccessibleProperties& properties = *gWindow.accessibleProperties;
    if (layout.role == ui::ControlRole::Verdict) properties.markLiveRegion(control);
    if (layout.role != ui::ControlRole::InputEdit || layout.input < 0 ||
        layout.input >= ClampedInputCount(tool)) {
        return;
    }
    const char16_t* unit = tool.inputs[layout.input].unit;
    if (unit && unit[0] != 0) properties.setDescription(control, Wide(unit));
}

// After the control tree, so that nothing comes between the verdict and
// the result box in the Z-order.
HWND CreateStatusLine() {
    const ui::Box box = ui::ScaledBox(ui::kStatusBox, gWindow.state.scale);
    HWND status = CreateWindowExW(0, L"STATIC", Wide(gWindow.state.statusLine), kStatusLineStyle,
                                  box.x, box.y, box.width, box.height, gWindow.window, nullptr,
                                  gWindow.instance, nullptr);
    if (status) gWindow.accessibleProperties->markLiveRegion(status);
    return status;
}

LRESULT OnCreate(HWND window) {
    gWindow.window = window;
    const ToolDescriptor& tool = *gWindow.state.tool;
    ui::ControlLayout tree[ui::kMaxControls];
    const int32_t count = ui::BuildControlTree(tool, gWindow.state.scale, tree, ui::kMaxControls);
    for (int32_t i = 0; i < count; ++i) {
        HWND control = CreateControl(tree[i], tool);
        gWindow.controls[i] = control;
        if (HWND* kept = SlotHandle(gWindow, tree[i].slot)) *kept = control;
        Annotate(tree[i], control, tool);
    }
    gWindow.controlCount = count;
    gWindow.statusLine = CreateStatusLine();
    return 0;
}

// The children still exist: what was annotated on them is dropped.
LRESULT OnDestroy() {
    for (int32_t i = 0; i < gWindow.controlCount; ++i) {
        gWindow.accessibleProperties->clear(gWindow.controls[i]);
    }
    if (gWindow.statusLine) gWindow.accessibleProperties->clear(gWindow.statusLine);
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

// Pinned to the outer size of the client area at the window's scale. A
// larger tracking size (such as 1036 x 780) would make CreateWindowExW grow
// the window and leave a strip of bare background below the footer.
LRESULT OnGetMinMaxInfo(MINMAXINFO& info) {
    info.ptMinTrackSize = {gWindow.outerSize.cx, gWindow.outerSize.cy};
    info.ptMaxTrackSize = {gWindow.outerSize.cx, gWindow.outerSize.cy};
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
    if (item.CtlType == ODT_STATIC) {
        DrawStatusLine(item);
    } else {
        DrawButton(item);
    }
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
        if (!gWindow.settingText) ui::InputEdited(gWindow.state, id - ui::kFirstInputEditId);
        return 0;
    }
    if (ui::RunCommandForId(gWindow.state, id)) return 0;
    return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

// A solid brush of a role's colour in the window's colours, in place of the
// one it had.
void ReplaceBrush(HBRUSH& brush, ui::ColourRole role) {
    HBRUSH made = CreateSolidBrush(ToColorRef(ui::ColourOf(role, gWindow.state.systemColours)));
    if (brush) DeleteObject(brush);
    brush = made;
}

// The palette, or the system's colours while a High Contrast theme is on;
// read at start-up and again whenever the system's colours or settings change.
void TakeColourScheme() {
    const bool highContrast =
        ReadHighContrastColours(*gWindow.systemParameters, gWindow.systemColours);
    gWindow.state.systemColours = highContrast ? &gWindow.systemColours : nullptr;
    ReplaceBrush(gWindow.panelBrush, ui::ColourRole::ControlBackground);
    ReplaceBrush(gWindow.footerBrush, ui::kFooterRegion.role);
}

// A theme switched on or off, or its colours changed: everything is
// repainted in the colours now in force.
LRESULT OnColoursChanged(HWND window) {
    TakeColourScheme();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
}

// The window's fonts at its scale, in place of those it had (the caller
// deletes those once no control uses them).
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

// Every control at its box and font of the control tree at the window's
// scale, and the status line at its box.
void LayOutControls() {
    ui::ControlLayout tree[ui::kMaxControls];
    const int32_t count =
        ui::BuildControlTree(*gWindow.state.tool, gWindow.state.scale, tree, ui::kMaxControls);
    for (int32_t i = 0; i < count && i < gWindow.controlCount; ++i) {
        const ui::Box& box = tree[i].box;
        SetWindowPos(gWindow.controls[i], nullptr, box.x, box.y, box.width, box.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (tree[i].kind != ui::ControlKind::Button) {
            SendMessageW(gWindow.controls[i], WM_SETFONT,
                         reinterpret_cast<WPARAM>(Font(tree[i].font)), TRUE);
        }
    }
    const ui::Box status = ui::ScaledBox(ui::kStatusBox, gWindow.state.scale);
    SetWindowPos(gWindow.statusLine, nullptr, status.x, status.y, status.width, status.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The program's icon at `size` pixels square. LoadImageW takes the nearest
// of the seven sizes in ordavel.ico (16 to 256) and scales it only when
// none matches, as for the 40 pixels of 120 DPI. (LoadIconWithScaleDown
// would always scale down, but it lives in version 6 of comctl32, which
// only the manifest brings; LoadImageW needs no new import.) Not shared:
// the window has icons of several sizes over its life, and destroys them.
HICON LoadProgramIcon(int32_t size) {
    return static_cast<HICON>(LoadImageW(gWindow.instance, MAKEINTRESOURCEW(kIconResource),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// Once per process; the class's icons are those of the DPI the first
// window opens at.
void RegisterWindowClass() {
    WNDCLASSEXW registered = {};
    registered.cbSize = sizeof(registered);
    if (GetClassInfoExW(gWindow.instance, kWindowClassName, &registered)) return;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = gWindow.instance;
    windowClass.hIcon = LoadProgramIcon(LargeIconSize(gWindow.dpi));
    windowClass.hIconSm = LoadProgramIcon(SmallIconSize(gWindow.dpi));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = gWindow.backgroundBrush;
    windowClass.lpszClassName = kWindowClassName;
    RegisterClassExW(&windowClass);
}

// The window's own icons at the sizes of its DPI, in place of those it had.
void SetIcons(HWND window) {
    HICON largeIcon = LoadProgramIcon(LargeIconSize(gWindow.dpi));
    HICON smallIcon = LoadProgramIcon(SmallIconSize(gWindow.dpi));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    if (gWindow.largeIcon) DestroyIcon(gWindow.largeIcon);
    if (gWindow.smallIcon) DestroyIcon(gWindow.smallIcon);
    gWindow.largeIcon = largeIcon;
    gWindow.smallIcon = smallIcon;
}

// The display's scale at `dpi`, shrunk to fit `area` with the frame the
// system draws at that DPI (ui::FittedScale: never below 0.7), and the
// window's outer size at that scale.
void FitTo(int32_t dpi, const RECT& area) {
    const ui::Size frame = FrameAt(dpi);
    const ui::Size areaSize = {area.right - area.left, area.bottom - area.top};
    const double scale = ui::FittedScale(ui::DisplayScale(dpi), areaSize, frame);
    const ui::Size client = ui::ClientSize(scale);
    gWindow.dpi = dpi;
    gWindow.state.scale = scale;
    gWindow.outerSize = {client.width + frame.width, client.height + frame.height};
}

// Along one axis: `wanted`, moved as little as keeps a window of `size`
// inside a work area that starts at `start` and spans `extent` pixels; a
// window larger than the area starts at its start (as ui::CentredOrigin).
int32_t OriginWithin(int32_t wanted, int32_t start, int32_t extent, int32_t size) {
    if (size >= extent || wanted < start) return start;
    if (wanted + size > start + extent) return start + extent - size;
    return wanted;
}

// Fonts at the window's new scale for every control, which moves to its
// box at that scale; the old fonts are deleted once no control uses them.
void RescaleControls() {
    HFONT oldFonts[ui::kFontCount];
    for (int32_t i = 0; i < ui::kFontCount; ++i) oldFonts[i] = gWindow.fonts[i];
    CreateFonts();
    LayOutControls();
    for (HFONT font : oldFonts) DeleteObject(font);
}

// The window at its outer size, at `wanted`'s top-left moved into the work
// area, repainted whole.
void PlaceWithin(HWND window, const RECT& wanted, const RECT& area) {
    const SIZE size = gWindow.outerSize;
    const int32_t x = OriginWithin(wanted.left, area.left, area.right - area.left, size.cx);
    const int32_t y = OriginWithin(wanted.top, area.top, area.bottom - area.top, size.cy);
    SetWindowPos(window, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The window moved to a monitor of another DPI, or its monitor's DPI was
// changed: it takes that DPI's scale fitted to that monitor's work area,
// and the place Windows suggests, moved into the work area where it sticks out.
LRESULT OnDpiChanged(HWND window, int32_t dpi, const RECT& suggested) {
    const RECT area = WorkAreaOf(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST));
    FitTo(dpi, area);
    RescaleControls();
    SetIcons(window);
    PlaceWithin(window, suggested, area);
    return 0;
}

}  // namespace

MainWindow& Window() { return gWindow; }

HWND* SlotHandle(MainWindow& window, int32_t slot) {
    if (slot >= 0 && slot < kMaxInputs) return &window.inputEdits[slot];
    if (ui::IsButtonSlot(slot)) return &window.buttons[slot - ui::kFirstButtonSlot];
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

HWND CreateMainWindow(HINSTANCE instance, const ToolDescriptor& tool,
                      const SystemParameters& parameters, const AccessibleProperties& properties) {
    gWindow = MainWindow{};
    gWindow.instance = instance;
    gWindow.systemParameters = &parameters;
    gWindow.accessibleProperties = &properties;
    ui::InitializeWindowState(gWindow.state, tool, kWindowServices, &gWindow);
    // On the primary monitor, at its DPI, fitted to its work area.
    HMONITOR monitor = PrimaryMonitor();
    const RECT area = WorkAreaOf(monitor);
    FitTo(MonitorDpi(monitor), area);

    CreateFonts();
    TakeColourScheme();
    gWindow.backgroundBrush = CreateSolidBrush(ToColorRef(ui::kWindowBackground));
    RegisterWindowClass();

    // Centred in the work area.
    const SIZE size = gWindow.outerSize;
    const int32_t x = ui::CentredOrigin(area.left, area.right - area.left, size.cx);
    const int32_t y = ui::CentredOrigin(area.top, area.bottom - area.top, size.cy);
    HWND window = CreateWindowExW(0, kWindowClassName, Wide(TextOrEmpty(tool.title)),
                                  ui::kMainWindowStyle, x, y, size.cx, size.cy, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return nullptr;
    gWindow.window = window;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    // The first input, its text selected: typing replaces the default.
    ui::FocusControl(gWindow.state, 0);
    return window;
}

void ShowStatusLine() {
    if (gWindow.statusLine) SetLiveRegionText(gWindow.statusLine, Wide(gWindow.state.statusLine));
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
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE: return OnColoursChanged(window);
        case WM_DPICHANGED:
            return OnDpiChanged(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

// COM on the window's thread, for the accessibility annotations; without
// it the window still works and is merely not annotated.
int32_t RunDesktopWindow(void* instance, const ToolDescriptor& tool) {
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    int32_t result = 1;
    if (CreateMainWindow(static_cast<HINSTANCE>(instance), tool)) result = RunMessageLoop();
    ReleaseAccessibleProperties();
    if (com) CoUninitialize();
    return result;
}

}  // namespace tarn::win32
