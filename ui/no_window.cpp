// Front end of a build without a desktop window.
#include <cstdio>

#include "ui/desktop.h"

namespace tarn::ui {

int32_t RunDesktopWindow(void*, const ToolDescriptor&) {
    std::fputs("ordavel: this build has no desktop window; run with --selftest\n", stderr);
    return 1;
}

}  // namespace tarn::ui
