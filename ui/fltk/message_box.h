// The message boxes of the FLTK window, drawn here rather than by fl_ask so
// that they sit over the main window as a Windows box sits over its owner,
// carry a title X clients can read, and answer to the keys a Windows box
// answers to.
#pragma once

#include <FL/Fl_Window.H>

namespace tarn::fltk {

enum class BoxIcon { Information, Warning };
enum class BoxButtons { Ok, YesNo };

// Runs a modal box with `icon`, `text` (an FLTK label: '@' must come doubled)
// and its buttons, titled `title` and centred on `owner` (on the screen when
// there is none), until it is answered. Returns true for OK and for Yes.
// Enter presses the button with the focus, at first OK or No; Escape and the
// close button answer No (OK in a box without a question); Y and N answer
// a question. The texts are UTF-8. Margins, icon, buttons and text are
// drawn at `scale`, the main window's.
bool RunMessageBox(Fl_Window* owner, const char* title, const char* text, BoxIcon icon,
                   BoxButtons buttons, double scale);

}  // namespace tarn::fltk
