// The window where the desktop asks for 144 DPI, on a screen that holds it
// at 1.5: on_own_display.sh runs this on a 1920 x 1200 display of its own
// with Xft.dpi set to 144 before the first window opens.
#include <FL/Fl.H>
#include <X11/Xatom.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "tests/ui/fltk/window_fixture.h"
#include "ui/fltk/desktop_metrics.h"
#include "ui/fltk/fonts.h"
#include "ui/fltk/xlib_safe.h"
#include "ui/layout.h"

namespace tarn::fltk::test {
namespace {

struct Place {
    int x, y, width, height;
};

using ScaledWindowTest = WindowTest;

TEST_F(ScaledWindowTest, ScaleIsXftDpiOver96) {
    EXPECT_EQ(front().state.scale, 1.5);
    EXPECT_EQ(window().w(), 1530);
    EXPECT_EQ(window().h(), 1080);
    int x = 0, y = 0, width = 0, height = 0;
    Fl::screen_work_area(x, y, width, height, 0);
    ASSERT_GE(height, 1080) << "the screen must hold the window at 1.5";
    EXPECT_EQ(window().x(), ui::CentredOrigin(x, width, 1530));
    EXPECT_EQ(window().y(), ui::CentredOrigin(y, height, 1080));
    // Its size range, as the window manager reads it: that size alone.
    XSizeHints hints = {};
    long supplied = 0;
    ASSERT_NE(XGetWMNormalHints(fl_display, fl_xid(&window()), &hints, &supplied), 0);
    EXPECT_EQ(hints.min_width, 1530);
    EXPECT_EQ(hints.min_height, 1080);
    EXPECT_EQ(hints.max_width, 1530);
    EXPECT_EQ(hints.max_height, 1080);
}

TEST_F(ScaledWindowTest, ControlsAndFontsAreTheDesignsTimesOneAndAHalf) {
    const struct {
        const Fl_Widget* widget;
        Place place;  // the design's, times 1.5
        const char* what;
    } controls[] = {
        {front().inputEdits[0], {324, 219, 228, 41}, "weight edit {216, 146, 152, 27}"},
        {front().verdictLine, {738, 213, 738, 69}, "verdict {492, 142, 492, 46}"},
        {front().resultBox, {738, 294, 738, 348}, "report {492, 196, 492, 232}"},
        {front().buttons[0], {30, 1002, 228, 60}, "compute {20, 668, 152, 40}"},
    };
    for (const auto& control : controls) {
        EXPECT_EQ(control.widget->x(), control.place.x) << control.what;
        EXPECT_EQ(control.widget->y(), control.place.y) << control.what;
        EXPECT_EQ(control.widget->w(), control.place.width) << control.what;
        EXPECT_EQ(control.widget->h(), control.place.height) << control.what;
    }
    // 27, 14, 14, 15, 21, 15, 15 and 12 pixels at 96 DPI.
    const int heights[] = {41, 21, 21, 23, 32, 23, 23, 18};
    for (int number = 1; number <= 8; ++number) {
        EXPECT_EQ(FontSize(number), heights[number - 1]) << number;
    }
    EXPECT_EQ(front().inputEdits[0]->textsize(), 23);
    EXPECT_EQ(front().resultBox->textsize(), 23);
    EXPECT_EQ(front().resultBox->scrollbar_width(), 24);  // FLTK's 16
    EXPECT_EQ(front().buttons[0]->labelsize(), 23);
}

TEST_F(ScaledWindowTest, MessageBoxesGrowWithTheWindow) {
    const std::vector<SeenMessage> messages = WithMessages([&] { Click(*front().buttons[4]); });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].textSize, 23);      // 15 at 96 DPI
    EXPECT_EQ(messages[0].glyphSize, 51);     // 34
    EXPECT_EQ(messages[0].buttonWidth, 144);  // 96
    EXPECT_EQ(messages[0].buttonHeight, 42);  // 28
}

// A window manager that does one thing: it announces itself on the root
// window, answers one request for frame extents with `frame`, and exits.
// It runs in a child process with a connection of its own; the parent goes
// on once it has announced itself.
pid_t StartFrameAnsweringWindowManager(const long (&frame)[4]) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t child = fork();
    if (child != 0) {
        close(ready[1]);
        char byte = 0;
        if (read(ready[0], &byte, 1) != 1) byte = 0;
        close(ready[0]);
        return child;
    }
    close(ready[0]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) _exit(1);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureRedirectMask);
    const Window check = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
    const Atom checkName = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", 0);
    for (Window named : {root, check}) {
        XChangeProperty(display, named, checkName, XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&check), 1);
    }
    XSync(display, 0);
    if (write(ready[1], "r", 1) != 1) _exit(1);
    const Atom request = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", 0);
    const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", 0);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != ClientMessage || event.xclient.message_type != request) continue;
        XChangeProperty(display, event.xclient.window, extents, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(frame), 4);
        XSync(display, 0);
        _exit(0);
    }
}

TEST_F(ScaledWindowTest, FrameIsWhatTheWindowManagerAnswersAndNoneWithoutOne) {
    const auto expectFrame = [](FrameExtents frame, FrameExtents expected, const char* what) {
        EXPECT_EQ(frame.left, expected.left) << what;
        EXPECT_EQ(frame.right, expected.right) << what;
        EXPECT_EQ(frame.top, expected.top) << what;
        EXPECT_EQ(frame.bottom, expected.bottom) << what;
    };
    expectFrame(WindowManagerFrame(), {0, 0, 0, 0}, "no window manager");

    const long answer[4] = {3, 5, 28, 7};
    const pid_t manager = StartFrameAnsweringWindowManager(answer);
    ASSERT_GT(manager, 0);
    const FrameExtents frame = WindowManagerFrame();
    int status = 0;
    waitpid(manager, &status, 0);
    expectFrame(frame, {3, 5, 28, 7}, "its answer");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "it answered and exited";

    // Gone, it left its name on the root: no frame, and no wait for an
    // answer that cannot come.
    const auto start = std::chrono::steady_clock::now();
    expectFrame(WindowManagerFrame(), {0, 0, 0, 0}, "a window manager that exited");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
}

}  // namespace
}  // namespace tarn::fltk::test
