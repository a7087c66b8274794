// Painting into memory bitmaps: the regions of the client area, the
// owner-drawn buttons, the status line and the colours handed to the
// controls, in the palette and under a High Contrast theme.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/text.h"
#include "tests/ui/win32/window_fixture.h"

namespace tarn::win32::testing {
namespace {

// A top-down 32-bit bitmap selected into a memory DC; pixels read as 0xRRGGBB.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<uint32_t*>(bits);
        dc_ = CreateCompatibleDC(nullptr);
        previous_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < width * height; ++i) bits_[i] = 0xFF00FF;  // nothing paints magenta
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    uint32_t At(int x, int y) const {
        GdiFlush();
        return bits_[y * width_ + x] & 0xFFFFFF;
    }
    // Pixels of a box that differ from its ground colour.
    int InkIn(int left, int top, int right, int bottom, uint32_t ground) const {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) count += At(x, y) != ground;
        }
        return count;
    }
    // The smallest per-channel distance of any pixel of the box to a colour.
    int NearestTo(int left, int top, int right, int bottom, uint32_t colour) const {
        int best = 256;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const uint32_t pixel = At(x, y);
                int distance = 0;
                for (int shift : {0, 8, 16}) {
                    const int d = std::abs(static_cast<int>((pixel >> shift) & 0xFF) -
                                           static_cast<int>((colour >> shift) & 0xFF));
                    if (d > distance) distance = d;
                }
                if (distance < best) best = distance;
            }
        }
        return best;
    }

private:
    int width_, height_;
    HBITMAP bitmap_ = nullptr;
    uint32_t* bits_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

std::string Hex(uint32_t colour) {
    char text[16];
    snprintf(text, sizeof text, "#%06X", colour);
    return text;
}

struct PixelCase {
    int x, y;
    uint32_t colour;
    const char* what;
};

const PixelCase kRegions[] = {
    {0, 0, 0x0084B0, "accent strip"},       {7, 87, 0x0084B0, "accent strip"},
    {8, 0, 0x006C96, "header band"},        {1019, 87, 0x006C96, "header band"},
    {900, 20, 0x006C96, "header, no web address"},
    {500, 88, 0xF4F7F9, "background under the header"},
    {10, 300, 0xF4F7F9, "background left of the panels"},
    {20, 96, 0xDAE2E8, "left panel border"}, {459, 647, 0xDAE2E8, "left panel border"},
    {21, 97, 0xFFFFFF, "left panel"},        {100, 400, 0xFFFFFF, "left panel"},
    {460, 300, 0xF4F7F9, "gap between panels"},
    {476, 96, 0xDAE2E8, "right panel border"}, {999, 647, 0xDAE2E8, "right panel border"},
    {800, 400, 0xFFFFFF, "right panel"},     {1000, 300, 0xF4F7F9, "right of the panels"},
    {36, 133, 0xE4EAEE, "inputs rule"},      {443, 133, 0xE4EAEE, "inputs rule"},
    {444, 133, 0xFFFFFF, "after the inputs rule"}, {36, 132, 0xFFFFFF, "above the rule"},
    {492, 133, 0xE4EAEE, "results rule"},    {983, 133, 0xE4EAEE, "results rule"},
    {984, 133, 0xFFFFFF, "after the results rule"},
    {500, 655, 0xF4F7F9, "between panels and footer"},
    {0, 660, 0xECF1F4, "footer band"},       {1019, 719, 0xECF1F4, "footer band"},
    {700, 690, 0xECF1F4, "footer band"},
};

using PaintTest = MainWindowTest;

TEST_F(PaintTest, RegionsOfTheClientArea) {
    Canvas canvas(1020, 720);
    PaintContent(canvas.dc(), RECT{0, 0, 1020, 720});
    for (const PixelCase& one : kRegions) {
        EXPECT_EQ(Hex(canvas.At(one.x, one.y)), Hex(one.colour))
            << one.what << " at " << one.x << "," << one.y;
    }
}

