#include "app/entry.h"

#include "app/selftest.h"
#include "app/text_report.h"
#include "platform/platform.h"

namespace tarn::app {

int32_t RunProgram(void* instance, const char16_t* commandLine, DesktopWindow desktopWindow) {
    char16_t path[kSelfTestPathCapacity];
    switch (FindSelfTestRequest(commandLine, path, kSelfTestPathCapacity)) {
        case SelfTestRequest::Path:
            return RunSelfTest(path);
        case SelfTestRequest::PathTooLong:
            // Writing to a shortened path could overwrite another file.
            return kSelfTestReportNotWritten;
        case SelfTestRequest::Absent:
            break;
    }
    int32_t status = 0;
    if (RunTextReport(CurrentTool(), commandLine, &status)) return status;
    platform::DeclareDpiAware();
    return desktopWindow(instance, CurrentTool());
}

}  // namespace tarn::app
