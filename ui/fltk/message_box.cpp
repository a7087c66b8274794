#include "ui/fltk/message_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>

#include "ui/fltk/fonts.h"
#include "ui/fltk/utf.h"
#include "ui/fltk/window_title.h"
#include "ui/fltk/xlib_safe.h"
#include "ui/layout.h"
#include "ui/scale.h"
#include "ui/texts.h"

namespace tarn::fltk {
namespace {

// The box's lengths at s = 1.
constexpr int kMargin = 12;
constexpr int kIconSize = 50;
constexpr int kGlyphSize = 34;
constexpr int kLongestLine = 560;  // wider texts wrap
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 28;
constexpr int kButtonGap = 10;
// FLTK draws a left-aligned label 3 pixels in from each side of its box,
// at any scale.
constexpr int kLabelInset = 6;
constexpr int kCaptionBytes = 64;

// The box's lengths at the window's scale.
struct BoxMetrics {
    int margin, iconSize, glyphSize, longestLine, buttonWidth, buttonHeight, buttonGap;
    int textSize;
    int TextLeft() const { return margin + iconSize + margin; }
};

BoxMetrics MetricsAt(double scale) {
    return {ui::Scaled(kMargin, scale),       ui::Scaled(kIconSize, scale),
            ui::Scaled(kGlyphSize, scale),    ui::Scaled(kLongestLine, scale),
            ui::Scaled(kButtonWidth, scale),  ui::Scaled(kButtonHeight, scale),
            ui::Scaled(kButtonGap, scale),    ui::FontHeight(ui::kInputEditFont, scale)};
}

int TextFace() { return FontFace(ui::kInputEditFont); }

class MessageBox : public Fl_Window {
public:
    MessageBox(int width, int height, BoxButtons buttons)
        : Fl_Window(width, height), buttons_(buttons) {}

    void SetButtons(Fl_Button* yes, Fl_Button* no) {
        yes_ = yes;
        no_ = no;
    }
    Fl_Button* DefaultButton() const { return no_ ? no_ : yes_; }
    bool Answered() const { return answer_; }

    void Answer(bool yes) {
        answer_ = yes;
        hide();
    }
    // Escape and the close button: No, or OK when there is no question.
    void Decline() { Answer(buttons_ == BoxButtons::Ok); }

    int handle(int event) override {
        const bool key = event == FL_KEYBOARD || event == FL_SHORTCUT;
        if (key && !(Fl::event_state() & (FL_CTRL | FL_META))) {
            return AnswerKey(Fl::event_key()) ? 1 : Fl_Window::handle(event);
        }
        // The window manager's focus lands on the window: FLTK would give it
        // to the first button rather than keep the default one.
        if (event == FL_FOCUS && Fl::focus() && contains(Fl::focus())) return 1;
        return Fl_Window::handle(event);
    }

private:
    // Escape; Enter on the button with the focus; Y and N in a question.
    bool AnswerKey(int key) {
        if (key == FL_Escape) {
            Decline();
            return true;
        }
        if (key == FL_Enter || key == FL_KP_Enter) {
            Answer(Fl::focus() == yes_ || buttons_ == BoxButtons::Ok);
            return true;
        }
        if (buttons_ == BoxButtons::YesNo && (key == 'y' || key == 'n')) {
            Answer(key == 'y');
            return true;
        }
        return false;
    }

