// Window services that do nothing: the input-field fuzzer and the bounds
// oracle link the commands' library but never run a command.
#include "ui/services.h"

namespace tarn::ui {

void ReadControlText(int32_t, char16_t* buffer, int32_t capacity) {
    if (capacity > 0) buffer[0] = 0;
}
void SetControlText(int32_t, const char16_t*) {}
void FocusControl(int32_t) {}
void FocusMainWindow() {}
void ShowMessage(const char16_t*, const char16_t*, MessageIcon) {}
void RepaintMainWindow() {}
void RepaintVerdictLine() {}
bool PutClipboardText(const char16_t*) { return false; }

}  // namespace tarn::ui
