// A window with no window: window services over plain records, so that the
// commands can be run and watched in a test. Each test owns its FakeWindow;
// the services reach it through the state's context.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/descriptor.h"
#include "platform/platform.h"
#include "ui/services.h"
#include "ui/window_state.h"

namespace tarn::ui::fake {

inline constexpr int32_t kSlotCount = kFirstButtonSlot + kButtonCount;
// focusedSlot when the main window itself has the focus.
inline constexpr int32_t kMainWindowFocus = kMainWindowSlot;

struct Message {
    std::u16string text;
    std::u16string caption;
    MessageIcon icon;
};

struct FakeWindow {
    // What the window shows.
    std::u16string controls[kSlotCount];
    std::optional<std::u16string> clipboard;

    // Every service call, in order, by name and slot ("set 16", "repaint main").
    std::vector<std::string> calls;
    std::vector<int32_t> readSlots;
    std::vector<Message> messages;
    std::vector<Message> questions;
    int32_t focusedSlot = kNoSlot;  // kMainWindowFocus: the main window
    // Whether a field's whole text is selected, so that typing replaces it;
    // otherwise the caret is at its end.
    bool selectedAll[kMaxInputs] = {};
    int32_t mainRepaints = 0;
    int32_t verdictRepaints = 0;
    int32_t clipboardCalls = 0;
    // The state the commands work on, looked at while they run.
    const WindowState* observed = nullptr;
    std::vector<std::u16string> statusAtMainRepaint;
    std::vector<int32_t> levelAtVerdictText;
    std::vector<int32_t> levelAtVerdictRepaint;

    // How the window answers.
    bool clipboardFails = false;
    // Answers to the questions, first to last (true: Yes); once they run
    // out, the user confirms whatever is asked.
    std::vector<bool> answers;
    // Unset: the platform's folder; set but empty: there is none.
    std::optional<std::u16string> appDataFolder;
    // Unset: the platform's clock.
    std::optional<platform::LocalDateTime> localTime;
    // Called with true before and false after each service does its work:
    // a test that counts heap allocations pauses its counter there, since
    // the records live on the heap.
    void (*recording)(bool started) = nullptr;
};

extern const WindowServices kServices;

// Starts `state` with `tool` over `window`, which then watches the state.
void Start(WindowState& state, const ToolDescriptor& tool, FakeWindow& window);
// The fake window a state was started with.
FakeWindow& WindowOf(const WindowState& state);
// Forgets the recorded calls; keeps what the window shows and how it answers.
void ForgetCalls(FakeWindow& window);

// What a clinician does at the window, passed on to the commands the way
// both front ends pass it on.
namespace user {

// Characters typed into the focused field: they replace a selected text,
// otherwise they go at its end; each one is an edit. Elsewhere they do
// nothing.
void Type(WindowState& state, const std::u16string& text);
void Backspace(WindowState& state);
void Tab(WindowState& state, bool shift = false);
// Enter: presses a focused button, computes from a field or the result box.
void Enter(WindowState& state);
// F5: computes while a control, not the main window, has the focus.
void F5(WindowState& state);
// Space: presses the focused button.
void Space(WindowState& state);
// A click in a field leaves the caret at the end of its text.
void ClickField(WindowState& state, int32_t slot);
// A click on a button focuses it and runs its command.
void ClickButton(WindowState& state, int32_t id);

}  // namespace user

}  // namespace tarn::ui::fake
