// The fake window services: each call is recorded, nothing is drawn.
#include "tests/support/fake_window.h"

#include "engine/text.h"
#include "ui/commands.h"
#include "ui/keyboard.h"

namespace tarn::ui::fake {
namespace {

// One service call's work, bracketed for the window's `recording` hook.
class Recording {
public:
    Recording(void* context, std::string call) : window_(*static_cast<FakeWindow*>(context)) {
        if (window_.recording) window_.recording(true);
        window_.calls.push_back(std::move(call));
    }
    ~Recording() {
        if (window_.recording) window_.recording(false);
    }
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;
    FakeWindow& window() { return window_; }

private:
    FakeWindow& window_;
};

bool ValidSlot(int32_t slot) { return slot >= 0 && slot < kSlotCount; }

// Like GetWindowTextW: at most capacity - 1 characters and a terminator.
void ReadControlText(void* context, int32_t slot, char16_t* buffer, int32_t capacity) {
    Recording call(context, "read " + std::to_string(slot));
    call.window().readSlots.push_back(slot);
    if (capacity <= 0) return;
    const std::u16string text = ValidSlot(slot) ? call.window().controls[slot] : std::u16string();
    int32_t length = 0;
    while (length < capacity - 1 && static_cast<size_t>(length) < text.size()) {
        buffer[length] = text[static_cast<size_t>(length)];
        ++length;
    }
    buffer[length] = 0;
}

void SetControlText(void* context, int32_t slot, const char16_t* text) {
    Recording call(context, "set " + std::to_string(slot));
    FakeWindow& window = call.window();
    if (ValidSlot(slot)) window.controls[slot] = text ? text : u"";
    if (slot == kVerdictLineSlot && window.observed) {
        window.levelAtVerdictText.push_back(window.observed->currentLevel);
    }
}

bool IsInputSlot(int32_t slot) { return slot >= 0 && slot < kMaxInputs; }

void FocusControl(void* context, int32_t slot) {
    Recording call(context, "focus " + std::to_string(slot));
    call.window().focusedSlot = slot;
    if (IsInputSlot(slot)) call.window().selectedAll[slot] = true;
}

void FocusMainWindow(void* context) {
    Recording call(context, "focus main");
    call.window().focusedSlot = kMainWindowFocus;
}

int32_t FocusedSlot(void* context) {
    Recording call(context, "focused");
    return call.window().focusedSlot;
}

void ShowMessage(void* context, const char16_t* text, const char16_t* caption, MessageIcon icon) {
    Recording call(context, "message");
    call.window().messages.push_back({text ? text : u"", caption ? caption : u"", icon});
}

bool AskYesNo(void* context, const char16_t* text, const char16_t* caption) {
    Recording call(context, "ask");
    FakeWindow& window = call.window();
    window.questions.push_back({text ? text : u"", caption ? caption : u"", MessageIcon::Warning});
    if (window.answers.empty()) return true;
    const bool yes = window.answers.front();
    window.answers.erase(window.answers.begin());
    return yes;
}

void RepaintMainWindow(void* context) {
    Recording call(context, "repaint main");
    FakeWindow& window = call.window();
    ++window.mainRepaints;
    if (window.observed) window.statusAtMainRepaint.emplace_back(window.observed->statusLine);
}

void RepaintVerdictLine(void* context) {
    Recording call(context, "repaint verdict");
    FakeWindow& window = call.window();
    ++window.verdictRepaints;
    if (window.observed) window.levelAtVerdictRepaint.push_back(window.observed->currentLevel);
}

bool PutClipboardText(void* context, const char16_t* text) {
    Recording call(context, "clipboard");
    FakeWindow& window = call.window();
    ++window.clipboardCalls;
    if (window.clipboardFails) return false;
    window.clipboard = text ? text : u"";
    return true;
}

bool LocalAppDataFolder(void* context, char16_t* buffer, int32_t capacity) {
    Recording call(context, "app data");
    const std::optional<std::u16string>& folder = call.window().appDataFolder;
    if (!folder) return platform::LocalAppDataFolder(buffer, capacity);
    if (folder->empty() || folder->size() >= static_cast<size_t>(capacity)) return false;
    CopyBounded(buffer, capacity, folder->c_str());
    return true;
}

platform::LocalDateTime LocalTime(void* context) {
    Recording call(context, "time");
    const std::optional<platform::LocalDateTime>& time = call.window().localTime;
    return time ? *time : platform::LocalTime();
}

}  // namespace

const WindowServices kServices = {
    .readControlText = ReadControlText,
    .setControlText = SetControlText,
    .focusControl = FocusControl,
    .focusMainWindow = FocusMainWindow,
    .focusedSlot = FocusedSlot,
    .showMessage = ShowMessage,
    .askYesNo = AskYesNo,
    .repaintMainWindow = RepaintMainWindow,
    .repaintVerdictLine = RepaintVerdictLine,
    .putClipboardText = PutClipboardText,
    .localAppDataFolder = LocalAppDataFolder,
    .localTime = LocalTime,
};

void Start(WindowState& state, const ToolDescriptor& tool, FakeWindow& window) {
    InitializeWindowState(state, tool, kServices, &window);
    window.observed = &state;
}

FakeWindow& WindowOf(const WindowState& state) {
    return *static_cast<FakeWindow*>(state.servicesContext);
}

void ForgetCalls(FakeWindow& window) {
    window.calls.clear();
    window.readSlots.clear();
    window.messages.clear();
    window.questions.clear();
    window.focusedSlot = kNoSlot;
    window.mainRepaints = 0;
    window.verdictRepaints = 0;
    window.clipboardCalls = 0;
    window.statusAtMainRepaint.clear();
    window.levelAtVerdictText.clear();
    window.levelAtVerdictRepaint.clear();
}

}  // namespace tarn::ui::fake

