#include "ui/fltk/window_title.h"

#include <X11/Xutil.h>

#include "ui/fltk/xlib_safe.h"

namespace tarn::fltk {

void PublishTitle(Fl_Window& window) {
    if (!fl_display || !window.shown()) return;
    char* titles[] = {const_cast<char*>(window.label() ? window.label() : "")};
    XTextProperty property = {};
    // Negative: nothing converted. A positive count of characters that had no
    // form in the encoding still gives a usable, if partly replaced, title.
    if (Xutf8TextListToTextProperty(fl_display, titles, 1, XStdICCTextStyle, &property) < 0) {
        return;
    }
    const Window xid = fl_xid(&window);
    XSetWMName(fl_display, xid, &property);
    XSetWMIconName(fl_display, xid, &property);
    XFree(property.value);
    XFlush(fl_display);
}

}  // namespace tarn::fltk
