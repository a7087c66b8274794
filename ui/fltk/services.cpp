// The window services over the FLTK widgets; the context is the FrontEnd
// record.
#include <FL/Fl.H>
#include <FL/Fl_Input.H>

#include <cstdlib>

#include "engine/text.h"
#include "platform/platform.h"
#include "ui/fltk/main_window.h"
#include "ui/fltk/message_box.h"
#include "ui/fltk/utf.h"
#include "ui/fltk/xlib_safe.h"
#include "ui/layout.h"
#include "ui/window_state.h"

// The hidden window FLTK owns its selections with. FLTK exports it but
// declares it to its own sources only (FL/x.H, FL_INTERNALS).
extern Window fl_message_window;

namespace tarn::fltk {
namespace {

using ui::MessageIcon;

// The longest text set on a control is the copy buffer's, and UTF-8 takes at
// most three bytes for each UTF-16 unit.
constexpr int32_t kControlTextBytes = ui::kResultCopyCapacity * 3 + 1;
constexpr int32_t kMessageBytes = 1400 * 6 + 1;  // '@' is doubled as well
constexpr int32_t kClipboardBytes = (ui::kLastResultCapacity + 1024) * 3 + 1;

FrontEnd& Of(void* context) { return *static_cast<FrontEnd*>(context); }

Fl_Input* InputEdit(const FrontEnd& front, int32_t slot) {
    if (slot < 0 || slot >= kMaxInputs) return nullptr;
    return front.inputEdits[slot];
}

StaticText* StaticForSlot(const FrontEnd& front, int32_t slot) {
    if (slot == ui::kVerdictLineSlot) return front.verdictLine;
    if (slot == ui::kNoteTextSlot) return front.noteText;
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

void ReadControlText(void* context, int32_t slot, char16_t* buffer, int32_t capacity) {
    if (capacity <= 0) return;
    buffer[0] = 0;
    FrontEnd& front = Of(context);
    if (Fl_Input* edit = InputEdit(front, slot)) {
        ToUtf16(edit->value(), buffer, capacity);
    } else if (slot == ui::kResultBoxSlot && front.resultBox) {
        char* text = front.resultBox->Text().text();
        ToUtf16(text, buffer, capacity, LineEnds::LfToCrLf);
        std::free(text);
    } else if (StaticText* control = StaticForSlot(front, slot)) {
        ToUtf16(control->Text(), buffer, capacity);
    }
}

void SetControlText(void* context, int32_t slot, const char16_t* text) {
    static char bytes[kControlTextBytes];
    FrontEnd& front = Of(context);
    if (Fl_Input* edit = InputEdit(front, slot)) {
        ToUtf8(text, bytes, kControlTextBytes);
        edit->value(bytes);
    } else if (slot == ui::kResultBoxSlot && front.resultBox) {
        ToUtf8(text, bytes, kControlTextBytes, LineEnds::CrLfToLf);
        front.resultBox->Text().text(bytes);
    } else if (StaticText* control = StaticForSlot(front, slot)) {
        ToUtf8(text, bytes, kControlTextBytes);
        control->SetText(bytes);
    }
}

// The controls that can take the focus: input edits, the report, buttons.
Fl_Widget* FocusableControl(const FrontEnd& front, int32_t slot) {
    if (Fl_Input* edit = InputEdit(front, slot)) return edit;
    if (slot == ui::kResultBoxSlot) return front.resultBox;
    if (ui::IsButtonSlot(slot)) return front.buttons[slot - ui::kFirstButtonSlot];
    return nullptr;
}

void FocusControl(void* context, int32_t slot) {
    FrontEnd& front = Of(context);
    Fl_Widget* control = FocusableControl(front, slot);
    if (!control || !control->take_focus()) return;
    front.lastFocus = control;
    // The whole text selected, the cursor at its end: typing replaces it.
    if (Fl_Input* edit = InputEdit(front, slot)) edit->position(edit->size(), 0);
}

int32_t FocusedSlot(void* context) {
    const FrontEnd& front = Of(context);
    const Fl_Widget* focus = Fl::focus();
    if (!focus) return ui::kNoSlot;
    if (focus == front.window) return ui::kMainWindowSlot;
    for (int32_t slot = 0; slot < ui::kFirstButtonSlot + ui::kButtonCount; ++slot) {
        if (focus == FocusableControl(front, slot)) return slot;
    }
    return ui::kNoSlot;
}

void FocusMainWindow(void* context) {
    FrontEnd& front = Of(context);
    if (!front.window) return;
    Fl::focus(front.window);
    front.lastFocus = front.window;
}

// Runs a box over the main window. The box takes the focus while it is
// open; it comes back to the control that had it, as when a Windows message
// box closes.
bool RunBox(FrontEnd& front, const char16_t* text, const char16_t* caption, BoxIcon icon,
            BoxButtons buttons) {
    static char bytes[kMessageBytes];
    static char label[kMessageBytes];
    static char title[kMessageBytes];
    ToUtf8(text, bytes, kMessageBytes, LineEnds::CrLfToLf);
    EscapeLabel(bytes, label, kMessageBytes);
    ToUtf8(TextOrEmpty(caption), title, kMessageBytes);
    Fl_Widget* focus = Fl::focus();
    const bool focusInWindow = front.window && front.window->contains(focus);
    const bool answer =
        RunMessageBox(front.window, title, label, icon, buttons, front.state.scale);
    if (focusInWindow && front.window && front.window->contains(focus)) Fl::focus(focus);
    return answer;
}

void ShowMessage(void* context, const char16_t* text, const char16_t* caption, MessageIcon icon) {
    RunBox(Of(context), text, caption,
           icon == MessageIcon::Warning ? BoxIcon::Warning : BoxIcon::Information, BoxButtons::Ok);
}

bool AskYesNo(void* context, const char16_t* text, const char16_t* caption) {
    return RunBox(Of(context), text, caption, BoxIcon::Warning, BoxButtons::YesNo);
}

void RepaintMainWindow(void* context) {
    if (Of(context).window) Of(context).window->redraw();
}

void RepaintVerdictLine(void* context) {
    if (Of(context).verdictLine) Of(context).verdictLine->redraw();
}

// Fl::copy asks the X server to make FLTK's selection window the owner of
// the CLIPBOARD and says nothing when the server refuses: it does when the
// request carries the time of an event that came before another client
// took the selection (a clipboard manager or a remote-desktop clipboard
// sync that grabbed it meanwhile). Asking the server who owns it now, a
// round trip that follows the request, tells the refused copy apart.
bool OwnsClipboard() {
    const Atom clipboard = XInternAtom(fl_display, "CLIPBOARD", 0);
    return fl_message_window != 0 && XGetSelectionOwner(fl_display, clipboard) == fl_message_window;
}

bool PutClipboardText(void*, const char16_t* text) {
    static char bytes[kClipboardBytes];
    if (platform::Utf8Size(text) > kClipboardBytes) return false;
    const int32_t length = ToUtf8(text, bytes, kClipboardBytes);
    // 1: the CLIPBOARD selection that Ctrl+V pastes, not only the primary one.
    Fl::copy(bytes, length, 1);
    return OwnsClipboard();
}

}  // namespace

const ui::WindowServices kWindowServices = {
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
    .localAppDataFolder = ui::PlatformAppDataFolder,
    .localTime = ui::PlatformLocalTime,
};

}  // namespace tarn::fltk
