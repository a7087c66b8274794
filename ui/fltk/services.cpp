// The window services of ui/services.h over the FLTK widgets.
#include <FL/Fl.H>
#include <FL/Fl_Input.H>
#include <FL/fl_ask.H>

#include <cstdlib>

#include "engine/text.h"
#include "platform/platform.h"
#include "ui/fltk/main_window.h"
#include "ui/fltk/utf.h"
#include "ui/services.h"
#include "ui/window_state.h"

namespace tarn::ui {
namespace {

using fltk::Front;
using fltk::LineEnds;

// The longest text set on a control is the copy buffer's, and UTF-8 takes at
// most three bytes for each UTF-16 unit.
constexpr int32_t kControlTextBytes = kResultCopyCapacity * 3 + 1;
constexpr int32_t kMessageBytes = 1400 * 6 + 1;  // '@' is doubled as well
constexpr int32_t kClipboardBytes = (kLastResultCapacity + 1024) * 3 + 1;

Fl_Input* InputEdit(int32_t slot) {
    if (slot < 0 || slot >= kMaxInputs) return nullptr;
    return Front().inputEdits[slot];
}

fltk::StaticText* StaticForSlot(int32_t slot) {
    if (slot == kVerdictLineSlot) return Front().verdictLine;
    if (slot == kNoteTextSlot) return Front().noteText;
    return nullptr;
}

// Message boxes draw their text as an FLTK label, where '@' starts a symbol.
void EscapeLabel(const char* text, char* out, int32_t capacity) {
    int32_t written = 0;
    for (; *text != 0; ++text) {
        const int32_t size = *text == '@' ? 2 : 1;
        if (written + size + 1 > capacity) break;
        if (*text == '@') out[written++] = '@';
        out[written++] = *text;
    }
    out[written] = 0;
}

}  // namespace

void ReadControlText(int32_t slot, char16_t* buffer, int32_t capacity) {
    if (capacity <= 0) return;
    buffer[0] = 0;
    if (Fl_Input* edit = InputEdit(slot)) {
        fltk::ToUtf16(edit->value(), buffer, capacity);
    } else if (slot == kResultBoxSlot && Front().resultBox) {
        char* text = Front().resultBox->Text().text();
        fltk::ToUtf16(text, buffer, capacity, LineEnds::LfToCrLf);
        std::free(text);
    } else if (fltk::StaticText* control = StaticForSlot(slot)) {
        fltk::ToUtf16(control->Text(), buffer, capacity);
    }
}

void SetControlText(int32_t slot, const char16_t* text) {
    static char bytes[kControlTextBytes];
    if (Fl_Input* edit = InputEdit(slot)) {
        fltk::ToUtf8(text, bytes, kControlTextBytes);
        edit->value(bytes);
    } else if (slot == kResultBoxSlot && Front().resultBox) {
        fltk::ToUtf8(text, bytes, kControlTextBytes, LineEnds::CrLfToLf);
        Front().resultBox->Text().text(bytes);
    } else if (fltk::StaticText* control = StaticForSlot(slot)) {
        fltk::ToUtf8(text, bytes, kControlTextBytes);
        control->SetText(bytes);
    }
}

void FocusControl(int32_t slot) {
    Fl_Widget* control = InputEdit(slot);
    if (!control && slot == kResultBoxSlot) control = Front().resultBox;
    if (control && control->take_focus()) Front().lastFocus = control;
}

void FocusMainWindow() {
    if (!Front().window) return;
    Fl::focus(Front().window);
    Front().lastFocus = Front().window;
}

void ShowMessage(const char16_t* text, const char16_t* caption, MessageIcon icon) {
    static char bytes[kMessageBytes];
    static char label[kMessageBytes];
    static char title[kMessageBytes];
    fltk::ToUtf8(text, bytes, kMessageBytes, LineEnds::CrLfToLf);
    EscapeLabel(bytes, label, kMessageBytes);
    fltk::ToUtf8(TextOrEmpty(caption), title, kMessageBytes);
    // The box takes the focus while it is open; it comes back to the control
    // that had it, as when a Windows message box closes.
    Fl_Widget* focus = Fl::focus();
    const bool focusInWindow = Front().window && Front().window->contains(focus);
    fl_message_title(title);
    if (icon == MessageIcon::Warning) {
        fl_alert("%s", label);
    } else {
        fl_message("%s", label);
    }
    if (focusInWindow && Front().window && Front().window->contains(focus)) Fl::focus(focus);
}

void RepaintMainWindow() {
    if (Front().window) Front().window->redraw();
}

void RepaintVerdictLine() {
    if (Front().verdictLine) Front().verdictLine->redraw();
}

bool PutClipboardText(const char16_t* text) {
    static char bytes[kClipboardBytes];
    if (platform::Utf8Size(text) > kClipboardBytes) return false;
    const int32_t length = fltk::ToUtf8(text, bytes, kClipboardBytes);
    // 1: the CLIPBOARD selection that Ctrl+V pastes, not only the primary one.
    Fl::copy(bytes, length, 1);
    return true;
}

}  // namespace tarn::ui
