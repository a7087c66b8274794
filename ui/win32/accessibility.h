// What a screen reader learns beyond the controls' own texts: the verdict
// and the status line as polite live regions (read out when they change,
// after what is being said), and each input's unit as its description.
// Set through IAccPropServices, oleacc's annotation service; UI Automation
// reads the live setting from Windows 8 on, and Windows 7 ignores it.
// A table of functions, so that a test can see what the window annotates.
#pragma once

#include <windows.h>

namespace tarn::win32 {

struct AccessibleProperties {
    // The control is a polite live region.
    void (*markLiveRegion)(HWND control);
    // The control's accessible description.
    void (*setDescription)(HWND control, const wchar_t* text);
    // Drops what was set on the control; before it is destroyed.
    void (*clear)(HWND control);
};

// The annotation service, created on first use on a thread with COM; with
// no COM or no service the calls do nothing.
extern const AccessibleProperties kAccessibleProperties;

// Releases the service; before COM is uninitialised.
void ReleaseAccessibleProperties();

// Sets a live region's text; a change of it is told to assistive
// technology (the same text again is not).
void SetLiveRegionText(HWND control, const wchar_t* text);

}  // namespace tarn::win32
