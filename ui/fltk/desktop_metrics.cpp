#include "ui/fltk/desktop_metrics.h"

#include <X11/Xatom.h>
#include <X11/Xresource.h>
#include <poll.h>

#include <charconv>
#include <chrono>
#include <cmath>

#include "platform/unicode.h"
#include "ui/fltk/xlib_safe.h"

namespace tarn::fltk {
namespace {

// Xlib's False, which xlib_safe.h takes away with its other macros.
constexpr int kXFalse = 0;
constexpr int kXSuccess = 0;

// A window manager answers within a few milliseconds; one that does not
// answer at all must not hold up the start for long.
constexpr auto kFrameAnswerWait = std::chrono::milliseconds(300);
constexpr int kPollMilliseconds = 20;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A DPI written as a decimal number ("144", "96.0"), blanks around it
// allowed; read without the locale.
int32_t DpiOfText(const char* text) {
    const char* begin = text;
    while (IsBlank(*begin)) ++begin;
    const char* end = begin + platform::NarrowLength(begin);
    while (end > begin && IsBlank(end[-1])) --end;
    double dpi = 0;
    const auto [stop, error] = std::from_chars(begin, end, dpi);
    if (error != std::errc() || stop != end || !(dpi > 0) || dpi > kLargestDpi) return 0;
    return static_cast<int32_t>(std::lround(dpi));
}

long EdgeOrNone(long edge) { return edge >= 0 && edge <= kLargestFrameEdge ? edge : 0; }

Atom AtomNamed(const char* name) { return XInternAtom(fl_display, name, kXFalse); }

Window RootOfScreen() { return RootWindow(fl_display, fl_screen); }

// While it lives, X errors are dropped rather than reported: a window named
// by a window manager that has since exited no longer exists.
class QuietXErrors {
public:
    QuietXErrors() : previous_(XSetErrorHandler(Ignore)) {}
    ~QuietXErrors() {
        XSync(fl_display, kXFalse);
        XSetErrorHandler(previous_);
    }
    QuietXErrors(const QuietXErrors&) = delete;
    QuietXErrors& operator=(const QuietXErrors&) = delete;

private:
    static int Ignore(Display*, XErrorEvent*) { return 0; }
    XErrorHandler previous_;
};

// The one window id a window's property of type WINDOW holds; 0 without one.
Window WindowProperty(Window window, const char* property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(fl_display, window, AtomNamed(property), 0, 1, kXFalse,
                                          XA_WINDOW, &type, &format, &count, &after, &data);
    Window value = 0;
    if (status == kXSuccess && data && type == XA_WINDOW && format == 32 && count == 1) {
        value = reinterpret_cast<const Window*>(data)[0];
    }
    if (data) XFree(data);
    return value;
}

// An EWMH window manager names a window of its own on the root, and the
// window names itself; the name left behind by one that exited fails that.
bool WindowManagerRunning() {
    QuietXErrors quiet;
    const Window check = WindowProperty(RootOfScreen(), "_NET_SUPPORTING_WM_CHECK");
    return check != 0 && WindowProperty(check, "_NET_SUPPORTING_WM_CHECK") == check;
}

void RequestFrameExtents(Window window) {
    XEvent request = {};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = AtomNamed("_NET_REQUEST_FRAME_EXTENTS");
    request.xclient.format = 32;
    XSendEvent(fl_display, RootOfScreen(), kXFalse,
               SubstructureRedirectMask | SubstructureNotifyMask, &request);
    XFlush(fl_display);
}

// True once `property` of `window` changed, within kFrameAnswerWait. Only
// the window's own events are taken from the queue.
bool PropertyChanged(Window window, Atom property) {
    const auto deadline = std::chrono::steady_clock::now() + kFrameAnswerWait;
    XEvent event;
    while (std::chrono::steady_clock::now() < deadline) {
        while (XCheckTypedWindowEvent(fl_display, window, PropertyNotify, &event)) {
            if (event.xproperty.atom == property) return true;
        }
        pollfd connection = {ConnectionNumber(fl_display), POLLIN, 0};
        poll(&connection, 1, kPollMilliseconds);
    }
    return false;
}

FrameExtents ReadFrameExtents(Window window, Atom property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(fl_display, window, property, 0, 4, kXFalse,
                                          XA_CARDINAL, &type, &format, &count, &after, &data);
    FrameExtents frame = {};
    if (status == kXSuccess && data && type == XA_CARDINAL && format == 32) {
        frame = FrameOfExtents(reinterpret_cast<const long*>(data), count);
    }
    if (data) XFree(data);
    return frame;
}

}  // namespace

int32_t XftDpiOf(const char* resources) {
    if (!resources) return 0;
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources);
    if (!database) return 0;
    char* type = nullptr;
    XrmValue value = {};
    int32_t dpi = 0;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
        dpi = DpiOfText(value.addr);
    }
    XrmDestroyDatabase(database);
    return dpi;
}

FrameExtents FrameOfExtents(const long* values, unsigned long count) {
    if (!values || count != 4) return {};
    return {static_cast<int32_t>(EdgeOrNone(values[0])), static_cast<int32_t>(EdgeOrNone(values[1])),
            static_cast<int32_t>(EdgeOrNone(values[2])), static_cast<int32_t>(EdgeOrNone(values[3]))};
}

ui::Size FrameSize(FrameExtents frame) {
    return {frame.left + frame.right, frame.top + frame.bottom};
}

double DesktopScale() {
    if (!fl_display) return 1.0;
    return ui::DisplayScale(XftDpiOf(XResourceManagerString(fl_display)));
}

// Asked for a window of our own that is never shown: the answer must come
// before the main window, whose size depends on it, is made.
FrameExtents WindowManagerFrame() {
    if (!fl_display || !WindowManagerRunning()) return {};
    const Window probe = XCreateSimpleWindow(fl_display, RootOfScreen(), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(fl_display, probe, PropertyChangeMask);
    const Atom extents = AtomNamed("_NET_FRAME_EXTENTS");
    RequestFrameExtents(probe);
    const FrameExtents frame =
        PropertyChanged(probe, extents) ? ReadFrameExtents(probe, extents) : FrameExtents{};
    XDestroyWindow(fl_display, probe);
    return frame;
}

}  // namespace tarn::fltk
