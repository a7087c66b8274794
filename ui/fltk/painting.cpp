#include "ui/fltk/painting.h"

#include "platform/unicode.h"
#include "ui/fltk/fonts.h"
#include "ui/fltk/text_layout.h"
#include "ui/fltk/utf.h"
#include "ui/fltk/xlib_safe.h"
#include "ui/paint.h"
#include "ui/palette.h"

namespace tarn::fltk {
namespace {

constexpr char kEllipsis[] = "...";
constexpr int32_t kMaxLines = 64;
// A region's text of at most kRegionTextCapacity - 1 UTF-16 units needs
// at most three bytes per unit.
constexpr int32_t kPaintedTextBytes = (ui::kRegionTextCapacity - 1) * 3 + 1;

double MeasureWithCurrentFont(const char* text, int32_t length) {
    return fl_width(text, static_cast<int>(length));
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

}  // namespace

Fl_Color ToFlColour(uint32_t rgb) {
    return fl_rgb_color(ui::RedOf(rgb), ui::GreenOf(rgb), ui::BlueOf(rgb));
}

void TextInBox(int x, int y, int width, int height, const char* text, uint32_t colour,
               int32_t font, TextAlign align) {
    SelectFont(font);
    fl_color(ToFlColour(colour));
    const int length = platform::NarrowLength(text);
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

int WrappedTextHeight(int width, const char* text, int32_t font) {
    SelectFont(font);
    LineSpan lines[kMaxLines];
    const int32_t count = BreakLines(text, platform::NarrowLength(text), width,
                                     MeasureWithCurrentFont, lines, kMaxLines);
    return static_cast<int>(count) * fl_height();
}

void WrappedTextInBox(int x, int y, int width, int height, const char* text, uint32_t colour,
                      int32_t font, TextAlign align) {
    SelectFont(font);
    fl_color(ToFlColour(colour));
    LineSpan lines[kMaxLines];
    const int32_t count = BreakLines(text, platform::NarrowLength(text), width,
                                     MeasureWithCurrentFont, lines, kMaxLines);
    const int lineHeight = fl_height();
    fl_push_clip(x, y, width, height);
    for (int32_t i = 0; i < count && i * lineHeight < height; ++i) {
        const char* line = text + lines[i].start;
        const int left = AlignedX(x, width, fl_width(line, lines[i].length), align);
        fl_draw(line, lines[i].length, left, y + i * lineHeight + lineHeight - fl_descent());
    }
    fl_pop_clip();
}

namespace {

void FillBox(void*, ui::Box box, uint32_t colour) {
    fl_rectf(box.x, box.y, box.width, box.height, ui::RedOf(colour), ui::GreenOf(colour),
             ui::BlueOf(colour));
}

// Inside the box, `lineWidth` pixels: four bands.
void FrameBox(void*, ui::Box box, uint32_t colour, int32_t lineWidth) {
    const int32_t line = lineWidth < box.height ? lineWidth : box.height;
    FillBox(nullptr, {box.x, box.y, box.width, line}, colour);
    FillBox(nullptr, {box.x, box.y + box.height - line, box.width, line}, colour);
    FillBox(nullptr, {box.x, box.y, line, box.height}, colour);
    FillBox(nullptr, {box.x + box.width - line, box.y, line, box.height}, colour);
}

void TextInBoxOfUnits(void*, ui::Box box, const char16_t* text, uint32_t colour, int32_t font,
                      ui::TextAlign align) {
    char bytes[kPaintedTextBytes];
    ToUtf8(text, bytes, kPaintedTextBytes);
    TextInBox(box.x, box.y, box.width, box.height, bytes, colour, font, align);
}

}  // namespace

const ui::Painter& ScreenPainter() {
    static const ui::Painter kPainter = {FillBox, FrameBox, TextInBoxOfUnits, nullptr};
    return kPainter;
}

}  // namespace tarn::fltk
