#include "ui/keyboard.h"

#include "ui/commands.h"

namespace tarn::ui {
namespace {

// The stops in their order: the fields, the buttons, the result box.
struct TabRound {
    int32_t inputCount;
    bool resultIsStop;

    int32_t Count() const { return inputCount + kButtonCount + (resultIsStop ? 1 : 0); }

    int32_t StopAt(int32_t index) const {
        if (index < inputCount) return index;
        if (index < inputCount + kButtonCount) return kFirstButtonSlot + (index - inputCount);
        return kResultBoxSlot;
    }

    // The place of a stop in the round, or -1 for a slot that is no stop.
    int32_t IndexOf(int32_t slot) const {
        if (slot >= 0 && slot < inputCount) return slot;
        if (IsButtonSlot(slot)) return inputCount + (slot - kFirstButtonSlot);
        if (slot == kResultBoxSlot && resultIsStop) return inputCount + kButtonCount;
        return -1;
    }
};

// A control of the window has the focus, not the main window itself.
bool FocusIsOnAControl(int32_t slot) { return slot != kMainWindowSlot && slot != kNoSlot; }

}  // namespace

int32_t NextTabStop(int32_t inputCount, int32_t focused, bool forward, bool resultIsStop) {
    const TabRound round = {inputCount, resultIsStop};
    const int32_t count = round.Count();
    if (focused == kResultBoxSlot && !resultIsStop) {
        // Between the last field (index inputCount - 1) and the first button.
        return round.StopAt(forward ? inputCount : (inputCount + count - 1) % count);
    }
    const int32_t index = round.IndexOf(focused);
    if (index < 0) return round.StopAt(forward ? 0 : count - 1);
    return round.StopAt((index + (forward ? 1 : count - 1)) % count);
}

void TabKey(WindowState& state, bool forward) {
    if (!IsStarted(state)) return;
    // First, so that the button drawn with the focus draws the rectangle.
    state.focusCues = true;
    FocusControl(state, NextTabStop(ClampedInputCount(*state.tool), FocusedSlot(state), forward,
                                    HasResult(state)));
}

void EnterKey(WindowState& state) {
    if (!IsStarted(state)) return;
    const int32_t focused = FocusedSlot(state);
    if (IsButtonSlot(focused)) {
        RunCommandForId(state, ButtonIdOfSlot(focused));
    } else if (FocusIsOnAControl(focused)) {
        ComputeCommand(state);
    }
}

void F5Key(WindowState& state) {
    if (!IsStarted(state)) return;
    if (FocusIsOnAControl(FocusedSlot(state))) ComputeCommand(state);
}

bool PointerPressed(WindowState& state) {
    const bool shown = state.focusCues;
    state.focusCues = false;
    return shown;
}

}  // namespace tarn::ui
