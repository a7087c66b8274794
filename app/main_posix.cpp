// Linux entry: argv becomes the raw command line.
#include "app/entry.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    tarn::platform::RememberArguments(argc, argv);
    return tarn::app::RunProgram(nullptr, tarn::platform::RawCommandLine());
}
