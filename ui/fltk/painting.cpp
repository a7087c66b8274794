#include "ui/fltk/painting.h"

#include <initializer_list>

#include "engine/format.h"
#include "ui/fltk/fonts.h"
#include "ui/fltk/text_layout.h"
#include "ui/fltk/utf.h"
#include "ui/fltk/xlib_safe.h"
#include "ui/layout.h"
#include "ui/palette.h"
#include "ui/texts.h"

namespace tarn::fltk {
namespace {

constexpr char kEllipsis[] = "...";
constexpr int32_t kMaxLines = 64;
// A painted text of at most 256 UTF-16 units (the longest buffer painted
// here) needs at most three bytes per unit.
constexpr int32_t kPaintedTextBytes = 256 * 3 + 1;

double MeasureWithCurrentFont(const char* text, int32_t length) {
    return fl_width(text, static_cast<int>(length));
}

int TextLength(const char* text) {
    int length = 0;
    while (text[length] != 0) ++length;
    return length;
}

int AlignedX(int x, int width, double textWidth, TextAlign align) {
    const int textPixels = static_cast<int>(textWidth + 0.5);
    switch (align) {
        case TextAlign::Left: return x;
        case TextAlign::Centre: return x + (width - textPixels) / 2;
        case TextAlign::Right: return x + width - textPixels;
    }
    return x;
}

void PaintText(const ui::Box& box, const char16_t* text, uint32_t colour, int32_t font,
               TextAlign align) {
    char bytes[kPaintedTextBytes];
    ToUtf8(text, bytes, kPaintedTextBytes);
    TextInBox(box.x, box.y, box.width, box.height, bytes, colour, font, align);
}

void FillRegion(const ui::Box& box, uint32_t colour) {
    FillBox(box.x, box.y, box.width, box.height, colour);
}

}  // namespace

Fl_Color ToFlColour(uint32_t rgb) {
    return fl_rgb_color(ui::RedOf(rgb), ui::GreenOf(rgb), ui::BlueOf(rgb));
}

void FillBox(int x, int y, int width, int height, uint32_t colour) {
    fl_rectf(x, y, width, height, ui::RedOf(colour), ui::GreenOf(colour), ui::BlueOf(colour));
}

void FrameBox(int x, int y, int width, int height, uint32_t colour) {
    fl_color(ToFlColour(colour));
    fl_rect(x, y, width, height);
}

void TextInBox(int x, int y, int width, int height, const char* text, uint32_t colour,
               int32_t font, TextAlign align) {
    SelectFont(font);
    fl_color(ToFlColour(colour));
    const int length = TextLength(text);
    int shown = length;
    double textWidth = fl_width(text, length);
    bool ellipsis = false;
    if (textWidth > width) {
        const double ellipsisWidth = fl_width(kEllipsis);
        shown = EllipsisPrefix(text, length, width, ellipsisWidth, MeasureWithCurrentFont);
        textWidth = fl_width(text, shown) + ellipsisWidth;
        ellipsis = true;
    }
    const int lineHeight = fl_height();
    const int baseline = y + (height - lineHeight) / 2 + lineHeight - fl_descent();
    const int left = AlignedX(x, width, textWidth, align);
    fl_push_clip(x, y, width, height);
    fl_draw(text, shown, left, baseline);
    if (ellipsis) fl_draw(kEllipsis, left + static_cast<int>(fl_width(text, shown) + 0.5), baseline);
    fl_pop_clip();
}

void WrappedTextInBox(int x, int y, int width, int height, const char* text, uint32_t colour,
                      int32_t font, TextAlign align) {
    SelectFont(font);
    fl_color(ToFlColour(colour));
    LineSpan lines[kMaxLines];
    const int32_t count =
        BreakLines(text, TextLength(text), width, MeasureWithCurrentFont, lines, kMaxLines);
    const int lineHeight = fl_height();
    fl_push_clip(x, y, width, height);
    for (int32_t i = 0; i < count && i * lineHeight < height; ++i) {
        const char* line = text + lines[i].start;
        const int left = AlignedX(x, width, fl_width(line, lines[i].length), align);
        fl_draw(line, lines[i].length, left, y + i * lineHeight + lineHeight - fl_descent());
    }
    fl_pop_clip();
}

void PaintClientArea(const ui::WindowState& state, int width, int height) {
    const ToolDescriptor& tool = *state.tool;
    FillBox(0, 0, width, height, ui::kWindowBackground);                    // 1
    FillBox(0, 0, width, ui::kHeaderHeight, ui::kHeaderBand);               // 2
    FillRegion(ui::kAccentStripBox, ui::kAccentStrip);                     // 3
    PaintText(ui::kTitleBox, tool.title, ui::kWhite, ui::kTitleFont, TextAlign::Left);  // 4
    char16_t subtitle[256];                                                 // 5
    FormatBounded(subtitle, 256, ui::kSubtitleTemplate, TextOrEmpty(tool.category),
                  TextOrEmpty(tool.subtitle));
    PaintText(ui::kSubtitleBox, subtitle, ui::kSubtitleText, ui::kSubtitleFont, TextAlign::Left);
    // 6: this build names no maker's web address, so the header's right end stays empty.
    for (const ui::Box& panel : {ui::kLeftPanel, ui::kRightPanel}) {         // 7, 8
        FillRegion(panel, ui::kWhite);
        FrameBox(panel.x, panel.y, panel.width, panel.height, ui::kPanelBorder);
    }
    PaintText(ui::kInputsCaptionBox, ui::kInputsCaption, ui::kHeaderBand, ui::kSubtitleFont,
              TextAlign::Left);                                             // 9
    PaintText(ui::kResultsCaptionBox, ui::kResultsCaption, ui::kHeaderBand, ui::kSubtitleFont,
              TextAlign::Left);
    FillRegion(ui::kInputsRule, ui::kCaptionRule);                          // 10
    FillRegion(ui::kResultsRule, ui::kCaptionRule);
    FillBox(0, ui::kFooterTop, width, height - ui::kFooterTop, ui::kFooterBand);  // 11
    PaintText(ui::kStatusBox, state.statusLine, ui::kMutedText, ui::kSmallFont,
              TextAlign::Right);                                            // 12
}

void DrawButtonFace(int x, int y, int width, int height, const char* caption, bool primary,
                    bool pressed) {
    if (primary) {
        FillBox(x, y, width, height, pressed ? ui::kPrimaryFillPressed : ui::kPrimaryFill);
        FrameBox(x, y, width, height, ui::kPrimaryBorder);
    } else {
        FillBox(x, y, width, height, pressed ? ui::kButtonFillPressed : ui::kWhite);
        FrameBox(x, y, width, height, ui::kButtonBorder);
    }
    TextInBox(x, y, width, height, caption, primary ? ui::kWhite : ui::kMainText,
              ui::kButtonFont, TextAlign::Centre);
}

uint32_t StaticTextColour(StaticRole role, int32_t level) {
    switch (role) {
        case StaticRole::Verdict: return ui::VerdictColour(level);
        case StaticRole::Note: return ui::kMainText;
        case StaticRole::InputLabel:
        case StaticRole::Unit:
        case StaticRole::Reference: return ui::kMutedText;
    }
    return ui::kMutedText;
}

}  // namespace tarn::fltk
