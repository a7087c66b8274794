// The controls of the main window, described once for every front end: for
// a descriptor at a scale, one entry per control in creation order, with
// its role, kind, box, font, id, service slot and the text it starts with.
// A front end only makes its native control of each entry.
#pragma once

#include <cstdint>

#include "engine/descriptor.h"
#include "ui/layout.h"

namespace tarn::ui {

// What a control is: it decides the control's text, its text colour
// (ui/paint.h) and which of the window's handles it is.
enum class ControlRole { InputLabel, InputEdit, Unit, Verdict, ResultBox, Note, Reference, Button };

// Which native control it is.
enum class ControlKind { Static, Edit, Report, Button };

struct ControlLayout {
    ControlRole role;
    ControlKind kind;
    uint32_t exStyle;  // the Win32 style values
    uint32_t style;
    Box box;       // client pixels at the tree's scale
    int32_t font;  // 1..8 (a button's caption font; buttons get no font set)
    int32_t id;    // 0: none
    int32_t slot;  // the window services' slot, kNoSlot when no command uses it
    int32_t input;  // the input field of a label, edit or unit; -1 otherwise
    const char16_t* caption;  // a button's caption, null otherwise
};

// Three controls per input row at most, then the verdict, the report, the
// note, the reference and five buttons.
inline constexpr int32_t kMaxControls = 3 * kMaxInputs + 4 + kButtonCount;

// The control layouts of one input row at 96 DPI.
ControlLayout InputLabelLayout(int32_t row);
ControlLayout InputEditLayout(int32_t row);
ControlLayout InputUnitLayout(int32_t row);

// Fills `controls` with the window's controls for `tool` at `scale`, in
// creation order: each input's label, edit and (when it has one) unit,
// then the verdict line, the report, the note, the reference line and the
// buttons from left to right. Returns how many; at most `capacity`.
int32_t BuildControlTree(const ToolDescriptor& tool, double scale, ControlLayout* controls,
                         int32_t capacity);

// The text a control shows when the window opens, cut to the buffer: the
// input's label, default value ("%g") or unit, the prompt, an empty report,
// the note, "参考依据：…", or the caption.
void InitialControlText(const ControlLayout& control, const ToolDescriptor& tool,
                        char16_t* buffer, int32_t capacity);

}  // namespace tarn::ui
