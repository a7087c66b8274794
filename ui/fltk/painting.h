// Drawing of the main window with FLTK: the three primitives of the shared
// painter (fill, frame, text in a box), over which ui/paint.h draws the
// client area and the buttons, and the wrapped text of the statics. Every
// call draws into FLTK's current drawing surface.
#pragma once

#include <FL/Enumerations.H>

#include <cstdint>

#include "ui/paint.h"
#include "ui/window_state.h"

namespace tarn::fltk {

Fl_Color ToFlColour(uint32_t rgb);

using TextAlign = ui::TextAlign;

// One line, vertically centred, clipped to the box and cut with "..." at its
// end when it does not fit.
void TextInBox(int x, int y, int width, int height, const char* text, uint32_t colour,
               int32_t font, TextAlign align);
// The height of `text` broken into lines of `width` pixels, as
// WrappedTextInBox draws it: the text is whole when it is no taller than the
// box.
int WrappedTextHeight(int width, const char* text, int32_t font);
// Lines broken to the box's width from its top, clipped to the box.
void WrappedTextInBox(int x, int y, int width, int height, const char* text, uint32_t colour,
                      int32_t font, TextAlign align);

// The shared painter over FLTK's current drawing surface.
const ui::Painter& ScreenPainter();

}  // namespace tarn::fltk
