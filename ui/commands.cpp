// The copy, reset and about commands, the window's start-up state and the
// routing of button ids.
#include "engine/format.h"
#include "engine/text.h"
#include "ui/commands.h"
#include "ui/layout.h"
#include "ui/save_command.h"
#include "ui/services.h"
#include "ui/texts.h"

namespace tarn::ui {
namespace {

constexpr int32_t kDefaultValueCapacity = 64;
constexpr int32_t kAboutCapacity = 1400;
// Title, CR LF and the last result. The clipboard text is built on the
// stack, so a title is given room for 510 characters and cut beyond that.
constexpr int32_t kClipboardCapacity = kLastResultCapacity + 512;

int32_t InputCount(const ToolDescriptor& tool) {
    if (tool.inputCount < 0) return 0;
    return tool.inputCount < kMaxInputs ? tool.inputCount : kMaxInputs;
}

void SetStatus(WindowState& state, const char16_t* text) {
    CopyBounded(state.statusLine, kStatusLineCapacity, text);
}

void RestoreDefaultInputs(const ToolDescriptor& tool) {
    for (int32_t i = 0; i < InputCount(tool); ++i) {
        char16_t text[kDefaultValueCapacity];
        FormatDefaultValue(tool.inputs[i].defaultValue, text, kDefaultValueCapacity);
        SetControlText(i, text);
    }
}

}  // namespace

void InitializeWindowState(WindowState& state, const ToolDescriptor& tool) {
    state.tool = &tool;
    state.currentLevel = kLevelNormal;
    state.resultCopy[0] = 0;
    state.lastResultText[0] = 0;
    for (double& value : state.lastInputs) value = 0.0;
    SetStatus(state, kReadyStatus);
}

// "%g" is six significant digits: 6.800000190734863 shows as "6.8".
void FormatDefaultValue(double value, char16_t* buffer, int32_t capacity) {
    FormatBounded(buffer, capacity, u"%g", value);
}

void CopyCommand(WindowState& state) {
    if (!state.tool) return;
    if (state.resultCopy[0] == 0) {
        ShowMessage(kNoResultYet, kNoticeCaption, MessageIcon::Information);
        return;
    }
    char16_t text[kClipboardCapacity];
    FormatBounded(text, kClipboardCapacity, kClipboardTemplate, TextOrEmpty(state.tool->title),
                  state.lastResultText);
    if (!PutClipboardText(text)) return;
    SetStatus(state, kCopiedStatus);
    RepaintMainWindow();
}

void ResetCommand(WindowState& state) {
    if (!state.tool) return;
    const ToolDescriptor& tool = *state.tool;
    // The level goes first, so that the prompt is never drawn in the colour
    // of the verdict it replaces.
    state.currentLevel = kLevelNormal;
    state.resultCopy[0] = 0;
    RestoreDefaultInputs(tool);
    SetControlText(kResultBoxSlot, u"");
    SetControlText(kVerdictLineSlot, kVerdictPrompt);
    SetControlText(kNoteTextSlot, TextOrEmpty(tool.note));
    SetStatus(state, kResetStatus);
    RepaintMainWindow();
}

void AboutCommand(WindowState& state) {
    if (!state.tool) return;
    const ToolDescriptor& tool = *state.tool;
    char16_t text[kAboutCapacity];
    FormatBounded(text, kAboutCapacity, kAboutTemplate, TextOrEmpty(tool.title),
                  TextOrEmpty(tool.category), TextOrEmpty(tool.reference));
    ShowMessage(text, kAboutCaptionText, MessageIcon::Information);
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
