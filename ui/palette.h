// The window's colours, as 0xRRGGBB, and what each is for. Every colour of
// the window names a role; a role has its colour in the palette and, under
// a Windows High Contrast theme, a system colour instead.
#pragma once

#include <cstdint>

namespace tarn::ui {

inline constexpr uint32_t kWindowBackground = 0xF4F7F9;
inline constexpr uint32_t kHeaderBand = 0x006C96;  // also the section captions
inline constexpr uint32_t kAccentStrip = 0x0084B0;
inline constexpr uint32_t kWhite = 0xFFFFFF;
inline constexpr uint32_t kSubtitleText = 0xD6ECF6;
inline constexpr uint32_t kPanelBorder = 0xDAE2E8;
inline constexpr uint32_t kCaptionRule = 0xE4EAEE;
inline constexpr uint32_t kFooterBand = 0xECF1F4;
inline constexpr uint32_t kMainText = 0x2C3842;
inline constexpr uint32_t kMutedText = 0x78848E;
inline constexpr uint32_t kPrimaryFill = 0x007AA8;
inline constexpr uint32_t kPrimaryFillPressed = 0x00648A;
inline constexpr uint32_t kPrimaryBorder = 0x006A94;
inline constexpr uint32_t kButtonFillPressed = 0xE2EAF0;
inline constexpr uint32_t kButtonBorder = 0xCED8E0;

// The verdict's colours by severity: normal, then levels 1 to 3.
inline constexpr uint32_t kVerdictNormal = 0x008060;
inline constexpr uint32_t kVerdictMild = 0xB08400;
inline constexpr uint32_t kVerdictModerate = 0xD66C00;
inline constexpr uint32_t kVerdictSevere = 0xBE1E2D;

// What a colour of the window is for.
enum class ColourRole : uint8_t {
    WindowBackground,
    HeaderBand,
    AccentStrip,
    Title,
    Subtitle,
    Panel,
    PanelBorder,
    SectionCaption,
    CaptionRule,
    FooterBand,
    StatusText,
    MainText,   // fields, result, note
    MutedText,  // labels, units, reference
    ControlBackground,
    PrimaryFill,
    PrimaryFillPressed,
    PrimaryBorder,
    PrimaryCaption,
    PrimaryCaptionPressed,
    ButtonFill,
    ButtonFillPressed,
    ButtonBorder,
    ButtonCaption,
    ButtonCaptionPressed,
    VerdictNormal,
    VerdictMild,
    VerdictModerate,
    VerdictSevere,
};
inline constexpr int32_t kColourRoleCount = static_cast<int32_t>(ColourRole::VerdictSevere) + 1;

// The system colours a High Contrast theme chooses (Windows' COLOR_WINDOW,
// COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_HIGHLIGHT,
// COLOR_HIGHLIGHTTEXT and COLOR_GRAYTEXT), in that order.
enum class SystemColour : uint8_t {
    Window,
    WindowText,
    ButtonFace,
    ButtonText,
    Highlight,
    HighlightText,
    GrayText,
};
inline constexpr int32_t kSystemColourCount = static_cast<int32_t>(SystemColour::GrayText) + 1;

// The system colours as a front end read them, 0xRRGGBB by SystemColour.
struct SystemColours {
    uint32_t colours[kSystemColourCount];
};

struct RoleColours {
    uint32_t palette;
    // Under High Contrast: the content (panels, fields) is window and window
    // text, the chrome (background, footer) button face, the header and the
    // primary button highlight, the muted texts gray text. A pressed button
    // turns to the other pair, so that a press still shows.
    SystemColour system;
};

constexpr RoleColours RoleColoursOf(ColourRole role) {
    using S = SystemColour;
    switch (role) {
        case ColourRole::WindowBackground: return {kWindowBackground, S::ButtonFace};
        case ColourRole::HeaderBand: return {kHeaderBand, S::Highlight};
        case ColourRole::AccentStrip: return {kAccentStrip, S::Highlight};
        case ColourRole::Title: return {kWhite, S::HighlightText};
        case ColourRole::Subtitle: return {kSubtitleText, S::HighlightText};
        case ColourRole::Panel: return {kWhite, S::Window};
        case ColourRole::PanelBorder: return {kPanelBorder, S::WindowText};
        case ColourRole::SectionCaption: return {kHeaderBand, S::WindowText};
        case ColourRole::CaptionRule: return {kCaptionRule, S::GrayText};
        case ColourRole::FooterBand: return {kFooterBand, S::ButtonFace};
        case ColourRole::StatusText: return {kMutedText, S::ButtonText};
        case ColourRole::MainText: return {kMainText, S::WindowText};
        case ColourRole::MutedText: return {kMutedText, S::GrayText};
        case ColourRole::ControlBackground: return {kWhite, S::Window};
        case ColourRole::PrimaryFill: return {kPrimaryFill, S::Highlight};
        case ColourRole::PrimaryFillPressed: return {kPrimaryFillPressed, S::ButtonFace};
        case ColourRole::PrimaryBorder: return {kPrimaryBorder, S::ButtonText};
        case ColourRole::PrimaryCaption: return {kWhite, S::HighlightText};
        case ColourRole::PrimaryCaptionPressed: return {kWhite, S::ButtonText};
        case ColourRole::ButtonFill: return {kWhite, S::ButtonFace};
        case ColourRole::ButtonFillPressed: return {kButtonFillPressed, S::Highlight};
        case ColourRole::ButtonBorder: return {kButtonBorder, S::ButtonText};
        case ColourRole::ButtonCaption: return {kMainText, S::ButtonText};
        case ColourRole::ButtonCaptionPressed: return {kMainText, S::HighlightText};
        // The verdict keeps its words and loses its colour.
        case ColourRole::VerdictNormal: return {kVerdictNormal, S::WindowText};
        case ColourRole::VerdictMild: return {kVerdictMild, S::WindowText};
        case ColourRole::VerdictModerate: return {kVerdictModerate, S::WindowText};
        case ColourRole::VerdictSevere: return {kVerdictSevere, S::WindowText};
    }
    return {kMainText, S::WindowText};
}

// A role's colour: the palette's, or with `system` (a High Contrast theme
// is on) the system colour it maps to. The one place colours are chosen.
constexpr uint32_t ColourOf(ColourRole role, const SystemColours* system) {
    const RoleColours colours = RoleColoursOf(role);
    if (!system) return colours.palette;
    return system->colours[static_cast<int32_t>(colours.system)];
}

constexpr uint32_t PaletteColour(ColourRole role) { return ColourOf(role, nullptr); }

// The verdict's role by severity level; any other level is "normal".
constexpr ColourRole VerdictRole(int32_t level) {
    switch (level) {
        case 1: return ColourRole::VerdictMild;
        case 2: return ColourRole::VerdictModerate;
        case 3: return ColourRole::VerdictSevere;
        default: return ColourRole::VerdictNormal;
    }
}

// The verdict's colour in the palette by severity level.
constexpr uint32_t VerdictColour(int32_t level) { return PaletteColour(VerdictRole(level)); }

constexpr uint8_t RedOf(uint32_t colour) { return static_cast<uint8_t>(colour >> 16); }
constexpr uint8_t GreenOf(uint32_t colour) { return static_cast<uint8_t>(colour >> 8); }
constexpr uint8_t BlueOf(uint32_t colour) { return static_cast<uint8_t>(colour); }

}  // namespace tarn::ui
