// Opening the X display.
#include "ui/fltk/main_window.h"
#include "ui/fltk/xlib_safe.h"

namespace tarn::fltk {

bool OpenDisplay() {
    if (fl_display) return true;
    // FLTK ends the process when it cannot open the display; ask first.
    Display* probe = XOpenDisplay(nullptr);
    if (!probe) return false;
    XCloseDisplay(probe);
    fl_open_display();
    return fl_display != nullptr;
}

}  // namespace tarn::fltk
