// Small GDI helpers: colour conversion, UTF-16 pointer casts, and scoped
// objects that put back what they selected and delete what they created.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/palette.h"

namespace tarn::win32 {

// 0xRRGGBB to a GDI colour (0x00BBGGRR).
inline COLORREF ToColorRef(uint32_t colour) {
    return RGB(ui::RedOf(colour), ui::GreenOf(colour), ui::BlueOf(colour));
}

// wchar_t is 16 bits on Windows, so the engine's char16_t texts pass as they are.
static_assert(sizeof(wchar_t) == sizeof(char16_t));
inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* Wide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }

// Selects an object into a device context for one scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A pen or brush made for one drawing call.
template <class Handle>
class TemporaryObject {
public:
    explicit TemporaryObject(Handle handle) : handle_(handle) {}
    ~TemporaryObject() {
        if (handle_) DeleteObject(handle_);
    }
    TemporaryObject(const TemporaryObject&) = delete;
    TemporaryObject& operator=(const TemporaryObject&) = delete;
    Handle get() const { return handle_; }

private:
    Handle handle_;
};

using TemporaryBrush = TemporaryObject<HBRUSH>;
using TemporaryPen = TemporaryObject<HPEN>;

}  // namespace tarn::win32
