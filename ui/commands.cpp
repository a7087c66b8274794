// The copy, reset and about commands, the window's start-up state and the
// routing of button ids.
#include "engine/format.h"
#include "engine/text.h"
#include "ui/commands.h"
#include "ui/layout.h"
#include "ui/save_command.h"
#include "ui/texts.h"

namespace tarn::ui {
namespace {

constexpr int32_t kDefaultValueCapacity = 64;
// The release this program is, as the build numbers it ("1.2.0").
constexpr char16_t kVersion[] = ORDAVEL_VERSION_TEXT;
constexpr int32_t kAboutCapacity = 1400;
// Title, CR LF and the last result. The clipboard text is built on the
// stack, so a title is given room for 510 characters and cut beyond that.
constexpr int32_t kClipboardCapacity = kLastResultCapacity + 512;

void SetStatus(WindowState& state, const char16_t* text) {
    CopyBounded(state.statusLine, kStatusLineCapacity, text);
}

// The defaults are back, and none of them was entered.
void RestoreDefaultInputs(WindowState& state) {
    const ToolDescriptor& tool = *state.tool;
    for (int32_t i = 0; i < ClampedInputCount(tool); ++i) {
        char16_t text[kDefaultValueCapacity];
        FormatDefaultValue(tool.inputs[i].defaultValue, text, kDefaultValueCapacity);
        SetControlText(state, i, text);
        state.entered[i] = false;
    }
}

// No result on show any more: copy and save prompt until the next
// computation. The level goes first, so that the prompt is never drawn in
// the colour of the verdict it replaces.
void DropResult(WindowState& state) {
    state.currentLevel = kLevelNormal;
    state.resultCopy[0] = 0;
    SetControlText(state, kResultBoxSlot, u"");
    SetControlText(state, kVerdictLineSlot, kVerdictPrompt);
}

}  // namespace

void InitializeWindowState(WindowState& state, const ToolDescriptor& tool,
                           const WindowServices& services, void* servicesContext) {
    state.tool = &tool;
    state.services = &services;
    state.servicesContext = servicesContext;
    state.currentLevel = kLevelNormal;
    state.resultCopy[0] = 0;
    state.lastResultText[0] = 0;
    for (double& value : state.lastInputs) value = 0.0;
    for (bool& entered : state.entered) entered = false;
    SetStatus(state, kReadyStatus);
}

// "%g" is six significant digits: 6.800000190734863 shows as "6.8".
void FormatDefaultValue(double value, char16_t* buffer, int32_t capacity) {
    FormatBounded(buffer, capacity, u"%g", value);
}

void CopyCommand(WindowState& state) {
    if (!IsStarted(state)) return;
    if (!HasResult(state)) {
        ShowMessage(state, kNoResultYet, kNoticeCaption, MessageIcon::Information);
        return;
    }
    char16_t text[kClipboardCapacity];
    FormatBounded(text, kClipboardCapacity, kClipboardTemplate, TextOrEmpty(state.tool->title),
                  state.lastResultText);
    // A copy that failed is said aloud: the clipboard still holds what it
    // held before, which may be another patient's result.
    if (!PutClipboardText(state, text)) {
        ShowMessage(state, kCopyFailedMessage, kCopyFailedCaption, MessageIcon::Warning);
        return;
    }
    SetStatus(state, kCopiedStatus);
    RepaintMainWindow(state);
}

void ResetCommand(WindowState& state) {
    if (!IsStarted(state)) return;
    DropResult(state);
    RestoreDefaultInputs(state);
    SetControlText(state, kNoteTextSlot, TextOrEmpty(state.tool->note));
    SetStatus(state, kResetStatus);
    RepaintMainWindow(state);
    // Back at the first field, its default selected: the next patient's
    // weight is typed over it rather than lost on the button.
    if (ClampedInputCount(*state.tool) > 0) FocusControl(state, 0);
}

// The fields, the last inputs and result text and the focus stay as they are.
void InputEdited(WindowState& state, int32_t input) {
    if (!IsStarted(state)) return;
    if (input >= 0 && input < ClampedInputCount(*state.tool)) state.entered[input] = true;
    if (!HasResult(state)) return;
    DropResult(state);
    SetStatus(state, kStaleResultStatus);
    RepaintMainWindow(state);
}

void AboutCommand(WindowState& state) {
    if (!IsStarted(state)) return;
    const ToolDescriptor& tool = *state.tool;
    char16_t text[kAboutCapacity];
    FormatBounded(text, kAboutCapacity, kAboutTemplate, TextOrEmpty(tool.title),
                  TextOrEmpty(tool.category), TextOrEmpty(tool.reference), kVersion);
    ShowMessage(state, text, kAboutCaptionText, MessageIcon::Information);
}

bool RunCommandForId(WindowState& state, int32_t id) {
    switch (id) {
        case kComputeId: ComputeCommand(state); return true;
        case kSaveId: SaveCommand(state); return true;
        case kCopyId: CopyCommand(state); return true;
        case kResetId: ResetCommand(state); return true;
        case kAboutId: AboutCommand(state); return true;
        default: return false;
    }
}

}  // namespace tarn::ui
