// Linux entry: argv becomes the raw command line; the window is FLTK's.
#include "app/entry.h"
#include "platform/platform.h"
#include "ui/fltk/desktop.h"

int main(int argc, char** argv) {
    tarn::platform::RememberArguments(argc, argv);
    return tarn::app::RunProgram(nullptr, tarn::platform::RawCommandLine(),
                                 tarn::fltk::RunDesktopWindow);
}
