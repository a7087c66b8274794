#include "ui/paint.h"

#include "engine/format.h"
#include "engine/text.h"
#include "ui/texts.h"

namespace tarn::ui {
namespace {

constexpr int32_t kFocusInset = 4;

// The focus rectangle's dots: squares one line wide on every other place
// of the outline, from the top-left corner on, as the system dots it.
void PaintFocusDots(const Painter& painter, Box box, uint32_t colour, int32_t dot) {
    const int32_t columns = box.width / dot;
    const int32_t rows = box.height / dot;
    const auto cell = [&](int32_t column, int32_t row) {
        if ((column + row) % 2 != 0) return;
        painter.fillBox(painter.context, {box.x + column * dot, box.y + row * dot, dot, dot}, colour);
    };
    for (int32_t column = 0; column < columns; ++column) {
        cell(column, 0);
        if (rows > 1) cell(column, rows - 1);
    }
    for (int32_t row = 1; row < rows - 1; ++row) {
        cell(0, row);
        if (columns > 1) cell(columns - 1, row);
    }
}

}  // namespace

void RegionTextOf(RegionText text, const WindowState& state, char16_t* buffer, int32_t capacity) {
    if (capacity <= 0) return;
    static const ToolDescriptor kNoTool = {};
    const ToolDescriptor& tool = state.tool ? *state.tool : kNoTool;
    switch (text) {
        case RegionText::Title: CopyBounded(buffer, capacity, tool.title); return;
        case RegionText::Subtitle:
            FormatBounded(buffer, capacity, kSubtitleTemplate, TextOrEmpty(tool.category),
                          TextOrEmpty(tool.subtitle));
            return;
        case RegionText::InputsCaption: CopyBounded(buffer, capacity, kInputsCaption); return;
        case RegionText::ResultsCaption: CopyBounded(buffer, capacity, kResultsCaption); return;
        case RegionText::StatusLine: CopyBounded(buffer, capacity, state.statusLine); return;
        case RegionText::None: break;
    }
    buffer[0] = 0;
}

Box RegionBox(const PaintRegion& region, Size client, double scale) {
    Box box = region.box;
    const bool toRight = box.width == kToClientEdge;
    const bool toBottom = box.height == kToClientEdge;
    if (toRight) box.width = 0;
    if (toBottom) box.height = 0;
    box = ScaledBox(box, scale);
    if (toRight) box.width = client.width - box.x;
    if (toBottom) box.height = client.height - box.y;
    return box;
}

namespace {

void PaintRegionIn(const WindowState& state, const Painter& painter, const PaintRegion& region,
                   Box box) {
    const uint32_t colour = ColourOf(region.role, state.systemColours);
    switch (region.op) {
        case PaintOp::Fill: painter.fillBox(painter.context, box, colour); break;
        case PaintOp::Frame:
            painter.frameBox(painter.context, box, colour, LineWidth(state.scale));
            break;
        case PaintOp::Text: {
            char16_t text[kRegionTextCapacity];
            RegionTextOf(region.text, state, text, kRegionTextCapacity);
            painter.textInBox(painter.context, box, text, colour, region.font, region.align);
            break;
        }
    }
}

}  // namespace

void PaintClientArea(const WindowState& state, const Painter& painter, Size client) {
    for (const PaintRegion& region : kPaintRegions) {
        PaintRegionIn(state, painter, region, RegionBox(region, client, state.scale));
    }
}

void PaintStatusLine(const WindowState& state, const Painter& painter, Box box) {
    PaintRegionIn(state, painter, kFooterRegion, box);
    PaintRegionIn(state, painter, kStatusRegion, box);
}

void PaintButton(const WindowState& state, const Painter& painter, Box box,
                 const char16_t* caption, ButtonKind kind, bool pressed, bool focused) {
    const ButtonFace face = ButtonFaceOf(kind, pressed, state.systemColours);
    const int32_t lineWidth = LineWidth(state.scale);
    painter.fillBox(painter.context, box, face.fill);
    painter.frameBox(painter.context, box, face.border, lineWidth);
    painter.textInBox(painter.context, box, TextOrEmpty(caption), face.caption, face.font,
                      face.align);
    if (!ShowsFocusRectangle(state, focused)) return;
    const int32_t inset = Scaled(kFocusInset, state.scale);
    const Box dots = {box.x + inset, box.y + inset, box.width - 2 * inset, box.height - 2 * inset};
    PaintFocusDots(painter, dots, face.caption, lineWidth);
}

}  // namespace tarn::ui
