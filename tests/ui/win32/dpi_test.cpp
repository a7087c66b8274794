// The window at the display's DPI: its scale, the boxes, fonts and icons
// at that scale, the fit to a work area too small for it, and the move to
// a monitor of another DPI. The ordinary run is at 96 DPI;
// tests/ui/win32/dpi_test.sh runs these tests (gtest filter Dpi*) again
// under Wine at LogPixels 120, 144 and 192, naming the DPI in
// ORDAVEL_EXPECTED_DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/rectangle_text.h"
#include "tests/ui/win32/window_fixture.h"
#include "ui/scale.h"
#include "ui/win32/dpi.h"

namespace tarn::win32::testing {
namespace {

using tarn::testing::Describe;

// The DPI of this run: ORDAVEL_EXPECTED_DPI, else 96.
int ExpectedDpi() {
    wchar_t text[16] = {};
    const DWORD length = GetEnvironmentVariableW(L"ORDAVEL_EXPECTED_DPI", text, 16);
    return length > 0 && length < 16 ? _wtoi(text) : 96;
}

// The window on a screen that holds it at the display's scale.
struct AtDpi {
    int dpi;
    double scale;
    SIZE client;
    RECT computeButton;  // client pixels
    int titleFont;       // character heights in pixels
    int verdictFont;
    int largeIcon;  // pixels square
    int smallIcon;
};

const AtDpi kAtDpi[] = {
    {96, 1.0, {1020, 720}, {20, 668, 172, 708}, 27, 21, 32, 16},
    {120, 1.25, {1275, 900}, {25, 835, 215, 885}, 34, 26, 40, 20},
    {144, 1.5, {1530, 1080}, {30, 1002, 258, 1062}, 41, 32, 48, 24},
    {192, 2.0, {2040, 1440}, {40, 1336, 344, 1416}, 54, 42, 64, 32},
};

int HeightOf(HFONT font) {
    LOGFONTW logical = {};
    if (GetObjectW(font, sizeof(logical), &logical) != static_cast<int>(sizeof(logical))) return 0;
    return -logical.lfHeight;
}

HFONT FontOf(HWND control) {
    return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

int WidthOf(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP colour = {};
    GetObjectW(info.hbmColor, sizeof(colour), &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return colour.bmWidth;
}

RECT RectOf(const ui::Box& box) { return {box.x, box.y, box.x + box.width, box.y + box.height}; }

RECT OuterRect(HWND window) {
    RECT outer = {};
    GetWindowRect(window, &outer);
    return outer;
}

RECT CurrentWorkArea() {
    RECT area = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// The tracking sizes are the window's own.
void ExpectTrackingSizePinned(HWND window) {
    const RECT outer = OuterRect(window);
    MINMAXINFO info = {};
    SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, outer.right - outer.left);
    EXPECT_EQ(info.ptMinTrackSize.y, outer.bottom - outer.top);
    EXPECT_EQ(info.ptMaxTrackSize.x, outer.right - outer.left);
    EXPECT_EQ(info.ptMaxTrackSize.y, outer.bottom - outer.top);
}

using DpiScaleTest = MainWindowTest;

TEST_F(DpiScaleTest, OnAScreenThatHoldsItTheWindowIsDrawnAtTheDisplaysScale) {
    const int dpi = ExpectedDpi();
    const AtDpi* expected = nullptr;
    for (const AtDpi& one : kAtDpi) {
        if (one.dpi == dpi) expected = &one;
    }
    ASSERT_NE(expected, nullptr) << "no figures for " << dpi << " DPI";
    EXPECT_EQ(window().dpi, dpi);
    EXPECT_EQ(window().state.scale, expected->scale);
    RECT client = {};
    GetClientRect(main(), &client);
    EXPECT_EQ(client.right, expected->client.cx);
    EXPECT_EQ(client.bottom, expected->client.cy);
    EXPECT_EQ(Describe(ClientRectInParent(button(ui::kComputeId))),
              Describe(expected->computeButton));
    EXPECT_EQ(HeightOf(Font(ui::kTitleFont)), expected->titleFont);
    EXPECT_EQ(HeightOf(FontOf(window().verdictLine)), expected->verdictFont);
    EXPECT_EQ(WidthOf(reinterpret_cast<HICON>(GetClassLongPtrW(main(), GCLP_HICON))),
              expected->largeIcon);
    EXPECT_EQ(WidthOf(reinterpret_cast<HICON>(GetClassLongPtrW(main(), GCLP_HICONSM))),
              expected->smallIcon);
    // The window was sized for the frame the system draws at this DPI.
    const RECT outer = OuterRect(main());
    const ui::Size frame = FrameAt(dpi);
    EXPECT_EQ(outer.right - outer.left, expected->client.cx + frame.width);
    EXPECT_EQ(outer.bottom - outer.top, expected->client.cy + frame.height);
    ExpectTrackingSizePinned(main());
}

struct FitCase {
    RECT area;
    double lowest, highest;  // the scale's range at any DPI of the runs
    const char* what;
};

// Each area is lower than the window's frame at 96 DPI and above.
const FitCase kFits[] = {
    {{0, 0, 1024, 560}, 0.70, 0.78, "1024 x 600 less a taskbar of 40 pixels"},
    {{0, 0, 1366, 728}, 0.93, 0.98, "1366 x 768 less a taskbar of 40 pixels"},
    {{0, 40, 1366, 768}, 0.93, 0.98, "1366 x 768 with the taskbar at the top"},
    {{0, 0, 800, 500}, 0.70, 0.70, "too low even at 0.7"},
};

using DpiFitTest = MainWindowTest;

TEST_F(DpiFitTest, TheWindowTakesTheLargestScaleThatFitsTheWorkArea) {
    for (const FitCase& one : kFits) {
        SCOPED_TRACE(one.what);
        WorkArea area(one.area);
        ASSERT_TRUE(area.set());
        ASSERT_NO_FATAL_FAILURE(Reopen());
        const double scale = window().state.scale;
        EXPECT_GE(scale, one.lowest);
        EXPECT_LE(scale, one.highest);
        RECT client = {};
        GetClientRect(main(), &client);
        EXPECT_EQ(client.right, ui::ClientSize(scale).width);
        EXPECT_EQ(client.bottom, ui::ClientSize(scale).height);
        EXPECT_EQ(Describe(ClientRectInParent(button(ui::kComputeId))),
                  Describe(RectOf(ui::ScaledBox({20, 668, 152, 40}, scale))));
        EXPECT_EQ(HeightOf(Font(ui::kTitleFont)), ui::FontHeight(ui::kTitleFont, scale));
        EXPECT_EQ(HeightOf(FontOf(window().verdictLine)), ui::FontHeight(ui::kVerdictFont, scale));

        const RECT outer = OuterRect(main());
        std::printf("%d DPI, work area %s (%s): scale %.4f, frame %s\n", ExpectedDpi(),
                    Describe(one.area).c_str(), one.what, scale, Describe(outer).c_str());
        SCOPED_TRACE("frame " + Describe(outer) + " in " + Describe(one.area));
        EXPECT_GE(outer.left, one.area.left);
        EXPECT_LE(outer.right, one.area.right);
        EXPECT_EQ(outer.top, one.area.top) << "as high as the area or higher: at its top";
        const LONG height = outer.bottom - outer.top;
        const LONG areaHeight = one.area.bottom - one.area.top;
        if (scale > ui::kSmallestScale) {
            EXPECT_LE(outer.bottom, one.area.bottom) << "the footer above the taskbar";
            EXPECT_GE(height, areaHeight - 1) << "a larger scale would have fitted";
        } else {
            EXPECT_GT(height, areaHeight) << "at 0.7 the window runs past the area's bottom";
        }
        ExpectTrackingSizePinned(main());
    }
}

// Where each control is and the height of its font (0: none).
struct ControlPlace {
    RECT box;
    int fontHeight;
};

std::vector<ControlPlace> ControlPlaces() {
    std::vector<ControlPlace> places;
    for (int32_t i = 0; i < Window().controlCount; ++i) {
        HWND control = Window().controls[i];
        HFONT font = FontOf(control);
        places.push_back({ClientRectInParent(control), font ? HeightOf(font) : 0});
    }
    return places;
}

// Every control, in creation order, at the control tree's box at `scale`
// with the window's font of its entry, at that scale.
void ExpectControlsAt(double scale) {
    ui::ControlLayout tree[ui::kMaxControls];
    const int32_t count = ui::BuildControlTree(CurrentTool(), scale, tree, ui::kMaxControls);
    ASSERT_EQ(Window().controlCount, count);
    for (int32_t i = 0; i < count; ++i) {
        SCOPED_TRACE("control " + std::to_string(i));
        HWND control = Window().controls[i];
        EXPECT_EQ(GetDlgCtrlID(control), tree[i].id);
        EXPECT_EQ(Describe(ClientRectInParent(control)), Describe(RectOf(tree[i].box)));
        if (tree[i].kind == ui::ControlKind::Button) continue;
        EXPECT_EQ(FontOf(control), Font(tree[i].font));
        EXPECT_EQ(HeightOf(FontOf(control)), ui::FontHeight(tree[i].font, scale));
    }
}

using DpiChangeTest = MainWindowTest;

// WM_DPICHANGED as Windows sends it when the window is dragged to a monitor
// of another DPI (Wine has one DPI for every monitor and sends none), then
// back: at each DPI everything follows, and back everything is as it was.
TEST_F(DpiChangeTest, EverythingFollowsTheDpiAndComesBackToThePixel) {
    const int startDpi = window().dpi;
    const double startScale = window().state.scale;
    const RECT start = OuterRect(main());
    const std::vector<ControlPlace> startPlaces = ControlPlaces();
    const RECT area = CurrentWorkArea();
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(std::to_string(startDpi) + " to " + std::to_string(dpi) + " DPI");
        HFONT oldFonts[ui::kFontCount];
        for (int i = 0; i < ui::kFontCount; ++i) oldFonts[i] = window().fonts[i];
        // Windows suggests the window grown or shrunk by the ratio of the DPIs.
        const RECT suggested = {start.left, start.top,
                                start.left + MulDiv(start.right - start.left, dpi, startDpi),
                                start.top + MulDiv(start.bottom - start.top, dpi, startDpi)};
        SendMessageW(main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        Pump();

        EXPECT_EQ(window().dpi, dpi);
        const double scale = window().state.scale;
        const ui::Size frame = FrameAt(dpi);
        const ui::Size unfitted = ui::ClientSize(ui::DisplayScale(dpi));
        const bool holds = unfitted.width + frame.width <= area.right - area.left &&
                           unfitted.height + frame.height <= area.bottom - area.top;
        if (holds) {
            EXPECT_EQ(scale, ui::DisplayScale(dpi));
        } else {
            EXPECT_LT(scale, ui::DisplayScale(dpi));
        }
        ExpectControlsAt(scale);
        for (HFONT font : oldFonts) EXPECT_EQ(GetObjectType(font), 0u) << "an old font is left";

        const RECT outer = OuterRect(main());
        SCOPED_TRACE("frame " + Describe(outer) + " in " + Describe(area));
        EXPECT_EQ(outer.right - outer.left, ui::ClientSize(scale).width + frame.width);
        EXPECT_EQ(outer.bottom - outer.top, ui::ClientSize(scale).height + frame.height);
        EXPECT_GE(outer.left, area.left);
        EXPECT_GE(outer.top, area.top);
        EXPECT_LE(outer.right, area.right);
        EXPECT_LE(outer.bottom, area.bottom);
        const bool suggestedFits =
            holds && start.left + (outer.right - outer.left) <= area.right &&
            start.top + (outer.bottom - outer.top) <= area.bottom;
        if (suggestedFits) {
            EXPECT_EQ(outer.left, suggested.left) << "where Windows suggests";
            EXPECT_EQ(outer.top, suggested.top) << "where Windows suggests";
        }
        ExpectTrackingSizePinned(main());
        EXPECT_EQ(WidthOf(reinterpret_cast<HICON>(SendMessageW(main(), WM_GETICON, ICON_BIG, 0))),
                  MulDiv(32, dpi, 96));
        EXPECT_EQ(
            WidthOf(reinterpret_cast<HICON>(SendMessageW(main(), WM_GETICON, ICON_SMALL, 0))),
            MulDiv(16, dpi, 96));
    }

    SendMessageW(main(), WM_DPICHANGED, MAKEWPARAM(startDpi, startDpi),
                 reinterpret_cast<LPARAM>(&start));
    Pump();
    EXPECT_EQ(window().dpi, startDpi);
    EXPECT_EQ(window().state.scale, startScale);
    EXPECT_EQ(Describe(OuterRect(main())), Describe(start));
    const std::vector<ControlPlace> places = ControlPlaces();
    ASSERT_EQ(places.size(), startPlaces.size());
    for (size_t i = 0; i < places.size(); ++i) {
        EXPECT_EQ(Describe(places[i].box), Describe(startPlaces[i].box)) << "control " << i;
        EXPECT_EQ(places[i].fontHeight, startPlaces[i].fontHeight) << "control " << i;
    }
}

// Windows reads the awareness from the manifest alone; Wine ignores it.
TEST(DpiManifest, OrdavelExeDeclaresPerMonitorAwareness) {
    HMODULE program = LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(program, found)));
    const std::string manifest(bytes, SizeofResource(program, found));
    FreeLibrary(program);
    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/"
                            "WindowsSettings\">true/pm</dpiAware>"),
              std::string::npos);
    EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                            "WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>"),
              std::string::npos);
}

}  // namespace
}  // namespace tarn::win32::testing
