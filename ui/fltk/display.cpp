// Opening the X display.
#include <cstdlib>
#include <ctime>

#include "ui/fltk/main_window.h"
#include "ui/fltk/xlib_safe.h"

namespace tarn::fltk {
namespace {

// An X server that has just lost its last client resets and refuses
// connections for a moment; a few tries ride that out.
constexpr int kConnectTries = 10;
constexpr long kPauseNanoseconds = 100'000'000;

}  // namespace

bool OpenDisplay() {
    if (fl_display) return true;
    const char* name = std::getenv("DISPLAY");
    if (!name || name[0] == 0) return false;
    // FLTK ends the process when it cannot open the display, so ask first.
    // The probe stays connected until FLTK is, so that the server does not
    // reset in between.
    Display* probe = nullptr;
    for (int attempt = 0; attempt < kConnectTries && !probe; ++attempt) {
        if (attempt > 0) {
            const timespec pause = {0, kPauseNanoseconds};
            nanosleep(&pause, nullptr);
        }
        probe = XOpenDisplay(nullptr);
    }
    if (!probe) return false;
    fl_open_display();
    XCloseDisplay(probe);
    return fl_display != nullptr;
}

}  // namespace tarn::fltk
