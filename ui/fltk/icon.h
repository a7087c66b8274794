// The window's icon: the installed PNGs of the desktop icon theme, found
// from where the program itself lies (<prefix>/bin/ordavel and
// <prefix>/share/icons/hicolor/<N>x<N>/apps/ordavel.png). A program run
// from the build tree has none and keeps FLTK's default.
#pragma once

#include <FL/Fl_Window.H>

#include <cstdint>

namespace tarn::fltk {

inline constexpr int32_t kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
inline constexpr int32_t kIconSizeCount = 7;

// Gives `window` every icon size found under `shareFolder`; returns how many.
int32_t SetWindowIcons(Fl_Window& window, const char* shareFolder);

// The "share" folder next to the folder of the running program, into
// `folder` (`capacity` bytes); false when it cannot be told.
bool InstalledShareFolder(char* folder, int32_t capacity);

}  // namespace tarn::fltk
