// The window's own widgets: transparent word-wrapped statics, owner-drawn
// buttons and the read-only result display. Each overrides draw() and, where
// it takes events, handle(); events it does not use go to its base class.
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Widget.H>

#include <cstdint>

#include "ui/fltk/painting.h"
#include "ui/fltk/xlib_safe.h"
#include "ui/window_state.h"

namespace tarn::fltk {

// A static text on a white panel, with no background of its own (the
// window paints the panel under it on every redraw).
class StaticText : public Fl_Widget {
public:
    // `level` is read at each drawing; it colours the verdict.
    StaticText(int x, int y, int width, int height, int32_t font, ui::ControlRole role,
               const int32_t* level);
    void SetText(const char* utf8);
    const char* Text() const;
    int32_t FontNumber() const { return font_; }
    ui::ControlRole Role() const { return role_; }
    uint32_t Colour() const;

protected:
    void draw() override;

private:
    int32_t font_;
    ui::ControlRole role_;
    const int32_t* level_;
};

// A flat button painted in the window's colours, with a dotted focus
// rectangle while the keyboard has put the focus on it. Its control id is
// the callback argument.
class PaintedButton : public Fl_Button {
public:
    // `label` is the caption in UTF-8, as FLTK keeps it; `caption` the same
    // for the shared painting. `state` is read at each drawing: its scale,
    // and whether focus shows.
    PaintedButton(int x, int y, int width, int height, const char* label, const char16_t* caption,
                  int32_t id, const ui::WindowState* state);
    ui::ButtonKind Kind() const;
    bool Primary() const;

protected:
    void draw() override;

private:
    const char16_t* caption_;
    const ui::WindowState* state_;
};

// The read-only multi-line report with its vertical scrollbar always there,
// inactive while the report fits, as in a multi-line edit with a scroll
// bar; it owns its text buffer. The scrollbar is as wide as FLTK's at
// `scale`. It takes the keyboard focus (after a computation, by Tab while
// it holds a result, by a click) and shows it with a coloured border;
// typed text changes nothing.
class ResultDisplay : public Fl_Text_Display {
public:
    ResultDisplay(int x, int y, int width, int height, double scale);
    ~ResultDisplay() override;
    ResultDisplay(const ResultDisplay&) = delete;
    ResultDisplay& operator=(const ResultDisplay&) = delete;
    Fl_Text_Buffer& Text() { return *text_; }

    int handle(int event) override;
    // True while the report is longer than the box and can be scrolled.
    bool Scrollable() const;
    // True while it has the keyboard focus, and draws its focus ring.
    bool ShowsFocus() const;

protected:
    void draw() override;

private:
    void DrawInactiveScrollbar();
    void DrawFocusRing();

    Fl_Text_Buffer* text_;
};

}  // namespace tarn::fltk
