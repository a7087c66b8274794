// Window services without a window, for the save command's tests.
#include "tests/records/fake_services.h"

#include "engine/text.h"

namespace tarn::ui {
namespace fake {

Calls& Recorded() {
    static Calls calls;
    return calls;
}

void Reset() { Recorded() = Calls{}; }

}  // namespace fake

void ReadControlText(int32_t, char16_t* buffer, int32_t capacity) {
    CopyBounded(buffer, capacity, u"");
}
void SetControlText(int32_t, const char16_t*) {}
void FocusControl(int32_t) {}
void FocusMainWindow() {}

void ShowMessage(const char16_t* text, const char16_t* caption, MessageIcon icon) {
    fake::Recorded().messages.push_back({text, caption, icon});
}

void RepaintMainWindow() { ++fake::Recorded().repaints; }
void RepaintVerdictLine() { ++fake::Recorded().verdictRepaints; }

bool PutClipboardText(const char16_t* text) {
    fake::Recorded().clipboard.emplace_back(text);
    return true;
}

}  // namespace tarn::ui
