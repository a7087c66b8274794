// Window titles as X clients read them. FLTK 1.3 writes WM_NAME and
// WM_ICON_NAME as STRING (Latin-1) holding UTF-8 bytes, which a window
// manager or xdotool decodes into mojibake; _NET_WM_NAME alone is right.
#pragma once

#include <FL/Fl_Window.H>

namespace tarn::fltk {

// Writes the shown window's label into WM_NAME and WM_ICON_NAME as
// COMPOUND_TEXT (STRING when the title is Latin-1). Call after show() and
// after any later change of the label, since FLTK rewrites both then.
void PublishTitle(Fl_Window& window);

}  // namespace tarn::fltk
