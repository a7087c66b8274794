// Windows entry: the command line is read with GetCommandLineW, not taken
// from the entry's arguments. MinGW's start-up code calls wWinMain with C
// linkage; on x64 there is one calling convention and the handles are plain
// pointers, so the entry needs no OS header.
#include "app/entry.h"
#include "platform/platform.h"
#include "ui/win32/desktop.h"

extern "C" int wWinMain(void* instance, void* /*previousInstance*/, wchar_t* /*commandLine*/,
                        int /*show*/) {
    return tarn::app::RunProgram(instance, tarn::platform::RawCommandLine(),
                                 tarn::win32::RunDesktopWindow);
}
