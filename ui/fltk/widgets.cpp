#include "ui/fltk/widgets.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "ui/fltk/fonts.h"
#include "ui/layout.h"
#include "ui/palette.h"
#include "ui/paint.h"
#include "ui/scale.h"

namespace tarn::fltk {
namespace {

// Fl_Text_Display keeps 3 pixels left and right of the text, at any scale.
constexpr int kTextMargins = 6;
// While the report has the keyboard focus its sunken border is drawn in
// the caption blue instead of FLTK's greys: the ring is on the border
// alone, so the text, the scrollbar and the report at rest look as before.
constexpr uint32_t kFocusRing = ui::kHeaderBand;

}  // namespace

StaticText::StaticText(int x, int y, int width, int height, int32_t font, ui::ControlRole role,
                       const int32_t* level)
    : Fl_Widget(x, y, width, height), font_(font), role_(role), level_(level) {
    box(FL_NO_BOX);
    align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT | FL_ALIGN_WRAP);
    labelfont(FontFace(font));
    labelsize(FontSize(font));
    clear_visible_focus();
}

void StaticText::SetText(const char* utf8) {
    copy_label(utf8);
    redraw();
}

const char* StaticText::Text() const { return label() ? label() : ""; }

uint32_t StaticText::Colour() const { return ui::ControlTextColour(role_, level_ ? *level_ : 0); }

void StaticText::draw() {
    const TextAlign align = role_ == ui::ControlRole::InputLabel ? TextAlign::Right : TextAlign::Left;
    WrappedTextInBox(x(), y(), w(), h(), Text(), Colour(), font_, align);
}

PaintedButton::PaintedButton(int x, int y, int width, int height, const char* label,
                             const char16_t* caption, int32_t id, const ui::WindowState* state)
    : Fl_Button(x, y, width, height), caption_(caption), state_(state) {
    copy_label(label);
    labelfont(FontFace(ui::kButtonFont));
    labelsize(FontSize(ui::kButtonFont));
    argument(id);
}

ui::ButtonKind PaintedButton::Kind() const {
    return ui::ButtonKindOf(static_cast<int32_t>(argument()));
}

bool PaintedButton::Primary() const { return Kind() == ui::ButtonKind::Primary; }

void PaintedButton::draw() {
    if (!state_) return;
    ui::PaintButton(*state_, ScreenPainter(), {x(), y(), w(), h()}, caption_, Kind(), value() != 0,
                    Fl::focus() == this);
}

ResultDisplay::ResultDisplay(int x, int y, int width, int height, double scale)
    : Fl_Text_Display(x, y, width, height), text_(new Fl_Text_Buffer) {
    buffer(text_);
    box(FL_DOWN_BOX);
    color(ToFlColour(ui::kControlBackground));
    textfont(FontFace(ui::kResultFont));
    textsize(FontSize(ui::kResultFont));
    textcolor(ToFlColour(ui::ControlTextColour(ui::ControlRole::ResultBox, 0)));
    // Long lines wrap before the scrollbar, as in a multi-line edit without
    // a horizontal scrollbar, whether the scrollbar is in use or not.
    scrollbar_align(FL_ALIGN_RIGHT);
    scrollbar_width(ui::Scaled(scrollbar_width(), scale));
    wrap_mode(WRAP_AT_PIXEL, width - Fl::box_dw(FL_DOWN_BOX) - scrollbar_width() -
                                 kTextMargins);
    argument(ui::kResultBoxId);
}

ResultDisplay::~ResultDisplay() {
    buffer(static_cast<Fl_Text_Buffer*>(nullptr));
    delete text_;
}

bool ResultDisplay::Scrollable() const { return mVScrollBar->visible() != 0; }

bool ResultDisplay::ShowsFocus() const { return Fl::focus() == this; }

void ResultDisplay::draw() {
    Fl_Text_Display::draw();
    if (!Scrollable()) DrawInactiveScrollbar();
    if (ShowsFocus()) DrawFocusRing();
}

// FLTK hides the scrollbar while everything fits; it is drawn all the same,
// inactive, over the right end of the text area, and hidden again so that
// FLTK's own layout and event handling stay as they were.
void ResultDisplay::DrawInactiveScrollbar() {
    mVScrollBar->resize(x() + w() - Fl::box_dx(box()) - scrollbar_width(),
                        y() + Fl::box_dy(box()), scrollbar_width(), h() - Fl::box_dh(box()));
    mVScrollBar->value(0, 1, 0, 1);
    mVScrollBar->deactivate();
    mVScrollBar->set_visible();
    draw_child(*mVScrollBar);
    mVScrollBar->clear_visible();
    mVScrollBar->activate();
}

void ResultDisplay::DrawFocusRing() {
    fl_color(ToFlColour(kFocusRing));
    for (int inset = 0; inset < Fl::box_dx(box()); ++inset) {
        fl_rect(x() + inset, y() + inset, w() - 2 * inset, h() - 2 * inset);
    }
}

int ResultDisplay::handle(int event) {
    const int used = Fl_Text_Display::handle(event);
    switch (event) {
        case FL_FOCUS:
        case FL_UNFOCUS:
            // The border shows the focus: drawn again whole, box included.
            redraw();
            return 1;
        case FL_PUSH:
            // A click puts the keyboard focus here, as in the read-only
            // edit, so that Enter and F5 run the window's shortcut from the
            // report too.
            if (Fl::focus() != this) take_focus();
            return used;
        default:
            return used;
    }
}

}  // namespace tarn::fltk
