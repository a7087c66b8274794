// What the window needs to know of the display it is on: a monitor's DPI
// and work area, the frame the system draws around a client area at a
// DPI, and the icon sizes at a DPI. The functions of Windows 8.1 and 10
// that answer these are loaded at run time, so that ordavel.exe still
// starts on Windows 7 (tests/package/pe_check.py), which draws every
// monitor at the one system DPI.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/scale.h"

namespace tarn::win32 {

// The DPI Windows draws the monitor at: GetDpiForMonitor (Windows 8.1 and
// later), else the system DPI (GetDeviceCaps(LOGPIXELSY)).
int32_t MonitorDpi(HMONITOR monitor);

// The primary monitor, the one the window opens on.
HMONITOR PrimaryMonitor();

// The monitor's work area: the screen less the taskbar and docked
// toolbars. For the primary monitor it is SPI_GETWORKAREA's: on Windows
// that is the same rectangle as GetMonitorInfoW's, but Wine keeps the two
// apart and follows SPI_SETWORKAREA in the former only.
RECT WorkAreaOf(HMONITOR monitor);

// The frame around a client area at a DPI: the caption and borders, as
// the width and height that the window has beyond its client area.
// AdjustWindowRectExForDpi (Windows 10, 1607) where it exists, else
// AdjustWindowRect, which gives the frame at the system DPI, the DPI
// those systems draw frames at.
ui::Size FrameAt(int32_t dpi);

// The icon sizes Windows shows at a DPI (SM_CXICON, SM_CXSMICON).
int32_t LargeIconSize(int32_t dpi);
int32_t SmallIconSize(int32_t dpi);

}  // namespace tarn::win32
