// The display's DPI, work area, frame and icon sizes, through the newer
// functions where this Windows has them (ui/win32/dpi.h).
#include "ui/win32/dpi.h"

#include "ui/layout.h"

namespace tarn::win32 {
namespace {

// MDT_EFFECTIVE_DPI of shellscalingapi.h: the DPI the user chose for the monitor.
constexpr int kEffectiveDpi = 0;

// shcore.dll's GetDpiForMonitor (Windows 8.1).
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
// user32.dll's functions of Windows 10, 1607: only their types are taken
// from the headers, so that they are no imports.
using AdjustWindowRectExForDpiFunction = decltype(&AdjustWindowRectExForDpi);
using GetSystemMetricsForDpiFunction = decltype(&GetSystemMetricsForDpi);

// A function of a loaded system DLL by name; null where this Windows lacks it.
template <class Function>
Function SystemFunction(HMODULE module, const char* name) {
    if (!module) return nullptr;
    // Through void (*)(), the function pointer type that converts to any other.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

HMODULE User32() { return GetModuleHandleW(L"user32.dll"); }

// From the system folder only, never a planted copy beside the program.
// Windows 7 has no shcore.dll (and, without KB2533623, not this flag
// either): null then.
HMODULE Shcore() {
    static const HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return shcore;
}

// The one DPI of Windows 7: every monitor is drawn at it.
int32_t SystemDpi() {
    HDC screen = GetDC(nullptr);
    if (!screen) return ui::kDesignDpi;
    const int32_t dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : ui::kDesignDpi;
}

int32_t MetricAt(int metric, int32_t dpi) {
    static const auto metricForDpi =
        SystemFunction<GetSystemMetricsForDpiFunction>(User32(), "GetSystemMetricsForDpi");
    if (metricForDpi) return metricForDpi(metric, static_cast<UINT>(dpi));
    // Windows 7 and 8.1 give the metric at the system DPI.
    return MulDiv(GetSystemMetrics(metric), dpi, SystemDpi());
}

}  // namespace

int32_t MonitorDpi(HMONITOR monitor) {
    static const auto dpiForMonitor =
        SystemFunction<GetDpiForMonitorFunction>(Shcore(), "GetDpiForMonitor");
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (dpiForMonitor && monitor && SUCCEEDED(dpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY)) &&
        dpiY > 0) {
        return static_cast<int32_t>(dpiY);
    }
    return SystemDpi();
}

// The primary monitor's top-left corner is the origin of the screen.
HMONITOR PrimaryMonitor() { return MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY); }

RECT WorkAreaOf(HMONITOR monitor) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (monitor && GetMonitorInfoW(monitor, &info) && (info.dwFlags & MONITORINFOF_PRIMARY) == 0) {
        return info.rcWork;
    }
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

ui::Size FrameAt(int32_t dpi) {
    static const auto adjustForDpi =
        SystemFunction<AdjustWindowRectExForDpiFunction>(User32(), "AdjustWindowRectExForDpi");
    const RECT client = {0, 0, ui::kClientWidth, ui::kClientHeight};
    RECT frame = client;
    if (!adjustForDpi ||
        !adjustForDpi(&frame, ui::kMainWindowStyle, FALSE, 0, static_cast<UINT>(dpi))) {
        frame = client;
        AdjustWindowRect(&frame, ui::kMainWindowStyle, FALSE);
    }
    return {frame.right - frame.left - ui::kClientWidth, frame.bottom - frame.top - ui::kClientHeight};
}

int32_t LargeIconSize(int32_t dpi) { return MetricAt(SM_CXICON, dpi); }
int32_t SmallIconSize(int32_t dpi) { return MetricAt(SM_CXSMICON, dpi); }

}  // namespace tarn::win32
