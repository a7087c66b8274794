// Painting of the main window: the bands, panels and captions drawn by the
// window itself, the owner-drawn buttons, and the colours of the controls.
#include <windows.h>

#include "engine/format.h"
#include "engine/text.h"
#include "ui/layout.h"
#include "ui/palette.h"
#include "ui/texts.h"
#include "ui/win32/gdi.h"
#include "ui/win32/main_window.h"

namespace tarn::win32 {
namespace {

constexpr int32_t kSubtitleCapacity = 256;
constexpr int32_t kButtonTextCapacity = 64;
constexpr UINT kTextFlags = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;

void FillBox(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour) {
    TemporaryBrush brush(CreateSolidBrush(ToColorRef(colour)));
    const RECT box = {x, y, x + width, y + height};
    FillRect(dc, &box, brush.get());
}
void FillBox(HDC dc, const ui::Box& box, uint32_t colour) {
    FillBox(dc, box.x, box.y, box.width, box.height, colour);
}

// Outline only: the stock null brush leaves the inside as it is.
void FrameBox(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour) {
    TemporaryPen pen(CreatePen(PS_SOLID, 1, ToColorRef(colour)));
    SelectedObject selectedPen(dc, pen.get());
    SelectedObject selectedBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, x, y, x + width, y + height);
}
void FrameBox(HDC dc, const ui::Box& box, uint32_t colour) {
    FrameBox(dc, box.x, box.y, box.width, box.height, colour);
}

void TextInBox(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height,
               const char16_t* text, uint32_t colour, int32_t font, UINT flags) {
    SelectedObject selectedFont(dc, Font(font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(colour));
    RECT box = {x, y, x + width, y + height};
    DrawTextW(dc, Wide(text), -1, &box, flags | kTextFlags);
}
void TextInBox(HDC dc, const ui::Box& box, const char16_t* text, uint32_t colour, int32_t font,
               UINT flags) {
    TextInBox(dc, box.x, box.y, box.width, box.height, text, colour, font, flags);
}

void PaintHeader(HDC dc, int32_t width) {
    const ToolDescriptor& tool = *Window().state.tool;
    FillBox(dc, 0, 0, width, ui::kHeaderHeight, ui::kHeaderBand);
    FillBox(dc, ui::kAccentStripBox, ui::kAccentStrip);
    TextInBox(dc, ui::kTitleBox, TextOrEmpty(tool.title), ui::kWhite, ui::kTitleFont, DT_LEFT);
    char16_t subtitle[kSubtitleCapacity];
    FormatBounded(subtitle, kSubtitleCapacity, ui::kSubtitleTemplate, TextOrEmpty(tool.category),
                  TextOrEmpty(tool.subtitle));
    TextInBox(dc, ui::kSubtitleBox, subtitle, ui::kSubtitleText, ui::kSubtitleFont, DT_LEFT);
    // The maker's web address would sit at the top right; this tool has none.
}

}  // namespace

void PaintContent(HDC dc, const RECT& client) {
    const int32_t width = client.right;
    FillBox(dc, 0, 0, width, client.bottom, ui::kWindowBackground);
    PaintHeader(dc, width);
    // Both panels first, then both captions, then both rules: later regions
    // lie over earlier ones.
    FillBox(dc, ui::kLeftPanel, ui::kWhite);
    FrameBox(dc, ui::kLeftPanel, ui::kPanelBorder);
    FillBox(dc, ui::kRightPanel, ui::kWhite);
    FrameBox(dc, ui::kRightPanel, ui::kPanelBorder);
    TextInBox(dc, ui::kInputsCaptionBox, ui::kInputsCaption, ui::kHeaderBand, ui::kSubtitleFont,
              DT_LEFT);
    TextInBox(dc, ui::kResultsCaptionBox, ui::kResultsCaption, ui::kHeaderBand,
              ui::kSubtitleFont, DT_LEFT);
    FillBox(dc, ui::kInputsRule, ui::kCaptionRule);
    FillBox(dc, ui::kResultsRule, ui::kCaptionRule);
    FillBox(dc, 0, ui::kFooterTop, width, ui::kClientHeight - ui::kFooterTop, ui::kFooterBand);
    TextInBox(dc, ui::kStatusBox, Window().state.statusLine, ui::kMutedText, ui::kSmallFont,
              DT_RIGHT);
}

void DrawButton(const DRAWITEMSTRUCT& item) {
    const bool primary = item.CtlID == static_cast<UINT>(ui::kComputeId);
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const RECT& box = item.rcItem;
    const int32_t width = box.right - box.left;
    const int32_t height = box.bottom - box.top;
    uint32_t fill = pressed ? ui::kButtonFillPressed : ui::kWhite;
    if (primary) fill = pressed ? ui::kPrimaryFillPressed : ui::kPrimaryFill;
    FillBox(item.hDC, box.left, box.top, width, height, fill);
    FrameBox(item.hDC, box.left, box.top, width, height,
             primary ? ui::kPrimaryBorder : ui::kButtonBorder);
    char16_t caption[kButtonTextCapacity] = {};
    GetWindowTextW(item.hwndItem, Wide(caption), kButtonTextCapacity);
    TextInBox(item.hDC, box.left, box.top, width, height, caption,
              primary ? ui::kWhite : ui::kMainText, ui::kButtonFont, DT_CENTER);
}

HBRUSH EditColours(HDC dc) {
    SetTextColor(dc, ToColorRef(ui::kMainText));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ToColorRef(ui::kWhite));
    return Window().whiteBrush;
}

HBRUSH StaticColours(HDC dc, HWND control) {
    const MainWindow& window = Window();
    uint32_t colour = ui::kMutedText;
    if (control == window.verdictLine) {
        colour = ui::VerdictColour(window.state.currentLevel);
    } else if (control == window.resultBox || control == window.noteText) {
        colour = ui::kMainText;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(colour));
    return window.whiteBrush;
}

}  // namespace tarn::win32