    BoxButtons buttons_;
    Fl_Button* yes_ = nullptr;
    Fl_Button* no_ = nullptr;
    bool answer_ = false;
};

void OnYes(Fl_Widget* button, void*) { static_cast<MessageBox*>(button->window())->Answer(true); }
void OnNo(Fl_Widget* button, void*) { static_cast<MessageBox*>(button->window())->Answer(false); }
void OnClose(Fl_Widget* window, void*) { static_cast<MessageBox*>(window)->Decline(); }

Fl_Button* AddButton(const BoxMetrics& metrics, int x, int y, const char16_t* caption,
                     Fl_Callback* onPress) {
    char bytes[kCaptionBytes];
    ToUtf8(caption, bytes, kCaptionBytes);
    auto* button = new Fl_Button(x, y, metrics.buttonWidth, metrics.buttonHeight);
    button->copy_label(bytes);
    button->labelfont(TextFace());
    button->labelsize(metrics.textSize);
    button->callback(onPress);
    return button;
}

// Right-aligned from `right`, Yes before No as in a Windows box.
void AddButtons(MessageBox& box, const BoxMetrics& metrics, BoxButtons buttons, int right,
                int top) {
    if (buttons == BoxButtons::Ok) {
        const int left = right - metrics.buttonWidth;
        box.SetButtons(AddButton(metrics, left, top, ui::kOkButton, OnYes), nullptr);
        return;
    }
    const int left = right - 2 * metrics.buttonWidth - metrics.buttonGap;
    Fl_Button* yes = AddButton(metrics, left, top, ui::kYesButton, OnYes);
    Fl_Button* no = AddButton(metrics, left + metrics.buttonWidth + metrics.buttonGap, top,
                              ui::kNoButton, OnNo);
    box.SetButtons(yes, no);
}

void AddIcon(const BoxMetrics& metrics, BoxIcon icon) {
    auto* glyph = new Fl_Box(metrics.margin, metrics.margin, metrics.iconSize, metrics.iconSize,
                             icon == BoxIcon::Warning ? "!" : "i");
    glyph->box(FL_THIN_UP_BOX);
    glyph->labelfont(FL_TIMES_BOLD);
    glyph->labelsize(metrics.glyphSize);
    glyph->color(FL_WHITE);
    glyph->labelcolor(FL_BLUE);
}

// The text's size when drawn, wrapped at the longest line.
void MeasureText(const BoxMetrics& metrics, const char* text, int& width, int& height) {
    fl_font(TextFace(), metrics.textSize);
    width = 0;
    height = 0;
    fl_measure(text, width, height);
    if (width > metrics.longestLine) {
        width = metrics.longestLine;
        fl_measure(text, width, height);
    }
}

// Centred on the owner, kept inside the work area of the owner's screen.
void Place(MessageBox& box, Fl_Window* owner) {
    int areaX = 0, areaY = 0, areaWidth = 0, areaHeight = 0;
    int x = 0, y = 0;
    if (owner && owner->shown()) {
        const int centreX = owner->x() + owner->w() / 2;
        const int centreY = owner->y() + owner->h() / 2;
        Fl::screen_work_area(areaX, areaY, areaWidth, areaHeight, centreX, centreY);
        x = centreX - box.w() / 2;
        y = centreY - box.h() / 2;
    } else {
        Fl::screen_work_area(areaX, areaY, areaWidth, areaHeight, 0);
        x = areaX + (areaWidth - box.w()) / 2;
        y = areaY + (areaHeight - box.h()) / 2;
    }
    if (x + box.w() > areaX + areaWidth) x = areaX + areaWidth - box.w();
    if (y + box.h() > areaY + areaHeight) y = areaY + areaHeight - box.h();
    if (x < areaX) x = areaX;
    if (y < areaY) y = areaY;
    box.position(x, y);
}

}  // namespace

bool RunMessageBox(Fl_Window* owner, const char* title, const char* text, BoxIcon icon,
                   BoxButtons buttons, double scale) {
    const BoxMetrics metrics = MetricsAt(scale);
    int textWidth = 0;
    int textHeight = 0;
    MeasureText(metrics, text, textWidth, textHeight);
    const int buttonCount = buttons == BoxButtons::YesNo ? 2 : 1;
    const int buttonsWidth =
        buttonCount * metrics.buttonWidth + (buttonCount - 1) * metrics.buttonGap;
    const int bodyHeight = textHeight > metrics.iconSize ? textHeight : metrics.iconSize;
    int width = metrics.TextLeft() + textWidth + kLabelInset + metrics.margin;
    if (width < buttonsWidth + 2 * metrics.margin) width = buttonsWidth + 2 * metrics.margin;
    const int buttonsTop = metrics.margin + bodyHeight + metrics.margin;
    const int height = buttonsTop + metrics.buttonHeight + metrics.margin;

    MessageBox box(width, height, buttons);
    box.copy_label(title);
    AddIcon(metrics, icon);
    auto* message = new Fl_Box(metrics.TextLeft(), metrics.margin + (bodyHeight - textHeight) / 2,
                               width - metrics.TextLeft() - metrics.margin, textHeight);
    message->copy_label(text);
    message->labelfont(TextFace());
    message->labelsize(metrics.textSize);
    message->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
    AddButtons(box, metrics, buttons, width - metrics.margin, buttonsTop);
    box.end();
    box.callback(OnClose);
    box.set_modal();
    Place(box, owner);

    box.show();
    PublishTitle(box);
    box.DefaultButton()->take_focus();
    while (box.shown()) Fl::wait();
    return box.Answered();
}

}  // namespace tarn::fltk
