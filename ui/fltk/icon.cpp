#include "ui/fltk/icon.h"

#include <FL/Fl_PNG_Image.H>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace tarn::fltk {
namespace {

constexpr int32_t kPathBytes = 4096;

}  // namespace

int32_t SetWindowIcons(Fl_Window& window, const char* shareFolder) {
    Fl_PNG_Image* loaded[kIconSizeCount] = {};
    const Fl_RGB_Image* icons[kIconSizeCount] = {};
    int32_t count = 0;
    for (int32_t size : kIconSizes) {
        char path[kPathBytes];
        const int length = std::snprintf(path, sizeof path, "%s/icons/hicolor/%dx%d/apps/ordavel.png",
                                         shareFolder, static_cast<int>(size), static_cast<int>(size));
        if (length <= 0 || length >= kPathBytes || access(path, R_OK) != 0) continue;
        auto* image = new Fl_PNG_Image(path);
        if (image->fail() != 0 || image->w() != size || image->h() != size) {
            delete image;
            continue;
        }
        loaded[count] = image;
        icons[count] = image;
        ++count;
    }
    // The window keeps copies of its icons.
    if (count > 0) window.icons(icons, count);
    for (int32_t i = 0; i < count; ++i) delete loaded[i];
    return count;
}

bool InstalledShareFolder(char* folder, int32_t capacity) {
    char program[kPathBytes];
    const ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
    if (length <= 0) return false;
    program[length] = 0;
    // <prefix>/bin/ordavel -> <prefix>/share
    char* slash = std::strrchr(program, '/');
    if (!slash) return false;
    *slash = 0;
    slash = std::strrchr(program, '/');
    if (!slash) return false;
    *slash = 0;
    const int written = std::snprintf(folder, static_cast<size_t>(capacity), "%s/share", program);
    return written > 0 && written < capacity;
}

}  // namespace tarn::fltk
