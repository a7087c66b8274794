// The real window under a High Contrast theme, which Wine cannot switch on
// (it does not implement SPI_SETHIGHCONTRAST): the window's
// system-parameters service is given a reading of its own, the theme on in
// the colours of Windows' High Contrast Black. 70 kg and 7.1 mmol/L are
// typed and computed, then the window runs until it is closed. For
// high_contrast_test.sh, which looks at it on the screen; never shipped.
#include <windows.h>

#include <cstdint>

#include "ui/commands.h"
#include "ui/win32/main_window.h"

namespace {

bool ThemeOn() { return true; }

uint32_t HighContrastBlack(int32_t index) {
    switch (index) {
        case COLOR_WINDOW:
        case COLOR_BTNFACE:
        case COLOR_HIGHLIGHTTEXT: return 0x000000;
        case COLOR_WINDOWTEXT:
        case COLOR_BTNTEXT: return 0xFFFFFF;
        case COLOR_HIGHLIGHT: return 0x1AEBFF;
        case COLOR_GRAYTEXT: return 0x3FF23F;
        default: return 0xFF00FF;  // no colour the window asks for
    }
}

const tarn::win32::SystemParameters kForcedTheme = {ThemeOn, HighContrastBlack};

// As typed: the field counts as entered.
void TypeInto(HWND edit, const wchar_t* text) {
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (; *text != 0; ++text) SendMessageW(edit, WM_CHAR, *text, 1);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    tarn::win32::MainWindow& window = tarn::win32::Window();
    if (!tarn::win32::CreateMainWindow(instance, tarn::CurrentTool(), kForcedTheme)) return 1;
    TypeInto(window.inputEdits[0], L"70");
    TypeInto(window.inputEdits[1], L"7.1");
    tarn::ui::ComputeCommand(window.state);
    return tarn::win32::RunMessageLoop();
}
