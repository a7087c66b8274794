#include "ui/win32/accessibility.h"

#include <oleacc.h>

#include <cstdint>
#include <cwchar>

namespace tarn::win32 {
namespace {

// UI Automation's LiveSetting property and its value Polite (1). Neither
// is in the MinGW headers.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;
// Room for a live region's text read back to compare (a verdict, a
// status); a longer one counts as changed.
constexpr int32_t kLiveTextCapacity = 512;

// The process's annotation service; null until it could be made.
IAccPropServices* gServices = nullptr;

IAccPropServices* Services() {
    if (!gServices) {
        void* made = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IAccPropServices, &made))) {
            gServices = static_cast<IAccPropServices*>(made);
        }
    }
    return gServices;
}

void MarkLiveRegion(HWND control) {
    IAccPropServices* services = Services();
    if (!services) return;
    VARIANT polite = {};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    services->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                          kLiveSettingProperty, polite);
}

void SetDescription(HWND control, const wchar_t* text) {
    IAccPropServices* services = Services();
    if (!services) return;
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                             PROPID_ACC_DESCRIPTION, text);
}

void Clear(HWND control) {
    IAccPropServices* services = Services();
    if (!services) return;
    MSAAPROPID properties[] = {kLiveSettingProperty, PROPID_ACC_DESCRIPTION};
    services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, properties,
                             2);
}

}  // namespace

const AccessibleProperties kAccessibleProperties = {MarkLiveRegion, SetDescription, Clear};

void ReleaseAccessibleProperties() {
    if (gServices) gServices->Release();
    gServices = nullptr;
}

void SetLiveRegionText(HWND control, const wchar_t* text) {
    wchar_t shown[kLiveTextCapacity] = {};
    GetWindowTextW(control, shown, kLiveTextCapacity);
    const bool changed = std::wcscmp(shown, text) != 0;
    SetWindowTextW(control, text);
    if (changed) NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace tarn::win32