TEST_F(PaintTest, TextsAreDrawnInTheirBoxesAndColours) {
    Canvas canvas(1020, 720);
    PaintContent(canvas.dc(), RECT{0, 0, 1020, 720});
    EXPECT_GT(canvas.InkIn(26, 12, 726, 50, 0x006C96), 100) << "title";
    EXPECT_EQ(canvas.NearestTo(26, 12, 726, 50, 0xFFFFFF), 0) << "title is white";
    EXPECT_GT(canvas.InkIn(28, 48, 748, 76, 0x006C96), 100) << "subtitle";
    EXPECT_LT(canvas.NearestTo(28, 48, 748, 76, 0xD6ECF6), 24) << "subtitle colour";
    EXPECT_GT(canvas.InkIn(36, 104, 336, 133, 0xFFFFFF), 50) << "inputs caption";
    EXPECT_LT(canvas.NearestTo(36, 104, 336, 133, 0x006C96), 40) << "caption colour";
    EXPECT_GT(canvas.InkIn(492, 104, 792, 133, 0xFFFFFF), 50) << "results caption";
    EXPECT_GT(canvas.InkIn(740, 704, 1004, 720, 0xECF1F4), 50) << "status line";
    EXPECT_LT(canvas.NearestTo(740, 704, 1004, 720, 0x78848E), 40) << "status colour";
    EXPECT_EQ(canvas.InkIn(1004, 704, 1020, 720, 0xECF1F4), 0) << "status ends at x 1004";
    EXPECT_EQ(canvas.InkIn(740, 704, 760, 720, 0xECF1F4), 0)
        << "a short status is right-aligned";
}

TEST_F(PaintTest, ALongStatusIsCutInsideItsBox) {
    std::u16string longText(200, u'宽');
    CopyBounded(window().state.statusLine, ui::kStatusLineCapacity, longText.c_str());
    Canvas canvas(1020, 720);
    PaintContent(canvas.dc(), RECT{0, 0, 1020, 720});
    EXPECT_EQ(canvas.InkIn(600, 704, 740, 720, 0xECF1F4), 0);
    EXPECT_GT(canvas.InkIn(740, 704, 760, 720, 0xECF1F4), 0);
    EXPECT_EQ(canvas.InkIn(1004, 704, 1020, 720, 0xECF1F4), 0);
}

TEST_F(PaintTest, HeaderAndFooterFollowTheClientWidthAndNothingElseMoves) {
    Canvas canvas(1200, 780);
    PaintContent(canvas.dc(), RECT{0, 0, 1200, 780});
    EXPECT_EQ(Hex(canvas.At(1150, 40)), Hex(0x006C96));
    EXPECT_EQ(Hex(canvas.At(1150, 700)), Hex(0xECF1F4));
    EXPECT_EQ(Hex(canvas.At(1150, 300)), Hex(0xF4F7F9));
    EXPECT_EQ(Hex(canvas.At(500, 750)), Hex(0xF4F7F9)) << "the footer ends at y 720";
    EXPECT_EQ(Hex(canvas.At(999, 647)), Hex(0xDAE2E8));
}

TEST_F(PaintTest, PaintingPutsBackWhatWasSelected) {
    Canvas canvas(1020, 720);
    const HGDIOBJ pen = GetCurrentObject(canvas.dc(), OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(canvas.dc(), OBJ_BRUSH);
    const HGDIOBJ font = GetCurrentObject(canvas.dc(), OBJ_FONT);
    PaintContent(canvas.dc(), RECT{0, 0, 1020, 720});
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font);
}

struct ButtonCase {
    int id;
    UINT state;
    uint32_t fill, border, text;
};

const ButtonCase kButtons[] = {
    {1001, 0, 0x007AA8, 0x006A94, 0xFFFFFF},
    {1001, ODS_SELECTED, 0x00648A, 0x006A94, 0xFFFFFF},
    {1001, ODS_FOCUS, 0x007AA8, 0x006A94, 0xFFFFFF},
    {1002, 0, 0xFFFFFF, 0xCED8E0, 0x2C3842},
    {1003, ODS_SELECTED | ODS_FOCUS, 0xE2EAF0, 0xCED8E0, 0x2C3842},
    {1005, 0, 0xFFFFFF, 0xCED8E0, 0x2C3842},
};

