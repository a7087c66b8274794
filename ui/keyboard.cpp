#include "ui/keyboard.h"

namespace tarn::ui {
namespace {

int32_t StopAt(int32_t inputCount, int32_t index) {
    return index < inputCount ? index : kFirstButtonSlot + (index - inputCount);
}

// The place of a stop in the round, or -1 for a slot that is no stop.
int32_t IndexOfStop(int32_t inputCount, int32_t slot) {
    if (slot >= 0 && slot < inputCount) return slot;
    if (IsButtonSlot(slot)) return inputCount + (slot - kFirstButtonSlot);
    return -1;
}

}  // namespace

int32_t NextTabStop(int32_t inputCount, int32_t focused, bool forward) {
    const int32_t count = inputCount + kButtonCount;
    const int32_t index = IndexOfStop(inputCount, focused);
    if (focused == kResultBoxSlot) {
        // Between the last field (index inputCount - 1) and the first button.
        return StopAt(inputCount, forward ? inputCount : (inputCount + count - 1) % count);
    }
    if (index < 0) return StopAt(inputCount, forward ? 0 : count - 1);
    return StopAt(inputCount, (index + (forward ? 1 : count - 1)) % count);
}

void TabKey(WindowState& state, bool forward) {
    if (!IsStarted(state)) return;
    // First, so that the button drawn with the focus draws the rectangle.
    state.focusCues = true;
    FocusControl(state, NextTabStop(ClampedInputCount(*state.tool), FocusedSlot(state), forward));
}

bool PointerPressed(WindowState& state) {
    const bool shown = state.focusCues;
    state.focusCues = false;
    return shown;
}

}  // namespace tarn::ui
