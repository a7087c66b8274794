// Painting of the main window with GDI: the three primitives over which the
// regions of ui/paint.h are drawn, the owner-drawn buttons and the colours
// of the controls.
#include <windows.h>

#include "ui/paint.h"
#include "ui/win32/gdi.h"
#include "ui/win32/main_window.h"

namespace tarn::win32 {
namespace {

constexpr int32_t kButtonTextCapacity = 64;
constexpr UINT kTextFlags = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;

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

void FillBox(HDC dc, const ui::Box& box, uint32_t colour) {
    TemporaryBrush brush(CreateSolidBrush(ToColorRef(colour)));
    const RECT rect = RectOf(box);
    FillRect(dc, &rect, brush.get());
}

// Outline only: the stock null brush leaves the inside as it is.
void FrameBox(HDC dc, const ui::Box& box, uint32_t colour) {
    TemporaryPen pen(CreatePen(PS_SOLID, 1, ToColorRef(colour)));
    SelectedObject selectedPen(dc, pen.get());
    SelectedObject selectedBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, box.x, box.y, box.x + box.width, box.y + box.height);
}

void TextInBox(HDC dc, const ui::Box& box, const char16_t* text, uint32_t colour, int32_t font,
               ui::TextAlign align) {
    SelectedObject selectedFont(dc, Font(font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(colour));
    RECT rect = RectOf(box);
    DrawTextW(dc, Wide(text), -1, &rect, AlignFlag(align) | kTextFlags);
}

// The three controls the window keeps a handle of are known by it; the
// other statics are the input labels (right-aligned), the units and the
// reference line.
ui::ControlRole RoleOf(const MainWindow& window, HWND control) {
    if (control == window.verdictLine) return ui::ControlRole::Verdict;
    if (control == window.resultBox) return ui::ControlRole::ResultBox;
    if (control == window.noteText) return ui::ControlRole::Note;
    if (control == window.referenceLine) return ui::ControlRole::Reference;
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    return (style & SS_TYPEMASK) == SS_RIGHT ? ui::ControlRole::InputLabel : ui::ControlRole::Unit;
}

}  // namespace

void PaintContent(HDC dc, const RECT& client) {
    const ui::WindowState& state = Window().state;
    for (const ui::PaintRegion& region : ui::kPaintRegions) {
        const ui::Box box = ui::BoxInClient(region.box, client.right, client.bottom);
        switch (region.op) {
            case ui::PaintOp::Fill: FillBox(dc, box, region.colour); break;
            case ui::PaintOp::Frame: FrameBox(dc, box, region.colour); break;
            case ui::PaintOp::Text: {
                char16_t text[ui::kRegionTextCapacity];
                ui::RegionTextOf(region.text, state, text, ui::kRegionTextCapacity);
                TextInBox(dc, box, text, region.colour, region.font, region.align);
                break;
            }
        }
    }
}

void DrawButton(const DRAWITEMSTRUCT& item) {
    const ui::ButtonFace face = ui::ButtonFaceOf(ui::ButtonKindOf(static_cast<int32_t>(item.CtlID)),
                                                 (item.itemState & ODS_SELECTED) != 0);
    const ui::Box box = BoxOf(item.rcItem);
    FillBox(item.hDC, box, face.fill);
    FrameBox(item.hDC, box, face.border);
    char16_t caption[kButtonTextCapacity] = {};
    GetWindowTextW(item.hwndItem, Wide(caption), kButtonTextCapacity);
    TextInBox(item.hDC, box, caption, face.caption, face.font, face.align);
    if (ui::ShowsFocusRectangle(Window().state, (item.itemState & ODS_FOCUS) != 0)) {
        const COLORREF colour = ToColorRef(face.caption);
        ui::ForEachOutlineDot(ui::FocusRectangleOf(box),
                              [&](int32_t x, int32_t y) { SetPixelV(item.hDC, x, y, colour); });
    }
}

HBRUSH EditColours(HDC dc) {
    SetTextColor(dc, ToColorRef(ui::ControlTextColour(ui::ControlRole::InputEdit, 0)));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ToColorRef(ui::kControlBackground));
    return Window().whiteBrush;
}

// Transparent on the white brush: the panel shows through around the text.
HBRUSH StaticColours(HDC dc, HWND control) {
    const MainWindow& window = Window();
    const uint32_t colour = ui::ControlTextColour(RoleOf(window, control), window.state.currentLevel);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(colour));
    return window.whiteBrush;
}

}  // namespace tarn::win32
