// Window services without a window: every call is recorded for the tests.
#pragma once

#include <string>
#include <vector>

#include "ui/services.h"

namespace tarn::ui::fake {

struct Message {
    std::u16string text;
    std::u16string caption;
    MessageIcon icon;
};

struct Calls {
    std::vector<Message> messages;
    int repaints = 0;
    int verdictRepaints = 0;
    std::vector<std::u16string> clipboard;
};

// Everything the services were asked to do since the last Reset.
Calls& Recorded();
void Reset();

}  // namespace tarn::ui::fake
