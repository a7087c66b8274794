// Painting of the main window with GDI: the three primitives of the shared
// painter, over which ui/paint.h draws the client area, the owner-drawn
// buttons and the status line, and the colours of the controls.
#include <windows.h>

#include "ui/paint.h"
#include "ui/win32/gdi.h"
#include "ui/win32/main_window.h"

namespace tarn::win32 {
namespace {

constexpr int32_t kButtonTextCapacity = 64;
// An "&" in a text is shown, not taken for an access key.
constexpr UINT kTextFlags = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

HDC DcOf(void* context) { return static_cast<HDC>(context); }

RECT RectOf(const ui::Box& box) { return {box.x, box.y, box.x + box.width, box.y + box.height}; }

ui::Box BoxOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

UINT AlignFlag(ui::TextAlign align) {
    switch (align) {
        case ui::TextAlign::Centre: return DT_CENTER;
        case ui::TextAlign::Right: return DT_RIGHT;
        case ui::TextAlign::Left: break;
    }
    return DT_LEFT;
}

void FillBox(void* context, ui::Box box, uint32_t colour) {
    TemporaryBrush brush(CreateSolidBrush(ToColorRef(colour)));
    const RECT rect = RectOf(box);
    FillRect(DcOf(context), &rect, brush.get());
}

// Outline only, inside the box: the stock null brush leaves the inside as
// it is.
void FrameBox(void* context, ui::Box box, uint32_t colour, int32_t lineWidth) {
    HDC dc = DcOf(context);
    TemporaryPen pen(CreatePen(PS_INSIDEFRAME, lineWidth, ToColorRef(colour)));
    SelectedObject selectedPen(dc, pen.get());
    SelectedObject selectedBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, box.x, box.y, box.x + box.width, box.y + box.height);
}

void TextInBox(void* context, ui::Box box, const char16_t* text, uint32_t colour, int32_t font,
               ui::TextAlign align) {
    HDC dc = DcOf(context);
    SelectedObject selectedFont(dc, Font(font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(colour));
    RECT rect = RectOf(box);
    DrawTextW(dc, Wide(text), -1, &rect, AlignFlag(align) | kTextFlags);
}

ui::Painter PainterOn(HDC dc) { return {FillBox, FrameBox, TextInBox, dc}; }

}  // namespace

void PaintContent(HDC dc, const RECT& client) {
    ui::PaintClientArea(Window().state, PainterOn(dc), {client.right, client.bottom});
}

void DrawButton(const DRAWITEMSTRUCT& item) {
    char16_t caption[kButtonTextCapacity] = {};
    GetWindowTextW(item.hwndItem, Wide(caption), kButtonTextCapacity);
    ui::PaintButton(Window().state, PainterOn(item.hDC), BoxOf(item.rcItem), caption,
                    ui::ButtonKindOf(static_cast<int32_t>(item.CtlID)),
                    (item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_FOCUS) != 0);
}

// The status line's own box holds the footer's ground and the text, as the
// client area has them there.
void DrawStatusLine(const DRAWITEMSTRUCT& item) {
    ui::PaintStatusLine(Window().state, PainterOn(item.hDC), BoxOf(item.rcItem));
}

HBRUSH EditColours(HDC dc) {
    const ui::WindowState& state = Window().state;
    SetTextColor(dc, ToColorRef(ui::ControlTextColour(ui::ControlRole::InputEdit, 0,
                                                      state.systemColours)));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ToColorRef(ui::ColourOf(ui::ColourRole::ControlBackground, state.systemColours)));
    return Window().panelBrush;
}

// Transparent on the panel's brush: the panel shows through around the
// text. The status line draws itself; asked, it names the footer's colours.
HBRUSH StaticColours(HDC dc, HWND control) {
    const MainWindow& window = Window();
    const ui::SystemColours* system = window.state.systemColours;
    SetBkMode(dc, TRANSPARENT);
    if (control == window.statusLine) {
        SetTextColor(dc, ToColorRef(ui::ColourOf(ui::kStatusRegion.role, system)));
        return window.footerBrush;
    }
    SetTextColor(dc, ToColorRef(ui::ControlTextColour(RoleOf(control), window.state.currentLevel,
                                                      system)));
    return window.panelBrush;
}

}  // namespace tarn::win32
