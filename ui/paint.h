// The painted picture of the main window, described once for every front
// end: the client-area regions in painting order, the faces of the
// owner-drawn buttons and the text colours of the controls. A front end
// draws the regions with three primitives (fill a box, frame a box, one
// line of text in a box) and asks the decisions below from its own hooks.
// Each colour names a role (ui/palette.h); the state's system colours, when
// a High Contrast theme is on, replace the palette.
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
    ColourRole role;
    int32_t font;  // 1..8 for text, 0 otherwise
    RegionText text;
    TextAlign align;
};

constexpr PaintRegion FillRegion(Box box, ColourRole role) {
    return {PaintOp::Fill, box, role, 0, RegionText::None, TextAlign::Left};
}
// A one-pixel outline on the box's own edge pixels; the inside stays as it is.
constexpr PaintRegion FrameRegion(Box box, ColourRole role) {
    return {PaintOp::Frame, box, role, 0, RegionText::None, TextAlign::Left};
}
// One line, vertically centred, transparent, cut with an ellipsis at its end.
constexpr PaintRegion TextRegion(Box box, ColourRole role, int32_t font, RegionText text,
                                 TextAlign align) {
    return {PaintOp::Text, box, role, font, text, align};
}

// The footer and the status line on it; a front end that shows the status
// in a control of its own draws it from these (PaintStatusLine).
inline constexpr PaintRegion kFooterRegion =
    FillRegion({0, kFooterTop, kToClientEdge, kClientHeight - kFooterTop}, ColourRole::FooterBand);
inline constexpr PaintRegion kStatusRegion = TextRegion(
    kStatusBox, ColourRole::StatusText, kSmallFont, RegionText::StatusLine, TextAlign::Right);

// Later regions lie over earlier ones: both panels before the captions,
// the captions before the rules under them.
inline constexpr PaintRegion kPaintRegions[] = {
    FillRegion({0, 0, kToClientEdge, kToClientEdge}, ColourRole::WindowBackground),
    FillRegion({0, 0, kToClientEdge, kHeaderHeight}, ColourRole::HeaderBand),
    FillRegion(kAccentStripBox, ColourRole::AccentStrip),
    TextRegion(kTitleBox, ColourRole::Title, kTitleFont, RegionText::Title, TextAlign::Left),
    TextRegion(kSubtitleBox, ColourRole::Subtitle, kSubtitleFont, RegionText::Subtitle,
               TextAlign::Left),
    // The maker's web address would sit at the header's right end; this tool names none.
    FillRegion(kLeftPanel, ColourRole::Panel),
    FrameRegion(kLeftPanel, ColourRole::PanelBorder),
    FillRegion(kRightPanel, ColourRole::Panel),
    FrameRegion(kRightPanel, ColourRole::PanelBorder),
    TextRegion(kInputsCaptionBox, ColourRole::SectionCaption, kSubtitleFont,
               RegionText::InputsCaption, TextAlign::Left),
    TextRegion(kResultsCaptionBox, ColourRole::SectionCaption, kSubtitleFont,
               RegionText::ResultsCaption, TextAlign::Left),
    FillRegion(kInputsRule, ColourRole::CaptionRule),
    FillRegion(kResultsRule, ColourRole::CaptionRule),
    // The footer keeps its height when the client area is taller.
    kFooterRegion,
    kStatusRegion,
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

struct ButtonFaceRoles {
    ColourRole fill;
    ColourRole border;  // one pixel on the button's edge
    ColourRole caption;
};

// Held down, a button's fill darkens; in the palette its border and caption
// stay (a High Contrast theme swaps fill and caption: ui/palette.h).
constexpr ButtonFaceRoles ButtonFaceRolesOf(ButtonKind kind, bool pressed) {
    using R = ColourRole;
    if (kind == ButtonKind::Primary) {
        return {pressed ? R::PrimaryFillPressed : R::PrimaryFill, R::PrimaryBorder,
                pressed ? R::PrimaryCaptionPressed : R::PrimaryCaption};
    }
    return {pressed ? R::ButtonFillPressed : R::ButtonFill, R::ButtonBorder,
            pressed ? R::ButtonCaptionPressed : R::ButtonCaption};
}

struct ButtonFace {
    uint32_t fill;
    uint32_t border;  // one pixel on the button's edge
    uint32_t caption;
    int32_t font;
    TextAlign align;
};

// The face in colours: the palette's, or the system's (ColourOf).
constexpr ButtonFace ButtonFaceOf(ButtonKind kind, bool pressed,
                                  const SystemColours* system = nullptr) {
    const ButtonFaceRoles roles = ButtonFaceRolesOf(kind, pressed);
    return {ColourOf(roles.fill, system), ColourOf(roles.border, system),
            ColourOf(roles.caption, system), kButtonFont, TextAlign::Centre};
}

// A button the keyboard focused shows a dotted rectangle 4 pixels (at
// s = 1) inside its edge, in its caption colour; after a mouse press none
// until the keyboard moves the focus again (WindowState::focusCues).
constexpr bool ShowsFocusRectangle(const WindowState& state, bool focused) {
    return focused && state.focusCues;
}

// Every control sits on a white panel; the edits are opaque in it.
inline constexpr uint32_t kControlBackground = PaletteColour(ColourRole::ControlBackground);
// Both text colours of the controls stand out from that ground.
static_assert(kMainText != kControlBackground && kMutedText != kControlBackground);

// `level` is the verdict's severity; the other roles ignore it. A button's
// caption takes the colour of its face (ButtonFaceOf).
constexpr ColourRole ControlTextRole(ControlRole role, int32_t level) {
    switch (role) {
        case ControlRole::Verdict: return VerdictRole(level);
        case ControlRole::Note:
        case ControlRole::ResultBox:
        case ControlRole::InputEdit:
        case ControlRole::Button: return ColourRole::MainText;
        case ControlRole::InputLabel:
        case ControlRole::Unit:
        case ControlRole::Reference: break;
    }
    return ColourRole::MutedText;
}

constexpr uint32_t ControlTextColour(ControlRole role, int32_t level,
                                     const SystemColours* system = nullptr) {
    return ColourOf(ControlTextRole(role, level), system);
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

// The regions of the client area, in painting order, at the state's scale
// in the state's colours.
void PaintClientArea(const WindowState& state, const Painter& painter, Size client);

// The status line in a control of its own that fills `box`: the footer's
// ground, then the text, as PaintClientArea draws them there.
void PaintStatusLine(const WindowState& state, const Painter& painter, Box box);

// An owner-drawn button filling `box`: its face, its caption and, when the
// keyboard focused it, the focus rectangle, at the state's scale.
void PaintButton(const WindowState& state, const Painter& painter, Box box,
                 const char16_t* caption, ButtonKind kind, bool pressed, bool focused);

}  // namespace tarn::ui
