// Drawing of the main window: the three primitives (fill, frame, text in a
// box), the client area's regions, the button faces and the colours of the
// controls. Every call draws into FLTK's current drawing surface.
#pragma once

#include <FL/Enumerations.H>

#include <cstdint>

#include "ui/window_state.h"

namespace tarn::fltk {

Fl_Color ToFlColour(uint32_t rgb);

enum class TextAlign { Left, Centre, Right };

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

// The twelve regions of the client area, `width` x `height` pixels.
void PaintClientArea(const ui::WindowState& state, int width, int height);

// An owner-drawn button: the primary one is compute.
void DrawButtonFace(int x, int y, int width, int height, const char* caption, bool primary,
                    bool pressed);

// What each static control is; it decides its colour.
enum class StaticRole { InputLabel, Unit, Verdict, Note, Reference };
uint32_t StaticTextColour(StaticRole role, int32_t level);

}  // namespace tarn::fltk
