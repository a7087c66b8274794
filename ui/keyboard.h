// Moving the keyboard focus with Tab and Shift+Tab, and when a focused
// button shows it.
#pragma once

#include <cstdint>

#include "ui/layout.h"
#include "ui/window_state.h"

namespace tarn::ui {

// The stop after (or before) `focused`: the `inputCount` input fields in
// their order, then the five buttons, and round again. The result box is
// no stop; it lies between the last field and the first button. From the
// main window, or from anywhere else, forward starts at the first stop and
// backward at the last.
int32_t NextTabStop(int32_t inputCount, int32_t focused, bool forward);

// Tab (forward) or Shift+Tab: the focus moves to the next stop, a field with
// its whole text selected, and from now on a focused button shows it.
void TabKey(WindowState& state, bool forward);

// A mouse button went down in the window: no focus rectangle until the
// keyboard moves the focus again. True when one was on show.
bool PointerPressed(WindowState& state);

}  // namespace tarn::ui