TEST_F(PaintTest, OwnerDrawnButtonsByKindAndState) {
    for (const ButtonCase& one : kButtons) {
        SCOPED_TRACE(std::to_string(one.id) + " state " + std::to_string(one.state));
        Canvas canvas(152, 40);
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = static_cast<UINT>(one.id);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = one.state;
        item.hwndItem = button(one.id);
        item.hDC = canvas.dc();
        item.rcItem = RECT{0, 0, 152, 40};
        const HGDIOBJ font = GetCurrentObject(canvas.dc(), OBJ_FONT);
        EXPECT_EQ(SendMessageW(main(), WM_DRAWITEM, static_cast<WPARAM>(one.id),
                               reinterpret_cast<LPARAM>(&item)),
                  1);
        EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font);
        EXPECT_EQ(Hex(canvas.At(0, 0)), Hex(one.border));
        EXPECT_EQ(Hex(canvas.At(151, 39)), Hex(one.border));
        EXPECT_EQ(Hex(canvas.At(0, 20)), Hex(one.border));
        // No focus rectangle just inside the border.
        for (int x = 1; x < 151; ++x) ASSERT_EQ(Hex(canvas.At(x, 3)), Hex(one.fill)) << x;
        EXPECT_EQ(Hex(canvas.At(3, 20)), Hex(one.fill));
        EXPECT_GT(canvas.InkIn(1, 1, 151, 39, one.fill), 40) << "caption drawn";
        EXPECT_LT(canvas.NearestTo(1, 1, 151, 39, one.text), 24) << "caption colour";
        EXPECT_EQ(canvas.InkIn(1, 1, 30, 39, one.fill), 0) << "caption centred";
    }
}

// The dotted rectangle 4 pixels inside a button that the keyboard focused:
// every other pixel of its outline in the caption colour.
TEST_F(PaintTest, TheFocusRectangleIsDrawnOnlyForTheKeyboard) {
    struct Case {
        UINT state;
        bool cues;
        bool drawn;
    };
    for (const Case& one : {Case{ODS_FOCUS, true, true}, Case{ODS_FOCUS, false, false},
                            Case{0, true, false}, Case{ODS_FOCUS | ODS_SELECTED, true, true}}) {
        SCOPED_TRACE(std::to_string(one.state) + (one.cues ? " after Tab" : " after a click"));
        window().state.focusCues = one.cues;
        Canvas canvas(132, 40);
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = 1003;
        item.itemState = one.state;
        item.hwndItem = button(1003);
        item.hDC = canvas.dc();
        item.rcItem = RECT{0, 0, 132, 40};
        SendMessageW(main(), WM_DRAWITEM, 1003, reinterpret_cast<LPARAM>(&item));
        const uint32_t fill = (one.state & ODS_SELECTED) ? 0xE2EAF0 : 0xFFFFFF;
        for (int x = 4; x < 128; ++x) {
            const uint32_t expected = one.drawn && x % 2 == 0 ? 0x2C3842 : fill;
            ASSERT_EQ(Hex(canvas.At(x, 4)), Hex(expected)) << "top row, x " << x;
        }
        EXPECT_EQ(Hex(canvas.At(5, 35)), Hex(one.drawn ? 0x2C3842 : fill)) << "bottom row";
        EXPECT_EQ(Hex(canvas.At(4, 35)), Hex(fill)) << "between two dots";
        EXPECT_EQ(Hex(canvas.At(127, 21)), Hex(one.drawn ? 0x2C3842 : fill)) << "right side";
        EXPECT_EQ(Hex(canvas.At(3, 20)), Hex(fill)) << "nothing outside the inset";
    }
    window().state.focusCues = false;
}

HBRUSH WhiteBrush() { return Window().panelBrush; }

struct Colours {
    HBRUSH brush;
    COLORREF text;
    COLORREF background;
    int mode;
};

