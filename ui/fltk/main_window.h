// The FLTK main window: its process-wide state and the start-up pieces that
// RunDesktopWindow strings together. Tests build the real window with them
// and drive it without entering Fl::run.
#pragma once

#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>

#include <cstdint>

#include "engine/descriptor.h"
#include "ui/fltk/widgets.h"
#include "ui/window_state.h"

namespace tarn::fltk {

// Paints the client area itself, then the controls over it. Keys that reach
// the window do not move the focus (Tab is taken before any widget sees
// it), and on activation the focus returns where it was, the window itself
// included.
class MainWindow : public Fl_Double_Window {
public:
    MainWindow(int x, int y, int width, int height, const char* caption);
    int handle(int event) override;

protected:
    void draw() override;
};

// Everything the window keeps for the life of the process.
struct FrontEnd {
    MainWindow* window = nullptr;
    Fl_Input* inputEdits[kMaxInputs] = {};
    ResultDisplay* resultBox = nullptr;
    StaticText* verdictLine = nullptr;
    StaticText* noteText = nullptr;
    PaintedButton* buttons[ui::kButtonCount] = {};  // compute, save, copy, reset, about
    // Where the keyboard focus was last inside the window (the result display
    // after a computation); it goes back there when the window is activated.
    Fl_Widget* lastFocus = nullptr;
    ui::WindowState state;
};

FrontEnd& Front();
// The window services over a FrontEnd (services.cpp), its context.
extern const ui::WindowServices kWindowServices;

// Opens the display; false when there is none.
bool OpenDisplay();

// Start-up: state, fonts, the scale, the window with its controls shown,
// the focus on the first input edit and the Enter/F5 shortcut installed.
// Needs an open display.
MainWindow* CreateMainWindow(const ToolDescriptor& tool);
// Hides and deletes the window and removes the shortcut (tests start again).
void DestroyMainWindow();

// Seen by FLTK before any widget: while a control of the main window has
// the focus, Enter presses a focused button or computes from a field or the
// report, F5 computes, and neither goes further; Tab and Shift+Tab in the
// window move the focus; a mouse press hides the focus rectangle.
int DispatchEvent(int event, Fl_Window* window);

}  // namespace tarn::fltk
