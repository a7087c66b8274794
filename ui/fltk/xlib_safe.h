// FLTK's drawing and text-display headers bring in Xlib, whose macros
// (None above all) would rewrite names in our own headers. Include FLTK's
// X-dependent headers through this file only.
#pragma once

#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#undef None
#undef Status
#undef Bool
#undef True
#undef False
#undef Success
