// Start-up of the FLTK window: the controls from the layout table, the
// painting order and the Enter/F5 shortcut.
#include "ui/fltk/main_window.h"

#include <FL/Fl.H>

#include <cstdio>

#include "ui/commands.h"
#include "ui/fltk/desktop.h"
#include "ui/fltk/desktop_metrics.h"
#include "ui/fltk/fonts.h"
#include "ui/fltk/icon.h"
#include "ui/fltk/painting.h"
#include "ui/fltk/utf.h"
#include "ui/fltk/xlib_safe.h"
#include "ui/fltk/window_title.h"
#include "ui/control_tree.h"
#include "ui/keyboard.h"
#include "ui/layout.h"
#include "ui/paint.h"
#include "ui/palette.h"
#include "ui/scale.h"
#include "ui/texts.h"

namespace tarn::fltk {
namespace {

// Room for a control's first text: a note of 4095 units; UTF-8 takes at
// most three bytes for each.
constexpr int32_t kStaticTextChars = 4096;
constexpr int32_t kCaptionBytes = 512 * 3 + 1;
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

bool IsEnterKey(int key) { return key == FL_Enter || key == FL_KP_Enter; }

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
    if (IsEnterKey(key) && FocusIsOnAControl()) {
        ui::EnterKey(gFront.state);
        return 1;
    }
    if (key == FL_F + 5 && FocusIsOnAControl()) {
        ui::F5Key(gFront.state);
        return 1;
    }
    if (IsTabKey(key) && FocusIsInTheWindow()) {
        ui::TabKey(gFront.state, !(Fl::event_state() & FL_SHIFT) && key != kShiftTabKey);
        return 1;
    }
    return 0;
}

// Called for the user's edits only: Fl_Input::value(), which the program
// uses, runs no callback.
void OnInputEdited(Fl_Widget* edit, void*) {
    ui::InputEdited(gFront.state, static_cast<int32_t>(edit->argument()) - ui::kFirstInputEditId);
}

void OnButton(Fl_Widget*, long id) {
    ui::RunCommandForId(gFront.state, static_cast<int32_t>(id));
}

StaticText* AddStatic(const ui::ControlLayout& layout, const char* text) {
    const ui::Box& box = layout.box;
    auto* control = new StaticText(box.x, box.y, box.width, box.height, layout.font, layout.role,
                                   &gFront.state.currentLevel);
    control->SetText(text);
    return control;
}

Fl_Input* AddInputEdit(const ui::ControlLayout& layout, const char* text) {
    const ui::Box& box = layout.box;
    auto* edit = new Fl_Input(box.x, box.y, box.width, box.height);
    edit->box(FL_DOWN_BOX);
    edit->color(ToFlColour(ui::kControlBackground));
    edit->textcolor(ToFlColour(ui::ControlTextColour(layout.role, 0)));
    edit->selection_color(ToFlColour(kInputSelection));
    edit->textfont(FontFace(layout.font));
    edit->textsize(FontSize(layout.font));
    edit->argument(layout.id);
    edit->value(text);  // no callback: the program's text is no edit
    edit->callback(OnInputEdited);
    edit->when(FL_WHEN_CHANGED);
    return edit;
}

PaintedButton* AddButton(const ui::ControlLayout& layout, const char* caption) {
    const ui::Box& box = layout.box;
    auto* button = new PaintedButton(box.x, box.y, box.width, box.height, caption, layout.caption,
                                     layout.id, &gFront.state);
    button->callback(OnButton, layout.id);
    return button;
}

// One widget of the control tree, with the text it starts with, kept where
// the window services find it by its slot.
void AddControl(const ui::ControlLayout& layout, const ToolDescriptor& tool) {
    char16_t text[kStaticTextChars];
    char bytes[kStaticTextChars * 3 + 1];
    ui::InitialControlText(layout, tool, text, kStaticTextChars);
    ToUtf8(text, bytes, sizeof bytes);
    const int32_t slot = layout.slot;
    switch (layout.kind) {
        case ui::ControlKind::Static: {
            StaticText* control = AddStatic(layout, bytes);
            if (slot == ui::kVerdictLineSlot) gFront.verdictLine = control;
            if (slot == ui::kNoteTextSlot) gFront.noteText = control;
            return;
        }
        case ui::ControlKind::Edit:
            if (slot >= 0 && slot < kMaxInputs) gFront.inputEdits[slot] = AddInputEdit(layout, bytes);
            return;
        case ui::ControlKind::Report: {
            const ui::Box& box = layout.box;
            gFront.resultBox =
                new ResultDisplay(box.x, box.y, box.width, box.height, gFront.state.scale);
            return;
        }
        case ui::ControlKind::Button:
            if (ui::IsButtonSlot(slot)) {
                gFront.buttons[slot - ui::kFirstButtonSlot] = AddButton(layout, bytes);
            }
            return;
    }
}

// Where the window opens and the scale it is drawn at.
struct Placement {
    double scale;
    ui::Size client;
    int x, y;  // the client area's top-left on the screen
};

// The desktop's scale, shrunk until the window and its frame fit the work
// area of the first screen (the screen less its panels and taskbar), and
// centred there with its frame. FLTK asks for static gravity: the place is
// the client area's, and the frame goes around it.
Placement PlaceInWorkArea() {
    int areaX = 0, areaY = 0, areaWidth = 0, areaHeight = 0;
    Fl::screen_work_area(areaX, areaY, areaWidth, areaHeight, 0);
    const FrameExtents frame = WindowManagerFrame();
    const ui::Size frameSize = FrameSize(frame);
    const double scale = ui::FittedScale(DesktopScale(), {areaWidth, areaHeight}, frameSize);
    const ui::Size client = ui::ClientSize(scale);
    return {scale, client,
            ui::CentredOrigin(areaX, areaWidth, client.width + frameSize.width) + frame.left,
            ui::CentredOrigin(areaY, areaHeight, client.height + frameSize.height) + frame.top};
}

// Escape closes an FLTK window by default; this one closes from its title
// bar only, like the Windows program.
void OnClose(Fl_Widget* window, void*) {
    if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
    window->hide();
}

}  // namespace

