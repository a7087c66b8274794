// Where the window opens in the work area, and where the focus goes when
// the window is activated again after a minimise or a switch to another
// window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/rectangle_text.h"
#include "tests/ui/win32/window_fixture.h"

namespace tarn::win32::testing {
namespace {

using tarn::testing::Describe;

// Along one axis: inside the area and centred when it fits, else at the
// area's start.
void ExpectPlaced(LONG start, LONG end, LONG areaStart, LONG areaEnd, const char* axis) {
    const LONG size = end - start;
    if (size > areaEnd - areaStart) {
        EXPECT_EQ(start, areaStart) << axis << ": larger than the area, at its start";
        return;
    }
    EXPECT_GE(start, areaStart) << axis;
    EXPECT_LE(end, areaEnd) << axis;
    const LONG before = start - areaStart;
    const LONG after = areaEnd - end;
    EXPECT_LE(after - before, 1) << axis << ": centred";
    EXPECT_GE(after - before, 0) << axis << ": centred, an odd pixel after";
}

using PlacementTest = MainWindowTest;

TEST_F(PlacementTest, TheWindowOpensCentredInTheWorkArea) {
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    const struct {
        RECT area;
        const char* what;
    } cases[] = {
        {{0, 0, width, height - 40}, "taskbar at the bottom"},
        {{0, 40, width, height}, "taskbar at the top"},
        {{120, 0, width, height}, "taskbar at the left"},
        {{0, 0, width, 728}, "a work area lower than the frame"},
        {{0, 30, 900, 700}, "a work area narrower and lower than the frame"},
    };
    for (const auto& one : cases) {
        SCOPED_TRACE(one.what);
        WorkArea area(one.area);
        ASSERT_TRUE(area.set());
        ASSERT_NO_FATAL_FAILURE(Reopen());
        RECT frame;
        GetWindowRect(main(), &frame);
        SCOPED_TRACE("frame " + Describe(frame) + " in " + Describe(one.area));
        ExpectPlaced(frame.left, frame.right, one.area.left, one.area.right, "x");
        ExpectPlaced(frame.top, frame.bottom, one.area.top, one.area.bottom, "y");
    }
}

// Minimised and restored, or left for another window and activated again.
enum class Away { Minimise, OtherWindow };

void GoAwayAndBack(HWND main, Away away) {
    if (away == Away::Minimise) {
        ShowWindow(main, SW_MINIMIZE);
        ShowWindow(main, SW_RESTORE);
        return;
    }
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(other);
    EXPECT_NE(GetActiveWindow(), main);
    SetActiveWindow(main);
    DestroyWindow(other);
}

class ActivationTest : public MainWindowTest, public ::testing::WithParamInterface<Away> {};

TEST_P(ActivationTest, AFieldThatHadTheFocusHasItAgain) {
    for (HWND control : {window().inputEdits[1], window().inputEdits[0], window().resultBox}) {
        SetFocus(control);
        ASSERT_EQ(GetFocus(), control);
        GoAwayAndBack(main(), GetParam());
        Pump();
        EXPECT_EQ(GetActiveWindow(), main());
        EXPECT_EQ(GetFocus(), control) << TextOf(control).size();
    }
}

TEST_P(ActivationTest, AfterAComputationTheResultKeepsTheFocusAndF5OnTheMainWindowStaysIdle) {
    // A field had the focus when the window was last left.
    SetFocus(window().inputEdits[1]);
    GoAwayAndBack(main(), GetParam());
    Pump();
    ComputeWith(L"60", L"6.8");
    ASSERT_EQ(GetFocus(), window().resultBox);
    GoAwayAndBack(main(), GetParam());
    Pump();
    EXPECT_EQ(GetFocus(), window().resultBox);
    SetFocus(main());
    GoAwayAndBack(main(), GetParam());
    Pump();
    EXPECT_EQ(GetFocus(), main());
    SetInput(0, L"70");
    const std::wstring report = TextOf(window().resultBox);
    PostKey(GetFocus(), VK_F5);
    EXPECT_EQ(TextOf(window().resultBox), report) << "F5 on the main window computes nothing";
}

INSTANTIATE_TEST_SUITE_P(Ways, ActivationTest,
                         ::testing::Values(Away::Minimise, Away::OtherWindow),
                         [](const ::testing::TestParamInfo<Away>& way) {
                             return std::string(way.param == Away::Minimise ? "Minimise"
                                                                              : "OtherWindow");
                         });

}  // namespace
}  // namespace tarn::win32::testing
