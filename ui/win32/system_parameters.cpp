#include "ui/win32/system_parameters.h"

namespace tarn::win32 {
namespace {

bool HighContrastOn() {
    HIGHCONTRASTW setting = {};
    setting.cbSize = sizeof(setting);
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(setting), &setting, 0)) return false;
    return (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

uint32_t SystemColour(int32_t index) {
    const COLORREF colour = GetSysColor(index);
    return (static_cast<uint32_t>(GetRValue(colour)) << 16) |
           (static_cast<uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

}  // namespace

const SystemParameters kSystemParameters = {HighContrastOn, SystemColour};

int32_t SystemColourIndex(ui::SystemColour colour) {
    switch (colour) {
        case ui::SystemColour::Window: return COLOR_WINDOW;
        case ui::SystemColour::WindowText: return COLOR_WINDOWTEXT;
        case ui::SystemColour::ButtonFace: return COLOR_BTNFACE;
        case ui::SystemColour::ButtonText: return COLOR_BTNTEXT;
        case ui::SystemColour::Highlight: return COLOR_HIGHLIGHT;
        case ui::SystemColour::HighlightText: return COLOR_HIGHLIGHTTEXT;
        case ui::SystemColour::GrayText: break;
    }
    return COLOR_GRAYTEXT;
}

bool ReadHighContrastColours(const SystemParameters& parameters, ui::SystemColours& colours) {
    if (!parameters.highContrastOn()) return false;
    for (int32_t i = 0; i < ui::kSystemColourCount; ++i) {
        colours.colours[i] = parameters.systemColour(
            SystemColourIndex(static_cast<ui::SystemColour>(i)));
    }
    return true;
}

}  // namespace tarn::win32
