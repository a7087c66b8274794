// The painted picture of the main window, described once for every front
// end: the client-area regions in painting order, the faces of the
// owner-drawn buttons and the text colours of the controls. A front end
// draws the regions with three primitives (fill a box, frame a box, one
// line of text in a box) and asks the decisions below from its own hooks.
#pragma once

#include <cstdint>

#include "ui/control_tree.h"
#include "ui/layout.h"
#include "ui/palette.h"
#include "ui/scale.h"
#include "ui/window_state.h"

namespace tarn::ui {

enum class PaintOp { Fill, Frame, Text };
enum class TextAlign { Left, Centre, Right };

// Where a text region's text comes from (see RegionTextOf).
enum class RegionText { None, Title, Subtitle, InputsCaption, ResultsCaption, StatusLine };

// A box width or height that reaches the right or bottom edge of the client
// area, whatever its size.
inline constexpr int32_t kToClientEdge = -1;

struct PaintRegion {
    PaintOp op;
    Box box;
    uint32_t colour;
    int32_t font;  // 1..8 for text, 0 otherwise
    RegionText text;
    TextAlign align;
};

constexpr PaintRegion FillRegion(Box box, uint32_t colour) {
    return {PaintOp::Fill, box, colour, 0, RegionText::None, TextAlign::Left};
}
// A one-pixel outline on the box's own edge pixels; the inside stays as it is.
constexpr PaintRegion FrameRegion(Box box, uint32_t colour) {
    return {PaintOp::Frame, box, colour, 0, RegionText::None, TextAlign::Left};
}
// One line, vertically centred, transparent, cut with an ellipsis at its end.
constexpr PaintRegion TextRegion(Box box, uint32_t colour, int32_t font, RegionText text,
                                 TextAlign align) {
    return {PaintOp::Text, box, colour, font, text, align};
}

// Later regions lie over earlier ones: both panels before the captions,
// the captions before the rules under them.
inline constexpr PaintRegion kPaintRegions[] = {
    FillRegion({0, 0, kToClientEdge, kToClientEdge}, kWindowBackground),
    FillRegion({0, 0, kToClientEdge, kHeaderHeight}, kHeaderBand),
    FillRegion(kAccentStripBox, kAccentStrip),
    TextRegion(kTitleBox, kWhite, kTitleFont, RegionText::Title, TextAlign::Left),
    TextRegion(kSubtitleBox, kSubtitleText, kSubtitleFont, RegionText::Subtitle, TextAlign::Left),
    // The maker's web address would sit at the header's right end; this tool names none.
    FillRegion(kLeftPanel, kWhite),
    FrameRegion(kLeftPanel, kPanelBorder),
    FillRegion(kRightPanel, kWhite),
    FrameRegion(kRightPanel, kPanelBorder),
    TextRegion(kInputsCaptionBox, kHeaderBand, kSubtitleFont, RegionText::InputsCaption,
               TextAlign::Left),
    TextRegion(kResultsCaptionBox, kHeaderBand, kSubtitleFont, RegionText::ResultsCaption,
               TextAlign::Left),
    FillRegion(kInputsRule, kCaptionRule),
    FillRegion(kResultsRule, kCaptionRule),
    // The footer keeps its height when the client area is taller.
    FillRegion({0, kFooterTop, kToClientEdge, kClientHeight - kFooterTop}, kFooterBand),
    TextRegion(kStatusBox, kMutedText, kSmallFont, RegionText::StatusLine, TextAlign::Right),
};
// The first region is the background, filled under every other one.
static_assert(sizeof(kPaintRegions) > 0 && kPaintRegions[0].op == PaintOp::Fill);

// A region's box at scale s in a client area of the given size: the edges
// scaled, a band that reaches the client's edge still reaching it.
Box RegionBox(const PaintRegion& region, Size client, double scale);

// Room for any region's text; longer texts are cut.
inline constexpr int32_t kRegionTextCapacity = 256;

// The text a region shows for the window's state, cut to the caller's
// buffer; empty for a fill or frame.
void RegionTextOf(RegionText text, const WindowState& state, char16_t* buffer, int32_t capacity);

// The owner-drawn buttons: compute is the primary one.
enum class ButtonKind { Normal, Primary };

constexpr ButtonKind ButtonKindOf(int32_t id) {
    return id == kComputeId ? ButtonKind::Primary : ButtonKind::Normal;
}

struct ButtonFace {
    uint32_t fill;
    uint32_t border;  // one pixel on the button's edge
    uint32_t caption;
    int32_t font;
    TextAlign align;
};

// Held down, a button's fill darkens; its border and caption stay.
constexpr ButtonFace ButtonFaceOf(ButtonKind kind, bool pressed) {
    if (kind == ButtonKind::Primary) {
        return {pressed ? kPrimaryFillPressed : kPrimaryFill, kPrimaryBorder, kWhite, kButtonFont,
                TextAlign::Centre};
    }
    return {pressed ? kButtonFillPressed : kWhite, kButtonBorder, kMainText, kButtonFont,
            TextAlign::Centre};
}

// A button the keyboard focused shows a dotted rectangle 4 pixels (at
// s = 1) inside its edge, in its caption colour; after a mouse press none
// until the keyboard moves the focus again (WindowState::focusCues).
constexpr bool ShowsFocusRectangle(const WindowState& state, bool focused) {
    return focused && state.focusCues;
}

// Every control sits on a white panel; the edits are opaque in it.
inline constexpr uint32_t kControlBackground = kWhite;
// Both text colours of the controls stand out from that ground.
static_assert(kMainText != kControlBackground && kMutedText != kControlBackground);

// `level` is the verdict's severity; the other roles ignore it. A button's
// caption takes the colour of its face (ButtonFaceOf).
constexpr uint32_t ControlTextColour(ControlRole role, int32_t level) {
    switch (role) {
        case ControlRole::Verdict: return VerdictColour(level);
        case ControlRole::Note:
        case ControlRole::ResultBox:
        case ControlRole::InputEdit:
        case ControlRole::Button: return kMainText;
        case ControlRole::InputLabel:
        case ControlRole::Unit:
        case ControlRole::Reference: break;
    }
    return kMutedText;
}

// A front end's drawing of the three primitives into its window; every
// call gets the context. Fonts are by number, at the window's scale.
struct Painter {
    void (*fillBox)(void* context, Box box, uint32_t colour);
    // An outline `lineWidth` pixels wide inside the box; the inside stays as it is.
    void (*frameBox)(void* context, Box box, uint32_t colour, int32_t lineWidth);
    // One line, vertically centred, transparent, cut with an ellipsis at its end.
    void (*textInBox)(void* context, Box box, const char16_t* text, uint32_t colour, int32_t font,
                      TextAlign align);
    void* context;
};

// The regions of the client area, in painting order, at the state's scale.
void PaintClientArea(const WindowState& state, const Painter& painter, Size client);

// An owner-drawn button filling `box`: its face, its caption and, when the
// keyboard focused it, the focus rectangle, at the state's scale.
void PaintButton(const WindowState& state, const Painter& painter, Box box,
                 const char16_t* caption, ButtonKind kind, bool pressed, bool focused);

}  // namespace tarn::ui
