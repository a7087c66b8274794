// Start-up of the FLTK window: the controls from the layout table, the
// painting order and the Enter/F5 shortcut.
#include "ui/fltk/main_window.h"

#include <FL/Fl.H>

#include <cstdio>

#include "engine/format.h"
#include "ui/commands.h"
#include "ui/desktop.h"
#include "ui/fltk/fonts.h"
#include "ui/fltk/icon.h"
#include "ui/fltk/painting.h"
#include "ui/fltk/utf.h"
#include "ui/fltk/xlib_safe.h"
#include "ui/fltk/window_title.h"
#include "ui/keyboard.h"
#include "ui/layout.h"
#include "ui/paint.h"
#include "ui/palette.h"
#include "ui/texts.h"

namespace tarn::fltk {
namespace {

constexpr int32_t kDefaultValueCapacity = 64;
constexpr int32_t kReferenceCapacity = 512;
// UTF-8 of a UTF-16 text of n units takes at most 3n bytes: room for a
// caption or the reference line (512 units), and for a note of 4096.
constexpr int32_t kCaptionBytes = 512 * 3 + 1;
constexpr int32_t kStaticTextBytes = 4096 * 3 + 1;
constexpr char kWindowClass[] = "ordavel";
constexpr int32_t kShareFolderBytes = 4096;
// A light selection: the text the program selects in an input (the default
// at start-up) stays in the main text colour instead of turning white on
// FLTK's dark selection.
constexpr uint32_t kInputSelection = 0xCCE4F7;

FrontEnd gFront;
Fl_Event_Dispatch gPreviousDispatch = nullptr;

// X gives Shift+Tab its own key.
constexpr int kShiftTabKey = 0xFE20;

bool IsComputeKey(int key) { return key == FL_Enter || key == FL_KP_Enter || key == FL_F + 5; }

// Ctrl+Tab and Alt+Tab are no moves within the window.
bool IsTabKey(int key) {
    return (key == FL_Tab || key == kShiftTabKey) && !(Fl::event_state() & (FL_CTRL | FL_ALT));
}

// While a message box runs its own loop the keys are not active.
bool FocusIsInTheWindow() {
    if (Fl::modal() || !gFront.window) return false;
    const Fl_Widget* focus = Fl::focus();
    return focus && (focus == gFront.window || gFront.window->contains(focus));
}

bool FocusIsOnAControl() { return FocusIsInTheWindow() && Fl::focus() != gFront.window; }

// Returns 1 when the event was one of the window's own keys, used here.
int HandleWindowKey() {
    const int key = Fl::event_key();
    if (IsComputeKey(key) && FocusIsOnAControl()) {
        ui::ComputeCommand(gFront.state);
        return 1;
    }
    if (IsTabKey(key) && FocusIsInTheWindow()) {
        ui::TabKey(gFront.state, !(Fl::event_state() & FL_SHIFT) && key != kShiftTabKey);
        return 1;
    }
    return 0;
}

StaticText* AddStatic(const ui::ControlSpec& layout, ui::ControlRole role, const char16_t* text) {
    auto* control = new StaticText(layout.x, layout.y, layout.width, layout.height, layout.font, role,
                                   &gFront.state.currentLevel);
    char bytes[kStaticTextBytes];
    ToUtf8(TextOrEmpty(text), bytes, kStaticTextBytes);
    control->SetText(bytes);
    return control;
}

// Called for the user's edits only: Fl_Input::value(), which the program
// uses, runs no callback.
void OnInputEdited(Fl_Widget*, void*) { ui::InputEdited(gFront.state); }

Fl_Input* AddInputEdit(const ui::ControlSpec& layout) {
    auto* edit = new Fl_Input(layout.x, layout.y, layout.width, layout.height);
    edit->box(FL_DOWN_BOX);
    edit->color(ToFlColour(ui::kControlBackground));
    edit->textcolor(ToFlColour(ui::ControlTextColour(ui::ControlRole::InputEdit, 0)));
    edit->selection_color(ToFlColour(kInputSelection));
    edit->textfont(FontFace(layout.font));
    edit->textsize(FontSize(layout.font));
    edit->argument(layout.id);
    edit->callback(OnInputEdited);
    edit->when(FL_WHEN_CHANGED);
    return edit;
}

void AddInputRow(int32_t row, const InputField& input) {
    AddStatic(ui::InputLabelSpec(row), ui::ControlRole::InputLabel, input.label);
    gFront.inputEdits[row] = AddInputEdit(ui::InputEditSpec(row));
    char16_t text[kDefaultValueCapacity];
    ui::FormatDefaultValue(input.defaultValue, text, kDefaultValueCapacity);
    // Through the window service, as the commands set it.
    ui::SetControlText(gFront.state, row, text);
    if (input.unit && input.unit[0] != 0) {
        AddStatic(ui::InputUnitSpec(row), ui::ControlRole::Unit, input.unit);
    }
}

void OnButton(Fl_Widget*, long id) {
    ui::RunCommandForId(gFront.state, static_cast<int32_t>(id));
}

void AddFixedControls(const ToolDescriptor& tool) {
    int32_t button = 0;
    for (const ui::ControlSpec& layout : ui::kFixedControls) {
        switch (layout.kind) {
            case ui::ControlKind::Static:
                if (layout.slot == ui::kVerdictLineSlot) {
                    gFront.verdictLine = AddStatic(layout, ui::ControlRole::Verdict, layout.text);
                } else if (layout.textSource == ui::ControlText::Note) {
                    gFront.noteText = AddStatic(layout, ui::ControlRole::Note, tool.note);
                } else if (layout.textSource == ui::ControlText::Reference) {
                    char16_t reference[kReferenceCapacity];
                    FormatBounded(reference, kReferenceCapacity, ui::kReferenceTemplate,
                                  TextOrEmpty(tool.reference));
                    AddStatic(layout, ui::ControlRole::Reference, reference);
                }
                break;
            case ui::ControlKind::Edit:
                gFront.resultBox = new ResultDisplay(layout.x, layout.y, layout.width, layout.height);
                break;
            case ui::ControlKind::Button: {
                char caption[kCaptionBytes];
                ToUtf8(layout.text, caption, kCaptionBytes);
                auto* control = new PaintedButton(layout.x, layout.y, layout.width, layout.height,
                                                  caption, layout.id, &gFront.state);
                control->callback(OnButton, layout.id);
                if (button < ui::kButtonCount) gFront.buttons[button++] = control;
                break;
            }
        }
    }
}

// Escape closes an FLTK window by default; this one closes from its title
// bar only, like the Windows program.
void OnClose(Fl_Widget* window, void*) {
    if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
    window->hide();
}

}  // namespace

MainWindow::MainWindow(int x, int y, const char* caption)
    : Fl_Double_Window(x, y, ui::kClientWidth, ui::kClientHeight) {
    copy_label(caption);
    color(ToFlColour(ui::kWindowBackground));
}

int MainWindow::handle(int event) {
    switch (event) {
        case FL_KEYBOARD:
            // No group navigation: the arrow keys leave the focus be.
            return 0;
        case FL_FOCUS:
            // FLTK would hand the focus to the first control that takes it.
            if (gFront.lastFocus == this) return 1;
            if (gFront.lastFocus && contains(gFront.lastFocus) && gFront.lastFocus->take_focus()) {
                return 1;
            }
            return Fl_Double_Window::handle(event);
        default:
            return Fl_Double_Window::handle(event);
    }
}

void MainWindow::draw() {
    // A child's redraw() damages the window as well, clipped to the child's
    // box: the statics, which have no background, are always drawn over
    // freshly painted panel.
    if (damage() & ~FL_DAMAGE_CHILD) PaintClientArea(gFront.state, w(), h());
    draw_children();
}

FrontEnd& Front() { return gFront; }

MainWindow* CreateMainWindow(const ToolDescriptor& tool) {
    if (!OpenDisplay()) return nullptr;
    gFront = FrontEnd{};
    ui::InitializeWindowState(gFront.state, tool, kWindowServices, &gFront);
    RegisterFonts();

    // Centred in the first screen less its panels and taskbar.
    int areaX = 0, areaY = 0, areaWidth = 0, areaHeight = 0;
    Fl::screen_work_area(areaX, areaY, areaWidth, areaHeight, 0);
    char caption[kCaptionBytes];
    ToUtf8(TextOrEmpty(tool.title), caption, kCaptionBytes);
    const int x = ui::CentredOrigin(areaX, areaWidth, ui::kClientWidth);
    const int y = ui::CentredOrigin(areaY, areaHeight, ui::kClientHeight);
    auto* window = new MainWindow(x, y, caption);
    gFront.window = window;
    window->begin();
    for (int32_t row = 0; row < ClampedInputCount(tool); ++row) AddInputRow(row, tool.inputs[row]);
    AddFixedControls(tool);
    window->end();
    window->size_range(ui::kClientWidth, ui::kClientHeight, ui::kClientWidth,
                       ui::kClientHeight);
    window->xclass(kWindowClass);
    char share[kShareFolderBytes];
    if (InstalledShareFolder(share, kShareFolderBytes)) SetWindowIcons(*window, share);
    window->callback(OnClose);

    gPreviousDispatch = Fl::event_dispatch();
    Fl::event_dispatch(DispatchEvent);
    window->show();
    // FLTK puts a new window at least 20 pixels below the screen's top, for
    // a title bar it assumes, while it still reports the asked-for place;
    // the work area decides here.
    XMoveWindow(fl_display, fl_xid(window), x, y);
    PublishTitle(*window);
    // The first input, its text selected: typing replaces the default.
    ui::FocusControl(gFront.state, 0);
    gFront.lastFocus = Fl::focus();
    return window;
}

void DestroyMainWindow() {
    if (!gFront.window) return;
    Fl::event_dispatch(gPreviousDispatch);
    gFront.window->hide();
    delete gFront.window;
    gFront = FrontEnd{};
}

int DispatchEvent(int event, Fl_Window* window) {
    int used = event == FL_KEYBOARD ? HandleWindowKey() : 0;
    if (event == FL_PUSH && window == gFront.window && ui::PointerPressed(gFront.state) &&
        Fl::focus()) {
        Fl::focus()->redraw();  // a focused button drops its rectangle
    }
    if (!used) {
        used = gPreviousDispatch ? gPreviousDispatch(event, window) : Fl::handle_(event, window);
    }
    if (gFront.window && gFront.window->contains(Fl::focus())) gFront.lastFocus = Fl::focus();
    return used;
}

}  // namespace tarn::fltk

namespace tarn::ui {

int32_t RunDesktopWindow(void*, const ToolDescriptor& tool) {
    if (!fltk::CreateMainWindow(tool)) {
        std::fputs("ordavel: cannot open the display for the window\n", stderr);
        return 1;
    }
    Fl::run();
    return 0;
}

}  // namespace tarn::ui
