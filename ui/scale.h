// The scale s the window is drawn at: the display's DPI / 96, shrunk to fit
// the work area. Every box, font height, margin and line of the design is
// multiplied by s; at s = 1 every pixel is the design's.
#pragma once

#include <cstdint>

#include "ui/layout.h"

namespace tarn::ui {

inline constexpr int32_t kDesignDpi = 96;
// Below this the text is too small to read; a window that still does not
// fit starts at the work area's top-left.
inline constexpr double kSmallestScale = 0.7;

struct Size {
    int32_t width, height;
};

// The display's scale: 1 for 96 DPI, 1.5 for 144; 1 for an unknown DPI.
double DisplayScale(int32_t dpi);

// A length of the design at scale s, rounded to the nearest pixel.
int32_t Scaled(int32_t length, double scale);
// Each edge rounded on its own, so that boxes that touch at s = 1 touch at
// every s.
Box ScaledBox(Box box, double scale);
// Outlines and rules: max(1, round(s)) pixels.
int32_t LineWidth(double scale);
// A font's character height at scale s, at least one pixel.
int32_t FontHeight(int32_t font, double scale);

// The client area at scale s.
Size ClientSize(double scale);

// The largest scale up to `wanted` whose client area, with a frame of
// `frame` pixels around it (the caption and borders: frame width and height
// less the client's), fits the work area; never below kSmallestScale.
double FittedScale(double wanted, Size workArea, Size frame);

}  // namespace tarn::ui
