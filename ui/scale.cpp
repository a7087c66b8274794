#include "ui/scale.h"

#include <cmath>

namespace tarn::ui {
namespace {

int32_t Rounded(double value) { return static_cast<int32_t>(std::floor(value + 0.5)); }

}  // namespace

double DisplayScale(int32_t dpi) {
    return dpi > 0 ? static_cast<double>(dpi) / kDesignDpi : 1.0;
}

int32_t Scaled(int32_t length, double scale) { return Rounded(length * scale); }

Box ScaledBox(Box box, double scale) {
    const int32_t left = Scaled(box.x, scale);
    const int32_t top = Scaled(box.y, scale);
    return {left, top, Scaled(box.x + box.width, scale) - left,
            Scaled(box.y + box.height, scale) - top};
}

int32_t LineWidth(double scale) {
    const int32_t width = Rounded(scale);
    return width < 1 ? 1 : width;
}

int32_t FontHeight(int32_t font, double scale) {
    if (font < 1 || font > kFontCount) return 1;
    const int32_t height = Scaled(kFonts[font - 1].height, scale);
    return height < 1 ? 1 : height;
}

Size ClientSize(double scale) {
    return {Scaled(kClientWidth, scale), Scaled(kClientHeight, scale)};
}

double FittedScale(double wanted, Size workArea, Size frame) {
    const double across = static_cast<double>(workArea.width - frame.width) / kClientWidth;
    const double down = static_cast<double>(workArea.height - frame.height) / kClientHeight;
    double scale = wanted;
    if (across < scale) scale = across;
    if (down < scale) scale = down;
    return scale < kSmallestScale ? kSmallestScale : scale;
}

}  // namespace tarn::ui