Colours AskColours(UINT message, HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetBkColor(dc, RGB(1, 2, 3));
    SetBkMode(dc, message == WM_CTLCOLOREDIT ? TRANSPARENT : OPAQUE);
    Colours colours;
    colours.brush = reinterpret_cast<HBRUSH>(SendMessageW(
        Window().window, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    colours.text = GetTextColor(dc);
    colours.background = GetBkColor(dc);
    colours.mode = GetBkMode(dc);
    DeleteDC(dc);
    return colours;
}

TEST_F(PaintTest, InputEditsAreMainTextOnOpaqueWhite) {
    for (int row = 0; row < 2; ++row) {
        const Colours colours = AskColours(WM_CTLCOLOREDIT, window().inputEdits[row]);
        EXPECT_EQ(colours.brush, WhiteBrush());
        EXPECT_EQ(colours.text, RGB(0x2C, 0x38, 0x42));
        EXPECT_EQ(colours.background, RGB(0xFF, 0xFF, 0xFF));
        EXPECT_EQ(colours.mode, OPAQUE);
    }
    LOGBRUSH brush = {};
    GetObjectW(WhiteBrush(), sizeof(brush), &brush);
    EXPECT_EQ(brush.lbColor, RGB(0xFF, 0xFF, 0xFF));
}

TEST_F(PaintTest, StaticsAreTransparentMainOrMutedText) {
    int muted = 0;
    for (HWND child = GetWindow(main(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const bool isStatic = ClassOf(child) == L"Static";
        if (!isStatic && child != window().resultBox) continue;
        if (child == window().statusLine) continue;  // on the footer: below
        const Colours colours = AskColours(WM_CTLCOLORSTATIC, child);
        EXPECT_EQ(colours.brush, WhiteBrush());
        EXPECT_EQ(colours.mode, TRANSPARENT);
        if (child == window().verdictLine) continue;
        const bool mainText = child == window().resultBox || child == window().noteText;
        EXPECT_EQ(colours.text, mainText ? RGB(0x2C, 0x38, 0x42) : RGB(0x78, 0x84, 0x8E))
            << std::string(mainText ? "main" : "muted") << " text";
        muted += !mainText;
    }
    EXPECT_EQ(muted, 5) << "two labels, two units and the reference line";
}

// The status line is a control of its own, drawn as the client area draws
// the status there: pixel for pixel, for a short text and one cut short.
TEST_F(PaintTest, TheStatusLineControlDrawsWhatTheClientAreaDrawsUnderIt) {
    const RECT box = ClientRectInParent(window().statusLine);
    ASSERT_EQ(box.left, 740);
    ASSERT_EQ(box.top, 704);
    ASSERT_EQ(box.right, 1004);
    ASSERT_EQ(box.bottom, 720);
    const std::u16string longText(200, u'宽');
    for (const char16_t* status : {u"结果已复制到剪贴板", longText.c_str()}) {
        CopyBounded(window().state.statusLine, ui::kStatusLineCapacity, status);
        Canvas whole(1020, 720);
        PaintContent(whole.dc(), RECT{0, 0, 1020, 720});
        Canvas own(264, 16);
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_STATIC;
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = window().statusLine;
        item.hDC = own.dc();
        item.rcItem = RECT{0, 0, 264, 16};
        EXPECT_EQ(SendMessageW(main(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)), 1);
        int differing = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 264; ++x) differing += own.At(x, y) != whole.At(740 + x, 704 + y);
        }
        EXPECT_EQ(differing, 0);
        EXPECT_GT(own.InkIn(0, 0, 264, 16, 0xECF1F4), 50) << "the text is drawn";
    }
    const Colours colours = AskColours(WM_CTLCOLORSTATIC, window().statusLine);
    EXPECT_EQ(colours.text, RGB(0x78, 0x84, 0x8E));
    LOGBRUSH brush = {};
    GetObjectW(colours.brush, sizeof(brush), &brush);
    EXPECT_EQ(brush.lbColor, RGB(0xEC, 0xF1, 0xF4)) << "the footer's ground";
}

// A High Contrast theme, as the window's system-parameters service reports
// it: on or off as a test sets it, in colours none of the palette has.
bool gHighContrast = true;

uint32_t FakeSystemColour(int32_t index) {
    switch (index) {
        case COLOR_WINDOW: return 0x101828;
        case COLOR_WINDOWTEXT: return 0xF8F070;
        case COLOR_BTNFACE: return 0x282010;
        case COLOR_BTNTEXT: return 0x70F0F8;
        case COLOR_HIGHLIGHT: return 0x3050D0;
        case COLOR_HIGHLIGHTTEXT: return 0xF0FFF0;
        case COLOR_GRAYTEXT: return 0x90C090;
        default: return 0xFF00FF;  // no colour the window asks for
    }
}

const SystemParameters kFakeSystem = {[] { return gHighContrast; }, FakeSystemColour};

constexpr uint32_t kWindowColour = 0x101828;
constexpr uint32_t kWindowText = 0xF8F070;
constexpr uint32_t kButtonFace = 0x282010;
constexpr uint32_t kButtonText = 0x70F0F8;
constexpr uint32_t kHighlight = 0x3050D0;
constexpr uint32_t kHighlightText = 0xF0FFF0;
constexpr uint32_t kGrayText = 0x90C090;

// Every colour of the palette.
constexpr uint32_t kPalette[] = {
    0xF4F7F9, 0x006C96, 0x0084B0, 0xFFFFFF, 0xD6ECF6, 0xDAE2E8, 0xE4EAEE,
    0xECF1F4, 0x2C3842, 0x78848E, 0x007AA8, 0x00648A, 0x006A94, 0xE2EAF0,
    0xCED8E0, 0x008060, 0xB08400, 0xD66C00, 0xBE1E2D,
};

COLORREF Ref(uint32_t colour) { return RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF); }

uint32_t BrushColour(HBRUSH brush) {
    LOGBRUSH logical = {};
    GetObjectW(brush, sizeof(logical), &logical);
    return (GetRValue(logical.lbColor) << 16) | (GetGValue(logical.lbColor) << 8) |
           GetBValue(logical.lbColor);
}

class HighContrastTest : public MainWindowTest {
protected:
    void SetUp() override {
        gHighContrast = true;
        ASSERT_NE(CreateMainWindow(GetModuleHandleW(nullptr), CurrentTool(), kFakeSystem), nullptr);
        Pump();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        gHighContrast = true;
    }
};

const PixelCase kHighContrastRegions[] = {
    {0, 0, kHighlight, "accent strip"},
    {900, 20, kHighlight, "header band"},
    {500, 88, kButtonFace, "background under the header"},
    {20, 96, kWindowText, "left panel border"},
    {100, 400, kWindowColour, "left panel"},
    {460, 300, kButtonFace, "gap between panels"},
    {999, 647, kWindowText, "right panel border"},
    {800, 400, kWindowColour, "right panel"},
    {36, 133, kGrayText, "inputs rule"},
    {983, 133, kGrayText, "results rule"},
    {0, 660, kButtonFace, "footer band"},
};

TEST_F(HighContrastTest, TheClientAreaTakesEveryColourFromTheSystem) {
    Canvas canvas(1020, 720);
    PaintContent(canvas.dc(), RECT{0, 0, 1020, 720});
    for (const PixelCase& one : kHighContrastRegions) {
        EXPECT_EQ(Hex(canvas.At(one.x, one.y)), Hex(one.colour))
            << one.what << " at " << one.x << "," << one.y;
    }
    EXPECT_GT(canvas.InkIn(26, 12, 726, 50, kHighlight), 100) << "title";
    EXPECT_EQ(canvas.NearestTo(26, 12, 726, 50, kHighlightText), 0) << "title colour";
    EXPECT_LT(canvas.NearestTo(36, 104, 336, 133, kWindowText), 40) << "caption colour";
    EXPECT_GT(canvas.InkIn(740, 704, 1004, 720, kButtonFace), 50) << "status line";
    EXPECT_LT(canvas.NearestTo(740, 704, 1004, 720, kButtonText), 40) << "status colour";
    int fromPalette = 0;
    for (int y = 0; y < 720; ++y) {
        for (int x = 0; x < 1020; ++x) {
            for (uint32_t colour : kPalette) fromPalette += canvas.At(x, y) == colour;
        }
    }
    EXPECT_EQ(fromPalette, 0) << "pixels in a colour of the palette";
}

TEST_F(HighContrastTest, ButtonsTakeTheSystemsButtonAndHighlightColours) {
    const ButtonCase cases[] = {
        {1001, 0, kHighlight, kButtonText, kHighlightText},
        {1001, ODS_SELECTED, kButtonFace, kButtonText, kButtonText},
        {1002, 0, kButtonFace, kButtonText, kButtonText},
        {1003, ODS_SELECTED, kHighlight, kButtonText, kHighlightText},
    };
    for (const ButtonCase& one : cases) {
        SCOPED_TRACE(std::to_string(one.id) + " state " + std::to_string(one.state));
        Canvas canvas(152, 40);
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = static_cast<UINT>(one.id);
        item.itemState = one.state;
        item.hwndItem = button(one.id);
        item.hDC = canvas.dc();
        item.rcItem = RECT{0, 0, 152, 40};
        SendMessageW(main(), WM_DRAWITEM, static_cast<WPARAM>(one.id),
                     reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(Hex(canvas.At(0, 0)), Hex(one.border));
        EXPECT_EQ(Hex(canvas.At(3, 20)), Hex(one.fill));
        EXPECT_GT(canvas.InkIn(1, 1, 151, 39, one.fill), 40) << "caption drawn";
        EXPECT_LT(canvas.NearestTo(1, 1, 151, 39, one.text), 24) << "caption colour";
    }
}

// The verdict keeps its words and loses its colour at every level.
TEST_F(HighContrastTest, ControlsTakeWindowAndWindowTextAndTheMutedOnesGrayText) {
    const Colours edit = AskColours(WM_CTLCOLOREDIT, window().inputEdits[0]);
    EXPECT_EQ(edit.text, Ref(kWindowText));
    EXPECT_EQ(edit.background, Ref(kWindowColour));
    EXPECT_EQ(BrushColour(edit.brush), kWindowColour);
    int muted = 0;
    for (HWND child = GetWindow(main(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) != L"Static" && child != window().resultBox) continue;
        if (child == window().statusLine) continue;
        SCOPED_TRACE(::testing::PrintToString(TextOf(child)));
        const Colours colours = AskColours(WM_CTLCOLORSTATIC, child);
        EXPECT_EQ(BrushColour(colours.brush), kWindowColour);
        const bool isMuted = colours.text == Ref(kGrayText);
        EXPECT_TRUE(isMuted || colours.text == Ref(kWindowText));
        muted += isMuted;
    }
    for (int level = -1; level <= 4; ++level) {
        window().state.currentLevel = level;
        EXPECT_EQ(VerdictTextColour(), Ref(kWindowText)) << "level " << level;
    }
    window().state.currentLevel = 0;
    EXPECT_EQ(muted, 5) << "two labels, two units and the reference line";
    const Colours status = AskColours(WM_CTLCOLORSTATIC, window().statusLine);
    EXPECT_EQ(status.text, Ref(kButtonText));
    EXPECT_EQ(BrushColour(status.brush), kButtonFace);
}

// The theme is read again whenever the system's colours or settings change.
TEST_F(HighContrastTest, TurnedOffAndOnTheWindowFollows) {
    gHighContrast = false;
    SendMessageW(main(), WM_SYSCOLORCHANGE, 0, 0);
    {
        Canvas canvas(1020, 720);
        PaintContent(canvas.dc(), RECT{0, 0, 1020, 720});
        EXPECT_EQ(Hex(canvas.At(10, 300)), Hex(0xF4F7F9));
        EXPECT_EQ(Hex(canvas.At(100, 400)), Hex(0xFFFFFF));
        EXPECT_EQ(AskColours(WM_CTLCOLOREDIT, window().inputEdits[0]).text, RGB(0x2C, 0x38, 0x42));
        EXPECT_EQ(VerdictTextColour(), RGB(0x00, 0x80, 0x60));
    }
    gHighContrast = true;
    SendMessageW(main(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    Canvas canvas(1020, 720);
    PaintContent(canvas.dc(), RECT{0, 0, 1020, 720});
    EXPECT_EQ(Hex(canvas.At(10, 300)), Hex(kButtonFace));
    EXPECT_EQ(Hex(canvas.At(100, 400)), Hex(kWindowColour));
    EXPECT_EQ(VerdictTextColour(), Ref(kWindowText));
}

}  // namespace
}  // namespace tarn::win32::testing
