// Painting into memory bitmaps: the regions of the client area, the
// owner-drawn buttons and the colours handed to the controls.
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

HBRUSH WhiteBrush() { return Window().whiteBrush; }

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

}  // namespace
}  // namespace tarn::win32::testing
