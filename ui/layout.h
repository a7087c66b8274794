// The main window's design: fonts, painted boxes and the ids of the
// controls on a 1020 x 720 client area at 96 DPI. Other screens draw it
// multiplied by a scale (ui/scale.h); the controls themselves come from
// the control tree (ui/control_tree.h).
#pragma once

#include <cstdint>

#include "ui/services.h"
#include "ui/texts.h"

namespace tarn::ui {

inline constexpr int32_t kClientWidth = 1020;
inline constexpr int32_t kClientHeight = 720;
inline constexpr uint32_t kMainWindowStyle = 0x00CA0000;  // caption, system menu, minimise box

inline constexpr int32_t kComputeId = 1001;
inline constexpr int32_t kSaveId = 1002;
inline constexpr int32_t kCopyId = 1003;
inline constexpr int32_t kResetId = 1004;
inline constexpr int32_t kAboutId = 1005;
inline constexpr int32_t kFirstInputEditId = 2000;
inline constexpr int32_t kResultBoxId = 3000;

// The button of a slot, and the slot of a button: both in the order
// compute, save, copy, reset, about.
constexpr int32_t ButtonIdOfSlot(int32_t slot) { return kComputeId + (slot - kFirstButtonSlot); }
constexpr int32_t ButtonSlotOf(int32_t id) { return kFirstButtonSlot + (id - kComputeId); }
constexpr bool IsButtonSlot(int32_t slot) {
    return slot >= kFirstButtonSlot && slot < kFirstButtonSlot + kButtonCount;
}

// A font of the window, by number 1..8 as in the table below.
struct FontStyle {
    int32_t height;  // character height in pixels at 96 DPI
    int32_t weight;  // 400 normal, 700 bold
    const char16_t* face;
};
inline constexpr int32_t kFontCount = 8;
inline constexpr FontStyle kFonts[kFontCount] = {
    {27, 700, u"Microsoft YaHei UI"},  // 1 header title
    {14, 400, u"Microsoft YaHei UI"},  // 2 header subtitle, section captions
    {14, 400, u"Microsoft YaHei UI"},  // 3 input labels
    {15, 400, u"Microsoft YaHei UI"},  // 4 input edits
    {21, 700, u"Microsoft YaHei UI"},  // 5 verdict line
    {15, 400, u"Consolas"},            // 6 result box
    {15, 400, u"Microsoft YaHei UI"},  // 7 button captions
    {12, 400, u"Microsoft YaHei UI"},  // 8 units, note, reference, status line
};
inline constexpr int32_t kTitleFont = 1;
inline constexpr int32_t kSubtitleFont = 2;
inline constexpr int32_t kInputLabelFont = 3;
inline constexpr int32_t kInputEditFont = 4;
inline constexpr int32_t kVerdictFont = 5;
inline constexpr int32_t kResultFont = 6;
inline constexpr int32_t kButtonFont = 7;
inline constexpr int32_t kSmallFont = 8;

// Win32 style values of the controls; other front ends read the role.
// The statics show data (descriptor texts, verdicts): an "&" in them is
// shown, not taken for an access key (SS_NOPREFIX).
inline constexpr uint32_t kClientEdge = 0x00000200;
inline constexpr uint32_t kInputLabelStyle = 0x50000082;
// The edits, the buttons and the read-only result box are the tab stops
// (the keys skip the result box while it is empty: ui/keyboard.h).
inline constexpr uint32_t kInputEditStyle = 0x50010080;
inline constexpr uint32_t kStaticStyle = 0x50000080;
inline constexpr uint32_t kResultBoxStyle = 0x50210844;
inline constexpr uint32_t kButtonStyle = 0x5001000B;

// A box of client pixels: left, top, width, height.
struct Box {
    int32_t x, y, width, height;
};

// Row i of the input rows.
constexpr int32_t InputRowY(int32_t row) { return 150 + 34 * row; }

// Painted regions of the client area; ui/paint.h puts them in painting
// order with their colours.
inline constexpr int32_t kHeaderHeight = 88;
inline constexpr Box kAccentStripBox = {0, 0, 8, 88};  // palette.h names its colour kAccentStrip
inline constexpr Box kTitleBox = {26, 12, 700, 38};
inline constexpr Box kSubtitleBox = {28, 48, 720, 28};
inline constexpr Box kLeftPanel = {20, 96, 440, 552};
inline constexpr Box kRightPanel = {476, 96, 524, 552};
inline constexpr Box kInputsCaptionBox = {36, 104, 300, 30};
inline constexpr Box kResultsCaptionBox = {492, 104, 300, 30};
inline constexpr Box kInputsRule = {36, 133, 408, 1};
inline constexpr Box kResultsRule = {492, 133, 492, 1};
inline constexpr int32_t kFooterTop = 660;
inline constexpr Box kStatusBox = {740, 704, 264, 16};

// Where a window of `size` pixels starts when centred along one axis of a
// work area (the screen less the taskbar) that starts at `start` and spans
// `extent` pixels. A window larger than the work area starts at its start,
// so that its caption stays on the screen.
constexpr int32_t CentredOrigin(int32_t start, int32_t extent, int32_t size) {
    const int32_t margin = (extent - size) / 2;
    return start + (margin < 0 ? 0 : margin);
}

}  // namespace tarn::ui
