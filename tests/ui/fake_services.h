// A window with no window: the services of ui/services.h over plain
// records, so that the commands can be run and watched in a test.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/services.h"
#include "ui/window_state.h"

namespace tarn::ui::fake {

inline constexpr int32_t kSlotCount = kNoteTextSlot + 1;

struct Message {
    std::u16string text;
    std::u16string caption;
    MessageIcon icon;
};

// Every service call, in order, by name and slot ("set 16", "repaint main").
struct FakeWindow {
    std::u16string controls[kSlotCount];
    std::vector<std::string> calls;
    std::vector<int32_t> readSlots;
    std::vector<Message> messages;
    int32_t focusedSlot = -1;  // -1: nothing, kMainWindowFocus: the main window
    int32_t mainRepaints = 0;
    int32_t verdictRepaints = 0;
    // The state the commands work on, looked at while they run.
    const WindowState* observed = nullptr;
    std::vector<std::u16string> statusAtMainRepaint;
    std::vector<int32_t> levelAtVerdictText;
    std::vector<int32_t> levelAtVerdictRepaint;
    std::optional<std::u16string> clipboard;
    int32_t clipboardCalls = 0;
    bool clipboardFails = false;
};

inline constexpr int32_t kMainWindowFocus = 100;

// The one fake window of the test binary, as the front ends have one.
FakeWindow& Window();
// Back to a window with empty controls and no recorded calls.
void ResetWindow();

}  // namespace tarn::ui::fake
