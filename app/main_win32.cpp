// Windows entry: the command line is read with GetCommandLineW, not taken
// from the entry's arguments.
#include <windows.h>

#include "app/entry.h"
#include "platform/platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return tarn::app::RunProgram(instance, tarn::platform::RawCommandLine());
}
