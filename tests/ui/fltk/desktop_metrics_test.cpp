// What the desktop says about the window's size, read without a display:
// the DPI in the server's resource string and a window manager's frame.
#include <gtest/gtest.h>

#include "ui/fltk/desktop_metrics.h"
#include "ui/scale.h"

namespace tarn::fltk {
namespace {

TEST(XftDpiOf, TheDpiADesktopSetsForItsScaling) {
    const struct {
        const char* resources;  // as XResourceManagerString returns them
        int32_t dpi;
        double scale;
    } cases[] = {
        {"Xft.dpi:\t144\n", 144, 1.5},
        {"Xft.dpi:\t96.0\n", 96, 1.0},
        {"Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n", 192, 2.0},
        {"Xft.dpi:\t120.4 \n", 120, 1.25},
        // Not a DPI: the design's 96.
        {"Xft.dpi:\tabc\n", 0, 1.0},
        {"Xft.dpi:\t144dpi\n", 0, 1.0},
        {"Xft.dpi:\t\n", 0, 1.0},
        {"Xft.dpi:\t-96\n", 0, 1.0},
        {"Xft.dpi:\t0\n", 0, 1.0},
        {"Xft.dpi:\t1e9\n", 0, 1.0},
        {"Xft.dpi:\tnan\n", 0, 1.0},
        // None set.
        {"Xft.antialias:\t1\n", 0, 1.0},
        {"", 0, 1.0},
        {nullptr, 0, 1.0},
    };
    for (const auto& c : cases) {
        const char* what = c.resources ? c.resources : "(no resources)";
        EXPECT_EQ(XftDpiOf(c.resources), c.dpi) << what;
        EXPECT_EQ(ui::DisplayScale(XftDpiOf(c.resources)), c.scale) << what;
    }
}

TEST(FrameOfExtents, TheWindowManagersAnswerOrNoFrame) {
    const long decorated[] = {4, 6, 30, 8};
    const long negative[] = {-1, 4, 30, 4};
    const long huge[] = {4, 4, 100000, 4};
    const struct {
        const long* values;
        unsigned long count;
        FrameExtents frame;
        const char* what;
    } cases[] = {
        {decorated, 4, {4, 6, 30, 8}, "a caption and borders"},
        {nullptr, 0, {0, 0, 0, 0}, "no answer"},
        {decorated, 3, {0, 0, 0, 0}, "too few values"},
        {negative, 4, {0, 4, 30, 4}, "a negative edge"},
        {huge, 4, {4, 4, 0, 4}, "an edge larger than any frame"},
    };
    for (const auto& c : cases) {
        const FrameExtents frame = FrameOfExtents(c.values, c.count);
        EXPECT_EQ(frame.left, c.frame.left) << c.what;
        EXPECT_EQ(frame.right, c.frame.right) << c.what;
        EXPECT_EQ(frame.top, c.frame.top) << c.what;
        EXPECT_EQ(frame.bottom, c.frame.bottom) << c.what;
    }
    const ui::Size size = FrameSize(FrameOfExtents(decorated, 4));
    EXPECT_EQ(size.width, 10);
    EXPECT_EQ(size.height, 38);
}

}  // namespace
}  // namespace tarn::fltk
