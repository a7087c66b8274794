// What the X desktop says about the main window's size: the scale its
// users asked for (the resource Xft.dpi that desktops set for their
// scaling) and the frame a window manager puts around a window. The
// parsing needs no display; the rest reads the open one.
#pragma once

#include <cstdint>

#include "ui/scale.h"

namespace tarn::fltk {

// The DPI that `resources` (the server's resource string, as
// XResourceManagerString returns it) sets in Xft.dpi, rounded; 0 when it
// sets none, or anything but a positive number of at most kLargestDpi.
inline constexpr int32_t kLargestDpi = 9600;
int32_t XftDpiOf(const char* resources);

// A window manager's frame around the client area, in pixels.
struct FrameExtents {
    int32_t left, right, top, bottom;
};

// The frame from the four values of _NET_FRAME_EXTENTS (left, right, top,
// bottom). Anything else (no answer, too few values) is no frame, and an
// edge outside 0..kLargestFrameEdge counts as none.
inline constexpr long kLargestFrameEdge = 500;
FrameExtents FrameOfExtents(const long* values, unsigned long count);

// Across: left and right; down: top and bottom.
ui::Size FrameSize(FrameExtents frame);

// The scale of the open display: Xft.dpi / 96, 1 without it.
double DesktopScale();

// The frame the running window manager will give a normal window, as it
// answers _NET_REQUEST_FRAME_EXTENTS: asked before the window exists,
// since the window's size depends on it. None when no window manager runs
// (nothing decorates the window then) or when it does not answer in time
// (the frame is then not allowed for, and may reach past the work area).
FrameExtents WindowManagerFrame();

}  // namespace tarn::fltk
