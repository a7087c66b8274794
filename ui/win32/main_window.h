// The Win32 main window: its module-level state and the pieces that the
// start-up routine strings together. Tests use them to build the real window
// without running the message loop.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/descriptor.h"
#include "ui/control_tree.h"
#include "ui/layout.h"
#include "ui/scale.h"
#include "ui/window_state.h"
#include "ui/win32/accessibility.h"
#include "ui/win32/system_parameters.h"

namespace tarn::win32 {

inline constexpr wchar_t kWindowClassName[] = L"TarnMedToolWnd";

// Everything the window keeps for the life of the process.
struct MainWindow {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    HWND inputEdits[kMaxInputs] = {};
    HWND resultBox = nullptr;
    HWND verdictLine = nullptr;
    HWND noteText = nullptr;
    HWND buttons[ui::kButtonCount] = {};  // compute, save, copy, reset, about
    // The status line: a static of the footer that draws itself as the
    // painted status does, so that a screen reader can read it. Not in
    // the control tree (the other front end paints it).
    HWND statusLine = nullptr;
    // Every control in creation order, which is the control tree's order:
    // a change of DPI moves control i to the tree's box i at the new scale.
    HWND controls[ui::kMaxControls] = {};
    int32_t controlCount = 0;
    HFONT fonts[ui::kFontCount] = {};  // font n is fonts[n - 1], at state.scale
    // The grounds of the controls (the panels) and of the status line, in
    // the window's colours; the class's background brush, in the palette's.
    HBRUSH panelBrush = nullptr;
    HBRUSH footerBrush = nullptr;
    HBRUSH backgroundBrush = nullptr;
    // Where the window learns of a High Contrast theme, and that theme's
    // colours while it is on (state.systemColours then points here).
    const SystemParameters* systemParameters = &kSystemParameters;
    ui::SystemColours systemColours = {};
    const AccessibleProperties* accessibleProperties = &kAccessibleProperties;
    // The DPI of the monitor the window is on; state.scale is its scale,
    // shrunk to fit that monitor's work area.
    int32_t dpi = ui::kDesignDpi;
    // The outer size: the client area at state.scale in the frame the
    // system draws at `dpi`. WM_GETMINMAXINFO pins the window to it.
    SIZE outerSize = {};
    // The window's own icons, set once its DPI changed; null until then
    // (the class's icons, at the start-up DPI, are shown).
    HICON largeIcon = nullptr;
    HICON smallIcon = nullptr;
    // The window or the control that had the focus when the window was last
    // deactivated or minimised; it gets the focus back on activation.
    HWND lastFocus = nullptr;
    // Set while the program itself sets a control's text: the EN_CHANGE
    // that SetWindowTextW sends then is no edit.
    bool settingText = false;
    ui::WindowState state;
};

MainWindow& Window();
// Where the window keeps the handle of a service slot's control; null for a
// slot it keeps none of.
HWND* SlotHandle(MainWindow& window, int32_t slot);
// A control's role, kept in its user data (0 is no role: 1 + the role).
LONG_PTR RoleTag(ui::ControlRole role);
ui::ControlRole RoleOf(HWND control);
// The window services over a MainWindow (services.cpp), its context.
extern const ui::WindowServices kWindowServices;
HFONT Font(int32_t number);  // 1..8

// Start-up steps 1 to 7: the scale for the primary monitor's DPI fitted to
// its work area, state, colours, fonts, brushes, class, the window shown
// centred in that work area and the focus on the first input edit. Null
// when the window cannot be created. Tests pass settings and annotations
// of their own.
HWND CreateMainWindow(HINSTANCE instance, const ToolDescriptor& tool,
                      const SystemParameters& parameters = kSystemParameters,
                      const AccessibleProperties& properties = kAccessibleProperties);

// The status line control shows the state's status line; a change is
// announced to assistive technology.
void ShowStatusLine();

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// One message of the loop: Enter or F5 aimed at a control of the main window
// presses the focused button or computes and goes no further, as Tab and
// Shift+Tab aimed at the window or a control of it move the focus and
// Ctrl+A in an edit selects its text; the rest is translated and dispatched.
void ProcessMessage(const MSG& message);
int32_t RunMessageLoop();

// Painting (paint.cpp), called by the window procedure.
void PaintContent(HDC dc, const RECT& client);
void DrawButton(const DRAWITEMSTRUCT& item);
void DrawStatusLine(const DRAWITEMSTRUCT& item);
HBRUSH EditColours(HDC dc);
HBRUSH StaticColours(HDC dc, HWND control);

}  // namespace tarn::win32
