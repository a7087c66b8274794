// Drawing of the main window with FLTK: the three primitives (fill, frame,
// text in a box) over which the regions and button faces of ui/paint.h are
// drawn. Every call draws into FLTK's current drawing surface.
#pragma once

#include <FL/Enumerations.H>

#include <cstdint>

#include "ui/paint.h"
#include "ui/window_state.h"

namespace tarn::fltk {

Fl_Color ToFlColour(uint32_t rgb);

using TextAlign = ui::TextAlign;

void FillBox(int x, int y, int width, int height, uint32_t colour);
// A one-pixel outline on the box's own edge pixels.
void FrameBox(int x, int y, int width, int height, uint32_t colour);
// One line, vertically centred, clipped to the box and cut with "..." at its
// end when it does not fit.
void TextInBox(int x, int y, int width, int height, const char* text, uint32_t colour,
               int32_t font, TextAlign align);
// Lines broken to the box's width from its top, clipped to the box.
void WrappedTextInBox(int x, int y, int width, int height, const char* text, uint32_t colour,
                      int32_t font, TextAlign align);

// The regions of ui/paint.h on a client area of `width` x `height` pixels.
void PaintClientArea(const ui::WindowState& state, int width, int height);

// An owner-drawn button's face in the colours of its kind and state.
void DrawButtonFace(int x, int y, int width, int height, const char* caption, ui::ButtonKind kind,
                    bool pressed);
// The dotted focus rectangle inside a button, in its caption colour.
void DrawFocusRectangle(int x, int y, int width, int height, ui::ButtonKind kind);

}  // namespace tarn::fltk