namespace tarn::ui::fake::user {
namespace {

// The focused field, or null when the focus is not in a field.
std::u16string* FocusedField(FakeWindow& window) {
    if (!IsInputSlot(window.focusedSlot)) return nullptr;
    return &window.controls[window.focusedSlot];
}

}  // namespace

void Type(WindowState& state, const std::u16string& text) {
    FakeWindow& window = WindowOf(state);
    for (const char16_t unit : text) {
        std::u16string* field = FocusedField(window);
        if (!field) return;
        if (window.selectedAll[window.focusedSlot]) field->clear();
        window.selectedAll[window.focusedSlot] = false;
        field->push_back(unit);
        InputEdited(state, window.focusedSlot);
    }
}

void Backspace(WindowState& state) {
    FakeWindow& window = WindowOf(state);
    std::u16string* field = FocusedField(window);
    if (!field || field->empty()) return;
    if (window.selectedAll[window.focusedSlot]) {
        field->clear();
    } else {
        field->pop_back();
    }
    window.selectedAll[window.focusedSlot] = false;
    InputEdited(state, window.focusedSlot);
}

void Tab(WindowState& state, bool shift) { TabKey(state, !shift); }

void Enter(WindowState& state) { EnterKey(state); }

void F5(WindowState& state) { F5Key(state); }

void Space(WindowState& state) {
    const int32_t focused = WindowOf(state).focusedSlot;
    if (IsButtonSlot(focused)) RunCommandForId(state, ButtonIdOfSlot(focused));
}

void ClickField(WindowState& state, int32_t slot) {
    FakeWindow& window = WindowOf(state);
    PointerPressed(state);
    window.focusedSlot = slot;
    if (IsInputSlot(slot)) window.selectedAll[slot] = false;
}

void ClickButton(WindowState& state, int32_t id) {
    PointerPressed(state);
    WindowOf(state).focusedSlot = ButtonSlotOf(id);
    RunCommandForId(state, id);
}

}  // namespace tarn::ui::fake::user
