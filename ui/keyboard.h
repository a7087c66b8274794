// The window's keys, shared by both front ends: Tab and Shift+Tab move the
// keyboard focus, Enter and F5 compute or press the focused button, and a
// mouse press hides the focus rectangle of a button.
#pragma once

#include <cstdint>

#include "ui/layout.h"
#include "ui/window_state.h"

namespace tarn::ui {

// The stop after (or before) `focused`: the `inputCount` input fields in
// their order, then the five buttons, then the result box while it holds
// a result (`resultIsStop`), and round again. A result box that is no stop
// lies between the last field and the first button. From the main window,
// or from anywhere else, forward starts at the first stop and backward at
// the last.
int32_t NextTabStop(int32_t inputCount, int32_t focused, bool forward, bool resultIsStop);

// Tab (forward) or Shift+Tab: the focus moves to the next stop, a field with
// its whole text selected, and from now on a focused button shows it.
void TabKey(WindowState& state, bool forward);

// Enter: a focused button is pressed, as Space presses it; from a field or
// the result box it computes; from the main window itself it does nothing.
void EnterKey(WindowState& state);

// F5: computes from any control of the window (not from the main window
// itself, which has the focus only when no control has it).
void F5Key(WindowState& state);

// A mouse button went down in the window: no focus rectangle until the
// keyboard moves the focus again. True when one was on show.
bool PointerPressed(WindowState& state);

}  // namespace tarn::ui
