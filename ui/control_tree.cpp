#include "ui/control_tree.h"

#include "engine/format.h"
#include "engine/text.h"
#include "ui/commands.h"
#include "ui/scale.h"
#include "ui/texts.h"

namespace tarn::ui {
namespace {

constexpr ControlLayout Static(ControlRole role, Box box, int32_t font, int32_t slot) {
    return {role, ControlKind::Static, 0, kStaticStyle, box, font, 0, slot, -1, nullptr};
}

constexpr ControlLayout Button(Box box, int32_t id, const char16_t* caption) {
    return {ControlRole::Button, ControlKind::Button, 0, kButtonStyle, box, kButtonFont, id,
            ButtonSlotOf(id), -1, caption};
}

// The controls after the input rows, in creation order.
constexpr ControlLayout kFixedControls[] = {
    Static(ControlRole::Verdict, {492, 142, 492, 46}, kVerdictFont, kVerdictLineSlot),
    {ControlRole::ResultBox, ControlKind::Report, kClientEdge, kResultBoxStyle,
     {492, 196, 492, 232}, kResultFont, kResultBoxId, kResultBoxSlot, -1, nullptr},
    Static(ControlRole::Note, {492, 444, 492, 120}, kSmallFont, kNoteTextSlot),
    Static(ControlRole::Reference, {492, 576, 492, 56}, kSmallFont, kNoSlot),
    Button({20, 668, 152, 40}, kComputeId, kComputeCaption),
    Button({184, 668, 132, 40}, kSaveId, kSaveCaption),
    Button({328, 668, 132, 40}, kCopyId, kCopyCaption),
    Button({472, 668, 132, 40}, kResetId, kResetCaption),
    Button({616, 668, 110, 40}, kAboutId, kAboutCaption),
};

constexpr int32_t kReferenceCapacity = 512;

bool HasUnit(const InputField& input) { return input.unit && input.unit[0] != 0; }

}  // namespace

ControlLayout InputLabelLayout(int32_t row) {
    return {ControlRole::InputLabel, ControlKind::Static, 0, kInputLabelStyle,
            {24, InputRowY(row) + 1, 184, 22}, kInputLabelFont, 0, kNoSlot, row, nullptr};
}

ControlLayout InputEditLayout(int32_t row) {
    return {ControlRole::InputEdit, ControlKind::Edit, kClientEdge, kInputEditStyle,
            {216, InputRowY(row) - 4, 152, 27}, kInputEditFont, kFirstInputEditId + row, row, row,
            nullptr};
}

ControlLayout InputUnitLayout(int32_t row) {
    return {ControlRole::Unit, ControlKind::Static, 0, kStaticStyle, {374, InputRowY(row), 78, 22},
            kSmallFont, 0, kNoSlot, row, nullptr};
}

int32_t BuildControlTree(const ToolDescriptor& tool, double scale, ControlLayout* controls,
                         int32_t capacity) {
    int32_t count = 0;
    const auto add = [&](ControlLayout control) {
        if (count >= capacity) return;
        control.box = ScaledBox(control.box, scale);
        controls[count++] = control;
    };
    for (int32_t row = 0; row < ClampedInputCount(tool); ++row) {
        add(InputLabelLayout(row));
        add(InputEditLayout(row));
        if (HasUnit(tool.inputs[row])) add(InputUnitLayout(row));
    }
    for (const ControlLayout& control : kFixedControls) add(control);
    return count;
}

void InitialControlText(const ControlLayout& control, const ToolDescriptor& tool,
                        char16_t* buffer, int32_t capacity) {
    if (capacity <= 0) return;
    const bool ofInput = control.input >= 0 && control.input < ClampedInputCount(tool);
    switch (control.role) {
        case ControlRole::InputLabel:
            CopyBounded(buffer, capacity, ofInput ? tool.inputs[control.input].label : nullptr);
            return;
        case ControlRole::InputEdit:
            if (ofInput) {
                FormatDefaultValue(tool.inputs[control.input].defaultValue, buffer, capacity);
                return;
            }
            break;
        case ControlRole::Unit:
            CopyBounded(buffer, capacity, ofInput ? tool.inputs[control.input].unit : nullptr);
            return;
        case ControlRole::Verdict: CopyBounded(buffer, capacity, kVerdictPrompt); return;
        case ControlRole::Note: CopyBounded(buffer, capacity, tool.note); return;
        case ControlRole::Reference:
            FormatBounded(buffer, capacity < kReferenceCapacity ? capacity : kReferenceCapacity,
                          kReferenceTemplate, TextOrEmpty(tool.reference));
            return;
        case ControlRole::Button: CopyBounded(buffer, capacity, control.caption); return;
        case ControlRole::ResultBox: break;
    }
    buffer[0] = 0;
}

}  // namespace tarn::ui
