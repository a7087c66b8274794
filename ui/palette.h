// The window's colours, as 0xRRGGBB.
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

// The verdict's colour by severity level; any other level is "normal".
constexpr uint32_t VerdictColour(int32_t level) {
    switch (level) {
        case 1: return 0xB08400;
        case 2: return 0xD66C00;
        case 3: return 0xBE1E2D;
        default: return 0x008060;
    }
}

constexpr uint8_t RedOf(uint32_t colour) { return static_cast<uint8_t>(colour >> 16); }
constexpr uint8_t GreenOf(uint32_t colour) { return static_cast<uint8_t>(colour >> 8); }
constexpr uint8_t BlueOf(uint32_t colour) { return static_cast<uint8_t>(colour); }

}  // namespace tarn::ui
