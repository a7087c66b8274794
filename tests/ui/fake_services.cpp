// The fake window services: each call is recorded, nothing is drawn.
#include "tests/ui/fake_services.h"

#include "tests/ui/allocation_counter.h"

namespace tarn::ui {
namespace {

fake::FakeWindow& Recorded(std::string call) {
    fake::FakeWindow& window = fake::Window();
    window.calls.push_back(std::move(call));
    return window;
}

bool ValidSlot(int32_t slot) { return slot >= 0 && slot < fake::kSlotCount; }

}  // namespace

namespace fake {

FakeWindow& Window() {
    static FakeWindow window;
    return window;
}

void ResetWindow() { Window() = FakeWindow{}; }

}  // namespace fake

// Like GetWindowTextW: at most capacity - 1 characters and a terminator.
void ReadControlText(int32_t slot, char16_t* buffer, int32_t capacity) {
    const allocation::PausedCounting paused;
    fake::FakeWindow& window = Recorded("read " + std::to_string(slot));
    window.readSlots.push_back(slot);
    if (capacity <= 0) return;
    const std::u16string text = ValidSlot(slot) ? window.controls[slot] : std::u16string();
    int32_t length = 0;
    while (length < capacity - 1 && static_cast<size_t>(length) < text.size()) {
        buffer[length] = text[static_cast<size_t>(length)];
        ++length;
    }
    buffer[length] = 0;
}

void SetControlText(int32_t slot, const char16_t* text) {
    const allocation::PausedCounting paused;
    fake::FakeWindow& window = Recorded("set " + std::to_string(slot));
    if (ValidSlot(slot)) window.controls[slot] = text ? text : u"";
    if (slot == kVerdictLineSlot && window.observed) {
        window.levelAtVerdictText.push_back(window.observed->currentLevel);
    }
}

void FocusControl(int32_t slot) {
    const allocation::PausedCounting paused;
    Recorded("focus " + std::to_string(slot)).focusedSlot = slot;
}

void FocusMainWindow() {
    const allocation::PausedCounting paused;
    Recorded("focus main").focusedSlot = fake::kMainWindowFocus;
}

void ShowMessage(const char16_t* text, const char16_t* caption, MessageIcon icon) {
    const allocation::PausedCounting paused;
    Recorded("message").messages.push_back({text ? text : u"", caption ? caption : u"", icon});
}

void RepaintMainWindow() {
    const allocation::PausedCounting paused;
    fake::FakeWindow& window = Recorded("repaint main");
    ++window.mainRepaints;
    if (window.observed) window.statusAtMainRepaint.emplace_back(window.observed->statusLine);
}

void RepaintVerdictLine() {
    const allocation::PausedCounting paused;
    fake::FakeWindow& window = Recorded("repaint verdict");
    ++window.verdictRepaints;
    if (window.observed) window.levelAtVerdictRepaint.push_back(window.observed->currentLevel);
}

bool PutClipboardText(const char16_t* text) {
    const allocation::PausedCounting paused;
    fake::FakeWindow& window = Recorded("clipboard");
    ++window.clipboardCalls;
    if (window.clipboardFails) return false;
    window.clipboard = text ? text : u"";
    return true;
}

}  // namespace tarn::ui