MainWindow::MainWindow(int x, int y, int width, int height, const char* caption)
    : Fl_Double_Window(x, y, width, height) {
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
    if (damage() & ~FL_DAMAGE_CHILD) ui::PaintClientArea(gFront.state, ScreenPainter(), {w(), h()});
    draw_children();
}

FrontEnd& Front() { return gFront; }

MainWindow* CreateMainWindow(const ToolDescriptor& tool) {
    if (!OpenDisplay()) return nullptr;
    gFront = FrontEnd{};
    ui::InitializeWindowState(gFront.state, tool, kWindowServices, &gFront);
    RegisterFonts();

    // The scale first: the controls' boxes and fonts are made at it.
    const Placement place = PlaceInWorkArea();
    gFront.state.scale = place.scale;
    SetFontScale(place.scale);
    char caption[kCaptionBytes];
    ToUtf8(TextOrEmpty(tool.title), caption, kCaptionBytes);
    auto* window =
        new MainWindow(place.x, place.y, place.client.width, place.client.height, caption);
    gFront.window = window;
    window->begin();
    ui::ControlLayout tree[ui::kMaxControls];
    const int32_t count = ui::BuildControlTree(tool, gFront.state.scale, tree, ui::kMaxControls);
    for (int32_t i = 0; i < count; ++i) AddControl(tree[i], tool);
    window->end();
    window->size_range(place.client.width, place.client.height, place.client.width,
                       place.client.height);
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
    XMoveWindow(fl_display, fl_xid(window), place.x, place.y);
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

int32_t RunDesktopWindow(void*, const ToolDescriptor& tool) {
    if (!CreateMainWindow(tool)) {
        std::fputs("ordavel: cannot open the display for the window\n", stderr);
        return 1;
    }
    Fl::run();
    return 0;
}

}  // namespace tarn::fltk
