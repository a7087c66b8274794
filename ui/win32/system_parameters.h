// The one place the window reads the display settings it follows beyond
// the DPI: whether a High Contrast theme is on and the system colours that
// theme chose. A table of functions, so that a test can give the window a
// theme that Wine cannot set.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/palette.h"

namespace tarn::win32 {

struct SystemParameters {
    // SPI_GETHIGHCONTRAST reports HCF_HIGHCONTRASTON.
    bool (*highContrastOn)();
    // GetSysColor of a COLOR_* index, as 0xRRGGBB.
    uint32_t (*systemColour)(int32_t index);
};

// Windows' own answers.
extern const SystemParameters kSystemParameters;

// The COLOR_* index of each system colour the window uses.
int32_t SystemColourIndex(ui::SystemColour colour);

// Under a High Contrast theme, fills `colours` from the system and returns
// true; otherwise leaves them and returns false.
bool ReadHighContrastColours(const SystemParameters& parameters, ui::SystemColours& colours);

}  // namespace tarn::win32
